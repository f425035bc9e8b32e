// SPDX-License-Identifier: GPL-3.0-or-later
#include "csortkeys.h"

#include "textrules.h"

#include "platform/workshares.h"

#include <QString>

#include <algorithm>
#include <cstdlib>
#include <thread>

namespace {

// A logical token: a run of digits is its value (held below 2^31), a character is this
// bit plus its rank, so every number orders before every character.
constexpr quint32 kCharacterToken = quint32(1) << 31;
constexpr qint64 kNumberLimit = 0x7FFFFFFF;

// Below twice this many rows a sort stays on one thread: starting one costs more.
constexpr ptrdiff_t kRowsPerThread = 2048;

// The threads asked for, or as many as the processor runs at once.
int ThreadCount(int asked) {
    return asked > 0 ? asked : ProcessorCount();
}

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int Sign(int value) {
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

QString Folded(char16_t unit) {
    return QString(QChar(unit)).toCaseFolded();
}

// Shorter keys order before longer ones that begin with them.
template <typename T> int CompareRanges(const T* a, size_t lengthA, const T* b, size_t lengthB) {
    const size_t n = std::min(lengthA, lengthB);
    for (size_t i = 0; i < n; ++i) {
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    }
    if (lengthA == lengthB)
        return 0;
    return lengthA < lengthB ? -1 : 1;
}

} // namespace

CSortKeys::CSortKeys(bool logical, qsizetype rows) : m_logical(logical) {
    m_prefix.reserve(size_t(rows));
    m_start.reserve(size_t(rows) + 1);
    m_start.push_back(0);
}

// A logical key has at most one token per character.
void CSortKeys::Reserve(qsizetype characters) {
    if (m_logical)
        m_tokens.reserve(size_t(characters));
    else
        m_units.reserve(size_t(characters));
}

void CSortKeys::Add(int prefix, QStringView text) {
    m_prefix.push_back(prefix);
    if (m_logical)
        AddLogical(text);
    else
        AddFolded(text);
}

void CSortKeys::AddFolded(QStringView text) {
    for (QChar c : text)
        m_units.push_back(AsciiLowerChar(c).unicode());
    m_start.push_back(quint32(m_units.size()));
}

void CSortKeys::AddAll(const std::vector<int>& prefixes, const std::vector<QStringView>& texts,
                       int threads) {
    const size_t rows = texts.size();
    qsizetype characters = 0;
    for (QStringView text : texts)
        characters += text.size();
    // Logical keys are as many tokens as a text holds numbers and other characters, known
    // only once read: those are added row by row.
    if (m_logical || !m_prefix.empty()) {
        Reserve(characters);
        for (size_t row = 0; row < rows; ++row)
            Add(prefixes[row], texts[row]);
        return;
    }
    m_prefix = prefixes;
    m_start.resize(rows + 1);
    for (size_t row = 0; row < rows; ++row)
        m_start[row + 1] = m_start[row] + quint32(texts[row].size());
    m_units.resize(size_t(characters));
    const size_t parts = std::clamp<size_t>(rows / kRowsPerThread, 1, size_t(ThreadCount(threads)));
    RunRangeShares(rows, int(parts),
                   [&](size_t first, size_t last) { FoldRows(texts, first, last); });
}

void CSortKeys::FoldRows(const std::vector<QStringView>& texts, size_t first, size_t last) {
    for (size_t row = first; row < last; ++row) {
        char16_t* out = m_units.data() + m_start[row];
        for (QChar c : texts[row])
            *out++ = AsciiLowerChar(c).unicode();
    }
}

void CSortKeys::AddLogical(QStringView text) {
    for (qsizetype i = 0; i < text.size();) {
        if (!IsDigit(text[i])) {
            m_tokens.push_back(kCharacterToken | text[i].unicode());
            ++i;
            continue;
        }
        qint64 value = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i)
            value = qMin<qint64>(value * 10 + (text[i].unicode() - u'0'), kNumberLimit);
        m_tokens.push_back(quint32(value));
    }
    m_start.push_back(quint32(m_tokens.size()));
}

void CSortKeys::Finish() {
    if (m_logical)
        RankCharacters();
}

// Characters compare by their case-folded text in the user's locale. That order is worked
// out once for the characters the keys hold, and each character token becomes its rank;
// characters the locale holds equal share a rank.
void CSortKeys::RankCharacters() {
    std::vector<bool> seen(0x10000);
    std::vector<char16_t> characters;
    for (quint32 token : m_tokens) {
        if (!(token & kCharacterToken))
            continue;
        const char16_t unit = char16_t(token & 0xFFFF);
        if (!seen[unit]) {
            seen[unit] = true;
            characters.push_back(unit);
        }
    }
    std::vector<QString> folded(0x10000);
    for (char16_t unit : characters)
        folded[unit] = Folded(unit);
    auto compare = [&folded](char16_t a, char16_t b) {
        const QString& fa = folded[a];
        const QString& fb = folded[b];
        return fa == fb ? 0 : Sign(QString::localeAwareCompare(fa, fb));
    };
    std::stable_sort(characters.begin(), characters.end(),
                     [&compare](char16_t a, char16_t b) { return compare(a, b) < 0; });
    std::vector<quint32> rank(0x10000);
    for (size_t i = 1; i < characters.size(); ++i)
        rank[characters[i]] =
            rank[characters[i - 1]] + (compare(characters[i - 1], characters[i]) != 0 ? 1 : 0);
    for (quint32& token : m_tokens) {
        if (token & kCharacterToken)
            token = kCharacterToken | rank[token & 0xFFFF];
    }
}

int CSortKeys::Compare(int a, int b) const {
    const size_t ia = size_t(a);
    const size_t ib = size_t(b);
    if (m_prefix[ia] != m_prefix[ib])
        return m_prefix[ia] < m_prefix[ib] ? -1 : 1;
    const size_t startA = m_start[ia];
    const size_t startB = m_start[ib];
    const size_t lengthA = m_start[ia + 1] - startA;
    const size_t lengthB = m_start[ib + 1] - startB;
    if (m_logical)
        return CompareRanges(m_tokens.data() + startA, lengthA, m_tokens.data() + startB, lengthB);
    return CompareRanges(m_units.data() + startA, lengthA, m_units.data() + startB, lengthB);
}

// One row in a sort: its prefix and, for the level of the key being sorted, the next
// elements of its key. The rows of a run share their prefix and every element before.
struct CSortKeys::ITEM {
    quint64 elements;
    int prefix;
    int row;
};

namespace {

// A level is one word of packed key elements: three folded units of 17 bits each, or two
// logical tokens of 32 bits each (every token plus one still fits).
constexpr size_t kUnitsPerWord = 3;
constexpr size_t kTokensPerWord = 2;
constexpr int kUnitBits = 17;
constexpr int kTokenBits = 32;
// Runs this short are sorted by insertion, with no buffer to allocate.
constexpr ptrdiff_t kShortRun = 16;
// How many rows ahead a level's keys are fetched.
constexpr ptrdiff_t kKeysAhead = 8;
// The rows a split's pivot is chosen from.
constexpr ptrdiff_t kPivotSamples = 31;

template <typename ITEMTYPE> int Order(const ITEMTYPE& a, const ITEMTYPE& b) {
    if (a.prefix != b.prefix)
        return a.prefix < b.prefix ? -1 : 1;
    if (a.elements != b.elements)
        return a.elements < b.elements ? -1 : 1;
    return 0;
}

template <typename ITEMTYPE> bool Same(const ITEMTYPE& a, const ITEMTYPE& b) {
    return a.prefix == b.prefix && a.elements == b.elements;
}

// Stable, as the rows of equal keys must keep their order.
template <typename ITEMTYPE> void SortByLevel(ITEMTYPE* first, ITEMTYPE* last, int direction) {
    const auto before = [direction](const ITEMTYPE& a, const ITEMTYPE& b) {
        return direction * Order(a, b) < 0;
    };
    if (last - first <= kShortRun) {
        for (ITEMTYPE* next = first + 1; next < last; ++next) {
            const ITEMTYPE item = *next;
            ITEMTYPE* at = next;
            for (; at != first && before(item, at[-1]); --at)
                *at = at[-1];
            *at = item;
        }
        return;
    }
    const auto differs = [](const ITEMTYPE& a, const ITEMTYPE& b) { return !Same(a, b); };
    if (std::adjacent_find(first, last, differs) == last)
        return;
    std::stable_sort(first, last, before);
}

} // namespace

quint64 CSortKeys::Packed(size_t row, size_t from) const {
    const size_t start = m_start[row];
    const size_t length = m_start[row + 1] - start;
    const size_t count = m_logical ? kTokensPerWord : kUnitsPerWord;
    const int bits = m_logical ? kTokenBits : kUnitBits;
    quint64 word = 0;
    for (size_t i = from; i < from + count; ++i) {
        quint64 element = 0;
        if (i < length)
            element = (m_logical ? quint64(m_tokens[start + i]) : quint64(m_units[start + i])) + 1;
        word = (word << bits) | element;
    }
    return word;
}

void CSortKeys::LoadLevel(ITEM* first, ITEM* last, size_t level) const {
    const size_t count = m_logical ? kTokensPerWord : kUnitsPerWord;
    const size_t from = level * count;
    for (ITEM* item = first; item != last; ++item) {
        // The rows of a run are seldom next to each other in the keys' memory.
        if (last - item > kKeysAhead) {
            const size_t ahead = m_start[size_t(item[kKeysAhead].row)] + from;
            if (m_logical)
                __builtin_prefetch(m_tokens.data() + ahead);
            else
                __builtin_prefetch(m_units.data() + ahead);
        }
        const size_t row = size_t(item->row);
        item->elements = Packed(row, from);
    }
}

// Whether the key ends within the level loaded: then every later level is empty.
bool CSortKeys::Ended(const ITEM& item) const {
    const quint64 last = m_logical ? 0xFFFFFFFFu : (quint64(1) << kUnitBits) - 1;
    return (item.elements & last) == 0;
}

// Sorted a level at a time, each level a few elements of every key packed into the item:
// comparisons then read the items only, never the keys, which for many rows are far more
// than the caches hold. Rows equal so far are sorted by their next level, a run at a time.
void CSortKeys::SortRange(ITEM* first, ITEM* last, int direction) const {
    struct RUN {
        ITEM* first;
        ITEM* last;
        size_t level;
    };
    std::vector<RUN> runs{RUN{first, last, 0}};
    while (!runs.empty()) {
        const RUN run = runs.back();
        runs.pop_back();
        LoadLevel(run.first, run.last, run.level);
        SortByLevel(run.first, run.last, direction);
        for (ITEM* begin = run.first; begin != run.last;) {
            ITEM* end = begin + 1;
            while (end != run.last && Same(*end, *begin))
                ++end;
            if (end - begin > 1 && !Ended(*begin))
                runs.push_back(RUN{begin, end, run.level + 1});
            begin = end;
        }
    }
}

// Moves the rows that order before a pivot row ahead of the others, each side in its
// order, and returns where the second side starts. Rows equal to the pivot all go to one
// side (the one that evens the sides), so equal rows keep their order across the split.
CSortKeys::ITEM* CSortKeys::Partition(ITEM* first, ITEM* last, int direction) const {
    const ptrdiff_t size = last - first;
    std::vector<int> samples;
    for (ptrdiff_t k = 0; k < kPivotSamples; ++k)
        samples.push_back(first[k * size / kPivotSamples].row);
    std::sort(samples.begin(), samples.end(),
              [this, direction](int a, int b) { return direction * Compare(a, b) < 0; });
    const int pivot = samples[samples.size() / 2];
    std::vector<signed char> order(size_t(size), 0);
    ptrdiff_t before = 0;
    ptrdiff_t beforeOrEqual = 0;
    for (ptrdiff_t k = 0; k < size; ++k) {
        order[size_t(k)] = static_cast<signed char>(direction * Compare(first[k].row, pivot));
        before += order[size_t(k)] < 0 ? 1 : 0;
        beforeOrEqual += order[size_t(k)] <= 0 ? 1 : 0;
    }
    const int bound = std::abs(2 * before - size) <= std::abs(2 * beforeOrEqual - size) ? 0 : 1;
    // The first side moves forward in place; the second waits aside.
    std::vector<ITEM> second;
    second.reserve(size_t(size - (bound == 0 ? before : beforeOrEqual)));
    ITEM* front = first;
    for (ptrdiff_t k = 0; k < size; ++k) {
        if (order[size_t(k)] < bound)
            *front++ = first[k];
        else
            second.push_back(first[k]);
    }
    std::copy(second.begin(), second.end(), front);
    return front;
}

// The rows are split by value, not by position, so the parts need no merging afterwards.
void CSortKeys::SortSplit(ITEM* first, ITEM* last, int direction, int threads) const {
    if (threads < 2 || last - first < 2 * kRowsPerThread) {
        SortRange(first, last, direction);
        return;
    }
    ITEM* const middle = Partition(first, last, direction);
    if (middle == first || middle == last) {
        SortRange(first, last, direction);
        return;
    }
    const int left = threads / 2;
    std::thread worker(
        [this, first, middle, direction, left] { SortSplit(first, middle, direction, left); });
    SortSplit(middle, last, direction, threads - left);
    worker.join();
}

std::vector<int> CSortKeys::SortedRows(int direction, int threads) const {
    const size_t rows = m_prefix.size();
    std::vector<ITEM> items(rows);
    for (size_t row = 0; row < rows; ++row)
        items[row] = ITEM{0, m_prefix[row], int(row)};
    SortSplit(items.data(), items.data() + rows, direction, ThreadCount(threads));
    std::vector<int> sorted(rows);
    for (size_t k = 0; k < rows; ++k)
        sorted[k] = items[k].row;
    return sorted;
}
