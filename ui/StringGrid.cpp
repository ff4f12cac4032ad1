// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/StringGrid.h"

#include <QScrollBar>

#include "ui/Density.h"
#include "ui/KeyFilter.h"
#include "ui/MeasuredText.h"
#include "ui/TextWidth.h"

#include <QApplication>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QStyle>
#include <QScreen>

// Paints the cells and provides the in-place editor.
//
// Fixed cells are shaded with a vertical gradient over the cell itself (the
// hot cell under the mouse brighter); the current cell of a grid that has the
// focus is framed.
//
// The editor is a line edit whose typed and input-method characters pass the
// grid's key filter. Enter and Escape end the editing (Enter keeping the
// text, Escape restoring it) and then reach the grid, and through it the
// dialog, as they would outside an editor. Tab and Shift+Tab end the editing
// keeping the text and move the focus on from the grid.
class StringGrid::CellDelegate : public QStyledItemDelegate
{
public:
    explicit CellDelegate(StringGrid* grid)
        : QStyledItemDelegate(grid)
        , m_grid(grid)
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setObjectName(m_grid->objectName() + QStringLiteral("_editor"));
        editor->setFrame(false);
        m_editor = editor;
        return editor;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const int col = index.column();
        const int row = index.row();
        if (m_grid->isFixedCell(col, row)) {
            const bool hot = m_grid->isHotCell(col, row);
            const QColor face = option.palette.color(QPalette::Button);
            QLinearGradient shade(option.rect.topLeft(), option.rect.bottomLeft());
            shade.setColorAt(0, hot ? face.lighter(125) : face.lighter(112));
            shade.setColorAt(1, hot ? face.lighter(105) : face.darker(106));
            painter->fillRect(option.rect, shade);
        }
        QStyledItemDelegate::paint(painter, option, index);
        if (m_grid->hasFocus() && index == m_grid->currentIndex()) {
            const bool selected = option.state & QStyle::State_Selected;
            painter->save();
            painter->setPen(QPen(option.palette.color(selected ? QPalette::HighlightedText
                                                               : QPalette::Highlight),
                                 2));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(QRectF(option.rect).adjusted(1.5, 1.5, -1.5, -1.5));
            painter->restore();
        }
    }

    void commitAndClose()
    {
        if (QWidget* editor = m_editor) {
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter
                || key->key() == Qt::Key_Escape) {
                auto* editor = qobject_cast<QWidget*>(object);
                if (key->key() != Qt::Key_Escape)
                    emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
                QApplication::sendEvent(m_grid, &copy);
                return true;
            }
            if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
                auto* editor = qobject_cast<QWidget*>(object);
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
                QApplication::sendEvent(m_grid, &copy);
                return true;
            }
            if (filterKeyPress(m_grid, key, m_grid->editorKeyFilter()))
                return true;
        } else if (event->type() == QEvent::InputMethod) {
            filterInputMethod(m_grid, static_cast<QInputMethodEvent*>(event),
                              m_grid->editorKeyFilter());
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    StringGrid* m_grid;
    mutable QPointer<QWidget> m_editor;
};

StringGrid::StringGrid(QWidget* parent)
    : QTableWidget(parent)
    , m_delegate(new CellDelegate(this))
{
    setItemDelegate(m_delegate);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setDefaultSectionSize(m_defaultColumnWidth);
    verticalHeader()->setDefaultSectionSize(m_defaultRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone); // a cell shows its text as it is, never shortened
    setTabKeyNavigation(false);      // Tab leaves the grid; the arrows move within it
    setCellEditing(false);
    setMouseTracking(true);
    QAccessible::installActivationObserver(this);
}

StringGrid::~StringGrid()
{
    QAccessible::removeActivationObserver(this);
}

// A grid opens at its first row and column (the first on the right, right to
// left), whatever cell is current: its headings are in view.
void StringGrid::showEvent(QShowEvent* event)
{
    QTableWidget::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
    verticalScrollBar()->setValue(verticalScrollBar()->minimum());
}

void StringGrid::setFixedRows(int rows)
{
    m_fixedRows = qMax(0, rows);
    applyFixedFlags();
}

void StringGrid::setFixedCols(int cols)
{
    m_fixedCols = qMax(0, cols);
    applyFixedFlags();
}

void StringGrid::setDefaultColumnWidth(int width)
{
    m_defaultColumnWidth = width;
    horizontalHeader()->setDefaultSectionSize(width);
    for (int c = 0; c < columnCount(); ++c)
        setColumnWidth(c, width);
}

void StringGrid::setDefaultRowHeight(int height)
{
    m_defaultRowHeight = height;
    verticalHeader()->setDefaultSectionSize(height);
    for (int r = 0; r < rowCount(); ++r)
        setRowHeight(r, height);
}

void StringGrid::setCellEditing(bool on)
{
    m_cellEditing = on;
    setEditTriggers(on ? QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
                             | QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed
                       : QAbstractItemView::NoEditTriggers);
    applyFixedFlags();
}

void StringGrid::setColumnResizing(bool on)
{
    m_columnResizing = on;
}

void StringGrid::setHotTrackFixed(bool on)
{
    m_hotTrackFixed = on;
    if (!on)
        setHotCell(-1, -1);
}

void StringGrid::setRowCount(int rows)
{
    QTableWidget::setRowCount(qMax(0, rows));
    fillMissingItems();
}

void StringGrid::setColumnCount(int columns)
{
    QTableWidget::setColumnCount(qMax(0, columns));
    for (int c = 0; c < columnCount(); ++c)
        if (columnWidth(c) <= 0)
            setColumnWidth(c, m_defaultColumnWidth);
    fillMissingItems();
}

QString StringGrid::cellText(int col, int row) const
{
    const QTableWidgetItem* it = item(row, col);
    return it ? it->text() : QString();
}

void StringGrid::setCellText(int col, int row, const QString& text)
{
    if (row < 0 || row >= rowCount() || col < 0 || col >= columnCount())
        return;
    QTableWidgetItem* it = item(row, col);
    if (!it) {
        // A new cell gets its text before it joins the grid, so the grid
        // hears of it once.
        it = new QTableWidgetItem(text);
        styleCell(it, col, row);
        setItem(row, col, it);
    } else if (it->text() != text) {
        it->setText(text);
    }
    updateHeading(col, row, text);
}

namespace {
// The visible gap between two headings side by side at 96 pixels per inch,
// grown by the density factor like every other gap of the dialogs.
constexpr int kHeadingGap = 6;
// The room a dialog keeps around a grid on the narrowest screen: its frame
// and its page's margins, at 96 pixels per inch.
constexpr int kScreenReserve = 16;
// How far beyond its advance a heading's glyphs may reach, on both sides of
// two headings, before it is measured.
constexpr int kInkReach = 4;

} // namespace

void StringGrid::widenColumnsToTexts()
{
    // The item views draw a cell's text this far in from each side.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    // A heading keeps the dialogs' gap to the heading beside it: its column
    // gives it at least that much room beyond its text, not only the cell
    // margins, which do not grow with the density.
    const int headingSlack = qMax(2 * margin, scaledSize(kHeadingGap, densityFactor(this)));
    const QScreen* s = screen();
    const int widest = s ? s->availableGeometry().width() / 2 : QWIDGETSIZE_MAX;
    const QFontMetrics metrics(font());
    const TextWidth quick{QFontMetricsF(metrics)};
    // The tallest line: the font's, or a measured text's drawn by a taller
    // fallback font.
    int tallest = metrics.height();
    bool widened = false;
    for (int col = 0; col < columnCount(); ++col) {
        // Only a text that may not fit the column as it is is measured.
        int needed = 0;
        for (int row = 0; row < rowCount(); ++row) {
            const QString text = cellText(col, row);
            const bool heading = row < m_fixedRows;
            // A heading's gap lies between glyphs, which may reach past their
            // texts' advances: this heading's on either side (a final "y"),
            // and the next heading's towards this one (a leading "J").
            const int slack = heading ? headingSlack + kInkReach : 2 * margin;
            if (text.isEmpty() || quick.surelyFits(text, columnWidth(col) - slack))
                continue;
            if (quick.surelyExceeds(text, widest - slack)) {
                needed = widest;
            } else {
                const MeasuredText measure = measuredText(font(), text);
                const QSize size = measure.size;
                int drawn = size.width() + (heading ? headingSlack : slack);
                if (heading) {
                    drawn += measure.inkOutside();
                    if (col + 1 < columnCount())
                        drawn += measuredText(font(), cellText(col + 1, row)).inkOutside();
                }
                needed = qMax(needed, drawn);
                tallest = qMax(tallest, size.height());
            }
        }
        needed = qMin(needed, widest);
        if (needed > columnWidth(col)) {
            setColumnWidth(col, needed);
            widened = true;
        }
    }
    // Rows hold at least one line of the font (a dense screen, a script
    // drawn by a taller fallback font).
    if (m_defaultRowHeight < tallest) {
        setDefaultRowHeight(tallest);
        widened = true;
    }
    // The layout that holds the grid learns of the room its columns now need.
    if (widened)
        updateGeometry();
}

QSize StringGrid::minimumSizeHint() const
{
    // Every column in view, and the vertical scroll bar beside them when the
    // rows do not fit the grid's height: nobody scrolls a table sideways to
    // find its last column.
    int columns = 0;
    for (int col = 0; col < columnCount(); ++col)
        if (!isColumnHidden(col))
            columns += columnWidth(col);
    int rows = 0;
    for (int row = 0; row < rowCount(); ++row)
        if (!isRowHidden(row))
            rows += rowHeight(row);
    const int frame = 2 * frameWidth();
    const Qt::ScrollBarPolicy policy = verticalScrollBarPolicy();
    const bool scrolls = policy == Qt::ScrollBarAlwaysOn
                         || (policy == Qt::ScrollBarAsNeeded && rows > height() - frame);
    const int bar = scrolls ? style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar()) : 0;
    // A grid wider than its screen cannot show every column anyway; there it
    // stays narrow enough for its page to scroll it into view whole.
    const QScreen* s = screen();
    const int widest = s ? s->availableGeometry().width() - scaledSize(kScreenReserve, densityFactor(this))
                         : QWIDGETSIZE_MAX;
    const QSize hint = QTableWidget::minimumSizeHint();
    return QSize(qMax(hint.width(), qMin(columns + frame + bar, widest)), hint.height());
}

void StringGrid::resizeEvent(QResizeEvent* event)
{
    QTableWidget::resizeEvent(event);
    // Whether the rows fit decides whether the minimum holds a scroll bar.
    if (minimumSizeHint() != m_lastMinimum) {
        m_lastMinimum = minimumSizeHint();
        updateGeometry();
    }
}

// The first fixed row names the columns and the first fixed column the rows;
// the hidden headers carry those names for assistive technology. They are
// kept only while it listens (a screen reader started later finds them set
// as it starts): a grid tells its views of every heading, and opening a
// dialog need not pay for that when nobody reads them.
void StringGrid::updateHeading(int col, int row, const QString& text)
{
    if (!m_headingsShown)
        return;
    const auto name = [&text](QTableWidgetItem* heading, auto set) {
        if (!heading)
            set(new QTableWidgetItem(text.trimmed()));
        else if (heading->text() != text.trimmed())
            heading->setText(text.trimmed());
    };
    if (row == 0 && m_fixedRows > 0)
        name(horizontalHeaderItem(col), [this, col](QTableWidgetItem* h) { setHorizontalHeaderItem(col, h); });
    if (col == 0 && m_fixedCols > 0)
        name(verticalHeaderItem(row), [this, row](QTableWidgetItem* h) { setVerticalHeaderItem(row, h); });
}

void StringGrid::updateHeadings()
{
    if (m_fixedRows > 0)
        for (int col = 0; col < columnCount(); ++col)
            updateHeading(col, 0, cellText(col, 0));
    if (m_fixedCols > 0)
        for (int row = 0; row < rowCount(); ++row)
            updateHeading(0, row, cellText(0, row));
}

void StringGrid::accessibilityActiveChanged(bool active)
{
    m_headingsShown = active;
    if (active)
        updateHeadings();
}

std::optional<StringGrid::Cell> StringGrid::cellAt(const QPoint& viewportPos) const
{
    const QModelIndex index = indexAt(viewportPos);
    if (!index.isValid())
        return std::nullopt;
    return Cell{index.column(), index.row()};
}

QRect StringGrid::cellRect(int col, int row) const
{
    return visualRect(model()->index(row, col));
}

void StringGrid::commitEditing()
{
    if (state() == QAbstractItemView::EditingState)
        m_delegate->commitAndClose();
}

void StringGrid::fillMissingItems()
{
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            if (!item(r, c)) {
                auto* it = new QTableWidgetItem;
                styleCell(it, c, r);
                setItem(r, c, it);
            }
}

void StringGrid::applyFixedFlags()
{
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            if (QTableWidgetItem* it = item(r, c))
                styleCell(it, c, r);
}

void StringGrid::styleCell(QTableWidgetItem* it, int col, int row) const
{
    Qt::ItemFlags flags = Qt::ItemIsEnabled;
    if (!isFixedCell(col, row)) {
        flags |= Qt::ItemIsSelectable;
        if (m_cellEditing)
            flags |= Qt::ItemIsEditable;
    }
    // A cell in the grid tells the views of every change; unchanged flags
    // need no telling.
    if (it->flags() != flags)
        it->setFlags(flags);
}

void StringGrid::setHotCell(int col, int row)
{
    if (col == m_hotCol && row == m_hotRow)
        return;
    const int oldCol = m_hotCol;
    const int oldRow = m_hotRow;
    m_hotCol = col;
    m_hotRow = row;
    if (oldRow >= 0 && oldCol >= 0)
        viewport()->update(cellRect(oldCol, oldRow));
    if (row >= 0 && col >= 0)
        viewport()->update(cellRect(col, row));
}

int StringGrid::columnBorderAt(const QPoint& pos) const
{
    const std::optional<Cell> cell = cellAt(pos);
    if (!cell || cell->row >= m_fixedRows)
        return -1;
    for (int c = 0; c < columnCount(); ++c) {
        const int right = columnViewportPosition(c) + columnWidth(c);
        if (qAbs(pos.x() - right) <= 3)
            return c;
    }
    return -1;
}

void StringGrid::mousePressEvent(QMouseEvent* event)
{
    if (m_columnResizing && event->button() == Qt::LeftButton) {
        const int c = columnBorderAt(event->position().toPoint());
        if (c >= 0) {
            m_resizingColumn = c;
            m_resizeOrigin = event->position().toPoint().x();
            m_resizeStartWidth = columnWidth(c);
            return;
        }
    }
    QTableWidget::mousePressEvent(event);
}

void StringGrid::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (m_resizingColumn >= 0) {
        setColumnWidth(m_resizingColumn,
                       qMax(4, m_resizeStartWidth + pos.x() - m_resizeOrigin));
        return;
    }
    if (m_columnResizing)
        viewport()->setCursor(columnBorderAt(pos) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
    if (m_hotTrackFixed) {
        const std::optional<Cell> cell = cellAt(pos);
        if (cell && isFixedCell(cell->col, cell->row))
            setHotCell(cell->col, cell->row);
        else
            setHotCell(-1, -1);
    }
    if (event->buttons() != Qt::NoButton)
        QTableWidget::mouseMoveEvent(event);
}

void StringGrid::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_resizingColumn >= 0) {
        m_resizingColumn = -1;
    } else {
        QTableWidget::mouseReleaseEvent(event);
    }
    const QPoint pos = event->position().toPoint();
    emit mouseReleased(event->button(), event->modifiers(), pos.x(), pos.y());
}

void StringGrid::keyPressEvent(QKeyEvent* event)
{
    // Tab and Shift+Tab move the focus on before the grid sees them; one that
    // reaches the grid found no control to move to. It must not open an
    // editor, which would hand the same key back to the grid without end.
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        event->ignore();
        return;
    }
    // A typed character that the key filter drops must not start editing.
    if (state() != QAbstractItemView::EditingState
        && filterKeyPress(this, event, m_keyFilter))
        return;
    // Space acts on the current cell, as a click selects and acts on it; it
    // never searches for a cell text that starts with a blank.
    const QModelIndex current = currentIndex();
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier && !m_cellEditing
        && current.isValid()) {
        event->accept();
        if (current.flags() & Qt::ItemIsSelectable)
            selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
        emit spacePressed(current.column(), current.row());
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void StringGrid::inputMethodEvent(QInputMethodEvent* event)
{
    // Input-method text obeys the key filter as typed text does; text that
    // it drops entirely must not start editing either.
    if (state() != QAbstractItemView::EditingState
        && filterInputMethod(this, event, m_keyFilter)) {
        event->ignore();
        return;
    }
    QTableWidget::inputMethodEvent(event);
}

void StringGrid::focusInEvent(QFocusEvent* event)
{
    // Reached from the keyboard, the grid starts on a cell the user can act
    // on, never on a label. A click picks its own cell.
    const QModelIndex current = currentIndex();
    if (event->reason() != Qt::MouseFocusReason && rowCount() > m_fixedRows
        && columnCount() > m_fixedCols
        && (!current.isValid() || isFixedCell(current.column(), current.row())))
        setCurrentCell(m_fixedRows, m_fixedCols, QItemSelectionModel::NoUpdate);
    QTableWidget::focusInEvent(event);
}

// The keyboard moves the current cell among the non-fixed cells only.
QModelIndex StringGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex next = QTableWidget::moveCursor(action, modifiers);
    if (!next.isValid() || !isFixedCell(next.column(), next.row()))
        return next;
    if (rowCount() <= m_fixedRows || columnCount() <= m_fixedCols)
        return currentIndex();
    return model()->index(qMax(next.row(), m_fixedRows), qMax(next.column(), m_fixedCols));
}

void StringGrid::leaveEvent(QEvent* event)
{
    setHotCell(-1, -1);
    QTableWidget::leaveEvent(event);
}

// The meta-object code in this file's unit, where the debugging information
// describes the class whole under its header's own path (the ABI baseline reads it).
#include "moc_StringGrid.cpp"
