// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "core/ArrayCheck.h"

#include "core/PortCaptions.h"
#include "core/QosConfig.h"
#include "core/StaticVlanTable.h"
#include "core/UnitConstants.h"
#include "core/VlanConfig.h"
#include "core/VlanRules.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

ArrayFinding warning(const QString& text)
{
    return {ArrayFinding::Warning, text};
}

// The reserved fields of a kind, gathered once.
const std::vector<const FieldSpec*>& reservedFields(ArrayKind kind)
{
    const auto gather = [](ArrayKind k) {
        std::vector<const FieldSpec*> list;
        for (const FieldSpec& f : fieldCatalogue(k))
            if (f.kind == FieldKind::Reserved)
                list.push_back(&f);
        return list;
    };
    static const std::vector<const FieldSpec*> qos = gather(ArrayKind::Qos);
    static const std::vector<const FieldSpec*> vlan = gather(ArrayKind::Vlan);
    return kind == ArrayKind::Qos ? qos : vlan;
}

// Bits that no field of the dialogs uses: one finding that lists them.
void addReservedBits(ArrayKind kind, const unsigned char* cfg, QList<ArrayFinding>& out)
{
    QString set;
    for (const FieldSpec* f : reservedFields(kind)) {
        const unsigned v = readField(*f, cfg);
        if (v == 0)
            continue;
        if (!set.isEmpty())
            set += QLatin1String(", ");
        set += QLatin1String("byte ") + QString::number(f->byte) + QLatin1Char(' ') + fieldValueText(*f, v);
    }
    if (!set.isEmpty())
        out.append(warning(QLatin1String("reserved bits are set: ") + set));
}

void checkQos(const unsigned char* cfg, QList<ArrayFinding>& out)
{
    const QosConfigArray qos(const_cast<unsigned char*>(cfg));
    std::array<long long, kQueueCount> weights{};
    for (int q = 0; q < kQueueCount; ++q)
        weights[q] = qos.queueWeight(q);
    if (!QosConfigArray::weightsAcceptable(weights)) {
        const long long sum = weights[0] + weights[1] + weights[2] + weights[3];
        out.append({ArrayFinding::Refusal,
                    QStringLiteral("%1 (weights %2, %3, %4, %5; sum %6)")
                        .arg(qosWeightsRefusalText())
                        .arg(weights[0]).arg(weights[1]).arg(weights[2]).arg(weights[3]).arg(sum)});
    }
    for (int p = 0; p < kQosPortCount; ++p) {
        const unsigned mode = qos.priorityResolution(QosPort(p));
        if (mode >= unsigned(kResolutionModeCount))
            out.append(warning(QStringLiteral("%1 Priority Resolution is %2, which names no mode")
                                   .arg(portCaption(p)).arg(mode)));
    }
    addReservedBits(ArrayKind::Qos, cfg, out);
}

void checkVlanWarnings(const unsigned char* cfg, const UnitFactsForCheck& facts, QList<ArrayFinding>& out)
{
    const VlanConfigArray vlan(const_cast<unsigned char*>(cfg));
    const unsigned stored = vlan.get_pocet_vlan();
    if (stored > unsigned(kMaxStaticVlans))
        out.append(warning(QStringLiteral("the entry count is %1; the array has room for %2, and the dialog "
                                          "shows only those")
                               .arg(stored).arg(kMaxStaticVlans)));

    const int n = vlan.storedEntryCount();
    std::array<StaticVlanEntry, kMaxStaticVlans> entries{};
    for (int i = 0; i < n; ++i)
        entries[std::size_t(i)] = vlan.readSlot(i);

    for (int i = 0; i < n; ++i) {
        const StaticVlanEntry& e = entries[std::size_t(i)];
        if (e.vid < kMinVid || e.vid > kMaxVid)
            out.append(warning(QStringLiteral("static entry %1 has VID %2, outside %3 to %4")
                                   .arg(i + 1).arg(e.vid).arg(kMinVid).arg(kMaxVid)));
        for (int j = 0; j < i; ++j) {
            if (entries[std::size_t(j)].vid == e.vid) {
                out.append(warning(QStringLiteral("static entries %1 and %2 have the same VID %3")
                                       .arg(j + 1).arg(i + 1).arg(e.vid)));
                break;
            }
        }
        if (std::all_of(e.codes.begin(), e.codes.end(), [](unsigned char c) { return c == not_a_member; }))
            out.append(warning(QStringLiteral("static entry %1 (VID %2) has no member port").arg(i + 1).arg(e.vid)));
    }

    // In Single or Double Tag mode a port's untagged traffic goes to its Default VID,
    // which should be a static VLAN that the port belongs to; a port the unit
    // lacks (LINE 4, an unusable Modem 2) has no traffic, and its Default VID
    // does not apply in any mode.
    const int mode = std::min<int>(vlan.get_vlan_mode(), vlan_mode_double_tag); // a stored 3 shows as Double Tag
    const bool modem2Usable = facts.modem2Present && facts.modem2Mode != kModem2UnusableMode;
    const VlanFieldsInMode applying = *vlanFieldsInMode(mode, facts.vlan.hasLine4, modem2Usable);
    if (applying.tagged) {
        for (int p = port_line2; p <= port_nms; ++p) {
            if ((p == port_line4 && !applying.line4) || (p == port_modem2 && !applying.modem2))
                continue;
            const unsigned vid = vlan.get_Default_VID(tPortik(p));
            const bool member = std::any_of(entries.begin(), entries.begin() + n, [&](const StaticVlanEntry& e) {
                return e.vid == vid && e.codes[std::size_t(p)] != not_a_member;
            });
            if (!member)
                out.append(warning(QStringLiteral("%1 Default VID %2 names no static entry that %1 belongs to")
                                       .arg(portCaption(p)).arg(vid)));
        }
    }
    addReservedBits(ArrayKind::Vlan, cfg, out);
}

} // namespace

QString qosWeightsRefusalText()
{
    return QString::fromLatin1(kQosWeightsMessage).replace(QLatin1String("\n\r"), QLatin1String(" "));
}

namespace {

// The default VIDs as the edits show them, made once: 0 to 4095.
const QString& vidText(unsigned vid)
{
    static const std::vector<QString> texts = [] {
        std::vector<QString> t;
        for (unsigned v = 0; v <= 0xFFF; ++v)
            t.push_back(QString::number(v));
        return t;
    }();
    return texts[vid & 0xFFF];
}

// Fills `in` as the dialog's controls hold the array right after loading;
// the table's columns keep their storage, so a reused input allocates nothing.
void fillAsLoaded(VlanCommitInput& in, const unsigned char* cfg, const VlanHostFacts& facts)
{
    const VlanConfigArray vlan(const_cast<unsigned char*>(cfg));
    for (int p = port_line2; p <= port_nms; ++p)
        in.defaultVidTexts[std::size_t(p)] = vidText(vlan.get_Default_VID(tPortik(p)));
    for (int p = port_line2; p <= port_modem2; ++p) {
        in.forceDefVid[std::size_t(p)] = vlan.get_force_DefVID(tPortik(p)) != 0;
        in.ingressPolicy[std::size_t(p)] = vlan.get_ingress_policy(tPortik(p));
    }
    for (int p = port_line2; p <= port_line4; ++p)
        in.doubleTagMode[std::size_t(p)] = vlan.get_doubleTag_mode(tPortik(p));
    in.remove1PT = vlan.get_remove_1PT() != 0;
    in.vlanMode = std::min<int>(vlan.get_vlan_mode(), vlan_mode_double_tag);
    in.provEthType = vlan.get_provEth_type();
    in.portForwarding = portForwardingAsLoaded(vlan.portForwarding(), facts.hasLine4);
    in.disableLearning = vlan.disableLearning();
    in.bpduPriorityOverride = vlan.bpduPriorityOverride();
    in.lacpPriorityOverride = vlan.lacpPriorityOverride();
    // As loadVlanPole builds it: the stored count of zeroed entries, unpacked.
    const int n = vlan.storedEntryCount();
    for (auto& column : in.table)
        column.assign(std::size_t(n), 0);
    unpackVlanPole(vlan, in.table, n);
    in.vlanCount = n;
    in.facts = facts;
}

} // namespace

VlanCommitInput vlanCommitInputAsLoaded(const unsigned char* cfg, const VlanHostFacts& facts)
{
    VlanCommitInput in;
    fillAsLoaded(in, cfg, facts);
    return in;
}

VlanCommitResult vlanSetOutcome(const unsigned char* cfg, const VlanHostFacts& facts)
{
    std::array<unsigned char, kVlanConfigSize> copy;
    std::copy(cfg, cfg + kVlanConfigSize, copy.begin());
    VlanConfigArray vlan(copy.data());
    vlan.applyBlankRule();
    // One input per thread, reused: checking many arrays allocates little.
    thread_local VlanCommitInput in;
    fillAsLoaded(in, copy.data(), facts);
    return commitVlanSettings(in, vlan);
}

QList<ArrayFinding> checkArray(ArrayKind kind, const unsigned char* cfg, const UnitFactsForCheck& facts,
                               const TIniFile* langIni)
{
    QList<ArrayFinding> out;
    const bool blank = kind == ArrayKind::Qos ? QosConfigArray::isBlank(cfg) : VlanConfigArray::isBlank(cfg);
    if (blank) {
        out.append(warning(QStringLiteral("the array was never configured; a dialog replaces it by the "
                                          "default image, which is checked instead")));
        const unsigned char* image = kind == ArrayKind::Qos ? QosConfigArray::defaultImage().data()
                                                            : VlanConfigArray::defaultImage().data();
        out.append(checkArray(kind, image, facts, langIni));
        return out;
    }
    if (kind == ArrayKind::Qos) {
        checkQos(cfg, out);
        return out;
    }
    const VlanCommitResult set = vlanSetOutcome(cfg, facts.vlan);
    if (!set)
        out.append({ArrayFinding::Refusal, vlanCommitRefusalText(set.error(), langIni)});
    checkVlanWarnings(cfg, facts, out);
    return out;
}
