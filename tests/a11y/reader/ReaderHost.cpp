// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// Shows the VLAN dialog on its Global page for a screen-reader client to
// read, then quits after the number of seconds given as the first argument.
#include "core/IniFile.h"
#include "vlan/Vlan_form.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // ODU_LAYOUT_DIRECTION=rtl: the dialog right to left, as under a
    // right-to-left language.
    if (qEnvironmentVariable("ODU_LAYOUT_DIRECTION") == QLatin1String("rtl"))
        QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    const int seconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 30;
    std::array<unsigned char, kVlanConfigSize> bytes = VlanConfigArray::defaultImage();
    VlanConfigArray(bytes.data()).set_vlan_mode(1);
    TIniFile noCatalogue;
    int size = 0;
    TVlan_form dialog(nullptr, true, &noCatalogue, bytes.data(), &size, false, 1, 0, 0, 0x08);
    dialog.PageControl1->setCurrentIndex(0);
    dialog.show();
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    return app.exec();
}
