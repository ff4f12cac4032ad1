// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// Right to left, a dialog is its left-to-right self mirrored: every control
// at its mirrored place (so a forwarding box stays under its port's heading),
// and every window it opens right to left too, whether the application or
// only the owner is right to left.

#include "DesktopSupport.h"

#include "testing/ModalAnswering.h"

#include <QComboBox>
#include <QAbstractItemView>
#include <QGuiApplication>
#include <QMessageBox>

#include <map>

namespace {

using Placement = std::map<QString, QRect>;

Placement placementOf(QDialog* dialog)
{
    Placement placed;
    for (const PlacedControl& c : placedControls(dialog))
        placed[c.name] = c.rect;
    dialog->hide();
    return placed;
}

bool near(const QRect& a, const QRect& b)
{
    return qAbs(a.left() - b.left()) <= 2 && qAbs(a.right() - b.right()) <= 2 && qAbs(a.top() - b.top()) <= 2
        && qAbs(a.bottom() - b.bottom()) <= 2;
}

QRect mirrored(const QRect& r, int width)
{
    return QRect(width - r.x() - r.width(), r.y(), r.width(), r.height());
}

using Pictures = std::map<QString, QImage>;

// Every named control of the three dialogs as drawn (each tab bar, and each
// drop-down list's open list, by the name of its control), and the texts of
// the box the VLAN dialog asks its question in.
Pictures picturesOf(TIniFile* catalogue, QWidget* owner)
{
    Pictures drawn;
    OpenDialogs dialogs(catalogue, owner);
    for (QDialog* d : dialogs.all()) {
        const QString dialog = OpenDialogs::nameOf(d);
        forEachPage(d, [&](QWidget*) {
            for (QWidget* w : d->findChildren<QWidget*>()) {
                if (!w->isVisible() || !isOwnControl(w))
                    continue;
                drawn[dialog + QLatin1Char(' ') + w->objectName()] = w->grab().toImage();
                if (auto* pages = qobject_cast<QTabWidget*>(w))
                    drawn[dialog + QLatin1Char(' ') + w->objectName() + QLatin1String(" tabs")] =
                        pages->tabBar()->grab().toImage();
            }
        });
        for (QComboBox* list : d->findChildren<QComboBox*>()) {
            if (!isOwnControl(list) || list->count() == 0)
                continue;
            list->showPopup();
            QApplication::processEvents();
            drawn[dialog + QLatin1Char(' ') + list->objectName() + QLatin1String(" list")] =
                list->view()->viewport()->grab().toImage();
            list->hidePopup();
        }
        d->hide();
    }
    // The question box of the Default button, its text and buttons.
    dialogs.vlan->show();
    whenModal(dialogs.vlan, [&](QWidget* modal) {
        QVERIFY(modal);
        for (QWidget* w : modal->findChildren<QWidget*>()) {
            if (!w->isVisible() || !(qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w)))
                continue;
            const QString name = w->objectName().isEmpty() ? w->property("text").toString() : w->objectName();
            drawn[QStringLiteral("message box %1 %2").arg(QLatin1String(w->metaObject()->className()), name)] =
                w->grab().toImage();
        }
        answerBox(modal, QMessageBox::No);
    });
    dialogs.vlan->Button5->click();
    return drawn;
}

} // namespace

class TestRightToLeft : public QObject
{
    Q_OBJECT

private slots:
    void mirrorsEveryControl_data();
    void mirrorsEveryControl();
    void drawsAsWithTheApplicationRightToLeft_data();
    void drawsAsWithTheApplicationRightToLeft();
    void alignsCaptionsToTheReadingSide_data();
    void alignsCaptionsToTheReadingSide();
    void cleanup() { QGuiApplication::setLayoutDirection(Qt::LeftToRight); }
};

void TestRightToLeft::mirrorsEveryControl_data()
{
    QTest::addColumn<bool>("onlyOwner");
    QTest::newRow("application right to left") << false;
    QTest::newRow("only the owner right to left") << true;
}

void TestRightToLeft::mirrorsEveryControl()
{
    QFETCH(bool, onlyOwner);
    std::array<Placement, 3> leftToRight;
    {
        OpenDialogs dialogs(nullptr);
        for (int i = 0; i < 3; ++i)
            leftToRight[i] = placementOf(dialogs.all()[i]);
    }

    QWidget owner;
    if (onlyOwner)
        owner.setLayoutDirection(Qt::RightToLeft);
    else
        QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    OpenDialogs dialogs(nullptr, &owner);
    for (int i = 0; i < 3; ++i) {
        QDialog* d = dialogs.all()[i];
        QCOMPARE(d->layoutDirection(), Qt::RightToLeft);
        const Placement rightToLeft = placementOf(d);
        const int width = rightToLeft.at(QStringLiteral("window")).width();
        QCOMPARE(width, leftToRight[i].at(QStringLiteral("window")).width());
        QStringList misplaced;
        for (const auto& [name, rect] : leftToRight[i]) {
            const auto found = rightToLeft.find(name);
            if (found == rightToLeft.end() || !near(found->second, mirrored(rect, width)))
                misplaced << QStringLiteral("%1 at %2,%3 (mirrored %4,%5)")
                                 .arg(name)
                                 .arg(found == rightToLeft.end() ? -1 : found->second.x())
                                 .arg(found == rightToLeft.end() ? -1 : found->second.y())
                                 .arg(mirrored(rect, width).x())
                                 .arg(rect.y());
        }
        QVERIFY2(misplaced.isEmpty(), qPrintable(OpenDialogs::nameOf(d) + QLatin1String(": ")
                                                 + misplaced.join(QLatin1String("; "))));
    }

    // What the VLAN dialog opens: a message box and the VID entry dialog.
    dialogs.vlan->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialogs.vlan));
    Qt::LayoutDirection boxDirection = Qt::LeftToRight;
    Qt::LayoutDirection entryDirection = Qt::LeftToRight;
    whenModal([&](QWidget* modal) {
        QVERIFY(modal);
        boxDirection = modal->layoutDirection();
        answerBox(modal, QMessageBox::No);
    });
    dialogs.vlan->Button5->click();
    whenModal([&](QWidget* modal) {
        QVERIFY(modal);
        entryDirection = modal->layoutDirection();
        qobject_cast<QDialog*>(modal)->reject();
    });
    dialogs.vlan->Button1->click();
    QCOMPARE(boxDirection, Qt::RightToLeft);
    QCOMPARE(entryDirection, Qt::RightToLeft);
}

void TestRightToLeft::drawsAsWithTheApplicationRightToLeft_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::newRow("English") << QString();
    QTest::newRow("Arabic") << QStringLiteral(ODU_TRANSLATIONS_DIR "/ar.ini");
}

// A dialog right to left because its owner is draws every caption, tab,
// group title, list item, grid cell and message exactly as a dialog right to
// left because the application is: text takes the base direction of the
// control it is drawn in. (Captions that mix Arabic with Latin letters,
// digits or brackets read differently with the other base direction.)
void TestRightToLeft::drawsAsWithTheApplicationRightToLeft()
{
    QFETCH(QString, catalogue);
    std::unique_ptr<TIniFile> texts = catalogue.isEmpty() ? std::make_unique<TIniFile>()
                                                          : std::make_unique<TIniFile>(catalogue);
    QCOMPARE(texts->fileStatus(), catalogue.isEmpty() ? CatalogueFileStatus::NoFile : CatalogueFileStatus::Read);

    Pictures byApplication;
    {
        QGuiApplication::setLayoutDirection(Qt::RightToLeft);
        QWidget owner;
        byApplication = picturesOf(texts.get(), &owner);
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    }
    QWidget owner;
    owner.setLayoutDirection(Qt::RightToLeft);
    const Pictures byOwner = picturesOf(texts.get(), &owner);

    QVERIFY(byApplication.size() > 100);
    QStringList differing;
    for (const auto& [name, picture] : byApplication) {
        const auto found = byOwner.find(name);
        if (found == byOwner.end())
            differing << name + QLatin1String(" (missing)");
        else if (found->second != picture)
            differing << name;
    }
    QVERIFY2(differing.isEmpty(), qPrintable(QStringLiteral("%1 of %2 drawn differently: %3")
                                                 .arg(differing.size())
                                                 .arg(byApplication.size())
                                                 .arg(differing.join(QLatin1String(", ")))));
}

void TestRightToLeft::alignsCaptionsToTheReadingSide_data()
{
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Latin, left to right") << Qt::LeftToRight << QStringLiteral("LINE 2");
    QTest::newRow("Latin, right to left") << Qt::RightToLeft << QStringLiteral("LINE 2");
    QTest::newRow("Arabic, left to right") << Qt::LeftToRight << QStringLiteral("المنفذ");
    QTest::newRow("Arabic, right to left") << Qt::RightToLeft << QStringLiteral("المنفذ");
}

// A heading designed to start on the reading side starts there, whatever
// the script of its text: so it stands over its column of boxes.
void TestRightToLeft::alignsCaptionsToTheReadingSide()
{
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(QString, caption);
    QGuiApplication::setLayoutDirection(direction);
    OpenDialogs dialogs(nullptr);
    TVlan_form* d = dialogs.vlan;
    d->PageControl1->setCurrentWidget(d->TabSheet3);
    for (QLabel* heading : {d->Label17, d->Label18, d->Label19, d->Label20, d->Label21})
        heading->setText(caption);
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    QApplication::processEvents();
    for (QLabel* heading : {d->Label17, d->Label18, d->Label19, d->Label20, d->Label21}) {
        const QRect ink = inkBox(heading);
        QVERIFY2(!ink.isEmpty(), qPrintable(heading->objectName()));
        const int fromStart = direction == Qt::LeftToRight ? ink.left() : heading->width() - 1 - ink.right();
        QVERIFY2(fromStart <= 3, qPrintable(QStringLiteral("%1 starts %2 px from its reading side")
                                                .arg(heading->objectName()).arg(fromStart)));
    }
}

QTEST_MAIN(TestRightToLeft)
#include "tst_right_to_left.moc"
