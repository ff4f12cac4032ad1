// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The QoS dialog at the display density the test runs under (registered at
// 96, 120 and 144 pixels per inch): grid column widths and captions that fit.
#include "QosDialogDriver.h"

#include "core/IniFile.h"
#include "tests/support/GridColumns.h"
#include "ui/AcceleratorMarks.h"

#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

#include <map>
#include <memory>

namespace {

struct Widths
{
    int queueColumns;  // StringGrid1, StringGrid2
    int remapLabels;   // column 0 of StringGrid3..5
    int remapValues;   // column 1 of StringGrid3..5
    int portEdit;      // Edit5..Edit7
};

const std::map<int, Widths> kExpected{
    {96, {80, 75, 65, 92}},
    {120, {100, 93, 81, 115}},
    {144, {120, 112, 97, 138}},
};

} // namespace

class TestQosDensity : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void columnWidths();
    void gridLabelsFitTheirColumns();
    void captionsFit();

private:
    QosBytes m_cfg{};
    int m_size = 0;
    TIniFile m_noFile;
    std::unique_ptr<TQos_form> m_dlg;
};

void TestQosDensity::init()
{
    m_cfg = filledBytes(0xFF);
    m_dlg = std::make_unique<TQos_form>(nullptr, true, &m_noFile, m_cfg.data(), &m_size);
    m_dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dlg.get()));
}

void TestQosDensity::cleanup()
{
    m_dlg.reset();
}

void TestQosDensity::columnWidths()
{
    const int dpi = m_dlg->logicalDpiX();
    const auto it = kExpected.find(dpi);
    if (it == kExpected.end())
        QSKIP("no expected widths for this density");
    const Widths& w = it->second;

    // The design widths grown by the density factor (truncated, as the
    // table says), wider only where a face needs it for a text.
    const float f = densityFactor(m_dlg.get());
    QCOMPARE(scaledSize(80, f), w.queueColumns);
    QCOMPARE(scaledSize(75, f), w.remapLabels);
    QCOMPARE(scaledSize(65, f), w.remapValues);
    for (StringGrid* grid : {m_dlg->StringGrid1, m_dlg->StringGrid2}) {
        QCOMPARE(grid->defaultColumnWidth(), w.queueColumns);
        QCOMPARE(designedColumnFault(grid, 0, 80, f), QString());
        QCOMPARE(designedColumnFault(grid, 1, 80, f), QString());
    }
    for (StringGrid* grid : {m_dlg->StringGrid3, m_dlg->StringGrid4, m_dlg->StringGrid5}) {
        QCOMPARE(designedColumnFault(grid, 0, 75, f), QString());
        QCOMPARE(designedColumnFault(grid, 1, 65, f), QString());
        QCOMPARE(grid->rowHeight(0), 24);
    }
    QCOMPARE(m_dlg->Edit5->width(), w.portEdit);
}

void TestQosDensity::gridLabelsFitTheirColumns()
{
    for (StringGrid* grid : {m_dlg->StringGrid1, m_dlg->StringGrid2, m_dlg->StringGrid3,
                             m_dlg->StringGrid4, m_dlg->StringGrid5}) {
        const QFontMetrics fm(grid->font());
        for (int row = 0; row < grid->rowCount(); ++row) {
            for (int col = 0; col < grid->columnCount(); ++col) {
                // Cell text starts 3 pixels in from the cell's left edge.
                const QString text = grid->cellText(col, row);
                QVERIFY2(fm.horizontalAdvance(text) + 3 <= grid->columnWidth(col),
                         qPrintable(grid->objectName() + QStringLiteral(": ") + text));
            }
        }
    }
}

void TestQosDensity::captionsFit()
{
    for (int page = 0; page < m_dlg->PageControl1->count(); ++page) {
        m_dlg->PageControl1->setCurrentIndex(page);
        QCoreApplication::processEvents();
        const QWidget* sheet = m_dlg->PageControl1->widget(page);
        for (const QLabel* label : sheet->findChildren<QLabel*>()) {
            // Hidden labels only name a list for assistive technology.
            if (label->wordWrap() || label->isHidden())
                continue;
            QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
            QVERIFY2(label->height() >= label->sizeHint().height(), qPrintable(label->objectName()));
        }
        for (const QRadioButton* radio : sheet->findChildren<QRadioButton*>())
            QVERIFY2(radio->width() >= radio->sizeHint().width(), qPrintable(radio->objectName()));
        for (const QLineEdit* edit : sheet->findChildren<QLineEdit*>(QRegularExpression(QStringLiteral("^Edit"))))
            QVERIFY2(edit->height() >= edit->sizeHint().height(), qPrintable(edit->objectName()));
    }
    for (const QPushButton* button : {m_dlg->Button1, m_dlg->Button2, m_dlg->Button3}) {
        const QString text = withoutAcceleratorMarks(button->text());
        QVERIFY2(button->fontMetrics().horizontalAdvance(text) + 8 <= button->width(),
                 qPrintable(button->objectName()));
    }
    // The weights caption wraps rather than clipping.
    QVERIFY(m_dlg->Label1->height() >= m_dlg->Label1->heightForWidth(m_dlg->Label1->width()));
}

QTEST_MAIN(TestQosDensity)
#include "tst_qos_density.moc"
