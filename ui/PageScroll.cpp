// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/PageScroll.h"

#include <QApplication>
#include <QLayout>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

PageScrollArea::PageScrollArea(QWidget* page)
    : QScrollArea(page)
{
    // The content is in its place before the controls move into it, so they
    // keep the dialog's font and palette on the way (a parentless content
    // would give each the application's, and then the dialog's again).
    auto* content = new QWidget;
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setWidget(content);
    // The controls move with their layout, if any, and one by one otherwise,
    // each keeping its place and its explicit hidden state.
    if (QLayout* layout = page->layout())
        content->setLayout(layout);
    for (QObject* child : page->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isWindow() || w == this)
            continue;
        const QRect place = w->geometry();
        w->setParent(content);
        w->setGeometry(place);
    }
    content->resize(page->size());

    // Not a stop of its own in the tab chain; the controls inside are.
    setFocusPolicy(Qt::NoFocus);
    // The page shows through, as it did without the area.
    viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);

    // A control that takes the focus (from the keyboard, a click, the
    // program) is scrolled into view whole, not only its text cursor.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && widget() && widget()->isAncestorOf(now))
            showWhole(now);
    });

    auto* fill = new QVBoxLayout(page);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(this);
}

QSize PageScrollArea::contentMinimum() const
{
    const QWidget* content = widget();
    if (!content)
        return QSize(0, 0);
    const QLayout* layout = content->layout();
    QSize minimum = layout ? layout->totalMinimumSize() : content->minimumSizeHint();
    return minimum.expandedTo(content->minimumSize()).expandedTo(QSize(0, 0));
}

void PageScrollArea::showWhole(QWidget* control)
{
    const QRect place(control->mapTo(widget(), QPoint()), control->size());
    ensureVisible(place.center().x(), place.center().y(), place.width() / 2 + 1, place.height() / 2 + 1);
}

void PageScrollArea::setRoomLimit(QSize limit)
{
    if (limit == m_limit)
        return;
    m_limit = limit;
    updateGeometry();
}

QSize PageScrollArea::minimumSizeHint() const
{
    const QSize all = contentMinimum();
    if (!m_limit.isValid())
        return all;
    // With less room than the content needs, a scroll bar takes its share.
    QSize limited = all.boundedTo(m_limit);
    if (limited.width() < all.width())
        limited.rheight() += horizontalScrollBar()->sizeHint().height();
    if (limited.height() < all.height())
        limited.rwidth() += verticalScrollBar()->sizeHint().width();
    return limited;
}

QSize PageScrollArea::sizeHint() const
{
    return minimumSizeHint();
}

void makePagesScrollable(QTabWidget* pages)
{
    for (int i = 0; i < pages->count(); ++i) {
        QWidget* page = pages->widget(i);
        if (!page->findChild<PageScrollArea*>(QString(), Qt::FindDirectChildrenOnly))
            new PageScrollArea(page);
    }
}

QWidget* pageContent(QWidget* page)
{
    if (auto* area = page->findChild<PageScrollArea*>(QString(), Qt::FindDirectChildrenOnly))
        return area->widget();
    return page;
}
