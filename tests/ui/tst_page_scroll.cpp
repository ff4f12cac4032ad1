// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/PageScroll.h"
#include "ui/ScreenFit.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

namespace {

// Counts the font changes a control receives.
struct FontChanges : QObject
{
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FontChange)
            ++count;
        return false;
    }
};

} // namespace

class TestPageScroll : public QObject
{
    Q_OBJECT

private slots:
    void controlsKeepTheDialogsLook_data();
    void controlsKeepTheDialogsLook();
    void pagesScrollOnlyOnAScreenTooSmall_data();
    void pagesScrollOnlyOnAScreenTooSmall();
};

void TestPageScroll::controlsKeepTheDialogsLook_data()
{
    QTest::addColumn<bool>("laidOut");
    QTest::newRow("a page with a layout") << true;
    QTest::newRow("a page whose controls sit at fixed places") << false;
}

// The controls move into the scroll area with the dialog's font and palette,
// their places and their hidden state, and are told of a font change at most
// once on the way (each change makes them measure their texts again).
void TestPageScroll::controlsKeepTheDialogsLook()
{
    QFETCH(bool, laidOut);
    QDialog dialog;
    QFont font = dialog.font();
    font.setPointSizeF(13.5);
    font.setItalic(true);
    dialog.setFont(font);
    QPalette palette = dialog.palette();
    palette.setColor(QPalette::WindowText, QColor(0x12, 0x34, 0x56));
    dialog.setPalette(palette);
    auto* pages = new QTabWidget(&dialog);
    auto* page = new QWidget;
    pages->addTab(page, QStringLiteral("Page"));
    auto* label = new QLabel(QStringLiteral("Caption"), page);
    auto* box = new QCheckBox(QStringLiteral("Option"), page);
    auto* hidden = new QPushButton(QStringLiteral("Hidden"), page);
    hidden->setVisible(false);
    if (laidOut) {
        auto* layout = new QVBoxLayout(page);
        for (QWidget* w : {static_cast<QWidget*>(label), static_cast<QWidget*>(box), static_cast<QWidget*>(hidden)})
            layout->addWidget(w);
    } else {
        label->setGeometry(10, 12, 80, 16);
        box->setGeometry(10, 40, 120, 20);
    }
    const QRect labelPlace = label->geometry(), boxPlace = box->geometry();
    FontChanges changes;
    for (QWidget* w : {static_cast<QWidget*>(label), static_cast<QWidget*>(box)})
        w->installEventFilter(&changes);

    makePagesScrollable(pages);

    QWidget* content = pageContent(page);
    QVERIFY(content != page);
    for (QWidget* w : {static_cast<QWidget*>(label), static_cast<QWidget*>(box), static_cast<QWidget*>(hidden)}) {
        QCOMPARE(w->parentWidget(), content);
        QCOMPARE(w->font(), font);
        QCOMPARE(w->palette().color(QPalette::WindowText), palette.color(QPalette::WindowText));
    }
    QVERIFY(hidden->isHidden());
    QVERIFY(changes.count <= 2); // at most one each
    if (!laidOut) {
        QCOMPARE(label->geometry(), labelPlace);
        QCOMPARE(box->geometry(), boxPlace);
    }
}

void TestPageScroll::pagesScrollOnlyOnAScreenTooSmall_data()
{
    QTest::addColumn<qreal>("widthOfScreen"); // the first page's content, in screen widths
    QTest::addColumn<bool>("scrolls");
    QTest::newRow("a window that fits") << 0.25 << false;
    QTest::newRow("a page wider than the screen") << 1.5 << true;
}

// A window that fits its screen keeps its pages as they are; one that does
// not has every page scroll, and then fits.
void TestPageScroll::pagesScrollOnlyOnAScreenTooSmall()
{
    QFETCH(qreal, widthOfScreen);
    QFETCH(bool, scrolls);
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* pages = new QTabWidget;
    layout->addWidget(pages);
    const QSize screen = dialog.screen()->availableGeometry().size();
    auto* wide = new QWidget;
    auto* wideLayout = new QVBoxLayout(wide);
    auto* control = new QLabel(QStringLiteral("Wide"));
    control->setMinimumSize(int(screen.width() * widthOfScreen), 40);
    wideLayout->addWidget(control);
    pages->addTab(wide, QStringLiteral("Wide"));
    auto* small = new QWidget;
    (new QVBoxLayout(small))->addWidget(new QCheckBox(QStringLiteral("Option")));
    pages->addTab(small, QStringLiteral("Small"));

    fitToScreen(&dialog, QSize(200, 150), QSize());

    for (QWidget* page : {wide, small})
        QCOMPARE(pageContent(page) != page, scrolls);
    QVERIFY(dialog.width() <= screen.width());
}

QTEST_MAIN(TestPageScroll)
#include "tst_page_scroll.moc"
