// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "translator-kit/CaptionDefects.h"
#include "ui/RadioGroup.h"
#include "ui/StringGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

#include <functional>
#include <memory>

namespace {

const QString kLong = QStringLiteral("A caption far too long for the room it was given");

// A window of fixed-position controls, each with room to spare, on two tab
// pages: the second page is hidden while the window is examined.
struct Form : QDialog
{
    QTabWidget* tabs = new QTabWidget(this);
    QWidget* first = new QWidget;
    QWidget* second = new QWidget;
    QLabel* label = new QLabel(QStringLiteral("Name"), first);
    QLineEdit* edit = new QLineEdit(first);
    QCheckBox* upper = new QCheckBox(QStringLiteral("&Upper"), first);
    QCheckBox* lower = new QCheckBox(QStringLiteral("&Lower"), first);
    QComboBox* combo = new QComboBox(first);
    QGroupBox* box = new QGroupBox(QStringLiteral("Box"), second);
    QLabel* hiddenLabel = new QLabel(QStringLiteral("Hidden page"), second);
    RadioGroup* radios = new RadioGroup(second);
    StringGrid* grid = new StringGrid(second);
    QPushButton* ok = new QPushButton(QStringLiteral("&Ok"), this);

    Form()
    {
        setFixedSize(460, 320);
        tabs->setGeometry(0, 0, 460, 270);
        tabs->addTab(first, QStringLiteral("&First"));
        tabs->addTab(second, QStringLiteral("&Second"));
        ok->setGeometry(180, 280, 100, 30);
        label->setGeometry(10, 10, 100, 20);
        edit->setGeometry(120, 10, 100, 22);
        upper->setGeometry(10, 50, 150, 22);
        lower->setGeometry(10, 80, 150, 22);
        combo->setGeometry(10, 120, 150, 24);
        combo->addItems({QStringLiteral("One"), QStringLiteral("Two")});
        box->setGeometry(10, 10, 200, 60);
        hiddenLabel->setGeometry(10, 80, 200, 20);
        radios->setGeometry(220, 10, 220, 60);
        radios->setItems({QStringLiteral("&Yes"), QStringLiteral("&No")});
        radios->setColumns(2);
        grid->setGeometry(10, 110, 420, 100);
        grid->setColumnCount(3);
        grid->setRowCount(3);
        grid->setFixedRows(1);
        grid->setDefaultColumnWidth(120);
        grid->setCellText(1, 0, QStringLiteral("Heading"));
        const QList<QWidget*> named{label, edit, upper, lower, combo, box, hiddenLabel, radios, grid, ok, tabs};
        const QStringList names{QStringLiteral("label"), QStringLiteral("edit"), QStringLiteral("upper"),
                                QStringLiteral("lower"), QStringLiteral("combo"), QStringLiteral("box"),
                                QStringLiteral("hiddenLabel"), QStringLiteral("radios"), QStringLiteral("grid"),
                                QStringLiteral("ok"), QStringLiteral("tabs")};
        for (qsizetype i = 0; i < named.size(); ++i)
            named[i]->setObjectName(names[i]);
        first->setObjectName(QStringLiteral("first"));
        second->setObjectName(QStringLiteral("second"));
    }
};

using Plant = std::function<void(Form&)>;

QString listOf(const std::vector<CaptionDefect>& defects)
{
    QStringList lines;
    for (const CaptionDefect& d : defects)
        lines.append(describeCaptionDefect(d));
    return lines.join(QLatin1Char('\n'));
}

} // namespace

Q_DECLARE_METATYPE(Plant)
Q_DECLARE_METATYPE(CaptionDefect::Kind)

class TestCaptionDefects : public QObject
{
    Q_OBJECT

private slots:
    void roomyFormHasNoDefect();
    void plantedDefectIsFound_data();
    void plantedDefectIsFound();
    void examiningLeavesThePageShown();
    void hiddenControlsAreLeftOut();
};

void TestCaptionDefects::roomyFormHasNoDefect()
{
    Form form;
    form.show();
    const std::vector<CaptionDefect> defects = findCaptionDefects(&form);
    QVERIFY2(defects.empty(), qPrintable(listOf(defects)));
}

void TestCaptionDefects::plantedDefectIsFound_data()
{
    QTest::addColumn<Plant>("plant");
    QTest::addColumn<CaptionDefect::Kind>("kind");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("other");

    using K = CaptionDefect::Kind;
    QTest::newRow("label narrower than its text")
        << Plant([](Form& f) { f.label->setText(kLong); }) << K::Clipped << "label" << "";
    QTest::newRow("label text running under the edit next to it")
        << Plant([](Form& f) { f.label->setGeometry(10, 10, 400, 20); f.label->setText(kLong); })
        << K::Overlaps << "label" << "edit";
    QTest::newRow("check box text cut at its right edge")
        << Plant([](Form& f) { f.upper->setText(kLong); }) << K::Clipped << "upper" << "";
    QTest::newRow("two check boxes sharing rows")
        << Plant([](Form& f) { f.lower->move(10, 60); }) << K::Overlaps << "upper" << "lower";
    QTest::newRow("button too narrow")
        << Plant([](Form& f) { f.ok->setText(kLong); }) << K::Clipped << "ok" << "";
    QTest::newRow("label below the bottom of its page")
        << Plant([](Form& f) { f.label->move(10, 400); }) << K::Outside << "label" << "first";
    QTest::newRow("combo box item longer than the field")
        << Plant([](Form& f) { f.combo->setItemText(1, kLong); }) << K::Clipped << "combo item 1" << "";
    QTest::newRow("group box title longer than the box")
        << Plant([](Form& f) { f.box->setTitle(kLong); }) << K::Clipped << "box" << "";
    QTest::newRow("label on the hidden page")
        << Plant([](Form& f) { f.hiddenLabel->setText(kLong + kLong); }) << K::Clipped << "hiddenLabel" << "";
    QTest::newRow("radio item of a group")
        << Plant([](Form& f) { f.radios->setItemText(1, kLong); }) << K::Clipped << "radios item 1" << "";
    QTest::newRow("grid heading wider than its column")
        << Plant([](Form& f) { f.grid->setCellText(1, 0, kLong); }) << K::Clipped << "grid heading 1" << "";
    QTest::newRow("caption elided, its full text in the tooltip")
        << Plant([](Form& f) {
               f.label->setText(QStringLiteral("A capt") + QChar(0x2026));
               f.label->setToolTip(kLong);
           })
        << K::Elided << "label" << "";
    QTest::newRow("tab row longer than the tab control")
        << Plant([](Form& f) {
               f.tabs->setTabText(1, kLong + kLong);
               f.tabs->tabBar()->setExpanding(false);
           })
        << K::Outside << "tabs tab 1" << "tabs";
}

void TestCaptionDefects::plantedDefectIsFound()
{
    QFETCH(Plant, plant);
    QFETCH(CaptionDefect::Kind, kind);
    QFETCH(QString, control);
    QFETCH(QString, other);

    Form form;
    plant(form);
    form.show();
    const std::vector<CaptionDefect> defects = findCaptionDefects(&form);
    const auto found = std::find_if(defects.begin(), defects.end(), [&](const CaptionDefect& d) {
        return d.kind == kind && d.control == control && (other.isEmpty() || d.other == other);
    });
    QVERIFY2(found != defects.end(), qPrintable(QStringLiteral("not found among:\n") + listOf(defects)));

    // The finding gives what the text needs against what it has, and where.
    if (kind == CaptionDefect::Kind::Clipped || kind == CaptionDefect::Kind::Elided)
        QVERIFY(found->needed.width() > found->had.width() || found->needed.height() > found->had.height());
    if (kind == CaptionDefect::Kind::Outside)
        QVERIFY(!QRect(QPoint(), found->had).contains(QRect(QPoint(), found->needed)));
    QVERIFY(!found->area.isEmpty());
    QVERIFY(describeCaptionDefect(*found).startsWith(control + QStringLiteral(" \"")));
}

void TestCaptionDefects::examiningLeavesThePageShown()
{
    Form form;
    form.show();
    form.tabs->setCurrentIndex(1);
    int switches = 0;
    connect(form.tabs, &QTabWidget::currentChanged, this, [&] { ++switches; });
    findCaptionDefects(&form);
    QCOMPARE(form.tabs->currentIndex(), 1);
    QCOMPARE(switches, 0); // the dialog never sees the pages go by
}

void TestCaptionDefects::hiddenControlsAreLeftOut()
{
    // A control the dialog hides (a port the unit lacks) is not shown, so its
    // caption cannot be at fault.
    Form form;
    form.label->setText(kLong);
    form.label->hide();
    form.show();
    const std::vector<CaptionDefect> defects = findCaptionDefects(&form);
    QVERIFY2(defects.empty(), qPrintable(listOf(defects)));
}

QTEST_MAIN(TestCaptionDefects)
#include "tst_caption_defects.moc"
