// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// Integrity properties of the real dialogs over hundreds of seeded random
// arrays (ROBUST_DIALOGS sets how many, ROBUST_SEED the seed):
//  - VLAN: opening the dialog and pressing "&Set" changes only the bits Set
//    owns (never the reserved bits of byte 0, the Modem double-tag bits or
//    the slots after vlanCount), whatever the checks answer; and a second
//    dialog opened on the result and Set again changes nothing more.
//  - VLAN and QoS: Cancel, Escape or the close box right after opening
//    leaves the array as the blank rule left it.
//  - QoS: opening the dialog and leaving every control in turn, without
//    typing, changes nothing but the reserved bits its write groups clear
//    (byte 0 bits 6-7, byte 1 bits 3-7, byte 38 bits 3-7), and a resolution
//    that names no mode (5 to 7) at most within its own three bits.

#include "core/IniFile.h"
#include "qos/Qos_form.h"
#include "tests/robust/RobustSupport.h"
#include "testing/ModalAnswering.h"
#include "vlan/Vlan_form.h"

#include <QApplication>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <algorithm>

using namespace robust;

namespace {

// Closes every message box that opens with one of its buttons, chosen at
// random (rejects one without buttons); handled() counts them.
class BoxAnswerer : public ModalWatcher
{
public:
    explicit BoxAnswerer(std::mt19937& rng)
        : ModalWatcher([&rng](QWidget* w) {
            auto* box = static_cast<QMessageBox*>(w);
            const auto buttons = box->buttons();
            if (buttons.isEmpty())
                box->reject();
            else
                QTest::mouseClick(buttons[int(rng() % unsigned(buttons.size()))], Qt::LeftButton);
        })
    {
        setFilter([](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; });
    }
};

struct VlanFacts
{
    bool vlanActiveInEthernet;
    char modem2Present, onePlusZeroInactive, modem2Mode, oduCapabilities;
};

VlanFacts randomFacts(std::mt19937& rng)
{
    return {rng() % 4 == 0, char(rng() % 2), char(rng() % 4 == 0), char(rng() % 3 ? rng() : kModem2UnusableMode),
            char(rng())};
}

TVlan_form* openVlan(GuardedArray<kVlanConfigSize>& host, const TIniFile& ini, const VlanFacts& f)
{
    int size = 0;
    auto* d = new TVlan_form(nullptr, true, const_cast<TIniFile*>(&ini), host.data(), &size,
                             f.vlanActiveInEthernet, f.modem2Present, f.onePlusZeroInactive,
                             f.modem2Mode, f.oduCapabilities);
    d->show();
    QApplication::setActiveWindow(d);
    return d;
}

int dialogs()
{
    return int(envNumber("ROBUST_DIALOGS", 120));
}

// The input controls of a QoS page, in a shuffled order; a radio group is
// entered through its selected item.
QList<QWidget*> inputControls(TQos_form* d, int page, std::mt19937& rng)
{
    QList<QWidget*> list;
    QWidget* tab = d->PageControl1->widget(page);
    for (QWidget* w : tab->findChildren<QWidget*>()) {
        if (qobject_cast<QComboBox*>(w) || qobject_cast<StringGrid*>(w))
            list << w;
        else if (qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w->parentWidget())
                 && !qobject_cast<StringGrid*>(w->parentWidget()->parentWidget()))
            list << w;
        else if (auto* group = qobject_cast<RadioGroup*>(w))
            list << static_cast<QWidget*>(group->button(std::max(0, group->itemIndex())));
    }
    std::shuffle(list.begin(), list.end(), rng);
    return list;
}

// Cancels a dialog by its cancel button, Escape or the close box, chosen by n.
void cancelOneOfThreeWays(QDialog* dialog, QPushButton* cancel, int n)
{
    switch (n % 3) {
    case 0:
        QTest::mouseClick(cancel, Qt::LeftButton);
        break;
    case 1:
        QTest::keyClick(dialog, Qt::Key_Escape);
        break;
    default:
        dialog->close();
        break;
    }
}

} // namespace

class TestDialogIntegrity : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void vlanSetChangesOnlyItsBits();
    void vlanCancelChangesNothing();
    void qosCancelChangesNothing();
    void qosLeavingWithoutTypingChangesOnlyReservedBits();

private:
    std::uint32_t m_seed = 0;
    TIniFile m_noCatalogue;
};

void TestDialogIntegrity::initTestCase()
{
    m_seed = envNumber("ROBUST_SEED", 424242);
}

void TestDialogIntegrity::vlanSetChangesOnlyItsBits()
{
    int accepted = 0;
    for (int a = 0; a < dialogs(); ++a) {
        const std::uint32_t seed = m_seed + std::uint32_t(a);
        std::mt19937 rng(seed);
        GuardedArray<kVlanConfigSize> host;
        host.assign(randomVlanArray(rng));
        BoxAnswerer boxes(rng);
        const VlanFacts facts = randomFacts(rng);

        std::unique_ptr<TVlan_form> d(openVlan(host, m_noCatalogue, facts));
        const VlanBytes loaded = host.bytes();
        const int count = d->vlanEntryCount();
        QTest::mouseClick(d->Button3, Qt::LeftButton);
        const VlanBytes once = host.bytes();
        accepted += d->result() == 1;
        const int outside = changedOutside(loaded, once, vlanSetButtonMask(count));
        QVERIFY2(outside < 0, qPrintable(QStringLiteral("seed %1: Set changed byte %2 outside its bits: %3 -> %4")
                                             .arg(seed).arg(outside).arg(hexText(loaded), hexText(once))));
        QVERIFY2(host.intact(), qPrintable(QStringLiteral("seed %1: guard bytes").arg(seed)));
        d.reset();

        // Loading what Set wrote and setting it again is a fixed point.
        d.reset(openVlan(host, m_noCatalogue, facts));
        QTest::mouseClick(d->Button3, Qt::LeftButton);
        QVERIFY2(host.bytes() == once, qPrintable(QStringLiteral("seed %1: a second Set changed %2 -> %3")
                                                      .arg(seed).arg(hexText(once), hexText(host.bytes()))));
    }
    qInfo("%d arrays, %d Set presses accepted", dialogs(), accepted);
    QVERIFY(accepted > 0);
}

void TestDialogIntegrity::vlanCancelChangesNothing()
{
    for (int a = 0; a < dialogs(); ++a) {
        const std::uint32_t seed = m_seed + 100000 + std::uint32_t(a);
        std::mt19937 rng(seed);
        GuardedArray<kVlanConfigSize> host;
        const VlanBytes original = randomVlanArray(rng);
        host.assign(original);
        const VlanBytes expected = VlanConfigArray::isBlank(original.data()) ? VlanConfigArray::defaultImage() : original;

        std::unique_ptr<TVlan_form> d(openVlan(host, m_noCatalogue, randomFacts(rng)));
        cancelOneOfThreeWays(d.get(), d->Button4, a);
        QCOMPARE(d->result(), 2);
        QVERIFY2(host.bytes() == expected, qPrintable(QStringLiteral("seed %1: %2 -> %3")
                                                          .arg(seed).arg(hexText(original), hexText(host.bytes()))));
        QVERIFY(host.intact());
    }
}

void TestDialogIntegrity::qosCancelChangesNothing()
{
    for (int a = 0; a < dialogs(); ++a) {
        const std::uint32_t seed = m_seed + 300000 + std::uint32_t(a);
        std::mt19937 rng(seed);
        GuardedArray<kQosConfigSize> host;
        const QosBytes original = randomQosArray(rng);
        host.assign(original);
        const QosBytes expected = QosConfigArray::isBlank(original.data()) ? QosConfigArray::defaultImage() : original;

        int size = 0;
        QPointer<TQos_form> d = new TQos_form(nullptr, a % 2 == 0, &m_noCatalogue, host.data(), &size);
        d->show();
        QApplication::setActiveWindow(d);
        cancelOneOfThreeWays(d.data(), d->Button3, a);
        QCOMPARE(d->result(), 2);
        QVERIFY2(host.bytes() == expected, qPrintable(QStringLiteral("seed %1: %2 -> %3")
                                                          .arg(seed).arg(hexText(original), hexText(host.bytes()))));
        QVERIFY(host.intact());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!d);
    }
}

void TestDialogIntegrity::qosLeavingWithoutTypingChangesOnlyReservedBits()
{
    int errorBoxes = 0;
    for (int a = 0; a < dialogs(); ++a) {
        const std::uint32_t seed = m_seed + 200000 + std::uint32_t(a);
        std::mt19937 rng(seed);
        GuardedArray<kQosConfigSize> host;
        host.assign(randomQosArray(rng));
        BoxAnswerer boxes(rng);

        int size = 0;
        QPointer<TQos_form> d = new TQos_form(nullptr, true, &m_noCatalogue, host.data(), &size);
        d->show();
        QApplication::setActiveWindow(d);
        const QosBytes loaded = host.bytes();

        for (int page = 0; page < d->PageControl1->count(); ++page) {
            d->PageControl1->setCurrentIndex(page);
            for (QWidget* control : inputControls(d, page, rng)) {
                control->setFocus(Qt::TabFocusReason);
                QCoreApplication::processEvents();
            }
        }
        d->Button3->setFocus(Qt::TabFocusReason); // leaves the last control
        QCoreApplication::processEvents();
        const QosBytes after = host.bytes();
        errorBoxes += boxes.handled();

        QosBytes mask{};
        mask[0] = 0xC0;
        mask[1] = 0xF8;
        mask[38] = 0xF8;
        if ((loaded[2] & 0x07) >= 5)
            mask[2] |= 0x07;
        if (((loaded[2] >> 3) & 0x07) >= 5)
            mask[2] |= 0x38;
        if ((loaded[3] & 0x07) >= 5)
            mask[3] |= 0x07;
        const QString where = QStringLiteral("seed %1: %2 -> %3").arg(seed).arg(hexText(loaded), hexText(after));
        QVERIFY2(changedOutside(loaded, after, mask) < 0, qPrintable(where));
        // The reserved bits are only ever cleared.
        for (int i : {0, 1, 38})
            QVERIFY2((after[i] & mask[i] & ~loaded[i]) == 0, qPrintable(where));
        QVERIFY(host.intact());

        QTest::mouseClick(d->Button3, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(!d, "the QoS dialog deletes itself when it closes");
    }
    qInfo("%d arrays, %d weight error boxes answered", dialogs(), errorBoxes);
}

QTEST_MAIN(TestDialogIntegrity)
#include "tst_dialog_integrity.moc"
