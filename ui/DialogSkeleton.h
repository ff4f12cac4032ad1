// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QSize>
#include <Qt>

#include <initializer_list>
#include <utility>
#include <vector>

class QDialog;
class QPushButton;
class QString;
class QTabWidget;
class QWidget;
class StringGrid;

// The set-up every dialog of the library shares, written once: the design
// face, the window icon and flags, the owner's palette and direction, the
// sizes of the form grown by the display density, push buttons as wide as
// their captions, the window fitted to its screen, mirrored right to left and
// centred when shown. A dialog keeps one and calls it in this order:
//
//   DialogSkeleton(this)            before setupUi: the face, which every
//                                   control then takes as it is made
//   dress(icon, resources, flags)   after setupUi
//   ... the dialog's own set-up: loading, captions, accessible names ...
//   place(size, minimum)            last, with the design's sizes scaled
//   shown()                         from showEvent
//
// Sizes written in the form (or in the dialog) are design sizes at 96 pixels
// per inch; scaled() grows them by the density factor, truncating toward
// zero, the one way every dialog scales.
class DialogSkeleton
{
public:
    explicit DialogSkeleton(QDialog* dialog);

    // Registers the dialog's own resources (a function that runs
    // Q_INIT_RESOURCE for them) and gives the window its icon from them; makes
    // every label plain text; takes the owner's palette and direction; sets
    // the window flags; draws the window with the dialog style (DialogStyle.h:
    // text in the controls' direction, outlines visible under dark and
    // high-contrast palettes); shows all the tabs of the pages, when there are any,
    // side by side. The form's size and limits are kept as the design. (The
    // pages scroll when the window is placed on a screen too small for it.)
    void dress(const QString& icon, void (*registerResources)(), Qt::WindowFlags flags,
               QTabWidget* pages = nullptr);

    // The display density factor: pixels per inch divided by 96.
    float density() const;
    int scaled(int designSize) const;
    QSize scaled(QSize designSize) const;
    // The form's client size and limits as designed (before any scaling).
    QSize designSize() const { return m_designSize; }
    QSize designMinimum() const { return m_designMinimum; }

    // A control's limits from the form grown by the density factor (an
    // unbounded maximum stays unbounded).
    void scaleLimits(QWidget* control) const;
    // Every column of a grid as wide as the form made it, grown by the factor.
    void scaleColumns(StringGrid* grid) const;
    // The least client size under a window frame, for a design whose least
    // size is that of the whole window, frame included, drawn with
    // designFrame: the frame the platform reports is in pixels already; until
    // it reports one, the design's frame grows with the density too.
    QSize clientMinimum(QSize windowMinimum, QSize designFrame) const;

    // Push buttons keep their designed size grown by the factor, and are
    // widened when their captions need it (fitButtons, also run by place).
    void keepButtonsFitted(std::initializer_list<QPushButton*> buttons);
    void fitButtons() const;

    // Last: mirrors the layout right to left now and after each change of
    // direction; then gives the window the size its content needs, at least
    // size and minimum (both scaled already), within the screen and the
    // form's maximum grown by the factor (see fitToScreen). An invalid size
    // or minimum is the form's, scaled. A fixed window is fitted afresh each
    // time and keeps the size it gets.
    enum class Border { Sizeable, Fixed };
    void place(QSize size = QSize(), QSize minimum = QSize(), Border border = Border::Sizeable);

    // From showEvent, after QDialog's: centres the window on its screen
    // (not over its owner).
    void shown() const;

private:
    QDialog* m_dialog;
    QSize m_designSize;
    QSize m_designMinimum;
    QSize m_designMaximum;
    bool m_mirrored = false;
    // The push buttons with their designed sizes.
    std::vector<std::pair<QPushButton*, QSize>> m_buttons;
};
