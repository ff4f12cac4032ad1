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

// text: the catalogue as read from its file; language: its language code
// (see catalogueLanguage), empty when unknown. A catalogue that is not
// English must not leave a key showing its English text (missing, empty or
// the same text) unless the entry is marked as meant to be the same.
std::vector<CatalogueFinding> checkCatalogueText(const QString& text, const CaptionIndex& index,
                                                 const QString& language = {});

// Characters of the captions that no font installed on this machine can draw
// (they show as boxes), one finding per face that would draw them, with the
// Debian package that brings it, the entries' lines and some of the
// characters; needs the application's font database. language (see
// catalogueLanguage) picks among faces made for one script (Japanese or
// Chinese forms of the CJK faces).
std::vector<CatalogueFinding> checkFontCoverage(const QString& text, const CaptionIndex& index,
                                                const QString& language = {});

// Where an accelerator mark in a caption does harm, with the fix; empty when
// it does none: an '&' between two joining letters of a cursive script
// (Arabic, Syriac, N'Ko, Mongolian), which splits the word's joined forms,
// and an '&' before a blank, which no key can press.
QString acceleratorPlacementProblem(const QString& caption);

// "line 12: [VLAN] set_butten: unknown key; did you mean set_button?"
QString describeFinding(const CatalogueFinding& finding);

// Levenshtein distance, letter case ignored.
int editDistance(const QString& a, const QString& b);
