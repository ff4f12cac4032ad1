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

// Called with each caption the dialog shows. A caption in Chinese, Japanese
// or Korean puts a face made for that language first: its Latin letters and
// digits ("VID", "LINE 2") are drawn to the size of the ideographs around
// them, where the narrow Latin face would draw them visibly smaller, and its
// ideographs take the language's forms (Japanese or simplified, traditional
// Chinese), which the fallback of the machine picks by its own locale. Kana
// or Hangul decide; ideographs alone take the Chinese face of the system's
// locale, simplified unless it says otherwise, until kana follow. With no such
// face installed the design's faces stay.
void followCaptionScript(QWidget* dialog, const QString& caption);

// font with the design's faces only (no face put first for a language): the
// face whose line height the forms were drawn for.
QFont designFont(const QFont& font);
