// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/AccessibleName.h"

#include "ui/SpokenCaption.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPainter>
#include <QPushButton>
#include <QEvent>
#include <QAccessible>
#include <QHash>
#include <QPointer>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>

namespace {

QString labelName(const QWidget* control)
{
    return control->objectName() + QStringLiteral("_spokenName");
}

// Keeps the focus drawn in a window from the moment it opens, not only after
// the first Tab.
class FocusShown : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate)
            static_cast<QWidget*>(watched)->setAttribute(Qt::WA_KeyboardFocusChange);
        return QObject::eventFilter(watched, event);
    }
};

// Draws a dotted frame inside a push button that has the focus, after the
// button has drawn itself: the style draws the default button alike with and
// without the focus.
class ButtonFocusFrame : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint || m_painting)
            return QObject::eventFilter(watched, event);
        auto* button = static_cast<QPushButton*>(watched);
        m_painting = true;
        QCoreApplication::sendEvent(button, event);
        m_painting = false;
        if (button->hasFocus()) {
            QPainter painter(button);
            QPen pen(button->palette().color(QPalette::ButtonText), 1, Qt::DotLine);
            painter.setPen(pen);
            painter.drawRect(button->rect().adjusted(4, 4, -5, -5));
        }
        return true;
    }

private:
    bool m_painting = false;
};

} // namespace

namespace {

// The hidden label that names a list for a screen reader, if it is made.
QLabel* labelOf(const QComboBox* box)
{
    return box->parentWidget()->findChild<QLabel*>(labelName(box), Qt::FindDirectChildrenOnly);
}

// A list is named for a screen reader by a hidden label whose buddy it is.
void nameByLabel(QComboBox* box, const QString& name)
{
    auto* label = labelOf(box);
    if (!label) {
        label = new QLabel(box->parentWidget());
        label->setObjectName(labelName(box));
        label->setTextFormat(Qt::PlainText);
        label->setBuddy(box);
        label->hide();
    }
    label->setText(name);
}

// The names of the lists, whose labels are made only while assistive
// technology listens: a reader started later finds them made as it starts,
// and opening a dialog need not pay for them when nobody reads them.
class SpokenListNames : public QObject, public QAccessible::ActivationObserver
{
public:
    explicit SpokenListNames(QObject* application) : QObject(application)
    {
        QAccessible::installActivationObserver(this);
    }
    ~SpokenListNames() override { QAccessible::removeActivationObserver(this); }

    static SpokenListNames& instance()
    {
        static QPointer<SpokenListNames> names;
        if (!names)
            names = new SpokenListNames(QCoreApplication::instance());
        return *names;
    }

    void name(QComboBox* box, const QString& name)
    {
        // (A list named again keeps its label up to date.)
        if (QAccessible::isActive() || labelOf(box)) {
            nameByLabel(box, name);
            return;
        }
        if (m_names.size() >= kForgetGoneFrom)
            forgetGone();
        m_names.insert(box, {box, name});
    }

    void accessibilityActiveChanged(bool active) override
    {
        if (!active)
            return;
        forgetGone();
        for (const Named& named : std::as_const(m_names))
            nameByLabel(named.box, named.name);
        m_names.clear();
    }

private:
    // Lists of closed dialogs are forgotten once this many are known.
    static constexpr qsizetype kForgetGoneFrom = 64;
    struct Named
    {
        QPointer<QComboBox> box;
        QString name;
    };
    void forgetGone()
    {
        m_names.removeIf([](const auto& entry) { return entry.value().box != entry.key(); });
    }
    QHash<QComboBox*, Named> m_names;
};

} // namespace

void setSpokenName(QWidget* control, const QString& name)
{
    control->setAccessibleName(name);
    auto* box = qobject_cast<QComboBox*>(control);
    if (!box || !box->parentWidget())
        return;
    SpokenListNames::instance().name(box, name);
}

void nameTabRowAfterPage(QTabWidget* pages)
{
    QTabBar* row = pages->tabBar();
    const auto follow = [pages, row](int index) {
        row->setAccessibleName(spokenCaption(pages->tabText(index)));
    };
    QObject::connect(pages, &QTabWidget::currentChanged, row, follow);
    follow(pages->currentIndex());
}

void showFocusFromTheStart(QWidget* window)
{
    window->installEventFilter(new FocusShown(window));
    auto* frame = new ButtonFocusFrame(window);
    for (QPushButton* button : window->findChildren<QPushButton*>())
        button->installEventFilter(frame);
    window->setAttribute(Qt::WA_KeyboardFocusChange);
}
