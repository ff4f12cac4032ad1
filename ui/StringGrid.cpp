#include "ui/StringGrid.h"

#include "ui/KeyFilter.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPointer>
#include <QStyledItemDelegate>

// The in-place editor: a line edit whose typed characters pass the grid's key
// filter. Enter and Escape end the editing (Enter keeping the text, Escape
// restoring it) and then reach the grid, and through it the dialog, as they
// would outside an editor.
class CellDelegate : public QStyledItemDelegate
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

    QWidget* openEditor() const { return m_editor; }

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
            if (filterKeyPress(m_grid, key, m_grid->editorKeyFilter()))
                return true;
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
    setCellEditing(false);
    setMouseTracking(true);
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
        it = new QTableWidgetItem;
        styleCell(it, col, row);
        setItem(row, col, it);
    }
    it->setText(text);
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
    if (isFixedCell(col, row)) {
        it->setFlags(Qt::ItemIsEnabled);
        QLinearGradient shade(0, 0, 0, 1);
        shade.setCoordinateMode(QGradient::ObjectMode);
        const bool hot = col == m_hotCol && row == m_hotRow;
        const QColor face = palette().color(QPalette::Button);
        shade.setColorAt(0, hot ? face.lighter(125) : face.lighter(112));
        shade.setColorAt(1, hot ? face.lighter(105) : face.darker(106));
        it->setBackground(shade);
    } else {
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (m_cellEditing)
            flags |= Qt::ItemIsEditable;
        it->setFlags(flags);
        it->setBackground(QBrush());
    }
}

void StringGrid::setHotCell(int col, int row)
{
    if (col == m_hotCol && row == m_hotRow)
        return;
    const int oldCol = m_hotCol;
    const int oldRow = m_hotRow;
    m_hotCol = col;
    m_hotRow = row;
    if (QTableWidgetItem* it = item(oldRow, oldCol))
        styleCell(it, oldCol, oldRow);
    if (QTableWidgetItem* it = item(row, col))
        styleCell(it, col, row);
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
    // A typed character that the key filter drops must not start editing.
    if (state() != QAbstractItemView::EditingState
        && filterKeyPress(this, event, m_keyFilter))
        return;
    QTableWidget::keyPressEvent(event);
}

void StringGrid::leaveEvent(QEvent* event)
{
    setHotCell(-1, -1);
    QTableWidget::leaveEvent(event);
}
