// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// The toolkit's floor: each dialog's own form (bench/FloorForm.cmake turns our
// two widget classes into the Qt classes they extend) set up by the
// uic-generated setupUi on a bare QDialog, then given by Qt's own setters the
// values our dialog shows that its form does not hold (the face its texts are
// drawn in, what the array loads, the grid cells, the window title and size),
// and nothing else: none of the
// library's code runs in a floor opening.

#include <QDialog>
#include <QFont>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

// What a dialog shows, by control name, taken from an opened dialog once,
// outside any measurement.
struct FloorValues
{
    QString title;
    QSize size;
    QFont font; // the dialog's: its texts are drawn in the same face
    struct Text
    {
        QString control;
        QString text;
    };
    QList<Text> texts;    // line edits, labels, buttons, radio items, group titles
    QList<std::pair<QString, QStringList>> lists; // combo boxes' items, page tabs
    QList<std::pair<QString, int>> indexes; // combo boxes' current items
    QList<std::pair<QString, bool>> checks; // check boxes and radio items
    struct Table
    {
        QString control;
        int rows = 0, cols = 0;
        QList<int> widths, heights;
        QStringList cells; // row by row
    };
    QList<Table> tables;
};
FloorValues floorValuesOf(const QDialog* dialog);

QDialog* makeQosFloor(const FloorValues& values);
QDialog* makeVlanFloor(const FloorValues& values);
