#pragma once

// Shared by the robustness tests: host arrays fenced by guard bytes, seeded
// random arrays of the shapes units send, and the bits each writer owns.

#include "core/QosConfig.h"
#include "core/VlanConfig.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>

namespace robust {

// A seed from the environment (decimal), or a fixed one.
inline std::uint32_t envNumber(const char* name, std::uint32_t fallback)
{
    const QByteArray v = qgetenv(name);
    bool ok = false;
    const qulonglong n = v.toULongLong(&ok);
    return ok ? std::uint32_t(n) : fallback;
}

// A host array of N bytes in the middle of a larger buffer; the bytes around
// it hold a pattern that nothing may change.
template <std::size_t N>
class GuardedHostArray
{
public:
    static constexpr std::size_t kGuard = 64;

    GuardedHostArray()
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

    // The first guard byte that changed, as an offset from the array (negative
    // before it), or 0 with intact() true.
    bool intact(long* where = nullptr) const
    {
        for (std::size_t i = 0; i < m_buffer.size(); ++i) {
            if (i >= kGuard && i < kGuard + N)
                continue;
            if (m_buffer[i] != pattern(i)) {
                if (where)
                    *where = long(i) - long(kGuard);
                return false;
            }
        }
        return true;
    }

private:
    static unsigned char pattern(std::size_t i) { return static_cast<unsigned char>(0x5A ^ (i * 29)); }

    std::array<unsigned char, kGuard + N + kGuard> m_buffer{};
};

using QosBytes = std::array<unsigned char, kQosConfigSize>;
using VlanBytes = std::array<unsigned char, kVlanConfigSize>;

// A random QoS array: random bytes, now and then valid weights, blank ones or
// bytes near the blank threshold.
inline QosBytes randomQosArray(std::mt19937& rng)
{
    QosBytes b;
    for (auto& x : b)
        x = static_cast<unsigned char>(rng());
    switch (rng() % 8) {
    case 0: // never configured, or just short of it
        for (int i = 0, n = 34 + int(rng() % 4); i < n; ++i)
            b[rng() % kQosConfigSize] = 0xFF;
        break;
    case 1:
    case 2:
    case 3: { // valid weights, as a unit that the dialog configured holds
        int left = kQueueWeightSum;
        for (int q = 0; q < kQueueCount; ++q) {
            const int most = left - (kQueueCount - 1 - q);
            const int w = 1 + int(rng() % unsigned(std::min(most, 40)));
            b[34 + q] = static_cast<unsigned char>(w);
            left -= w;
        }
        break;
    }
    default:
        break;
    }
    return b;
}

// A random VLAN array: random bytes with a count in range (sometimes 0 or
// above 22), sometimes a blank array or one near the blank threshold.
inline VlanBytes randomVlanArray(std::mt19937& rng)
{
    VlanBytes b;
    for (auto& x : b)
        x = static_cast<unsigned char>(rng());
    switch (rng() % 10) {
    case 0: // above 22, up to 255, with a high byte
        break;
    case 1:
        b[14] = 0;
        break;
    case 2:
        for (int i = 0, n = 38 + int(rng() % 6); i < n; ++i)
            b[rng() % kVlanConfigSize] = 0xFF;
        break;
    default:
        b[14] = static_cast<unsigned char>(1 + rng() % kMaxStaticVlans);
        b[15] = rng() % 4 ? 0 : static_cast<unsigned char>(rng());
        break;
    }
    return b;
}

// Bits the VLAN set button owns when it packs `count` slots: version and the
// three flags of byte 0 (not bits 3 and 7), bytes 1 and 2, byte 3 but for the
// Modem double-tag bits, byte 4, the Default VIDs, the count, and the slots
// it packs.
inline VlanBytes vlanSetMask(int count)
{
    VlanBytes m{};
    m[0] = 0x77;
    m[1] = m[2] = 0xFF;
    m[3] = 0xFC;
    for (int i = 4; i <= 15; ++i)
        m[i] = 0xFF;
    for (int i = 16; i < 16 + 3 * count && i < kVlanConfigSize; ++i)
        m[i] = 0xFF;
    return m;
}

// The first byte whose bits changed outside a mask, or -1.
template <std::size_t N>
int changedOutside(const std::array<unsigned char, N>& before, const std::array<unsigned char, N>& after,
                   const std::array<unsigned char, N>& mask)
{
    for (std::size_t i = 0; i < N; ++i)
        if ((before[i] ^ after[i]) & ~mask[i])
            return int(i);
    return -1;
}

template <std::size_t N>
QString hex(const std::array<unsigned char, N>& b)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(b.data()), int(N)).toHex(' '));
}

} // namespace robust
