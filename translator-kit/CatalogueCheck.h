// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class CaptionIndex;

// The checks of a translated catalogue that need no window: its keys against
// the caption tables, and its accelerators.
struct CatalogueFinding
{
    int line = 0;     // 0: not tied to one line
    QString section;
    QString key;
    QString message;
    bool counts = true; // false: a note that does not make the catalogue faulty
};

// text: the catalogue as read from its file.
std::vector<CatalogueFinding> checkCatalogueText(const QString& text, const CaptionIndex& index);

// "line 12: [VLAN] set_butten: unknown key; did you mean set_button?"
QString describeFinding(const CatalogueFinding& finding);

// Levenshtein distance, letter case ignored.
int editDistance(const QString& a, const QString& b);
