// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/DialogCaptions.h"

#include "core/Lookup.h"
#include "ui/DialogFont.h"
#include "ui/RadioGroup.h"
#include "ui/StringGrid.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>

namespace {

// "Name", "Name item 2", "Name tab 0" or "Name heading 3".
struct ControlPlace
{
    QLatin1StringView name;
    QLatin1StringView part;
    int index = -1;
};

ControlPlace parsePlace(const char* control)
{
    // Read in place: every caption of an opening is placed this way.
    const QLatin1StringView whole(control);
    const qsizetype firstBlank = whole.indexOf(QLatin1Char(' '));
    ControlPlace place{whole.left(firstBlank), {}, -1};
    if (firstBlank < 0)
        return place;
    const QLatin1StringView rest = whole.sliced(firstBlank + 1);
    const qsizetype secondBlank = rest.indexOf(QLatin1Char(' '));
    bool numbered = false;
    if (secondBlank >= 0 && rest.indexOf(QLatin1Char(' '), secondBlank + 1) < 0)
        place.index = rest.sliced(secondBlank + 1).toInt(&numbered);
    // "row labels", "cells", "message box" name no numbered part.
    place.part = numbered ? rest.left(secondBlank) : QLatin1StringView("-");
    return place;
}

// No screen shows more characters than this on one line (every character is
// at least a pixel wide); a longer catalogue text is cut before any control
// measures, sorts or lays it out.
constexpr int kLongestCaption = 8192;

} // namespace

QString captionText(const TIniFile* langIni, const CaptionRow& row)
{
    return lookup(langIni, QString::fromLatin1(row.section), QString::fromUtf8(row.key),
                  QString::fromUtf8(row.english));
}

namespace {

// Shows text on the control a row names; find gives the control of a name.
template<typename Find>
bool showOn(QWidget* dialog, const CaptionRow& row, const QString& fullText, Find find)
{
    if (row.kind != CaptionKind::Caption)
        return false;
    const QString text = fullText.left(kLongestCaption);
    if (qstrcmp(row.control, "window title") == 0) {
        followCaptionScript(dialog, nullptr, text);
        dialog->setWindowTitle(text);
        return true;
    }
    const ControlPlace place = parsePlace(row.control);
    QWidget* control = find(QString(place.name));
    if (!control)
        return false;
    if (place.part.isEmpty()) {
        if (qobject_cast<QLabel*>(control) || qobject_cast<QAbstractButton*>(control)
            || qobject_cast<QGroupBox*>(control))
            followCaptionScript(dialog, control, text);
        if (auto* label = qobject_cast<QLabel*>(control))
            label->setText(text);
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->setText(text);
        else if (auto* group = qobject_cast<QGroupBox*>(control))
            group->setTitle(text);
        else
            return false;
        return true;
    }
    if (place.part == QLatin1String("item")) {
        if (auto* group = qobject_cast<RadioGroup*>(control)) {
            followCaptionScript(dialog, group->button(place.index), text);
            group->setItemText(place.index, text);
        } else if (auto* box = qobject_cast<QComboBox*>(control)) {
            followCaptionScript(dialog, box, text);
            box->setItemText(place.index, text);
        } else {
            return false;
        }
        return true;
    }
    if (place.part == QLatin1String("tab")) {
        auto* pages = qobject_cast<QTabWidget*>(control);
        if (!pages)
            return false;
        // The tab row keeps the design's face: a taller face there would
        // take its lines from every page on a small screen.
        followCaptionScript(dialog, nullptr, text);
        pages->setTabText(place.index, text);
        return true;
    }
    if (place.part == QLatin1String("heading")) {
        auto* grid = qobject_cast<StringGrid*>(control);
        if (!grid)
            return false;
        followCaptionScript(dialog, grid, text);
        grid->setCellText(place.index, 0, text);
        return true;
    }
    return false;
}

} // namespace

bool showCaption(QWidget* dialog, const CaptionRow& row, const QString& fullText)
{
    return showOn(dialog, row, fullText,
                  [dialog](const QString& name) { return dialog->findChild<QWidget*>(name); });
}

CaptionPlaces::CaptionPlaces(QWidget* dialog)
    : m_dialog(dialog)
{
    const QList<QWidget*> controls = dialog->findChildren<QWidget*>();
    m_controls.reserve(controls.size());
    // Names are unique in the dialogs; should two controls share one, the
    // first in the tree wins.
    for (auto it = controls.crbegin(); it != controls.crend(); ++it)
        if (!(*it)->objectName().isEmpty())
            m_controls.insert((*it)->objectName(), *it);
}

bool CaptionPlaces::show(const CaptionRow& row, const QString& text) const
{
    return showOn(m_dialog, row, text, [this](const QString& name) { return m_controls.value(name); });
}

bool isWrittenByLoading(const CaptionRow& row)
{
    if (row.kind != CaptionKind::Caption || qstrcmp(row.control, "window title") == 0)
        return false;
    const ControlPlace place = parsePlace(row.control);
    return place.part == QLatin1String("heading") || place.part == QLatin1String("-");
}

QString captionTextOf(std::span<const CaptionRow> rows, const char* control, const TIniFile* langIni)
{
    const CaptionRow* row = CaptionTables::find(rows, control);
    return row ? captionText(langIni, *row) : QString();
}
