// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "core/VlanConfig.h"

#include <QTest>

#include <algorithm>
#include <bit>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace {

using Bytes = std::array<unsigned char, kVlanConfigSize>;

// Where a field lies, written out from the byte map: (byte, mask) pairs from
// the field's least significant bits to its most significant ones.
using Placement = std::vector<std::pair<int, unsigned char>>;

// The value the bytes hold under a placement, read independently of the
// accessors: the masked bits of each pair, concatenated from the low end.
unsigned extract(const unsigned char* cfg, const Placement& where)
{
    unsigned value = 0;
    unsigned shift = 0;
    for (auto [byte, mask] : where) {
        value |= unsigned((cfg[byte] & mask) >> std::countr_zero(mask)) << shift;
        shift += unsigned(std::popcount(mask));
    }
    return value;
}

unsigned width(const Placement& where)
{
    unsigned w = 0;
    for (auto [byte, mask] : where)
        w += unsigned(std::popcount(mask));
    return w;
}

struct FieldCase
{
    Placement where;
    std::function<void(VlanConfigArray&, int)> set; // value as the caller passes it
    std::function<unsigned(const VlanConfigArray&)> get; // empty: no getter
};

using FieldCasePtr = std::shared_ptr<FieldCase>;

FieldCasePtr field(Placement where, std::function<void(VlanConfigArray&, int)> set,
                   std::function<unsigned(const VlanConfigArray&)> get)
{
    return std::make_shared<FieldCase>(FieldCase{std::move(where), std::move(set), std::move(get)});
}

Bytes randomBytes(std::mt19937& rng)
{
    Bytes b;
    for (auto& x : b)
        x = (unsigned char)(rng() & 0xFF);
    return b;
}

// Byte 0..81 and the bits of the two that differ, for a readable failure.
QByteArray firstDifference(const unsigned char* a, const unsigned char* b, int n)
{
    for (int i = 0; i < n; ++i)
        if (a[i] != b[i])
            return QByteArray("byte ") + QByteArray::number(i) + ": "
                   + QByteArray::number(a[i], 16) + " vs " + QByteArray::number(b[i], 16);
    return QByteArray();
}

} // namespace

Q_DECLARE_METATYPE(FieldCasePtr)

class TestVlanConfig : public QObject
{
    Q_OBJECT

private slots:
    void fieldRoundTrip_data();
    void fieldRoundTrip();
    void portWithoutBitChangesNothing_data();
    void portWithoutBitChangesNothing();
    void defaultVidPacking();
    void defaultVidOutsidePorts();
    void entryCount();
    void blankRule_data();
    void blankRule();
    void defaultImageReadsBack();
    void portForwardingKeepsLowNibble();
    void slotsRoundTrip();
    void slotUnpacksNmsAsMember_data();
    void slotUnpacksNmsAsMember();
    void slotOutsideRegion();
};

void TestVlanConfig::fieldRoundTrip_data()
{
    QTest::addColumn<FieldCasePtr>("field");

    using A = VlanConfigArray;
    auto addPortField = [](const char* name, int p, Placement where,
                           void (A::*set)(tPortik, char), unsigned char (A::*get)(tPortik) const) {
        QTest::newRow(QByteArray(name).append(QByteArray::number(p)).constData())
            << field(where, [=](A& a, int v) { (a.*set)(tPortik(p), char(v)); },
                     [=](const A& a) { return unsigned((a.*get)(tPortik(p))); });
    };
    for (int p = port_line2; p <= port_modem2; ++p) {
        addPortField("ingress_policy ", p, {{1, (unsigned char)(1u << p)}},
                     &A::set_ingress_policy, &A::get_ingress_policy);
        addPortField("force_DefVID ", p, {{2, (unsigned char)(1u << p)}},
                     &A::set_force_DefVID, &A::get_force_DefVID);
    }
    const Placement doubleTag[] = {{{2, 0x20}}, {{2, 0x40}}, {{2, 0x80}}, {{3, 0x01}}, {{3, 0x02}}};
    for (int p = port_line2; p <= port_modem2; ++p)
        addPortField("doubleTag_mode ", p, doubleTag[p], &A::set_doubleTag_mode,
                     &A::get_doubleTag_mode);

    QTest::newRow("cfg_pole_version")
        << field({{0, 0x07}}, [](A& a, int v) { a.set_cfg_pole_version((unsigned char)v); }, {});
    QTest::newRow("remove_1PT")
        << field({{1, 0x20}}, [](A& a, int v) { a.set_remove_1PT(char(v)); },
                 [](const A& a) { return unsigned(a.get_remove_1PT()); });
    QTest::newRow("vlan_mode")
        << field({{1, 0xC0}}, [](A& a, int v) { a.set_vlan_mode(char(v)); },
                 [](const A& a) { return unsigned(a.get_vlan_mode()); });
    QTest::newRow("provEth_type")
        << field({{3, 0x0C}}, [](A& a, int v) { a.set_provEth_type(char(v)); },
                 [](const A& a) { return unsigned(a.get_provEth_type()); });

    const Placement defaultVid[] = {
        {{5, 0xFF}, {6, 0x0F}},  {{6, 0xF0}, {7, 0xFF}},  {{8, 0xFF}, {9, 0x0F}},
        {{9, 0xF0}, {10, 0xFF}}, {{11, 0xFF}, {12, 0x0F}}, {{12, 0xF0}, {13, 0xFF}},
    };
    for (int p = port_line2; p <= port_nms; ++p)
        QTest::newRow(QByteArray("Default_VID ").append(QByteArray::number(p)).constData())
            << field(defaultVid[p],
                     [p](A& a, int v) { a.set_Default_VID(tPortik(p), (unsigned short)v); },
                     [p](const A& a) { return unsigned(a.get_Default_VID(tPortik(p))); });

    // The count is written as a 16-bit word; only its low byte reads back.
    QTest::newRow("pocet_vlan")
        << field({{14, 0xFF}, {15, 0xFF}},
                 [](A& a, int v) { a.set_pocet_vlan((unsigned short)v); },
                 [](const A& a) { return unsigned(a.get_pocet_vlan()) | 0x10000u; });

    QTest::newRow("misc flags of byte 0")
        << field({{0, 0x10}, {0, 0x20}, {0, 0x40}},
                 [](A& a, int v) { a.setMiscFlags(v & 1, v & 2, v & 4); },
                 [](const A& a) {
                     return unsigned(a.disableLearning()) | unsigned(a.bpduPriorityOverride()) << 1
                            | unsigned(a.lacpPriorityOverride()) << 2;
                 });

    QTest::newRow("port forwarding")
        << field({{3, 0xF0}, {4, 0xFF}},
                 [](A& a, int v) {
                     PortForwarding boxes{};
                     for (int i = 0; i < kPortForwardingBoxes; ++i)
                         boxes[i] = (v >> i) & 1;
                     a.setPortForwarding(boxes);
                 },
                 [](const A& a) {
                     unsigned v = 0;
                     const PortForwarding boxes = a.portForwarding();
                     for (int i = 0; i < kPortForwardingBoxes; ++i)
                         v |= unsigned(boxes[i]) << i;
                     return v;
                 });
}

// Every field: set a value (including values wider than the field and
// negative item indices) into random arrays, all-zero and all-ones arrays;
// the field's bits hold the value cut to the width, the getter reads it, and
// no other bit of the 82 bytes moved.
void TestVlanConfig::fieldRoundTrip()
{
    QFETCH(FieldCasePtr, field);
    const unsigned w = width(field->where);
    const unsigned cut = (1u << w) - 1u;

    std::mt19937 rng(0x5EED + w);
    std::vector<int> values;
    if (w <= 4)
        for (int v = -8; v < int(1u << w) + 8; ++v) // every value, and some beyond
            values.push_back(v);
    for (int i = 0; i < 200; ++i)
        values.push_back(int(rng() & 0xFFFF));
    values.push_back(-1);

    for (int round = 0; round < int(values.size()); ++round) {
        Bytes before = round % 3 == 0 ? Bytes{} : randomBytes(rng);
        if (round % 3 == 1)
            before.fill(0xFF);
        Bytes after = before;
        VlanConfigArray cfg(after.data());
        const int v = values[round];
        field->set(cfg, v);

        // A setter takes a byte (or a word for the VIDs and the count): cut.
        const bool wordSetter = w >= 12;
        const unsigned passed = wordSetter ? unsigned(v) & 0xFFFFu : unsigned(v) & 0xFFu;
        const unsigned expected = passed & cut;
        QCOMPARE(extract(after.data(), field->where), expected);
        if (field->get) {
            unsigned got = field->get(cfg);
            if (got & 0x10000u) // the count reads its low byte only
                QCOMPARE(got & 0xFFFFu, expected & 0xFFu);
            else
                QCOMPARE(got, expected);
        }

        Bytes untouched = after;
        for (auto [byte, mask] : field->where)
            untouched[byte] = (unsigned char)((untouched[byte] & ~mask) | (before[byte] & mask));
        if (untouched != before)
            QFAIL(firstDifference(untouched.data(), before.data(), kVlanConfigSize).constData());
    }
}

void TestVlanConfig::portWithoutBitChangesNothing_data()
{
    QTest::addColumn<int>("port");
    QTest::newRow("port_nms") << int(port_nms);
    QTest::newRow("value 6") << 6;
    QTest::newRow("value 255") << 255;
}

// NMS has no ingress, force or double-tag bit: reads give 0 and writes
// change nothing, whatever the array holds.
void TestVlanConfig::portWithoutBitChangesNothing()
{
    QFETCH(int, port);
    const tPortik p = tPortik(port);
    for (unsigned char fill : {0x00, 0xFF}) {
        Bytes bytes;
        bytes.fill(fill);
        const Bytes before = bytes;
        VlanConfigArray cfg(bytes.data());
        QCOMPARE(cfg.get_ingress_policy(p), 0);
        QCOMPARE(cfg.get_force_DefVID(p), 0);
        QCOMPARE(cfg.get_doubleTag_mode(p), 0);
        cfg.set_ingress_policy(p, char(fill ? 0 : 1));
        cfg.set_force_DefVID(p, char(fill ? 0 : 1));
        cfg.set_doubleTag_mode(p, char(fill ? 0 : 1));
        QVERIFY(bytes == before);
    }
}

void TestVlanConfig::defaultVidPacking()
{
    Bytes bytes{};
    VlanConfigArray cfg(bytes.data());

    // LINE 3 is the second value of its pair: high nibble of byte 6 and byte 7.
    bytes[5] = 0xAB;
    bytes[6] = 0x0C;
    cfg.set_Default_VID(port_line3, 0x123);
    QCOMPARE(bytes[5], 0xAB);
    QCOMPARE(bytes[6], 0x3C);
    QCOMPARE(bytes[7], 0x12);
    QCOMPARE(cfg.get_Default_VID(port_line3), 0x123);
    QCOMPARE(cfg.get_Default_VID(port_line2), 0xCAB);

    bytes = {};
    cfg.set_Default_VID(port_line2, 4095);
    cfg.set_Default_VID(port_line3, 1);
    QCOMPARE(bytes[5], 0xFF);
    QCOMPARE(bytes[6], 0x1F);
    QCOMPARE(bytes[7], 0x00);
    QCOMPARE(cfg.get_Default_VID(port_line2), 4095);
    QCOMPARE(cfg.get_Default_VID(port_line3), 1);

    // A value above twelve bits is cut, not carried into the neighbour.
    cfg.set_Default_VID(port_line2, 0xF005);
    QCOMPARE(cfg.get_Default_VID(port_line2), 0x005);
    QCOMPARE(cfg.get_Default_VID(port_line3), 1);

    // NMS: byte 12 high nibble and byte 13; Modem 2 in the low nibble stays.
    bytes = {};
    cfg.set_Default_VID(port_modem2, 0xFFF);
    cfg.set_Default_VID(port_nms, 0xABC);
    QCOMPARE(bytes[11], 0xFF);
    QCOMPARE(bytes[12], 0xCF);
    QCOMPARE(bytes[13], 0xAB);
    QCOMPARE(bytes[14], 0x00);
}

void TestVlanConfig::defaultVidOutsidePorts()
{
    Bytes bytes;
    bytes.fill(0xFF);
    const Bytes before = bytes;
    VlanConfigArray cfg(bytes.data());
    for (int p : {6, 7, 200, 255}) {
        QCOMPARE(cfg.get_Default_VID(tPortik(p)), 0);
        cfg.set_Default_VID(tPortik(p), 0);
    }
    QVERIFY(bytes == before);
}

void TestVlanConfig::entryCount()
{
    Bytes bytes{};
    VlanConfigArray cfg(bytes.data());
    cfg.set_pocet_vlan(300);
    QCOMPARE(bytes[14], 0x2C);
    QCOMPARE(bytes[15], 0x01);
    QCOMPARE(cfg.get_pocet_vlan(), 44);
    QCOMPARE(cfg.storedEntryCount(), 22);

    bytes[14] = 22;
    bytes[15] = 0xFF; // the high byte is not read
    QCOMPARE(cfg.get_pocet_vlan(), 22);
    QCOMPARE(cfg.storedEntryCount(), 22);
    bytes[14] = 23;
    QCOMPARE(cfg.storedEntryCount(), 22);
    bytes[14] = 255;
    QCOMPARE(cfg.get_pocet_vlan(), 255);
    QCOMPARE(cfg.storedEntryCount(), 22);
    bytes[14] = 0;
    QCOMPARE(cfg.storedEntryCount(), 0);
    bytes[14] = 7;
    QCOMPARE(cfg.storedEntryCount(), 7);
}

void TestVlanConfig::blankRule_data()
{
    QTest::addColumn<int>("ffCount");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("none") << 0 << false;
    QTest::newRow("one short of the threshold") << kVlanBlankThreshold - 1 << false;
    QTest::newRow("threshold") << kVlanBlankThreshold << true;
    QTest::newRow("81 of 82") << 81 << true;
    QTest::newRow("all 82") << 82 << true;
}

void TestVlanConfig::blankRule()
{
    QFETCH(int, ffCount);
    QFETCH(bool, replaced);

    std::mt19937 rng(ffCount);
    for (int round = 0; round < 20; ++round) {
        // ffCount bytes of 0xFF at random places, the others anything else.
        Bytes bytes;
        for (auto& b : bytes)
            b = (unsigned char)(rng() % 0xFF);
        std::vector<int> places(kVlanConfigSize);
        for (int i = 0; i < kVlanConfigSize; ++i)
            places[i] = i;
        std::shuffle(places.begin(), places.end(), rng);
        for (int i = 0; i < ffCount; ++i)
            bytes[places[i]] = 0xFF;
        const Bytes before = bytes;

        QCOMPARE(VlanConfigArray::isBlank(bytes.data()), replaced);
        VlanConfigArray cfg(bytes.data());
        QCOMPARE(cfg.applyBlankRule(), replaced);
        QVERIFY(bytes == (replaced ? VlanConfigArray::defaultImage() : before));
    }
}

void TestVlanConfig::defaultImageReadsBack()
{
    Bytes bytes;
    bytes.fill(0x5A);
    VlanConfigArray cfg(bytes.data());
    cfg.writeDefaultImage();
    QVERIFY(bytes == VlanConfigArray::defaultImage());

    const Bytes expected = {0x00, 0x00, 0x00, 0xFB, 0xAB, 0x01, 0x10, 0x00, 0x01, 0x10, 0x00,
                            0x01, 0x10, 0x00, 0x01, 0x00, 0x01, 0x70, 0x7B};
    QVERIFY(bytes == expected);

    QCOMPARE(bytes[0] & 0x07, 0);
    QCOMPARE(cfg.get_vlan_mode(), 0);
    for (int p = port_line2; p <= port_nms; ++p)
        QCOMPARE(cfg.get_Default_VID(tPortik(p)), 1);
    QCOMPARE(cfg.get_provEth_type(), 2);
    QCOMPARE(cfg.get_doubleTag_mode(port_line2), 0);
    QCOMPARE(cfg.get_doubleTag_mode(port_modem1), 1);
    QCOMPARE(cfg.get_doubleTag_mode(port_modem2), 1);
    QCOMPARE(cfg.get_pocet_vlan(), 1);
    QVERIFY(!cfg.disableLearning() && !cfg.bpduPriorityOverride() && !cfg.lacpPriorityOverride());

    const PortForwarding fwd = {true, true, true, true,   // Modem 1 to LINE 2..4, Modem 2 to LINE 2
                                true, true,               // Modem 2 to LINE 3, 4
                                false, true, false, true, false, // NMS to LINE 2..4, Modem 1, 2
                                true};                    // Separate User Ports
    QVERIFY(cfg.portForwarding() == fwd);

    const StaticVlanEntry entry0{1, {not_a_member, untagged_member, not_a_member, tagged_member,
                                     not_a_member, untagged_member}};
    QVERIFY(cfg.readSlot(0) == entry0);
    // Zero slots: an NMS code 0 reads as a member.
    const StaticVlanEntry zero{0, {0, 0, 0, 0, 0, untagged_member}};
    QVERIFY(cfg.readSlot(1) == zero);
    QVERIFY(cfg.readSlot(21) == zero);
}

void TestVlanConfig::portForwardingKeepsLowNibble()
{
    Bytes bytes{};
    bytes[3] = 0x0B; // modem double tags, EtherType
    VlanConfigArray cfg(bytes.data());
    PortForwarding all;
    all.fill(true);
    cfg.setPortForwarding(all);
    QCOMPARE(bytes[3], 0xFB);
    QCOMPARE(bytes[4], 0xFF);
    cfg.setPortForwarding(PortForwarding{});
    QCOMPARE(bytes[3], 0x0B);
    QCOMPARE(bytes[4], 0x00);

    PortForwarding one{};
    one[6] = true; // NMS to LINE 2
    cfg.setPortForwarding(one);
    QCOMPARE(bytes[4], 0b0000'0100);
    one = {};
    one[3] = true; // Modem 2 to LINE 2
    cfg.setPortForwarding(one);
    QCOMPARE(bytes[3], 0b1000'1011);
}

// Random slots written and read back; each write touches its own three
// bytes only.
void TestVlanConfig::slotsRoundTrip()
{
    std::mt19937 rng(22);
    for (int round = 0; round < 300; ++round) {
        Bytes bytes = randomBytes(rng);
        const Bytes before = bytes;
        VlanConfigArray cfg(bytes.data());
        const int slot = int(rng() % kMaxStaticVlans);
        StaticVlanEntry entry;
        entry.vid = (unsigned short)(rng() & 0xFFF);
        for (auto& c : entry.codes)
            c = (unsigned char)(rng() & 3);
        cfg.writeSlot(slot, entry);

        const int first = 16 + 3 * slot;
        for (int i = 0; i < kVlanConfigSize; ++i)
            if (i < first || i > first + 2)
                QCOMPARE(bytes[i], before[i]);
        QCOMPARE(bytes[first], entry.vid & 0xFF);
        QCOMPARE(bytes[first + 1], (entry.vid >> 8) | entry.codes[0] << 4 | entry.codes[1] << 6);
        QCOMPARE(bytes[first + 2], entry.codes[2] | entry.codes[3] << 2 | entry.codes[4] << 4
                                       | entry.codes[5] << 6);

        StaticVlanEntry back = cfg.readSlot(slot);
        if (entry.codes[port_nms] != not_a_member)
            entry.codes[port_nms] = untagged_member;
        QVERIFY(back == entry);
    }
}

void TestVlanConfig::slotUnpacksNmsAsMember_data()
{
    QTest::addColumn<int>("nmsBits");
    QTest::addColumn<int>("code");
    QTest::newRow("0") << 0 << int(untagged_member);
    QTest::newRow("1") << 1 << int(untagged_member);
    QTest::newRow("2") << 2 << int(untagged_member);
    QTest::newRow("3") << 3 << int(not_a_member);
}

void TestVlanConfig::slotUnpacksNmsAsMember()
{
    QFETCH(int, nmsBits);
    QFETCH(int, code);
    Bytes bytes{};
    bytes[16 + 3 * 21 + 2] = (unsigned char)(nmsBits << 6 | 0x2A);
    VlanConfigArray cfg(bytes.data());
    const StaticVlanEntry e = cfg.readSlot(21);
    QCOMPARE(int(e.codes[port_nms]), code);
    QCOMPARE(int(e.codes[port_line4]), 2);
    QCOMPARE(int(e.codes[port_modem1]), 2);
    QCOMPARE(int(e.codes[port_modem2]), 2);
}

// Slots outside 0..21 read a zero entry and write nothing; the array sits in
// a bigger buffer whose guard bytes must survive.
void TestVlanConfig::slotOutsideRegion()
{
    std::vector<unsigned char> buffer(kVlanConfigSize + 2 * 16, 0xA5);
    unsigned char* bytes = buffer.data() + 16;
    std::fill(bytes, bytes + kVlanConfigSize, 0x33);
    const std::vector<unsigned char> before = buffer;
    VlanConfigArray cfg(bytes);
    StaticVlanEntry e{0xABC, {1, 2, 0, 1, 2, 1}};
    for (int slot : {-1, 22, 23, 255}) {
        QVERIFY(cfg.readSlot(slot) == StaticVlanEntry{});
        cfg.writeSlot(slot, e);
    }
    QVERIFY(buffer == before);
}

QTEST_GUILESS_MAIN(TestVlanConfig)
#include "tst_vlanconfig.moc"
