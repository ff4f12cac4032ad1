// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The host's side of the contract, tried the way a careless or hurried host
// would: destroying a dialog while one of its nested modal windows is open,
// and the ways of destroying the QoS dialog that its header calls safe. Run
// under the sanitizer build, a use after free or a double delete stops the
// test.

#include "qos/Qos_form.h"
#include "vlan/Unit3.h"
#include "core/VlanConfig.h"
#include "vlan/Vlan_form.h"

#include "core/IniFile.h"
#include "plugin/InstancePointers.h"
#include "testing/ArrayBytes.h"
#include "testing/ModalAnswering.h"
#include "tests/support/DialogFixtures.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

enum class Nested {
    QosResetQuestion,
    QosWeightsError,
    VlanSetError,
    VlanDefaultQuestion,
    VidEntryDialog,
    VidEntryFromGrid,
    VidExistsError,
};

void clickButton(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

QosBytes qosDefaults()
{
    QosBytes b;
    b.fill(0xFF); // blank: the constructor writes the default image
    return b;
}

VlanBytes vlanWithOneEntry(short vid)
{
    VlanBytes b = VlanConfigArray::defaultImage();
    VlanConfigArray a(b.data());
    a.set_pocet_vlan(1);
    StaticVlanEntry entry;
    entry.vid = static_cast<unsigned short>(vid);
    entry.codes = {1, 1, 1, 3, 3, 1};
    a.writeSlot(0, entry);
    return b;
}

} // namespace

Q_DECLARE_METATYPE(Nested)

class HostContractTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(noWindowLeft());
    }

    // The host destroys the dialog from a timer while a nested modal window
    // is open (a link dropped). The window closes with the dialog, the
    // handler that opened it returns without touching the dialog, the host's
    // exec() returns, and the array is left as it was.
    void hostDestroysDialogUnderNestedWindow_data()
    {
        QTest::addColumn<Nested>("nested");
        QTest::newRow("QoS reset question") << Nested::QosResetQuestion;
        QTest::newRow("QoS weights error box") << Nested::QosWeightsError;
        QTest::newRow("VLAN Set error box") << Nested::VlanSetError;
        QTest::newRow("VLAN default question") << Nested::VlanDefaultQuestion;
        QTest::newRow("VID entry dialog") << Nested::VidEntryDialog;
        QTest::newRow("VID entry dialog from a grid click") << Nested::VidEntryFromGrid;
        QTest::newRow("VID exists error box, after the entry dialog") << Nested::VidExistsError;
    }

    void hostDestroysDialogUnderNestedWindow()
    {
        QFETCH(Nested, nested);
        TIniFile catalogue;
        QosBytes qos = qosDefaults();
        VlanBytes vlan = vlanWithOneEntry(100);
        int size = 0;

        QPointer<QDialog> dialog;
        std::function<void()> trigger;
        const bool isQos = nested == Nested::QosResetQuestion || nested == Nested::QosWeightsError;
        if (isQos) {
            auto* d = new TQos_form(nullptr, true, &catalogue, qos.data(), &size);
            dialog = d;
            if (nested == Nested::QosResetQuestion) {
                d->Edit5->setText(QStringLiteral("3"));
                d->Edit5Exit(d->Edit5); // a change the reset would undo
                trigger = [d] { clickButton(d->Button2); };
            } else {
                // Through the focus change that runs the leave handler.
                trigger = [d] {
                    QApplication::setActiveWindow(d);
                    d->Edit1->setFocus(Qt::TabFocusReason);
                    d->Edit1->setText(QStringLiteral("9999"));
                    d->Edit2->setFocus(Qt::TabFocusReason);
                };
            }
        } else {
            auto* d = new TVlan_form(nullptr, true, &catalogue, vlan.data(), &size, false, 1, 0, 0, 0x08);
            dialog = d;
            switch (nested) {
            case Nested::VlanSetError:
                d->Edit2->setText(QStringLiteral("0"));
                trigger = [d] { clickButton(d->Button3); };
                break;
            case Nested::VlanDefaultQuestion:
                trigger = [d] { clickButton(d->Button5); };
                break;
            case Nested::VidEntryFromGrid:
                trigger = [d] {
                    const QRect cell = d->StringGrid1->cellRect(vp_vid, 1);
                    QTest::mouseClick(d->StringGrid1->viewport(), Qt::LeftButton, {}, cell.center());
                };
                break;
            default:
                trigger = [d] { clickButton(d->Button1); };
                break;
            }
        }
        const QosBytes qosBefore = qos;
        const VlanBytes vlanBefore = vlan;

        // Each new modal window but the dialog, until the host has deleted it.
        QString seen;
        bool deleted = false;
        QPointer<QWidget> last;
        ModalWatcher watch([&](QWidget* w) {
            last = w;
            if (nested == Nested::VidExistsError && qobject_cast<TForm3*>(w)) {
                auto* entry = static_cast<TForm3*>(w);
                entry->Edit1->setText(QStringLiteral("100")); // exists already
                entry->Button1->click();
                return;
            }
            seen = QString::fromLatin1(w->metaObject()->className());
            deleted = true;
            delete dialog.data(); // the host's timer
        }, 5);
        watch.setFilter([&](QWidget* w) { return !deleted && w != dialog && w != last; });
        QTimer::singleShot(0, dialog, trigger);
        const int result = dialog->exec();

        QVERIFY(deleted);
        QVERIFY(dialog.isNull());
        QCOMPARE(result, int(QDialog::Rejected));
        const bool entryDialog = nested == Nested::VidEntryDialog || nested == Nested::VidEntryFromGrid;
        QCOMPARE(seen, entryDialog ? QStringLiteral("TForm3") : QStringLiteral("QMessageBox"));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        if (nested != Nested::VlanSetError) // Set writes while it checks
            QVERIFY(vlan == vlanBefore);
        QVERIFY(qos == qosBefore);
    }

    // The safe ways to end a QoS dialog, as its header documents them. The
    // dialog schedules its own deletion when it closes.
    void qosDeletedBeforeTheEventLoopRunsAgain()
    {
        TIniFile catalogue;
        QosBytes qos = qosDefaults();
        int size = 0;
        auto* dlg = new TQos_form(nullptr, true, &catalogue, qos.data(), &size);
        int destroyed = 0;
        connect(dlg, &QObject::destroyed, this, [&destroyed] { ++destroyed; });
        QTimer::singleShot(0, dlg, [dlg] { dlg->Button1->click(); });
        QCOMPARE(dlg->exec(), 1);
        delete dlg; // at once: the scheduled deletion is dropped with it
        QCOMPARE(destroyed, 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        QCOMPARE(destroyed, 1);
        QVERIFY(noWindowLeft());
    }

    void qosHeldInQPointerAcrossAMessageBox()
    {
        TIniFile catalogue;
        QosBytes qos = qosDefaults();
        int size = 0;
        QPointer<TQos_form> dlg = new TQos_form(nullptr, true, &catalogue, qos.data(), &size);
        QTimer::singleShot(0, dlg, [d = dlg.data()] { d->Button3->click(); });
        QCOMPARE(dlg->exec(), 2);
        QVERIFY(Qos_form1 == nullptr);

        // The host shows a box of its own: its event loop runs the dialog's
        // scheduled deletion, and the QPointer notices.
        QTimer::singleShot(0, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->button(QMessageBox::Ok)->click();
        });
        QMessageBox::information(nullptr, QStringLiteral("Host"), QStringLiteral("Saved."));
        QVERIFY(dlg.isNull());
        delete dlg; // deleting a null QPointer's target is nothing
    }

    void qosOwnedByTheHostWindow()
    {
        TIniFile catalogue;
        QosBytes qos = qosDefaults();
        int size = 0;
        auto host = std::make_unique<QWidget>();
        QPointer<TQos_form> dlg = new TQos_form(host.get(), true, &catalogue, qos.data(), &size);
        QTimer::singleShot(0, dlg, [d = dlg.data()] { d->Button1->click(); });
        QCOMPARE(dlg->exec(), 1);
        host.reset(); // the owner goes first, before the scheduled deletion ran
        QVERIFY(dlg.isNull());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A host may delete either dialog from the signals that QDialog::done
    // emits, at once or with deleteLater: the dialog touches nothing of
    // itself after them, and the host's exec() returns.
    void hostDeletesDialogFromItsOwnSignal_data()
    {
        QTest::addColumn<bool>("isQos");
        QTest::addColumn<QString>("signal");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("later");
        // rejected() comes with result 0 only (QDialog::Rejected), which a
        // host gives with done(0); both dialogs cancel with 2.
        for (const bool isQos : {true, false}) {
            const char* name = isQos ? "QoS" : "VLAN";
            QTest::addRow("%s, delete from finished()", name) << isQos << u"finished"_s << 1 << false;
            QTest::addRow("%s, delete from finished(), cancel", name) << isQos << u"finished"_s << 2 << false;
            QTest::addRow("%s, deleteLater from finished()", name) << isQos << u"finished"_s << 2 << true;
            QTest::addRow("%s, deleteLater from accepted()", name) << isQos << u"accepted"_s << 1 << true;
            QTest::addRow("%s, deleteLater from rejected()", name) << isQos << u"rejected"_s << 0 << true;
            // QDialog::done would emit finished() on a dialog deleted from
            // accepted() or rejected(); neither dialog does.
            QTest::addRow("%s, delete from accepted()", name) << isQos << u"accepted"_s << 1 << false;
            QTest::addRow("%s, delete from rejected()", name) << isQos << u"rejected"_s << 0 << false;
        }
    }

    void hostDeletesDialogFromItsOwnSignal()
    {
        QFETCH(bool, isQos);
        QFETCH(QString, signal);
        QFETCH(int, result);
        QFETCH(bool, later);
        TIniFile catalogue;
        QosBytes qos = qosDefaults();
        VlanBytes vlan = VlanConfigArray::defaultImage();
        int size = 0;
        QDialog* d = isQos ? static_cast<QDialog*>(new TQos_form(nullptr, true, &catalogue, qos.data(), &size))
                           : new TVlan_form(nullptr, true, &catalogue, vlan.data(), &size, false, 1, 0, 0, 0x08);
        QPointer<QDialog> dialog = d;
        const auto hostDeletes = [d, later] {
            if (later)
                d->deleteLater();
            else
                delete d;
        };
        if (signal == u"finished"_s)
            connect(d, &QDialog::finished, d, hostDeletes);
        else if (signal == u"accepted"_s)
            connect(d, &QDialog::accepted, d, hostDeletes);
        else
            connect(d, &QDialog::rejected, d, hostDeletes);

        QTimer::singleShot(0, d, [d, result] { d->done(result); });
        const int returned = d->exec();
        QCOMPARE(returned, later ? result : int(QDialog::Rejected));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        QVERIFY(dialog.isNull());
        QVERIFY(Qos_form1 == nullptr);
    }

    // The VLAN dialog never deletes itself: the host does, whenever it likes.
    void vlanLivesUntilTheHostDeletesIt()
    {
        TIniFile catalogue;
        VlanBytes vlan = VlanConfigArray::defaultImage();
        int size = 0;
        QPointer<TVlan_form> dlg = new TVlan_form(nullptr, true, &catalogue, vlan.data(), &size, false, 1, 0, 0, 0x08);
        QTimer::singleShot(0, dlg, [d = dlg.data()] { d->Button4->click(); });
        QCOMPARE(dlg->exec(), 2);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        QVERIFY(!dlg.isNull());
        delete dlg;
    }
};

QTEST_MAIN(HostContractTest)
#include "tst_host_contract.moc"
