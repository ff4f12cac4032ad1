// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// Whatever the display density and however long the texts, every caption of
// the three dialogs has the room it needs, no two controls overlap and every
// control lies inside its page. Registered at 96, 120 and 144 pixels per
// inch; each run checks the English texts and a catalogue 40 % longer.
// ODU_REPORT_FIT=1 prints every caption's need and room.

#include "LayoutSupport.h"
#include "LongCatalogue.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

class TestCaptionFit : public QObject
{
    Q_OBJECT

private slots:
    void everyCaptionFits_data();
    void everyCaptionFits();
    void captionRowsNameTheirControls();
};

namespace {

QString plain(QString text)
{
    return text.remove(QLatin1Char('&'));
}

// The room a caption needs: its own size hint for labels, check boxes and
// radio items; the text and the style's padding for push buttons (whose size
// hint carries a minimum width of the style's own) and combo boxes; the title
// and its indent for group boxes. An empty size for a control without text.
QSize captionNeed(QWidget* w)
{
    const QFontMetrics fm = w->fontMetrics();
    if (auto* label = qobject_cast<QLabel*>(w)) {
        if (label->text().isEmpty())
            return QSize();
        if (label->wordWrap()) // its lines at its width; its longest word
            return QSize(label->minimumSizeHint().width(), label->heightForWidth(label->width()));
        return label->sizeHint();
    }
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
        // The indicator, the gap and the text side by side; as high as the
        // taller of indicator and text (the size hint adds room for a focus
        // frame that the designs never had).
        auto* b = static_cast<QAbstractButton*>(w);
        if (b->text().trimmed().isEmpty())
            return QSize();
        const bool radio = qobject_cast<QRadioButton*>(w);
        const int indicator = b->style()->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorHeight
                                                            : QStyle::PM_IndicatorHeight, nullptr, b);
        return QSize(b->sizeHint().width(), qMax(indicator, fm.height()));
    }
    if (auto* button = qobject_cast<QPushButton*>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(button);
        opt.text = button->text();
        const QSize text = fm.size(Qt::TextShowMnemonic, button->text());
        const QSize padded = button->style()->sizeFromContents(QStyle::CT_PushButton, &opt,
                                                               QSize(1000, text.height()), button);
        return QSize(text.width() + padded.width() - 1000, fm.height());
    }
    if (auto* box = qobject_cast<QComboBox*>(w)) {
        int widest = 0;
        for (int i = 0; i < box->count(); ++i)
            widest = qMax(widest, fm.horizontalAdvance(box->itemText(i)));
        QStyleOptionComboBox opt;
        opt.initFrom(box);
        opt.editable = box->isEditable();
        const QSize padded = box->style()->sizeFromContents(QStyle::CT_ComboBox, &opt,
                                                            QSize(1000, fm.height()), box);
        return QSize(widest + padded.width() - 1000, fm.height());
    }
    if (auto* group = qobject_cast<QGroupBox*>(w)) {
        if (group->title().isEmpty())
            return QSize();
        return QSize(fm.horizontalAdvance(plain(group->title())) + 2 * fm.averageCharWidth(), fm.height());
    }
    return QSize();
}

struct Finding
{
    QString where;
    QString what;
};

QString describe(const QDialog* d, const QWidget* page, const QString& control)
{
    return QStringLiteral("%1 %2 %3")
        .arg(OpenDialogs::nameOf(d), page ? page->objectName() : QStringLiteral("-"), control);
}

void checkPage(QDialog* dialog, QWidget* page, QList<Finding>& findings, bool report)
{
    QWidget* root = page ? page : dialog;
    QList<QWidget*> controls;
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        if (!isOwnControl(w) || !w->isVisible())
            continue;
        if (page && !page->isAncestorOf(w))
            continue;
        controls << w;
    }
    if (!page) // the parts outside the pages: mode switch, tabs, button strip
        controls.erase(std::remove_if(controls.begin(), controls.end(),
                                      [dialog](QWidget* w) {
                                          const auto* pages = dialog->findChild<QTabWidget*>();
                                          return pages && pages->isAncestorOf(w);
                                      }),
                       controls.end());

    for (QWidget* w : controls) {
        // The caption's room.
        const QSize need = captionNeed(w);
        if (report && need.isValid())
            qInfo("%s needs %dx%d, has %dx%d", qPrintable(describe(dialog, page, w->objectName())),
                  need.width(), need.height(), w->width(), w->height());
        if (need.isValid() && (need.width() > w->width() || need.height() > w->height()))
            findings.append({describe(dialog, page, w->objectName()),
                             QStringLiteral("needs %1x%2, has %3x%4")
                                 .arg(need.width()).arg(need.height()).arg(w->width()).arg(w->height())});
        // Inside its parent, and so inside its page.
        QWidget* parent = w->parentWidget();
        if (w != root && parent && !parent->rect().contains(w->geometry()))
            findings.append({describe(dialog, page, w->objectName()),
                             QStringLiteral("lies outside %1").arg(parent->objectName())});
    }
    // No two sibling controls overlap.
    for (int i = 0; i < controls.size(); ++i)
        for (int j = i + 1; j < controls.size(); ++j) {
            QWidget* a = controls.at(i);
            QWidget* b = controls.at(j);
            if (a->parentWidget() == b->parentWidget() && a->geometry().intersects(b->geometry()))
                findings.append({describe(dialog, page, a->objectName()),
                                 QStringLiteral("overlaps %1").arg(b->objectName())});
        }
}

void checkTabs(QDialog* dialog, QList<Finding>& findings)
{
    for (QTabWidget* pages : dialog->findChildren<QTabWidget*>()) {
        QTabBar* bar = pages->tabBar();
        for (int i = 0; i < bar->count(); ++i) {
            const QString where = describe(dialog, nullptr, QStringLiteral("%1 tab %2").arg(pages->objectName()).arg(i));
            const int text = bar->fontMetrics().horizontalAdvance(plain(bar->tabText(i)));
            if (bar->tabRect(i).width() < text || bar->sizeHint().width() > pages->width())
                findings.append({where, QStringLiteral("is cut (text %1, tab %2, tab row %3 of %4)")
                                            .arg(text).arg(bar->tabRect(i).width())
                                            .arg(bar->sizeHint().width()).arg(pages->width())});
            if (bar->mapTo(pages, bar->tabRect(i).bottomRight()).x() >= pages->width())
                findings.append({where, QStringLiteral("lies outside %1").arg(pages->objectName())});
        }
    }
}

} // namespace

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
    const bool report = qEnvironmentVariableIsSet("ODU_REPORT_FIT");

    OpenDialogs dialogs(catalogue.get());
    QList<Finding> findings;
    for (QDialog* d : dialogs.all()) {
        forEachPage(d, [&](QWidget* page) { checkPage(d, page, findings, report); });
        checkPage(d, nullptr, findings, report);
        checkTabs(d, findings);
        // English texts at up to 144 pixels per inch fit a 1280x720 screen.
        if (!longTexts && d->logicalDpiX() <= 144 && (d->width() > 1280 || d->height() > 720))
            findings.append({OpenDialogs::nameOf(d),
                             QStringLiteral("window %1x%2 exceeds 1280x720").arg(d->width()).arg(d->height())});
        if (report)
            qInfo("%s window %dx%d", qPrintable(OpenDialogs::nameOf(d)), d->width(), d->height());
        d->hide();
    }
    QStringList lines;
    for (const Finding& f : findings)
        lines << f.where + QLatin1Char(' ') + f.what;
    QVERIFY2(findings.isEmpty(), qPrintable(lines.join(QLatin1Char('\n'))));
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
        {dialogs.qos, qosCaptionRows()}, {dialogs.vlan, vlanCaptionRows()}, {dialogs.vidEntry, vidEntryCaptionRows()}}};
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
            for (const auto table : allCaptionTables())
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
