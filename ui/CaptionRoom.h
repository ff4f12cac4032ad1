// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QFont>
#include <QSize>
#include <QString>

class QPushButton;
class QStyle;
class QWidget;

// The room a control's caption needs at the control's font: the text and the
// style's padding around it. Labels and check boxes or radio items with text
// take their size hint; push buttons their text and padding, without the
// minimum width some styles give every button; combo boxes their widest item
// and the arrow; group boxes their title. An invalid size for a control
// without a caption (edits, grids, blank check boxes).
QSize captionRoom(const QWidget* control);

// The caption room of one control, measured again only when something it
// depends on has changed: the caption (or list item) texts, the font, the
// density or the style. Layouts that ask again and again keep one per control.
class RememberedCaptionRoom
{
public:
    QSize of(const QWidget* control);

private:
    QString m_texts;
    QFont m_font;
    int m_dpi = 0;
    const QStyle* m_style = nullptr;
    QSize m_room;
    bool m_known = false;
};

// Gives a push button of a fixed designed size (already grown by the density
// factor) the width its caption needs, if that is more.
void fitButtonToCaption(QPushButton* button, QSize design);
