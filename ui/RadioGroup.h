// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "plugin/OduSwitchExport.h"

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QAbstractButton;
class QButtonGroup;
class QGridLayout;
class QRadioButton;

/// \file
/// RadioGroup, the dialogs' group of radio items.

/// A captioned group of radio items laid out in a number of columns (filled
/// column by column, as many rows as the items need). At most one item is
/// selected; itemIndex() is -1 when none is. Assistive technology sees a
/// group named by its title holding radio buttons. Usable from Designer as a promoted
/// QGroupBox: "items", "columns" and "itemIndex" are properties. A widget:
/// the user-interface thread only.
class ODU_SWITCH_EXPORT RadioGroup : public QGroupBox
{
    Q_OBJECT
    Q_PROPERTY(QStringList items READ items WRITE setItems)
    Q_PROPERTY(int columns READ columns WRITE setColumns)
    Q_PROPERTY(int itemIndex READ itemIndex WRITE setItemIndex NOTIFY itemIndexChanged)

public:
    /// An empty group; \p parent owns it, as any Qt widget.
    explicit RadioGroup(QWidget* parent = nullptr);

    /// The items' texts, in order.
    QStringList items() const;
    /// Replaces all items by one radio button per text; no item is selected
    /// afterwards.
    void setItems(const QStringList& items);
    /// The number of items.
    int itemCount() const { return int(m_buttons.size()); }

    /// The number of columns the items are laid out in (at least 1).
    int columns() const { return m_columns; }
    /// Lays the items out in \p columns columns (a number below 1 counts as 1).
    void setColumns(int columns);
    /// A group given a fixed height grows to hold its items when their text
    /// is taller than designed (a script drawn by a taller fallback font).
    void growToItems();

    /// The selected item, or -1 when none is.
    int itemIndex() const;
    /// Selects item index, or no item for an index outside the list.
    void setItemIndex(int index);

    /// Replaces the text of one item; the selection stays as it is.
    void setItemText(int index, const QString& text);
    /// The text of one item; empty for an index outside the list.
    QString itemText(int index) const;

    /// Gives each item the accessible name "<item>, <title>" from the present
    /// captions, so that items of two groups with the same texts stay apart.
    void nameItemsAfterTitle();

    /// The radio button of an item, for tests and focus handling.
    QRadioButton* button(int index) const;

signals:
    /// Emitted on every change of the selected item, by the user or the program.
    void itemIndexChanged(int index);

private:
    void relayout();
    void onButtonToggled(QAbstractButton* button, bool checked);

    QGridLayout* m_layout;
    QButtonGroup* m_group;
    QList<QRadioButton*> m_buttons;
    int m_columns = 1;
    int m_lastReported = -1;
    int m_designedHeight = -1; ///< the fixed height before growToItems, once known
};
