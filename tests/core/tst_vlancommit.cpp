// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "core/VlanCommit.h"

#include "core/IniFile.h"

#include "VlanTableRows.h"

#include <QTest>

#include <functional>
#include <memory>
#include <random>

namespace {

using Bytes = std::array<unsigned char, kVlanConfigSize>;
using M = VlanCommitMessage;
// How a Set ends, as the cases expect it.
enum class Ends { Accepted, Refused, NotAnInteger };

using namespace vlan_rows;

void setTable(VlanCommitInput& in, VlanPole pole)
{
    in.vlanCount = vlanPoleEntries(pole);
    in.table = std::move(pole);
}

void setVids(VlanCommitInput& in, std::initializer_list<const char*> texts)
{
    int i = 0;
    for (const char* t : texts)
        in.defaultVidTexts[i++] = QString::fromLatin1(t);
}

// A Single Tag configuration that every check accepts: entry 0 is the NMS
// VLAN (VID 10) with LINE 2 untagged, NMS reaches LINE 2, and the LINE 2 and
// NMS Default VIDs are 10.
VlanCommitInput acceptedSingleTag()
{
    VlanCommitInput in;
    setVids(in, {"10", "1", "1", "1", "1", "10"});
    in.vlanMode = vlan_mode_single_tag;
    in.provEthType = 2;
    in.portForwarding[kFwdNmsLine2] = true;
    setTable(in, table({{10, {T1, N, N, T2, N, T1}}, {20, {T1, T1, T1, T1, T1, N}}}));
    return in;
}

// Makes every check after the uplink membership checks fail as well, so that
// a case shows that its own check comes first.
void failLaterChecks(VlanCommitInput& in)
{
    in.facts.onePlusZeroInactive = true;
    in.facts.vlanActiveInEthernet = true;
    in.facts.hasLine4 = false;
}

using Mutation = std::function<void(VlanCommitInput&)>;

struct DecisionCase
{
    const char* name;
    Mutation mutate;
    Ends kind;
    M message;
};

// The decision summary for an enabled mode, in its order of precedence. Each
// case also breaks as many later checks as its own condition allows.
const std::vector<DecisionCase>& decisionCases()
{
    using K = Ends;
    static const std::vector<DecisionCase> cases = {
        {"no entry has NMS",
         [](VlanCommitInput& in) {
             setTable(in, table({{10, {N, N, N, N, N, N}}, {11, {T1, T1, T1, T1, T1, N}}}));
             in.defaultVidTexts[5] = QStringLiteral("99");
             in.portForwarding[kFwdNmsLine4] = true;
             failLaterChecks(in);
         },
         K::Refused, M::no_vlan_2_nms},
        {"empty table",
         [](VlanCommitInput& in) {
             setTable(in, makeVlanPole(0));
             failLaterChecks(in);
         },
         K::Refused, M::no_vlan_2_nms},
        {"NMS entry beyond vlanCount does not count",
         [](VlanCommitInput& in) {
             setTable(in, table({{10, {T1, N, N, N, N, N}}, {11, {T1, T1, T1, T1, T1, T1}}}));
             in.vlanCount = 1;
         },
         K::Refused, M::no_vlan_2_nms},
        {"NMS to LINE 2, LINE 2 not a member",
         [](VlanCommitInput& in) {
             in.table[vp_line2][0] = N;
             in.portForwarding[kFwdNmsLine3] = true; // LINE 3 is not a member either
             in.defaultVidTexts[5] = QStringLiteral("11");
             failLaterChecks(in);
         },
         K::Refused, M::no_nms_vlan_2_l2},
        {"NMS to LINE 3, LINE 3 not a member, NMS Default VID different too",
         [](VlanCommitInput& in) {
             in.portForwarding[kFwdNmsLine3] = true;
             in.portForwarding[kFwdNmsLine4] = true;
             in.defaultVidTexts[5] = QStringLiteral("11");
             failLaterChecks(in);
         },
         K::Refused, M::no_nms_vlan_2_l3},
        {"NMS to LINE 4, LINE 4 not a member, unit without LINE 4",
         [](VlanCommitInput& in) {
             in.portForwarding[kFwdNmsLine4] = true;
             in.defaultVidTexts[5] = QStringLiteral("11");
             failLaterChecks(in);
         },
         K::Refused, M::no_nms_vlan_2_l4},
        {"NMS Default VID differs",
         [](VlanCommitInput& in) {
             in.defaultVidTexts[5] = QStringLiteral("11");
             in.defaultVidTexts[0] = QStringLiteral("12");
             in.table[vp_line4][0] = T1;
             in.portForwarding[kFwdNmsLine4] = true;
             in.defaultVidTexts[2] = QStringLiteral("10");
             failLaterChecks(in);
         },
         K::Refused, M::different_nms_def_vid},
        {"LINE 2 Default VID differs",
         [](VlanCommitInput& in) {
             in.defaultVidTexts[0] = QStringLiteral("12");
             in.table[vp_line3][0] = T2;
             in.portForwarding[kFwdNmsLine3] = true;
             in.defaultVidTexts[1] = QStringLiteral("13");
             failLaterChecks(in);
         },
         K::Refused, M::different_nms_vid_2_l2},
        {"LINE 3 Default VID differs",
         [](VlanCommitInput& in) {
             in.table[vp_line3][0] = T2;
             in.table[vp_line4][0] = U;
             in.portForwarding[kFwdNmsLine3] = true;
             in.portForwarding[kFwdNmsLine4] = true;
             in.defaultVidTexts[1] = QStringLiteral("13");
             in.defaultVidTexts[2] = QStringLiteral("14");
             failLaterChecks(in);
         },
         K::Refused, M::different_nms_vid_2_l3},
        {"LINE 4 Default VID differs, unit without LINE 4",
         [](VlanCommitInput& in) {
             in.table[vp_line4][0] = U;
             in.portForwarding[kFwdNmsLine4] = true;
             in.defaultVidTexts[2] = QStringLiteral("14");
             failLaterChecks(in);
         },
         K::Refused, M::different_nms_vid_2_l4},
        {"unit without LINE 4, NMS to LINE 4",
         [](VlanCommitInput& in) {
             in.table[vp_line4][0] = T2;
             in.portForwarding[kFwdNmsLine4] = true;
             in.defaultVidTexts[2] = QStringLiteral("10");
             failLaterChecks(in);
         },
         K::Refused, M::unavailable_nms_l4},
        {"1+0 inactive and VLAN active, Single Tag",
         [](VlanCommitInput& in) { failLaterChecks(in); }, K::Refused, M::cannot_1_tag_1_0},
        {"1+0 inactive and VLAN active, Double Tag",
         [](VlanCommitInput& in) {
             failLaterChecks(in);
             in.vlanMode = vlan_mode_double_tag;
         },
         K::Refused, M::cannot_2_tag_1_0},
        {"VLAN active, Single Tag",
         [](VlanCommitInput& in) { in.facts.vlanActiveInEthernet = true; }, K::Refused,
         M::cannot_1_tag_v_active},
        {"VLAN active, Double Tag",
         [](VlanCommitInput& in) {
             in.facts.vlanActiveInEthernet = true;
             in.vlanMode = vlan_mode_double_tag;
         },
         K::Refused, M::cannot_2_tag_v_active},
        {"Single Tag accepted", [](VlanCommitInput&) {}, K::Accepted, M::line2_vid_out},
        {"Double Tag accepted, NMS code 0 is a member",
         [](VlanCommitInput& in) {
             in.vlanMode = vlan_mode_double_tag;
             in.table[vp_nms][0] = U;
             in.table[vp_line2][0] = U;
         },
         K::Accepted, M::line2_vid_out},
        {"ports whose uplink box is clear may have any Default VID",
         [](VlanCommitInput& in) {
             setVids(in, {"10", "4000", "1", "77", "4094", "10"});
             in.facts.hasLine4 = false;
         },
         K::Accepted, M::line2_vid_out},
        {"Disable: empty table, both facts, no LINE 4",
         [](VlanCommitInput& in) {
             in.vlanMode = vlan_mode_disable;
             setTable(in, makeVlanPole(0));
             in.portForwarding[kFwdNmsLine4] = true;
             setVids(in, {"1", "2", "3", "4", "5", "6"});
             failLaterChecks(in);
         },
         K::Accepted, M::line2_vid_out},
        {"the first NMS entry is the NMS VLAN",
         [](VlanCommitInput& in) {
             setTable(in, table({{5, {T1, T1, T1, T1, T1, N}},
                                 {20, {T1, N, N, N, N, T1}},
                                 {30, {T1, N, N, N, N, T1}}}));
             setVids(in, {"20", "1", "1", "1", "1", "20"});
         },
         K::Accepted, M::line2_vid_out},
        {"a later NMS entry that would match does not count",
         [](VlanCommitInput& in) {
             setTable(in, table({{5, {T1, T1, T1, T1, T1, N}},
                                 {20, {T1, N, N, N, N, T1}},
                                 {30, {T1, N, N, N, N, T1}}}));
             setVids(in, {"30", "1", "1", "1", "1", "30"});
         },
         K::Refused, M::different_nms_def_vid},
        {"an entry marked for deletion is still the NMS VLAN",
         [](VlanCommitInput& in) {
             in.table[vp_mark][0] = 1;
             in.table[vp_mark][1] = 1;
         },
         K::Accepted, M::line2_vid_out},
        {"mode index -1 passes the mode checks",
         [](VlanCommitInput& in) {
             in.vlanMode = -1;
             in.facts.onePlusZeroInactive = true;
             in.facts.vlanActiveInEthernet = true;
         },
         K::Accepted, M::line2_vid_out},
        {"mode index -1 still runs the NMS checks",
         [](VlanCommitInput& in) {
             in.vlanMode = -1;
             setTable(in, makeVlanPole(0));
         },
         K::Refused, M::no_vlan_2_nms},
    };
    return cases;
}

// Phase 2 written from an all-ones or an all-zeros array: the expected bytes,
// written out by hand from the byte map.
VlanCommitInput phaseTwoInput()
{
    VlanCommitInput in;
    setVids(in, {"10", "291", "1", "4094", "2", "10"}); // 291 = 0x123, 4094 = 0xFFE
    in.forceDefVid = {true, false, true, false, false};
    in.ingressPolicy = {0, 1, -1, 0, 1};
    in.doubleTagMode = {1, 0, -1};
    in.remove1PT = false;
    in.vlanMode = vlan_mode_single_tag;
    in.provEthType = 1;
    in.portForwarding = {true, false, false, true,  // CheckBox7..10
                         false, true, true, false,  // CheckBox11..14
                         false, true, false, true}; // CheckBox15..18
    in.disableLearning = true;
    in.bpduPriorityOverride = false;
    in.lacpPriorityOverride = true;
    setTable(in, table({{10, {T1, N, N, T2, N, T1}}, {2000, {U, T2, T1, U, T2, N}, 1}}));
    return in;
}

Bytes phaseTwoExpected(unsigned char original)
{
    Bytes e;
    e.fill(original);
    const bool ones = original == 0xFF;
    e[0] = ones ? 0b1101'1000  // reserved bits 3 and 7 kept, LACP, learning, version 0
                : 0b0101'0000;
    e[1] = 0b0101'0110;        // mode 1, remove_1PT 0, ingress Modem 2, LINE 4 (-1), LINE 3
    e[2] = 0b1010'0101;        // double tag LINE 4 (-1) and LINE 2; force LINE 4 and LINE 2
    e[3] = ones ? 0b1001'0111  // forwarding CB10, CB7; EtherType 1; modem double tags kept
                : 0b1001'0100;
    e[4] = 0b1010'0110;        // CB18, CB16, CB13, CB12
    const unsigned char vids[] = {0x0A, 0x30, 0x12, 0x01, 0xE0, 0xFF, 0x02, 0xA0, 0x00};
    for (int i = 0; i < 9; ++i)
        e[5 + i] = vids[i];
    e[14] = 2;
    e[15] = 0;
    const unsigned char entryBytes[] = {
        0x0A, 0b1101'0000, 0b0111'1011,  // VID 10: LINE 3 N, LINE 2 T1 | NMS T1, Modem 2 N, Modem 1 T2, LINE 4 N
        0xD0, 0b1000'0111, 0b1110'0001,  // VID 0x7D0: LINE 3 T2, LINE 2 U | NMS N, Modem 2 T2, Modem 1 U, LINE 4 T1
    };
    for (int i = 0; i < 6; ++i)
        e[16 + i] = entryBytes[i];
    return e;
}

QByteArray describe(const VlanCommitResult& set)
{
    if (set)
        return "accepted";
    const VlanCommitRefusal& r = set.error();
    if (r.kind == VlanCommitRefusal::NotAnInteger)
        return "not an integer at field " + QByteArray::number(r.field);
    return QByteArray("refused with ") + vlanCommitText(r.message).key;
}

QByteArray describe(Ends kind, M message, int field = -1)
{
    if (kind == Ends::Accepted)
        return describe(VlanCommitResult());
    return describe(Failure(VlanCommitRefusal{.kind = kind == Ends::Refused ? VlanCommitRefusal::Refused
                                                                             : VlanCommitRefusal::NotAnInteger,
                                              .message = message,
                                              .field = field}));
}

} // namespace

class TestVlanCommit : public QObject
{
    Q_OBJECT

private slots:
    void decisionSummary_data();
    void decisionSummary();
    void phaseOneWritesUpToTheFailure_data();
    void phaseOneWritesUpToTheFailure();
    void phaseTwoBitByBit_data();
    void phaseTwoBitByBit();
    void refusalKeepsWholeConfiguration();
    void itemIndexMinusOne();
    void countAbove22StaysInsideArray_data();
    void countAbove22StaysInsideArray();
    void messageTexts();
};

void TestVlanCommit::decisionSummary_data()
{
    QTest::addColumn<int>("index");
    const auto& cases = decisionCases();
    for (int i = 0; i < int(cases.size()); ++i)
        QTest::newRow(cases[i].name) << i;
}

void TestVlanCommit::decisionSummary()
{
    QFETCH(int, index);
    const DecisionCase& c = decisionCases()[index];
    VlanCommitInput in = acceptedSingleTag();
    c.mutate(in);

    Bytes bytes = VlanConfigArray::defaultImage();
    const VlanCommitResult out = commitVlanSettings(in, VlanConfigArray(bytes.data()));
    QCOMPARE(describe(out), describe(c.kind, c.message));

    // Phase 3 runs after everything was written: the mode, the count and the
    // NMS Default VID are in the array whatever the outcome.
    VlanConfigArray cfg(bytes.data());
    QCOMPARE(int(cfg.get_vlan_mode()), in.vlanMode & 3);
    QCOMPARE(int(cfg.get_pocet_vlan()), in.vlanCount);
    QCOMPARE(QString::number(cfg.get_Default_VID(port_nms)), in.defaultVidTexts[5]);
}

void TestVlanCommit::phaseOneWritesUpToTheFailure_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("integer"); // false: the text is no integer at all

    for (int f = 0; f < 6; ++f) {
        const QByteArray p = "Edit" + QByteArray::number(f + 2) + " ";
        for (const char* t : {"0", "4095", "9999", "-1", "65537"})
            QTest::newRow((p + t).constData()) << f << QString::fromLatin1(t) << true;
        for (const char* t : {"", "abc", "12a", "0x10", " "})
            QTest::newRow((p + "'" + t + "'").constData()) << f << QString::fromLatin1(t) << false;
    }
}

// A Default VID that fails its check ends the operation: the ports before it
// are written, nothing else is.
void TestVlanCommit::phaseOneWritesUpToTheFailure()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(bool, integer);

    const M range[] = {M::line2_vid_out, M::line3_vid_out, M::line4_vid_out,
                       M::mdm1_vid_out,  M::mdm2_vid_out,  M::nms__vid_out};
    VlanCommitInput in = phaseTwoInput();
    setVids(in, {"101", "202", "303", "404", "505", "606"});
    in.defaultVidTexts[field] = text;

    std::mt19937 rng(field);
    Bytes bytes;
    for (auto& b : bytes)
        b = (unsigned char)(rng() & 0xFF);
    Bytes expected = bytes;
    VlanConfigArray expectedCfg(expected.data());
    for (int p = 0; p < field; ++p)
        expectedCfg.set_Default_VID(tPortik(p), (unsigned short)(101 * (p + 1)));

    const VlanCommitResult out = commitVlanSettings(in, VlanConfigArray(bytes.data()));
    if (integer) {
        QCOMPARE(describe(out), describe(Ends::Refused, range[field]));
    } else {
        QCOMPARE(describe(out), describe(Ends::NotAnInteger, M::line2_vid_out, field));
        QCOMPARE(out.error().fieldText, text);
    }
    QVERIFY(bytes == expected);
}

void TestVlanCommit::phaseTwoBitByBit_data()
{
    QTest::addColumn<int>("original");
    QTest::newRow("from all ones") << 0xFF;
    QTest::newRow("from all zeros") << 0x00;
}

// Every byte Set writes, and every bit it must leave: reserved bits of byte
// 0, the modem double-tag bits, the slots after the count.
void TestVlanCommit::phaseTwoBitByBit()
{
    QFETCH(int, original);
    Bytes bytes;
    bytes.fill((unsigned char)original);
    const VlanCommitResult out = commitVlanSettings(phaseTwoInput(), VlanConfigArray(bytes.data()));
    QVERIFY(out.ok());
    const Bytes expected = phaseTwoExpected((unsigned char)original);
    for (int i = 0; i < kVlanConfigSize; ++i)
        if (bytes[i] != expected[i])
            QFAIL(qPrintable(QStringLiteral("byte %1: %2, expected %3")
                                 .arg(i)
                                 .arg(bytes[i], 8, 2, QLatin1Char('0'))
                                 .arg(expected[i], 8, 2, QLatin1Char('0'))));
}

// A refusal in phase 3 leaves the whole new configuration, the refused mode
// included; pressing again after a correction rewrites everything.
void TestVlanCommit::refusalKeepsWholeConfiguration()
{
    VlanCommitInput in = phaseTwoInput();
    in.facts.onePlusZeroInactive = true;
    Bytes bytes;
    bytes.fill(0xFF);
    VlanCommitResult out = commitVlanSettings(in, VlanConfigArray(bytes.data()));
    QCOMPARE(describe(out), describe(Ends::Refused, M::cannot_1_tag_1_0));
    QVERIFY(bytes == phaseTwoExpected(0xFF));

    in.facts.onePlusZeroInactive = false;
    in.disableLearning = false;
    out = commitVlanSettings(in, VlanConfigArray(bytes.data()));
    QVERIFY(out.ok());
    Bytes expected = phaseTwoExpected(0xFF);
    expected[0] &= ~0x10;
    QVERIFY(bytes == expected);
}

// A combo box with no selection passes -1: the last item of each list.
void TestVlanCommit::itemIndexMinusOne()
{
    VlanCommitInput in = acceptedSingleTag();
    in.ingressPolicy.fill(-1);
    in.doubleTagMode.fill(-1);
    in.provEthType = -1;
    Bytes bytes{};
    QVERIFY(commitVlanSettings(in, VlanConfigArray(bytes.data())).ok());
    VlanConfigArray cfg(bytes.data());
    for (int p = port_line2; p <= port_modem2; ++p)
        QCOMPARE(cfg.get_ingress_policy(tPortik(p)), 1);
    for (int p = port_line2; p <= port_line4; ++p)
        QCOMPARE(cfg.get_doubleTag_mode(tPortik(p)), 1);
    QCOMPARE(cfg.get_doubleTag_mode(port_modem1), 0);
    QCOMPARE(cfg.get_doubleTag_mode(port_modem2), 0);
    QCOMPARE(cfg.get_provEth_type(), 3);
}

void TestVlanCommit::countAbove22StaysInsideArray_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("vlanCount");
    QTest::addColumn<int>("packed");
    QTest::newRow("22 of 22") << 22 << 22 << 22;
    QTest::newRow("30 of 30") << 30 << 30 << 22;
    QTest::newRow("count 300, 30 entries") << 30 << 300 << 22;
    QTest::newRow("count 30, 5 entries") << 5 << 30 << 5;
    QTest::newRow("count -4") << 5 << -4 << 0;
}

void TestVlanCommit::countAbove22StaysInsideArray()
{
    QFETCH(int, entries);
    QFETCH(int, vlanCount);
    QFETCH(int, packed);

    VlanCommitInput in = acceptedSingleTag();
    in.vlanMode = vlan_mode_disable;
    in.table = makeVlanPole(entries);
    for (int i = 0; i < entries; ++i) {
        in.table[vp_vid][i] = short(100 + i);
        in.table[vp_nms][i] = T1;
    }
    in.vlanCount = vlanCount;

    // Guard bytes around the array catch writes past either end.
    std::vector<unsigned char> buffer(kVlanConfigSize + 2 * 32, 0xA5);
    unsigned char* bytes = buffer.data() + 32;
    std::fill(bytes, bytes + kVlanConfigSize, 0xEE);
    QVERIFY(commitVlanSettings(in, VlanConfigArray(bytes)).ok());
    for (int i = 0; i < 32; ++i) {
        QCOMPARE(buffer[i], 0xA5);
        QCOMPARE(buffer[32 + kVlanConfigSize + i], 0xA5);
    }
    VlanConfigArray cfg(bytes);
    QCOMPARE(int(cfg.get_pocet_vlan()), packed);
    QCOMPARE(int(bytes[15]), 0);
    for (int i = 0; i < packed; ++i)
        QCOMPARE(int(cfg.readSlot(i).vid), 100 + i);
    for (int i = 16 + 3 * packed; i < kVlanConfigSize; ++i)
        QCOMPARE(bytes[i], 0xEE);

    // The same on an array of exactly 82 bytes, for the sanitizer build.
    auto exact = std::make_unique<unsigned char[]>(kVlanConfigSize);
    in.vlanMode = vlan_mode_single_tag;
    setVids(in, {"1", "1", "1", "1", "1", "100"});
    in.portForwarding = {};
    const VlanCommitResult out = commitVlanSettings(in, VlanConfigArray(exact.get()));
    QCOMPARE(out.ok(), packed > 0);
}

void TestVlanCommit::messageTexts()
{
    // The keys the catalogue is asked for, in the order of VlanCommitMessage.
    const char* keys[] = {"line2_vid_out",          "line3_vid_out",          "line4_vid_out",
                          "mdm1_vid_out",           "mdm2_vid_out",           "nms__vid_out",
                          "no_vlan_2_nms",          "no_nms_vlan_2_l2",       "no_nms_vlan_2_l3",
                          "no_nms_vlan_2_l4",       "different_nms_def_vid",  "different_nms_vid_2_l2",
                          "different_nms_vid_2_l3", "different_nms_vid_2_l4", "unavailable_nms_l4",
                          "cannot_1_tag_1_0",       "cannot_2_tag_1_0",       "cannot_1_tag_v_active",
                          "cannot_2_tag_v_active"};
    static_assert(std::size(keys) == kVlanCommitMessages);

    QByteArray catalogue = "[VLAN]\n";
    for (const char* k : keys)
        catalogue += QByteArray(k) + "=text of " + k + "\n";
    TIniFile ini;
    ini.parse(catalogue);

    VlanCommitRefusal out;
    for (int i = 0; i < kVlanCommitMessages; ++i) {
        out.message = M(i);
        QCOMPARE(vlanCommitRefusalText(out, &ini), QStringLiteral("text of ") + QLatin1String(keys[i]));
    }

    out.message = M::nms__vid_out;
    QCOMPARE(vlanCommitRefusalText(out, nullptr),
             QStringLiteral("NMS VID is out of range. The valid range is 1 to 4094."));
    out.message = M::cannot_2_tag_v_active;
    TIniFile empty;
    QCOMPARE(vlanCommitRefusalText(out, &empty),
             QStringLiteral("Double Tag mode cannot be enabled since VLAN is active in Ethernet properties!"));

    out.kind = VlanCommitRefusal::NotAnInteger;
    out.field = 3;
    out.fieldText = QString();
    QCOMPARE(vlanCommitRefusalText(out, &ini), QStringLiteral("'''' is not a valid integer value"));
    out.fieldText = QStringLiteral("%1x");
    QCOMPARE(vlanCommitRefusalText(out, &ini), QStringLiteral("''%1x'' is not a valid integer value"));

}

QTEST_GUILESS_MAIN(TestVlanCommit)
#include "tst_vlancommit.moc"
