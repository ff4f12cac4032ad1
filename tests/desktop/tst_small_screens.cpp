// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// On small and dense screens, in English, a 40 % longer text and real
// translations, nothing is cut: no caption is clipped, shortened or run into
// another, no control lies outside its page, the window fits the screen and
// every control can be reached (a page scrolls when the screen is too small
// for it). Push buttons have room for their text and the style's margins, and
// the Global VLAN column headings stay visibly apart.
//
// The screen is the offscreen platform's, of the size ODU_SCREEN names
// (WIDTHxHEIGHT); the density comes from QT_FONT_DPI.

#include "DesktopSupport.h"

#include "tests/layout/LongCatalogue.h"
#include "translator-kit/CaptionDefects.h"
#include "ui/AcceleratorMarks.h"
#include "ui/Density.h"
#include "ui/OffscreenScreen.h"
#include "ui/PageScroll.h"
#include "ui/StringGrid.h"

#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTemporaryDir>

namespace {

struct Language
{
    const char* name;
    Qt::LayoutDirection direction;
};

constexpr Language kLanguages[] = {
    {"en", Qt::LeftToRight}, {"long", Qt::LeftToRight}, {"de", Qt::LeftToRight},
    {"ja", Qt::LeftToRight}, {"ar", Qt::RightToLeft},
};

std::unique_ptr<TIniFile> catalogueFor(const QString& language)
{
    if (language == QLatin1String("en"))
        return std::make_unique<TIniFile>();
    if (language == QLatin1String("long"))
        return longCatalogue();
    return std::make_unique<TIniFile>(QStringLiteral(ODU_TRANSLATIONS_DIR "/%1.ini").arg(language));
}

// Text and the style's margins, without the least width some styles give
// every button.
int buttonRoom(const QPushButton* button)
{
    const QString text = withoutAcceleratorMarks(button->text());
    const QStyle* style = button->style();
    return button->fontMetrics().horizontalAdvance(text) + style->pixelMetric(QStyle::PM_ButtonMargin)
        + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth);
}

} // namespace

class TestSmallScreens : public QObject
{
    Q_OBJECT

private slots:
    void nothingIsCut_data();
    void nothingIsCut();
    void cleanup() { QGuiApplication::setLayoutDirection(Qt::LeftToRight); }
};

void TestSmallScreens::nothingIsCut_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<Qt::LayoutDirection>("direction");
    for (const Language& l : kLanguages)
        QTest::newRow(l.name) << QString::fromLatin1(l.name) << l.direction;
}

void TestSmallScreens::nothingIsCut()
{
    QFETCH(QString, language);
    QFETCH(Qt::LayoutDirection, direction);
    QGuiApplication::setLayoutDirection(direction);
    const std::unique_ptr<TIniFile> catalogue = catalogueFor(language);
    QVERIFY(catalogue);
    OpenDialogs dialogs(catalogue.get());
    QStringList faults;
    for (QDialog* d : dialogs.all()) {
        const QString name = OpenDialogs::nameOf(d);
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d));
        const QSize screen = d->screen()->availableGeometry().size();
        if (d->width() > screen.width() || d->height() > screen.height())
            faults << QStringLiteral("%1 window %2x%3").arg(name).arg(d->width()).arg(d->height());
        for (const CaptionDefect& defect : findCaptionDefects(d))
            faults << name + QLatin1Char(' ') + describeCaptionDefect(defect);
        for (QPushButton* button : d->findChildren<QPushButton*>())
            if (button->isVisible() && button->width() < buttonRoom(button))
                faults << QStringLiteral("%1 %2 %3 px wide, needs %4").arg(name, button->objectName())
                              .arg(button->width()).arg(buttonRoom(button));
        // A grid opens at its first row and column.
        for (StringGrid* grid : d->findChildren<StringGrid*>())
            if (grid->horizontalScrollBar()->value() != grid->horizontalScrollBar()->minimum()
                || grid->verticalScrollBar()->value() != grid->verticalScrollBar()->minimum())
                faults << QStringLiteral("%1 %2 opens scrolled").arg(name, grid->objectName());
        // Every control that takes the focus is scrolled into view whole.
        QApplication::setActiveWindow(d);
        forEachPage(d, [&](QWidget* page) {
            auto* area = page ? page->findChild<PageScrollArea*>() : nullptr;
            if (!area)
                return;
            for (QWidget* w : area->widget()->findChildren<QWidget*>()) {
                if (!isOwnControl(w) || !w->isVisible() || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus))
                    continue;
                w->setFocus(Qt::TabFocusReason);
                QApplication::processEvents();
                const QRect shown(w->mapTo(area->viewport(), QPoint()), w->size());
                if (!area->viewport()->rect().contains(shown))
                    faults << QStringLiteral("%1 %2 not in view with the focus").arg(name, w->objectName());
            }
        });
        d->hide();
    }

    // The Global VLAN column headings keep a gap of 6 pixels, grown by the
    // density factor, between each other.
    TVlan_form* vlan = dialogs.vlan;
    vlan->show();
    vlan->PageControl1->setCurrentWidget(vlan->TabSheet1);
    QApplication::processEvents();
    const int gap = scaledSize(6, densityFactor(vlan));
    const std::array<QLabel*, 4> headings{vlan->Label9, vlan->Label10, vlan->Label11, vlan->Label12};
    for (size_t i = 1; i < headings.size(); ++i) {
        const QRect before = headings[i - 1]->geometry();
        const QRect after = headings[i]->geometry();
        const int between = direction == Qt::LeftToRight ? after.left() - before.right() - 1
                                                         : before.left() - after.right() - 1;
        if (between < gap)
            faults << QStringLiteral("%1 and %2 %3 px apart").arg(headings[i - 1]->objectName(),
                                                                  headings[i]->objectName()).arg(between);
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

int main(int argc, char** argv)
{
    // The screen is the platform's own, so it must be described before the
    // application starts.
    const QByteArray size = qgetenv("ODU_SCREEN").isEmpty() ? QByteArray("1280x720") : qgetenv("ODU_SCREEN");
    const QList<QByteArray> parts = size.split('x');
    QTemporaryDir dir;
    const QString platform =
        parts.size() == 2 ? offscreenScreenPlatform(QSize(parts[0].toInt(), parts[1].toInt()), dir) : QString();
    if (platform.isEmpty())
        return 2;
    qputenv("QT_QPA_PLATFORM", QFile::encodeName(platform));
    QApplication app(argc, argv);
    TestSmallScreens test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_small_screens.moc"
