// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/MirroredLayout.h"

#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QMargins>
#include <QWidget>

#include <utility>

namespace {

// The designed left and right margins, on layouts where they differ.
const char* const kDesignLeft = "odu_designLeftMargin";
const char* const kDesignRight = "odu_designRightMargin";
const char* const kSymmetric = "odu_symmetricMargins";
const char* const kDesignAlignment = "odu_designAlignment";

// The label's designed alignment, made absolute for its widget's direction.
void alignLabel(QLabel* label)
{
    QVariant design = label->property(kDesignAlignment);
    if (!design.isValid()) {
        design = int(label->alignment());
        label->setProperty(kDesignAlignment, design);
    }
    const Qt::Alignment designed = Qt::Alignment(design.toInt());
    if (designed & (Qt::AlignAbsolute | Qt::AlignHCenter | Qt::AlignJustify))
        return;
    const bool rightToLeft = label->layoutDirection() == Qt::RightToLeft;
    // Qt::AlignLeft (and no horizontal flag at all) means the side a line starts on.
    const bool designedRight = designed & Qt::AlignRight;
    const Qt::Alignment side = designedRight != rightToLeft ? Qt::AlignRight : Qt::AlignLeft;
    const Qt::Alignment wanted = (designed & ~Qt::AlignHorizontal_Mask) | side | Qt::AlignAbsolute;
    if (label->alignment() != wanted)
        label->setAlignment(wanted);
}

// Watches one window for changes of its layout direction.
class DirectionWatch : public QObject
{
public:
    explicit DirectionWatch(QWidget* window) : QObject(window) { window->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::LayoutDirectionChange && watched == parent())
            mirrorLayout(static_cast<QWidget*>(watched));
        return false;
    }
};

} // namespace

void mirrorLayout(QWidget* window)
{
    for (QLabel* label : window->findChildren<QLabel*>())
        alignLabel(label);
    for (QLayout* layout : window->findChildren<QLayout*>()) {
        if (layout->property(kSymmetric).toBool())
            continue;
        const QMargins now = layout->contentsMargins();
        if (!layout->property(kDesignLeft).isValid()) {
            if (now.left() == now.right()) {
                layout->setProperty(kSymmetric, true);
                continue;
            }
            layout->setProperty(kDesignLeft, now.left());
            layout->setProperty(kDesignRight, now.right());
        }
        int left = layout->property(kDesignLeft).toInt();
        int right = layout->property(kDesignRight).toInt();
        const QWidget* owner = layout->parentWidget();
        if ((owner ? owner : window)->layoutDirection() == Qt::RightToLeft)
            std::swap(left, right);
        if (now.left() != left || now.right() != right)
            layout->setContentsMargins(left, now.top(), right, now.bottom());
    }
}

void keepLayoutMirrored(QWidget* window)
{
    mirrorLayout(window);
    new DirectionWatch(window);
}
