// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// Whatever the display density and however long the texts, every caption of
// the three dialogs has the room it needs, no two controls overlap and every
// control lies inside its page. Registered at 96, 120 and 144 pixels per
// inch; each run checks the English texts and a catalogue 40 % longer.

#include "LayoutSupport.h"
#include "LongCatalogue.h"

#include "translator-kit/CaptionDefects.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QTabWidget>

class TestCaptionFit : public QObject
{
    Q_OBJECT

private slots:
    void everyCaptionFits_data();
    void everyCaptionFits();
    void captionRowsNameTheirControls();
};

void TestCaptionFit::everyCaptionFits_data()
{
    QTest::addColumn<bool>("longTexts");
    QTest::newRow("English") << false;
    QTest::newRow("40 % longer") << true;
}

void TestCaptionFit::everyCaptionFits()
{
    QFETCH(bool, longTexts);
    const std::unique_ptr<TIniFile> catalogue = longTexts ? longCatalogue() : nullptr;
    QVERIFY(!longTexts || catalogue);

    // Judged as a translator's check judges them: every caption has its
    // room, none runs into another control or too close to its neighbour,
    // every control and grid column lies in view, on every page.
    OpenDialogs dialogs(catalogue.get());
    QStringList faults;
    for (QDialog* d : dialogs.all()) {
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d));
        // (Only columns wider together than the screen cannot all be in view:
        // there the page scrolls the grid into view instead.)
        const int screenWidth = d->screen()->availableGeometry().width();
        for (const CaptionDefect& defect : findCaptionDefects(d, {.columnsInView = true, .captionGaps = true}))
            if (!(defect.control.contains(QStringLiteral(" column ")) && defect.needed.width() > screenWidth))
                faults << OpenDialogs::nameOf(d) + QLatin1Char(' ') + describeCaptionDefect(defect);
        // English texts at up to 144 pixels per inch fit a 1280x720 screen.
        if (!longTexts && d->logicalDpiX() <= 144 && (d->width() > 1280 || d->height() > 720))
            faults << QStringLiteral("%1 window %2x%3 exceeds 1280x720")
                          .arg(OpenDialogs::nameOf(d)).arg(d->width()).arg(d->height());
        d->hide();
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

// Every row that a dialog shows on a control names a control of that dialog:
// a catalogue with a text of its own for each key puts that text there.
void TestCaptionFit::captionRowsNameTheirControls()
{
    const auto marked = [](const QString& english) { return QStringLiteral("<%1>").arg(english); };
    const std::unique_ptr<TIniFile> catalogue =
        catalogueFromTables([&](const CaptionRow& row) { return marked(QString::fromUtf8(row.english)); });
    QVERIFY(catalogue);
    OpenDialogs dialogs(catalogue.get());
    const std::array<std::pair<QDialog*, std::span<const CaptionRow>>, 3> tables{{
        {dialogs.qos, CaptionTables::qos()}, {dialogs.vlan, CaptionTables::vlan()}, {dialogs.vidEntry, CaptionTables::vidEntry()}}};
    for (const auto& [dialog, rows] : tables) {
        for (const CaptionRow& row : rows) {
            if (row.kind != CaptionKind::Caption || qstrcmp(row.unit, "remote") == 0)
                continue;
            const QString want = marked(QString::fromUtf8(row.english));
            const QStringList words = QString::fromLatin1(row.control).split(QLatin1Char(' '));
            QString shown;
            if (qstrcmp(row.control, "window title") == 0) {
                shown = dialog->windowTitle();
            } else if (auto* grid = dialog->findChild<StringGrid*>(words.at(0)); grid && words.size() > 1) {
                if (words.at(1) == QLatin1String("heading"))
                    shown = grid->cellText(words.at(2).toInt(), 0);
                else if (words.at(1) == QLatin1String("row"))
                    shown = grid->cellText(0, 0).chopped(2); // the row number follows
                else
                    continue; // membership cells: only with entries in the table
            } else if (auto* w = dialog->findChild<QWidget*>(words.at(0))) {
                if (words.size() == 3 && words.at(1) == QLatin1String("item")) {
                    if (auto* box = qobject_cast<QComboBox*>(w))
                        shown = box->itemText(words.at(2).toInt());
                    else if (auto* group = qobject_cast<RadioGroup*>(w))
                        shown = group->itemText(words.at(2).toInt());
                } else if (words.size() == 3 && words.at(1) == QLatin1String("tab")) {
                    shown = qobject_cast<QTabWidget*>(w)->tabText(words.at(2).toInt());
                } else if (auto* label = qobject_cast<QLabel*>(w)) {
                    shown = label->text();
                } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                    shown = button->text();
                } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
                    shown = group->title();
                }
            }
            // A key with two English texts shows the first row's marked text.
            bool sharedKey = false;
            for (const auto table : CaptionTables::all())
                for (const CaptionRow& other : table)
                    sharedKey = sharedKey
                                || (qstrcmp(other.section, row.section) == 0 && qstrcmp(other.key, row.key) == 0
                                    && qstrcmp(other.english, row.english) != 0);
            if (!sharedKey)
                QVERIFY2(shown == want, qPrintable(QStringLiteral("%1 %2: shows \"%3\", expected \"%4\"")
                                                       .arg(QString::fromUtf8(row.dialog), QString::fromLatin1(row.control), shown, want)));
            else
                QVERIFY2(shown.startsWith(QLatin1Char('<')), qPrintable(QString::fromLatin1(row.control)));
        }
    }
}

QTEST_MAIN(TestCaptionFit)
#include "tst_caption_fit.moc"
