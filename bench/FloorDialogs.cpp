// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "bench/FloorDialogs.h"

#include "ui_FloorQos_form.h"
#include "ui_FloorVlan_form.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>

namespace {

// A radio item of a group: the floor's form names it <group>Item<n>.
QString radioName(const QRadioButton* button)
{
    if (!button->objectName().isEmpty())
        return button->objectName();
    const QWidget* group = button->parentWidget();
    const QList<QRadioButton*> items = group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    return group->objectName() + QStringLiteral("Item") + QString::number(items.indexOf(button));
}

template<typename Form>
QDialog* makeFloor(const FloorValues& values)
{
    auto* d = new QDialog;
    // The face first, as a dialog sets its own: the controls take it as they
    // are made.
    d->setFont(values.font);
    Form form;
    form.setupUi(d);
    d->setWindowTitle(values.title);
    d->resize(values.size);
    // One pass over the widgets (a small share of an opening: about 0.3 %).
    QHash<QString, QWidget*> byName;
    for (QWidget* w : d->findChildren<QWidget*>())
        byName.insert(w->objectName(), w);
    for (const auto& [name, text] : values.texts) {
        QWidget* w = byName.value(name);
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            edit->setText(text);
        else if (auto* label = qobject_cast<QLabel*>(w))
            label->setText(text);
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            button->setText(text);
        else if (auto* group = qobject_cast<QGroupBox*>(w))
            group->setTitle(text);
    }
    for (const auto& [name, list] : values.lists) {
        if (auto* box = qobject_cast<QComboBox*>(byName.value(name))) {
            for (int i = 0; i < list.size(); ++i)
                box->setItemText(i, list.at(i));
        } else if (auto* pages = qobject_cast<QTabWidget*>(byName.value(name))) {
            for (int i = 0; i < list.size(); ++i)
                pages->setTabText(i, list.at(i));
        }
    }
    for (const auto& [name, index] : values.indexes)
        if (auto* box = qobject_cast<QComboBox*>(byName.value(name)))
            box->setCurrentIndex(index);
    for (const auto& [name, checked] : values.checks)
        if (auto* button = qobject_cast<QAbstractButton*>(byName.value(name)))
            button->setChecked(checked);
    for (const FloorValues::Table& t : values.tables) {
        auto* table = qobject_cast<QTableWidget*>(byName.value(t.control));
        if (!table)
            continue;
        table->setRowCount(t.rows);
        table->setColumnCount(t.cols);
        for (int c = 0; c < t.cols; ++c)
            table->setColumnWidth(c, t.widths.at(c));
        for (int r = 0; r < t.rows; ++r) {
            table->setRowHeight(r, t.heights.at(r));
            for (int c = 0; c < t.cols; ++c)
                table->setItem(r, c, new QTableWidgetItem(t.cells.at(r * t.cols + c)));
        }
    }
    return d;
}

} // namespace

FloorValues floorValuesOf(const QDialog* dialog)
{
    FloorValues v;
    v.title = dialog->windowTitle();
    v.font = dialog->font();
    v.size = dialog->size();
    for (const QWidget* w : dialog->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() && !qobject_cast<const QRadioButton*>(w))
            continue;
        if (const auto* table = qobject_cast<const QTableWidget*>(w)) {
            FloorValues::Table t{table->objectName(), table->rowCount(), table->columnCount(), {}, {}, {}};
            for (int c = 0; c < t.cols; ++c)
                t.widths.append(table->columnWidth(c));
            for (int r = 0; r < t.rows; ++r) {
                t.heights.append(table->rowHeight(r));
                for (int c = 0; c < t.cols; ++c)
                    t.cells.append(table->model()->index(r, c).data().toString());
            }
            v.tables.append(t);
        } else if (const auto* box = qobject_cast<const QComboBox*>(w)) {
            v.indexes.append({box->objectName(), box->currentIndex()});
            QStringList items;
            for (int i = 0; i < box->count(); ++i)
                items.append(box->itemText(i));
            v.lists.append({box->objectName(), items});
        } else if (const auto* pages = qobject_cast<const QTabWidget*>(w)) {
            QStringList tabs;
            for (int i = 0; i < pages->count(); ++i)
                tabs.append(pages->tabText(i));
            v.lists.append({pages->objectName(), tabs});
        } else if (const auto* edit = qobject_cast<const QLineEdit*>(w)) {
            if (!qobject_cast<const QComboBox*>(edit->parentWidget()))
                v.texts.append({edit->objectName(), edit->text()});
        } else if (const auto* label = qobject_cast<const QLabel*>(w)) {
            v.texts.append({label->objectName(), label->text()});
        } else if (const auto* radio = qobject_cast<const QRadioButton*>(w)) {
            v.texts.append({radioName(radio), radio->text()});
            v.checks.append({radioName(radio), radio->isChecked()});
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            v.texts.append({button->objectName(), button->text()});
            if (button->isCheckable())
                v.checks.append({button->objectName(), button->isChecked()});
        } else if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
            v.texts.append({group->objectName(), group->title()});
        }
    }
    return v;
}

QDialog* makeQosFloor(const FloorValues& values)
{
    return makeFloor<Ui::FloorTQos_form>(values);
}

QDialog* makeVlanFloor(const FloorValues& values)
{
    return makeFloor<Ui::FloorTVlan_form>(values);
}
