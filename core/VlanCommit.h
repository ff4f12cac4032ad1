// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/OduSwitchCoreExport.h"
#include "core/Result.h"
#include "core/StaticVlanTable.h"
#include "core/VlanConfig.h"

#include <QString>

#include <array>

class TIniFile;

/// \file
/// The set button's checks and writes as one operation that needs no window.
/// The dialog's Button3Click gathers the control values into a
/// VlanCommitInput, runs commitVlanSettings over the host's array and turns the
/// result into done(1) or one error box.
///
/// The operation writes while it checks and never rolls back:
/// - steps 1-6: each Default VID (Edit2..Edit7: LINE 2, LINE 3, LINE 4,
///   Modem 1, Modem 2, NMS) is read as an integer, checked against 1..4094
///   and written at once; the first failure ends the operation;
/// - steps 7-17: version 0, force flags, ingress policies, LINE double-tag
///   modes, remove_1PT, mode, provider EtherType, the table (slots 0..n-1),
///   the count, port forwarding, the three flags of byte 0;
/// - step 18: mode read back from the array 0 (Disable): accepted;
/// - steps 19-29: NMS VLAN, NMS uplink membership, Default VIDs against the
///   NMS VLAN ID, LINE 4 presence, 1+0 mode, VLAN active in Ethernet
///   properties;
/// - step 30: accepted.
///
/// The Modem double-tag bits, the reserved bits of byte 0 and the slots after
/// the count are never written.

/// The messages of a refused Set, all in catalogue section "VLAN".
enum class VlanCommitMessage : int {
    line2_vid_out,
    line3_vid_out,
    line4_vid_out,
    mdm1_vid_out,
    mdm2_vid_out,
    nms__vid_out,
    no_vlan_2_nms,
    no_nms_vlan_2_l2,
    no_nms_vlan_2_l3,
    no_nms_vlan_2_l4,
    different_nms_def_vid,
    different_nms_vid_2_l2,
    different_nms_vid_2_l3,
    different_nms_vid_2_l4,
    unavailable_nms_l4,
    cannot_1_tag_1_0,
    cannot_2_tag_1_0,
    cannot_1_tag_v_active,
    cannot_2_tag_v_active,
};

/// The number of VlanCommitMessage values.
constexpr int kVlanCommitMessages = 19;

/// Key and English default of each message, indexed by VlanCommitMessage.
inline constexpr std::array<VlanText, kVlanCommitMessages> kVlanCommitMessageTexts{{
    {"line2_vid_out", "LINE2 VID is out of range. The valid range is 1 to 4094."},
    {"line3_vid_out", "LINE3 VID is out of range. The valid range is 1 to 4094."},
    {"line4_vid_out", "LINE4 VID is out of range. The valid range is 1 to 4094."},
    {"mdm1_vid_out", "Modem 1 VID is out of range. The valid range is 1 to 4094."},
    {"mdm2_vid_out", "Modem 2 VID is out of range. The valid range is 1 to 4094."},
    {"nms__vid_out", "NMS VID is out of range. The valid range is 1 to 4094."},
    {"no_vlan_2_nms", "No VLAN to NMS port!"},
    {"no_nms_vlan_2_l2", "No NMS VLAN routing to LINE2! Check Port Based VLAN Tab."},
    {"no_nms_vlan_2_l3", "No NMS VLAN routing to LINE3! Check Port Based VLAN Tab."},
    {"no_nms_vlan_2_l4", "No NMS VLAN routing to LINE4! Check Port Based VLAN Tab."},
    {"different_nms_def_vid", "NMS port default VID is not equal to NMS VLAN ID!"},
    {"different_nms_vid_2_l2", "LINE2 port default VID is not equal to NMS VLAN ID!"},
    {"different_nms_vid_2_l3", "LINE3 port default VID is not equal to NMS VLAN ID!"},
    {"different_nms_vid_2_l4", "LINE4 port default VID is not equal to NMS VLAN ID!"},
    {"unavailable_nms_l4", "NMS would be unavailable since ODU have no LINE4!"},
    {"cannot_1_tag_1_0", "Single Tag mode cannot be enabled since 1+0 mode is inactive!"},
    {"cannot_2_tag_1_0", "Double Tag mode cannot be enabled since 1+0 mode is inactive!"},
    {"cannot_1_tag_v_active",
     "Single Tag mode cannot be enabled since VLAN is active in Ethernet properties!"},
    {"cannot_2_tag_v_active",
     "Double Tag mode cannot be enabled since VLAN is active in Ethernet properties!"},
}};

/// The key and English default of message \p m.
inline constexpr const VlanText& vlanCommitText(VlanCommitMessage m)
{
    return kVlanCommitMessageTexts[std::size_t(m)];
}

/// The unit facts that Set consults (the constructor's hasLine4,
/// onePlusZeroInactive != 0, vlanActiveInEthernet).
struct VlanHostFacts
{
    bool hasLine4 = true;              ///< the unit has a LINE 4 port (bit 3 of oduCapabilities)
    bool onePlusZeroInactive = false;  ///< the unit's 1+0 mode is inactive: no VLAN mode may be enabled
    bool vlanActiveInEthernet = false; ///< VLAN is active in the unit's Ethernet properties: likewise
};

/// What Set reads from the dialog. Item indices are the combo boxes' and the
/// radio group's current indices, -1 when nothing is selected (an accessor then
/// keeps only its field's bits: 1 for a 1-bit field, 3 for the EtherType).
struct VlanCommitInput
{
    std::array<QString, 6> defaultVidTexts; ///< Edit2..Edit7, in tPortik order
    std::array<bool, 5> forceDefVid{};      ///< CheckBox1..CheckBox5
    std::array<int, 5> ingressPolicy{};     ///< ComboBox2..ComboBox6
    std::array<int, 3> doubleTagMode{};     ///< ComboBox8..ComboBox10 (LINE 2..4)
    bool remove1PT = false;                 ///< CheckBox6
    int vlanMode = 0;                       ///< RadioGroup1
    int provEthType = 0;                    ///< ComboBox14
    PortForwarding portForwarding{};        ///< CheckBox7..CheckBox18
    bool disableLearning = false;           ///< CheckBox19
    bool bpduPriorityOverride = false;      ///< CheckBox20
    bool lacpPriorityOverride = false;      ///< CheckBox21
    VlanPole table;                         ///< vlanPole
    int vlanCount = 0;                      ///< entries to pack (bounded at 22 and the table)
    VlanHostFacts facts;                    ///< what the host said of the unit
};

/// Why Set refused: a check that failed, with its message, or a Default VID
/// field whose text is not an integer.
struct VlanCommitRefusal
{
    /// Which of the two it is.
    enum Kind {
        Refused,      ///< a check failed: `message` says which
        NotAnInteger, ///< a Default VID field's text is not a number: `field`, `fieldText`
    };

    Kind kind = Refused; ///< which of the two it is
    VlanCommitMessage message = VlanCommitMessage::line2_vid_out; ///< Refused
    int field = -1;     ///< NotAnInteger: 0..5 = Edit2..Edit7
    QString fieldText;  ///< NotAnInteger: the field's text
};

/// What Set gives: nothing when it accepted the settings, the refusal when not.
using VlanCommitResult = Result<void, VlanCommitRefusal>;

/// Runs the 30 steps (see the top of this file) over the host's bytes that
/// \p cfg views: success, or the first refusal, after which the array keeps
/// what the steps before it wrote. Keeps no state: any thread, while no
/// other thread uses the same array.
ODU_SWITCH_CORE_EXPORT VlanCommitResult commitVlanSettings(const VlanCommitInput& in, VlanConfigArray cfg);

/// The text to show for a refusal: the message looked up now in section
/// "VLAN" (a null catalogue gives the English default), or
/// "''<text>'' is not a valid integer value".
ODU_SWITCH_CORE_EXPORT QString vlanCommitRefusalText(const VlanCommitRefusal& refusal, const TIniFile* langIni);
