// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// Whatever its neighbours need and however long its headings, a grid keeps
// every column in view and its headings the dialogs' gap apart at the
// running density, as the translator kit judges it. Registered at 96, 120
// and 144 pixels per inch.

#include "translator-kit/CaptionDefects.h"
#include "ui/StringGrid.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QtTest>

class TestGridRoom : public QObject
{
    Q_OBJECT

private slots:
    void columnsAndHeadingsKeepTheirRoom_data();
    void columnsAndHeadingsKeepTheirRoom();
};

void TestGridRoom::columnsAndHeadingsKeepTheirRoom_data()
{
    QTest::addColumn<QStringList>("headings");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("neighbour");
    const QStringList shortHeadings{QStringLiteral("Pri"), QStringLiteral("Queue")};
    const QStringList longHeadings{QStringLiteral("802.1Q Priority aeiounrs"), QStringLiteral("Priority Queue aeiounrs")};
    const QString wideNeighbour = QStringLiteral("Priority Queue 0 Weight aeiounrstlaeiounrstl");
    QTest::newRow("headings that fit the design") << shortHeadings << 9 << QStringLiteral("Weight");
    QTest::newRow("headings wider than their columns") << longHeadings << 9 << QStringLiteral("Weight");
    QTest::newRow("a wide neighbour takes the window's width") << longHeadings << 9 << wideNeighbour;
    QTest::newRow("rows that scroll, beside a wide neighbour") << longHeadings << 65 << wideNeighbour;
}

void TestGridRoom::columnsAndHeadingsKeepTheirRoom()
{
    QFETCH(QStringList, headings);
    QFETCH(int, rows);
    QFETCH(QString, neighbour);

    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    auto* grid = new StringGrid(&window);
    grid->setObjectName(QStringLiteral("grid"));
    grid->setFixedRows(1);
    grid->setFixedCols(1);
    grid->setColumnCount(int(headings.size()));
    grid->setRowCount(rows);
    grid->setDefaultColumnWidth(int(60 * grid->logicalDpiX() / 96));
    for (int col = 0; col < headings.size(); ++col)
        grid->setCellText(col, 0, headings.at(col));
    for (int row = 1; row < rows; ++row)
        grid->setCellText(0, row, QString::number(row - 1));
    grid->widenColumnsToTexts();
    auto* label = new QLabel(neighbour, &window);
    label->setObjectName(QStringLiteral("label"));
    // The grid is designed as the wider part, as the queue-mapping tables are.
    layout->addWidget(grid, 7);
    layout->addWidget(label, 3);
    window.resize(window.minimumSizeHint());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QStringList faults;
    for (const CaptionDefect& defect : findCaptionDefects(&window, {.columnsInView = true, .captionGaps = true}))
        faults << describeCaptionDefect(defect);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestGridRoom)
#include "tst_grid_room.moc"
