// SPDX-License-Identifier: GPL-3.0-or-later
#include "csortkeys.h"

#include "textrules.h"

#include <QString>

#include <algorithm>

namespace {

// A logical token: a run of digits is its value (held below 2^31), a character is this
// bit plus its rank, so every number orders before every character.
constexpr quint32 kCharacterToken = quint32(1) << 31;
constexpr qint64 kNumberLimit = 0x7FFFFFFF;

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

quint64 CSortKeys::Head(size_t row) const {
    const size_t start = m_start[row];
    const size_t length = m_start[row + 1] - start;
    quint64 head = 0;
    if (m_logical) {
        for (size_t i = 0; i < 2; ++i)
            head = (head << 32) | (i < length ? m_tokens[start + i] : 0u);
    } else {
        for (size_t i = 0; i < 4; ++i)
            head = (head << 16) | (i < length ? m_units[start + i] : 0u);
    }
    return head;
}

// The rows are sorted as records that hold what most comparisons need, so that a sort
// rarely reads the keys themselves: those of 100,000 rows are far more than the caches hold.
std::vector<int> CSortKeys::SortedRows(int direction) const {
    struct ITEM {
        quint64 head;
        int prefix;
        int row;
    };
    const size_t rows = m_prefix.size();
    std::vector<ITEM> items(rows);
    for (size_t row = 0; row < rows; ++row)
        items[row] = ITEM{Head(row), m_prefix[row], int(row)};
    const auto before = [this, direction](const ITEM& a, const ITEM& b) {
        int order = 0;
        if (a.prefix != b.prefix)
            order = a.prefix < b.prefix ? -1 : 1;
        else if (a.head != b.head)
            order = a.head < b.head ? -1 : 1;
        else
            order = Compare(a.row, b.row);
        return direction * order < 0;
    };
    std::stable_sort(items.begin(), items.end(), before);
    std::vector<int> sorted(rows);
    for (size_t k = 0; k < rows; ++k)
        sorted[k] = items[k].row;
    return sorted;
}
