// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/TabChain.h"

#include "ui/RadioGroup.h"

#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

#include <vector>

void setTabChain(std::initializer_list<QWidget*> controls)
{
    std::vector<QWidget*> chain;
    for (QWidget* control : controls) {
        if (auto* pages = qobject_cast<QTabWidget*>(control)) {
            chain.push_back(pages->tabBar());
        } else if (auto* group = qobject_cast<RadioGroup*>(control)) {
            for (int i = 0; i < group->itemCount(); ++i)
                chain.push_back(group->button(i));
        } else {
            chain.push_back(control);
        }
    }
    // Each call moves the second control (alone, or with its field for a
    // combo box) right behind the first.
    for (std::size_t i = 0; i + 1 < chain.size(); ++i)
        QWidget::setTabOrder(chain[i], chain[i + 1]);
}
