#include "ui/AccessibleName.h"

#include "ui/SpokenCaption.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusFrame>
#include <QPointer>
#include <QPushButton>
#include <QEvent>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>

namespace {

QString labelName(const QWidget* control)
{
    return control->objectName() + QStringLiteral("_spokenName");
}

// Keeps the focus drawn in a window: from the moment it opens, and around a
// focused push button, which the style draws alike with and without the
// focus when it is the default button.
class FocusShown : public QObject
{
public:
    explicit FocusShown(QWidget* window)
        : QObject(window)
        , m_window(window)
        , m_frame(new QFocusFrame(window))
    {
        connect(qApp, &QApplication::focusChanged, this, &FocusShown::follow);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate)
            static_cast<QWidget*>(watched)->setAttribute(Qt::WA_KeyboardFocusChange);
        return QObject::eventFilter(watched, event);
    }

private:
    void follow(QWidget*, QWidget* now)
    {
        if (!m_frame)
            return;
        if (qobject_cast<QPushButton*>(now) && now->window() == m_window)
            m_frame->setWidget(now);
        else if (!now || now->window() == m_window)
            m_frame->setWidget(nullptr);
    }

    QWidget* m_window;
    QPointer<QFocusFrame> m_frame;
};

} // namespace

void setSpokenName(QWidget* control, const QString& name)
{
    control->setAccessibleName(name);
    auto* box = qobject_cast<QComboBox*>(control);
    if (!box || !box->parentWidget())
        return;
    auto* label = box->parentWidget()->findChild<QLabel*>(labelName(box), Qt::FindDirectChildrenOnly);
    if (!label) {
        label = new QLabel(box->parentWidget());
        label->setObjectName(labelName(box));
        label->setTextFormat(Qt::PlainText);
        label->setBuddy(box);
        label->hide();
    }
    label->setText(name);
    label->adjustSize();
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
    window->setAttribute(Qt::WA_KeyboardFocusChange);
}
