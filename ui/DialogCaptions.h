// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/CaptionTables.h"

#include <QHash>
#include <QString>

#include <span>

class QWidget;
class TIniFile;

// A row's text: the catalogue's text for its key, or its English default.
QString captionText(const TIniFile* langIni, const CaptionRow& row);

// Puts a text where a caption row says it appears in a dialog: the window
// title, a label, button or check box, a group's title, a page's tab, a list
// or radio item, or a grid heading. Returns false for rows that name no such
// place (messages, grid texts that the loading step composes, unknown names).
// A text longer than any screen could show on a line is cut first.
bool showCaption(QWidget* dialog, const CaptionRow& row, const QString& text);

// Shows many captions of one dialog: finds each control by name in an index
// made once, not by searching the dialog's children for every row.
class CaptionPlaces
{
public:
    explicit CaptionPlaces(QWidget* dialog);
    // As showCaption(dialog, row, text).
    bool show(const CaptionRow& row, const QString& text) const;

private:
    QWidget* m_dialog;
    QHash<QString, QWidget*> m_controls;
};

// Texts the loading step writes into a grid (headings, row labels, cells),
// not set at construction.
bool isWrittenByLoading(const CaptionRow& row);

// The text of the row a control shows, for texts the dialogs compose
// themselves (row labels); empty when the table has no such row.
QString captionTextOf(std::span<const CaptionRow> rows, const char* control, const TIniFile* langIni);
