// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QLatin1StringView>
#include <QWidget>

// The object of class T that a window keeps for as long as it lives, made the
// first time it is asked for. It is found again by its name: a helper class
// without a meta-object of its own cannot be found by its type.
template<typename T>
T* keptByWindow(QWidget* window, QLatin1StringView name)
{
    if (auto* known = dynamic_cast<T*>(window->findChild<QObject*>(name, Qt::FindDirectChildrenOnly)))
        return known;
    auto* made = new T(window);
    made->setObjectName(name);
    return made;
}
