// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The constructor's density adjustment of the static VLAN grid and of the
// mode and button rows. Registered three times: at the default density and
// with the font density forced to 120 and 144 pixels per inch.

#include "tests/support/GridColumns.h"
#include "tests/support/VlanArray.h"

#include "vlan/Vlan_form.h"

#include <QtTest>

class TestVlanDensity : public QObject
{
    Q_OBJECT

private slots:
    void scaledSizes();
};

void TestVlanDensity::scaledSizes()
{
    VlanArray a;
    int size = 0;
    TVlan_form d(nullptr, true, nullptr, a.data(), &size, false, 1, 0, 0, 8);

    struct Expected
    {
        int dpi;
        QList<int> columns;
        int modeRow;
        int buttonRow;
    };
    const Expected table[] = {
        {96, {36, 70, 70, 70, 70, 70, 70, 40}, 50, 30},
        {120, {45, 87, 87, 87, 87, 87, 87, 50}, 62, 37},
        {144, {54, 105, 105, 105, 105, 105, 105, 60}, 75, 45},
    };
    const int dpi = d.logicalDpiX();
    const Expected* e = std::find_if(std::begin(table), std::end(table),
                                     [dpi](const Expected& x) { return x.dpi == dpi; });
    if (e == std::end(table))
        QSKIP(qPrintable(QStringLiteral("no expectation for %1 pixels per inch").arg(dpi)));

    // The design widths grown by the factor (as the table says), wider only
    // where a face needs it for a text.
    const float f = densityFactor(&d);
    const int design[8] = {36, 70, 70, 70, 70, 70, 70, 40};
    QCOMPARE(d.StringGrid1->columnCount(), 8);
    for (int c = 0; c < 8; ++c) {
        QCOMPARE(scaledSize(design[c], f), e->columns.at(c));
        QCOMPARE(designedColumnFault(d.StringGrid1, c, design[c], f), QString());
    }
    QCOMPARE(d.GridPanel1->rowMinimumHeight(0), e->modeRow);
    QCOMPARE(d.GridPanel1->rowMinimumHeight(2), e->buttonRow);

    // The rows really take those heights once the window is laid out.
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QCOMPARE(d.GridPanel6->height(), e->buttonRow);
    QCOMPARE(d.RadioGroup1->height() + 6, e->modeRow);
    QCOMPARE(d.PageControl1->geometry().top(), e->modeRow);
    QCOMPARE(d.GridPanel6->geometry().top(), d.height() - e->buttonRow);
    // The panels inside the pages keep their design sizes.
    QCOMPARE(d.GridPanel2->rowMinimumHeight(0), 30);
    QCOMPARE(d.GridPanel2->rowMinimumHeight(2), 30);
    d.close();
}

QTEST_MAIN(TestVlanDensity)
#include "tst_vlan_density.moc"
