// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>
#include <utility>
#include <variant>

/// \file
/// Result and Failure: how every operation of the core that can fail
/// reports it, without exceptions.

/// The error side, as an operation returns it: `return Failure(message);`
/// (any error type the result's error type can be made from).
template <typename E>
struct Failure
{
    /// Wraps \p e for a Result to take.
    explicit Failure(E e) : error(std::move(e)) {}
    /// The error that the result will hold.
    E error;
};

/// What an operation that can fail gives back: its value, or the error that
/// says why there is none (by default the message to show, naming what
/// failed). The core, the odu-switch tool, the translator kit and the demo
/// host report every failure this way:
///
///     const Result<QByteArray, FileProblem> read = readRegularFile(path, limit);
///     if (!read)
///         return Failure(read.error().message);
///     use(read.value());
///
/// Result<void> is the form for an operation without a value. (A small
/// std::expected: the compilers the project supports lack it.) A result
/// owns its value or error; it is a plain value, as safe across threads as
/// the types it holds. Asking for the value of a failed result is a
/// programming error (an assertion in a debug build).

template <typename T, typename E = QString>
class [[nodiscard]] Result
{
public:
    /// A success holding \p value.
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    /// A failure holding the error made from \p failure.
    template <typename F>
    Result(Failure<F> failure) : m_state(std::in_place_index<1>, E(std::move(failure.error)))
    {
    }

    /// Whether the operation succeeded (the result holds a value).
    bool ok() const { return m_state.index() == 0; }
    /// ok().
    explicit operator bool() const { return ok(); }

    /// The value; only when ok().
    const T& value() const& { return *valuePointer(); }
    /// The value; only when ok().
    T& value() & { return *valuePointer(); }
    /// The value, moved out; only when ok().
    T&& value() && { return std::move(*valuePointer()); }
    /// The value's members; only when ok().
    const T* operator->() const { return &value(); }
    /// The value; only when ok().
    const T& operator*() const& { return value(); }
    /// The value, or \p fallback on failure.
    T valueOr(T fallback) const { return ok() ? value() : std::move(fallback); }

    /// The error; a default one (for a message: empty) when ok().
    const E& error() const
    {
        static const E none{};
        return ok() ? none : *std::get_if<1>(&m_state);
    }

private:
    // (std::get would throw, and bring the exception's type information
    // into every library that uses a result.)
    const T* valuePointer() const
    {
        Q_ASSERT(ok());
        return std::get_if<0>(&m_state);
    }
    T* valuePointer()
    {
        Q_ASSERT(ok());
        return std::get_if<0>(&m_state);
    }

    std::variant<T, E> m_state;
};

/// The result of an operation without a value: success, or the error that
/// says why it failed.
template <typename E>
class [[nodiscard]] Result<void, E>
{
public:
    /// Success.
    Result() = default;
    /// A failure holding the error made from \p failure.
    template <typename F>
    Result(Failure<F> failure) : m_error(E(std::move(failure.error)))
    {
    }

    /// Whether the operation succeeded.
    bool ok() const { return !m_error.has_value(); }
    /// ok().
    explicit operator bool() const { return ok(); }

    /// The error; a default one (for a message: empty) when ok().
    const E& error() const
    {
        static const E none{};
        return m_error ? *m_error : none;
    }

private:
    std::optional<E> m_error;
};
