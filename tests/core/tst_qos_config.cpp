// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The QoS configuration array without any window: layout, default image,
// blank rule and the seven write groups, checked byte by byte.
#include "core/QosConfig.h"
#include "testing/ArrayBytes.h"

#include <QRandomGenerator>
#include <QTest>

#include <array>
#include <functional>

using Bytes = QosBytes;
Q_DECLARE_METATYPE(Bytes)
Q_DECLARE_METATYPE(std::function<unsigned(const QosConfigArray&)>)

namespace {

Bytes randomBytes(QRandomGenerator& rng)
{
    Bytes b;
    for (auto& c : b)
        c = static_cast<unsigned char>(rng.bounded(256));
    return b;
}

Bytes filled(unsigned char value)
{
    Bytes b;
    b.fill(value);
    return b;
}

// Where entry i of a table lies, by the byte-wise description of the layout
// (independent of the word-wise views the module uses).
struct EntryPos { int byte; int shift; unsigned mask; };

EntryPos remapPos(QosPort port, int i)
{
    return {4 + 4 * int(port) + i / 2, (i % 2) * 4, 0x7u};
}

EntryPos queuePos(int base, int n)
{
    return {base + n / 4, 2 * (n % 4), 0x3u};
}

void putEntry(Bytes& b, EntryPos p, unsigned v)
{
    b[p.byte] = static_cast<unsigned char>((b[p.byte] & ~(p.mask << p.shift)) | ((v & p.mask) << p.shift));
}

unsigned getEntry(const Bytes& b, EntryPos p)
{
    return (b[p.byte] >> p.shift) & p.mask;
}

#define COMPARE_BYTES(actual, expected) QCOMPARE(hexText(actual), hexText(expected))

} // namespace

class TestQosConfig : public QObject
{
    Q_OBJECT

private slots:
    void blankRule_data();
    void blankRule();
    void defaultImageDecodes();
    void documentedExamples();
    void weightsAcceptance_data();
    void weightsAcceptance();
    void byte39OnlyChangedByDefaultImage();
    void readsAtTheEndsOfEachTable_data();
    void readsAtTheEndsOfEachTable();

    void roundTripPortPriority();
    void roundTripResolution();
    void roundTripRemapTables();
    void roundTripQueueTables();
    void roundTripWeights();
    void roundTripSwitches();
};

void TestQosConfig::blankRule_data()
{
    QTest::addColumn<Bytes>("array");
    QTest::addColumn<bool>("replaced");

    QTest::newRow("40 of 0xFF") << filled(0xFF) << true;
    Bytes b36 = filled(0xFF);
    b36[0] = 0x00; b36[7] = 0x12; b36[20] = 0xFE; b36[39] = 0x7F;
    QTest::newRow("36 of 0xFF, four others") << b36 << true;
    Bytes b35 = b36;
    b35[38] = 0x00;
    QTest::newRow("35 of 0xFF") << b35 << false;
    QTest::newRow("all zero") << filled(0x00) << false;
    QTest::newRow("default image") << QosConfigArray::defaultImage() << false;
}

void TestQosConfig::blankRule()
{
    QFETCH(Bytes, array);
    QFETCH(bool, replaced);

    Bytes b = array;
    QosConfigArray cfg(b.data());
    QCOMPARE(cfg.applyBlankRule(), replaced);
    COMPARE_BYTES(b, replaced ? QosConfigArray::defaultImage() : array);
}

void TestQosConfig::defaultImageDecodes()
{
    const Bytes expected = {0x00, 0x00, 0x1B, 0x03, 0x10, 0x32, 0x54, 0x76, 0x10, 0x32,
                            0x54, 0x76, 0x10, 0x32, 0x54, 0x76, 0x50, 0xFA, 0x00, 0x00,
                            0x00, 0x00, 0x55, 0x55, 0x55, 0x55, 0xAA, 0xAA, 0xAA, 0xAA,
                            0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x02, 0x04, 0x08, 0x00, 0x00};
    Bytes b = filled(0x5A);
    QosConfigArray cfg(b.data());
    cfg.inic_na_vychozi_cfg();
    COMPARE_BYTES(b, expected);
    QCOMPARE(std::count(b.begin(), b.end(), 0xFF), 4);

    for (QosPort port : {qos_line2, qos_line3, qos_line4}) {
        QCOMPARE(cfg.portPriority(port), 0u);
        QCOMPARE(cfg.priorityResolution(port), 3u);
        for (int i = 0; i < kRemapEntries; ++i)
            QCOMPARE(cfg.remapEntry(port, i), unsigned(i));
    }
    for (int n = 0; n < kVlanQueueEntries; ++n)
        QCOMPARE(cfg.vlanQueue(n), unsigned(n / 2));
    for (int n = 0; n < kDscpQueueEntries; ++n)
        QCOMPARE(cfg.dscpQueue(n), unsigned(n / 16));
    QCOMPARE(cfg.queueWeight(0), 1u);
    QCOMPARE(cfg.queueWeight(1), 2u);
    QCOMPARE(cfg.queueWeight(2), 4u);
    QCOMPARE(cfg.queueWeight(3), 8u);
    QCOMPARE(cfg.switchBit(ch1_scheduling), false);
    QCOMPARE(cfg.switchBit(ch2_scheduling), false);
    QCOMPARE(cfg.switchBit(qos_main_switch), false);
}

using Priorities = std::array<std::optional<unsigned>, kQosPortCount>;

// The layout's worked examples, one write each.
void TestQosConfig::documentedExamples()
{
    // LINE 3 = 5 while LINE 2 and LINE 4 keep 2 and 7; reserved bits go.
    Bytes b = filled(0x00);
    b[0] = 0xC2;
    b[1] = 0xFF;
    QosConfigArray cfg(b.data());
    cfg.writePortPriorities(Priorities{std::nullopt, 5u, std::nullopt});
    QCOMPARE(int(b[0]), 0b0010'1010); // LINE 3 = 5, LINE 2 = 2
    QCOMPARE(int(b[1]), 0x07);

    // Remap entry 3 of LINE 2 = 0: bit 3 of byte 4 survives.
    b[4] = 0x18; b[5] = 0x32; b[6] = 0x54; b[7] = 0x76;
    std::array<std::optional<unsigned>, kRemapEntries> remap{};
    remap[3] = 0u;
    cfg.writeRemapTable(qos_line2, remap);
    QCOMPARE(hexText(b).mid(12, 11), QStringLiteral("18 02 54 76"));

    // QoS main switch on over 0xFB.
    b[38] = 0xFB;
    cfg.writeSwitch(qos_main_switch, true);
    QCOMPARE(int(b[38]), 0x07);

    // DSCP 31 is the last entry of byte 25, DSCP 32 the first of byte 26.
    std::array<std::optional<unsigned>, kDscpHalfEntries> half{};
    half[31] = 3u;
    cfg.writeDscpQueueMapHalf(0, half);
    half = {};
    half[0] = 2u;
    cfg.writeDscpQueueMapHalf(1, half);
    QCOMPARE(int(b[25]), 0b1100'0000);
    QCOMPARE(int(b[26]), 0b0000'0010);

    // A resolution with no mode chosen, or a value naming none, writes nothing.
    b[2] = 0xFF;
    cfg.writePriorityResolution(qos_line2, std::nullopt);
    cfg.writePriorityResolution(qos_line3, 5u);
    QCOMPARE(int(b[2]), 0xFF);
}

using Weights = std::array<long long, kQueueCount>;
Q_DECLARE_METATYPE(Weights)

void TestQosConfig::weightsAcceptance_data()
{
    QTest::addColumn<Weights>("weights");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("125,1,1,1") << Weights{125, 1, 1, 1} << true;
    QTest::newRow("126,1,1,1") << Weights{126, 1, 1, 1} << false;
    QTest::newRow("32 each, sum 128") << Weights{32, 32, 32, 32} << true;
    QTest::newRow("sum 129") << Weights{32, 32, 32, 33} << false;
    QTest::newRow("a zero") << Weights{1, 2, 0, 8} << false;
    QTest::newRow("a negative balanced by a large one") << Weights{-1, 127, 1, 1} << false;
    QTest::newRow("values that wrap a 32-bit sum")
        << Weights{2147483647LL, 2147483647LL, 2, 2} << false;
    QTest::newRow("value that wraps a byte") << Weights{257, 1, 1, 1} << false;
}

void TestQosConfig::weightsAcceptance()
{
    QFETCH(Weights, weights);
    QFETCH(bool, accepted);

    Bytes b = QosConfigArray::defaultImage();
    Bytes expected = b;
    if (accepted)
        for (int q = 0; q < kQueueCount; ++q)
            expected[34 + q] = static_cast<unsigned char>(weights[q]);
    QCOMPARE(QosConfigArray::weightsAcceptable(weights), accepted);
    QCOMPARE(QosConfigArray(b.data()).writeQueueWeights(weights), accepted);
    COMPARE_BYTES(b, expected);
}

// Each table read at its first and last entry, and one outside either end:
// outside is 0 and reads no byte, even of an array whose bits are all set.
void TestQosConfig::readsAtTheEndsOfEachTable_data()
{
    QTest::addColumn<std::function<unsigned(const QosConfigArray&)>>("read");
    QTest::addColumn<unsigned>("value");
    using Read = std::function<unsigned(const QosConfigArray&)>;
    QTest::newRow("802.1Q priority 0") << Read([](const QosConfigArray& c) { return c.vlanQueue(0); }) << 3u;
    QTest::newRow("802.1Q priority 7") << Read([](const QosConfigArray& c) { return c.vlanQueue(7); }) << 3u;
    QTest::newRow("802.1Q priority -1") << Read([](const QosConfigArray& c) { return c.vlanQueue(-1); }) << 0u;
    QTest::newRow("802.1Q priority 8") << Read([](const QosConfigArray& c) { return c.vlanQueue(8); }) << 0u;
    QTest::newRow("DSCP 0") << Read([](const QosConfigArray& c) { return c.dscpQueue(0); }) << 3u;
    QTest::newRow("DSCP 31") << Read([](const QosConfigArray& c) { return c.dscpQueue(31); }) << 3u;
    QTest::newRow("DSCP 32") << Read([](const QosConfigArray& c) { return c.dscpQueue(32); }) << 3u;
    QTest::newRow("DSCP 63") << Read([](const QosConfigArray& c) { return c.dscpQueue(63); }) << 3u;
    QTest::newRow("DSCP -1") << Read([](const QosConfigArray& c) { return c.dscpQueue(-1); }) << 0u;
    QTest::newRow("DSCP 64") << Read([](const QosConfigArray& c) { return c.dscpQueue(64); }) << 0u;
    QTest::newRow("weight 3") << Read([](const QosConfigArray& c) { return c.queueWeight(3); }) << 255u;
    QTest::newRow("weight 4") << Read([](const QosConfigArray& c) { return c.queueWeight(4); }) << 0u;
    QTest::newRow("weight -1") << Read([](const QosConfigArray& c) { return c.queueWeight(-1); }) << 0u;
    QTest::newRow("LINE 4 remap 7") << Read([](const QosConfigArray& c) { return c.remapEntry(qos_line4, 7); }) << 7u;
    QTest::newRow("LINE 2 remap -1") << Read([](const QosConfigArray& c) { return c.remapEntry(qos_line2, -1); }) << 0u;
    QTest::newRow("LINE 4 remap 8") << Read([](const QosConfigArray& c) { return c.remapEntry(qos_line4, 8); }) << 0u;
    QTest::newRow("the main switch, the last") << Read([](const QosConfigArray& c) { return unsigned(c.switchBit(qos_main_switch)); })
                                               << 1u;
    QTest::newRow("a switch past the main switch")
        << Read([](const QosConfigArray& c) { return unsigned(c.switchBit(QosSwitch(qos_main_switch + 1))); }) << 0u;
    QTest::newRow("port past LINE 4") << Read([](const QosConfigArray& c) { return c.portPriority(QosPort(qos_line4 + 1)); })
                                      << 0u;
}

void TestQosConfig::readsAtTheEndsOfEachTable()
{
    QFETCH(std::function<unsigned(const QosConfigArray&)>, read);
    QFETCH(unsigned, value);
    // The array in the middle of a larger block of set bits: a read past its
    // ends would find them.
    std::array<unsigned char, 3 * kQosConfigSize> block;
    block.fill(0xFF);
    const QosConfigArray cfg(block.data() + kQosConfigSize);
    QCOMPARE(read(cfg), value);
}

void TestQosConfig::byte39OnlyChangedByDefaultImage()
{
    Bytes b = filled(0xFF);
    b[39] = 0x5C;
    QosConfigArray cfg(b.data());
    cfg.writePortPriorities({1u, 2u, 3u});
    cfg.writePriorityResolution(qos_line4, 2u);
    cfg.writeRemapTable(qos_line4, {0u, 0u, 0u, 0u, 0u, 0u, 0u, 0u});
    cfg.writeVlanQueueMap({});
    cfg.writeDscpQueueMapHalf(1, {});
    cfg.writeQueueWeights({1, 1, 1, 1});
    cfg.writeSwitch(qos_main_switch, true);
    QCOMPARE(int(b[39]), 0x5C);
    cfg.inic_na_vychozi_cfg();
    QCOMPARE(int(b[39]), 0x00);
}

// Round trips: every value of every field, written over random storage,
// reads back and moves no bit outside what its write group names.

void TestQosConfig::roundTripPortPriority()
{
    QRandomGenerator rng(0x051);
    for (int round = 0; round < 64; ++round) {
        const Bytes before = randomBytes(rng);
        for (QosPort port : {qos_line2, qos_line3, qos_line4}) {
            for (unsigned v = 0; v < 8; ++v) {
                Bytes b = before;
                QosConfigArray cfg(b.data());
                Priorities p{};
                p[port] = v;
                cfg.writePortPriorities(p);

                Bytes expected = before;
                expected[0] &= 0x3F; // reserved bits of the two bytes become 0
                expected[1] &= 0x07;
                const EntryPos pos = port == qos_line2 ? EntryPos{0, 0, 7}
                                   : port == qos_line3 ? EntryPos{0, 3, 7}
                                                       : EntryPos{1, 0, 7};
                putEntry(expected, pos, v);
                COMPARE_BYTES(b, expected);
                QCOMPARE(cfg.portPriority(port), v);
            }
        }
    }
}

void TestQosConfig::roundTripResolution()
{
    QRandomGenerator rng(0x052);
    for (int round = 0; round < 64; ++round) {
        const Bytes before = randomBytes(rng);
        for (QosPort port : {qos_line2, qos_line3, qos_line4}) {
            const EntryPos pos = port == qos_line2 ? EntryPos{2, 0, 7}
                               : port == qos_line3 ? EntryPos{2, 3, 7}
                                                   : EntryPos{3, 0, 7};
            QCOMPARE(QosConfigArray(const_cast<unsigned char*>(before.data())).priorityResolution(port),
                     getEntry(before, pos));
            for (unsigned v = 0; v < 8; ++v) {
                Bytes b = before;
                QosConfigArray cfg(b.data());
                cfg.writePriorityResolution(port, v);
                Bytes expected = before;
                if (v < unsigned(kResolutionModeCount))
                    putEntry(expected, pos, v);
                COMPARE_BYTES(b, expected);
                QCOMPARE(cfg.priorityResolution(port), getEntry(expected, pos));
            }
        }
    }
}

void TestQosConfig::roundTripRemapTables()
{
    QRandomGenerator rng(0x053);
    for (int round = 0; round < 256; ++round) {
        const Bytes before = randomBytes(rng);
        const QosPort port = QosPort(rng.bounded(3));
        // A random mix of accepted values, too-large values and empty cells.
        std::array<std::optional<unsigned>, kRemapEntries> entries{};
        Bytes expected = before;
        for (int i = 0; i < kRemapEntries; ++i) {
            const int kind = rng.bounded(3);
            if (kind == 0)
                continue;
            entries[i] = rng.bounded(kind == 1 ? 8u : 40u);
            if (*entries[i] < 8)
                putEntry(expected, remapPos(port, i), *entries[i]);
        }
        Bytes b = before;
        QosConfigArray cfg(b.data());
        cfg.writeRemapTable(port, entries);
        COMPARE_BYTES(b, expected);
        for (int i = 0; i < kRemapEntries; ++i)
            QCOMPARE(cfg.remapEntry(port, i), getEntry(expected, remapPos(port, i)));
    }
}

void TestQosConfig::roundTripQueueTables()
{
    QRandomGenerator rng(0x054);
    for (int round = 0; round < 256; ++round) {
        const Bytes before = randomBytes(rng);

        std::array<std::optional<unsigned>, kVlanQueueEntries> vlan{};
        Bytes expected = before;
        for (int n = 0; n < kVlanQueueEntries; ++n) {
            if (rng.bounded(3) == 0)
                continue;
            vlan[n] = rng.bounded(6u);
            if (*vlan[n] < 4)
                putEntry(expected, queuePos(16, n), *vlan[n]);
        }
        Bytes b = before;
        QosConfigArray cfg(b.data());
        cfg.writeVlanQueueMap(vlan);
        COMPARE_BYTES(b, expected);
        for (int n = 0; n < kVlanQueueEntries; ++n)
            QCOMPARE(cfg.vlanQueue(n), getEntry(expected, queuePos(16, n)));

        const int half = rng.bounded(2);
        std::array<std::optional<unsigned>, kDscpHalfEntries> dscp{};
        for (int k = 0; k < kDscpHalfEntries; ++k) {
            if (rng.bounded(3) == 0)
                continue;
            dscp[k] = rng.bounded(6u);
            if (*dscp[k] < 4)
                putEntry(expected, queuePos(18, half * kDscpHalfEntries + k), *dscp[k]);
        }
        cfg.writeDscpQueueMapHalf(half, dscp);
        COMPARE_BYTES(b, expected);
        for (int n = 0; n < kDscpQueueEntries; ++n)
            QCOMPARE(cfg.dscpQueue(n), getEntry(expected, queuePos(18, n)));
    }
}

void TestQosConfig::roundTripWeights()
{
    QRandomGenerator rng(0x055);
    for (int round = 0; round < 256; ++round) {
        const Bytes before = randomBytes(rng);
        Weights w;
        long long budget = kQueueWeightSum;
        for (int q = 0; q < kQueueCount; ++q) {
            w[q] = 1 + rng.bounded(int(budget - (kQueueCount - 1 - q)));
            budget -= w[q];
        }
        Bytes b = before;
        QosConfigArray cfg(b.data());
        QVERIFY(cfg.writeQueueWeights(w));
        Bytes expected = before;
        for (int q = 0; q < kQueueCount; ++q) {
            expected[34 + q] = static_cast<unsigned char>(w[q]);
            QCOMPARE(cfg.queueWeight(q), unsigned(w[q]));
        }
        COMPARE_BYTES(b, expected);
    }
}

void TestQosConfig::roundTripSwitches()
{
    for (int stored = 0; stored < 256; ++stored) {
        for (QosSwitch which : {ch1_scheduling, ch2_scheduling, qos_main_switch}) {
            for (bool on : {false, true}) {
                Bytes b = filled(0xC3);
                b[38] = static_cast<unsigned char>(stored);
                QosConfigArray cfg(b.data());
                cfg.writeSwitch(which, on);
                Bytes expected = filled(0xC3);
                expected[38] = static_cast<unsigned char>(stored & 0x07);
                putEntry(expected, EntryPos{38, int(which), 1}, on ? 1 : 0);
                COMPARE_BYTES(b, expected);
                QCOMPARE(cfg.switchBit(which), on);
            }
        }
    }
}

QTEST_APPLESS_MAIN(TestQosConfig)
#include "tst_qos_config.moc"
