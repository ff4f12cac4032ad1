// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/RadioGroup.h"

#include "ui/DialogFont.h"
#include "ui/SpokenCaption.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

RadioGroup::RadioGroup(QWidget* parent)
    : QGroupBox(parent)
    , m_layout(new QGridLayout(this))
    , m_group(new QButtonGroup(this))
{
    m_layout->setContentsMargins(8, 2, 8, 2);
    m_layout->setVerticalSpacing(0);
    m_group->setExclusive(true);
    connect(m_group, &QButtonGroup::buttonToggled, this, &RadioGroup::onButtonToggled);
}

QStringList RadioGroup::items() const
{
    QStringList texts;
    for (const QRadioButton* b : m_buttons)
        texts << b->text();
    return texts;
}

void RadioGroup::setItems(const QStringList& items)
{
    const int previous = itemIndex();
    for (QRadioButton* b : std::as_const(m_buttons)) {
        m_group->removeButton(b);
        delete b;
    }
    m_buttons.clear();
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items.at(i), this);
        b->setObjectName(objectName() + QStringLiteral("_item") + QString::number(i));
        m_buttons << b;
        m_group->addButton(b, i);
    }
    relayout();
    m_lastReported = -1;
    if (previous != -1)
        emit itemIndexChanged(-1);
}

void RadioGroup::setColumns(int columns)
{
    m_columns = qMax(1, columns);
    relayout();
}

void RadioGroup::relayout()
{
    for (QRadioButton* b : std::as_const(m_buttons))
        m_layout->removeWidget(b);
    const int count = int(m_buttons.size());
    const int rows = qMax(1, (count + m_columns - 1) / m_columns);
    for (int i = 0; i < count; ++i)
        m_layout->addWidget(m_buttons.at(i), i % rows, i / rows);
    for (int c = 0; c < m_columns; ++c)
        m_layout->setColumnStretch(c, 1);
}

void RadioGroup::growToItems()
{
    if (maximumHeight() >= QWIDGETSIZE_MAX)
        return; // not of a fixed height: the layout gives the items their room
    if (m_designedHeight < 0)
        m_designedHeight = maximumHeight();
    // How much taller an item's text is than a line in the face the design
    // was drawn in (a script that a fallback font draws, or a face put first
    // for the captions' language).
    int taller = 0;
    for (const QRadioButton* b : std::as_const(m_buttons)) {
        const QFontMetrics metrics = b->fontMetrics();
        const int line = QFontMetrics(designFont(b->font())).size(0, QStringLiteral("X")).height();
        taller = qMax(taller, metrics.size(Qt::TextShowMnemonic, b->text()).height() - line);
    }
    // The title's line, in a face put first for the captions' language.
    if (!title().isEmpty())
        taller += qMax(0, fontMetrics().height() - QFontMetrics(designFont(font())).height());
    if (maximumHeight() != m_designedHeight + taller)
        setFixedHeight(m_designedHeight + taller);
}

int RadioGroup::itemIndex() const
{
    return m_group->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (index == itemIndex())
        return;
    if (index < 0 || index >= itemCount()) {
        // An exclusive group cannot uncheck its last button; lift the rule
        // for a moment.
        QAbstractButton* checked = m_group->checkedButton();
        m_group->setExclusive(false);
        if (checked)
            checked->setChecked(false);
        m_group->setExclusive(true);
        if (m_lastReported != -1) {
            m_lastReported = -1;
            emit itemIndexChanged(-1);
        }
        return;
    }
    m_buttons.at(index)->setChecked(true);
}

void RadioGroup::onButtonToggled(QAbstractButton*, bool checked)
{
    // Moving from one item to another toggles two buttons; the one that
    // becomes checked reports the change.
    if (!checked)
        return;
    const int now = itemIndex();
    if (now != m_lastReported) {
        m_lastReported = now;
        emit itemIndexChanged(now);
    }
}

void RadioGroup::setItemText(int index, const QString& text)
{
    if (index >= 0 && index < itemCount())
        m_buttons.at(index)->setText(text);
}

QString RadioGroup::itemText(int index) const
{
    return index >= 0 && index < itemCount() ? m_buttons.at(index)->text() : QString();
}

QRadioButton* RadioGroup::button(int index) const
{
    return index >= 0 && index < itemCount() ? m_buttons.at(index) : nullptr;
}

void RadioGroup::nameItemsAfterTitle()
{
    for (QRadioButton* b : std::as_const(m_buttons))
        b->setAccessibleName(spokenQualified(b->text(), title()));
}

// The meta-object code in this file's unit, where the debugging information
// describes the class whole under its header's own path (the ABI baseline reads it).
#include "moc_RadioGroup.cpp"
