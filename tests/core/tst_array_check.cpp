// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The checks of a saved array: the forwarding boxes as the VLAN dialog loads
// them and their rules, the fields that apply in a mode, the QoS weights rule
// and the warnings that no dialog gives.

#include "core/ArrayCheck.h"
#include "core/FieldCatalogue.h"
#include "core/UnitConstants.h"
#include "core/VlanConfig.h"
#include "core/VlanRules.h"

#include <QTest>

#include <array>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

using Bytes = std::array<unsigned char, kVlanConfigSize>;

StaticVlanEntry makeEntry(unsigned short vid, std::array<unsigned char, 6> codes)
{
    StaticVlanEntry e;
    e.vid = vid;
    e.codes = codes;
    return e;
}

// A Single Tag array that Set accepts: VLAN 10 carries NMS and LINE 2, whose
// uplink box is on, and every Default VID is 10.
Bytes acceptedSingleTag()
{
    Bytes b = VlanConfigArray::defaultImage();
    VlanConfigArray cfg(b.data());
    cfg.set_vlan_mode(vlan_mode_single_tag);
    for (int p = port_line2; p <= port_nms; ++p)
        cfg.set_Default_VID(tPortik(p), 10);
    cfg.writeSlot(0, makeEntry(10, {untagged_member, untagged_member, untagged_member, tagged_member, tagged_member,
                                    untagged_member}));
    cfg.set_pocet_vlan(1);
    PortForwarding fwd{};
    fwd[kFwdNmsLine2] = true;
    cfg.setPortForwarding(fwd);
    return b;
}

QStringList texts(const QList<ArrayFinding>& findings, ArrayFinding::Severity severity)
{
    QStringList out;
    for (const ArrayFinding& f : findings)
        if (f.severity == severity)
            out << f.text;
    return out;
}

using Change = std::function<void(VlanConfigArray&)>;
using Weights = std::array<unsigned char, 4>;

} // namespace

Q_DECLARE_METATYPE(PortForwarding)
Q_DECLARE_METATYPE(Change)
Q_DECLARE_METATYPE(UnitFactsForCheck)
Q_DECLARE_METATYPE(std::optional<VlanFieldsInMode>)

class TestArrayCheck : public QObject
{
    Q_OBJECT

private slots:
    void forwardingAsLoaded_data();
    void forwardingAsLoaded();
    void forwardingBoxChanged_data();
    void forwardingBoxChanged();
    void fieldsInMode_data();
    void fieldsInMode();
    void defaultVidWarningsFollowTheUnit_data();
    void defaultVidWarningsFollowTheUnit();
    void vlanFindings_data();
    void vlanFindings();
    void qosWeights_data();
    void qosWeights();
    void qosResolutionModes_data();
    void qosResolutionModes();
    void blankArrayChecksTheDefaultImage();
};

void TestArrayCheck::forwardingAsLoaded_data()
{
    QTest::addColumn<PortForwarding>("stored");
    QTest::addColumn<bool>("hasLine4");
    QTest::addColumn<PortForwarding>("loaded");
    const auto with = [](std::initializer_list<int> on) {
        PortForwarding f{};
        for (int i : on)
            f[std::size_t(i)] = true;
        return f;
    };
    QTest::newRow("no uplink: the designed LINE 3 stays")
        << with({}) << true << with({kFwdNmsLine3});
    QTest::newRow("LINE 2 alone") << with({kFwdNmsLine2}) << true << with({kFwdNmsLine2});
    QTest::newRow("all three: the last one set wins") << with({kFwdNmsLine2, kFwdNmsLine3, kFwdNmsLine4}) << true
                                                      << with({kFwdNmsLine4});
    QTest::newRow("LINE 4 without a LINE 4 port") << with({kFwdNmsLine4}) << false << with({kFwdNmsLine3});
    QTest::newRow("LINE 2 and 4 without a LINE 4 port") << with({kFwdNmsLine2, kFwdNmsLine4}) << false
                                                        << with({kFwdNmsLine2});
    QTest::newRow("both modems: Modem 2 wins") << with({kFwdNmsLine2, kFwdNmsModem1, kFwdNmsModem2}) << true
                                               << with({kFwdNmsLine2, kFwdNmsModem2});
    QTest::newRow("other boxes as stored")
        << with({kFwdModem1Line3, kFwdModem2Line2, kFwdNmsLine3, kFwdSeparateUserPorts}) << true
        << with({kFwdModem1Line3, kFwdModem2Line2, kFwdNmsLine3, kFwdSeparateUserPorts});
}

void TestArrayCheck::forwardingAsLoaded()
{
    QFETCH(PortForwarding, stored);
    QFETCH(bool, hasLine4);
    QFETCH(PortForwarding, loaded);
    QCOMPARE(portForwardingAsLoaded(stored, hasLine4), loaded);
}

namespace {

PortForwarding boxesOn(std::initializer_list<int> on)
{
    PortForwarding f{};
    for (int i : on)
        f[std::size_t(i)] = true;
    return f;
}

} // namespace

void TestArrayCheck::forwardingBoxChanged_data()
{
    QTest::addColumn<PortForwarding>("boxes"); // just after the change
    QTest::addColumn<int>("changed");
    QTest::addColumn<bool>("hasLine4");
    QTest::addColumn<PortForwarding>("after");
    QTest::newRow("LINE 2 on clears LINE 3") << boxesOn({kFwdNmsLine2, kFwdNmsLine3}) << int(kFwdNmsLine2) << true
                                             << boxesOn({kFwdNmsLine2});
    QTest::newRow("the only uplink off comes back") << boxesOn({}) << int(kFwdNmsLine3) << true
                                                    << boxesOn({kFwdNmsLine3});
    QTest::newRow("an uplink off beside another stays off") << boxesOn({kFwdNmsLine2}) << int(kFwdNmsLine3) << true
                                                            << boxesOn({kFwdNmsLine2});
    QTest::newRow("LINE 4 on clears both others") << boxesOn({kFwdNmsLine2, kFwdNmsLine3, kFwdNmsLine4})
                                                  << int(kFwdNmsLine4) << true << boxesOn({kFwdNmsLine4});
    QTest::newRow("LINE 4 without the port goes off, the others stay")
        << boxesOn({kFwdNmsLine3, kFwdNmsLine4}) << int(kFwdNmsLine4) << false << boxesOn({kFwdNmsLine3});
    QTest::newRow("the only uplink LINE 4 without the port: none stays")
        << boxesOn({kFwdNmsLine4}) << int(kFwdNmsLine4) << false << boxesOn({});
    QTest::newRow("Modem 1 on clears Modem 2") << boxesOn({kFwdNmsModem1, kFwdNmsModem2}) << int(kFwdNmsModem1)
                                               << true << boxesOn({kFwdNmsModem1});
    QTest::newRow("Modem 2 off: both may be off") << boxesOn({}) << int(kFwdNmsModem2) << true << boxesOn({});
    QTest::newRow("a box without a rule") << boxesOn({kFwdModem1Line2, kFwdModem2Line2}) << int(kFwdModem1Line2)
                                          << true << boxesOn({kFwdModem1Line2, kFwdModem2Line2});
    QTest::newRow("no such box") << boxesOn({kFwdNmsLine2, kFwdNmsLine3}) << kPortForwardingBoxes << true
                                 << boxesOn({kFwdNmsLine2, kFwdNmsLine3});
}

void TestArrayCheck::forwardingBoxChanged()
{
    QFETCH(PortForwarding, boxes);
    QFETCH(int, changed);
    QFETCH(bool, hasLine4);
    QFETCH(PortForwarding, after);
    QCOMPARE(afterForwardingBoxChanged(boxes, changed, hasLine4), after);
}

void TestArrayCheck::fieldsInMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("hasLine4");
    QTest::addColumn<bool>("modem2Usable");
    QTest::addColumn<std::optional<VlanFieldsInMode>>("fields");
    using F = VlanFieldsInMode;
    QTest::newRow("Disable") << 0 << true << true << std::optional(F{false, false, false, false});
    QTest::newRow("Single Tag") << 1 << true << true << std::optional(F{true, true, true, false});
    QTest::newRow("Double Tag") << 2 << true << true << std::optional(F{true, true, true, true});
    QTest::newRow("Single Tag, no LINE 4") << 1 << false << true << std::optional(F{true, false, true, false});
    QTest::newRow("Double Tag, Modem 2 unusable") << 2 << true << false << std::optional(F{true, true, false, true});
    QTest::newRow("stored mode 3 names none") << 3 << true << true << std::optional<F>();
    QTest::newRow("no mode selected") << -1 << true << true << std::optional<F>();
}

void TestArrayCheck::fieldsInMode()
{
    QFETCH(int, mode);
    QFETCH(bool, hasLine4);
    QFETCH(bool, modem2Usable);
    QFETCH(std::optional<VlanFieldsInMode>, fields);
    QCOMPARE(vlanFieldsInMode(mode, hasLine4, modem2Usable) == fields, true);
}

void TestArrayCheck::defaultVidWarningsFollowTheUnit_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<UnitFactsForCheck>("facts");
    QTest::addColumn<QStringList>("warnings");
    const QString line4 = u"LINE 4 Default VID 10 names no static entry that LINE 4 belongs to"_s;
    const QString modem2 = u"Modem 2 Default VID 10 names no static entry that Modem 2 belongs to"_s;
    UnitFactsForCheck full;
    UnitFactsForCheck noLine4;
    noLine4.vlan.hasLine4 = false;
    UnitFactsForCheck modem2Unusable;
    modem2Unusable.modem2Mode = kModem2UnusableMode;
    UnitFactsForCheck noModem2;
    noModem2.modem2Present = false;
    QTest::newRow("every port") << 1 << full << QStringList{line4, modem2};
    QTest::newRow("no LINE 4 port") << 1 << noLine4 << QStringList{modem2};
    QTest::newRow("Modem 2 in its unusable mode") << 2 << modem2Unusable << QStringList{line4};
    QTest::newRow("no Modem 2") << 1 << noModem2 << QStringList{line4};
    QTest::newRow("Disable: no Default VID applies") << 0 << full << QStringList();
}

void TestArrayCheck::defaultVidWarningsFollowTheUnit()
{
    QFETCH(int, mode);
    QFETCH(UnitFactsForCheck, facts);
    QFETCH(QStringList, warnings);
    // VLAN 10 without LINE 4 and Modem 2, whose Default VIDs name it.
    Bytes b = acceptedSingleTag();
    VlanConfigArray cfg(b.data());
    cfg.set_vlan_mode(char(mode));
    cfg.writeSlot(0, makeEntry(10, {untagged_member, untagged_member, not_a_member, tagged_member, not_a_member,
                                    untagged_member}));
    QCOMPARE(texts(checkArray(ArrayKind::Vlan, b.data(), facts), ArrayFinding::Warning), warnings);
}

void TestArrayCheck::vlanFindings_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QStringList>("warnings");

    QTest::newRow("clean") << Change([](VlanConfigArray&) {}) << QString() << QStringList();
    QTest::newRow("Set refuses a Default VID of 0")
        << Change([](VlanConfigArray& c) { c.set_Default_VID(port_modem1, 0); })
        << u"Modem 1 VID is out of range. The valid range is 1 to 4094."_s
        << QStringList{u"Modem 1 Default VID 0 names no static entry that Modem 1 belongs to"_s};
    QTest::newRow("Set refuses without LINE 4 port facts only") // facts are the defaults here: accepted
        << Change([](VlanConfigArray& c) {
               PortForwarding f = c.portForwarding();
               f[kFwdNmsLine2] = false;
               f[kFwdNmsLine4] = true;
               c.setPortForwarding(f);
           })
        << QString() << QStringList();
    QTest::newRow("stored mode 3 is checked as Double Tag")
        << Change([](VlanConfigArray& c) { c.set_vlan_mode(3); }) << QString() << QStringList();
    QTest::newRow("Default VID outside the port's VLANs")
        << Change([](VlanConfigArray& c) {
               StaticVlanEntry e = c.readSlot(0);
               e.codes[port_line3] = not_a_member;
               c.writeSlot(0, e);
           })
        << QString() << QStringList{u"LINE 3 Default VID 10 names no static entry that LINE 3 belongs to"_s};
    QTest::newRow("duplicate VID, entry without members")
        << Change([](VlanConfigArray& c) {
               c.writeSlot(1, makeEntry(10, {not_a_member, not_a_member, not_a_member, not_a_member, not_a_member,
                                             not_a_member}));
               c.set_pocet_vlan(2);
           })
        << QString()
        << QStringList{u"static entries 1 and 2 have the same VID 10"_s, u"static entry 2 (VID 10) has no member port"_s};
    QTest::newRow("VID outside 1 to 4094 in the table")
        << Change([](VlanConfigArray& c) {
               c.writeSlot(1, makeEntry(kMaxVid + 1, {untagged_member, not_a_member, not_a_member, not_a_member,
                                                      not_a_member, not_a_member}));
               c.set_pocet_vlan(2);
           })
        << QString() << QStringList{u"static entry 2 has VID 4095, outside 1 to 4094"_s};
    // Every slot in use, then a count one past the slots.
    const auto fullTable = [](int count) {
        return Change([count](VlanConfigArray& c) {
            for (int i = 1; i < kMaxStaticVlans; ++i)
                c.writeSlot(i, makeEntry((unsigned short)(100 + i), {untagged_member, 3, 3, 3, 3, 3}));
            c.set_pocet_vlan(count);
        });
    };
    QTest::newRow("count 22: every slot, no warning") << fullTable(kMaxStaticVlans) << QString() << QStringList();
    QTest::newRow("count 23: one past the slots")
        << fullTable(kMaxStaticVlans + 1) << QString()
        << QStringList{u"the entry count is 23; the array has room for 22, and the dialog shows only those"_s};
    QTest::newRow("VIDs 1 and 4094 in the table, the ends of the range")
        << Change([](VlanConfigArray& c) {
               c.writeSlot(1, makeEntry(kMinVid, {untagged_member, 3, 3, 3, 3, 3}));
               c.writeSlot(2, makeEntry(kMaxVid, {untagged_member, 3, 3, 3, 3, 3}));
               c.set_pocet_vlan(3);
           })
        << QString() << QStringList();
    QTest::newRow("VID 0 in the table, one below")
        << Change([](VlanConfigArray& c) {
               c.writeSlot(1, makeEntry(kMinVid - 1, {untagged_member, 3, 3, 3, 3, 3}));
               c.set_pocet_vlan(2);
           })
        << QString() << QStringList{u"static entry 2 has VID 0, outside 1 to 4094"_s};
    QTest::newRow("the last entry of a full table is checked")
        << Change([](VlanConfigArray& c) {
               for (int i = 1; i < kMaxStaticVlans; ++i)
                   c.writeSlot(i, makeEntry((unsigned short)(100 + i), {untagged_member, 3, 3, 3, 3, 3}));
               c.writeSlot(kMaxStaticVlans - 1, makeEntry(100, {3, 3, 3, 3, 3, 3}));
               c.set_pocet_vlan(kMaxStaticVlans);
           })
        << QString() << QStringList{u"static entry 22 (VID 100) has no member port"_s};
    QTest::newRow("reserved bits of byte 0")
        << Change([](VlanConfigArray& c) { c.data()[0] |= 0x80; }) << QString()
        << QStringList{u"reserved bits are set: byte 0 0x80"_s};
    QTest::newRow("refusal comes before the warnings")
        << Change([](VlanConfigArray& c) {
               StaticVlanEntry e = c.readSlot(0);
               e.codes[port_nms] = not_a_member;
               c.writeSlot(0, e);
           })
        << u"No VLAN to NMS port!"_s
        << QStringList{u"NMS Default VID 10 names no static entry that NMS belongs to"_s};
}

void TestArrayCheck::vlanFindings()
{
    QFETCH(Change, change);
    QFETCH(QString, refusal);
    QFETCH(QStringList, warnings);
    Bytes b = acceptedSingleTag();
    VlanConfigArray cfg(b.data());
    change(cfg);
    const QList<ArrayFinding> found = checkArray(ArrayKind::Vlan, b.data(), UnitFactsForCheck{});
    QCOMPARE(texts(found, ArrayFinding::Refusal), refusal.isEmpty() ? QStringList() : QStringList{refusal});
    QCOMPARE(texts(found, ArrayFinding::Warning), warnings);
    if (!refusal.isEmpty())
        QCOMPARE(found.first().severity, ArrayFinding::Refusal);
}

void TestArrayCheck::qosWeights_data()
{
    QTest::addColumn<Weights>("weights");
    QTest::addColumn<bool>("refused");
    QTest::newRow("defaults") << Weights{1, 2, 4, 8} << false;
    QTest::newRow("sum 128") << Weights{125, 1, 1, 1} << false;
    QTest::newRow("sum 129") << Weights{126, 1, 1, 1} << true;
    QTest::newRow("a zero weight") << Weights{1, 2, 0, 8} << true;
    QTest::newRow("wrapping bytes") << Weights{255, 255, 255, 255} << true;
}

void TestArrayCheck::qosWeights()
{
    QFETCH(Weights, weights);
    QFETCH(bool, refused);
    std::array<unsigned char, kQosConfigSize> b = QosConfigArray::defaultImage();
    std::copy(weights.begin(), weights.end(), b.begin() + 34);
    const QList<ArrayFinding> found = checkArray(ArrayKind::Qos, b.data(), UnitFactsForCheck{});
    QCOMPARE(found.size(), refused ? 1 : 0);
    if (refused && weights[0] == 255) {
        // The QoS array's reserved bits, several bytes in one finding.
        b[0] = 0xC0;
        b[4] = 0x88;
        b[39] = 0x01;
        const QList<ArrayFinding> reserved = checkArray(ArrayKind::Qos, b.data(), UnitFactsForCheck{});
        QCOMPARE(reserved.constLast().text, u"reserved bits are set: byte 0 0xC0, byte 4 0x88, byte 39 0x01"_s);
    }
    if (refused) {
        QCOMPARE(found.first().severity, ArrayFinding::Refusal);
        QVERIFY(found.first().text.startsWith(qosWeightsRefusalText()));
        QVERIFY(!found.first().text.contains(QLatin1Char('\n')));
    }
}

// Modes 0 to 4 have names; 5 to 7 fit the three bits and name none. The
// first and the last port are both checked.
void TestArrayCheck::qosResolutionModes_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<unsigned>("mode");
    QTest::addColumn<QString>("warning");
    QTest::newRow("LINE 2, mode 4, the last named") << u"priority_resolution.line2"_s << 4u << QString();
    QTest::newRow("LINE 2, mode 5, one past") << u"priority_resolution.line2"_s << 5u
                                              << u"LINE 2 Priority Resolution is 5, which names no mode"_s;
    QTest::newRow("LINE 4, mode 4") << u"priority_resolution.line4"_s << 4u << QString();
    QTest::newRow("LINE 4, mode 7") << u"priority_resolution.line4"_s << 7u
                                    << u"LINE 4 Priority Resolution is 7, which names no mode"_s;
}

void TestArrayCheck::qosResolutionModes()
{
    QFETCH(QString, field);
    QFETCH(unsigned, mode);
    QFETCH(QString, warning);
    std::array<unsigned char, kQosConfigSize> b = QosConfigArray::defaultImage();
    const FieldSpec* f = findField(ArrayKind::Qos, field);
    QVERIFY(f);
    writeField(*f, b.data(), mode);
    const QList<ArrayFinding> found = checkArray(ArrayKind::Qos, b.data(), UnitFactsForCheck{});
    QCOMPARE(texts(found, ArrayFinding::Warning), warning.isEmpty() ? QStringList() : QStringList{warning});
    QVERIFY(texts(found, ArrayFinding::Refusal).isEmpty());
}

void TestArrayCheck::blankArrayChecksTheDefaultImage()
{
    Bytes b;
    b.fill(0xFF);
    const QList<ArrayFinding> found = checkArray(ArrayKind::Vlan, b.data(), UnitFactsForCheck{});
    QCOMPARE(found.size(), 1); // the default image itself is clean
    QVERIFY(found.first().text.contains(u"never configured"_s));

    // One byte short of the threshold: checked as it is, and Set refuses VID 4095.
    for (int i = kVlanBlankThreshold - 1; i < kVlanConfigSize; ++i)
        b[std::size_t(i)] = 0;
    const QList<ArrayFinding> notBlank = checkArray(ArrayKind::Vlan, b.data(), UnitFactsForCheck{});
    QCOMPARE(notBlank.first().text, u"LINE2 VID is out of range. The valid range is 1 to 4094."_s);
}

QTEST_GUILESS_MAIN(TestArrayCheck)
#include "tst_array_check.moc"
