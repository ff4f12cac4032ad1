// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

class QFont;
class QString;
class QWidget;

// Gives a dialog its designed face: Tahoma at a character height of 11 pixels
// at 96 pixels per inch (8.25 point). Where Tahoma is missing, a narrow sans
// serif takes its place, so captions and grid texts keep within the places the
// forms give them; the wide default faces would not.
void applyDialogFont(QWidget* dialog);

// Called with each caption the dialog shows and the control that shows it
// (null for the window title and the tab row). A caption that mixes Latin
// letters or digits with Chinese, Japanese or Korean text gives its control a
// face made for that language first: its Latin runs ("VID", "802.1Q") are
// drawn in that face's Latin letters, to the size of the ideographs around
// them, where the narrow Latin design face would draw them visibly smaller;
// its ideographs take the language's forms. Other captions keep the design's
// faces (CJK text alone already comes from the machine's CJK face), and so
// does the tab row, whose taller line would take room from every page on a
// small screen. Kana or Hangul in any caption of the dialog settle the
// language; ideographs alone take the Chinese face of the system's locale
// (simplified unless it says otherwise) until kana follow. With no such face
// installed the design's faces stay.
void followCaptionScript(QWidget* dialog, QWidget* control, const QString& caption);

// font with the design's faces only (no face put first for a language): the
// face whose line height the forms were drawn for.
QFont designFont(const QFont& font);
