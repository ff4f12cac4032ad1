// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "testing/ModalAnswering.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QWidget>

ModalWatcher::ModalWatcher(Handler handler, int intervalMs, QObject* parent)
    : QObject(parent)
    , m_handler(std::move(handler))
{
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &ModalWatcher::look);
    m_timer.start();
}

void ModalWatcher::look()
{
    QWidget* w = QApplication::activeModalWidget();
    if (!w || m_pending || (m_wanted && !m_wanted(w)))
        return;
    m_pending = true;
    QPointer<QWidget> target(w);
    QTimer::singleShot(0, w, [this, target] {
        m_pending = false;
        if (!target || QApplication::activeModalWidget() != target)
            return;
        ++m_handled;
        m_handler(target);
    });
}

ModalScript::ModalScript(std::initializer_list<Step> steps)
    : m_steps(steps)
    , m_watcher([this](QWidget* w) { runStep(w); }, 5)
{
    m_watcher.setFilter([this](QWidget* w) { return wanted(w); });
    m_idle.start();
}

bool ModalScript::wanted(QWidget* w)
{
    if (w != m_last && !m_steps.empty())
        return true;
    if (m_idle.elapsed() > 10000) {
        qWarning("ModalScript: closing an unanswered modal window %s", qPrintable(w->objectName()));
        w->close();
        m_idle.restart();
    }
    return false;
}

void ModalScript::runStep(QWidget* w)
{
    m_last = w;
    Step step = std::move(m_steps.front());
    m_steps.pop_front();
    m_idle.restart();
    ++m_run;
    step(w);
}

QString answerBox(QWidget* w, QMessageBox::StandardButton button)
{
    auto* box = qobject_cast<QMessageBox*>(w);
    if (!box)
        return QStringLiteral("<not a message box: %1>").arg(w ? QString::fromLatin1(w->metaObject()->className()) : QString());
    const QString text = box->text();
    if (QAbstractButton* b = box->button(button))
        b->click();
    else
        box->reject();
    return text;
}

ModalWatcher* answerNextBox(SeenBox* seen, QMessageBox::StandardButton answer)
{
    auto* watcher = new ModalWatcher({}, 5);
    watcher->setFilter([](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; });
    watcher->setHandler([watcher, seen, answer](QWidget* w) {
        auto* box = static_cast<QMessageBox*>(w);
        watcher->stop();
        seen->shown = true;
        seen->text = box->text();
        seen->icon = box->icon();
        seen->buttons = box->standardButtons();
        if (QAbstractButton* button = box->button(answer))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            box->reject();
    });
    return watcher;
}
