// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// A host array of N bytes in the middle of a larger buffer whose bytes around
// it hold a pattern nothing may change: a write that strays before or after
// the array but stays inside the buffer (which AddressSanitizer cannot see)
// shows as a changed guard byte.

#include <array>
#include <cstddef>
#include <cstring>
#include <optional>

template <std::size_t N>
class GuardedArray
{
public:
    static constexpr std::size_t kGuard = 64;

    GuardedArray()
    {
        for (std::size_t i = 0; i < m_buffer.size(); ++i)
            m_buffer[i] = pattern(i);
    }

    unsigned char* data() { return m_buffer.data() + kGuard; }
    const unsigned char* data() const { return m_buffer.data() + kGuard; }

    void assign(const std::array<unsigned char, N>& bytes) { std::memcpy(data(), bytes.data(), N); }
    std::array<unsigned char, N> bytes() const
    {
        std::array<unsigned char, N> b;
        std::memcpy(b.data(), data(), N);
        return b;
    }

    // The first guard byte that changed, as an offset from the array's first
    // byte (negative before it, N or more after it); nothing while intact.
    std::optional<long> firstChangedGuard() const
    {
        for (std::size_t i = 0; i < m_buffer.size(); ++i) {
            if (i >= kGuard && i < kGuard + N)
                continue;
            if (m_buffer[i] != pattern(i))
                return long(i) - long(kGuard);
        }
        return std::nullopt;
    }

    bool intact(long* where = nullptr) const
    {
        const std::optional<long> changed = firstChangedGuard();
        if (changed && where)
            *where = *changed;
        return !changed;
    }

private:
    static unsigned char pattern(std::size_t i) { return static_cast<unsigned char>(0x5A ^ (i * 29)); }

    std::array<unsigned char, kGuard + N + kGuard> m_buffer{};
};
