// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// Any 82 bytes as a VLAN configuration array: the blank rule, every accessor,
// the static VLAN table (unpack, clicks, add, delete, pack) and the set
// button's operation with fuzzed control values and host facts. Checked after
// every call: the guard bytes around the array are intact and the call changed
// only the bits it owns; the table never outgrows its 22 slots.

#include "fuzz/ArrayOpening.h"
#include "fuzz/FuzzSupport.h"
#include "core/StaticVlanTable.h"
#include "core/VlanCommit.h"
#include "core/VlanConfig.h"

#include <QString>

#include <algorithm>

namespace {

using Bytes = VlanBytes;
using Mask = VlanMask;

// The twelve bits of each port's Default VID: {byte, bits} pairs.
void defaultVidBits(Mask& mask, int port)
{
    const int pair = 5 + 3 * (port / 2);
    if (port % 2 == 0)
        mask.bits(pair, 0xFF).bits(pair + 1, 0x0F);
    else
        mask.bits(pair + 1, 0xF0).bits(pair + 2, 0xFF);
}

void checkOnly(const Bytes& before, const Bytes& after, const Mask& mask, const char* what)
{
    checkOnlyOwnedChanged(before, after, mask.m, what);
}

void readEveryAccessor(const VlanConfigArray& cfg)
{
    for (int p = 0; p < 8; ++p) {
        const auto port = tPortik(p);
        FUZZ_CHECK(cfg.get_ingress_policy(port) < 2, "ingress policy of %d", p);
        FUZZ_CHECK(cfg.get_force_DefVID(port) < 2, "force flag of %d", p);
        FUZZ_CHECK(cfg.get_doubleTag_mode(port) < 2, "double-tag mode of %d", p);
        FUZZ_CHECK(cfg.get_Default_VID(port) < 4096, "Default VID of %d", p);
    }
    FUZZ_CHECK(cfg.get_remove_1PT() < 2, "remove_1PT");
    FUZZ_CHECK(cfg.get_vlan_mode() < 4, "mode");
    FUZZ_CHECK(cfg.get_provEth_type() < 4, "EtherType");
    FUZZ_CHECK(cfg.get_pocet_vlan() < 256, "count");
    FUZZ_CHECK(cfg.storedEntryCount() <= kMaxStaticVlans, "bounded count");
    (void)cfg.disableLearning();
    (void)cfg.bpduPriorityOverride();
    (void)cfg.lacpPriorityOverride();
    (void)cfg.portForwarding();
    FUZZ_CHECK(cfg.readSlot(-1) == StaticVlanEntry{} && cfg.readSlot(kMaxStaticVlans) == StaticVlanEntry{},
               "a slot outside the region reads as an entry");
    for (int slot = 0; slot < kMaxStaticVlans; ++slot) {
        const StaticVlanEntry e = cfg.readSlot(slot);
        FUZZ_CHECK(e.vid < 4096, "slot %d VID", slot);
        for (unsigned char code : e.codes)
            FUZZ_CHECK(code < 4, "slot %d code", slot);
        FUZZ_CHECK(e.codes[port_nms] == not_a_member || e.codes[port_nms] == untagged_member,
                   "slot %d NMS code", slot);
    }
}

// One accessor call with its mask; returns false when the input is used up.
void callOneSetter(FuzzReader& in, VlanConfigArray& cfg, GuardedArray<kVlanConfigSize>& host)
{
    const Bytes before = host.bytes();
    const int which = in.byte() % 12;
    const int p = in.byte() % 8; // 6 and 7 name no port
    const char v = static_cast<char>(in.byte());
    const unsigned char uv = static_cast<unsigned char>(v);
    Mask mask;
    switch (which) {
    case 0:
        cfg.set_cfg_pole_version(uv);
        mask.bits(0, 0x07);
        break;
    case 1:
        cfg.set_ingress_policy(tPortik(p), v);
        if (p < 5) {
            mask.bits(1, 1u << p);
            FUZZ_CHECK(cfg.get_ingress_policy(tPortik(p)) == (uv & 1), "ingress readback");
        }
        break;
    case 2:
        cfg.set_remove_1PT(v);
        mask.bits(1, 0x20);
        FUZZ_CHECK(cfg.get_remove_1PT() == (uv & 1), "remove_1PT readback");
        break;
    case 3:
        cfg.set_vlan_mode(v);
        mask.bits(1, 0xC0);
        FUZZ_CHECK(cfg.get_vlan_mode() == (uv & 3), "mode readback");
        break;
    case 4:
        cfg.set_force_DefVID(tPortik(p), v);
        if (p < 5) {
            mask.bits(2, 1u << p);
            FUZZ_CHECK(cfg.get_force_DefVID(tPortik(p)) == (uv & 1), "force readback");
        }
        break;
    case 5:
        cfg.set_doubleTag_mode(tPortik(p), v);
        if (p < 3)
            mask.bits(2, 0x20u << p);
        else if (p < 5)
            mask.bits(3, 1u << (p - 3));
        if (p < 5)
            FUZZ_CHECK(cfg.get_doubleTag_mode(tPortik(p)) == (uv & 1), "double-tag readback");
        break;
    case 6:
        cfg.set_provEth_type(v);
        mask.bits(3, 0x0C);
        FUZZ_CHECK(cfg.get_provEth_type() == (uv & 3), "EtherType readback");
        break;
    case 7: {
        const auto vid = in.raw<unsigned short>();
        cfg.set_Default_VID(tPortik(p), vid);
        if (p < 6) {
            defaultVidBits(mask, p);
            FUZZ_CHECK(cfg.get_Default_VID(tPortik(p)) == (vid & 0xFFF), "Default VID readback");
        }
        break;
    }
    case 8: {
        const auto n = in.raw<unsigned short>();
        cfg.set_pocet_vlan(n);
        mask.bytes(14, 15);
        FUZZ_CHECK(cfg.get_pocet_vlan() == (n & 0xFF), "count readback");
        break;
    }
    case 9: {
        const bool a = in.flag(), b = in.flag(), c = in.flag();
        cfg.setMiscFlags(a, b, c);
        mask.bits(0, 0x70);
        FUZZ_CHECK(cfg.disableLearning() == a && cfg.bpduPriorityOverride() == b
                       && cfg.lacpPriorityOverride() == c,
                   "flags readback");
        break;
    }
    case 10: {
        PortForwarding boxes{};
        for (auto& box : boxes)
            box = in.flag();
        cfg.setPortForwarding(boxes);
        mask.bits(3, 0xF0).bits(4, 0xFF);
        FUZZ_CHECK(cfg.portForwarding() == boxes, "forwarding readback");
        break;
    }
    case 11: {
        const int slot = int(in.byte() % 24) - 1; // -1 and 22 name no slot
        StaticVlanEntry e;
        e.vid = in.raw<unsigned short>();
        for (auto& code : e.codes)
            code = in.byte();
        cfg.writeSlot(slot, e);
        if (slot >= 0 && slot < kMaxStaticVlans) {
            mask.bytes(16 + 3 * slot, 18 + 3 * slot);
            const StaticVlanEntry back = cfg.readSlot(slot);
            FUZZ_CHECK(back.vid == (e.vid & 0xFFF), "slot VID readback");
            for (int q = 0; q < 5; ++q)
                FUZZ_CHECK(back.codes[q] == (e.codes[q] & 3), "slot code readback");
        }
        break;
    }
    }
    checkGuards(host);
    checkOnly(before, host.bytes(), mask, "an accessor");
}

// Edits the table as the grid's clicks and the add and delete buttons do.
void editTable(FuzzReader& in, VlanPole& pole)
{
    const int steps = in.byte() % 16;
    for (int s = 0; s < steps && !in.empty(); ++s) {
        const int n = vlanPoleEntries(pole);
        const int op = in.byte() % 4;
        const int entry = int(in.byte() % 26) - 2;
        if (op == 0) {
            const int column = int(in.byte() % 9) - 1;
            const int mode = int(in.byte() % 5) - 1;
            const auto changes = clickMembershipCell(pole, entry, column, mode);
            for (const auto& c : changes)
                FUZZ_CHECK(c.entry >= 0 && c.entry < n && c.column >= 1 && c.column <= 6,
                           "click changed a cell outside the table");
            if (column == vp_nms && entry >= 0 && entry < n && !changes.empty()) {
                int members = 0;
                for (int i = 0; i < n; ++i)
                    members += pole[vp_nms][i] != not_a_member;
                FUZZ_CHECK(members == 1, "an NMS click left %d NMS members", members);
            }
        } else if (op == 1) {
            (void)toggleDeleteMark(pole, entry);
        } else if (op == 2) {
            if (!canAddEntry(pole))
                continue;
            short vid = suggestedNewVid(pole);
            if (in.flag())
                vid = short(kMinVid + in.raw<unsigned short>() % kMaxVid);
            if (vidExists(pole, vid))
                continue;
            pole = withNewEntry(pole, vid);
            FUZZ_CHECK(vlanPoleEntries(pole) == n + 1, "add");
            FUZZ_CHECK(pole[vp_nms][n] == not_a_member, "a new entry has no NMS");
        } else {
            const int marked = markedEntries(pole);
            auto kept = withoutMarkedEntries(pole);
            FUZZ_CHECK(bool(kept) == (marked > 0 && marked < n), "delete with %d of %d marked", marked, n);
            if (kept) {
                FUZZ_CHECK(vlanPoleEntries(*kept) == n - marked, "delete count");
                pole = std::move(*kept);
            }
        }
        FUZZ_CHECK(vlanPoleEntries(pole) <= kMaxStaticVlans, "table outgrew 22 entries");
        for (const auto& column : pole)
            FUZZ_CHECK(int(column.size()) == vlanPoleEntries(pole), "ragged table");
    }
}

QString fuzzVidText(FuzzReader& in)
{
    static const char* const odd[] = {"", "0", "1", "4094", "4095", "9999", "-1", "  7", "0x10",
                                      "99999999999", "2147483647", "-2147483648", "+5", " ", "1 "};
    const std::uint8_t b = in.byte();
    if (b < 0x80)
        return QString::number(b < 0x40 ? b : b * 33);
    if (b < 0xC0)
        return QString::fromLatin1(odd[b % (sizeof odd / sizeof *odd)]);
    const int len = in.byte() % 6;
    QString s;
    for (int i = 0; i < len; ++i)
        s += QChar(ushort(in.byte() | (in.flag() ? 0x0100 : 0)));
    return s;
}

int fuzzIndex(FuzzReader& in)
{
    const std::uint8_t b = in.byte();
    return b < 0xF0 ? int(b % 6) - 1 : in.raw<int>();
}

void runSet(FuzzReader& in, const VlanPole& pole, VlanConfigArray& cfg,
            GuardedArray<kVlanConfigSize>& host)
{
    VlanCommitInput c;
    for (auto& t : c.defaultVidTexts)
        t = fuzzVidText(in);
    for (auto& f : c.forceDefVid)
        f = in.flag();
    for (auto& i : c.ingressPolicy)
        i = fuzzIndex(in);
    for (auto& i : c.doubleTagMode)
        i = fuzzIndex(in);
    c.remove1PT = in.flag();
    c.vlanMode = fuzzIndex(in);
    c.provEthType = fuzzIndex(in);
    for (auto& box : c.portForwarding)
        box = in.flag();
    c.disableLearning = in.flag();
    c.bpduPriorityOverride = in.flag();
    c.lacpPriorityOverride = in.flag();
    c.table = pole;
    const std::uint8_t countByte = in.byte();
    c.vlanCount = countByte < 0xF0 ? vlanPoleEntries(pole) : in.raw<int>();
    c.facts.hasLine4 = in.flag();
    c.facts.onePlusZeroInactive = in.flag();
    c.facts.vlanActiveInEthernet = in.flag();

    const Bytes before = host.bytes();
    const VlanCommitResult out = commitVlanSettings(c, cfg);
    checkGuards(host);
    const Bytes after = host.bytes();

    const int packed = std::clamp(std::min(c.vlanCount, vlanPoleEntries(pole)), 0, kMaxStaticVlans);
    checkOnlyOwnedChanged(before, after, vlanSetButtonMask(packed), "Set");

    const bool phaseOne = !out
        && (out.error().kind == VlanCommitRefusal::NotAnInteger
            || int(out.error().message) <= int(VlanCommitMessage::nms__vid_out));
    if (phaseOne) {
        Mask vids;
        vids.bytes(5, 13);
        checkOnly(before, after, vids, "a Set refused at a Default VID");
    } else {
        FUZZ_CHECK(cfg.get_pocet_vlan() == packed, "Set wrote count %u, packed %d",
                   unsigned(cfg.get_pocet_vlan()), packed);
        for (int i = 0; i < packed; ++i) {
            const StaticVlanEntry e = cfg.readSlot(i);
            FUZZ_CHECK(e.vid == (static_cast<unsigned short>(pole[vp_vid][i]) & 0xFFF), "packed VID %d", i);
        }
        if (out && cfg.get_vlan_mode() != 0)
            FUZZ_CHECK(firstNmsEntry(pole, packed) >= 0, "accepted without an NMS VLAN");
    }
    if (!out)
        (void)vlanCommitRefusalText(out.error(), nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzReader in(data, size);
    GuardedArray<kVlanConfigSize> host;
    openArray<VlanConfigArray>(ArrayKind::Vlan, in, host, kVlanBlankThreshold);
    VlanConfigArray cfg(host.data());
    readEveryAccessor(cfg);

    // The table as loading builds it, packed straight back: nothing but the
    // NMS codes 0 and 2 (read as 1) may change, and only in the slots in use.
    VlanPole pole = loadVlanPole(cfg);
    const int n = vlanPoleEntries(pole);
    FUZZ_CHECK(n == std::min<int>(cfg.get_pocet_vlan(), kMaxStaticVlans), "loaded %d entries", n);
    {
        const Bytes before = host.bytes();
        packVlanPole(pole, n, cfg);
        checkGuards(host);
        const Bytes after = host.bytes();
        Mask nmsBits;
        for (int i = 0; i < n; ++i)
            nmsBits.bits(18 + 3 * i, 0xC0);
        checkOnly(before, after, nmsBits, "unpack then pack");
        VlanPole again = makeVlanPole(n);
        unpackVlanPole(cfg, again, n + int(in.byte() % 4)); // asking for more than the table holds
        for (int c = vp_vid; c <= vp_nms; ++c)
            FUZZ_CHECK(again[c] == pole[c], "unpack after pack, column %d", c);
    }

    // Accessor calls, table edits and presses of Set, chosen by the input.
    for (int step = 0; step < 32 && !in.empty(); ++step) {
        switch (in.byte() % 4) {
        case 0:
        case 1:
            callOneSetter(in, cfg, host);
            break;
        case 2:
            editTable(in, pole);
            break;
        case 3:
            runSet(in, pole, cfg, host);
            break;
        }
        readEveryAccessor(cfg);
    }
    return 0;
}
