// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/MirroredLayout.h"

#include "ui/KeptByWindow.h"

#include <QEvent>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QMargins>
#include <QPointer>
#include <QWidget>

#include <utility>

namespace {

// What a window's labels and layouts were designed with, remembered the first
// time they are mirrored (in the window, not on each object: a dynamic
// property would cost every label an event). An entry whose object is gone
// is stale and read again.
class Mirroring : public QObject
{
public:
    explicit Mirroring(QWidget* window) : QObject(window) {}

    static Mirroring* of(QWidget* window) { return keptByWindow<Mirroring>(window, kName); }

    void watch() { parent()->installEventFilter(this); }

    void apply()
    {
        auto* window = static_cast<QWidget*>(parent());
        for (QObject* child : window->findChildren<QObject*>()) {
            if (auto* label = qobject_cast<QLabel*>(child))
                alignLabel(label);
            else if (auto* layout = qobject_cast<QLayout*>(child))
                placeMargins(layout, window);
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::LayoutDirectionChange && watched == parent())
            apply();
        return false;
    }

private:
    static constexpr QLatin1StringView kName{"odu_mirroring"};

    struct Design
    {
        QPointer<QObject> object;
        int first = 0;  // a label's alignment, a layout's left margin
        int second = 0; // a layout's right margin
        bool symmetric = false;
    };

    // The design of an object, read by `read` the first time it is asked for.
    template<typename Read>
    const Design& designOf(QObject* object, Read read)
    {
        auto it = m_designs.find(object);
        if (it == m_designs.end() || it->object != object) {
            Design design = read();
            design.object = object;
            it = m_designs.insert(object, design);
        }
        return *it;
    }

    // The label's designed alignment, made absolute for its widget's direction.
    void alignLabel(QLabel* label)
    {
        const Qt::Alignment designed = Qt::Alignment(
            designOf(label, [label] { return Design{{}, int(label->alignment()), 0, false}; }).first);
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

    // The layout's designed left and right margins, swapped right to left.
    void placeMargins(QLayout* layout, const QWidget* window)
    {
        const QMargins now = layout->contentsMargins();
        const Design& design = designOf(layout, [now] {
            return Design{{}, now.left(), now.right(), now.left() == now.right()};
        });
        if (design.symmetric)
            return;
        int left = design.first;
        int right = design.second;
        const QWidget* owner = layout->parentWidget();
        if ((owner ? owner : window)->layoutDirection() == Qt::RightToLeft)
            std::swap(left, right);
        if (now.left() != left || now.right() != right)
            layout->setContentsMargins(left, now.top(), right, now.bottom());
    }

    QHash<QObject*, Design> m_designs;
};

} // namespace

void mirrorLayout(QWidget* window)
{
    Mirroring::of(window)->apply();
}

void keepLayoutMirrored(QWidget* window)
{
    Mirroring* mirroring = Mirroring::of(window);
    mirroring->apply();
    mirroring->watch();
}
