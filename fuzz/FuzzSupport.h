// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// Helpers of the fuzz targets: a reader that turns the fuzzer's bytes into
// call arguments, and checks that stop the run at once (so libFuzzer records
// the input) when a property fails. The guarded host array and the byte
// helpers are the test support's.

#include "testing/ArrayBytes.h"
#include "testing/GuardedArray.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>

// Stops the run with a message; libFuzzer keeps the input as a crash artifact.
#define FUZZ_CHECK(cond, ...)                                                       \
    do {                                                                            \
        if (!(cond)) {                                                              \
            std::fprintf(stderr, "fuzz check failed at %s:%d: %s\n", __FILE__,      \
                         __LINE__, #cond);                                          \
            std::fprintf(stderr, "  " __VA_ARGS__);                                 \
            std::fprintf(stderr, "\n");                                             \
            __builtin_trap();                                                       \
        }                                                                           \
    } while (0)

// Stops the run when a guard byte around the host's array changed.
template <std::size_t N>
void checkGuards(const GuardedArray<N>& host)
{
    const std::optional<long> changed = host.firstChangedGuard();
    FUZZ_CHECK(!changed, "the guard byte at offset %ld from the array changed", changed.value_or(0));
}

// Stops the run when a call changed bits outside the mask of those it owns.
template <std::size_t N>
void checkOnlyOwnedChanged(const std::array<unsigned char, N>& before, const std::array<unsigned char, N>& after,
                           const std::array<unsigned char, N>& mask, const char* what)
{
    const int i = changedOutside(before, after, mask);
    FUZZ_CHECK(i < 0, "%s changed byte %d outside its bits: %02x -> %02x", what, i, before[std::size_t(i)],
               after[std::size_t(i)]);
}

// Consumes the fuzzer's bytes front to back; past the end every read gives 0.
class FuzzReader
{
public:
    FuzzReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool empty() const { return m_pos >= m_size; }
    std::size_t remaining() const { return empty() ? 0 : m_size - m_pos; }

    std::uint8_t byte() { return empty() ? 0 : m_data[m_pos++]; }
    bool flag() { return (byte() & 1) != 0; }

    template <typename T>
    T raw()
    {
        T value{};
        unsigned char buf[sizeof(T)] = {};
        for (std::size_t i = 0; i < sizeof(T); ++i)
            buf[i] = byte();
        std::memcpy(&value, buf, sizeof(T));
        return value;
    }

    // Mostly small numbers around a field's range, sometimes any 32-bit value.
    unsigned smallOrAny()
    {
        const std::uint8_t b = byte();
        if (b >= 0xF0)
            return raw<std::uint32_t>();
        return b;
    }

    // An entry of a write group: nullopt (the user's text did not read as a
    // number) or a value that may lie outside the field's range.
    std::optional<unsigned> entry()
    {
        const std::uint8_t b = byte();
        if (b == 0xFF)
            return std::nullopt;
        if (b >= 0xF0)
            return raw<std::uint32_t>();
        if (b >= 0xE0)
            return b;
        return unsigned(b % 12); // both sides of every limit (4, 5, 8)
    }

    // Fills n bytes from the input, padding with `pad` once it runs out.
    void fill(unsigned char* out, std::size_t n, unsigned char pad)
    {
        for (std::size_t i = 0; i < n; ++i)
            out[i] = empty() ? pad : byte();
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};
