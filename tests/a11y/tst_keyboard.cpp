// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// Both dialogs from the keyboard: Enter in a drop-down list, input-method
// text in filtered fields, the static VLAN grid driven by arrows and Space,
// and the Tab order of every page.
#include "KeyboardSupport.h"

#include <QInputMethodEvent>
#include <QPointer>
#include <QSignalSpy>

namespace {

enum class Which { Qos, Vlan };

void commitText(QWidget* target, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(target, &event);
}

// A VLAN array whose lists load the given item: the ingress policy,
// double tag mode and provider EtherType fields all hold index.
VlanArray vlanArrayWithItems(int index)
{
    VlanArray a;
    VlanConfigArray c = a.cfg();
    for (int p = port_line2; p <= port_modem2; ++p)
        c.set_ingress_policy(tPortik(p), char(index & 1));
    for (int p = port_line2; p <= port_line4; ++p)
        c.set_doubleTag_mode(tPortik(p), char(index & 1));
    c.set_provEth_type(char(index));
    c.set_vlan_mode(2);
    return a;
}

// The order Shift+Tab visits from the same start as `order`: the start, then
// the others the other way round.
QStringList backwardsFrom(const QStringList& order)
{
    QStringList backward = order.mid(1);
    std::reverse(backward.begin(), backward.end());
    backward.prepend(order.first());
    return backward;
}

QosBytes qosArrayWithResolution(int mode)
{
    QosBytes a = QosConfigArray::defaultImage();
    QosConfigArray c(a.data());
    for (int p = 0; p < kQosPortCount; ++p)
        c.writePriorityResolution(QosPort(p), unsigned(mode));
    return a;
}

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        QVERIFY2(noWindowLeft(), "a window outlived its test");
    }

    void firstEnterInAListCancels_data();
    void firstEnterInAListCancels();
    void inputMethodTextObeysTheFieldRules_data();
    void inputMethodTextObeysTheFieldRules();
    void inputMethodTextInGridCells();
    void staticGridFromTheKeyboardMatchesClicks_data();
    void staticGridFromTheKeyboardMatchesClicks();
    void staticGridKeysAtTheEdges();
    void qosTabOrder_data();
    void qosTabOrder();
    void vlanTabOrder_data();
    void vlanTabOrder();
    void vidEntryTabOrder();
    void tabLeavesAGridEditorKeepingTheText();
};

// ---- Enter in a drop-down list ------------------------------------------------

void TestKeyboard::firstEnterInAListCancels_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("loaded"); // the item the array selects
    QTest::addColumn<QString>("typed"); // typed into the field before Enter
    for (const char* box : {"ComboBox1", "ComboBox2", "ComboBox3"})
        for (int mode : {0, 1, 2, 3, 4, 6})
            QTest::addRow("QoS %s mode %d", box, mode) << int(Which::Qos) << box << mode << QString();
    QTest::addRow("QoS typed prefix") << int(Which::Qos) << "ComboBox2" << 0 << QStringLiteral("d");
    for (const char* box : {"ComboBox2", "ComboBox3", "ComboBox4", "ComboBox5", "ComboBox6",
                            "ComboBox8", "ComboBox9", "ComboBox10"})
        for (int item : {0, 1})
            QTest::addRow("VLAN %s item %d", box, item) << int(Which::Vlan) << box << item << QString();
    for (int item : {0, 1, 2, 3})
        QTest::addRow("VLAN ComboBox14 item %d", item) << int(Which::Vlan) << "ComboBox14" << item << QString();
    QTest::addRow("VLAN ingress typed T") << int(Which::Vlan) << "ComboBox3" << 0 << QStringLiteral("T");
    QTest::addRow("VLAN EtherType typed 0x9") << int(Which::Vlan) << "ComboBox14" << 0 << QStringLiteral("0x9");
}

void TestKeyboard::firstEnterInAListCancels()
{
    QFETCH(int, which);
    QFETCH(QString, box);
    QFETCH(int, loaded);
    QFETCH(QString, typed);

    QosBytes qos = qosArrayWithResolution(loaded);
    VlanArray vlan = vlanArrayWithItems(loaded);
    OwnedDialog<QDialog> dialog;
    if (which == int(Which::Qos))
        dialog = makeQosDialog(qos);
    else
        dialog = OwnedDialog<QDialog>(makeVlanDialog(vlan).release());
    QVERIFY(showActive(dialog));
    auto* list = dialog->findChild<QComboBox*>(box);
    QVERIFY(list);
    auto* pages = dialog->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    for (int i = 0; i < pages->count(); ++i)
        if (pages->widget(i)->isAncestorOf(list))
            pages->setCurrentIndex(i);
    list->setFocus(Qt::TabFocusReason);
    QVERIFY(list->hasFocus());
    if (!typed.isEmpty()) {
        typeText(typed);
        QTest::qWait(20); // let a completion list close if one opened
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    }

    QSignalSpy finished(dialog.get(), &QDialog::finished);
    press(Qt::Key_Return);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), 2);
    QVERIFY(!dialog->isVisible());
}

// ---- Input-method text ------------------------------------------------------

void TestKeyboard::inputMethodTextObeysTheFieldRules_data()
{
    QTest::addColumn<int>("which"); // 0 QoS, 1 VLAN, 2 VID entry
    QTest::addColumn<QString>("field");
    for (const char* e : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Edit7"})
        QTest::addRow("QoS %s", e) << 0 << e;
    for (const char* e : {"Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Edit7"})
        QTest::addRow("VLAN %s", e) << 1 << e;
    QTest::addRow("VID entry") << 2 << "Edit1";
}

void TestKeyboard::inputMethodTextObeysTheFieldRules()
{
    QFETCH(int, which);
    QFETCH(QString, field);

    QosBytes qos = QosConfigArray::defaultImage();
    VlanArray vlan;
    short vid = 0;
    OwnedDialog<QDialog> dialog;
    if (which == 0)
        dialog = makeQosDialog(qos);
    else if (which == 1)
        dialog = OwnedDialog<QDialog>(makeVlanDialog(vlan).release());
    else
        dialog = OwnedDialog<QDialog>(new TForm3(nullptr, englishCatalogue(), 7, &vid));
    QVERIFY(showActive(dialog));
    auto* edit = dialog->findChild<QLineEdit*>(field);
    QVERIFY(edit);
    if (auto* pages = dialog->findChild<QTabWidget*>(QStringLiteral("PageControl1")))
        for (int i = 0; i < pages->count(); ++i)
            if (pages->widget(i)->isAncestorOf(edit))
                pages->setCurrentIndex(i);
    edit->setFocus(Qt::TabFocusReason);
    edit->setText(QStringLiteral("1"));
    edit->end(false);

    // A dead key or compose sequence, a full-width digit, a sign, a blank:
    // none of them is a digit "0" to "9".
    for (const QString& refused : {QStringLiteral("é"), QStringLiteral("７"), QStringLiteral("-"),
                                   QStringLiteral(" "), QStringLiteral("٣")}) {
        commitText(edit, refused);
        QCOMPARE(edit->text(), QStringLiteral("1"));
    }
    // A digit committed the same way is taken.
    commitText(edit, QStringLiteral("2"));
    QCOMPARE(edit->text(), QStringLiteral("12"));
    if (which == 0) {
        // The filter works character by character, as typing does.
        commitText(edit, QStringLiteral("é3"));
        QCOMPARE(edit->text(), QStringLiteral("123"));
    }
    QVERIFY(edit->inputMethodHints() & Qt::ImhDigitsOnly);
    dialog->close();
}

void TestKeyboard::inputMethodTextInGridCells()
{
    QosBytes qos = QosConfigArray::defaultImage();
    const auto dialog = makeQosDialog(qos);
    QVERIFY(showActive(dialog));
    for (StringGrid* grid : {dialog->StringGrid1, dialog->StringGrid2, dialog->StringGrid3,
                             dialog->StringGrid4, dialog->StringGrid5}) {
        const int page = grid == dialog->StringGrid1 || grid == dialog->StringGrid2 ? 0 : 1;
        dialog->PageControl1->setCurrentIndex(page);
        grid->setFocus(Qt::TabFocusReason);
        const QModelIndex cell = grid->currentIndex();
        const QString before = grid->cellText(cell.column(), cell.row());

        // Refused text does not even open the editor.
        commitText(grid, QStringLiteral("é"));
        QVERIFY(!grid->isEditing());
        QCOMPARE(grid->cellText(cell.column(), cell.row()), before);

        // In the open editor the same rule holds.
        QTest::keyClicks(grid, QStringLiteral("1"));
        QVERIFY(grid->isEditing());
        auto* editor = qobject_cast<QLineEdit*>(focused());
        QVERIFY(editor);
        commitText(editor, QStringLiteral("７"));
        commitText(editor, QStringLiteral("ée"));
        QCOMPARE(editor->text(), QStringLiteral("1"));
        commitText(editor, QStringLiteral("2"));
        QCOMPARE(editor->text(), QStringLiteral("12"));
        QTest::keyClick(editor, Qt::Key_Escape, Qt::NoModifier); // cancels the dialog too
        break;
    }
}

// ---- The static VLAN grid ---------------------------------------------------------

// A route through the grid: arrow keys from the first entry's VID cell, then
// Space; the same cell is then clicked in a second dialog.
struct GridStep
{
    int col;
    int row;
};

void TestKeyboard::staticGridFromTheKeyboardMatchesClicks_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QList<int>>("steps"); // col, row pairs
    const QList<int> steps{1, 1, 1, 1, 1, 1, 1, 1, // four presses on LINE 2 of entry 1
                           5, 2,                   // Modem 2 of entry 2
                           6, 3, 6, 3,             // NMS of entry 3, twice
                           6, 1,                   // NMS back to entry 1
                           7, 2, 7, 3, 7, 2};      // delete marks
    for (int mode : {0, 1, 2})
        QTest::addRow("mode %d", mode) << mode << steps;
}

void TestKeyboard::staticGridFromTheKeyboardMatchesClicks()
{
    QFETCH(int, mode);
    QFETCH(QList<int>, steps);
    VlanArray a;
    a.entries({entry(10, {0, 1, 2, 3, 0, 1}), entry(20, {3, 3, 3, 3, 1, 3}),
               entry(30, {2, 2, 2, 2, 2, 3})})
        .mode(mode);
    VlanArray b = a;

    auto byKeys = makeVlanDialog(a);
    auto byMouse = makeVlanDialog(b);
    QVERIFY(showActive(byKeys.get()));
    byKeys->PageControl1->setCurrentIndex(1);
    byKeys->StringGrid1->setFocus(Qt::TabFocusReason);
    QCOMPARE(byKeys->StringGrid1->currentRow(), 1); // starts on the first entry, not the heading
    QCOMPARE(byKeys->StringGrid1->currentColumn(), 0);

    for (int i = 0; i + 1 < steps.size(); i += 2) {
        const int col = steps.at(i);
        const int row = steps.at(i + 1);
        StringGrid* g = byKeys->StringGrid1;
        while (g->currentRow() < row)
            press(Qt::Key_Down);
        while (g->currentRow() > row)
            press(Qt::Key_Up);
        while (g->currentColumn() < col)
            press(Qt::Key_Right);
        while (g->currentColumn() > col)
            press(Qt::Key_Left);
        press(Qt::Key_Space);
        QCOMPARE(g->currentColumn(), col); // Space acts where it is pressed
        QCOMPARE(g->currentRow(), row);
        QVERIFY(byKeys->isVisible());
    }
    byKeys->close();

    QVERIFY(showActive(byMouse.get()));
    byMouse->PageControl1->setCurrentIndex(1);
    for (int i = 0; i + 1 < steps.size(); i += 2) {
        StringGrid* g = byMouse->StringGrid1;
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->cellRect(steps.at(i), steps.at(i + 1)).center());
    }
    byMouse->close();

    for (int row = 0; row < byKeys->StringGrid1->rowCount(); ++row)
        for (int col = 0; col < 8; ++col)
            QCOMPARE(byKeys->StringGrid1->cellText(col, row), byMouse->StringGrid1->cellText(col, row));
    QCOMPARE(byKeys->vlanPole(), byMouse->vlanPole());
    // Something did change: the marks and LINE 2 of entry 1 after four steps.
    QCOMPARE(byKeys->vlanPole()[vp_mark][2], short(1));
    QCOMPARE(byKeys->vlanPole()[vp_mark][1], short(0));
}

void TestKeyboard::staticGridKeysAtTheEdges()
{
    VlanArray a;
    a.entries({entry(10, {0, 1, 2, 3, 0, 1}), entry(20, {3, 3, 3, 3, 1, 3})}).mode(1);
    auto d = makeVlanDialog(a);
    QVERIFY(showActive(d.get()));
    d->PageControl1->setCurrentIndex(1);
    StringGrid* g = d->StringGrid1;
    g->setFocus(Qt::TabFocusReason);

    // The heading row is never current: Up and Page Up stay on entry 1.
    press(Qt::Key_Up);
    QCOMPARE(g->currentRow(), 1);
    press(Qt::Key_PageUp);
    QCOMPARE(g->currentRow(), 1);
    press(Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(g->currentRow(), 2);
    QCOMPARE(g->currentColumn(), 7);
    press(Qt::Key_Home);
    QCOMPARE(g->currentColumn(), 0);

    // Space on the VID cell asks for a new VID, as a click does.
    bool asked = false;
    ModalScript script{[&](QWidget* w) {
        asked = qobject_cast<TForm3*>(w) != nullptr;
        QTest::keyClick(w, Qt::Key_Escape);
    }};
    press(Qt::Key_Space);
    QTRY_VERIFY(script.finished());
    QVERIFY(asked);
    QCOMPARE(g->cellText(0, 2), QStringLiteral("20"));
    d->activateWindow(); // the offscreen platform does not hand the activation back by itself
    QTRY_VERIFY(g->hasFocus());

    // The current cell is framed while the grid has the focus.
    const QRect cell = g->cellRect(3, 2);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    QCOMPARE(g->currentColumn(), 3);
    const QImage framed = g->viewport()->grab(cell).toImage();
    press(Qt::Key_Right);
    const QImage plain = g->viewport()->grab(cell).toImage();
    QVERIFY(framed != plain);

    // Enter keeps cancelling the dialog.
    QSignalSpy finished(d.get(), &QDialog::finished);
    press(Qt::Key_Return);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), 2);
}

// ---- Tab order ----------------------------------------------------------------------

void TestKeyboard::qosTabOrder_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("order");
    const QStringList strip{"Button3", "Button1", "Button2", "qt_tabwidget_tabbar"};
    QTest::newRow("Global Settings") << 0 << strip + QStringList{
        "RadioGroup1", "StringGrid1", "StringGrid2", "Edit1", "Edit2", "Edit3", "Edit4"};
    QTest::newRow("User Ports Settings") << 1 << strip + QStringList{
        "Edit5", "ComboBox1", "StringGrid3", "Edit6", "ComboBox2", "StringGrid4",
        "Edit7", "ComboBox3", "StringGrid5"};
    QTest::newRow("Modem Ports Settings") << 2 << strip + QStringList{"RadioGroup2", "RadioGroup3"};
}

void TestKeyboard::qosTabOrder()
{
    QFETCH(int, page);
    QFETCH(QStringList, order);
    QosBytes qos = QosConfigArray::defaultImage();
    const auto d = makeQosDialog(qos);
    QVERIFY(showActive(d));
    QVERIFY(d->Button3->hasFocus()); // the dialog opens on Cancel
    d->PageControl1->setCurrentIndex(page);
    QCOMPARE(namesOf(tabWalk(true)).join(u' '), order.join(u' '));
    QCOMPARE(namesOf(tabWalk(false)).join(u' '), backwardsFrom(order).join(u' '));
}

void TestKeyboard::vlanTabOrder_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("hasLine4");
    QTest::addColumn<QStringList>("order");
    const QStringList top{"RadioGroup1", "qt_tabwidget_tabbar"};
    const QStringList strip{"Button3", "Button5", "Button4"};
    // Column by column; the lists that only show fixed values are disabled
    // and skipped.
    const QStringList global{"Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Edit7",
                             "CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5",
                             "ComboBox2", "ComboBox3", "ComboBox4", "ComboBox5", "ComboBox6",
                             "ComboBox8", "ComboBox9", "ComboBox10", "ComboBox14", "CheckBox6"};
    QTest::newRow("Global VLAN") << 0 << true << top + global + strip;
    QTest::newRow("Static VLAN") << 1 << true << top + QStringList{"StringGrid1", "Button1", "Button2"} + strip;
    QTest::newRow("Port Based VLAN") << 2 << true << top + QStringList{
        "CheckBox7", "CheckBox8", "CheckBox9", "CheckBox10", "CheckBox11", "CheckBox12",
        "CheckBox13", "CheckBox14", "CheckBox15", "CheckBox16", "CheckBox17", "CheckBox18"} + strip;
    QTest::newRow("Miscellaneous") << 3 << true << top + QStringList{"CheckBox20", "CheckBox21"} + strip;
}

void TestKeyboard::vlanTabOrder()
{
    QFETCH(int, page);
    QFETCH(QStringList, order);
    VlanArray a;
    auto d = makeVlanDialog(a);
    QVERIFY(showActive(d.get()));
    d->PageControl1->setCurrentIndex(page);
    d->RadioGroup1->button(d->RadioGroup1->itemIndex())->setFocus(Qt::TabFocusReason);
    QCOMPARE(namesOf(tabWalk(true)).join(u' '), order.join(u' '));
    QCOMPARE(namesOf(tabWalk(false)).join(u' '), backwardsFrom(order).join(u' '));
}

void TestKeyboard::vidEntryTabOrder()
{
    TIniFile noFile;
    short vid = 0;
    TForm3 f(nullptr, &noFile, 5, &vid);
    QVERIFY(showActive(&f));
    QVERIFY(f.Edit1->hasFocus());
    QCOMPARE(namesOf(tabWalk(true)), (QStringList{"Edit1", "Button1", "Button2"}));
    QCOMPARE(namesOf(tabWalk(false)), (QStringList{"Edit1", "Button2", "Button1"}));
}

void TestKeyboard::tabLeavesAGridEditorKeepingTheText()
{
    QosBytes qos = QosConfigArray::defaultImage();
    const auto d = makeQosDialog(qos);
    QVERIFY(showActive(d));
    d->PageControl1->setCurrentIndex(1);
    d->StringGrid3->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Down);
    typeText(QStringLiteral("5"));
    QVERIFY(d->StringGrid3->isEditing());
    press(Qt::Key_Tab);
    // The focus left the grid for the next control, and the grid's leave
    // handler stored the entry of row 1.
    QCOMPARE(controlOf(focused()), static_cast<QWidget*>(d->Edit6));
    QCOMPARE(QosConfigArray(qos.data()).remapEntry(qos_line2, 1), 5u);
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(controlOf(focused()), static_cast<QWidget*>(d->StringGrid3));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
