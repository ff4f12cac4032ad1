// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// Answering the modal windows that open while a test or a benchmark runs. A
// modal window runs its own event loop inside exec(), so it is answered from
// that loop: a timer looks for QApplication::activeModalWidget() and hands
// each window it finds to a handler through a queued call.

#include "ui/WhenModal.h"

#include <QElapsedTimer>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <deque>
#include <functional>
#include <initializer_list>

class QWidget;

// Hands every modal window that becomes the active modal widget to a handler,
// one at a time: while a handler call is queued, no other is. A window that
// is gone, or no longer the active modal widget, when the call runs is not
// handed over. A filter, asked at each look, passes over windows the handler
// should not get (the dialog under test itself, a window already answered).
class ModalWatcher : public QObject
{
public:
    using Handler = std::function<void(QWidget* modal)>;
    using Filter = std::function<bool(QWidget* modal)>;

    explicit ModalWatcher(Handler handler, int intervalMs = 1, QObject* parent = nullptr);

    void setHandler(Handler handler) { m_handler = std::move(handler); }
    void setFilter(Filter wanted) { m_wanted = std::move(wanted); }
    void stop() { m_timer.stop(); }
    // A window was found and its handler call is queued.
    bool pending() const { return m_pending; }
    // How many windows the handler got.
    int handled() const { return m_handled; }

private:
    void look();

    Handler m_handler;
    Filter m_wanted;
    QTimer m_timer;
    bool m_pending = false;
    int m_handled = 0;
};

// Answers the modal windows that open while a test runs, one step per new
// modal window, in order. The steps run from the event loop, so a step may
// open further modal windows. A window that no step answers would hang the
// test: after ten seconds it is closed with a warning.
class ModalScript : public QObject
{
public:
    using Step = std::function<void(QWidget*)>;

    explicit ModalScript(std::initializer_list<Step> steps = {});

    void add(Step step) { m_steps.push_back(std::move(step)); }
    bool finished() const { return m_steps.empty() && !m_watcher.pending(); }
    int stepsRun() const { return m_run; }

private:
    bool wanted(QWidget* w);
    void runStep(QWidget* w);

    std::deque<Step> m_steps;
    ModalWatcher m_watcher;
    QElapsedTimer m_idle;
    QPointer<QWidget> m_last;
    int m_run = 0;
};

// Presses a standard button of a message box (rejects the box when it has no
// such button) and returns the box's text; for a window that is not a message
// box, a text that says what it was.
QString answerBox(QWidget* w, QMessageBox::StandardButton button);

// What a message box showed.
struct SeenBox
{
    bool shown = false;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Answers the next message box that becomes the active modal widget with a
// mouse click on `answer` (or rejects it), recording what it was. The
// returned watcher stops once it answered; a test deletes it if no box came.
ModalWatcher* answerNextBox(SeenBox* seen, QMessageBox::StandardButton answer);

// Runs `act` on the active modal widget (null if there is none) as soon as
// the event loop runs: for a call that opens a modal window right away. The
// demo host's screenshot mode reaches the VID entry dialog the same way.
inline void whenModal(std::function<void(QWidget* modal)> act)
{
    whenModal(qApp, std::move(act));
}
