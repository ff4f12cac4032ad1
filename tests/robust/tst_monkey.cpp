// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The monkey test: a seeded, bounded random walk over each real dialog (see
// Monkey.h) with the host array inside a larger buffer of guard bytes. After
// every step:
//  - the guard bytes are intact;
//  QoS:  the weights are valid (each at least 1, sum at most 128) whenever
//        they were before the step; the reserved bits of bytes 2 and 3 and
//        byte 39 change only by a reset;
//  VLAN: exactly one NMS uplink box (CheckBox13..15) is checked, LINE 4 only
//        on a unit that has it, at most one of the NMS modem boxes;
//        vlanCount <= 22 and equal to the grid's row count - 1, every row
//        showing its entry's VID; the array changed only in a step in which
//        Set was pressed (and only in its own bits) or Default was pressed
//        (and only to the default image).
// A dialog that closes is replaced by a new one over the same array (now and
// then over a fresh random array). MONKEY_STEPS and MONKEY_SEED set the walk.

#include "core/IniFile.h"
#include "core/CaptionTables.h"
#include "qos/Qos_form.h"
#include "tests/robust/Monkey.h"
#include "tests/robust/RobustSupport.h"
#include "tests/robust/VlanWriteCheck.h"
#include "vlan/Unit3.h"
#include "vlan/Vlan_form.h"

#include <QTest>

#include <memory>

using namespace robust;

namespace {

// A catalogue that gives every key a text of its own.
std::unique_ptr<TIniFile> fullCatalogue()
{
    const QByteArray text = CaptionTables::catalogueText([](const CaptionRow& row) {
        return QStringLiteral("[%1]").arg(QString::fromUtf8(row.english));
    });
    auto ini = std::make_unique<TIniFile>();
    ini->parse(text);
    return ini;
}

bool weightsValid(const unsigned char* cfg)
{
    int sum = 0;
    for (int q = 0; q < 4; ++q) {
        if (cfg[34 + q] < 1)
            return false;
        sum += cfg[34 + q];
    }
    return sum <= 128;
}

void showAndActivate(QDialog* d)
{
    d->show();
    d->activateWindow();
    QApplication::setActiveWindow(d);
    QCoreApplication::processEvents();
}

// The VID entry dialog gets random input: typed texts, OK, Cancel, keys.
bool answerVidEntry(QWidget* w, Monkey& monkey)
{
    if (!qobject_cast<TForm3*>(w))
        return false;
    monkey.randomInput(w);
    return true;
}

// The offscreen platform's notes about what it cannot do (raise, grab the
// keyboard, size hints) would bury the walk's own output.
QtMessageHandler g_previousHandler = nullptr;
void quietPlatform(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    g_previousHandler(type, context, message);
}

int steps(int fallback)
{
    return int(envNumber("MONKEY_STEPS", std::uint32_t(fallback)));
}

} // namespace

class TestMonkey : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void qosDialog();
    void vlanDialog();

private:
    std::uint32_t m_seed = 0;
    std::unique_ptr<TIniFile> m_noCatalogue = std::make_unique<TIniFile>();
    std::unique_ptr<TIniFile> m_fullCatalogue;
};

void TestMonkey::initTestCase()
{
    g_previousHandler = qInstallMessageHandler(quietPlatform);
    m_seed = envNumber("MONKEY_SEED", 7001);
    m_fullCatalogue = fullCatalogue();
    qInfo("MONKEY_SEED=%u MONKEY_STEPS=%d", m_seed, steps(3000));
}

#define MONKEY_VERIFY(cond, what)                                                                   \
    QVERIFY2(cond, qPrintable(QStringLiteral("seed %1, step %2: %3\n  last actions:\n    %4")      \
                                  .arg(seed).arg(step).arg(what, monkey.recent())))

void TestMonkey::qosDialog()
{
    const std::uint32_t seed = m_seed;
    Monkey monkey(seed);
    GuardedArray<kQosConfigSize> host;
    host.assign(randomQosArray(monkey.rng()));
    QPointer<TQos_form> dialog;
    int opened = 0, writes = 0;
    const int total = steps(3000);

    for (int step = 0; step < total; ++step) {
        if (!dialog || !dialog->isVisible()) {
            if (qEnvironmentVariableIsSet("MONKEY_DEBUG")) qInfo("closed by: %s", qPrintable(monkey.last()));
            delete dialog.data();
            if (opened > 0 && monkey.chance(25))
                host.assign(randomQosArray(monkey.rng()));
            int size = 0;
            TIniFile* ini = monkey.chance(50) ? m_noCatalogue.get() : m_fullCatalogue.get();
            dialog = new TQos_form(nullptr, monkey.chance(50), ini, host.data(), &size);
            MONKEY_VERIFY(size == kQosConfigSize, QStringLiteral("size %1").arg(size));
            monkey.note(QStringLiteral("-- new QoS dialog over %1").arg(hexText(host.bytes())));
            showAndActivate(dialog);
            ++opened;
        }
        const QosBytes before = host.bytes();
        const bool validBefore = weightsValid(before.data());

        monkey.step(dialog);
        // A closed dialog has scheduled its own deletion; now and then the
        // host deletes it first (at the top of the loop), as it may.
        if (monkey.chance(50))
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        const QosBytes after = host.bytes();
        long guard = 0;
        MONKEY_VERIFY(host.intact(&guard), QStringLiteral("guard byte at %1 changed").arg(guard));
        if (validBefore)
            MONKEY_VERIFY(weightsValid(after.data()),
                          QStringLiteral("weights became invalid: %1").arg(hexText(after)));
        writes += after != before;
        const bool reset = after == QosConfigArray::defaultImage();
        const bool reservedKept = (before[2] & 0xC0) == (after[2] & 0xC0)
            && (before[3] & 0xF8) == (after[3] & 0xF8) && before[39] == after[39];
        MONKEY_VERIFY(reservedKept || reset,
                      QStringLiteral("bits no write group owns changed: %1 -> %2").arg(hexText(before), hexText(after)));
    }
    delete dialog.data();
    qInfo("QoS: %d steps over %d dialogs, %d steps changed the array, %d modal answers", total,
          opened, writes, monkey.modalAnswers());
}

void TestMonkey::vlanDialog()
{
    const std::uint32_t seed = m_seed + 1;
    Monkey monkey(seed);
    monkey.setModalAnswer(answerVidEntry);
    GuardedArray<kVlanConfigSize> host;
    host.assign(randomVlanArray(monkey.rng()));
    QPointer<TVlan_form> dialog;
    QPointer<VlanPressSpy> presses;
    bool hasLine4 = true;
    int opened = 0, writes = 0, maxCount = 0;
    const int total = steps(3000);

    for (int step = 0; step < total; ++step) {
        if (!dialog || !dialog->isVisible()) {
            delete dialog.data();
            if (opened > 0 && monkey.chance(25))
                host.assign(randomVlanArray(monkey.rng()));
            int size = 0;
            TIniFile* ini = monkey.chance(50) ? m_noCatalogue.get() : m_fullCatalogue.get();
            const char capabilities = char(monkey.pick(256));
            hasLine4 = unitHasLine4(capabilities);
            dialog = new TVlan_form(nullptr, monkey.chance(50), ini, host.data(), &size, monkey.chance(25),
                                    char(monkey.pick(3)), char(monkey.chance(25)),
                                    char(monkey.chance(30) ? kModem2UnusableMode : monkey.pick(256)), capabilities);
            MONKEY_VERIFY(size == kVlanConfigSize, QStringLiteral("size %1").arg(size));
            monkey.note(QStringLiteral("-- new VLAN dialog, LINE 4 %1, over %2").arg(hasLine4).arg(hexText(host.bytes())));
            presses = new VlanPressSpy(dialog);
            showAndActivate(dialog);
            ++opened;
        }
        const VlanBytes before = host.bytes();
        presses->take();

        monkey.step(dialog);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        const VlanBytes after = host.bytes();
        long guard = 0;
        MONKEY_VERIFY(host.intact(&guard), QStringLiteral("guard byte at %1 changed").arg(guard));
        MONKEY_VERIFY(dialog, QStringLiteral("the VLAN dialog deleted itself"));

        const int uplinks = int(dialog->CheckBox13->isChecked()) + int(dialog->CheckBox14->isChecked())
            + int(dialog->CheckBox15->isChecked());
        MONKEY_VERIFY(uplinks == 1, QStringLiteral("%1 NMS uplink boxes checked").arg(uplinks));
        MONKEY_VERIFY(hasLine4 || !dialog->CheckBox15->isChecked(),
                      QStringLiteral("NMS to LINE 4 checked on a unit without LINE 4"));
        MONKEY_VERIFY(!(dialog->CheckBox16->isChecked() && dialog->CheckBox17->isChecked()),
                      QStringLiteral("both NMS modem boxes checked"));
        const int count = dialog->vlanEntryCount();
        MONKEY_VERIFY(count <= kMaxStaticVlans, QStringLiteral("vlanCount %1").arg(count));
        MONKEY_VERIFY(count == dialog->StringGrid1->rowCount() - 1,
                      QStringLiteral("vlanCount %1, grid rows %2").arg(count).arg(dialog->StringGrid1->rowCount()));
        MONKEY_VERIFY(count == vlanPoleEntries(dialog->vlanPole()),
                      QStringLiteral("vlanCount %1, table %2").arg(count).arg(vlanPoleEntries(dialog->vlanPole())));
        for (int r = 1; r <= count; ++r)
            MONKEY_VERIFY(dialog->StringGrid1->cellText(0, r) == QString::number(dialog->vlanPole()[vp_vid][r - 1]),
                          QStringLiteral("grid row %1 shows VID '%2', the table holds %3")
                              .arg(r).arg(dialog->StringGrid1->cellText(0, r)).arg(dialog->vlanPole()[vp_vid][r - 1]));
        maxCount = std::max(maxCount, count);
        if (after != before)
            ++writes;
        const QString violation = vlanWriteViolation(before, after, presses->take(), count);
        MONKEY_VERIFY(violation.isEmpty(), violation);
    }
    delete dialog.data();
    qInfo("VLAN: %d steps over %d dialogs, %d steps changed the array, %d modal answers, "
          "up to %d entries", total, opened, writes, monkey.modalAnswers(), maxCount);
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
