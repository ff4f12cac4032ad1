// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// Under a light, a dark and two high-contrast palettes, every text of both
// dialogs stands out from its background as drawn: 4.5:1 for an enabled text,
// 3:1 for a disabled field that shows a value. The palette reaches the
// dialogs from the application or only from their owner, before they open or
// while they are open, and every VLAN mode is drawn.

#include "DesktopSupport.h"

#include "host/app/DemoPalettes.h"
#include "ui/StringGrid.h"
#include "ui/SystemColours.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

#include <functional>

namespace {

// The strongest contrast between a text's pixels and the background under
// them: the widget drawn with and without its text, compared pixel by pixel
// within an area.
double drawnContrast(QWidget* w, const std::function<void(bool withText)>& show, const QRect& area)
{
    show(false);
    const QImage blank = w->grab().toImage();
    show(true);
    const QImage drawn = w->grab().toImage();
    double best = 0;
    const QRect r = area.intersected(drawn.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (drawn.pixel(x, y) != blank.pixel(x, y))
                best = qMax(best, contrastRatio(QColor(drawn.pixel(x, y)), QColor(blank.pixel(x, y))));
    return best;
}

struct Finding
{
    QString what;
    double contrast;
    double needed;
};

// Every visible text on the dialog's current page.
void checkTexts(QDialog* dialog, const QString& where, QList<Finding>& findings)
{
    const auto check = [&](QWidget* w, const QString& name, double contrast) {
        const double needed = w->isEnabled() ? kTextContrast : kDisabledTextContrast;
        if (contrast < needed)
            findings.append({where + QLatin1Char(' ') + name, contrast, needed});
    };
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        if (!w->isVisible() || !isOwnControl(w))
            continue;
        const QRect all = w->rect();
        if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty() && label->isEnabled()) {
            const QString text = label->text();
            check(w, w->objectName(), drawnContrast(w, [&](bool on) { label->setText(on ? text : QString()); }, all));
        } else if (auto* edit = qobject_cast<QLineEdit*>(w); edit && !edit->text().isEmpty()) {
            const QString text = edit->text();
            check(w, w->objectName(), drawnContrast(w, [&](bool on) { edit->setText(on ? text : QString()); }, all));
        } else if (auto* box = qobject_cast<QComboBox*>(w); box && box->lineEdit()) {
            QLineEdit* field = box->lineEdit();
            const QString text = field->text();
            if (text.isEmpty())
                continue;
            const QSignalBlocker quiet(box);
            check(w, w->objectName(), drawnContrast(field, [&](bool on) { field->setText(on ? text : QString()); }, field->rect()));
        } else if (auto* button = qobject_cast<QAbstractButton*>(w);
                   button && !button->text().trimmed().isEmpty() && button->isEnabled()) {
            const QString text = button->text();
            check(w, w->objectName(), drawnContrast(w, [&](bool on) { button->setText(on ? text : QString()); }, all));
        } else if (auto* group = qobject_cast<QGroupBox*>(w); group && !group->title().isEmpty() && group->isEnabled()) {
            const QString title = group->title();
            check(w, w->objectName(), drawnContrast(w, [&](bool on) { group->setTitle(on ? title : QString()); }, all));
        } else if (auto* grid = qobject_cast<StringGrid*>(w)) {
            for (int row = 0; row < grid->rowCount(); ++row)
                for (int col = 0; col < grid->columnCount(); ++col) {
                    const QString text = grid->cellText(col, row);
                    const QRect cell = grid->cellRect(col, row).translated(grid->viewport()->pos());
                    if (text.trimmed().isEmpty() || !grid->rect().contains(cell))
                        continue;
                    const double contrast = drawnContrast(
                        grid, [&](bool on) { grid->setCellText(col, row, on ? text : QString()); }, cell);
                    check(w, QStringLiteral("%1 cell %2,%3").arg(w->objectName()).arg(col).arg(row), contrast);
                }
        }
    }
}

} // namespace

class TestPalettes : public QObject
{
    Q_OBJECT

private slots:
    void everyTextStandsOut_data();
    void everyTextStandsOut();
    void digitsStandOutOnTheTint_data();
    void digitsStandOutOnTheTint();
    void lightPaletteKeepsTheDesignedColours();
    void cleanup() { QApplication::setPalette(QApplication::style()->standardPalette()); }
};

void TestPalettes::everyTextStandsOut_data()
{
    QTest::addColumn<QString>("palette");
    QTest::addColumn<QString>("givenTo");
    for (const QString& name : demoPaletteNames())
        for (const char* givenTo : {"application", "owner", "application, while open"})
            QTest::newRow(qPrintable(name + QLatin1String(", ") + QLatin1String(givenTo)))
                << name << QString::fromLatin1(givenTo);
}

void TestPalettes::everyTextStandsOut()
{
    QFETCH(QString, palette);
    QFETCH(QString, givenTo);
    const QPalette chosen = *demoPalette(palette);
    QWidget owner;
    if (givenTo == QLatin1String("owner"))
        owner.setPalette(chosen);
    else if (givenTo == QLatin1String("application"))
        QApplication::setPalette(chosen);
    OpenDialogs dialogs(nullptr, &owner);
    if (givenTo.endsWith(QLatin1String("while open"))) {
        dialogs.vlan->show();
        QApplication::processEvents();
        QApplication::setPalette(chosen);
    }

    QList<Finding> findings;
    forEachPage(dialogs.qos, [&](QWidget* page) {
        checkTexts(dialogs.qos, QStringLiteral("QoS %1").arg(page->objectName()), findings);
    });
    dialogs.qos->hide();
    for (int mode = 0; mode <= 2; ++mode) {
        dialogs.vlan->RadioGroup1->setItemIndex(mode);
        forEachPage(dialogs.vlan, [&](QWidget* page) {
            checkTexts(dialogs.vlan, QStringLiteral("VLAN mode %1 %2").arg(mode).arg(page->objectName()), findings);
        });
    }
    dialogs.vlan->hide();
    forEachPage(dialogs.vidEntry, [&](QWidget*) { checkTexts(dialogs.vidEntry, QStringLiteral("VID entry"), findings); });

    QStringList lines;
    for (const Finding& f : findings)
        lines << QStringLiteral("%1 %2:1 (needs %3:1)").arg(f.what).arg(f.contrast, 0, 'f', 2).arg(f.needed);
    QVERIFY2(findings.isEmpty(), qPrintable(lines.join(QLatin1String("\n"))));
}

void TestPalettes::digitsStandOutOnTheTint_data()
{
    QTest::addColumn<QString>("palette");
    QTest::addColumn<QString>("digits");
    for (const QString& name : demoPaletteNames())
        for (const char* digits : {"0", "8", "4094", "1"})
            QTest::newRow(qPrintable(name + QLatin1String(", ") + QLatin1String(digits)))
                << name << QString::fromLatin1(digits);
}

// A Default VID field that does not apply (Disable mode) keeps its digits at
// 4.5:1 on the "does not apply" tint as drawn: a round digit's thin strokes
// cover their pixels only in part and draw weaker than a stem.
void TestPalettes::digitsStandOutOnTheTint()
{
    QFETCH(QString, palette);
    QFETCH(QString, digits);
    QApplication::setPalette(*demoPalette(palette));
    OpenDialogs dialogs(nullptr);
    TVlan_form* d = dialogs.vlan;
    d->RadioGroup1->setItemIndex(0);
    d->PageControl1->setCurrentWidget(d->TabSheet1);
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    for (QLineEdit* field : {d->Edit2, d->Edit3, d->Edit4, d->Edit5, d->Edit6, d->Edit7}) {
        const QString kept = field->text();
        const double contrast = drawnContrast(field, [&](bool on) { field->setText(on ? digits : QString()); },
                                              field->rect());
        field->setText(kept);
        QVERIFY2(contrast >= kTextContrast, qPrintable(QStringLiteral("%1 on %2: %3:1")
                                                           .arg(field->objectName(), fieldColour(field).name())
                                                           .arg(contrast, 0, 'f', 2)));
    }
}

// On the style's own light palette the fields keep the colours they were
// designed with: white where a field applies, #BFCDDB where it does not.
void TestPalettes::lightPaletteKeepsTheDesignedColours()
{
    const QPalette light = QApplication::style()->standardPalette();
    QCOMPARE(systemColour(SystemColour::Window, light), QColor(0xFF, 0xFF, 0xFF));
    QCOMPARE(systemColour(SystemColour::InactiveCaption, light), QColor(0xBF, 0xCD, 0xDB));
}

QTEST_MAIN(TestPalettes)
#include "tst_palettes.moc"
