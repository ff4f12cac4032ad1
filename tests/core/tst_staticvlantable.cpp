// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "core/StaticVlanTable.h"

#include "core/IniFile.h"

#include "VlanTableRows.h"

#include <QTest>

#include <memory>
#include <random>

namespace {

using Bytes = std::array<unsigned char, kVlanConfigSize>;
using Codes = std::array<short, 6>; // LINE 2 .. NMS
using Changes = std::vector<VlanPoleChange>;

using namespace vlan_rows;

Codes codesOf(const VlanPole& pole, int entry)
{
    Codes codes;
    for (int c = 0; c < 6; ++c)
        codes[c] = pole[vp_line2 + c][entry];
    return codes;
}

std::vector<short> column(const VlanPole& pole, int c)
{
    return pole[c];
}

bool sameShape(const VlanPole& pole, int n)
{
    for (const auto& col : pole)
        if (int(col.size()) != n)
            return false;
    return true;
}

} // namespace

Q_DECLARE_METATYPE(Changes)
Q_DECLARE_METATYPE(std::vector<short>)

class TestStaticVlanTable : public QObject
{
    Q_OBJECT

private slots:
    void makeIsZeroFilled();
    void unpackAndPack();
    void unpackNmsZero();
    void unpackLeavesMarksAndBounds();
    void loadBoundsCount_data();
    void loadBoundsCount();
    void packLeavesOtherSlots();
    void packBoundedAt22();
    void lookups();
    void suggestedVid_data();
    void suggestedVid();
    void addEntry();
    void addUpTo22();
    void deleteMarked_data();
    void deleteMarked();
    void toggleMark();
    void clickCell_data();
    void clickCell();
    void clickCycles();
    void cellTexts_data();
    void cellTexts();
    void textsFromCatalogue();
};

void TestStaticVlanTable::makeIsZeroFilled()
{
    const VlanPole pole = makeVlanPole(5);
    QVERIFY(sameShape(pole, 5));
    for (const auto& col : pole)
        QVERIFY(std::all_of(col.begin(), col.end(), [](short v) { return v == 0; }));
    QCOMPARE(vlanPoleEntries(pole), 5);
    QVERIFY(sameShape(makeVlanPole(0), 0));
    QVERIFY(sameShape(makeVlanPole(-3), 0));
}

void TestStaticVlanTable::unpackAndPack()
{
    Bytes bytes{};
    bytes[16] = 0x01;
    bytes[17] = 0x70;
    bytes[18] = 0x7B;
    VlanConfigArray cfg(bytes.data());
    VlanPole pole = makeVlanPole(1);
    unpackVlanPole(cfg, pole, 1);
    QCOMPARE(pole[vp_vid][0], 1);
    QVERIFY(codesOf(pole, 0) == (Codes{N, T1, N, T2, N, T1}));

    Bytes out;
    out.fill(0xEE);
    VlanConfigArray outCfg(out.data());
    packVlanPole(pole, 1, outCfg);
    QCOMPARE(out[16], 0x01);
    QCOMPARE(out[17], 0x70);
    QCOMPARE(out[18], 0x7B);
    QCOMPARE(out[14], 0xEE); // the count is not written by packing
    QCOMPARE(out[19], 0xEE);

    // A VID above 255 and every LINE code: all three bytes are rewritten.
    pole = table({{0xABC, {T2, U, T1, N, T2, N}}});
    packVlanPole(pole, 1, outCfg);
    QCOMPARE(out[16], 0xBC);
    QCOMPARE(out[17], 0b0010'1010); // LINE 3 = 0, LINE 2 = 2, VID bits 8-11 = 0xA
    QCOMPARE(out[18], 0b1110'1101); // NMS 3, Modem 2 = 2, Modem 1 = 3, LINE 4 = 1
}

void TestStaticVlanTable::unpackNmsZero()
{
    Bytes bytes{};
    bytes[16] = 0x05;
    bytes[18] = 0x3F; // NMS bits 0
    VlanConfigArray cfg(bytes.data());
    VlanPole pole = makeVlanPole(1);
    unpackVlanPole(cfg, pole, 1);
    QCOMPARE(pole[vp_nms][0], T1);
    packVlanPole(pole, 1, cfg);
    QCOMPARE(bytes[18], 0x7F);
}

void TestStaticVlanTable::unpackLeavesMarksAndBounds()
{
    Bytes bytes;
    bytes.fill(0xFF);
    VlanConfigArray cfg(bytes.data());
    VlanPole pole = makeVlanPole(3);
    pole[vp_mark] = {1, 0, 1};
    unpackVlanPole(cfg, pole, 3);
    QVERIFY(column(pole, vp_mark) == (std::vector<short>{1, 0, 1}));
    QVERIFY(column(pole, vp_vid) == (std::vector<short>{0xFFF, 0xFFF, 0xFFF}));

    // n beyond the table's entries or beyond 22 stays inside both.
    unpackVlanPole(cfg, pole, 300);
    QVERIFY(sameShape(pole, 3));
    VlanPole big = makeVlanPole(30);
    unpackVlanPole(cfg, big, 30);
    QCOMPARE(big[vp_vid][21], 0xFFF);
    QCOMPARE(big[vp_vid][22], 0);
}

void TestStaticVlanTable::loadBoundsCount_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("entries");
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("22") << 22 << 22;
    QTest::newRow("23") << 23 << 22;
    QTest::newRow("255") << 255 << 22;
}

// The array is exactly 82 bytes on the heap, so any read past its end is a
// sanitizer failure.
void TestStaticVlanTable::loadBoundsCount()
{
    QFETCH(int, stored);
    QFETCH(int, entries);
    auto bytes = std::make_unique<unsigned char[]>(kVlanConfigSize);
    std::mt19937 rng(stored);
    for (int i = 0; i < kVlanConfigSize; ++i)
        bytes[i] = (unsigned char)(rng() & 0xFF);
    bytes[14] = (unsigned char)stored;
    VlanConfigArray cfg(bytes.get());
    const VlanPole pole = loadVlanPole(cfg);
    QVERIFY(sameShape(pole, entries));
    for (int i = 0; i < entries; ++i) {
        const StaticVlanEntry e = cfg.readSlot(i);
        QCOMPARE(pole[vp_vid][i], short(e.vid));
        QCOMPARE(pole[vp_mark][i], 0);
    }
}

void TestStaticVlanTable::packLeavesOtherSlots()
{
    std::mt19937 rng(2);
    Bytes bytes;
    for (auto& b : bytes)
        b = (unsigned char)(rng() & 0xFF);
    const Bytes before = bytes;
    VlanConfigArray cfg(bytes.data());
    const VlanPole pole = table({{10, {U, T1, T2, N, U, T1}}, {20, {N, N, N, N, N, N}, 1}});
    packVlanPole(pole, 2, cfg);
    for (int i = 0; i < kVlanConfigSize; ++i)
        if (i < 16 || i > 21)
            QCOMPARE(bytes[i], before[i]);
    const Bytes expectedSlots = {10, 0x00 | 0 << 4 | 1 << 6, 2 | 3 << 2 | 0 << 4 | 1 << 6,
                                 20, 0x00 | 3 << 4 | 3 << 6, 0xFF};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(bytes[16 + i], expectedSlots[i]);
}

// More entries than slots: packing stops at slot 21; the bytes after the
// array survive.
void TestStaticVlanTable::packBoundedAt22()
{
    std::vector<unsigned char> buffer(kVlanConfigSize + 64, 0xA5);
    unsigned char* bytes = buffer.data() + 32;
    std::fill(bytes, bytes + kVlanConfigSize, 0);
    VlanConfigArray cfg(bytes);
    VlanPole pole = makeVlanPole(30);
    for (int i = 0; i < 30; ++i)
        pole[vp_vid][i] = short(100 + i);
    packVlanPole(pole, 30, cfg);
    packVlanPole(pole, 1000, cfg);
    QCOMPARE(cfg.readSlot(21).vid, 121);
    for (int i = 0; i < 32; ++i) {
        QCOMPARE(buffer[i], 0xA5);
        QCOMPARE(buffer[32 + kVlanConfigSize + i], 0xA5);
    }
    // A count beyond the table packs only what the table holds.
    std::fill(bytes, bytes + kVlanConfigSize, 0);
    packVlanPole(makeVlanPole(2), 22, cfg);
    QCOMPARE(bytes[16 + 6], 0);
    QCOMPARE(bytes[18], 0);
}

void TestStaticVlanTable::lookups()
{
    const VlanPole pole = table({{5, {U, U, U, U, U, N}},
                                 {7, {U, U, U, U, U, N}, 1},
                                 {9, {U, U, U, U, U, T1}},
                                 {4094, {U, U, U, U, U, U}}});
    QVERIFY(vidExists(pole, 5));
    QVERIFY(vidExists(pole, 4094));
    QVERIFY(!vidExists(pole, 6));
    QVERIFY(!vidExists(makeVlanPole(0), 0));

    QCOMPARE(firstNmsEntry(pole, 4), 2);
    QCOMPARE(firstNmsEntry(pole, 2), -1);  // only the first n entries count
    QCOMPARE(firstNmsEntry(pole, 99), 2);  // bounded by the table
    QCOMPARE(firstNmsEntry(makeVlanPole(0), 0), -1);
    QCOMPARE(firstNmsEntry(table({{1, {N, N, N, N, N, U}}}), 1), 0); // code 0 is a member
}

void TestStaticVlanTable::suggestedVid_data()
{
    QTest::addColumn<std::vector<short>>("vids");
    QTest::addColumn<int>("suggested");
    QTest::newRow("empty table") << std::vector<short>{} << 1;
    QTest::newRow("last 5") << std::vector<short>{9, 5} << 6;
    QTest::newRow("last one below the limit") << std::vector<short>{kMaxVid - 1} << kMaxVid;
    QTest::newRow("last at the limit") << std::vector<short>{1, kMaxVid} << kMaxVid;
    QTest::newRow("last 0") << std::vector<short>{0} << 1;
}

void TestStaticVlanTable::suggestedVid()
{
    QFETCH(std::vector<short>, vids);
    QFETCH(int, suggested);
    VlanPole pole = makeVlanPole(int(vids.size()));
    pole[vp_vid] = vids;
    QCOMPARE(int(suggestedNewVid(pole)), suggested);
}

void TestStaticVlanTable::addEntry()
{
    const VlanPole pole = table({{10, {U, T1, T2, N, U, T1}, 1},
                                 {20, {T2, N, U, T1, T2, N}, 1},
                                 {30, {T1, T1, N, T2, U, N}}});
    const VlanPole grown = withNewEntry(pole, 31);
    QVERIFY(sameShape(grown, 4));
    QVERIFY(column(grown, vp_vid) == (std::vector<short>{10, 20, 30, 31}));
    for (int i = 0; i < 3; ++i)
        QVERIFY(codesOf(grown, i) == codesOf(pole, i));
    QVERIFY(codesOf(grown, 3) == (Codes{T1, T1, N, T2, U, N}));
    QVERIFY(column(grown, vp_mark) == (std::vector<short>{0, 0, 0, 0}));
    QCOMPARE(markedEntries(pole), 2); // the old table is left as it was

    // The last entry's NMS membership is not copied.
    const VlanPole second = withNewEntry(table({{1, {U, U, U, U, U, T1}}}), 2);
    QCOMPARE(second[vp_nms][1], N);

    // On an empty table the five ports are not members either.
    const VlanPole first = withNewEntry(makeVlanPole(0), 1);
    QVERIFY(sameShape(first, 1));
    QCOMPARE(first[vp_vid][0], 1);
    QVERIFY(codesOf(first, 0) == (Codes{N, N, N, N, N, N}));
}

void TestStaticVlanTable::addUpTo22()
{
    VlanPole pole = makeVlanPole(0);
    for (int i = 0; i < 22; ++i) {
        QVERIFY(canAddEntry(pole));
        pole = withNewEntry(pole, suggestedNewVid(pole));
    }
    QVERIFY(sameShape(pole, 22));
    QVERIFY(!canAddEntry(pole));
    QCOMPARE(pole[vp_vid][21], 22);
    QVERIFY(!canAddEntry(makeVlanPole(30)));
}

void TestStaticVlanTable::deleteMarked_data()
{
    QTest::addColumn<std::vector<short>>("marks");
    QTest::addColumn<std::vector<short>>("remaining"); // VIDs; empty = nothing to do
    QTest::newRow("2 and 4 of 5") << std::vector<short>{0, 1, 0, 1, 0}
                                  << std::vector<short>{1, 3, 5};
    QTest::newRow("first of 5") << std::vector<short>{1, 0, 0, 0, 0}
                                << std::vector<short>{2, 3, 4, 5};
    QTest::newRow("last, mark 7") << std::vector<short>{0, 0, 0, 0, 7}
                                  << std::vector<short>{1, 2, 3, 4};
    QTest::newRow("none marked") << std::vector<short>{0, 0, 0, 0, 0} << std::vector<short>{};
    QTest::newRow("all marked") << std::vector<short>{1, 1, 1, 1, 1} << std::vector<short>{};
}

void TestStaticVlanTable::deleteMarked()
{
    QFETCH(std::vector<short>, marks);
    QFETCH(std::vector<short>, remaining);
    VlanPole pole = makeVlanPole(5);
    for (int i = 0; i < 5; ++i) {
        pole[vp_vid][i] = short(i + 1);
        for (int c = vp_line2; c <= vp_nms; ++c)
            pole[c][i] = short((i + c) & 3);
    }
    pole[vp_mark] = marks;
    const VlanPole before = pole;

    const std::optional<VlanPole> kept = withoutMarkedEntries(pole);
    QVERIFY(pole == before);
    if (remaining.empty()) {
        QVERIFY(!kept);
        return;
    }
    QVERIFY(kept);
    QVERIFY(sameShape(*kept, int(remaining.size())));
    QVERIFY(column(*kept, vp_vid) == remaining);
    for (int i = 0; i < int(remaining.size()); ++i) {
        QVERIFY(codesOf(*kept, i) == codesOf(pole, remaining[i] - 1));
        QCOMPARE((*kept)[vp_mark][i], 0);
    }
}

void TestStaticVlanTable::toggleMark()
{
    VlanPole pole = makeVlanPole(2);
    QVERIFY(toggleDeleteMark(pole, 1));
    QCOMPARE(pole[vp_mark][1], 1);
    QVERIFY(!toggleDeleteMark(pole, 1));
    QCOMPARE(pole[vp_mark][1], 0);
    pole[vp_mark][0] = 5;
    QVERIFY(!toggleDeleteMark(pole, 0));
    QCOMPARE(pole[vp_mark][0], 0);
    const VlanPole before = pole;
    QVERIFY(!toggleDeleteMark(pole, 2));
    QVERIFY(!toggleDeleteMark(pole, -1));
    QVERIFY(pole == before);
}

void TestStaticVlanTable::clickCell_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("column");
    QTest::addColumn<std::vector<short>>("columnBefore"); // the clicked column, 3 entries
    QTest::addColumn<std::vector<short>>("columnAfter");
    QTest::addColumn<Changes>("changes");

    using V = std::vector<short>;
    for (int mode : {0, 1, 3}) {
        const QByteArray m = "mode " + QByteArray::number(mode) + ": ";
        QTest::newRow((m + "LINE 2 unmodified to untagged").constData())
            << mode << 1 << 1 << V{N, U, N} << V{N, T1, N} << Changes{{1, 1, T1}};
        QTest::newRow((m + "Modem 2 tagged to not a member").constData())
            << mode << 0 << 5 << V{T2, U, N} << V{N, U, N} << Changes{{0, 5, N}};
        QTest::newRow((m + "LINE 4 not a member to unmodified").constData())
            << mode << 2 << 3 << V{T2, U, N} << V{T2, U, U} << Changes{{2, 3, U}};
        QTest::newRow((m + "NMS moves from the first to the third entry").constData())
            << mode << 2 << 6 << V{T1, N, N} << V{N, N, T1}
            << Changes{{2, 6, T1}, {0, 6, N}};
        QTest::newRow((m + "NMS taken from every other member").constData())
            << mode << 1 << 6 << V{T1, N, U} << V{N, T1, N}
            << Changes{{1, 6, T1}, {0, 6, N}, {2, 6, N}};
        QTest::newRow((m + "NMS member clicked: nothing").constData())
            << mode << 0 << 6 << V{T1, N, N} << V{T1, N, N} << Changes{};
    }
    QTest::newRow("double tag: untagged to not a member")
        << 2 << 0 << 1 << V{T1, T2, U} << V{N, T2, U} << Changes{{0, 1, N}};
    QTest::newRow("double tag: tagged to not a member")
        << 2 << 1 << 4 << V{T1, T2, U} << V{T1, N, U} << Changes{{1, 4, N}};
    QTest::newRow("double tag: not a member to unmodified")
        << 2 << 2 << 2 << V{T1, T2, N} << V{T1, T2, U} << Changes{{2, 2, U}};
    QTest::newRow("double tag: NMS moves, unmodified")
        << 2 << 2 << 6 << V{T1, N, N} << V{N, N, U} << Changes{{2, 6, U}, {0, 6, N}};
    QTest::newRow("double tag: NMS member clicked: nothing")
        << 2 << 0 << 6 << V{T2, N, N} << V{T2, N, N} << Changes{};
    QTest::newRow("VID column: nothing")
        << 1 << 0 << 0 << V{5, 6, 7} << V{5, 6, 7} << Changes{};
    QTest::newRow("delete column: nothing")
        << 1 << 0 << 7 << V{0, 1, 0} << V{0, 1, 0} << Changes{};
    QTest::newRow("entry past the end: nothing")
        << 1 << 3 << 1 << V{0, 1, 2} << V{0, 1, 2} << Changes{};
    QTest::newRow("entry -1: nothing")
        << 1 << -1 << 1 << V{0, 1, 2} << V{0, 1, 2} << Changes{};
}

void TestStaticVlanTable::clickCell()
{
    QFETCH(int, mode);
    QFETCH(int, entry);
    QFETCH(int, column);
    QFETCH(std::vector<short>, columnBefore);
    QFETCH(std::vector<short>, columnAfter);
    QFETCH(Changes, changes);

    VlanPole pole = makeVlanPole(3);
    for (int c = vp_line2; c <= vp_nms; ++c)
        pole[c] = {T2, N, T1}; // the other columns must stay
    pole[vp_vid] = {100, 200, 300};
    const int clicked = std::clamp(column, 0, 7);
    pole[clicked] = columnBefore;
    VlanPole expected = pole;
    expected[clicked] = columnAfter;

    const Changes got = clickMembershipCell(pole, entry, column, mode);
    QVERIFY(got == changes);
    QVERIFY(pole == expected);
}

// Four clicks in Single Tag mode go round the codes and their texts; two
// clicks in Double Tag mode go member -> not a member -> unmodified.
void TestStaticVlanTable::clickCycles()
{
    const MembershipTexts texts = englishMembershipTexts();
    VlanPole pole = table({{1, {U, U, U, U, U, T1}}});
    QStringList shown;
    for (int i = 0; i < 4; ++i) {
        clickMembershipCell(pole, 0, vp_line2, vlan_mode_single_tag);
        shown << membershipCellText(pole[vp_line2][0], vp_line2, vlan_mode_single_tag, texts);
    }
    QCOMPARE(shown, QStringList({QStringLiteral(" Untagged"), QStringLiteral("  Tagged"),
                                 QStringLiteral("Not a member"), QStringLiteral(" Unmodified")}));

    pole = table({{1, {T2, U, U, U, U, T1}}});
    QCOMPARE(membershipCellText(pole[vp_line2][0], vp_line2, vlan_mode_double_tag, texts),
             QStringLiteral(" Unmodified"));
    clickMembershipCell(pole, 0, vp_line2, vlan_mode_double_tag);
    QCOMPARE(membershipCellText(pole[vp_line2][0], vp_line2, vlan_mode_double_tag, texts),
             QStringLiteral("Not a member"));
    clickMembershipCell(pole, 0, vp_line2, vlan_mode_double_tag);
    QCOMPARE(pole[vp_line2][0], U);
}

void TestStaticVlanTable::cellTexts_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("text");

    const QString texts[] = {QStringLiteral(" Unmodified"), QStringLiteral(" Untagged"),
                             QStringLiteral("  Tagged"), QStringLiteral("Not a member")};
    for (int mode : {0, 1, 3})
        for (int code = 0; code < 4; ++code) {
            const QByteArray row = "mode " + QByteArray::number(mode) + " code "
                                   + QByteArray::number(code);
            QTest::newRow((row + " LINE 2").constData()) << code << 1 << mode << texts[code];
            QTest::newRow((row + " Modem 2").constData()) << code << 5 << mode << texts[code];
            QTest::newRow((row + " NMS").constData()) << code << 6 << mode << texts[code == 3 ? 3 : 1];
        }
    for (int code = 0; code < 4; ++code)
        for (int column = 1; column <= 6; ++column)
            QTest::newRow(("double tag code " + QByteArray::number(code) + " column "
                           + QByteArray::number(column)).constData())
                << code << column << 2 << texts[code == 3 ? 3 : 0];
}

void TestStaticVlanTable::cellTexts()
{
    QFETCH(int, code);
    QFETCH(int, column);
    QFETCH(int, mode);
    QFETCH(QString, text);
    QCOMPARE(membershipCellText(short(code), column, mode, englishMembershipTexts()), text);
}

void TestStaticVlanTable::textsFromCatalogue()
{
    QCOMPARE(lookupMembershipTexts(nullptr), englishMembershipTexts());
    TIniFile empty;
    QCOMPARE(lookupMembershipTexts(&empty), englishMembershipTexts());

    TIniFile renamed;
    renamed.parse("[VLAN]\nuntagged_member=\" Ohne Tag\"\nnot_a_member=Kein Mitglied\n"
                  "[QOS]\ntagged_member=wrong section\n");
    const MembershipTexts texts = lookupMembershipTexts(&renamed);
    QCOMPARE(texts[U], QStringLiteral(" Unmodified"));
    QCOMPARE(texts[T1], QStringLiteral(" Ohne Tag"));
    QCOMPARE(texts[T2], QStringLiteral("  Tagged"));
    QCOMPARE(texts[N], QStringLiteral("Kein Mitglied"));
    QCOMPARE(membershipCellText(N, vp_nms, 1, texts), QStringLiteral("Kein Mitglied"));

    QCOMPARE(deleteMarkCellText(1), QStringLiteral("   X"));
    QCOMPARE(deleteMarkCellText(0), QString());
}

QTEST_GUILESS_MAIN(TestStaticVlanTable)
#include "tst_staticvlantable.moc"
