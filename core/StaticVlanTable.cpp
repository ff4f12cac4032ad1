// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "core/StaticVlanTable.h"

#include "core/Lookup.h"

#include <algorithm>

namespace {

// Entries i for which every column has an element.
int boundedCount(const VlanPole& pole, int n)
{
    return std::clamp(n, 0, vlanPoleEntries(pole));
}

bool isMembershipColumn(int column)
{
    return column >= vp_line2 && column <= vp_nms;
}

} // namespace

// ---- The table and the array --------------------------------------------

VlanPole makeVlanPole(int entries)
{
    const std::size_t n = std::size_t(std::max(entries, 0));
    VlanPole pole;
    for (auto& column : pole)
        column.assign(n, 0);
    return pole;
}

int vlanPoleEntries(const VlanPole& pole)
{
    // Every operation here builds all eight columns with the same length; the
    // shortest one still bounds any index, should a table be built elsewhere.
    std::size_t n = pole[0].size();
    for (const auto& column : pole)
        n = std::min(n, column.size());
    return int(n);
}

void unpackVlanPole(const VlanConfigArray& cfg, VlanPole& pole, int n)
{
    n = std::min(boundedCount(pole, n), kMaxStaticVlans);
    for (int i = 0; i < n; ++i) {
        const StaticVlanEntry entry = cfg.readSlot(i);
        pole[vp_vid][i] = short(entry.vid);
        for (int p = port_line2; p <= port_nms; ++p)
            pole[p + 1][i] = entry.codes[p];
    }
}

VlanPole loadVlanPole(const VlanConfigArray& cfg)
{
    const int n = cfg.storedEntryCount();
    VlanPole pole = makeVlanPole(n);
    unpackVlanPole(cfg, pole, n);
    return pole;
}

void packVlanPole(const VlanPole& pole, int n, VlanConfigArray& cfg)
{
    n = std::min(boundedCount(pole, n), kMaxStaticVlans);
    for (int i = 0; i < n; ++i) {
        StaticVlanEntry entry;
        entry.vid = (unsigned short)pole[vp_vid][i];
        for (int p = port_line2; p <= port_nms; ++p)
            entry.codes[p] = (unsigned char)(pole[p + 1][i] & 3);
        cfg.writeSlot(i, entry);
    }
}

// ---- Lookups -------------------------------------------------------------

bool vidExists(const VlanPole& pole, short vid)
{
    const int n = vlanPoleEntries(pole);
    for (int i = 0; i < n; ++i)
        if (pole[vp_vid][i] == vid)
            return true;
    return false;
}

int firstNmsEntry(const VlanPole& pole, int n)
{
    n = boundedCount(pole, n);
    for (int i = 0; i < n; ++i)
        if (pole[vp_nms][i] != not_a_member)
            return i;
    return -1;
}

// ---- Add and delete --------------------------------------------------------

bool canAddEntry(const VlanPole& pole)
{
    return vlanPoleEntries(pole) < kMaxStaticVlans;
}

short suggestedNewVid(const VlanPole& pole)
{
    const int n = vlanPoleEntries(pole);
    if (n == 0)
        return 1;
    const short last = pole[vp_vid][n - 1];
    return last == kMaxVid ? last : short(last + 1);
}

VlanPole withNewEntry(const VlanPole& pole, short vid)
{
    const int n = vlanPoleEntries(pole);
    VlanPole grown = makeVlanPole(n + 1);
    for (int c = vp_vid; c <= vp_nms; ++c)
        std::copy_n(pole[c].begin(), n, grown[c].begin());

    grown[vp_vid][n] = vid;
    for (int c = vp_line2; c <= vp_modem2; ++c)
        grown[c][n] = n > 0 ? pole[c][n - 1] : short(not_a_member);
    grown[vp_nms][n] = not_a_member;
    return grown;
}

int markedEntries(const VlanPole& pole)
{
    const int n = vlanPoleEntries(pole);
    return int(std::count_if(pole[vp_mark].begin(), pole[vp_mark].begin() + n,
                             [](short mark) { return mark != 0; }));
}

std::optional<VlanPole> withoutMarkedEntries(const VlanPole& pole)
{
    const int n = vlanPoleEntries(pole);
    const int marked = markedEntries(pole);
    if (marked == 0 || marked == n)
        return std::nullopt;

    VlanPole kept = makeVlanPole(n - marked);
    int next = 0;
    for (int i = 0; i < n; ++i) {
        if (pole[vp_mark][i] != 0)
            continue;
        for (int c = vp_vid; c <= vp_nms; ++c)
            kept[c][next] = pole[c][i];
        ++next;
    }
    return kept;
}

// ---- Clicks on the grid -----------------------------------------------------

bool toggleDeleteMark(VlanPole& pole, int entry)
{
    if (entry < 0 || entry >= vlanPoleEntries(pole))
        return false;
    short& mark = pole[vp_mark][entry];
    mark = mark == 0 ? 1 : 0;
    return mark != 0;
}

std::vector<VlanPoleChange> clickMembershipCell(VlanPole& pole, int entry, int column, int mode)
{
    std::vector<VlanPoleChange> changes;
    const int n = vlanPoleEntries(pole);
    if (entry < 0 || entry >= n || !isMembershipColumn(column))
        return changes;

    auto change = [&](int e, int c, short code) {
        pole[c][e] = code;
        changes.push_back({e, c, code});
    };
    // NMS belongs to one entry at a time: the others lose it, first to last.
    auto moveNmsTo = [&](int owner, short code) {
        change(owner, vp_nms, code);
        for (int i = 0; i < n; ++i)
            if (i != owner && pole[vp_nms][i] != not_a_member)
                change(i, vp_nms, not_a_member);
    };

    const short code = pole[column][entry];
    if (mode == vlan_mode_double_tag) {
        if (code == not_a_member) {
            if (column == vp_nms)
                moveNmsTo(entry, unmodified_member);
            else
                change(entry, column, unmodified_member);
        } else if (column != vp_nms) {
            change(entry, column, not_a_member);
        }
        return changes;
    }

    if (column == vp_nms) {
        if (code == not_a_member)
            moveNmsTo(entry, untagged_member);
        return changes;
    }

    switch (code) {
    case unmodified_member: change(entry, column, untagged_member); break;
    case untagged_member: change(entry, column, tagged_member); break;
    case tagged_member: change(entry, column, not_a_member); break;
    default: change(entry, column, unmodified_member); break;
    }
    return changes;
}

// ---- Cell texts ----------------------------------------------------------------

MembershipTexts englishMembershipTexts()
{
    MembershipTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = QString::fromLatin1(kMembershipTextKeys[i].english);
    return texts;
}

MembershipTexts lookupMembershipTexts(const TIniFile* langIni)
{
    MembershipTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = lookup(langIni, QStringLiteral("VLAN"),
                          QString::fromLatin1(kMembershipTextKeys[i].key),
                          QString::fromLatin1(kMembershipTextKeys[i].english));
    return texts;
}

QString membershipCellText(short code, int column, int mode, const MembershipTexts& texts)
{
    const bool member = code != not_a_member;
    if (mode == vlan_mode_double_tag)
        return member ? texts[unmodified_member] : texts[not_a_member];
    if (column == vp_nms)
        return member ? texts[untagged_member] : texts[not_a_member];
    return texts[std::size_t(code & 3)];
}

QString deleteMarkCellText(short mark)
{
    return mark != 0 ? QString::fromLatin1(kDeleteMarkText) : QString();
}
