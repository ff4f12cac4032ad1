// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "translator-kit/CaptionDefects.h"

#include "ui/RadioGroup.h"
#include "ui/StringGrid.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusFrame>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>

namespace {

// One control of a holder, as the overlap test sees it.
struct Placed
{
    QWidget* widget = nullptr;
    QString name;
    QString text;
    QRect ink;            // what the control paints, in the holder's coordinates
    bool caption = false; // ink is a caption (else the whole control)
};

class Examiner
{
public:
    Examiner(QWidget* window, CaptionDefectRules rules)
        : m_window(window)
        , m_rules(rules)
    {
    }

    void examineHolder(QWidget* holder);
    std::vector<CaptionDefect> takeDefects() { return std::move(m_defects); }

private:
    Placed place(QWidget* child);
    void checkLabel(QLabel* label, Placed& placed);
    void checkButton(QAbstractButton* button, Placed& placed);
    void checkGroupBox(QGroupBox* box, Placed& placed);
    void checkComboItems(QComboBox* combo);
    void checkGridCells(StringGrid* grid);
    void checkTabs(QTabWidget* tabs);
    void checkOutside(QWidget* holder, const Placed& placed);
    void checkCrowdedLabels(QWidget* holder, const std::vector<Placed>& placed);
    void addCrowded(QWidget* widget, const QString& name, const QString& text, const QString& other, int gap,
                    const QRect& areaInWidget);
    void checkOverlaps(const std::vector<Placed>& placed);
    void examinePages(QTabWidget* tabs);

    void addClipped(QWidget* widget, const QString& name, const QString& text, QSize needed,
                    QSize had, const QRect& areaInWidget);
    // A caption shown shortened: frame is what the control adds to its text.
    void addElided(QWidget* widget, const QString& name, const QString& shown, const QString& toolTip,
                   const QFontMetrics& metrics, QSize frame, QSize had, const QRect& areaInWidget);
    QRect inWindow(QWidget* widget, const QRect& rect) const
    {
        return QRect(widget->mapTo(m_window, rect.topLeft()), rect.size());
    }

    QWidget* m_window;
    CaptionDefectRules m_rules;
    std::vector<CaptionDefect> m_defects;
};

// Lays out whatever became visible or changed since the last look.
void settleLayouts(QWidget* holder)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    holder->ensurePolished();
    if (QLayout* layout = holder->layout())
        layout->activate();
}

QString nameOf(const QWidget* widget)
{
    const QString name = widget->objectName();
    return name.isEmpty() ? QString::fromLatin1(widget->metaObject()->className()) : name;
}

// Widgets whose children are their own machinery (scroll bars, viewports,
// inner editors, arrow buttons), not controls of the form.
bool isComposite(const QWidget* widget)
{
    return qobject_cast<const QAbstractScrollArea*>(widget) || qobject_cast<const QComboBox*>(widget)
        || qobject_cast<const QTabBar*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget)
        || qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QTabWidget*>(widget);
}

// A plain panel that other controls may sit on.
bool isBackdrop(const QWidget* widget)
{
    const QMetaObject* type = widget->metaObject();
    return type == &QWidget::staticMetaObject || type == &QFrame::staticMetaObject
        || qobject_cast<const QGroupBox*>(widget);
}

QSize textSize(const QFontMetrics& metrics, const QString& text)
{
    return metrics.size(Qt::TextShowMnemonic, text);
}

// A line of text set in box narrowed to the rows its glyphs cover: a text box
// reaches into the line spacing, where nothing is drawn.
QRect glyphExtent(const QFontMetrics& metrics, const QString& text, const QRect& box)
{
    const QRect glyphs = metrics.tightBoundingRect(text);
    const int baseline = box.top() + (box.height() - metrics.height()) / 2 + metrics.ascent();
    return QRect(box.left(), baseline + glyphs.top(), box.width(), glyphs.height());
}

// The full text of a caption shown shortened with an ellipsis, which a
// dialog keeps in the tooltip; empty when the caption is shown whole.
QString fullTextOfElided(const QString& shown, const QString& toolTip)
{
    if (toolTip.isEmpty() || toolTip == shown || !shown.endsWith(QChar(0x2026)))
        return {};
    return toolTip;
}

// "RadioGroup1 item 2" for the radio items a RadioGroup makes itself.
QString buttonName(QAbstractButton* button)
{
    if (auto* group = qobject_cast<RadioGroup*>(button->parentWidget())) {
        for (int i = 0; i < group->itemCount(); ++i) {
            if (group->button(i) == button)
                return QStringLiteral("%1 item %2").arg(nameOf(group)).arg(i);
        }
    }
    return nameOf(button);
}

void Examiner::addClipped(QWidget* widget, const QString& name, const QString& text, QSize needed,
                          QSize had, const QRect& areaInWidget)
{
    if (needed.width() <= had.width() && needed.height() <= had.height())
        return;
    m_defects.push_back({
        .kind = CaptionDefect::Kind::Clipped,
        .control = name,
        .text = text,
        .other = {},
        .needed = needed,
        .had = had,
        .area = inWindow(widget, areaInWidget),
        .widget = widget,
    });
}

void Examiner::addElided(QWidget* widget, const QString& name, const QString& shown, const QString& toolTip,
                         const QFontMetrics& metrics, QSize frame, QSize had, const QRect& areaInWidget)
{
    const QString full = fullTextOfElided(shown, toolTip);
    if (full.isEmpty())
        return;
    // An enormous text is measured no further than a few screens wide.
    const QSize text = textSize(metrics, full.left(4000));
    m_defects.push_back({
        .kind = CaptionDefect::Kind::Elided,
        .control = name,
        .text = full,
        .other = {},
        .needed = QSize(text.width() + frame.width(), had.height()),
        .had = had,
        .area = inWindow(widget, areaInWidget),
        .widget = widget,
    });
}

void Examiner::checkLabel(QLabel* label, Placed& placed)
{
    if (label->text().isEmpty())
        return;
    placed.caption = true;
    placed.text = label->text();
    // The label's own size hint is exactly what its text, frame and margin need.
    QSize needed = label->sizeHint();
    if (label->wordWrap())
        needed = QSize(label->width(), label->heightForWidth(label->width()));
    const int margin = label->margin();
    const QRect contents = label->contentsRect().adjusted(margin, margin, -margin, -margin);
    const QSize text = needed - (label->size() - contents.size());
    QRect ink = QStyle::alignedRect(label->layoutDirection(), label->alignment(), text, contents);
    if (label->textFormat() != Qt::RichText && !label->text().contains(QLatin1Char('\n')))
        ink = glyphExtent(label->fontMetrics(), label->text(), ink);
    ink = ink.intersected(label->rect());
    placed.ink = ink.translated(label->pos());
    addClipped(label, placed.name, placed.text, needed, label->size(), label->rect());
    addElided(label, placed.name, label->text(), label->toolTip(), label->fontMetrics(),
              label->size() - contents.size(), label->size(), label->rect());
}

void Examiner::checkButton(QAbstractButton* button, Placed& placed)
{
    if (button->text().isEmpty())
        return;
    placed.caption = true;
    placed.text = button->text();
    QStyle* style = button->style();
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    const QSize text = textSize(button->fontMetrics(), button->text());

    QRect contents;
    int iconRoom = 0;
    if (qobject_cast<QCheckBox*>(button)) {
        contents = style->subElementRect(QStyle::SE_CheckBoxContents, &option, button);
    } else if (qobject_cast<QRadioButton*>(button)) {
        contents = style->subElementRect(QStyle::SE_RadioButtonContents, &option, button);
    } else if (auto* push = qobject_cast<QPushButton*>(button)) {
        if (push->isDefault())
            option.features |= QStyleOptionButton::DefaultButton;
        if (push->autoDefault())
            option.features |= QStyleOptionButton::AutoDefaultButton;
        contents = style->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        if (!option.icon.isNull())
            iconRoom = option.icon.actualSize(option.iconSize).width() + 4; // the style's icon spacing
    } else {
        contents = button->contentsRect();
    }
    const QSize frame = button->size() - contents.size();
    const QSize needed(text.width() + iconRoom + frame.width(), text.height() + frame.height());
    addClipped(button, placed.name, placed.text, needed, button->size(), button->rect());
    addElided(button, placed.name, button->text(), button->toolTip(), button->fontMetrics(),
              needed - text, button->size(), button->rect());

    // A button's whole area takes clicks: two buttons must not share any of it.
    placed.ink = button->geometry();
}

void Examiner::checkGroupBox(QGroupBox* box, Placed& placed)
{
    placed.ink = box->geometry();
    if (box->title().isEmpty())
        return;
    placed.caption = true;
    placed.text = box->title();
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.textAlignment = box->alignment();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (box->isCheckable())
        option.subControls |= QStyle::SC_GroupBoxCheckBox;
    if (box->isFlat())
        option.features |= QStyleOptionFrame::Flat;
    const QRect label = box->style()->subControlRect(QStyle::CC_GroupBox,
                                                     &option, QStyle::SC_GroupBoxLabel, box);
    const QSize text = textSize(box->fontMetrics(), box->title());
    // The title keeps the same distance from both edges of the frame; right
    // to left it starts from the right edge.
    const int inset = QStyle::visualRect(box->layoutDirection(), box->rect(), label).left();
    const QSize needed(inset + text.width() + inset, box->height());
    addClipped(box, placed.name, placed.text, needed, box->size(), label);
    addElided(box, placed.name, box->title(), box->toolTip(), box->fontMetrics(),
              QSize(2 * inset, 0), box->size(), label);
}

void Examiner::checkComboItems(QComboBox* combo)
{
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.frame = combo->hasFrame();
    option.subControls = QStyle::SC_All;
    const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxEditField, combo);
    // An editable box's inner editor keeps 2 pixels each side; the style
    // draws a fixed box's text 1 pixel in from each side.
    const int textMargins = combo->isEditable() ? 4 : 2;
    const QSize frame = combo->size() - field.size();
    for (int i = 0; i < combo->count(); ++i) {
        const QString text = combo->itemText(i);
        if (text.isEmpty())
            continue;
        const QSize size = combo->fontMetrics().size(0, text);
        // Only the width: the inner editor centres one line in whatever height it has.
        const QSize needed(size.width() + textMargins + frame.width(), combo->height());
        const QString name = QStringLiteral("%1 item %2").arg(nameOf(combo)).arg(i);
        addClipped(combo, name, text, needed, combo->size(), field);
        addElided(combo, name, text, combo->itemData(i, Qt::ToolTipRole).toString(), combo->fontMetrics(),
                  QSize(textMargins + frame.width(), 0), combo->size(), field);
    }
}

void Examiner::checkGridCells(StringGrid* grid)
{
    // The item views draw a cell's text this far in from each side.
    const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
    const QFontMetrics metrics(grid->font());
    const Qt::LayoutDirection direction = grid->layoutDirection();
    const int viewWidth = grid->viewport()->width();
    struct Heading
    {
        int column;
        QString text;
        int left;
        int right;
        bool whole;
    };
    std::vector<Heading> headings;
    for (int col = 0; col < grid->columnCount(); ++col) {
        if (grid->isColumnHidden(col))
            continue;
        // A column the view cannot show without scrolling sideways is out of
        // sight: nobody scrolls a table to find its last column.
        const int left = grid->columnViewportPosition(col);
        if (m_rules.columnsInView && grid->columnWidth(col) > 0 && (left < 0 || left + grid->columnWidth(col) > viewWidth)) {
            const QRect cell = grid->visualRect(grid->model()->index(0, col));
            m_defects.push_back({
                .kind = CaptionDefect::Kind::Outside,
                .control = QStringLiteral("%1 column %2").arg(nameOf(grid)).arg(col),
                .text = grid->cellText(col, 0),
                .other = QStringLiteral("the view of ") + nameOf(grid),
                .needed = QSize(left + grid->columnWidth(col), grid->viewport()->height()),
                .had = grid->viewport()->size(),
                .area = inWindow(grid->viewport(), cell),
                .widget = grid,
            });
        }
        for (int row = 0; row < grid->rowCount(); ++row) {
            if (grid->isRowHidden(row))
                continue;
            const QString text = grid->cellText(col, row);
            if (text.trimmed().isEmpty())
                continue;
            const QModelIndex index = grid->model()->index(row, col);
            const QRect cell = grid->visualRect(index);
            // Where the cell's text is drawn: between the margins, as the
            // cell aligns it; a text wider than that runs over the margins.
            const QVariant aligned = index.data(Qt::TextAlignmentRole);
            const Qt::Alignment alignment = aligned.isValid() ? Qt::Alignment(aligned.toInt())
                                                              : Qt::AlignLeft | Qt::AlignVCenter;
            const QSize size = metrics.size(0, text);
            const QRect inner = cell.adjusted(margin, 0, -margin, 0);
            const QRect placed = QStyle::alignedRect(direction, alignment, QSize(size.width(), cell.height()), inner);
            const QRect glyphs = metrics.tightBoundingRect(text);
            const int inkLeft = placed.left() + qMin(0, glyphs.left());
            const int inkRight = placed.left() + qMax(size.width(), glyphs.right() + 1) - 1;
            const bool whole = inkLeft >= cell.left() && inkRight <= cell.right();
            // A cell centres one line: it needs the glyphs' height, not the
            // line spacing around them, to draw the text whole.
            const QSize fullNeed(size.width() + 2 * margin, qMin(size.height(), glyphs.height() + 2));
            const QSize had(grid->columnWidth(col), grid->rowHeight(row));
            const bool wholeHeight = glyphs.height() <= cell.height();
            const QSize needed(whole ? qMin(fullNeed.width(), had.width()) : fullNeed.width(),
                               wholeHeight ? qMin(fullNeed.height(), had.height()) : fullNeed.height());
            const QString name = row < grid->fixedRows()
                ? QStringLiteral("%1 heading %2").arg(nameOf(grid)).arg(col)
                : col < grid->fixedCols() ? QStringLiteral("%1 row label %2").arg(nameOf(grid)).arg(row)
                                          : QStringLiteral("%1 cell %2,%3").arg(nameOf(grid)).arg(col).arg(row);
            const QRect area(grid->viewport()->mapTo(grid, cell.topLeft()), cell.size());
            addClipped(grid, name, text, needed, had, area);
            if (row == 0 && row < grid->fixedRows())
                headings.push_back({col, text, inkLeft, inkRight, whole});
        }
    }
    // Headings drawn whole may still read as one line when they come too close.
    std::sort(headings.begin(), headings.end(), [](const Heading& a, const Heading& b) { return a.left < b.left; });
    for (size_t i = 1; i < headings.size(); ++i) {
        const Heading& a = headings[i - 1];
        const Heading& b = headings[i];
        if (!a.whole || !b.whole)
            continue;
        const QRect area(grid->viewport()->mapTo(grid, QPoint(a.left, 0)), QSize(b.right - a.left + 1, grid->rowHeight(0)));
        addCrowded(grid, QStringLiteral("%1 heading %2").arg(nameOf(grid)).arg(a.column), a.text,
                   QStringLiteral("heading %1 \"%2\"").arg(b.column).arg(b.text), b.left - a.right - 1, area);
    }
}

void Examiner::addCrowded(QWidget* widget, const QString& name, const QString& text, const QString& other, int gap,
                          const QRect& areaInWidget)
{
    const int wanted = int(kMinimumCaptionGap * float(widget->logicalDpiX()) / 96.0f);
    if (!m_rules.captionGaps || gap >= wanted)
        return;
    m_defects.push_back({
        .kind = CaptionDefect::Kind::Crowded,
        .control = name,
        .text = text,
        .other = other,
        .needed = QSize(wanted, 0),
        .had = QSize(gap, 0),
        .area = inWindow(widget, areaInWidget),
        .widget = widget,
    });
}

void Examiner::checkCrowdedLabels(QWidget* holder, const std::vector<Placed>& placed)
{
    // Labels of one row (their inks share a line) side by side.
    for (size_t a = 0; a < placed.size(); ++a) {
        const Placed& mine = placed[a];
        if (!mine.caption || mine.ink.isEmpty() || !qobject_cast<QLabel*>(mine.widget))
            continue;
        const Placed* nearest = nullptr;
        for (size_t b = 0; b < placed.size(); ++b) {
            const Placed& theirs = placed[b];
            if (a == b || !theirs.caption || theirs.ink.isEmpty() || !qobject_cast<QLabel*>(theirs.widget))
                continue;
            if (theirs.ink.top() > mine.ink.bottom() || theirs.ink.bottom() < mine.ink.top())
                continue;
            if (theirs.ink.left() <= mine.ink.right() || theirs.ink.intersects(mine.ink))
                continue; // not to the right (an overlap is reported as such)
            if (!nearest || theirs.ink.left() < nearest->ink.left())
                nearest = &theirs;
        }
        if (nearest)
            addCrowded(holder, mine.name, mine.text, QStringLiteral("%1 \"%2\"").arg(nearest->name, nearest->text),
                       nearest->ink.left() - mine.ink.right() - 1, mine.ink.united(nearest->ink));
    }
}

void Examiner::checkTabs(QTabWidget* tabs)
{
    QTabBar* bar = tabs->tabBar();
    const int space = bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, bar);
    for (int i = 0; i < bar->count(); ++i) {
        const QString text = bar->tabText(i);
        if (text.isEmpty() || !bar->isTabVisible(i))
            continue;
        const QString name = QStringLiteral("%1 tab %2").arg(nameOf(tabs)).arg(i);
        const QRect rect = bar->tabRect(i);
        const QSize size = textSize(bar->fontMetrics(), text);
        const QSize needed(size.width() + space, size.height());
        const QRect inTabs(bar->mapTo(tabs, rect.topLeft()), rect.size());
        addClipped(tabs, name, text, needed, rect.size(), inTabs);
        addElided(tabs, name, text, bar->tabToolTip(i), bar->fontMetrics(), QSize(space, 0), rect.size(), inTabs);
        // A tab row too long for its control scrolls: the last tabs are out of sight.
        if (!bar->rect().contains(rect) || !tabs->rect().contains(inTabs)) {
            m_defects.push_back({
                .kind = CaptionDefect::Kind::Outside,
                .control = name,
                .text = text,
                .other = nameOf(tabs),
                .needed = QSize(inTabs.right() + 1, inTabs.bottom() + 1),
                .had = tabs->size(),
                .area = inWindow(tabs, inTabs),
                .widget = tabs,
            });
        }
    }
}

Placed Examiner::place(QWidget* child)
{
    Placed placed;
    placed.widget = child;
    placed.name = nameOf(child);
    placed.ink = child->geometry();
    if (auto* label = qobject_cast<QLabel*>(child)) {
        checkLabel(label, placed);
    } else if (auto* button = qobject_cast<QAbstractButton*>(child)) {
        placed.name = buttonName(button);
        checkButton(button, placed);
    } else if (auto* box = qobject_cast<QGroupBox*>(child)) {
        checkGroupBox(box, placed);
    } else if (auto* combo = qobject_cast<QComboBox*>(child)) {
        checkComboItems(combo);
        placed.caption = combo->count() > 0;
        placed.text = combo->currentText();
    } else if (auto* grid = qobject_cast<StringGrid*>(child)) {
        checkGridCells(grid);
    } else if (auto* tabs = qobject_cast<QTabWidget*>(child)) {
        checkTabs(tabs);
    }
    return placed;
}

void Examiner::checkOutside(QWidget* holder, const Placed& placed)
{
    // A caption by its text; any other control by its whole area, which a
    // user must see to use it.
    if (placed.ink.isEmpty() || holder->rect().contains(placed.ink))
        return;
    m_defects.push_back({
        .kind = CaptionDefect::Kind::Outside,
        .control = placed.name,
        .text = placed.text,
        .other = nameOf(holder),
        .needed = QSize(placed.ink.right() + 1, placed.ink.bottom() + 1),
        .had = holder->size(),
        .area = inWindow(holder, placed.ink),
        .widget = placed.widget,
    });
}

void Examiner::checkOverlaps(const std::vector<Placed>& placed)
{
    for (size_t a = 0; a < placed.size(); ++a) {
        const Placed& mine = placed[a];
        if (!mine.caption || mine.ink.isEmpty())
            continue;
        for (size_t b = 0; b < placed.size(); ++b) {
            const Placed& theirs = placed[b];
            if (a == b || (theirs.caption && b < a)) // a pair of captions once
                continue;
            // A control lying wholly on a panel or inside a group box's frame sits on it.
            if (isBackdrop(theirs.widget) && theirs.widget->geometry().contains(mine.ink))
                continue;
            if (isBackdrop(mine.widget) && mine.widget->geometry().contains(theirs.ink))
                continue;
            const QRect overlap = mine.ink.intersected(theirs.ink);
            if (overlap.isEmpty())
                continue;
            m_defects.push_back({
                .kind = CaptionDefect::Kind::Overlaps,
                .control = mine.name,
                .text = mine.text,
                .other = theirs.name,
                .needed = mine.ink.size(),
                .had = overlap.size(),
                .area = inWindow(mine.widget->parentWidget(), mine.ink),
                .widget = mine.widget,
            });
        }
    }
}

void Examiner::examinePages(QTabWidget* tabs)
{
    // Signals stay blocked: the dialog must not take the switching for a user's.
    const QSignalBlocker blocker(tabs);
    const int shown = tabs->currentIndex();
    for (int i = 0; i < tabs->count(); ++i) {
        if (!tabs->isTabVisible(i))
            continue;
        tabs->setCurrentIndex(i);
        QWidget* page = tabs->widget(i);
        settleLayouts(tabs);
        examineHolder(page);
    }
    tabs->setCurrentIndex(shown);
    settleLayouts(tabs);
}

void Examiner::examineHolder(QWidget* holder)
{
    settleLayouts(holder);
    std::vector<Placed> placed;
    for (QObject* object : holder->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        // The focus frame is drawn around the focused control, not beside it.
        if (!child || child->isWindow() || child->isHidden() || qobject_cast<QFocusFrame*>(child))
            continue;
        if (auto* layout = child->layout())
            layout->activate();
        placed.push_back(place(child));
        checkOutside(holder, placed.back());
    }
    checkOverlaps(placed);
    checkCrowdedLabels(holder, placed);
    for (const Placed& p : placed) {
        if (auto* tabs = qobject_cast<QTabWidget*>(p.widget))
            examinePages(tabs);
        else if (auto* page = qobject_cast<QScrollArea*>(p.widget); page && page->inherits("PageScrollArea"))
            examineHolder(page->widget()); // all of it: what lies beyond the view scrolls into it
        else if (!isComposite(p.widget))
            examineHolder(p.widget);
    }
}

QString kindWord(CaptionDefect::Kind kind)
{
    switch (kind) {
    case CaptionDefect::Kind::Clipped: return QStringLiteral("clipped");
    case CaptionDefect::Kind::Overlaps: return QStringLiteral("runs into");
    case CaptionDefect::Kind::Outside: return QStringLiteral("outside");
    case CaptionDefect::Kind::Elided: return QStringLiteral("elided");
    case CaptionDefect::Kind::Crowded: return QStringLiteral("too close to");
    }
    return {};
}

QString sizeText(QSize size)
{
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

} // namespace

std::vector<CaptionDefect> findCaptionDefects(QWidget* window, CaptionDefectRules rules)
{
    if (!window)
        return {};
    Examiner examiner(window, rules);
    examiner.examineHolder(window);
    return examiner.takeDefects();
}

QString describeCaptionDefect(const CaptionDefect& defect)
{
    // A caption of any length reads as its start.
    QString text = defect.text.size() > 80 ? defect.text.left(77) + QStringLiteral("...") : defect.text;
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n")).replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    const QString head = QStringLiteral("%1 \"%2\": ").arg(defect.control, text);
    switch (defect.kind) {
    case CaptionDefect::Kind::Clipped:
        return head + QStringLiteral("clipped, needs %1 px, has %2").arg(sizeText(defect.needed), sizeText(defect.had));
    case CaptionDefect::Kind::Overlaps:
        return head + QStringLiteral("%1 %2 by %3 px (text %4 px)")
                          .arg(kindWord(defect.kind), defect.other, sizeText(defect.had), sizeText(defect.needed));
    case CaptionDefect::Kind::Outside:
        return head + QStringLiteral("outside %1, needs %2 px, has %3")
                          .arg(defect.other, sizeText(defect.needed), sizeText(defect.had));
    case CaptionDefect::Kind::Elided:
        return head + QStringLiteral("elided to fit the screen, needs %1 px, has %2")
                          .arg(sizeText(defect.needed), sizeText(defect.had));
    case CaptionDefect::Kind::Crowded:
        return head + QStringLiteral("too close to %1: %2 px apart, needs %3 to read as two")
                          .arg(defect.other)
                          .arg(defect.had.width())
                          .arg(defect.needed.width());
    }
    return head;
}
