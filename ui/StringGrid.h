// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "plugin/OduSwitchExport.h"
#include "ui/KeyPressHandler.h"

#include <QAccessible>
#include <QTableWidget>

#include <optional>

class QKeyEvent;

/// \file
/// StringGrid, the dialogs' grid of text cells.

/// A grid of text cells in the manner of a classic string grid: the fixed
/// (label) rows and columns are ordinary cells of the table, so item(row, col)
/// is the cell, rowCount() the number of rows including fixed ones, and the
/// header views stay hidden. Fixed cells are never editable and are drawn
/// shaded; the other cells are edited in place when editing is enabled.
/// Designer properties: fixedRows, fixedCols, defaultColumnWidth,
/// defaultRowHeight, cellEditing, columnResizing, hotTrackFixed.
///
/// From the keyboard: the arrow keys move the current cell among the
/// non-fixed cells, Tab and Shift+Tab leave the grid (also from the in-place
/// editor), and Space on a grid without in-place editing reports
/// spacePressed() for the current cell. While the grid has the focus its
/// current cell is framed. While assistive technology listens, the texts of
/// the first fixed row and column also serve as the hidden headers' texts, so
/// it announces each cell with its column and row heading. A widget: the
/// user-interface thread only; its parent owns it, and it owns its items.
class ODU_SWITCH_EXPORT StringGrid : public QTableWidget, private QAccessible::ActivationObserver
{
    Q_OBJECT
    Q_PROPERTY(int fixedRows READ fixedRows WRITE setFixedRows)
    Q_PROPERTY(int fixedCols READ fixedCols WRITE setFixedCols)
    Q_PROPERTY(int defaultColumnWidth READ defaultColumnWidth WRITE setDefaultColumnWidth)
    Q_PROPERTY(int defaultRowHeight READ defaultRowHeight WRITE setDefaultRowHeight)
    Q_PROPERTY(bool cellEditing READ cellEditing WRITE setCellEditing)
    Q_PROPERTY(bool columnResizing READ columnResizing WRITE setColumnResizing)
    Q_PROPERTY(bool hotTrackFixed READ hotTrackFixed WRITE setHotTrackFixed)
    // Redeclared so that forms set the counts through this class.
    Q_PROPERTY(int rowCount READ rowCount WRITE setRowCount)
    Q_PROPERTY(int columnCount READ columnCount WRITE setColumnCount)

public:
    /// An empty grid; \p parent owns it, as any Qt widget.
    explicit StringGrid(QWidget* parent = nullptr);
    /// Stops listening for assistive technology.
    ~StringGrid() override;

    /// The number of fixed (label) rows at the top.
    int fixedRows() const { return m_fixedRows; }
    /// Makes the first \p rows rows fixed: shaded and never editable.
    void setFixedRows(int rows);
    /// The number of fixed (label) columns at the left.
    int fixedCols() const { return m_fixedCols; }
    /// Makes the first \p cols columns fixed: shaded and never editable.
    void setFixedCols(int cols);

    /// Sets the width of every column (and of columns added later).
    int defaultColumnWidth() const { return m_defaultColumnWidth; }
    /// Sets defaultColumnWidth() and the width of every column.
    void setDefaultColumnWidth(int width);
    /// The height of every row (and of rows added later).
    int defaultRowHeight() const { return m_defaultRowHeight; }
    /// Sets defaultRowHeight() and the height of every row.
    void setDefaultRowHeight(int height);

    /// Whether the non-fixed cells are edited in place.
    bool cellEditing() const { return m_cellEditing; }
    /// Turns in-place editing of the non-fixed cells on or off.
    void setCellEditing(bool on);
    /// Whether the user may drag column borders (with the mouse on a fixed row).
    bool columnResizing() const { return m_columnResizing; }
    /// Lets the user drag column borders, or not.
    void setColumnResizing(bool on);
    /// Whether a fixed cell lights up under the mouse.
    bool hotTrackFixed() const { return m_hotTrackFixed; }
    /// Lets fixed cells light up under the mouse, or not.
    void setHotTrackFixed(bool on);

    /// Whether the cell is in a fixed row or column.
    bool isFixedCell(int col, int row) const { return row < m_fixedRows || col < m_fixedCols; }

    /// Row counts include the fixed rows; every cell always has an item.
    void setRowCount(int rows);
    /// Column counts include the fixed columns; every cell always has an item.
    void setColumnCount(int columns);

    /// Cell text, addressed column first as the layout tables do.
    QString cellText(int col, int row) const;
    /// Sets a cell's text; a cell outside the grid is left alone.
    void setCellText(int col, int row, const QString& text);

    /// Widens every column whose widest text, fixed cells included, needs more
    /// room than the column has, up to half the screen; never narrows one. A
    /// dialog calls it once its texts are in, so a longer translation or a
    /// higher density is not cut while the designed widths stay where the
    /// texts fit them. A heading (a fixed row's text) gets the dialogs' gap
    /// to its neighbour beyond its text, grown by the density factor. Rows
    /// likewise grow to the tallest line of text (a dense screen, a script
    /// drawn by a taller fallback font).
    void widenColumnsToTexts();

    /// At least as wide as every visible column, with the frame and, when the
    /// rows do not fit the grid's height, the vertical scroll bar: a layout
    /// never squeezes a column out of view. On a screen narrower than that
    /// the grid takes what the screen allows.
    QSize minimumSizeHint() const override;

    /// The cell under a position in viewport coordinates, if any.
    struct Cell {
        int col; ///< the column, fixed ones included, from 0
        int row; ///< the row, fixed ones included, from 0
    };
    /// The cell under \p viewportPos; nullopt over no cell.
    std::optional<Cell> cellAt(const QPoint& viewportPos) const;
    /// A cell's rectangle in viewport coordinates (for tests that click it).
    QRect cellRect(int col, int row) const;

    /// Called for every character typed into the in-place editor, before the
    /// editor takes it; setting key to QChar() drops the character.
    void setEditorKeyFilter(KeyPressHandler filter) { m_keyFilter = std::move(filter); }
    /// The filter setEditorKeyFilter set; empty when none was.
    const KeyPressHandler& editorKeyFilter() const { return m_keyFilter; }

    /// Ends in-place editing, storing the editor's text in its cell.
    void commitEditing();
    /// Whether a cell is being edited in place now.
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }

signals:
    /// A mouse button was released over the grid (viewport coordinates).
    void mouseReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    /// Space was pressed on the current cell of a grid without in-place editing.
    void spacePressed(int col, int row);

protected:
    /// \cond INTERNAL
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    /// \endcond

private:
    void fillMissingItems();
    void applyFixedFlags();
    void styleCell(QTableWidgetItem* item, int col, int row) const;
    void updateHeading(int col, int row, const QString& text);
    void updateHeadings();
    void accessibilityActiveChanged(bool active) override;
    int columnBorderAt(const QPoint& viewportPos) const;
    void setHotCell(int col, int row);

    class CellDelegate;
    bool isHotCell(int col, int row) const { return col == m_hotCol && row == m_hotRow; }

    int m_fixedRows = 0;
    int m_fixedCols = 0;
    int m_defaultColumnWidth = 64;
    int m_defaultRowHeight = 24;
    bool m_cellEditing = false;
    bool m_columnResizing = false;
    bool m_hotTrackFixed = false;
    KeyPressHandler m_keyFilter;
    CellDelegate* m_delegate;
    int m_resizingColumn = -1;
    int m_resizeOrigin = 0;
    int m_resizeStartWidth = 0;
    int m_hotCol = -1;
    int m_hotRow = -1;
    bool m_headingsShown = QAccessible::isActive();
    bool m_shownOnce = false;
    QSize m_lastMinimum;
};
