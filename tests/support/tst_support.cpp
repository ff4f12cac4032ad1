// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The shared test helpers catch what the tests rely on them to catch: a guard
// byte changed on either side of a host array, a change outside a writer's
// bits, and every modal window answered once, in order, nested ones too.

#include "testing/ArrayBytes.h"
#include "testing/GuardedArray.h"
#include "testing/ModalAnswering.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>

class TestSupport : public QObject
{
    Q_OBJECT

private slots:
    void guardedArrayFindsStrayWrites_data();
    void guardedArrayFindsStrayWrites();
    void changedOutsideFindsTheFirstForeignBit_data();
    void changedOutsideFindsTheFirstForeignBit();
    void setButtonMaskStopsAtTheArrayEnd();
    void scriptAnswersNestedWindowsInOrder();
    void nextBoxIsRecordedAndAnswered();
};

void TestSupport::guardedArrayFindsStrayWrites_data()
{
    QTest::addColumn<long>("offset");
    QTest::addColumn<bool>("caught");
    QTest::newRow("first guard byte") << -64L << true;
    QTest::newRow("just before") << -1L << true;
    QTest::newRow("first array byte") << 0L << false;
    QTest::newRow("last array byte") << long(kVlanConfigSize - 1) << false;
    QTest::newRow("just after") << long(kVlanConfigSize) << true;
    QTest::newRow("last guard byte") << long(kVlanConfigSize + 63) << true;
}

void TestSupport::guardedArrayFindsStrayWrites()
{
    QFETCH(long, offset);
    QFETCH(bool, caught);
    GuardedArray<kVlanConfigSize> host;
    QVERIFY(host.intact());
    host.data()[offset] ^= 0x01; // within the guarded buffer: no sanitizer would see it
    long where = 12345;
    QCOMPARE(!host.intact(&where), caught);
    QCOMPARE(where, caught ? offset : 12345L);
    QCOMPARE(host.firstChangedGuard().has_value(), caught);
}

void TestSupport::changedOutsideFindsTheFirstForeignBit_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("flip");
    QTest::addColumn<int>("expected");
    // The mask owns the low nibble of byte 3 and all of byte 5.
    QTest::newRow("owned bit") << 3 << 0x04 << -1;
    QTest::newRow("owned byte") << 5 << 0xFF << -1;
    QTest::newRow("foreign bit of an owned byte") << 3 << 0x10 << 3;
    QTest::newRow("first byte") << 0 << 0x80 << 0;
    QTest::newRow("last byte") << int(kQosConfigSize - 1) << 0x01 << int(kQosConfigSize - 1);
}

void TestSupport::changedOutsideFindsTheFirstForeignBit()
{
    QFETCH(int, byte);
    QFETCH(int, flip);
    QFETCH(int, expected);
    BitMask<kQosConfigSize> mask;
    mask.bits(3, 0x0F).bytes(5, 5);
    const QosBytes before = filledBytes(0x5A);
    QosBytes after = before;
    after[byte] ^= static_cast<unsigned char>(flip);
    QCOMPARE(changedOutside(before, after, mask.m), expected);
}

void TestSupport::setButtonMaskStopsAtTheArrayEnd()
{
    // 22 slots of three bytes end exactly at the last byte; a count past the
    // table's size must not reach beyond it.
    for (int count : {kMaxStaticVlans, kMaxStaticVlans + 5}) {
        const VlanBytes mask = vlanSetButtonMask(count);
        QCOMPARE(int(mask[kVlanConfigSize - 1]), 0xFF);
    }
    QCOMPARE(int(vlanSetButtonMask(0)[16]), 0x00);
    QCOMPARE(int(vlanSetButtonMask(1)[18]), 0xFF);
    QCOMPARE(int(vlanSetButtonMask(1)[19]), 0x00);
}

void TestSupport::scriptAnswersNestedWindowsInOrder()
{
    QStringList order;
    int inner = -1;
    ModalScript script{
        [&](QWidget* w) {
            order << qobject_cast<QMessageBox*>(w)->text();
            // A window opened from the first window's step gets the next step.
            QMessageBox nested(QMessageBox::Question, QString(), QStringLiteral("inner"),
                               QMessageBox::Ok | QMessageBox::Cancel);
            inner = nested.exec();
            answerBox(w, QMessageBox::Yes);
        },
        [&](QWidget* w) { order << answerBox(w, QMessageBox::Cancel); },
    };
    QMessageBox outer(QMessageBox::Question, QString(), QStringLiteral("outer"), QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(outer.exec(), int(QMessageBox::Yes));
    QCOMPARE(order, (QStringList{QStringLiteral("outer"), QStringLiteral("inner")}));
    QCOMPARE(inner, int(QMessageBox::Cancel));
    QVERIFY(script.finished());
    QCOMPARE(script.stepsRun(), 2);
}

void TestSupport::nextBoxIsRecordedAndAnswered()
{
    SeenBox seen;
    QPointer<ModalWatcher> answerer = answerNextBox(&seen, QMessageBox::No);
    QMessageBox box(QMessageBox::Warning, QStringLiteral("t"), QStringLiteral("Sure?"),
                    QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.exec(), int(QMessageBox::No));
    QVERIFY(seen.shown);
    QCOMPARE(seen.text, QStringLiteral("Sure?"));
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    delete answerer;
}

QTEST_MAIN(TestSupport)
#include "tst_support.moc"
