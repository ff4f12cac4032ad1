// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// Each dialog used from the keyboard alone: every setting changed with keys,
// the dialog committed, and the host's bytes compared with the same changes
// made through the array's own writers. No mouse event is sent.
#include "KeyboardSupport.h"

#include <QSignalSpy>

namespace {

// The arrow keys toward the end and the start of a line: right and left,
// mirrored right to left. With ODU_LAYOUT_DIRECTION=rtl the whole test runs
// right to left.
Qt::Key toEnd()
{
    return QGuiApplication::layoutDirection() == Qt::RightToLeft ? Qt::Key_Left : Qt::Key_Right;
}

Qt::Key toStart()
{
    return QGuiApplication::layoutDirection() == Qt::RightToLeft ? Qt::Key_Right : Qt::Key_Left;
}

// Presses Tab until the focus is on the control (or one of its parts).
void tabTo(QWidget* control)
{
    for (int i = 0; i < 100 && controlOf(focused()) != control; ++i)
        press(Qt::Key_Tab);
    QVERIFY2(controlOf(focused()) == control, qPrintable(control->objectName()));
}

// Moves the page control to a page with the arrow keys on its row of tabs.
void goToPage(QTabWidget* pages, int page)
{
    tabTo(pages->tabBar());
    while (pages->currentIndex() < page)
        press(toEnd());
    while (pages->currentIndex() > page)
        press(toStart());
}

// Replaces the text of the focused field: select it from the start to the
// end, then type.
void retype(const QString& text)
{
    press(Qt::Key_Home);
    press(Qt::Key_End, Qt::ShiftModifier);
    typeText(text);
}

// Answers the VID entry dialog from the keyboard: the VID, then Enter (OK
// is its default button).
void answerVid(QWidget* w, const QString& vid)
{
    auto* entry = qobject_cast<TForm3*>(w);
    QVERIFY2(entry, "the VID entry dialog is open");
    QVERIFY(entry->Edit1->hasFocus());
    retype(vid);
    press(Qt::Key_Return);
}

} // namespace

class TestKeyboardOnly : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariable("ODU_LAYOUT_DIRECTION") == QLatin1String("rtl"))
            QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    }

    void cleanup()
    {
        QVERIFY2(noWindowLeft(), "a window outlived its test");
    }

    void qosDialog();
    void vlanDialog();
};

void TestKeyboardOnly::qosDialog()
{
    QosBytes bytes = QosConfigArray::defaultImage();
    const auto d = makeQosDialog(bytes);
    QSignalSpy finished(d.get(), &QDialog::finished);
    QVERIFY(showActive(d));

    // Global Settings.
    goToPage(d->PageControl1, 0);
    tabTo(d->RadioGroup1);
    press(toEnd());                    // "Enabled"
    tabTo(d->StringGrid1);
    press(Qt::Key_Down);                     // 802.1Q priority 1
    typeText(QStringLiteral("3"));
    press(Qt::Key_Tab);                      // leaves the editor and the grid
    QCOMPARE(controlOf(focused()), static_cast<QWidget*>(d->StringGrid2));
    press(Qt::Key_PageDown);
    typeText(QStringLiteral("2"));
    const int dscp = d->StringGrid2->currentRow() - 1;
    press(Qt::Key_Tab);
    for (const char* weight : {"10", "20", "30", "40"}) {
        retype(QString::fromLatin1(weight));
        press(Qt::Key_Tab);
    }

    // User Ports Settings.
    goToPage(d->PageControl1, 1);
    tabTo(d->Edit5);
    retype(QStringLiteral("5"));
    press(Qt::Key_Tab);
    press(Qt::Key_Down);                     // "VLAN & DSCP" -> "DSCP & VLAN"
    press(Qt::Key_Tab);
    typeText(QStringLiteral("7"));           // tag priority 0 of LINE 2
    press(Qt::Key_Tab);
    retype(QStringLiteral("6"));
    press(Qt::Key_Tab);
    press(Qt::Key_Up);                       // "DSCP"
    press(Qt::Key_Tab);
    press(Qt::Key_Down);
    typeText(QStringLiteral("1"));           // tag priority 1 of LINE 3
    press(Qt::Key_Tab);
    retype(QStringLiteral("1"));
    press(Qt::Key_Tab);
    press(Qt::Key_Up);                       // "DSCP"
    press(Qt::Key_Up);
    press(Qt::Key_Up);                       // "Port's"
    press(Qt::Key_Tab);
    press(Qt::Key_End, Qt::ControlModifier);
    typeText(QStringLiteral("4"));           // tag priority 7 of LINE 4
    press(Qt::Key_Tab);

    // Modem Ports Settings.
    goToPage(d->PageControl1, 2);
    tabTo(d->RadioGroup2);
    press(Qt::Key_Down);                     // "Strict", the item below
    press(Qt::Key_Tab);
    press(Qt::Key_Down);
    tabTo(d->Button1);                       // leaving the group writes it
    press(Qt::Key_Space);                    // "&Ok"

    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), 1);

    QosBytes expected = QosConfigArray::defaultImage();
    QosConfigArray e(expected.data());
    e.writeSwitch(qos_main_switch, true);
    std::array<std::optional<unsigned>, kVlanQueueEntries> queues;
    queues[1] = 3;
    e.writeVlanQueueMap(queues);
    std::array<std::optional<unsigned>, kDscpHalfEntries> half;
    half[dscp % kDscpHalfEntries] = 2;
    e.writeDscpQueueMapHalf(dscp / kDscpHalfEntries, half);
    QVERIFY(e.writeQueueWeights({10, 20, 30, 40}));
    e.writePortPriorities({5u, 6u, 1u});
    e.writePriorityResolution(qos_line2, 4u);
    e.writePriorityResolution(qos_line3, 2u);
    e.writePriorityResolution(qos_line4, 0u);
    std::array<std::optional<unsigned>, kRemapEntries> remap;
    remap[0] = 7;
    e.writeRemapTable(qos_line2, remap);
    remap = {};
    remap[1] = 1;
    e.writeRemapTable(qos_line3, remap);
    remap = {};
    remap[7] = 4;
    e.writeRemapTable(qos_line4, remap);
    e.writeSwitch(ch1_scheduling, true);
    e.writeSwitch(ch2_scheduling, true);
    QCOMPARE(hexText(bytes), hexText(expected));
}

void TestKeyboardOnly::vlanDialog()
{
    VlanArray a;
    a.entries({entry(1, {0, 0, 0, 0, 0, 1}), entry(2, {1, 1, 1, 1, 1, 3}),
               entry(3, {3, 3, 3, 3, 3, 3})})
        .mode(0);
    const VlanArray before = a;
    auto d = makeVlanDialog(a);
    QSignalSpy finished(d.get(), &QDialog::finished);
    QVERIFY(showActive(d.get()));

    // The mode switch: Single Tag.
    tabTo(d->RadioGroup1);
    press(toEnd());
    QCOMPARE(d->RadioGroup1->itemIndex(), 1);

    // Static VLAN: mark entry 3 for deletion, delete it, add VID 300, make
    // it the NMS VLAN with LINE 2 tagged.
    goToPage(d->PageControl1, 1);
    tabTo(d->StringGrid1);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    press(Qt::Key_End);
    press(Qt::Key_Space);                    // delete mark on entry 3
    tabTo(d->Button2);
    press(Qt::Key_Space);                    // "D&elete VLAN"
    QCOMPARE(d->vlanEntryCount(), 2);
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(controlOf(focused()), static_cast<QWidget*>(d->Button1));
    ModalScript script{[](QWidget* w) { answerVid(w, QStringLiteral("300")); }};
    press(Qt::Key_Space);                    // "&Add New VLAN"
    QTRY_VERIFY(script.finished());
    QCOMPARE(d->vlanEntryCount(), 3);
    d->activateWindow(); // the offscreen platform does not hand the activation back by itself
    QTRY_VERIFY(d->Button1->hasFocus());
    tabTo(d->StringGrid1);
    press(Qt::Key_End, Qt::ControlModifier); // last entry, delete column
    press(toStart());                     // NMS
    press(Qt::Key_Space);                    // NMS moves to VID 300
    press(Qt::Key_Home);
    press(toEnd());                    // LINE 2, copied "Untagged"
    press(Qt::Key_Space);                    // -> "Tagged"
    press(toEnd());
    press(Qt::Key_Space);                    // LINE 3 "Untagged" -> "Tagged"
    press(Qt::Key_Space);                    // -> "Not a member"

    // Global VLAN, column by column.
    goToPage(d->PageControl1, 0);
    tabTo(d->Edit2);
    for (const char* vid : {"300", "5", "6", "7", "8", "300"}) {
        retype(QString::fromLatin1(vid));
        press(Qt::Key_Tab);
    }
    for (int i = 0; i < 5; ++i) {            // Force Default VID, every port
        press(Qt::Key_Space);
        press(Qt::Key_Tab);
    }
    for (int i = 0; i < 5; ++i) {            // Ingress Policy: "Tag only"
        press(Qt::Key_Down);
        press(Qt::Key_Tab);
    }
    for (int i = 0; i < 3; ++i) {            // Port Double Tag Mode: "Provider"
        press(Qt::Key_Down);
        press(Qt::Key_Tab);
    }
    press(Qt::Key_Down);                     // Provider Ether Type "0x9100" -> "0x9200"
    QCOMPARE(d->ComboBox14->currentIndex(), 3);
    press(Qt::Key_Tab);
    press(Qt::Key_Space);                    // Remove 1 Provider Tag Only
    QVERIFY(d->CheckBox6->isChecked());

    // Port Based VLAN: Modem 1 off LINE 3, NMS up through LINE 2, NMS to
    // Modem 2, separate user ports.
    goToPage(d->PageControl1, 2);
    tabTo(d->CheckBox8);
    press(Qt::Key_Space);
    tabTo(d->CheckBox13);
    press(Qt::Key_Space);
    tabTo(d->CheckBox17);
    press(Qt::Key_Space);
    press(Qt::Key_Tab);
    press(Qt::Key_Space);

    // Miscellaneous.
    goToPage(d->PageControl1, 3);
    tabTo(d->CheckBox20);
    press(Qt::Key_Space);
    press(Qt::Key_Tab);
    press(Qt::Key_Space);

    tabTo(d->Button3);
    press(Qt::Key_Space);                    // "&Set"
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), 1);

    VlanArray expected = before;
    VlanConfigArray e = expected.cfg();
    expected.entries({entry(1, {0, 0, 0, 0, 0, 3}), entry(2, {1, 1, 1, 1, 1, 3}),
                      entry(300, {2, 3, 1, 1, 1, 1})});
    e.set_cfg_pole_version(0);
    e.set_vlan_mode(1);
    const unsigned short vids[6] = {300, 5, 6, 7, 8, 300};
    for (int p = port_line2; p <= port_nms; ++p)
        e.set_Default_VID(tPortik(p), vids[p]);
    for (int p = port_line2; p <= port_modem2; ++p) {
        e.set_force_DefVID(tPortik(p), 1);
        e.set_ingress_policy(tPortik(p), 1);
    }
    for (int p = port_line2; p <= port_line4; ++p)
        e.set_doubleTag_mode(tPortik(p), 1);
    e.set_provEth_type(3);
    e.set_remove_1PT(1);
    PortForwarding fwd = e.portForwarding();
    fwd[1] = !fwd[1];                        // CheckBox8
    fwd[6] = true;                           // CheckBox13 ...
    fwd[7] = fwd[8] = false;                 // ... takes the uplink from LINE 3 and LINE 4
    fwd[10] = true;                          // CheckBox17 ...
    fwd[9] = false;                          // ... takes NMS from Modem 1
    fwd[11] = !fwd[11];                      // CheckBox18
    e.setPortForwarding(fwd);
    e.setMiscFlags(e.disableLearning(), !e.bpduPriorityOverride(), !e.lacpPriorityOverride());
    QCOMPARE(hexText(a.bytes), hexText(expected.bytes));
}

QTEST_MAIN(TestKeyboardOnly)
#include "tst_keyboard_only.moc"
