// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "ui/CaptionRoom.h"

#include <QLayout>
#include <QList>
#include <QRect>
#include <QSize>

// Places the controls of a panel that its form puts at fixed pixel
// positions. Each control keeps its designed place and size, both grown by
// the density factor; a control whose caption needs more room than that gets
// it, and the controls to its right (or below it) move just as far as needed
// to keep a small gap, whole columns (rows) at once, so nothing overlaps and
// the columns stay aligned. Labels and captioned check boxes take the size of
// their text. At factor 1 with captions that fit, every control stays
// exactly where the form put it.
//
// The controls are the panel's child widgets when the layout is made; their
// geometry then is their design. The panel needs at least the extent of the
// placed controls plus the design's narrower margin, and at least its
// designed size (grown by the factor) when one is given.
class DesignLayout : public QLayout
{
public:
    DesignLayout(QWidget* panel, float factor, QSize designSize = QSize());
    ~DesignLayout() override;

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override { return int(m_entries.size()); }
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;
    Qt::Orientations expandingDirections() const override { return {}; }
    void invalidate() override;

    // Where each control goes, in the panel's coordinates.
    QList<QRect> arrangement() const;

private:
    struct Entry
    {
        QLayoutItem* item;
        QRect design;
        mutable RememberedCaptionRoom room;
    };
    int scaled(int designSize) const;
    QRect scaled(const QRect& design) const;

    QList<QRect> arrange() const;

    QList<Entry> m_entries;
    mutable QList<QRect> m_arrangement; // until the next invalidate(); empty when not known
    float m_factor;
    QSize m_designSize;
};
