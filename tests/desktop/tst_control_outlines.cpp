// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// What identifies a control is visible as drawn: under each palette of the
// demo host, in each dialog and VLAN mode, every check box and radio button
// indicator (set and clear), every edit field's frame, the lines of the grids
// and the keyboard focus frame stand out from what surrounds them at 3:1 under
// the high-contrast palettes; the unselected radio buttons of the dark
// palette show too. The host's own windows keep the application's style, and
// the light palette draws exactly what the style draws.

#include "DesktopSupport.h"

#include "host/app/DemoPalettes.h"
#include "ui/DialogStyle.h"
#include "ui/StringGrid.h"
#include "ui/SystemColours.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyleOptionButton>

namespace {

QRgb at(const QImage& image, QPoint p)
{
    return image.rect().contains(p) ? image.pixel(p) : image.pixel(image.rect().center());
}

// How well a drawn outline separates a region from its surroundings: on each
// side, at the middle, the strongest of the three pixels just inside the
// region against the pixel two beyond it; the weakest side counts.
double ringContrast(const QImage& image, const QRect& r)
{
    const QPoint mid = r.center();
    struct Side
    {
        QPoint edge;
        QPoint inward;
        QPoint outward;
    };
    const Side sides[] = {{QPoint(r.left(), mid.y()), QPoint(1, 0), QPoint(-1, 0)},
                          {QPoint(r.right(), mid.y()), QPoint(-1, 0), QPoint(1, 0)},
                          {QPoint(mid.x(), r.top()), QPoint(0, 1), QPoint(0, -1)},
                          {QPoint(mid.x(), r.bottom()), QPoint(0, -1), QPoint(0, 1)}};
    double weakest = 21;
    for (const Side& s : sides) {
        const QColor outside(at(image, s.edge + 2 * s.outward));
        double best = 1;
        for (int i = 0; i < 3; ++i)
            best = qMax(best, contrastRatio(QColor(at(image, s.edge + i * s.inward)), outside));
        weakest = qMin(weakest, best);
    }
    return weakest;
}

QRect inWindow(QWidget* w, const QRect& r)
{
    return QRect(w->mapTo(w->window(), r.topLeft()), r.size());
}

QRect indicatorRect(QAbstractButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const bool radio = qobject_cast<QRadioButton*>(button);
    return button->style()->subElementRect(radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator,
                                           &option, button);
}

struct Finding
{
    QString what;
    double contrast;
};

// A grid's line between its first two columns, in the header row and in
// the first entry row: the strongest pixel at the line against the cell
// just left of it.
double gridLineContrast(const QImage& window, StringGrid* grid, int row)
{
    const QRect cell = grid->cellRect(0, row).translated(grid->viewport()->pos());
    const QPoint lineTop = grid->mapTo(grid->window(), QPoint(cell.right(), cell.top() + 2));
    const QColor inside(at(window, lineTop - QPoint(4, 0)));
    double best = 1;
    for (int dx = -1; dx <= 1; ++dx)
        best = qMax(best, contrastRatio(QColor(at(window, lineTop + QPoint(dx, 0))), inside));
    return best;
}

// Every indicator, field frame and grid line of the dialog's current page.
void checkOutlines(QDialog* dialog, const QString& where, double needed, QList<Finding>& findings,
                   int& measured)
{
    const auto note = [&](const QString& what, double contrast) {
        ++measured;
        if (contrast < needed)
            findings.append({where + QLatin1Char(' ') + what, contrast});
    };
    const QImage window = dialog->grab().toImage();
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        if (!w->isVisible() || !isOwnControl(w) || w->visibleRegion().isEmpty())
            continue;
        if (auto* box = qobject_cast<QAbstractButton*>(w); box && box->isCheckable()
            && (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w))) {
            const QString state = box->isChecked() ? QStringLiteral("set") : QStringLiteral("clear");
            note(QStringLiteral("%1 (%2)").arg(w->objectName(), state), ringContrast(window, inWindow(w, indicatorRect(box))));
        } else if (qobject_cast<QLineEdit*>(w) && w->parentWidget() && !qobject_cast<QComboBox*>(w->parentWidget())) {
            note(w->objectName(), ringContrast(window, inWindow(w, w->rect())));
        } else if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->isEditable()) {
            note(w->objectName(), ringContrast(window, inWindow(w, w->rect())));
        } else if (auto* grid = qobject_cast<StringGrid*>(w); grid && grid->columnCount() > 1) {
            if (grid->frameShape() != QFrame::NoFrame)
                note(w->objectName() + QLatin1String(" frame"), ringContrast(window, inWindow(w, w->rect())));
            for (int row = 0; row < qMin(2, grid->rowCount()); ++row)
                note(QStringLiteral("%1 line, row %2").arg(w->objectName()).arg(row), gridLineContrast(window, grid, row));
        }
    }
}

// Check boxes both set and clear: each box turned over (without running its
// rules) and measured again.
void checkBoxesTurnedOver(QDialog* dialog, const QString& where, double needed, QList<Finding>& findings,
                          int& measured)
{
    QList<QCheckBox*> boxes;
    for (QCheckBox* box : dialog->findChildren<QCheckBox*>())
        if (box->isVisible() && isOwnControl(box))
            boxes.append(box);
    const auto turn = [&] {
        for (QCheckBox* box : boxes) {
            const QSignalBlocker quiet(box);
            box->setChecked(!box->isChecked());
        }
    };
    turn();
    checkOutlines(dialog, where + QLatin1String(" (boxes turned over)"), needed, findings, measured);
    turn();
}

QString report(const QList<Finding>& findings)
{
    QStringList lines;
    for (const Finding& f : findings)
        lines << QStringLiteral("%1 %2:1").arg(f.what).arg(f.contrast, 0, 'f', 2);
    return lines.join(QLatin1Char('\n'));
}

bool highContrast(const QString& palette)
{
    return palette.startsWith(QLatin1String("high-contrast"));
}

} // namespace

class TestControlOutlines : public QObject
{
    Q_OBJECT

private slots:
    void outlinesStandOut_data();
    void outlinesStandOut();
    void theApplicationStyleAloneHidesThem();
    void focusFrameStandsOut_data();
    void focusFrameStandsOut();
    void lightPaletteDrawsAsTheStyle();
    void outlineColours_data();
    void outlineColours();
    void hostWindowsKeepTheApplicationStyle();
    void styleTakenWhenNeeded();
    void cleanup() { QApplication::setPalette(QApplication::style()->standardPalette()); }
};

void TestControlOutlines::outlinesStandOut_data()
{
    QTest::addColumn<QString>("palette");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<int>("mode");
    for (const QString& name : {QStringLiteral("dark"), QStringLiteral("high-contrast"),
                                QStringLiteral("high-contrast-white")}) {
        QTest::newRow(qPrintable(name + QLatin1String(", QoS"))) << name << "QoS" << -1;
        for (int mode = 0; mode <= 2; ++mode)
            QTest::newRow(qPrintable(name + QStringLiteral(", VLAN mode %1").arg(mode))) << name << "VLAN" << mode;
        QTest::newRow(qPrintable(name + QLatin1String(", VID entry"))) << name << "VIDEntry" << -1;
    }
}

// 3:1 under the high-contrast palettes; under the dark one every indicator
// and frame shows at that contrast too (its unselected radio buttons were
// dark on grey).
void TestControlOutlines::outlinesStandOut()
{
    QFETCH(QString, palette);
    QFETCH(QString, dialog);
    QFETCH(int, mode);
    QApplication::setPalette(*demoPalette(palette));
    QWidget owner;
    OpenDialogs dialogs(nullptr, &owner);
    QDialog* d = dialog == QLatin1String("QoS") ? static_cast<QDialog*>(dialogs.qos)
        : dialog == QLatin1String("VLAN")       ? static_cast<QDialog*>(dialogs.vlan)
                                                : static_cast<QDialog*>(dialogs.vidEntry);
    if (mode >= 0)
        dialogs.vlan->RadioGroup1->setItemIndex(mode);
    QList<Finding> findings;
    int measured = 0;
    forEachPage(d, [&](QWidget* page) {
        const QString where = page ? page->objectName() : dialog;
        checkOutlines(d, where, kOutlineContrast, findings, measured);
        checkBoxesTurnedOver(d, where, kOutlineContrast, findings, measured);
    });
    QVERIFY(measured > 0);
    QVERIFY2(findings.isEmpty(), qPrintable(report(findings)));
}

// The measure finds what the issue was: the application's style alone, on
// the same dialog under white on black, draws indicators and frames black
// on black.
void TestControlOutlines::theApplicationStyleAloneHidesThem()
{
    QApplication::setPalette(*demoPalette(QStringLiteral("high-contrast")));
    QWidget owner;
    OpenDialogs dialogs(nullptr, &owner);
    TVlan_form* d = dialogs.vlan;
    d->setStyle(QApplication::style());
    for (QWidget* w : d->findChildren<QWidget*>())
        w->setStyle(QApplication::style());
    QList<Finding> findings;
    int measured = 0;
    forEachPage(d, [&](QWidget* page) { checkOutlines(d, page->objectName(), kOutlineContrast, findings, measured); });
    QVERIFY(measured > 40);
    QVERIFY2(findings.size() > measured / 2, qPrintable(QStringLiteral("%1 of %2").arg(findings.size()).arg(measured)));
    double weakest = 21;
    for (const Finding& f : findings)
        weakest = qMin(weakest, f.contrast);
    QVERIFY(weakest < 1.2);
}

void TestControlOutlines::focusFrameStandsOut_data()
{
    QTest::addColumn<QString>("palette");
    QTest::addColumn<QString>("control");
    for (const QString& name : {QStringLiteral("high-contrast"), QStringLiteral("high-contrast-white")})
        for (const char* control : {"CheckBox13", "RadioButton1", "Edit1", "StringGrid1"})
            QTest::newRow(qPrintable(name + QLatin1String(", ") + QLatin1String(control)))
                << name << QString::fromLatin1(control);
}

// The keyboard focus frame, as drawn when Tab brings the focus: the pixels
// that change with the focus include some at 3:1 against the control's
// surroundings, on each side of the control where the frame goes.
void TestControlOutlines::focusFrameStandsOut()
{
    QFETCH(QString, palette);
    QFETCH(QString, control);
    QApplication::setPalette(*demoPalette(palette));
    QWidget owner;
    OpenDialogs dialogs(nullptr, &owner);
    TVlan_form* d = dialogs.vlan;
    d->RadioGroup1->setItemIndex(1);
    auto* w = d->findChild<QWidget*>(control);
    if (!w) { // a radio button of the mode group
        QList<QRadioButton*> radios = d->RadioGroup1->findChildren<QRadioButton*>();
        QVERIFY(!radios.isEmpty());
        w = radios.first();
    }
    auto* pages = d->findChild<QTabWidget*>();
    for (int i = 0; pages && i < pages->count(); ++i)
        if (pages->widget(i)->isAncestorOf(w))
            pages->setCurrentIndex(i);
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    d->activateWindow();
    QTRY_VERIFY(QApplication::activeWindow() == d);
    d->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    const QImage before = d->grab().toImage();
    w->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(w->hasFocus());
    QApplication::processEvents();
    const QImage after = d->grab().toImage();
    const QRect area = inWindow(w, w->rect()).adjusted(-3, -3, 3, 3);
    const QColor surroundings(at(before, area.topLeft()));
    double best = 1;
    int changed = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (at(after, {x, y}) != at(before, {x, y})) {
                ++changed;
                best = qMax(best, contrastRatio(QColor(at(after, {x, y})), surroundings));
            }
    QVERIFY2(changed > 0, "nothing shows the focus");
    QVERIFY2(best >= kOutlineContrast, qPrintable(QStringLiteral("focus frame at %1:1").arg(best, 0, 'f', 2)));
}

// Under the style's own light palette, in the application's direction, the
// dialogs draw with the application's style itself: what they draw is what
// the style draws. (With the owner alone right to left they take the dialog
// style; tst_right_to_left compares that, pixel for pixel, with the
// application's style right to left.)
void TestControlOutlines::lightPaletteDrawsAsTheStyle()
{
    QWidget owner;
    OpenDialogs dialogs(nullptr, &owner);
    QStringList restyled;
    int compared = 0;
    for (QDialog* d : dialogs.all()) {
        forEachPage(d, [&](QWidget*) {
            for (QWidget* w : d->findChildren<QWidget*>()) {
                ++compared;
                if (w->style() != QApplication::style() && !restyled.contains(w->objectName()))
                    restyled << w->objectName();
            }
        });
        d->hide();
    }
    QVERIFY(compared > 100);
    QVERIFY2(restyled.isEmpty(), qPrintable(restyled.join(QLatin1String(", "))));
}

void TestControlOutlines::outlineColours_data()
{
    QTest::addColumn<QString>("palette");
    QTest::addColumn<bool>("strengthened");
    QTest::newRow("light") << "light" << false;
    QTest::newRow("dark") << "dark" << true;
    QTest::newRow("high-contrast") << "high-contrast" << true;
    QTest::newRow("high-contrast-white") << "high-contrast-white" << true;
}

// Which palettes get drawn outlines, and that the colours chosen keep 3:1
// against both the window and the field colours.
void TestControlOutlines::outlineColours()
{
    QFETCH(QString, palette);
    QFETCH(bool, strengthened);
    const QPalette p = *demoPalette(palette);
    QCOMPARE(needsVisibleOutlines(p), strengthened);
    for (const QColor& c : {visibleOutline(p), visibleFocusOutline(p)}) {
        QVERIFY(contrastRatio(c, p.color(QPalette::Window)) >= kOutlineContrast);
        QVERIFY(contrastRatio(c, p.color(QPalette::Base)) >= kOutlineContrast);
    }
}

// The dialog style is the dialogs' own: their owner, a host window, keeps
// the application's style, and so does a widget the host makes afterwards.
void TestControlOutlines::hostWindowsKeepTheApplicationStyle()
{
    QApplication::setPalette(*demoPalette(QStringLiteral("high-contrast-white")));
    QWidget owner;
    auto* hostBox = new QCheckBox(QStringLiteral("host"), &owner);
    OpenDialogs dialogs(nullptr, &owner);
    QCOMPARE(owner.style(), QApplication::style());
    QCOMPARE(hostBox->style(), QApplication::style());
    QVERIFY(qobject_cast<DialogStyle*>(dialogs.vlan->style()));
    QVERIFY(qobject_cast<DialogStyle*>(dialogs.vlan->CheckBox13->style()));
    // A control added to a dialog later (as a grid's editor or a message
    // box is) takes the dialog style once it is polished.
    auto* later = new QLineEdit(dialogs.vidEntry);
    later->ensurePolished();
    QApplication::processEvents();
    QVERIFY(qobject_cast<DialogStyle*>(later->style()));
}

// A dialog opened under a light palette takes the dialog style when a
// high-contrast palette arrives while it is open, and with it the outlines;
// so does one whose owner turns right to left.
void TestControlOutlines::styleTakenWhenNeeded()
{
    QWidget owner;
    OpenDialogs dialogs(nullptr, &owner);
    dialogs.vlan->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialogs.vlan));
    QCOMPARE(dialogs.vlan->CheckBox13->style(), QApplication::style());
    QApplication::setPalette(*demoPalette(QStringLiteral("high-contrast")));
    QApplication::processEvents();
    QVERIFY(qobject_cast<DialogStyle*>(dialogs.vlan->CheckBox13->style()));
    QList<Finding> findings;
    int measured = 0;
    forEachPage(dialogs.vlan, [&](QWidget* page) {
        checkOutlines(dialogs.vlan, page->objectName(), kOutlineContrast, findings, measured);
    });
    QVERIFY(measured > 40);
    QVERIFY2(findings.isEmpty(), qPrintable(report(findings)));

    QApplication::setPalette(QApplication::style()->standardPalette());
    QWidget lightOwner;
    OpenDialogs light(nullptr, &lightOwner);
    QCOMPARE(light.qos->style(), QApplication::style());
    light.qos->setLayoutDirection(Qt::RightToLeft);
    QVERIFY(qobject_cast<DialogStyle*>(light.qos->style()));
    QVERIFY(qobject_cast<DialogStyle*>(light.qos->Button1->style()));
}

QTEST_MAIN(TestControlOutlines)
#include "tst_control_outlines.moc"
