// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// Helpers of the keyboard and assistive-technology tests: pressing keys
// where the focus is, walking the Tab order and finding the controls a
// page offers.

#include "tests/support/DialogFixtures.h"
#include "testing/ModalAnswering.h"
#include "tests/support/RecordingCatalogue.h"

#include "core/IniFile.h"
#include "qos/Qos_form.h"
#include "vlan/Unit3.h"
#include "vlan/Vlan_form.h"

#include <QComboBox>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

#include <memory>

inline QWidget* focused()
{
    return QApplication::focusWidget();
}

// Presses a key where the focus is, as a keyboard does.
inline void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = focused();
    QVERIFY2(target, "something has the focus");
    QTest::keyClick(target, key, modifiers);
}

inline void typeText(const QString& text)
{
    for (QChar c : text)
        QTest::keyClicks(focused(), QString(c));
}

// The input control a focused widget belongs to: a combo box for its field,
// a grid for its in-place editor, a radio group for its items.
inline QWidget* controlOf(QWidget* w)
{
    for (QWidget* p = w; p; p = p->parentWidget()) {
        if (qobject_cast<QComboBox*>(p) || qobject_cast<StringGrid*>(p)
            || qobject_cast<RadioGroup*>(p))
            return p;
        if (p->isWindow())
            break;
    }
    return w;
}

// The controls the Tab key visits from the focused one until it comes back,
// forwards or backwards; stops after limit presses.
inline QList<QWidget*> tabWalk(bool forward, int limit = 80)
{
    QList<QWidget*> seen;
    QWidget* start = controlOf(focused());
    seen << start;
    for (int i = 0; i < limit; ++i) {
        QTest::keyClick(focused(), forward ? Qt::Key_Tab : Qt::Key_Backtab,
                        forward ? Qt::NoModifier : Qt::ShiftModifier);
        QWidget* now = controlOf(focused());
        if (now == start)
            break;
        seen << now;
    }
    return seen;
}

inline QStringList namesOf(const QList<QWidget*>& widgets)
{
    QStringList names;
    for (const QWidget* w : widgets)
        names << (w ? w->objectName() : QStringLiteral("<none>"));
    return names;
}
