#pragma once

// Helpers shared by the fuzz targets: a host array fenced by canary bytes, a
// reader that turns the fuzzer's bytes into call arguments, and a check that
// stops the run at once (so libFuzzer records the input) when a property fails.

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

// A host array of N bytes between two fences of canary bytes. The library is
// handed data(); anything it writes before or after the N bytes lands in a
// fence and is caught by checkFences(). (AddressSanitizer would also catch
// reads, but only outside the whole object; the fences catch writes that stay
// inside it.)
template <std::size_t N>
class GuardedArray
{
public:
    static constexpr std::size_t kFence = 32;

    GuardedArray()
    {
        for (std::size_t i = 0; i < kFence; ++i) {
            m_bytes[i] = canary(i);
            m_bytes[kFence + N + i] = canary(kFence + N + i);
        }
    }

    unsigned char* data() { return m_bytes.data() + kFence; }
    const unsigned char* data() const { return m_bytes.data() + kFence; }

    void checkFences() const
    {
        for (std::size_t i = 0; i < kFence; ++i) {
            FUZZ_CHECK(m_bytes[i] == canary(i), "fence byte %zu before the array changed", kFence - i);
            FUZZ_CHECK(m_bytes[kFence + N + i] == canary(kFence + N + i),
                       "fence byte %zu after the array changed", i);
        }
    }

    std::array<unsigned char, N> snapshot() const
    {
        std::array<unsigned char, N> copy;
        std::memcpy(copy.data(), data(), N);
        return copy;
    }

private:
    static unsigned char canary(std::size_t i) { return static_cast<unsigned char>(0xA5 ^ (i * 37)); }

    std::array<unsigned char, kFence + N + kFence> m_bytes{};
};

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
