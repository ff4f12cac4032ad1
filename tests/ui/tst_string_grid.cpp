// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The grid's own drawing and keyboard rules: every fixed cell is shaded and
// lights up under the mouse, the keyboard never makes a label current, and
// the label texts serve as headings for assistive technology.
#include "ui/StringGrid.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

namespace {

// A grid laid out as the queue tables are: a heading row and a label column.
struct LabelledGrid
{
    StringGrid grid;

    LabelledGrid()
    {
        grid.setColumnCount(2);
        grid.setRowCount(5);
        grid.setFixedRows(1);
        grid.setFixedCols(1);
        grid.setHotTrackFixed(true);
        grid.setDefaultColumnWidth(80);
        grid.setDefaultRowHeight(24);
        grid.setCellText(0, 0, QStringLiteral("802.1Q Priority"));
        grid.setCellText(1, 0, QStringLiteral("Priority Queue"));
        for (int row = 1; row < 5; ++row) {
            grid.setCellText(0, row, QStringLiteral("    ") + QString::number(row - 1));
            grid.setCellText(1, row, QStringLiteral("      1"));
        }
        grid.resize(200, 160);
    }

    // The colour near the bottom edge of a cell, away from its text.
    QColor bottomOf(int col, int row)
    {
        const QRect r = grid.cellRect(col, row);
        return grid.viewport()->grab().toImage().pixelColor(r.left() + 3, r.bottom() - 2);
    }
};

} // namespace

class TestStringGrid : public QObject
{
    Q_OBJECT

private slots:
    void everyFixedCellIsShaded()
    {
        LabelledGrid g;
        g.grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g.grid));
        const QColor value = g.bottomOf(1, 3);
        // The label column is shaded down to the last row, as the heading row is.
        for (const auto& [col, row] : {std::pair{0, 0}, {1, 0}, {0, 1}, {0, 4}}) {
            const QColor label = g.bottomOf(col, row);
            QVERIFY2(label.lightness() < value.lightness(),
                     qPrintable(QStringLiteral("cell %1,%2").arg(col).arg(row)));
            QCOMPARE(label, g.bottomOf(0, 0)); // every fixed cell alike
        }
    }

    void everyFixedCellLightsUpUnderTheMouse()
    {
        LabelledGrid g;
        g.grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g.grid));
        for (const auto& [col, row] : {std::pair{0, 3}, {1, 0}}) {
            const QColor before = g.bottomOf(col, row);
            QTest::mouseMove(g.grid.viewport(), g.grid.cellRect(col, row).center());
            QTRY_VERIFY(g.bottomOf(col, row) != before);
            QTest::mouseMove(g.grid.viewport(), g.grid.cellRect(1, 2).center()); // a value cell
            QTRY_COMPARE(g.bottomOf(col, row), before);
        }
    }

    void keyboardKeepsToTheValueCells()
    {
        LabelledGrid g;
        g.grid.show();
        QVERIFY(QTest::qWaitForWindowActive(&g.grid));
        g.grid.setFocus(Qt::TabFocusReason);
        QCOMPARE(g.grid.currentRow(), 1);
        QCOMPARE(g.grid.currentColumn(), 1);
        for (Qt::Key key : {Qt::Key_Up, Qt::Key_Left, Qt::Key_Home, Qt::Key_PageUp}) {
            QTest::keyClick(&g.grid, key);
            QCOMPARE(g.grid.currentRow(), 1);
            QCOMPARE(g.grid.currentColumn(), 1);
        }
        QTest::keyClick(&g.grid, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(g.grid.currentRow(), 4);
        QTest::keyClick(&g.grid, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(g.grid.currentRow(), 1);
        QCOMPARE(g.grid.currentColumn(), 1);
    }

    // A screen reader that starts with the grid open finds the headings, and
    // they follow the labels while it listens and after it starts again.
    void headingsKeepTheirGap_data();
    void headingsKeepTheirGap();

    // The ways out of a cell's editor: Escape drops the typed text, every
    // other way keeps it.
    void editorEndings_data();
    void editorEndings();

    void labelsAreHeadings()
    {
        LabelledGrid g;
        QAccessible::setActive(true);
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&g.grid);
        QVERIFY(table && table->tableInterface());
        QAccessibleInterface* cell = table->tableInterface()->cellAt(3, 1);
        QVERIFY(cell && cell->tableCellInterface());
        const auto columnHeading = [cell] {
            return cell->tableCellInterface()->columnHeaderCells().first()->text(QAccessible::Name);
        };
        QCOMPARE(columnHeading(), QStringLiteral("Priority Queue"));
        QCOMPARE(cell->tableCellInterface()->rowHeaderCells().first()->text(QAccessible::Name),
                 QStringLiteral("2"));
        // A renamed label renames the heading.
        g.grid.setCellText(1, 0, QStringLiteral(" Warteschlange"));
        QCOMPARE(columnHeading(), QStringLiteral("Warteschlange"));
        // Renamed while nobody listens, it is current when a reader starts.
        QAccessible::setActive(false);
        g.grid.setCellText(1, 0, QStringLiteral(" File"));
        QAccessible::setActive(true);
        QCOMPARE(columnHeading(), QStringLiteral("File"));
        QAccessible::setActive(false);
    }
};

void TestStringGrid::headingsKeepTheirGap_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pointSize");
    // DejaVu Sans is the face of a minimal system; its final "y" reaches past
    // the text's advance.
    for (int size : {8, 9, 11})
        QTest::addRow("DejaVu Sans %d pt", size) << QStringLiteral("DejaVu Sans") << size;
    QTest::addRow("application font") << QApplication::font().family() << QApplication::font().pointSize();
}

void TestStringGrid::headingsKeepTheirGap()
{
    QFETCH(QString, family);
    QFETCH(int, pointSize);
    LabelledGrid g;
    g.grid.setFont(QFont(family, pointSize));
    g.grid.setDefaultColumnWidth(20); // every heading needs a wider column
    g.grid.setCellText(0, 0, QStringLiteral("802.1Q Priority"));
    g.grid.setCellText(1, 0, QStringLiteral("Jy"));
    g.grid.widenColumnsToTexts();
    // The visible gap: from the first heading's last ink to the second's
    // first, each drawn from its cell's margin.
    const QFontMetrics metrics(g.grid.font());
    const QRect first = metrics.tightBoundingRect(g.grid.cellText(0, 0));
    const QRect second = metrics.tightBoundingRect(g.grid.cellText(1, 0));
    const int firstRight = qMax(metrics.horizontalAdvance(g.grid.cellText(0, 0)), first.right() + 1);
    const int gap = g.grid.columnWidth(0) - firstRight + qMin(0, second.left());
    QVERIFY2(gap >= 6, qPrintable(QStringLiteral("%1 px between the headings").arg(gap)));
}

void TestStringGrid::editorEndings_data()
{
    QTest::addColumn<QString>("typed"); // empty: no editor is open
    QTest::addColumn<int>("key");       // 0: the grid's commitEditing()
    QTest::addColumn<QString>("text");
    QTest::newRow("Escape drops the edit") << QStringLiteral("92") << int(Qt::Key_Escape) << QStringLiteral("      1");
    QTest::newRow("Return keeps it") << QStringLiteral("92") << int(Qt::Key_Return) << QStringLiteral("92");
    QTest::newRow("Enter keeps it") << QStringLiteral("92") << int(Qt::Key_Enter) << QStringLiteral("92");
    QTest::newRow("Tab keeps it") << QStringLiteral("92") << int(Qt::Key_Tab) << QStringLiteral("92");
    QTest::newRow("Shift+Tab keeps it") << QStringLiteral("92") << int(Qt::Key_Backtab) << QStringLiteral("92");
    QTest::newRow("commitEditing keeps it") << QStringLiteral("92") << 0 << QStringLiteral("92");
    // The grid is the window's only control: Tab has nowhere to go.
    QTest::newRow("Tab without an editor opens none") << QString() << int(Qt::Key_Tab) << QStringLiteral("      1");
}

void TestStringGrid::editorEndings()
{
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QString, text);
    LabelledGrid g;
    g.grid.setCellEditing(true);
    g.grid.show();
    QVERIFY(QTest::qWaitForWindowActive(&g.grid));
    g.grid.setFocus(Qt::TabFocusReason);
    g.grid.setCurrentCell(2, 1);
    QWidget* target = &g.grid;
    if (!typed.isEmpty()) {
        QTest::keyClicks(&g.grid, typed.left(1));
        QVERIFY(g.grid.isEditing());
        target = QApplication::focusWidget();
        QVERIFY(target && target != &g.grid);
        QTest::keyClicks(target, typed.mid(1));
    }
    if (key == 0)
        g.grid.commitEditing();
    else
        QTest::keyClick(target, Qt::Key(key), key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
    QVERIFY(!g.grid.isEditing());
    QCOMPARE(g.grid.cellText(1, 2), text);
    QCOMPARE(g.grid.cellText(1, 3), QStringLiteral("      1")); // no other cell touched
}

QTEST_MAIN(TestStringGrid)
#include "tst_string_grid.moc"
