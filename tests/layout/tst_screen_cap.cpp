// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// However long the catalogue's texts, no dialog grows past the screen's
// available area and painting it works: captions too long for the room the
// screen allows are elided, with their full text in the tooltip.

#include "LayoutSupport.h"
#include "LongCatalogue.h"

#include <QLabel>
#include <QPixmap>

class TestScreenCap : public QObject
{
    Q_OBJECT

private slots:
    void hugeCaptionsStayOnScreen_data();
    void hugeCaptionsStayOnScreen();
};

void TestScreenCap::hugeCaptionsStayOnScreen_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("everyText");
    QTest::newRow("10 KB, one word, every text") << -10 * 1024 << true;
    QTest::newRow("10 KB, words, every text") << 10 * 1024 << true;
    // A catalogue file may hold 4 MB: one label of each dialog gets 1 MB.
    QTest::newRow("1 MB, words, a label of each dialog") << 1024 * 1024 << false;
}

void TestScreenCap::hugeCaptionsStayOnScreen()
{
    QFETCH(int, length);
    QFETCH(bool, everyText);
    // Words let a wrapping label break its text into thousands of lines.
    const QString unit = length < 0 ? QStringLiteral("W") : QStringLiteral("Wide ");
    const QString huge = unit.repeated(qAbs(length) / unit.size());
    const std::array<const CaptionRow*, 3> chosen{CaptionTables::find(CaptionTables::qos(), "Label1"),
                                                  CaptionTables::find(CaptionTables::vlan(), "Label10"),
                                                  CaptionTables::find(CaptionTables::vidEntry(), "Label2")};
    const std::unique_ptr<TIniFile> catalogue = catalogueFromTables([&](const CaptionRow& row) {
        const bool isChosen = std::find(chosen.begin(), chosen.end(), &row) != chosen.end();
        return everyText || isChosen ? huge : QString();
    });
    QVERIFY(catalogue);

    OpenDialogs dialogs(catalogue.get());
    // The VID entry dialog's status line shows the out-of-range message.
    dialogs.vidEntry->Edit1->setText(QStringLiteral("4095"));
    dialogs.vidEntry->Button1Click(dialogs.vidEntry->Button1);
    QVERIFY(dialogs.vidEntry->Label2->text().endsWith(QChar(0x2026)));
    for (QDialog* d : dialogs.all()) {
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d));
        const QSize available = d->screen()->availableGeometry().size();
        QVERIFY2(d->width() <= available.width() && d->height() <= available.height(),
                 qPrintable(QStringLiteral("%1 window %2x%3, screen %4x%5")
                                .arg(OpenDialogs::nameOf(d)).arg(d->width()).arg(d->height())
                                .arg(available.width()).arg(available.height())));
        QVERIFY(!d->grab().isNull());

        // Every label that shows a catalogue text shows its start, elided,
        // and the text in its tooltip (itself cut to a size a tooltip can
        // show).
        int elided = 0;
        const QChar ellipsis(0x2026);
        for (QLabel* label : d->findChildren<QLabel*>()) {
            const QString tip = label->toolTip();
            if (tip.isEmpty())
                continue;
            ++elided;
            QVERIFY2(label->text().endsWith(ellipsis), qPrintable(label->objectName() + QLatin1Char(' ') + label->text().left(50)));
            QVERIFY(huge.startsWith(label->text().chopped(1)));
            QVERIFY(tip.size() <= 2048); // never the enormous text itself
            QVERIFY(huge.startsWith(tip.endsWith(ellipsis) ? tip.chopped(1) : tip));
        }
        // (The VID entry dialog empties its status line when it opens.)
        if (everyText || d != dialogs.vidEntry)
            QVERIFY2(elided > 0, qPrintable(OpenDialogs::nameOf(d)));
        d->hide();
    }
}

QTEST_MAIN(TestScreenCap)
#include "tst_screen_cap.moc"
