// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/SystemColours.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

double channelLuminance(double c)
{
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour)
{
    const QColor c = colour.toRgb();
    return 0.2126 * channelLuminance(c.redF()) + 0.7152 * channelLuminance(c.greenF())
        + 0.0722 * channelLuminance(c.blueF());
}

QColor blend(const QColor& from, const QColor& to, double t)
{
    const auto mix = [t](int a, int b) { return int(std::lround(a + (b - a) * t)); };
    const QColor a = from.toRgb();
    const QColor b = to.toRgb();
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()));
}

// The step from the window colour to the inactive colour as designed (white
// to #BFCDDB): darker, most of all in red. On a dark field the step goes
// toward light, most of all in blue, so the colour stays a cool tint.
constexpr int kStepRed = 64;
constexpr int kStepGreen = 50;
constexpr int kStepBlue = 36;

QColor inactiveColour(const QPalette& palette)
{
    const QColor base = palette.color(QPalette::Active, QPalette::Base).toRgb();
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    const bool lightField = luminance(base) >= luminance(text);
    const auto step = [lightField](int channel, int darker, int lighter) {
        return std::clamp(lightField ? channel - darker : channel + lighter, 0, 255);
    };
    const QColor stepped(step(base.red(), kStepRed, kStepBlue), step(base.green(), kStepGreen, kStepGreen),
                         step(base.blue(), kStepBlue, kStepRed));
    // Back toward the field colour as far as the text needs: more than
    // kTextContrast, as the thin strokes of a round digit cover their pixels
    // only in part and draw weaker than their colour.
    return readableOn(text, stepped, base, kTintTextContrast);
}

// A palette of its own only where the colours differ from the natural ones.
void setColours(QWidget* w, const QColor& base, const QColor& disabledText)
{
    const QPalette current = w->palette();
    if (current.color(QPalette::Base) == base
        && current.color(QPalette::Disabled, QPalette::Text) == disabledText)
        return;
    const QPalette natural = w->window()->palette();
    if (natural.color(QPalette::Base) == base
        && natural.color(QPalette::Disabled, QPalette::Text) == disabledText) {
        w->setPalette(QPalette()); // back to the palette it inherits
        return;
    }
    // Only these roles are the field's own; the rest follow its window.
    QPalette own;
    own.setColor(QPalette::Base, base);
    own.setColor(QPalette::Disabled, QPalette::Text, disabledText);
    w->setPalette(own);
}

// An editable combo box shows its colour in its text field only: the box
// itself keeps the palette every box shares, so the style draws all of them
// from one cached picture.
QWidget* colouredPart(const QWidget* field)
{
    if (auto* combo = qobject_cast<const QComboBox*>(field); combo && combo->lineEdit())
        return combo->lineEdit();
    return const_cast<QWidget*>(field);
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& background, const QColor& preferred, const QColor& strongest,
                  double ratio)
{
    if (contrastRatio(preferred, background) >= ratio)
        return preferred.toRgb();
    for (int step = 1; step <= 20; ++step) {
        const QColor c = blend(preferred, strongest, step / 20.0);
        if (contrastRatio(c, background) >= ratio)
            return c;
    }
    return strongest.toRgb();
}

QColor systemColour(SystemColour which, const QPalette& palette)
{
    switch (which) {
    case SystemColour::Window:
        return palette.color(QPalette::Active, QPalette::Base).toRgb();
    case SystemColour::InactiveCaption:
        return inactiveColour(palette);
    }
    return palette.color(QPalette::Active, QPalette::Window).toRgb();
}

QColor systemColour(SystemColour which)
{
    return systemColour(which, QGuiApplication::palette());
}

void setFieldColour(QWidget* field, const QColor& colour)
{
    QWidget* part = colouredPart(field);
    if (part != field)
        part->setAutoFillBackground(true);
    const QPalette natural = part->window()->palette();
    // Only a disabled field draws its disabled text; an enabled one keeps
    // the natural colour, and with it often no palette of its own.
    QColor disabledText = natural.color(QPalette::Disabled, QPalette::Text);
    // Its colour aims at the contrast of normal text: the anti-aliased
    // strokes of a small font draw lighter than their colour, and the text
    // as drawn must keep kDisabledTextContrast.
    if (!field->isEnabled())
        disabledText = readableOn(colour, disabledText, natural.color(QPalette::Active, QPalette::Text),
                                  kTextContrast);
    setColours(part, colour, disabledText);
}

QColor fieldColour(const QWidget* field)
{
    return colouredPart(field)->palette().color(QPalette::Base);
}
