// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// Opening the three dialogs as a host does on a desktop of its own: with an
// owner window that may carry its own palette or layout direction.

#include "tests/layout/LayoutSupport.h"

#include <QWidget>

class OwnedDialogs
{
public:
    // The dialogs under an owner (or none); English texts unless a catalogue is given.
    explicit OwnedDialogs(QWidget* owner, TIniFile* catalogue = nullptr)
    {
        qosBytes.fill(0xFF);
        vlanBytes.fill(0xFF);
        int size = 0;
        qos = new TQos_form(owner, true, catalogue, qosBytes.data(), &size);
        vlan = new TVlan_form(owner, true, catalogue, vlanBytes.data(), &size, false, 1, 0, 0, 8);
        vidEntry = new TForm3(owner, catalogue, 1234, &vid);
    }
    ~OwnedDialogs()
    {
        for (QDialog* d : all())
            delete d;
    }
    OwnedDialogs(const OwnedDialogs&) = delete;
    OwnedDialogs& operator=(const OwnedDialogs&) = delete;

    std::array<QDialog*, 3> all() const { return {qos, vlan, vidEntry}; }

    std::array<unsigned char, kQosConfigSize> qosBytes{};
    std::array<unsigned char, kVlanConfigSize> vlanBytes{};
    short vid = 0;
    QPointer<TQos_form> qos;
    QPointer<TVlan_form> vlan;
    QPointer<TForm3> vidEntry;
};

// Where a control's text is drawn: the bounding box of the pixels that differ
// from the control's background (its top-left pixel), in the control's
// coordinates; empty when nothing is drawn.
inline QRect inkBox(QWidget* control)
{
    const QImage image = control->grab().toImage();
    const QRgb background = image.pixel(0, 0);
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                box |= QRect(x, y, 1, 1);
    return box;
}
