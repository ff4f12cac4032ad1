// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs `act` on the active modal widget (null if there is none) the next time
// the event loop runs, unless `context` is gone by then. Called just before a
// call that opens a modal window, it reaches that window from inside the
// window's own exec().
inline void whenModal(QObject* context, std::function<void(QWidget* modal)> act)
{
    QTimer::singleShot(0, context, [act = std::move(act)] { act(QApplication::activeModalWidget()); });
}
