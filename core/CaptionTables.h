// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/OduSwitchCoreExport.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <functional>
#include <span>
#include <string_view>

/// \file
/// Every text the three dialogs look up in the language catalogue, one table
/// per dialog: the section and key, the built-in English text, and where the
/// text appears. The dialogs set their captions by going through their table;
/// the field catalogue names fields and values with the same English texts;
/// tests, the fuzz target, the benchmark and the translator tools read the
/// same rows. A key used on several controls, or with two English texts, has
/// one row per use.

/// Where a text of a caption table is shown.
enum class CaptionKind {
    Caption, ///< on a control of a dialog
    Message, ///< in a message box or a status line
};

/// One text that a dialog looks up: where it is in the catalogue, its
/// English default and where it appears. Rows are constant data of the
/// library; the pointers point to string literals that live as long as it.
struct CaptionRow
{
    const char* section; ///< "QOS" or "VLAN"
    const char* key;     ///< catalogue key
    const char* english; ///< built-in English default
    const char* dialog;  ///< "QoS dialog", "VLAN dialog" or "VID entry dialog"
    const char* page;    ///< English page caption without '&'; "" when always visible
                         ///< (window title, mode switch, tab row, button strip, the small dialog)
    const char* control; ///< objectName of the control that shows it ("Label9",
                         ///< "ComboBox2 item 0", "StringGrid1 heading 3",
                         ///< "PageControl1 tab 0", "window title", "message box");
                         ///< "GRID row labels" and "GRID cells" (GRID a grid's name) are texts the
                         ///< loading step writes into a grid's cells
    CaptionKind kind;    ///< Caption: shown on a control; Message: a message box or status-line text
    const char* unit = ""; ///< "local" or "remote" for a window title that depends on
                           ///< the unit the dialog edits; "" for every other text
};

/// The caption tables of the three dialogs, and what is made from them.
/// Constant data: safe to read from any thread.
namespace CaptionTables {

/// The QoS dialog's texts (section "QOS").
ODU_SWITCH_CORE_EXPORT std::span<const CaptionRow> qos();
/// The VLAN dialog's texts (section "VLAN").
ODU_SWITCH_CORE_EXPORT std::span<const CaptionRow> vlan();
/// The VID entry dialog's texts (section "VLAN").
ODU_SWITCH_CORE_EXPORT std::span<const CaptionRow> vidEntry();

/// The three tables: QoS dialog, VLAN dialog, VID entry dialog.
inline std::array<std::span<const CaptionRow>, 3> all()
{
    return {qos(), vlan(), vidEntry()};
}

/// The first row of a table that a control shows; null when there is none.
ODU_SWITCH_CORE_EXPORT const CaptionRow* find(std::span<const CaptionRow> rows, std::string_view control);

/// The English text a control shows as a reader sees it: without the
/// accelerator marks ("&&" stays one '&') and the blanks around it, so
/// "Channel &1 - Queue scheduling" reads "Channel 1 - Queue scheduling".
/// Empty when the table has no row for the control.
ODU_SWITCH_CORE_EXPORT QString plainEnglish(std::span<const CaptionRow> rows, std::string_view control);

/// Catalogue text with every key of the tables once, under [QOS] and [VLAN]:
/// the value textFor gives the key's first row, in quotes so that leading
/// blanks stay. A key whose value is empty or holds a line break (which a
/// catalogue line cannot carry) is left out, so its English text stays.
ODU_SWITCH_CORE_EXPORT QByteArray catalogueText(const std::function<QString(const CaptionRow&)>& textFor);

} // namespace CaptionTables
