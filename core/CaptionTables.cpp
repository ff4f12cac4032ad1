// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "core/CaptionTables.h"

#include "core/StaticVlanTable.h"
#include "core/VlanCommit.h"
#include "core/VlanDialogTexts.h"

#include <QSet>

#include <array>
#include <cstring>

namespace {

constexpr CaptionKind kCaption = CaptionKind::Caption;
constexpr CaptionKind kMessage = CaptionKind::Message;

// ---- QoS dialog ------------------------------------------------------------
// Keys of section "QOS" are the English texts themselves, except the message
// and the table headings. The rows down to RadioGroup3 are looked up at
// construction in this order (only with a catalogue file); the table headings
// at every load of the tables, whatever the file.

constexpr const char* kQos = "QoS dialog";
constexpr const char* kQosGlobal = "Global Settings";
constexpr const char* kQosUser = "User Ports Settings";
constexpr const char* kQosModem = "Modem Ports Settings";

// A QoS caption whose key is its English text.
constexpr CaptionRow qos(const char* page, const char* control, const char* text)
{
    return {"QOS", text, text, kQos, page, control, kCaption};
}

constexpr const char* kPortPriority = "Port Priority (0 Low-7 High)";
constexpr const char* kResolution = "Priority Resolution";
constexpr const char* kRemapping = "VLAN Tag Remapping";
constexpr const char* kRoundRobin = "&Weighted round robin";
constexpr const char* kStrict = "&Strict";
constexpr const char* kPriorityQueueKey = "Pri_Queue_tab_head";
constexpr const char* kPriorityQueue = "Priority Queue";
constexpr const char* kTagPriorityKey = "TAG_Pri_tab_head";
constexpr const char* kTagPriority = " Tag Priority";

const std::array kQosRows{
    CaptionRow{"QOS", "Local QoS Configuration Dialog", "Local QoS Configuration Dialog", kQos, "",
               "window title", kCaption, "local"},
    CaptionRow{"QOS", "Remote QoS Configuration Dialog", "Remote QoS Configuration Dialog", kQos,
               "", "window title", kCaption, "remote"},
    CaptionRow{"QOS", "All_changes_msg",
               "All changes you have made will be lost.\n\rDo you want to proceed?", kQos, "",
               "message box", kMessage},
    qos("", "PageControl1 tab 0", "&Global Settings"),
    qos("", "PageControl1 tab 1", "&User Ports Settings"),
    qos("", "PageControl1 tab 2", "&Modem Ports Settings"),
    qos(kQosGlobal, "RadioGroup1", "QoS Main Switch"),
    qos(kQosGlobal, "RadioGroup1 item 0", "&Disabled"),
    qos(kQosGlobal, "RadioGroup1 item 1", "&Enabled"),
    qos(kQosGlobal, "GroupBox1", "Queue Mappings Tables"),
    qos(kQosGlobal, "GroupBox2", "Priority Queue Weights"),
    qos(kQosGlobal, "Label1", "Tx Packets per round (1-125)"),
    qos(kQosGlobal, "Label2", "Priority Queue 0 Weight"),
    qos(kQosGlobal, "Label3", "Priority Queue 1 Weight"),
    qos(kQosGlobal, "Label4", "Priority Queue 2 Weight"),
    qos(kQosGlobal, "Label5", "Priority Queue 3 Weight"),
    qos("", "Button1", "&Ok"),
    qos("", "Button2", "&Reset"),
    qos("", "Button3", "&Cancel"),
    qos(kQosUser, "GroupBox3", "&LINE 2"),
    qos(kQosUser, "GroupBox4", "L&INE 3"),
    qos(kQosUser, "GroupBox5", "LI&NE 4"),
    qos(kQosUser, "Label6", kPortPriority),
    qos(kQosUser, "Label7", kResolution),
    qos(kQosUser, "Label8", kRemapping),
    qos(kQosUser, "Label9", kPortPriority),
    qos(kQosUser, "Label10", kResolution),
    qos(kQosUser, "Label11", kRemapping),
    qos(kQosUser, "Label12", kPortPriority),
    qos(kQosUser, "Label13", kResolution),
    qos(kQosUser, "Label14", kRemapping),
    qos(kQosModem, "RadioGroup2", "Channel &1 - Queue scheduling"),
    qos(kQosModem, "RadioGroup2 item 0", kRoundRobin),
    qos(kQosModem, "RadioGroup2 item 1", kStrict),
    qos(kQosModem, "RadioGroup3", "Channel &2 - Queue scheduling"),
    // The second channel's items are read under the first channel's keys.
    qos(kQosModem, "RadioGroup3 item 0", kRoundRobin),
    qos(kQosModem, "RadioGroup3 item 1", kStrict),
    // Table headings, written by every load of the tables.
    CaptionRow{"QOS", kTagPriorityKey, kTagPriority, kQos, kQosUser, "StringGrid3 row labels", kCaption},
    CaptionRow{"QOS", kTagPriorityKey, kTagPriority, kQos, kQosUser, "StringGrid4 row labels", kCaption},
    CaptionRow{"QOS", kTagPriorityKey, kTagPriority, kQos, kQosUser, "StringGrid5 row labels", kCaption},
    CaptionRow{"QOS", "VLAN_Pri_tab_head", "802.1Q Priority", kQos, kQosGlobal,
               "StringGrid1 heading 0", kCaption},
    CaptionRow{"QOS", kPriorityQueueKey, kPriorityQueue, kQos, kQosGlobal, "StringGrid1 heading 1", kCaption},
    CaptionRow{"QOS", "DSCP_Pri_tab_head", "DSCP Priority", kQos, kQosGlobal,
               "StringGrid2 heading 0", kCaption},
    CaptionRow{"QOS", kPriorityQueueKey, kPriorityQueue, kQos, kQosGlobal, "StringGrid2 heading 1", kCaption},
};

// ---- VLAN dialog -----------------------------------------------------------
// Looked up at construction in this order: the title, then the captions down
// to CheckBox21; the grid's header and membership texts at every fill of the
// grid; the messages each time they are shown.

constexpr const char* kVlan = "VLAN dialog";
constexpr const char* kGlobal = "Global VLAN";
constexpr const char* kStatic = "Static VLAN";
constexpr const char* kPortBased = "Port Based VLAN";
constexpr const char* kMisc = "Miscellaneous";

constexpr CaptionRow vlan(const char* page, const char* control, const char* key, const char* english)
{
    return {"VLAN", key, english, kVlan, page, control, kCaption};
}

constexpr CaptionRow vlanMessage(const char* page, const VlanText& text)
{
    return {"VLAN", text.key, text.english, kVlan, page, "message box", kMessage};
}

constexpr CaptionRow commitMessage(VlanCommitMessage m)
{
    return vlanMessage("", vlanCommitText(m));
}

constexpr CaptionRow membershipText(int code)
{
    return vlan(kStatic, "StringGrid1 cells", kMembershipTextKeys[std::size_t(code)].key,
                kMembershipTextKeys[std::size_t(code)].english);
}

constexpr const char* kAdmitAll = "admit_all";
constexpr const char* kTagOnly = "tag_only";
constexpr const char* kCustomer = "customer";
constexpr const char* kProvider = "provider";


const std::array kVlanRows{
    CaptionRow{"VLAN", "local__vlan_cfg_dlg", "Local VLAN Configuration Dialog", kVlan, "",
               "window title", kCaption, "local"},
    CaptionRow{"VLAN", "remote_vlan_cfg_dlg", "Remote VLAN Configuration Dialog", kVlan, "",
               "window title", kCaption, "remote"},
    vlan("", "PageControl1 tab 0", "global_vlan", "&Global VLAN"),
    vlan("", "RadioGroup1", "vlan_main_switch", "VLAN Main Switch"),
    vlan("", "RadioGroup1 item 0", "disable_mode", "&Disable"),
    vlan("", "RadioGroup1 item 1", "single_tag", "Si&ngle Tag"),
    vlan("", "RadioGroup1 item 2", "double_tag", "Dou&ble Tag"),
    vlan(kGlobal, "Label2", "rem_1_prv_tag", "Remove 1 Provider Tag Only"),
    vlan(kGlobal, "Label3", "line_2", "LINE2"),
    vlan(kGlobal, "Label4", "line_3", "LINE3"),
    vlan(kGlobal, "Label5", "line_4", "LINE4"),
    vlan(kGlobal, "Label6", "modem_1", "Modem 1"),
    vlan(kGlobal, "Label7", "modem_2", "Modem 2"),
    vlan(kGlobal, "Label8", "nms", "NMS"),
    vlan("", "Button3", "set_button", "&Set"),
    vlan("", "Button4", "cancel_button", "&Cancel"),
    vlan("", "Button5", "default_button", "De&fault"),
    vlan(kGlobal, "Label9", "default_vid", "Default VID"),
    vlan(kGlobal, "Label10", "force_default_vid", "Force Default VID"),
    vlan(kGlobal, "Label11", "ingress_policy", "Ingress Policy"),
    vlan(kGlobal, "Label12", "port_double_tag_mode", "Port Double Tag Mode"),
    vlan(kGlobal, "Label13", "provider_eth_type", "Provider Ether Type"),
    vlan(kGlobal, "ComboBox2 item 0", kAdmitAll, "Admit All"),
    vlan(kGlobal, "ComboBox2 item 1", kTagOnly, "Tag only"),
    vlan(kGlobal, "ComboBox3 item 0", kAdmitAll, "Admit All"),
    vlan(kGlobal, "ComboBox3 item 1", kTagOnly, "Tag only"),
    vlan(kGlobal, "ComboBox4 item 0", kAdmitAll, "Admit All"),
    vlan(kGlobal, "ComboBox4 item 1", kTagOnly, "Tag only"),
    vlan(kGlobal, "ComboBox5 item 0", kAdmitAll, "Admit All"),
    vlan(kGlobal, "ComboBox5 item 1", kTagOnly, "Tag only"),
    vlan(kGlobal, "ComboBox6 item 0", kAdmitAll, "Admit All"),
    vlan(kGlobal, "ComboBox6 item 1", kTagOnly, "Tag only"),
    vlan(kGlobal, "ComboBox7 item 0", kAdmitAll, "Admit All"),
    vlan(kGlobal, "ComboBox7 item 1", kTagOnly, "Tag only"),
    vlan(kGlobal, "ComboBox8 item 0", kCustomer, "Customer"),
    vlan(kGlobal, "ComboBox8 item 1", kProvider, "Provider"),
    vlan(kGlobal, "ComboBox9 item 0", kCustomer, "Customer"),
    vlan(kGlobal, "ComboBox9 item 1", kProvider, "Provider"),
    vlan(kGlobal, "ComboBox10 item 0", kCustomer, "Customer"),
    vlan(kGlobal, "ComboBox10 item 1", kProvider, "Provider"),
    vlan(kGlobal, "ComboBox11 item 0", kCustomer, "Customer"),
    vlan(kGlobal, "ComboBox11 item 1", kProvider, "Provider"),
    vlan(kGlobal, "ComboBox12 item 0", kCustomer, "Customer"),
    vlan(kGlobal, "ComboBox12 item 1", kProvider, "Provider"),
    vlan(kGlobal, "ComboBox13 item 0", kCustomer, "Customer"),
    vlan(kGlobal, "ComboBox13 item 1", kProvider, "Provider"),
    vlan("", "PageControl1 tab 1", "static_vlan", "S&tatic VLAN"),
    vlan(kStatic, "Label1", "static_vlan_entr", "Static VLAN Entries:"),
    vlan(kStatic, "Button1", "add_vlan", "&Add New VLAN"),
    vlan(kStatic, "Button2", "del_vlan", "D&elete VLAN"),
    vlan("", "PageControl1 tab 2", "ports_vlan", "&Port Based VLAN"),
    vlan(kPortBased, "Label22", "separate_user_ports", "Separate User Ports"),
    vlan(kPortBased, "Label17", "line_2", "LINE 2"),
    vlan(kPortBased, "Label18", "line_3", "LINE 3"),
    vlan(kPortBased, "Label19", "line_4", "LINE 4"),
    vlan(kPortBased, "Label20", "modem_1", "Modem 1"),
    vlan(kPortBased, "Label21", "modem_2", "Modem 2"),
    vlan(kPortBased, "Label14", "modem_1", "Modem 1"),
    vlan(kPortBased, "Label15", "modem_2", "Modem 2"),
    vlan(kPortBased, "Label16", "nms", "NMS"),
    vlan("", "PageControl1 tab 3", "miscellaneous", "&Miscellaneous"),
    vlan(kMisc, "CheckBox20", "bpdu_pri_overr", "&BPDU priority Override"),
    vlan(kMisc, "CheckBox21", "lacp_pri_overr", "&LACP priority Override"),
    // The static VLAN grid: its header row (column 0 reads " VID", never
    // looked up) and the membership texts of its cells.
    vlan(kStatic, "StringGrid1 heading 1", "line2_clmn", " LINE2"),
    vlan(kStatic, "StringGrid1 heading 2", "line3_clmn", " LINE3"),
    vlan(kStatic, "StringGrid1 heading 3", "line4_clmn", " LINE4"),
    vlan(kStatic, "StringGrid1 heading 4", "mdm1__clmn", " Modem 1"),
    vlan(kStatic, "StringGrid1 heading 5", "mdm2__clmn", " Modem 2"),
    vlan(kStatic, "StringGrid1 heading 6", "nms___clmn", " NMS"),
    vlan(kStatic, "StringGrid1 heading 7", "delete_clmn", " Delete"),
    membershipText(unmodified_member),
    membershipText(untagged_member),
    membershipText(tagged_member),
    membershipText(not_a_member),
    // Messages of the static VLAN table, "De&fault" and "&Set".
    vlanMessage(kStatic, kVidExistsText),
    vlanMessage(kStatic, kNoMoreEntriesText),
    vlanMessage("", kProceedChangesText),
    commitMessage(VlanCommitMessage::line2_vid_out),
    commitMessage(VlanCommitMessage::line3_vid_out),
    commitMessage(VlanCommitMessage::line4_vid_out),
    commitMessage(VlanCommitMessage::mdm1_vid_out),
    commitMessage(VlanCommitMessage::mdm2_vid_out),
    commitMessage(VlanCommitMessage::nms__vid_out),
    commitMessage(VlanCommitMessage::no_vlan_2_nms),
    commitMessage(VlanCommitMessage::no_nms_vlan_2_l2),
    commitMessage(VlanCommitMessage::no_nms_vlan_2_l3),
    commitMessage(VlanCommitMessage::no_nms_vlan_2_l4),
    commitMessage(VlanCommitMessage::different_nms_def_vid),
    commitMessage(VlanCommitMessage::different_nms_vid_2_l2),
    commitMessage(VlanCommitMessage::different_nms_vid_2_l3),
    commitMessage(VlanCommitMessage::different_nms_vid_2_l4),
    commitMessage(VlanCommitMessage::unavailable_nms_l4),
    commitMessage(VlanCommitMessage::cannot_1_tag_1_0),
    commitMessage(VlanCommitMessage::cannot_2_tag_1_0),
    commitMessage(VlanCommitMessage::cannot_1_tag_v_active),
    commitMessage(VlanCommitMessage::cannot_2_tag_v_active),
};
static_assert(kVlanCommitMessages == 19, "every message of Set has its row above");

// ---- VID entry dialog --------------------------------------------------------
// Section "VLAN", looked up at each construction in this order.

constexpr const char* kVidEntry = "VID entry dialog";
constexpr const char* kEntryVidKey = "entry_vid";
constexpr const char* kEntryVid = "Entry VID";

const std::array kVidEntryRows{
    CaptionRow{"VLAN", "vid_id_out", "VID is out of range. The valid range is 1 to 4094.", kVidEntry,
               "", "Label2", kMessage},
    CaptionRow{"VLAN", kEntryVidKey, kEntryVid, kVidEntry, "", "window title", kCaption},
    CaptionRow{"VLAN", kEntryVidKey, kEntryVid, kVidEntry, "", "Label1", kCaption},
    CaptionRow{"VLAN", "ok_button", "OK", kVidEntry, "", "Button1", kCaption},
    CaptionRow{"VLAN", "cancel_button", "Cancel", kVidEntry, "", "Button2", kCaption},
};

} // namespace

namespace CaptionTables {

std::span<const CaptionRow> qos()
{
    return kQosRows;
}

std::span<const CaptionRow> vlan()
{
    return kVlanRows;
}

std::span<const CaptionRow> vidEntry()
{
    return kVidEntryRows;
}

const CaptionRow* find(std::span<const CaptionRow> rows, std::string_view control)
{
    for (const CaptionRow& row : rows)
        if (control == row.control)
            return &row;
    return nullptr;
}

QString plainEnglish(std::span<const CaptionRow> rows, std::string_view control)
{
    const CaptionRow* row = find(rows, control);
    if (!row)
        return {};
    const QString english = QString::fromUtf8(row->english);
    QString plain;
    plain.reserve(english.size());
    for (qsizetype i = 0; i < english.size(); ++i) {
        // "&&" is a shown '&'; a single '&' marks the next letter.
        if (english.at(i) == QLatin1Char('&') && i + 1 < english.size())
            ++i;
        plain.append(english.at(i));
    }
    return plain.trimmed();
}

QByteArray catalogueText(const std::function<QString(const CaptionRow&)>& textFor)
{
    QByteArray text;
    for (const char* section : {"QOS", "VLAN"}) {
        text += QByteArray("[") + section + "]\n";
        QSet<QByteArray> written;
        for (const auto table : all())
            for (const CaptionRow& row : table) {
                if (std::strcmp(row.section, section) != 0 || written.contains(row.key))
                    continue;
                written.insert(row.key);
                const QString value = textFor(row);
                if (value.isEmpty() || value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')))
                    continue;
                text += QByteArray(row.key) + "=\"" + value.toUtf8() + "\"\n";
            }
    }
    return text;
}

} // namespace CaptionTables
