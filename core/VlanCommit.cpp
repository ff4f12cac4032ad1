// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "core/VlanCommit.h"

#include "core/Lookup.h"
#include "core/IntegerText.h"

#include <algorithm>

namespace {

// The range message of each Default VID field, in tPortik order.
constexpr VlanCommitMessage kVidOutOfRange[6] = {
    VlanCommitMessage::line2_vid_out, VlanCommitMessage::line3_vid_out,
    VlanCommitMessage::line4_vid_out, VlanCommitMessage::mdm1_vid_out,
    VlanCommitMessage::mdm2_vid_out,  VlanCommitMessage::nms__vid_out,
};

Failure<VlanCommitRefusal> refuse(VlanCommitMessage m)
{
    VlanCommitRefusal refusal;
    refusal.message = m;
    return Failure(std::move(refusal));
}

// An item index as the accessors take it: a signed byte.
char indexByte(int index)
{
    return static_cast<char>(index);
}

} // namespace

VlanCommitResult commitVlanSettings(const VlanCommitInput& in, VlanConfigArray cfg)
{
    // Phase 1: each Default VID checked and written before the next is read.
    std::array<int, 6> defaultVid{};
    for (int p = port_line2; p <= port_nms; ++p) {
        const std::optional<int> v = textToInteger(in.defaultVidTexts[p]);
        if (!v)
            return Failure(VlanCommitRefusal{.kind = VlanCommitRefusal::NotAnInteger,
                                             .field = p,
                                             .fieldText = in.defaultVidTexts[p]});
        if (*v > kMaxVid || *v < kMinVid)
            return refuse(kVidOutOfRange[p]);
        cfg.set_Default_VID(tPortik(p), (unsigned short)*v);
        defaultVid[p] = *v;
    }

    // Phase 2: everything else, unchecked.
    cfg.set_cfg_pole_version(0);
    for (int p = port_line2; p <= port_modem2; ++p)
        cfg.set_force_DefVID(tPortik(p), in.forceDefVid[p] ? 1 : 0);
    for (int p = port_line2; p <= port_modem2; ++p)
        cfg.set_ingress_policy(tPortik(p), indexByte(in.ingressPolicy[p]));
    for (int p = port_line2; p <= port_line4; ++p)
        cfg.set_doubleTag_mode(tPortik(p), indexByte(in.doubleTagMode[p]));
    cfg.set_remove_1PT(in.remove1PT ? 1 : 0);
    cfg.set_vlan_mode(indexByte(in.vlanMode));
    cfg.set_provEth_type(indexByte(in.provEthType));

    // The table: at most 22 entries, and never more than it holds.
    const int count = std::min({std::max(in.vlanCount, 0), vlanPoleEntries(in.table),
                                kMaxStaticVlans});
    packVlanPole(in.table, count, cfg);
    cfg.set_pocet_vlan((unsigned short)count);
    cfg.setPortForwarding(in.portForwarding);
    cfg.setMiscFlags(in.disableLearning, in.bpduPriorityOverride, in.lacpPriorityOverride);

    // Phase 3: checks that apply only to an enabled mode.
    if (cfg.get_vlan_mode() == vlan_mode_disable)
        return {};

    const int nms = firstNmsEntry(in.table, count);
    if (nms < 0)
        return refuse(VlanCommitMessage::no_vlan_2_nms);

    const bool uplink[3] = {in.portForwarding[kFwdNmsLine2], in.portForwarding[kFwdNmsLine3],
                            in.portForwarding[kFwdNmsLine4]};
    constexpr VlanCommitMessage noRouting[3] = {VlanCommitMessage::no_nms_vlan_2_l2,
                                                VlanCommitMessage::no_nms_vlan_2_l3,
                                                VlanCommitMessage::no_nms_vlan_2_l4};
    constexpr VlanCommitMessage otherVid[3] = {VlanCommitMessage::different_nms_vid_2_l2,
                                               VlanCommitMessage::different_nms_vid_2_l3,
                                               VlanCommitMessage::different_nms_vid_2_l4};

    for (int line = 0; line < 3; ++line)
        if (uplink[line] && in.table[vp_line2 + line][nms] == not_a_member)
            return refuse(noRouting[line]);

    const int nmsVlanId = in.table[vp_vid][nms];
    if (defaultVid[port_nms] != nmsVlanId)
        return refuse(VlanCommitMessage::different_nms_def_vid);
    for (int line = 0; line < 3; ++line)
        if (uplink[line] && defaultVid[port_line2 + line] != nmsVlanId)
            return refuse(otherVid[line]);

    if (!in.facts.hasLine4 && cfg.get_vlan_mode() != vlan_mode_disable
        && uplink[port_line4])
        return refuse(VlanCommitMessage::unavailable_nms_l4);

    if (in.facts.onePlusZeroInactive) {
        if (in.vlanMode == vlan_mode_single_tag)
            return refuse(VlanCommitMessage::cannot_1_tag_1_0);
        if (in.vlanMode == vlan_mode_double_tag)
            return refuse(VlanCommitMessage::cannot_2_tag_1_0);
    }
    if (in.facts.vlanActiveInEthernet) {
        if (in.vlanMode == vlan_mode_single_tag)
            return refuse(VlanCommitMessage::cannot_1_tag_v_active);
        if (in.vlanMode == vlan_mode_double_tag)
            return refuse(VlanCommitMessage::cannot_2_tag_v_active);
    }
    return {};
}

QString vlanCommitRefusalText(const VlanCommitRefusal& refusal, const TIniFile* langIni)
{
    if (refusal.kind == VlanCommitRefusal::NotAnInteger)
        return invalidIntegerMessage(refusal.fieldText);
    const VlanText& text = vlanCommitText(refusal.message);
    return lookup(langIni, QStringLiteral("VLAN"), QString::fromLatin1(text.key),
                  QString::fromLatin1(text.english));
}
