// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QCoreApplication>

// Lets the toolkit lay out and draw what was just shown or switched: posted
// events (layout requests, deferred updates) are delivered and what they post
// in turn, a few rounds deep.
inline void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}
