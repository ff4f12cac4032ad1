// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "tests/support/DialogFixtures.h"

#include "core/IniFile.h"
#include "core/UnitConstants.h"
#include "qos/Qos_form.h"
#include "vlan/Vlan_form.h"

#include <QApplication>
#include <QTest>

TIniFile* englishCatalogue()
{
    static TIniFile none;
    return &none;
}

OwnedDialog<TQos_form> makeQosDialog(QosBytes& bytes, TIniFile* ini)
{
    int size = 0;
    return OwnedDialog<TQos_form>(new TQos_form(nullptr, true, ini ? ini : englishCatalogue(), bytes.data(), &size));
}

std::unique_ptr<TVlan_form> makeVlanDialog(VlanArray& a, TIniFile* ini)
{
    int size = 0;
    return std::make_unique<TVlan_form>(nullptr, true, ini, a.data(), &size, false, char(1), char(0), char(0),
                                        char(kLine4CapabilityBit));
}

bool showActive(QWidget* w)
{
    w->show();
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

bool noWindowLeft()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return QApplication::topLevelWidgets().isEmpty();
}
