// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

// The two system colours by which the VLAN dialog marks whether a field
// applies, under their classic system colour indexes: the window colour (5)
// and the inactive caption colour (3). Both follow the desktop's theme: they
// are worked out from a palette, so a dark or high-contrast desktop gets
// fields whose text stays readable.
enum class SystemColour { InactiveCaption = 3, Window = 5 };

// The colour for a palette:
// - the window colour is the palette's field colour (Base), on which the
//   palette's text colour is drawn;
// - the inactive colour is the field colour moved one step away from the
//   text colour, toward a cool grey-blue (on Qt's default light palette, the
//   classic #BFCDDB), and back toward the field colour as far as needed for
//   the text colour to keep kTintTextContrast against it (so that the text
//   keeps kTextContrast as drawn, anti-aliased).
QColor systemColour(SystemColour which, const QPalette& palette);
// For the application's palette.
QColor systemColour(SystemColour which);

// The least contrast between a text and its background: normal text (WCAG 2.1,
// 1.4.3), and the text of a field that is disabled but shows a value.
inline constexpr double kTextContrast = 4.5;
inline constexpr double kDisabledTextContrast = 3.0;
// The contrast the text colour keeps against the "does not apply" tint.
inline constexpr double kTintTextContrast = 7.0;

// The contrast ratio of two colours, 1 to 21 (WCAG 2.1).
double contrastRatio(const QColor& a, const QColor& b);

// The colour nearest to `preferred`, on the way from it to `strongest`, that
// keeps `ratio` against `background` (`strongest` when none does).
QColor readableOn(const QColor& background, const QColor& preferred, const QColor& strongest,
                  double ratio);

// Paints a field's background (palette role Base) in a colour; a combo box's
// text field follows. The field stays enabled and editable; when it is
// disabled, its text is darkened (or lightened) as far as needed to stay
// readable on that colour. A field whose colours are the ones it would have
// anyway keeps no palette of its own, so it draws like every other field (and
// shares their cached pixmaps). The natural colours are those of the field's
// window, so a dialog can call this again as soon as its palette changes.
void setFieldColour(QWidget* field, const QColor& colour);
QColor fieldColour(const QWidget* field);
