// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>
#include <QtGlobal>

#include <vector>

// The text keys of one sort, worked out once per row: a sort compares each row many
// times, and folding the case or reading the numbers of a name afresh at every comparison
// cost more than the rest of a listing. Compare() answers what comparing the texts
// themselves answers, by the same rules (see LogicalCompare and AsciiCompareNoCase).
class CSortKeys {
public:
    CSortKeys(bool logical, qsizetype rows);

    // The key of the next row (rows are numbered in the order they are added): `prefix`
    // orders first, then the text.
    void Add(int prefix, QStringView text);
    // Room for keys of this many characters in all, so that adding them never regrows.
    void Reserve(qsizetype characters);
    // Every row's key at once (rather than Add() row by row, and before any Add()), room
    // and all; the texts are folded on up to `threads` threads (0: as many as run at once).
    void AddAll(const std::vector<int>& prefixes, const std::vector<QStringView>& texts,
                int threads = 0);
    // Called once after the last Add() and before any Compare().
    void Finish();

    // -1, 0 or 1 for rows a and b.
    [[nodiscard]] int Compare(int a, int b) const;
    // Every row in the order Compare() times `direction` (1 or -1) gives; rows that compare
    // equal keep their order. Large sorts are split over up to `threads` threads (0: as
    // many as the processor runs at once); the order is the same for any count.
    [[nodiscard]] std::vector<int> SortedRows(int direction, int threads = 0) const;

private:
    struct ITEM;

    void AddLogical(QStringView text);
    void AddFolded(QStringView text);
    void FoldRows(const std::vector<QStringView>& texts, size_t first, size_t last);
    void RankCharacters();
    // The elements [from, from + count) of a row's key packed into one number, each plus one
    // so that an absent element (0) orders before every present one.
    [[nodiscard]] quint64 Packed(size_t row, size_t from) const;
    void LoadLevel(ITEM* first, ITEM* last, size_t level) const;
    [[nodiscard]] bool Ended(const ITEM& item) const;
    void SortRange(ITEM* first, ITEM* last, int direction) const;
    void SortSplit(ITEM* first, ITEM* last, int direction, int threads) const;
    [[nodiscard]] ITEM* Partition(ITEM* first, ITEM* last, int direction) const;

    bool m_logical;
    std::vector<int> m_prefix;
    std::vector<quint32> m_start; // row i's key is [m_start[i], m_start[i + 1])
    // The folded text's code units (plain order), or one token per number or character
    // (logical order).
    std::vector<char16_t> m_units;
    std::vector<quint32> m_tokens;
};
