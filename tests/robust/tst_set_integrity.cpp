// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The VLAN set operation over thousands of seeded random arrays and inputs:
// it changes only the bits it owns, never reserved bits, the Modem double-tag
// bits or the slots after the count; what it accepts (or refuses after phase
// 1) reads back field by field; a refusal at a Default VID leaves everything
// but the Default VIDs before it; a second press with the same input changes
// nothing more. ROBUST_ARRAYS and ROBUST_SEED change the number and the seed.

#include "tests/robust/RobustSupport.h"
#include "core/StaticVlanTable.h"
#include "core/VlanCommit.h"

#include <QTest>

using namespace robust;

namespace {

// The bits of one port's Default VID.
VlanBytes defaultVidMask(int port)
{
    VlanBytes m{};
    const int pair = 5 + 3 * (port / 2);
    if (port % 2 == 0) {
        m[pair] = 0xFF;
        m[pair + 1] = 0x0F;
    } else {
        m[pair + 1] = 0xF0;
        m[pair + 2] = 0xFF;
    }
    return m;
}

VlanBytes orMasks(const VlanBytes& a, const VlanBytes& b)
{
    VlanBytes m;
    for (int i = 0; i < kVlanConfigSize; ++i)
        m[i] = a[i] | b[i];
    return m;
}

QString randomVidText(std::mt19937& rng, unsigned short stored)
{
    static const char* const odd[] = {"", "0", "4095", "9999", "-1", "  7", "0x10", "99999999999", " "};
    switch (rng() % 12) {
    case 0:
        return QString::fromLatin1(odd[rng() % (sizeof odd / sizeof *odd)]);
    case 1:
    case 2:
        return QString::number(kMinVid + rng() % kMaxVid);
    default:
        return QString::number(stored); // as loaded: 0 and 4095 are refused
    }
}

// What the dialog would hand to Set after loading `cfg` and some editing.
VlanCommitInput inputAfterLoading(const VlanConfigArray& cfg, std::mt19937& rng)
{
    VlanCommitInput in;
    for (int p = port_line2; p <= port_nms; ++p)
        in.defaultVidTexts[p] = randomVidText(rng, cfg.get_Default_VID(tPortik(p)));
    for (int p = port_line2; p <= port_modem2; ++p) {
        in.forceDefVid[p] = rng() % 5 ? cfg.get_force_DefVID(tPortik(p)) != 0 : rng() % 2;
        in.ingressPolicy[p] = rng() % 5 ? cfg.get_ingress_policy(tPortik(p)) : int(rng() % 3) - 1;
    }
    for (int p = port_line2; p <= port_line4; ++p)
        in.doubleTagMode[p] = rng() % 5 ? cfg.get_doubleTag_mode(tPortik(p)) : int(rng() % 3) - 1;
    in.remove1PT = cfg.get_remove_1PT() != 0;
    in.vlanMode = rng() % 3 ? std::min<int>(cfg.get_vlan_mode(), 2) : int(rng() % 3);
    in.provEthType = rng() % 6 ? cfg.get_provEth_type() : -1;
    in.portForwarding = cfg.portForwarding();
    if (rng() % 3 == 0)
        for (auto& box : in.portForwarding)
            box = rng() % 2;
    in.disableLearning = cfg.disableLearning();
    in.bpduPriorityOverride = rng() % 4 ? cfg.bpduPriorityOverride() : !cfg.bpduPriorityOverride();
    in.lacpPriorityOverride = cfg.lacpPriorityOverride();

    in.table = loadVlanPole(cfg);
    for (int i = 0, n = int(rng() % 8); i < n; ++i) {
        const int entries = vlanPoleEntries(in.table);
        switch (rng() % 3) {
        case 0:
            if (entries > 0)
                clickMembershipCell(in.table, int(rng() % unsigned(entries)), 1 + int(rng() % 6),
                                    in.vlanMode);
            break;
        case 1:
            if (canAddEntry(in.table)) {
                const short vid = short(kMinVid + rng() % kMaxVid);
                if (!vidExists(in.table, vid))
                    in.table = withNewEntry(in.table, vid);
            }
            break;
        default:
            if (entries > 0)
                toggleDeleteMark(in.table, int(rng() % unsigned(entries)));
            if (rng() % 2)
                if (auto kept = withoutMarkedEntries(in.table))
                    in.table = std::move(*kept);
            break;
        }
    }
    in.vlanCount = vlanPoleEntries(in.table);
    in.facts.hasLine4 = rng() % 2;
    in.facts.onePlusZeroInactive = rng() % 4 == 0;
    in.facts.vlanActiveInEthernet = rng() % 4 == 0;
    return in;
}

bool phaseOneEnd(const VlanCommitResult& out)
{
    return !out
        && (out.error().kind == VlanCommitRefusal::NotAnInteger
            || int(out.error().message) <= int(VlanCommitMessage::nms__vid_out));
}

// The Default VID field at which phase 1 ended.
int phaseOneField(const VlanCommitResult& out)
{
    return out.error().kind == VlanCommitRefusal::NotAnInteger ? out.error().field : int(out.error().message);
}

} // namespace

class TestSetIntegrity : public QObject
{
    Q_OBJECT

private slots:
    void setChangesOnlyItsOwnBits();
};

void TestSetIntegrity::setChangesOnlyItsOwnBits()
{
    const std::uint32_t seed = envNumber("ROBUST_SEED", 20261209);
    const int arrays = int(envNumber("ROBUST_ARRAYS", 4000));
    int accepted = 0, refusedLate = 0, refusedEarly = 0;

    for (int a = 0; a < arrays; ++a) {
        std::mt19937 rng(seed + std::uint32_t(a));
        GuardedArray<kVlanConfigSize> host;
        host.assign(randomVlanArray(rng));
        VlanConfigArray cfg(host.data());
        cfg.applyBlankRule();
        const VlanBytes before = host.bytes();
        const VlanCommitInput in = inputAfterLoading(cfg, rng);
        const int packed = std::min(in.vlanCount, kMaxStaticVlans);
        const QString where = QStringLiteral("seed %1 (array %2): %3").arg(seed + std::uint32_t(a)).arg(a).arg(hexText(before));

        const VlanCommitResult out = commitVlanSettings(in, cfg);
        const VlanBytes after = host.bytes();
        long guard = 0;
        QVERIFY2(host.intact(&guard), qPrintable(where + QStringLiteral(": guard byte %1 changed").arg(guard)));

        const int outside = changedOutside(before, after, vlanSetButtonMask(packed));
        QVERIFY2(outside < 0, qPrintable(where + QStringLiteral(": Set changed byte %1 outside its bits -> %2")
                                                     .arg(outside).arg(hexText(after))));

        if (phaseOneEnd(out)) {
            ++refusedEarly;
            const int field = phaseOneField(out);
            VlanBytes earlier{};
            for (int p = 0; p < field; ++p)
                earlier = orMasks(earlier, defaultVidMask(p));
            QVERIFY2(changedOutside(before, after, earlier) < 0,
                     qPrintable(where + QStringLiteral(": refused at field %1 but wrote more").arg(field)));
            continue;
        }
        out ? ++accepted : ++refusedLate;

        // Everything the input said is now in the array.
        for (int p = port_line2; p <= port_nms; ++p)
            QCOMPARE(int(cfg.get_Default_VID(tPortik(p))), in.defaultVidTexts[p].trimmed().toInt());
        for (int p = port_line2; p <= port_modem2; ++p) {
            QCOMPARE(cfg.get_force_DefVID(tPortik(p)) != 0, in.forceDefVid[p]);
            QCOMPARE(int(cfg.get_ingress_policy(tPortik(p))), in.ingressPolicy[p] & 1);
        }
        for (int p = port_line2; p <= port_line4; ++p)
            QCOMPARE(int(cfg.get_doubleTag_mode(tPortik(p))), in.doubleTagMode[p] & 1);
        QCOMPARE(cfg.get_remove_1PT() != 0, in.remove1PT);
        QCOMPARE(int(cfg.get_vlan_mode()), in.vlanMode & 3);
        QCOMPARE(int(cfg.get_provEth_type()), in.provEthType & 3);
        QVERIFY(cfg.portForwarding() == in.portForwarding);
        QCOMPARE(cfg.bpduPriorityOverride(), in.bpduPriorityOverride);
        QCOMPARE(int(after[0] & 0x07), 0);
        QCOMPARE(int(cfg.get_pocet_vlan()), packed);
        QCOMPARE(int(after[15]), 0);
        for (int i = 0; i < packed; ++i) {
            const StaticVlanEntry e = cfg.readSlot(i);
            QCOMPARE(int(e.vid), in.table[vp_vid][i] & 0xFFF);
            for (int p = port_line2; p <= port_modem2; ++p)
                QCOMPARE(int(e.codes[p]), in.table[p + 1][i] & 3);
            QCOMPARE(e.codes[port_nms] == not_a_member, in.table[vp_nms][i] == not_a_member);
        }

        // A second press with the same input writes the same bytes again.
        const VlanCommitResult again = commitVlanSettings(in, cfg);
        QVERIFY2(host.bytes() == after, qPrintable(where + QStringLiteral(": a second Set changed the array")));
        QCOMPARE(again.ok(), out.ok());
        QCOMPARE(int(again.error().message), int(out.error().message));
    }
    qInfo("%d arrays: %d accepted, %d refused after writing, %d refused at a Default VID", arrays,
          accepted, refusedLate, refusedEarly);
    QVERIFY(accepted > arrays / 50 && refusedLate > arrays / 50 && refusedEarly > arrays / 50);
}

QTEST_APPLESS_MAIN(TestSetIntegrity)
#include "tst_set_integrity.moc"
