// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The monkey's check of who may write the VLAN array, on its own: by rows of
// changes and presses, and against a VLAN dialog given a deliberately wrong
// handler that writes the array on a mode click or a grid click, as a faulty
// dialog would. The check must catch both.

#include "core/IniFile.h"
#include "tests/robust/VlanWriteCheck.h"

#include <QApplication>
#include <QTest>

#include <functional>
#include <memory>

using namespace robust;

Q_DECLARE_METATYPE(robust::VlanPresses)
Q_DECLARE_METATYPE(VlanBytes)

namespace {

VlanBytes withByte(VlanBytes b, int index, unsigned char value)
{
    b[std::size_t(index)] = value;
    return b;
}

VlanBytes someArray()
{
    VlanBytes b = VlanConfigArray::defaultImage();
    VlanConfigArray a(b.data());
    a.set_pocet_vlan(1);
    a.writeSlot(0, StaticVlanEntry{100, {1, 1, 1, 3, 3, 1}});
    a.set_Default_VID(port_nms, 100);
    return b;
}

} // namespace

class WriteCheckTest : public QObject
{
    Q_OBJECT

private slots:
    void rules_data()
    {
        QTest::addColumn<VlanBytes>("after");
        QTest::addColumn<VlanPresses>("pressed");
        QTest::addColumn<bool>("allowed");

        const VlanBytes before = someArray();
        const VlanPresses none, set{true, false}, def{false, true};
        VlanBytes modeChanged = before;
        VlanConfigArray(modeChanged.data()).set_vlan_mode(2);

        QTest::newRow("nothing changed, nothing pressed") << before << none << true;
        QTest::newRow("mode written without a press") << modeChanged << none << false;
        QTest::newRow("table slot written without a press") << withByte(before, 17, 0x5A) << none << false;
        QTest::newRow("mode written by Set") << modeChanged << set << true;
        QTest::newRow("Set writing the Modem double-tag bits")
            << withByte(before, 3, before[3] ^ 0x03) << set << false;
        QTest::newRow("Set writing a slot past the count") << withByte(before, 16 + 3 * 5, 0x11) << set << false;
        QTest::newRow("Default writing the default image") << VlanConfigArray::defaultImage() << def << true;
        QTest::newRow("Default writing anything else") << modeChanged << def << false;
    }

    void rules()
    {
        QFETCH(VlanBytes, after);
        QFETCH(VlanPresses, pressed);
        QFETCH(bool, allowed);
        const QString violation = vlanWriteViolation(someArray(), after, pressed, 1);
        QVERIFY2(violation.isEmpty() == allowed, qPrintable(violation));
    }

    // The real dialog, with and without a handler that writes where it must
    // not; the presses come from the spy, as in the monkey.
    void wrongDialog_data()
    {
        QTest::addColumn<bool>("mode"); // the mode radio, or a grid cell
        QTest::addColumn<bool>("wrongHandler");
        QTest::newRow("mode click, sound dialog") << true << false;
        QTest::newRow("mode click writing the mode") << true << true;
        QTest::newRow("grid click, sound dialog") << false << false;
        QTest::newRow("grid click writing the table") << false << true;
    }

    void wrongDialog()
    {
        QFETCH(bool, mode);
        QFETCH(bool, wrongHandler);

        TIniFile catalogue;
        VlanBytes host = someArray();
        int size = 0;
        auto dialog = std::make_unique<TVlan_form>(nullptr, true, &catalogue, host.data(), &size, false, 1, 0,
                                                   0, 0x08);
        auto* spy = new VlanPressSpy(dialog.get());
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        QCoreApplication::processEvents();
        TVlan_form* d = dialog.get();
        if (wrongHandler) {
            if (mode)
                connect(d->RadioGroup1, &RadioGroup::itemIndexChanged, d,
                        [d, &host] { VlanConfigArray(host.data()).set_vlan_mode(char(d->RadioGroup1->itemIndex())); });
            else
                connect(d->StringGrid1, &StringGrid::mouseReleased, d,
                        [d] { d->vlanPole2cfgPole(d->vlanEntryCount()); });
        }

        const VlanBytes before = host;
        spy->take();
        if (mode) {
            d->RadioGroup1->setItemIndex(d->RadioGroup1->itemIndex() == 1 ? 2 : 1);
        } else {
            // LINE 3's membership in the one entry: a click cycles it.
            const QRect cell = d->StringGrid1->cellRect(vp_line3, 1);
            QTest::mouseClick(d->StringGrid1->viewport(), Qt::LeftButton, {}, cell.center());
            QVERIFY(d->vlanPole()[vp_line3][0] != 1); // the click reached the table
        }
        QCoreApplication::processEvents();

        const QString violation = vlanWriteViolation(before, host, spy->take(), d->vlanEntryCount());
        QVERIFY2(violation.isEmpty() == !wrongHandler, qPrintable(violation));
    }
};

QTEST_MAIN(WriteCheckTest)
#include "tst_write_check.moc"
