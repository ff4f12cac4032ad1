// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// Opening the three dialogs with a chosen catalogue, and walking every page of
// a dialog to read what each named control looks like once laid out.

#include "core/IniFile.h"
#include "core/QosConfig.h"
#include "qos/Qos_form.h"
#include "vlan/Unit3.h"
#include "core/VlanConfig.h"
#include "vlan/Vlan_form.h"

#include <QApplication>
#include <QList>
#include <QRect>
#include <QString>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include <array>
#include <functional>
#include <memory>

// One named control (or a tab of a page control) and where it lies in its
// dialog's client area.
struct PlacedControl
{
    QString name;
    QRect rect;
    QWidget* widget = nullptr; // null for a tab
};

// The three dialogs over arrays of their own. The QoS dialog deletes itself
// when it closes, so the dialogs are hidden and deleted, never closed.
class OpenDialogs
{
public:
    // Under an owner window when one is given, as a host opens them.
    explicit OpenDialogs(TIniFile* catalogue, QWidget* owner = nullptr)
    {
        qosBytes.fill(0xFF);
        vlanBytes.fill(0xFF);
        int size = 0;
        qos = new TQos_form(owner, true, catalogue, qosBytes.data(), &size);
        vlan = new TVlan_form(owner, true, catalogue, vlanBytes.data(), &size, false, 1, 0, 0, 8);
        vidEntry = new TForm3(owner, catalogue, 1234, &vid);
    }
    ~OpenDialogs()
    {
        for (QDialog* d : all())
            delete d;
    }
    OpenDialogs(const OpenDialogs&) = delete;
    OpenDialogs& operator=(const OpenDialogs&) = delete;

    std::array<QDialog*, 3> all() const { return {qos, vlan, vidEntry}; }

    static QString nameOf(const QDialog* d)
    {
        if (qobject_cast<const TQos_form*>(d))
            return QStringLiteral("QoS");
        if (qobject_cast<const TVlan_form*>(d))
            return QStringLiteral("VLAN");
        return QStringLiteral("VIDEntry");
    }

    std::array<unsigned char, kQosConfigSize> qosBytes{};
    std::array<unsigned char, kVlanConfigSize> vlanBytes{};
    short vid = 0;
    TQos_form* qos = nullptr;
    TVlan_form* vlan = nullptr;
    TForm3* vidEntry = nullptr;
};

inline bool isOwnControl(const QWidget* w)
{
    const QString name = w->objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

// Shows the dialog and calls visit once per page (once in all for a dialog
// without pages), with that page current and laid out.
inline void forEachPage(QDialog* dialog, const std::function<void(QWidget* page)>& visit)
{
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    const QList<QTabWidget*> tabs = dialog->findChildren<QTabWidget*>();
    if (tabs.isEmpty()) {
        QApplication::processEvents();
        visit(nullptr);
        return;
    }
    QTabWidget* pages = tabs.first();
    const int shown = pages->currentIndex();
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        QApplication::processEvents();
        visit(pages->widget(i));
    }
    pages->setCurrentIndex(shown);
}

// Every visible named control of every page, each once, with its tabs, in
// the dialog's coordinates; the window's client size comes first.
inline QList<PlacedControl> placedControls(QDialog* dialog)
{
    QList<PlacedControl> result;
    result.append({QStringLiteral("window"), QRect(QPoint(), dialog->size()), dialog});
    QStringList seen;
    forEachPage(dialog, [&](QWidget*) {
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            if (!isOwnControl(w) || !w->isVisible() || seen.contains(w->objectName()))
                continue;
            seen.append(w->objectName());
            result.append({w->objectName(), QRect(w->mapTo(dialog, QPoint()), w->size()), w});
        }
    });
    for (QTabWidget* pages : dialog->findChildren<QTabWidget*>()) {
        QTabBar* bar = pages->tabBar();
        for (int i = 0; i < bar->count(); ++i) {
            const QRect r = bar->tabRect(i);
            result.append({QStringLiteral("%1 tab %2").arg(pages->objectName()).arg(i),
                           QRect(bar->mapTo(dialog, r.topLeft()), r.size()), nullptr});
        }
    }
    return result;
}
