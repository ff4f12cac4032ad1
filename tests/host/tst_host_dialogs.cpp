// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The demo host over the real dialogs: the host contract's calling order, the
// cancel copy around a run, and the window that shows what a run wrote.

#include "host/app/DemoWindow.h"
#include "host/app/DialogRun.h"
#include "host/app/HexView.h"
#include "testing/ArrayBytes.h"
#include "testing/ModalAnswering.h"

#include "core/IniFile.h"
#include "plugin/InstancePointers.h"
#include "core/QosConfig.h"
#include "qos/Qos_form.h"
#include "core/VlanConfig.h"
#include "vlan/Vlan_form.h"

#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Runs `act` on the modal dialog once its modal loop is running.
void onModalDialog(std::function<void(QWidget*)> act)
{
    whenModal([act](QWidget* modal) {
        QVERIFY(modal);
        act(modal);
    });
}

void pressCancel(QWidget* modal)
{
    QTest::keyClick(modal, Qt::Key_Escape);
}

} // namespace

class TestHostDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();

    void qosCancelOnBlankArray_data();
    void qosCancelOnBlankArray();
    void qosWriteThroughThenCancel_data();
    void qosWriteThroughThenCancel();
    void qosCloseBoxAndHostDelete();
    void vlanSetAndCancel_data();
    void vlanSetAndCancel();
    void vlanGetsUnitFacts_data();
    void vlanGetsUnitFacts();
    void windowShowsRun();

private:
    TIniFile m_english;
};

void TestHostDialogs::cleanup()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(QApplication::topLevelWidgets().size(), 0);
    QCOMPARE(Qos_form1, nullptr);
    QCOMPARE(Vlan_form1, nullptr);
}

void TestHostDialogs::qosCancelOnBlankArray_data()
{
    QTest::addColumn<bool>("discard");
    QTest::newRow("keep what the dialog wrote") << false;
    QTest::newRow("discard on cancel") << true;
}

void TestHostDialogs::qosCancelOnBlankArray()
{
    QFETCH(bool, discard);
    QByteArray cfg(40, char(0xFF));
    const char* buffer = cfg.constData();
    onModalDialog([](QWidget* modal) {
        QVERIFY(qobject_cast<TQos_form*>(modal));
        QCOMPARE(Qos_form1, modal); // the host's instance pointer while it runs
        pressCancel(modal);
    });
    const DialogRun run = runQosDialog(nullptr, true, &m_english, cfg, discard);
    QCOMPARE(run.kind, ArrayKind::Qos);
    QCOMPARE(run.result, 2);
    QCOMPARE(run.reportedSize, 40);
    QCOMPARE(run.before, QByteArray(40, char(0xFF)));
    QCOMPARE(run.afterConstruction, byteImage(QosConfigArray::defaultImage()));
    QCOMPARE(run.written, byteImage(QosConfigArray::defaultImage()));
    QCOMPARE(run.restored, discard);
    QCOMPARE(cfg, discard ? run.before : run.written);
    QCOMPARE(run.kept, cfg);
    QCOMPARE(cfg.constData(), buffer); // the host's buffer, never swapped
}

void TestHostDialogs::qosWriteThroughThenCancel_data()
{
    QTest::addColumn<bool>("discard");
    QTest::addColumn<int>("result");
    QTest::newRow("cancel keeps the write") << false << 2;
    QTest::newRow("cancel with discard") << true << 2;
    QTest::newRow("OK with discard keeps the write") << true << 1;
}

void TestHostDialogs::qosWriteThroughThenCancel()
{
    QFETCH(bool, discard);
    QFETCH(int, result);
    QByteArray cfg = byteImage(QosConfigArray::defaultImage());
    onModalDialog([result](QWidget* modal) {
        auto* qos = qobject_cast<TQos_form*>(modal);
        QVERIFY(qos);
        // The user types a port priority and leaves the edit.
        qos->Edit5->setText(u"5"_s);
        qos->Edit5Exit(qos->Edit5);
        if (result == 1)
            qos->Button1->click();
        else
            qos->Button3->click();
    });
    const DialogRun run = runQosDialog(nullptr, false, &m_english, cfg, discard);
    QCOMPARE(run.result, result);
    QCOMPARE(changedOffsets(run.before, run.written), QList<int>{0});
    QCOMPARE(cfg, (discard && result == 2) ? run.before : run.written);
}

void TestHostDialogs::qosCloseBoxAndHostDelete()
{
    // The dialog schedules its own deletion when it closes; the host deletes
    // it right after exec() anyway, and the scheduled deletion then must do
    // nothing (a double delete shows under the sanitizers).
    QByteArray cfg(40, '\0');
    onModalDialog([](QWidget* modal) { modal->close(); });
    const DialogRun run = runQosDialog(nullptr, true, &m_english, cfg, false);
    QCOMPARE(run.result, 2);
    QCOMPARE(cfg, QByteArray(40, '\0')); // 40 zero bytes are not blank
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void TestHostDialogs::vlanSetAndCancel_data()
{
    QTest::addColumn<bool>("discard");
    QTest::addColumn<bool>("set");
    QTest::newRow("Set on the defaults") << false << true;
    QTest::newRow("Set with discard on") << true << true;
    QTest::newRow("cancel keeps the default image") << false << false;
    QTest::newRow("cancel with discard puts the blank array back") << true << false;
}

void TestHostDialogs::vlanSetAndCancel()
{
    QFETCH(bool, discard);
    QFETCH(bool, set);
    QByteArray cfg(82, char(0xFF));
    onModalDialog([set](QWidget* modal) {
        auto* vlan = qobject_cast<TVlan_form*>(modal);
        QVERIFY(vlan);
        QCOMPARE(Vlan_form1, vlan);
        if (set)
            vlan->Button3->click();
        else
            pressCancel(vlan);
    });
    const DialogRun run = runVlanDialog(nullptr, true, &m_english, cfg, UnitFacts(), discard);
    QCOMPARE(run.kind, ArrayKind::Vlan);
    QCOMPARE(run.result, set ? 1 : 2);
    QCOMPARE(run.reportedSize, 82);
    QCOMPARE(run.afterConstruction, byteImage(VlanConfigArray::defaultImage()));
    QCOMPARE(run.written, byteImage(VlanConfigArray::defaultImage()));
    QCOMPARE(run.restored, discard && !set);
    QCOMPARE(cfg, run.restored ? QByteArray(82, char(0xFF)) : byteImage(VlanConfigArray::defaultImage()));
}

void TestHostDialogs::vlanGetsUnitFacts_data()
{
    QTest::addColumn<int>("capabilities");
    QTest::addColumn<int>("modem2Present");
    QTest::addColumn<int>("modem2Mode");
    QTest::addColumn<bool>("line4");
    QTest::addColumn<bool>("modem2");
    QTest::newRow("LINE 4, Modem 2") << 0x08 << 1 << 0 << true << true;
    QTest::newRow("other capability bits only") << 0xF7 << 1 << 0 << false << true;
    QTest::newRow("Modem 2 mode 100") << 0xFF << 1 << 100 << true << false;
    QTest::newRow("no Modem 2") << 0x08 << 0 << 0 << true << false;
}

void TestHostDialogs::vlanGetsUnitFacts()
{
    QFETCH(int, capabilities);
    QFETCH(int, modem2Present);
    QFETCH(int, modem2Mode);
    QFETCH(bool, line4);
    QFETCH(bool, modem2);

    UnitFacts facts;
    facts.oduCapabilities = char(capabilities);
    facts.modem2Present = char(modem2Present);
    facts.modem2Mode = char(modem2Mode);
    QCOMPARE(facts.hasLine4(), line4);
    QCOMPARE(facts.modem2Usable(), modem2);

    QByteArray cfg = byteImage(VlanConfigArray::defaultImage());
    onModalDialog([line4, modem2](QWidget* modal) {
        auto* vlan = qobject_cast<TVlan_form*>(modal);
        QVERIFY(vlan);
        QCOMPARE(vlan->hasLine4(), line4);
        QCOMPARE(vlan->modem2Usable(), modem2);
        pressCancel(vlan);
    });
    const DialogRun run = runVlanDialog(nullptr, true, &m_english, cfg, facts, false);
    QCOMPARE(run.result, 2);
}

void TestHostDialogs::windowShowsRun()
{
    const auto window = std::make_unique<DemoWindow>();
    window->show();
    QVERIFY(window->localSelected());
    QVERIFY(window->hexText(ArrayKind::Qos).contains(u"FF FF FF FF"_s));

    // The remote unit, discard on: the dialog's defaults are discarded.
    window->selectUnit(false);
    window->setDiscardOnCancel(true);
    onModalDialog([](QWidget* modal) {
        QCOMPARE(modal->windowTitle(), u"Remote QoS Configuration Dialog"_s);
        pressCancel(modal);
    });
    window->findChild<QPushButton*>(u"openQos"_s)->click();
    QVERIFY2(window->resultText().contains(u"QoS dialog, remote unit: modal result 2 (cancel)"_s),
             qPrintable(window->resultText()));
    QVERIFY(window->resultText().contains(u"the copy was put back"_s));
    QCOMPARE(window->unit(false).qos, QByteArray(40, char(0xFF)));

    // Discard off: the defaults stay, the hex view and the decoded view show them.
    window->setDiscardOnCancel(false);
    onModalDialog(pressCancel);
    window->findChild<QPushButton*>(u"openQos"_s)->click();
    QVERIFY(window->resultText().contains(u"replaced it by the default image"_s));
    QVERIFY(window->resultText().contains(u"Cancel does not undo"_s));
    QCOMPARE(window->unit(false).qos, byteImage(QosConfigArray::defaultImage()));
    QCOMPARE(window->unit(true).qos, QByteArray(40, char(0xFF))); // the local unit untouched
    QVERIFY(window->hexText(ArrayKind::Qos).contains(u"00 00 1B 03 10 32 54 76"_s));
    const QList<QTreeWidgetItem*> found =
        window->decodedTree(ArrayKind::Qos)->findItems(u"VLAN & DSCP"_s, Qt::MatchRecursive | Qt::MatchExactly, 1);
    QCOMPARE(found.size(), 3);
    QVERIFY(found.first()->toolTip(1).startsWith(u"was: 7"_s)); // marked as changed

    // The VLAN dialog over the same unit, OK through Set.
    onModalDialog([](QWidget* modal) { qobject_cast<TVlan_form*>(modal)->Button3->click(); });
    window->findChild<QPushButton*>(u"openVlan"_s)->click();
    QCOMPARE(window->lastRun().result, 1);
    QVERIFY(window->resultText().contains(u"VLAN dialog, remote unit: modal result 1 (OK)"_s));
    QCOMPARE(window->unit(false).vlan, byteImage(VlanConfigArray::defaultImage()));

}

QTEST_MAIN(TestHostDialogs)
#include "tst_host_dialogs.moc"
