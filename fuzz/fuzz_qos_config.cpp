// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// Any 40 bytes as a QoS configuration array: the blank rule, every field read
// and every write group, with the bytes after the first 40 choosing the writes
// and their values. Checked after every call: the guard bytes around the array
// are intact, a write changed only the bits its group owns, accepted entries
// read back and rejected ones kept their stored values.

#include "fuzz/ArrayOpening.h"
#include "fuzz/FuzzSupport.h"
#include "core/QosConfig.h"

#include <algorithm>

namespace {

using Bytes = QosBytes;

// The bits each write group may change, stated byte by byte from the layout.
Bytes ownedMask(int group, int arg)
{
    Bytes m{};
    switch (group) {
    case 0: // port priorities: bytes 0 and 1 rebuilt whole
        m[0] = 0xFF;
        m[1] = 0xFF;
        break;
    case 1: // priority resolution of one port
        if (arg == qos_line2)
            m[2] = 0x07;
        else if (arg == qos_line3)
            m[2] = 0x38;
        else if (arg == qos_line4)
            m[3] = 0x07;
        break;
    case 2: // one remapping table: bits 3 and 7 of each byte belong to no entry
        if (arg >= 0 && arg < 3)
            for (int i = 0; i < 4; ++i)
                m[4 + 4 * arg + i] = 0x77;
        break;
    case 3: // 802.1Q queue table
        m[16] = m[17] = 0xFF;
        break;
    case 4: // one DSCP half
        if (arg == 0 || arg == 1)
            for (int i = 0; i < 8; ++i)
                m[18 + 8 * arg + i] = 0xFF;
        break;
    case 5: // weights
        for (int i = 34; i < 38; ++i)
            m[i] = 0xFF;
        break;
    case 6: // one switch and the reserved bits of byte 38
        if (arg >= 0 && arg < 3)
            m[38] = 0xFF;
        break;
    }
    return m;
}

void checkGroupChangedOnlyItsBits(const Bytes& before, const Bytes& after, int group, int arg)
{
    char what[48];
    std::snprintf(what, sizeof what, "write group %d (arg %d)", group, arg);
    checkOnlyOwnedChanged(before, after, ownedMask(group, arg), what);
}

void readEveryField(const QosConfigArray& cfg)
{
    for (int p = 0; p < 4; ++p) {
        const auto port = QosPort(p);
        FUZZ_CHECK(cfg.portPriority(port) < 8, "port priority out of its 3 bits");
        FUZZ_CHECK(cfg.priorityResolution(port) < 8, "resolution out of its 3 bits");
        for (int i = -1; i <= kRemapEntries; ++i)
            FUZZ_CHECK(cfg.remapEntry(port, i) < 8, "remap entry out of its 3 bits");
    }
    for (int n = -1; n <= kVlanQueueEntries; ++n)
        FUZZ_CHECK(cfg.vlanQueue(n) < 4, "queue out of its 2 bits");
    for (int n = -1; n <= kDscpQueueEntries; ++n)
        FUZZ_CHECK(cfg.dscpQueue(n) < 4, "DSCP queue out of its 2 bits");
    for (int q = -1; q <= kQueueCount; ++q)
        FUZZ_CHECK(cfg.queueWeight(q) < 256, "weight out of its byte");
    for (int s = 0; s < 4; ++s)
        (void)cfg.switchBit(QosSwitch(s));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzReader in(data, size);
    GuardedArray<kQosConfigSize> host;
    // Blank rule: 36 or more bytes of 0xFF give the default image, else nothing changes.
    const Bytes loaded = openArray<QosConfigArray>(ArrayKind::Qos, in, host, kQosBlankThreshold);
    QosConfigArray cfg(host.data());
    unsigned char byte39 = loaded[39];

    readEveryField(cfg);

    // Up to 64 writes chosen by the rest of the input.
    for (int step = 0; step < 64 && !in.empty(); ++step) {
        const int group = in.byte() % 8;
        const Bytes before = host.bytes();
        int arg = -1;
        switch (group) {
        case 0: {
            std::array<std::optional<unsigned>, kQosPortCount> v{in.entry(), in.entry(), in.entry()};
            cfg.writePortPriorities(v);
            const Bytes after = host.bytes();
            FUZZ_CHECK((after[0] & 0xC0) == 0 && (after[1] & 0xF8) == 0,
                       "port priority write left reserved bits set");
            const unsigned old[3] = {before[0] & 7u, (before[0] >> 3) & 7u, before[1] & 7u};
            for (int p = 0; p < 3; ++p) {
                const unsigned want = v[p] && *v[p] < 8 ? *v[p] : old[p];
                FUZZ_CHECK(cfg.portPriority(QosPort(p)) == want, "port %d priority", p);
            }
            break;
        }
        case 1: {
            arg = in.byte() % 5; // 3 and 4 name no port
            const std::optional<unsigned> mode = in.entry();
            const unsigned old = cfg.priorityResolution(QosPort(arg));
            cfg.writePriorityResolution(QosPort(arg), mode);
            if (arg < 3)
                FUZZ_CHECK(cfg.priorityResolution(QosPort(arg)) == (mode && *mode < 5 ? *mode : old),
                           "resolution of port %d", arg);
            break;
        }
        case 2: {
            arg = in.byte() % 4;
            std::array<std::optional<unsigned>, kRemapEntries> v;
            for (auto& e : v)
                e = in.entry();
            std::array<unsigned, kRemapEntries> old{};
            for (int i = 0; i < kRemapEntries; ++i)
                old[i] = cfg.remapEntry(QosPort(arg), i);
            cfg.writeRemapTable(QosPort(arg), v);
            if (arg < 3)
                for (int i = 0; i < kRemapEntries; ++i)
                    FUZZ_CHECK(cfg.remapEntry(QosPort(arg), i) == (v[i] && *v[i] < 8 ? *v[i] : old[i]),
                               "remap entry %d of port %d", i, arg);
            break;
        }
        case 3: {
            std::array<std::optional<unsigned>, kVlanQueueEntries> v;
            for (auto& e : v)
                e = in.entry();
            std::array<unsigned, kVlanQueueEntries> old{};
            for (int i = 0; i < kVlanQueueEntries; ++i)
                old[i] = cfg.vlanQueue(i);
            cfg.writeVlanQueueMap(v);
            for (int i = 0; i < kVlanQueueEntries; ++i)
                FUZZ_CHECK(cfg.vlanQueue(i) == (v[i] && *v[i] < 4 ? *v[i] : old[i]), "queue of priority %d", i);
            break;
        }
        case 4: {
            arg = in.byte() % 3; // half 2 does not exist
            std::array<std::optional<unsigned>, kDscpHalfEntries> v;
            for (auto& e : v)
                e = in.entry();
            std::array<unsigned, kDscpQueueEntries> old{};
            for (int i = 0; i < kDscpQueueEntries; ++i)
                old[i] = cfg.dscpQueue(i);
            cfg.writeDscpQueueMapHalf(arg, v);
            for (int i = 0; i < kDscpQueueEntries; ++i) {
                unsigned want = old[i];
                if (i / kDscpHalfEntries == arg) {
                    const auto& e = v[i % kDscpHalfEntries];
                    if (e && *e < 4)
                        want = *e;
                }
                FUZZ_CHECK(cfg.dscpQueue(i) == want, "queue of DSCP %d", i);
            }
            break;
        }
        case 5: {
            std::array<long long, kQueueCount> w{};
            for (auto& x : w)
                x = in.flag() ? in.raw<long long>() : static_cast<signed char>(in.byte());
            const bool ok = std::all_of(w.begin(), w.end(), [](long long x) { return x >= 1 && x <= 128; })
                && w[0] + w[1] + w[2] + w[3] <= 128;
            FUZZ_CHECK(QosConfigArray::weightsAcceptable(w) == ok, "weights acceptance");
            FUZZ_CHECK(cfg.writeQueueWeights(w) == ok, "weights write result");
            for (int q = 0; q < kQueueCount; ++q)
                FUZZ_CHECK(cfg.queueWeight(q) == (ok ? unsigned(w[q]) : before[34 + q]), "weight %d", q);
            break;
        }
        case 6: {
            arg = in.byte() % 4; // 3 names no switch
            const bool on = in.flag();
            cfg.writeSwitch(QosSwitch(arg), on);
            const Bytes after = host.bytes();
            if (arg < 3) {
                FUZZ_CHECK(cfg.switchBit(QosSwitch(arg)) == on, "switch %d", arg);
                FUZZ_CHECK((after[38] & 0xF8) == 0, "switch write left bits 3-7 of byte 38");
            }
            break;
        }
        case 7:
            // The reset button: the default image over all 40 bytes.
            cfg.inic_na_vychozi_cfg();
            FUZZ_CHECK(host.bytes() == QosConfigArray::defaultImage(), "default image");
            checkGuards(host);
            readEveryField(cfg);
            byte39 = host.data()[39];
            continue;
        }
        checkGuards(host);
        checkGroupChangedOnlyItsBits(before, host.bytes(), group, arg);
        FUZZ_CHECK(host.data()[39] == byte39, "byte 39 changed by a write group");
        readEveryField(cfg);
    }
    return 0;
}
