// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/OduSwitchCoreExport.h"
#include "core/VlanConfig.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

class TIniFile;

/// \file
/// The in-memory static VLAN table that the VLAN dialog edits (`vlanPole`):
/// eight columns, each a separate vector with one element per entry, so entry i
/// is element i of every column. A table is always replaced as a whole (every
/// operation below that changes the number of entries returns a new table); the
/// columns are never resized in place. No widget code lives here: the dialog
/// keeps the table and its count (`vlanCount`, always the table's entry count)
/// and turns the results of these operations into grid texts.
///
/// The functions keep no state and work on the tables they are given: any
/// thread, one table per thread at a time.

/// The columns of a VlanPole.
enum VlanPoleColumn : int {
    vp_vid = 0,    ///< VID of the entry
    vp_line2 = 1,  ///< membership codes, column = tPortik + 1
    vp_line3 = 2,  ///< membership code of LINE 3
    vp_line4 = 3,  ///< membership code of LINE 4
    vp_modem1 = 4, ///< membership code of Modem 1
    vp_modem2 = 5, ///< membership code of Modem 2
    vp_nms = 6,    ///< membership code of NMS
    vp_mark = 7,   ///< delete mark: 1 marked, 0 not; never stored in the array
};

/// The number of columns of a VlanPole.
constexpr int kVlanPoleColumns = 8;

/// The static VLAN table: one vector per VlanPoleColumn, each as long as the
/// table has entries.
using VlanPole = std::array<std::vector<short>, kVlanPoleColumns>;

/// The VLAN modes as RadioGroup1's item indices and the array's mode field.
enum VlanMode : int {
    vlan_mode_disable = 0,
    vlan_mode_single_tag = 1,
    vlan_mode_double_tag = 2,
};

// ---- The table and the array --------------------------------------------

/// A table of `entries` entries (negative counts as 0), every element zero.
ODU_SWITCH_CORE_EXPORT VlanPole makeVlanPole(int entries);

/// The number of entries (the length of column 0).
ODU_SWITCH_CORE_EXPORT int vlanPoleEntries(const VlanPole& pole);

/// Unpacks slots 0..n-1 of the array's static VLAN region into entries 0..n-1,
/// columns 0..6; column 7 is not touched. n is bounded by the 22 slots and by
/// the table's entries, so nothing outside the array or the table is touched.
/// An NMS code other than 3 is read as 1 (untagged member).
ODU_SWITCH_CORE_EXPORT void unpackVlanPole(const VlanConfigArray& cfg, VlanPole& pole, int n);

/// The table as loading builds it: as many zero-filled entries as the array's
/// count (bounded at 22), then unpacked from the array; all marks 0.
ODU_SWITCH_CORE_EXPORT VlanPole loadVlanPole(const VlanConfigArray& cfg);

/// Packs entries 0..n-1 into slots 0..n-1, rewriting all three bytes of each
/// slot (codes stored as they are, NMS included; marks play no part). n is
/// bounded by 22 and by the table's entries; the other slots keep their bytes.
/// The count field is not written here.
ODU_SWITCH_CORE_EXPORT void packVlanPole(const VlanPole& pole, int n, VlanConfigArray& cfg);

// ---- Lookups -------------------------------------------------------------

/// True when column 0 of any entry equals vid (`VID_uz_existuje`).
ODU_SWITCH_CORE_EXPORT bool vidExists(const VlanPole& pole, short vid);

/// The NMS VLAN: the index of the first entry among 0..n-1 (n bounded by the
/// table) whose NMS code is not 3; -1 when there is none.
ODU_SWITCH_CORE_EXPORT int firstNmsEntry(const VlanPole& pole, int n);

// ---- Add and delete --------------------------------------------------------

/// Whether one more entry fits (fewer than 22 entries).
ODU_SWITCH_CORE_EXPORT bool canAddEntry(const VlanPole& pole);

/// The VID offered when adding: the last entry's VID + 1, or 4094 when the last
/// VID is 4094; 1 on an empty table.
ODU_SWITCH_CORE_EXPORT short suggestedNewVid(const VlanPole& pole);

/// A new table with one entry more: columns 0..6 of the existing entries
/// copied, every delete mark 0; the new last entry has `vid`, the five port
/// codes of the previous last entry (not_a_member on an empty table) and NMS
/// not_a_member. The caller checks canAddEntry and vidExists first.
ODU_SWITCH_CORE_EXPORT VlanPole withNewEntry(const VlanPole& pole, short vid);

/// The number of entries whose delete mark is not 0.
ODU_SWITCH_CORE_EXPORT int markedEntries(const VlanPole& pole);

/// A new table holding columns 0..6 of the unmarked entries in their order,
/// marks 0; nullopt (nothing to do) when no entry or every entry is marked.
ODU_SWITCH_CORE_EXPORT std::optional<VlanPole> withoutMarkedEntries(const VlanPole& pole);

// ---- Clicks on the grid -----------------------------------------------------

/// One cell whose code a click changed, in the order of the changes.
struct VlanPoleChange
{
    int entry;   ///< 0-based entry (grid row - 1)
    int column;  ///< 1..6
    short code;  ///< the new code
    /// Member-wise equality.
    friend bool operator==(const VlanPoleChange&, const VlanPoleChange&) = default;
};

/// Toggles the delete mark of an entry: 0 becomes 1, anything else 0. Returns
/// the new mark (true = marked). An entry outside the table: nothing, false.
ODU_SWITCH_CORE_EXPORT bool toggleDeleteMark(VlanPole& pole, int entry);

/// A click on membership column 1..6 of an entry with the dialog's current mode
/// (RadioGroup1's item index). Returns the cells that changed, clicked cell
/// first; an entry or column outside the table changes nothing.
///  Double Tag (2): code 3 becomes 0, and in the NMS column every other entry
///    whose NMS code is not 3 then becomes 3 (first to last); any other code
///    becomes 3 in columns 1..5 and stays in the NMS column.
///  Any other mode: in the NMS column only code 3 reacts, becoming 1, and every
///    other NMS member becomes 3; columns 1..5 step 0 -> 1 -> 2 -> 3 -> 0.
ODU_SWITCH_CORE_EXPORT std::vector<VlanPoleChange> clickMembershipCell(VlanPole& pole, int entry, int column, int mode);

// ---- Cell texts ----------------------------------------------------------------

/// A catalogue text: its key in section "VLAN" and its English default.
struct VlanText
{
    const char* key;     ///< the key in section "VLAN"
    const char* english; ///< the built-in English text
};

/// The membership texts, indexed by code (leading blanks are part of them).
inline constexpr std::array<VlanText, 4> kMembershipTextKeys{{
    {"unmodified_member", " Unmodified"},
    {"untagged_member", " Untagged"},
    {"tagged_member", "  Tagged"},
    {"not_a_member", "Not a member"},
}};

/// The delete column's text of a marked entry (not looked up).
inline constexpr const char* kDeleteMarkText = "   X";

/// The four membership texts, indexed by code 0..3.
using MembershipTexts = std::array<QString, 4>;

/// The English defaults.
ODU_SWITCH_CORE_EXPORT MembershipTexts englishMembershipTexts();

/// The four texts looked up in section "VLAN" of the catalogue now (a null
/// catalogue gives the defaults). The dialog does this at each fill and click.
ODU_SWITCH_CORE_EXPORT MembershipTexts lookupMembershipTexts(const TIniFile* langIni);

/// The text of a membership cell (column 1..6) for a code in a mode:
///  Double Tag: "Not a member" for 3, " Unmodified" for any other code;
///  other modes, NMS column: "Not a member" for 3, " Untagged" otherwise;
///  other modes, columns 1..5: the text of the code (a code outside 0..3, which
///    no table built from the array holds, shows as its two low bits, the way
///    it would be packed).
ODU_SWITCH_CORE_EXPORT QString membershipCellText(short code, int column, int mode, const MembershipTexts& texts);

/// The delete column's text for a mark: "   X" when marked, else empty.
ODU_SWITCH_CORE_EXPORT QString deleteMarkCellText(short mark);
