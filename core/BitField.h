// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <cstddef>
#include <cstdint>

// A field of a configuration array, declared once by its byte, its lowest bit
// and its width; the mask, the read and the write all derive from that.
// A write changes only the field's bits and cuts the value to the width.
template <std::size_t Byte, unsigned Bit, unsigned Width>
struct BitField
{
    static_assert(Width >= 1 && Bit + Width <= 8, "a field lies within one byte");

    static constexpr std::size_t byte = Byte;
    static constexpr unsigned bit = Bit;
    static constexpr unsigned width = Width;
    static constexpr std::uint8_t mask = std::uint8_t(((1u << Width) - 1u) << Bit);

    static constexpr unsigned get(const std::uint8_t* cfg)
    {
        return unsigned(cfg[Byte] & mask) >> Bit;
    }
    static constexpr void set(std::uint8_t* cfg, unsigned value)
    {
        cfg[Byte] = std::uint8_t((cfg[Byte] & ~mask) | ((value << Bit) & mask));
    }
};

// Little-endian words over consecutive bytes of an array, for the tables that
// the layout describes word-wise.
template <typename Word>
constexpr Word readLittleEndian(const std::uint8_t* bytes)
{
    Word w = 0;
    for (std::size_t i = 0; i < sizeof(Word); ++i)
        w |= Word(bytes[i]) << (8 * i);
    return w;
}

template <typename Word>
constexpr void writeLittleEndian(std::uint8_t* bytes, Word w)
{
    for (std::size_t i = 0; i < sizeof(Word); ++i)
        bytes[i] = std::uint8_t(w >> (8 * i));
}
