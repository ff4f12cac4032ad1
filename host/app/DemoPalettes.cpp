// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "host/app/DemoPalettes.h"

#include <QApplication>
#include <QStyle>

namespace {

struct PaletteColours
{
    QColor window, windowText, base, alternateBase, text, button, buttonText, highlight,
        highlightedText, disabledText, link, mid;
};

QPalette makePalette(const PaletteColours& c)
{
    QPalette p;
    p.setColor(QPalette::Window, c.window);
    p.setColor(QPalette::WindowText, c.windowText);
    p.setColor(QPalette::Base, c.base);
    p.setColor(QPalette::AlternateBase, c.alternateBase);
    p.setColor(QPalette::ToolTipBase, c.base);
    p.setColor(QPalette::ToolTipText, c.text);
    p.setColor(QPalette::PlaceholderText, c.disabledText);
    p.setColor(QPalette::Text, c.text);
    p.setColor(QPalette::Button, c.button);
    p.setColor(QPalette::ButtonText, c.buttonText);
    p.setColor(QPalette::BrightText, c.highlightedText);
    p.setColor(QPalette::Highlight, c.highlight);
    p.setColor(QPalette::HighlightedText, c.highlightedText);
    p.setColor(QPalette::Link, c.link);
    p.setColor(QPalette::LinkVisited, c.link);
    p.setColor(QPalette::Light, c.button.lighter(150));
    p.setColor(QPalette::Midlight, c.button.lighter(125));
    p.setColor(QPalette::Mid, c.mid);
    p.setColor(QPalette::Dark, c.mid.darker(150));
    p.setColor(QPalette::Shadow, Qt::black);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, c.disabledText);
    return p;
}

} // namespace

QStringList demoPaletteNames()
{
    return {QStringLiteral("light"), QStringLiteral("dark"), QStringLiteral("high-contrast"),
            QStringLiteral("high-contrast-white")};
}

std::optional<QPalette> demoPalette(const QString& name)
{
    if (name == QLatin1String("light"))
        return QApplication::style()->standardPalette();
    if (name == QLatin1String("dark"))
        return makePalette({QColor(0x2d, 0x2d, 0x30), QColor(0xe8, 0xe8, 0xe8), QColor(0x1e, 0x1e, 0x1e),
                            QColor(0x35, 0x35, 0x38), QColor(0xe8, 0xe8, 0xe8), QColor(0x3c, 0x3c, 0x40),
                            QColor(0xe8, 0xe8, 0xe8), QColor(0x26, 0x4f, 0x78), QColor(0xff, 0xff, 0xff),
                            QColor(0x8a, 0x8a, 0x8a), QColor(0x6c, 0xb4, 0xff), QColor(0x5a, 0x5a, 0x5e)});
    if (name == QLatin1String("high-contrast"))
        return makePalette({Qt::black, Qt::white, Qt::black, QColor(0x1a, 0x1a, 0x1a), Qt::white, Qt::black,
                            Qt::white, QColor(0x1a, 0xeb, 0xff), Qt::black, QColor(0x3f, 0xf2, 0x3f),
                            QColor(0xff, 0xff, 0x00), QColor(0xc0, 0xc0, 0xc0)});
    if (name == QLatin1String("high-contrast-white"))
        return makePalette({Qt::white, Qt::black, Qt::white, QColor(0xf0, 0xf0, 0xf0), Qt::black, Qt::white,
                            Qt::black, QColor(0x37, 0x00, 0x6e), Qt::white, QColor(0x60, 0x00, 0x00),
                            QColor(0x00, 0x00, 0x9f), QColor(0x40, 0x40, 0x40)});
    return std::nullopt;
}
