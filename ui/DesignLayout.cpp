// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/DesignLayout.h"

#include "ui/CaptionRoom.h"
#include "ui/Density.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace {

// The widest gap, at 96 pixels per inch, that a grown control keeps to the
// control it pushes aside (column headings designed 6 pixels apart stay
// visibly apart) or down; smaller designed gaps are kept as they are.
constexpr int kPushGapAcross = 6;
constexpr int kPushGapDown = 3;

// Labels and captioned check boxes take the size of their text, as they do
// where the form sizes them to their captions.
bool takesTextSize(const QWidget* w)
{
    if (auto* label = qobject_cast<const QLabel*>(w))
        return !label->text().isEmpty();
    if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w))
        return !static_cast<const QAbstractButton*>(w)->text().trimmed().isEmpty();
    return false;
}

bool overlap(int a0, int aLength, int b0, int bLength)
{
    return a0 < b0 + bLength && b0 < a0 + aLength;
}

} // namespace

DesignLayout::DesignLayout(QWidget* panel, float factor, QSize designSize)
    : QLayout(panel)
    , m_factor(factor)
    , m_designSize(designSize)
{
    setContentsMargins(0, 0, 0, 0);
    for (QObject* child : panel->children())
        if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow())
            addWidget(w);
}

DesignLayout::~DesignLayout()
{
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void DesignLayout::addItem(QLayoutItem* item)
{
    const QRect design = item->widget() ? item->widget()->geometry() : item->geometry();
    m_entries.append({item, design, {}});
    invalidate();
}

QLayoutItem* DesignLayout::itemAt(int index) const
{
    return index >= 0 && index < m_entries.size() ? m_entries.at(index).item : nullptr;
}

QLayoutItem* DesignLayout::takeAt(int index)
{
    if (index < 0 || index >= m_entries.size())
        return nullptr;
    QLayoutItem* item = m_entries.takeAt(index).item;
    invalidate();
    return item;
}

int DesignLayout::scaled(int designSize) const
{
    return scaledSize(designSize, m_factor);
}

QRect DesignLayout::scaled(const QRect& design) const
{
    return QRect(scaled(design.x()), scaled(design.y()), scaled(design.width()), scaled(design.height()));
}

void DesignLayout::invalidate()
{
    m_arrangement.clear();
    QLayout::invalidate();
}

QList<QRect> DesignLayout::arrangement() const
{
    if (m_arrangement.size() != m_entries.size())
        m_arrangement = arrange();
    return m_arrangement;
}

QList<QRect> DesignLayout::arrange() const
{
    const int n = int(m_entries.size());
    std::vector<QRect> design(n);
    std::vector<QRect> base(n); // the designed rectangle grown by the factor
    std::vector<QRect> placed(n);
    std::vector<int> shown; // the controls that take part, in order
    for (int i = 0; i < n; ++i) {
        const Entry& e = m_entries.at(i);
        design[i] = e.design;
        base[i] = scaled(e.design);
        QSize size = base[i].size();
        if (!e.item->isEmpty()) {
            shown.push_back(i);
            if (const QWidget* w = e.item->widget()) {
                const QSize room = e.room.of(w);
                if (takesTextSize(w))
                    size = room;
                else if (room.isValid())
                    size = size.expandedTo(room);
            }
        }
        placed[i] = QRect(base[i].topLeft(), size);
    }

    // One pass per direction over the designed columns (rows) in order: a
    // column moves by the largest shift any control before it needs, and
    // never by less than the column before it.
    const auto pass = [&](bool horizontal) {
        const int pushGap = scaled(horizontal ? kPushGapAcross : kPushGapDown);
        const auto start = [horizontal](const QRect& r) { return horizontal ? r.x() : r.y(); };
        const auto length = [horizontal](const QRect& r) { return horizontal ? r.width() : r.height(); };
        const auto across = [horizontal](const QRect& r) { return horizontal ? r.y() : r.x(); };
        const auto acrossLength = [horizontal](const QRect& r) { return horizontal ? r.height() : r.width(); };
        std::vector<int> order = shown;
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return start(design[a]) < start(design[b]); });
        int shift = 0;
        for (std::size_t first = 0; first < order.size();) {
            // One designed column (row): the controls that start where it starts.
            std::size_t last = first;
            while (last < order.size() && start(design[order[last]]) == start(design[order[first]]))
                ++last;
            for (std::size_t k = first; k < last; ++k) {
                const int c = order[k];
                for (const int d : shown) {
                    if (d == c || start(design[d]) + length(design[d]) > start(design[c]))
                        continue; // not before c
                    // Side by side in the other direction: by design for the
                    // first pass, as placed for the second.
                    const QRect& a = horizontal ? design[d] : placed[d];
                    const QRect& b = horizontal ? design[c] : placed[c];
                    if (!overlap(across(a), acrossLength(a), across(b), acrossLength(b)))
                        continue;
                    const int designedGap = start(base[c]) - start(base[d]) - length(base[d]);
                    const int gap = std::clamp(designedGap, 0, pushGap);
                    shift = std::max(shift, start(placed[d]) + length(placed[d]) + gap - start(base[c]));
                }
            }
            for (std::size_t k = first; k < last; ++k) {
                const int c = order[k];
                if (horizontal)
                    placed[c].moveLeft(base[c].x() + shift);
                else
                    placed[c].moveTop(base[c].y() + shift);
            }
            first = last;
        }
    };
    pass(true);
    pass(false);
    return QList<QRect>(placed.begin(), placed.end());
}

QSize DesignLayout::minimumSize() const
{
    const QList<QRect> placed = arrangement();
    // The controls' extent, with the design's narrower margin (left or top)
    // repeated on the right and at the bottom.
    QSize extent(0, 0);
    QPoint margin(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    for (int i = 0; i < placed.size(); ++i) {
        if (m_entries.at(i).item->isEmpty())
            continue;
        extent = extent.expandedTo(QSize(placed[i].right() + 1, placed[i].bottom() + 1));
        margin = QPoint(std::min(margin.x(), placed[i].x()), std::min(margin.y(), placed[i].y()));
    }
    if (margin.x() != QWIDGETSIZE_MAX)
        extent += QSize(std::min(margin.x(), margin.y()), std::min(margin.x(), margin.y()));
    if (m_designSize.isValid())
        extent = extent.expandedTo(QSize(scaled(m_designSize.width()), scaled(m_designSize.height())));
    return extent;
}

QSize DesignLayout::sizeHint() const
{
    return minimumSize();
}

void DesignLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    const QList<QRect> placed = arrangement();
    // The design is left to right; a right-to-left panel shows it mirrored.
    const Qt::LayoutDirection direction = parentWidget() ? parentWidget()->layoutDirection() : Qt::LeftToRight;
    for (int i = 0; i < placed.size(); ++i)
        if (QWidget* w = m_entries.at(i).item->widget())
            w->setGeometry(QStyle::visualRect(direction, rect, placed[i].translated(rect.topLeft())));
}
