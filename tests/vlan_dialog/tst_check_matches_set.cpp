// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// Over seeded random VLAN arrays and unit facts, the array check refuses
// exactly the arrays that the VLAN dialog's Set refuses right after the
// dialog has loaded them, with the same message. The dialog is the real
// one: its constructor loads the array and Button3Click runs, and its error
// box is answered and read.

#include "testing/ModalAnswering.h"
#include "tests/support/VlanArray.h"

#include "core/ArrayCheck.h"
#include "core/UnitConstants.h"
#include "vlan/Vlan_form.h"

#include <QTest>

#include <memory>
#include <random>

namespace {

struct Case
{
    std::array<unsigned char, kVlanConfigSize> bytes{};
    bool vlanActiveInEthernet = false;
    char modem2Present = 1;
    char onePlusZeroInactive = 0;
    char modem2Mode = 0;
    char oduCapabilities = 0;
};

// Arrays near the interesting cases: a few VIDs that recur, so that NMS VLAN
// and Default VIDs often agree; every mode, forwarding pattern and fact; now
// and then a random or a blank array.
Case randomCase(std::mt19937& rng)
{
    const auto pick = [&rng](int n) { return int(rng() % unsigned(n)); };
    const unsigned short vids[] = {0, 1, 10, 10, 10, 20, kMaxVid, kMaxVid + 1};
    Case c;
    c.vlanActiveInEthernet = pick(5) == 0;
    c.modem2Present = char(pick(2));
    c.onePlusZeroInactive = char(pick(5) == 0);
    c.modem2Mode = char(pick(3) == 0 ? kModem2UnusableMode : pick(256));
    c.oduCapabilities = char(pick(256));

    const int shape = pick(20);
    if (shape == 0) {
        for (auto& b : c.bytes)
            b = (unsigned char)pick(256);
        return c;
    }
    c.bytes = VlanConfigArray::defaultImage();
    if (shape == 1) {
        for (auto& b : c.bytes)
            b = pick(10) < 6 ? 0xFF : (unsigned char)pick(256);
        return c;
    }
    VlanConfigArray cfg(c.bytes.data());
    cfg.set_vlan_mode(char(pick(10) == 0 ? 3 : pick(3)));
    for (int p = port_line2; p <= port_nms; ++p) // now and then out of range
        cfg.set_Default_VID(tPortik(p), pick(20) == 0 ? vids[pick(8)] : vids[1 + pick(6)]);
    const int entries = pick(10) == 0 ? pick(40) : pick(5);
    for (int i = 0; i < std::min(entries, kMaxStaticVlans); ++i) {
        StaticVlanEntry e;
        e.vid = vids[pick(8)];
        for (auto& code : e.codes)
            code = (unsigned char)pick(4);
        cfg.writeSlot(i, e);
    }
    cfg.set_pocet_vlan((unsigned short)entries);
    PortForwarding fwd{};
    for (auto& box : fwd)
        box = pick(2) != 0;
    if (pick(2) == 0) {
        // Mostly consistent: an NMS VLAN first, the uplink's port in it, the
        // Default VIDs of NMS and the uplink on it; one thing may still be off.
        const unsigned short nmsVid = vids[2 + pick(4)];
        const int uplink = pick(3);
        StaticVlanEntry e;
        e.vid = nmsVid;
        e.codes = {not_a_member, not_a_member, not_a_member, tagged_member, not_a_member, untagged_member};
        e.codes[std::size_t(uplink)] = (unsigned char)(pick(8) == 0 ? not_a_member : untagged_member);
        cfg.writeSlot(0, e);
        cfg.set_pocet_vlan((unsigned short)std::max(entries, 1));
        cfg.set_Default_VID(port_nms, pick(8) == 0 ? vids[pick(8)] : nmsVid);
        cfg.set_Default_VID(tPortik(uplink), pick(8) == 0 ? vids[pick(8)] : nmsVid);
        fwd[kFwdNmsLine2] = uplink == 0;
        fwd[kFwdNmsLine3] = uplink == 1;
        fwd[kFwdNmsLine4] = uplink == 2;
        c.vlanActiveInEthernet = pick(10) == 0;
        c.onePlusZeroInactive = char(pick(10) == 0);
    }
    cfg.setPortForwarding(fwd);
    for (int p = port_line2; p <= port_modem2; ++p) {
        cfg.set_ingress_policy(tPortik(p), char(pick(2)));
        cfg.set_force_DefVID(tPortik(p), char(pick(2)));
    }
    return c;
}

UnitFactsForCheck factsOf(const Case& c)
{
    UnitFactsForCheck f;
    f.vlan.hasLine4 = unitHasLine4(c.oduCapabilities);
    f.vlan.onePlusZeroInactive = c.onePlusZeroInactive != 0;
    f.vlan.vlanActiveInEthernet = c.vlanActiveInEthernet;
    f.modem2Present = c.modem2Present != 0;
    f.modem2Mode = (unsigned char)c.modem2Mode;
    return f;
}

// The first refusal of the check, or a null string when it has none.
QString checkRefusal(const Case& c)
{
    for (const ArrayFinding& f : checkArray(ArrayKind::Vlan, c.bytes.data(), factsOf(c)))
        if (f.severity == ArrayFinding::Refusal)
            return f.text;
    return QString();
}

// What the dialog's Set says about the array: its error box's text, or a
// null string when it accepts.
QString dialogRefusal(const Case& c)
{
    auto bytes = c.bytes;
    int size = 0;
    TVlan_form dialog(nullptr, true, nullptr, bytes.data(), &size, c.vlanActiveInEthernet, c.modem2Present,
                      c.onePlusZeroInactive, c.modem2Mode, c.oduCapabilities);
    QString shown;
    bool answered = false;
    // The box runs its own event loop; the queued call answers it there.
    QTimer::singleShot(0, &dialog, [&] {
        if (QWidget* w = QApplication::activeModalWidget(); w && w != &dialog) {
            shown = answerBox(w, QMessageBox::Close);
            answered = true;
        }
    });
    dialog.Button3Click(nullptr);
    QCoreApplication::processEvents();
    if (dialog.result() == 1)
        return QString();
    return answered ? shown : QStringLiteral("<refused without a message>");
}

} // namespace

class TestCheckMatchesSet : public QObject
{
    Q_OBJECT

private slots:
    void sameRefusalsAndMessages();
};

void TestCheckMatchesSet::sameRefusalsAndMessages()
{
    std::mt19937 rng(1209);
    int refused = 0;
    constexpr int kArrays = 400;
    for (int i = 0; i < kArrays; ++i) {
        const Case c = randomCase(rng);
        const QString expected = dialogRefusal(c);
        const QString actual = checkRefusal(c);
        if (!expected.isNull())
            ++refused;
        QVERIFY2(actual == expected,
                 qPrintable(QStringLiteral("array %1 (%2): dialog \"%3\", check \"%4\"")
                                .arg(i).arg(QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(c.bytes.data()),
                                                                           kVlanConfigSize).toHex()),
                                            expected, actual)));
    }
    // Both outcomes come up often enough for the comparison to mean something.
    QVERIFY2(refused > kArrays / 5 && refused < kArrays * 4 / 5, qPrintable(QString::number(refused)));
}

QTEST_MAIN(TestCheckMatchesSet)
#include "tst_check_matches_set.moc"
