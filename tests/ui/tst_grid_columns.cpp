// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// Grid columns at the design point and away from it: with the English texts
// every column keeps its designed width (scaled by the density factor) or,
// in a face wider than the dialogs' own, just the width its texts need; a
// translation whose headings, row labels or cell texts are longer widens the
// columns that need it, so no text is cut.

#include "core/IniFile.h"
#include "tests/support/GridColumns.h"
#include "qos/Qos_form.h"
#include "ui/Density.h"
#include "ui/StringGrid.h"
#include "vlan/Vlan_form.h"

#include <QFontMetrics>
#include <QStyle>
#include <QtTest>

#include <array>
#include <vector>

class TestGridColumns : public QObject
{
    Q_OBJECT

private slots:
    void englishTextsKeepDesignedWidths();
    void longTextsWidenTheirColumns();

private:
    static QList<StringGrid*> grids(QWidget* dialog) { return dialog->findChildren<StringGrid*>(); }
};

namespace {

// Every text of a grid fits its column, with the margins the cells draw.
void verifyTextsFit(StringGrid* grid)
{
    const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
    const QFontMetrics metrics(grid->font());
    for (int col = 0; col < grid->columnCount(); ++col)
        for (int row = 0; row < grid->rowCount(); ++row) {
            const QString text = grid->cellText(col, row);
            const int needed = metrics.size(0, text).width() + 2 * margin;
            if (!text.isEmpty() && needed > grid->columnWidth(col))
                QFAIL(qPrintable(QStringLiteral("%1 column %2 row %3 \"%4\" needs %5 px, has %6")
                                     .arg(grid->objectName())
                                     .arg(col)
                                     .arg(row)
                                     .arg(text)
                                     .arg(needed)
                                     .arg(grid->columnWidth(col))));
        }
}

} // namespace

void TestGridColumns::englishTextsKeepDesignedWidths()
{
    std::array<unsigned char, 40> qos;
    qos.fill(0xFF);
    std::array<unsigned char, 82> vlan;
    vlan.fill(0xFF);
    int size = 0;
    TIniFile english;
    TQos_form qosDialog(nullptr, true, &english, qos.data(), &size);
    TVlan_form vlanDialog(nullptr, true, &english, vlan.data(), &size, true, 1, 1, 0, 0x08);
    const float f = densityFactor(&vlanDialog);

    QStringList faults;
    const int vlanDesign[8] = {36, 70, 70, 70, 70, 70, 70, 40};
    for (int c = 0; c < 8; ++c)
        faults << designedColumnFault(vlanDialog.StringGrid1, c, vlanDesign[c], f);
    for (StringGrid* grid : {qosDialog.StringGrid1, qosDialog.StringGrid2})
        for (int c = 0; c < grid->columnCount(); ++c)
            faults << designedColumnFault(grid, c, 80, f);
    for (StringGrid* grid : {qosDialog.StringGrid3, qosDialog.StringGrid4, qosDialog.StringGrid5}) {
        faults << designedColumnFault(grid, 0, 75, f);
        faults << designedColumnFault(grid, 1, 65, f);
    }
    faults.removeAll(QString());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    for (StringGrid* grid : grids(&qosDialog))
        verifyTextsFit(grid);
    for (StringGrid* grid : grids(&vlanDialog))
        verifyTextsFit(grid);
}

void TestGridColumns::longTextsWidenTheirColumns()
{
    // Headings, row labels and the membership texts of the static table, each
    // several times as long as English.
    TIniFile catalogue;
    catalogue.parse("[QOS]\n"
                    "TAG_Pri_tab_head=\" Etikettenprioritaet der Benutzeranschluesse\"\n"
                    "VLAN_Pri_tab_head=Prioritaet nach 802.1Q des Rahmens\n"
                    "DSCP_Pri_tab_head=Prioritaet nach DSCP des Rahmens\n"
                    "Pri_Queue_tab_head=Prioritaetswarteschlange des Anschlusses\n"
                    "[VLAN]\n"
                    "mdm1__clmn=Funkkanal Nummer eins\n"
                    "delete_clmn=Eintrag loeschen\n"
                    "not_a_member=Kein Mitglied dieses VLAN\n"
                    "untagged_member=Ohne Etikett gesendet\n");
    std::array<unsigned char, 40> qos;
    qos.fill(0xFF);
    std::array<unsigned char, 82> vlan;
    vlan.fill(0xFF);
    int size = 0;
    TQos_form qosDialog(nullptr, true, &catalogue, qos.data(), &size);
    TVlan_form vlanDialog(nullptr, true, &catalogue, vlan.data(), &size, true, 1, 1, 0, 0x08);
    for (StringGrid* grid : grids(&qosDialog))
        verifyTextsFit(grid);
    for (StringGrid* grid : grids(&vlanDialog))
        verifyTextsFit(grid);

    // A column whose texts fit keeps its designed width.
    const float f = densityFactor(&vlanDialog);
    QCOMPARE(designedColumnFault(qosDialog.StringGrid3, 1, 65, f), QString());
}

QTEST_MAIN(TestGridColumns)
#include "tst_grid_columns.moc"
