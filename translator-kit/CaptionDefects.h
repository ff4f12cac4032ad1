// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

class QWidget;

// Whether every caption of a dialog has the room it needs. A caption is the
// text of a label, button, check box, radio item, group box title, tab, combo
// box item or grid heading cell. A caption is at fault when it is
//   - clipped: its text needs more pixels than its control gives it;
//   - overlapping: its text runs into a sibling control;
//   - outside: it lies (partly) outside the widget that holds it, so the page
//     or the window cuts it off;
//   - elided: it is shown shortened with an ellipsis, its full text in its
//     tooltip (what a dialog does when even the screen is too small);
//   - crowded (asked for with CaptionDefectRules::captionGaps): two captions
//     side by side (labels of one row, a grid's headings) are closer than
//     the visible gap the dialogs keep (kMinimumCaptionGap at 96 dpi, grown
//     by the density factor).
// A control of any kind that lies outside its holder is at fault too
// (Outside), and so, with CaptionDefectRules::columnsInView, is a grid
// column that the grid's view cannot show without scrolling sideways. A grid
// cell whose text is drawn whole is not at fault even where it eats into the
// cell's margins.
// Every page of every tab control is examined, hidden ones included.

// The gap between two captions side by side at 96 dpi.
inline constexpr int kMinimumCaptionGap = 6;

struct CaptionDefect
{
    enum class Kind { Clipped, Overlaps, Outside, Elided, Crowded };

    Kind kind = Kind::Clipped;
    // The control as the caption tables name it: its object name, or
    // "<tabs> tab <i>", "<combo> item <i>", "<radio group> item <i>",
    // "<grid> heading <column>".
    QString control;
    QString text;   // the caption as shown (Elided: the full text)
    QString other;  // Overlaps: the control it runs into; Outside: the holder;
                    // Crowded: the caption beside it
    QSize needed;   // Clipped, Elided: the size the text needs; Outside/Overlaps: the text's size
    QSize had;      // Clipped, Elided: the size it has; Outside: the holder's size;
                    // Overlaps: the size of the overlap; Crowded: the gap (width)
                    // (needed: the gap it should have)
    QRect area;     // the caption (tab, item or cell) at fault, in the window's coordinates
    QPointer<QWidget> widget; // the control (the holder for tabs, items, cells)
};

// The rules that judge a dialog laid out for the reference screen (the
// translator kit's), which a dialog squeezed onto a smaller screen cannot
// keep: a grid column in view without scrolling, and the gap between
// captions side by side.
struct CaptionDefectRules
{
    bool columnsInView = false;
    bool captionGaps = false;
};

// Lists every caption defect of a window. The window should be shown (the
// offscreen platform is fine). To reach hidden pages, each tab control is
// switched through its pages and set back; nothing else is changed.
std::vector<CaptionDefect> findCaptionDefects(QWidget* window, CaptionDefectRules rules = {});

// One line for a person: "Label9 \"Default VID\": clipped, needs 75x13 px, has 62x13".
QString describeCaptionDefect(const CaptionDefect& defect);
