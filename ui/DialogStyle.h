// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QColor>
#include <QPalette>
#include <QProxyStyle>

class QWidget;

// The style the dialogs' own windows draw with: the application's style, with
// two differences, and only in those windows (a host's own windows keep the
// application's style as it is).
//
// - Text takes its base direction from the control it is drawn in, not from
//   the application: a caption that mixes Arabic with Latin letters, digits or
//   brackets reads the same in a dialog that is right to left because its
//   owner is as in one that is right to left because the application is.
//   (Qt's painters start with the application's direction; the style sets the
//   painter to the direction of the control's option for each thing it draws.)
// - Under a palette that asks for it (see needsVisibleOutlines), the outlines
//   that identify a control are drawn in a colour at kOutlineContrast against
//   the window and the field colours: check box and radio button indicators,
//   the frames of edit fields, editable drop-down lists and grids, the lines
//   of grids and the keyboard focus frame. The common styles draw those outlines
//   from the Window colour made darker, which on a black window is black.
//
// The style is one shared object per application style (Qt's style factory
// makes its base, so the application's own style object is never wrapped);
// an application style the factory cannot make (a host's own style class) is
// left alone and the dialogs draw with it unchanged.
class DialogStyle : public QProxyStyle
{
    Q_OBJECT

public:
    // The shared style for the current application style; null when that
    // style cannot be made again.
    static DialogStyle* forApplication();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;

private:
    explicit DialogStyle(QStyle* base);
    // Draws an outline over what the base style drew (with outline colours
    // from the option's palette); false when the element keeps the base's.
    bool drawOutline(PrimitiveElement element, const QStyleOption* option, QPainter* painter) const;
};

// The least contrast of an outline that identifies a control (WCAG 2.1, 1.4.11).
inline constexpr double kOutlineContrast = 3.0;

// Whether a palette asks for outlines drawn at kOutlineContrast: a dark
// palette (the window darker than its text) or a high-contrast one (window
// and window text at kHighContrast or more, black on white or white on
// black). A light palette of ordinary contrast, such as the styles' own, keeps
// the style's outlines as they are.
inline constexpr double kHighContrast = 20.0;
bool needsVisibleOutlines(const QPalette& palette);

// The outline colour for such a palette: the palette's Mid colour, moved
// toward the window text as far as needed to keep kOutlineColourContrast
// against the window, the field (Base) and button colours, and the window a
// step lighter (or darker) where a style lays its translucent group box
// layer over it. The colour aims
// higher than the outline needs: a round or anti-aliased outline one pixel
// wide covers its pixels only in part, and as drawn it must still keep
// kOutlineContrast.
inline constexpr double kOutlineColourContrast = 4.5;
QColor visibleOutline(const QPalette& palette);
// The keyboard focus frame: the Highlight colour, moved likewise.
QColor visibleFocusOutline(const QPalette& palette);

// Gives a window and every widget in it the dialog style as soon as it needs
// it: when its direction is not the application's or its palette asks for
// visible outlines, now or after a change of palette or direction while it
// is open. Until then the window draws with the application's style itself
// (the common case, a light palette in the application's direction, costs
// nothing). Widgets added later (grid editors, list pop-ups, message boxes)
// are given the style when they are polished, before they are first drawn. A
// widget that has a style of its own set keeps it.
void useDialogStyle(QWidget* window);
