// SPDX-License-Identifier: GPL-3.0-or-later
#include "csortorder.h"

#include "csortkeys.h"
#include "listcolumns.h"
#include "textrules.h"

#include "platform/attributes.h"

namespace {

// Sort keys are compared from a buffer of 260 characters.
constexpr qsizetype kKeyLength = 259;

template <typename T> int Sign(T value) {
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

qint64 ReadNumber(QStringView text, qsizetype& i) {
    qint64 value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        value = qMin<qint64>(value * 10 + (text[i].unicode() - u'0'), 0x7FFFFFFF);
    return value;
}

int CompareCharsNoCase(QChar a, QChar b) {
    const QString fa = QString(a).toCaseFolded();
    const QString fb = QString(b).toCaseFolded();
    if (fa == fb)
        return 0;
    return Sign(QString::localeAwareCompare(fa, fb));
}

} // namespace

int LogicalCompare(QStringView p, QStringView q) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < p.size()) {
        if (j >= q.size())
            return 1;
        if (IsDigit(p[i])) {
            if (!IsDigit(q[j]))
                return -1;
            const qint64 a = ReadNumber(p, i);
            const qint64 b = ReadNumber(q, j);
            if (a != b)
                return a < b ? -1 : 1;
            continue;
        }
        if (IsDigit(q[j]))
            return 1;
        const int c = CompareCharsNoCase(p[i], q[j]);
        if (c != 0)
            return c;
        ++i;
        ++j;
    }
    return j >= q.size() ? 0 : -1;
}

bool CSortOrder::SortByColumn(int column, bool ascendingOrSortNow) {
    if (column < 0 || column >= ColumnCount)
        column = 0;
    if (m_state.column < 0) {
        m_state.column = column;
        m_state.ascending = ascendingOrSortNow;
    } else if (m_state.column != column) {
        m_state.column = column;
        m_state.ascending = true;
    } else {
        m_state.ascending = !m_state.ascending;
    }
    m_state.random = false;
    return ascendingOrSortNow;
}

int CSortOrder::Compare(const FILEENTRY& a, const FILEENTRY& b) {
    if (m_state.random)
        return m_random.generate() > m_random.generate() ? 1 : 0;
    const int result = CompareByColumn(a, b);
    return m_state.ascending ? result : -result;
}

int CSortOrder::CompareByColumn(const FILEENTRY& a, const FILEENTRY& b) const {
    switch (m_state.column) {
    case ColName:
        return CompareTexts(a, b, a.name, b.name);
    case ColNewName:
        return CompareTexts(a, b, a.newName, b.newName);
    case ColSubDir:
        return CompareTexts(a, b, a.SubDir(), b.SubDir());
    case ColType:
        return CompareTexts(a, b, a.typeName, b.typeName);
    case ColSize:
        return Sign(qint64(a.size) - qint64(b.size));
    case ColCreated:
        return Sign(a.created - b.created);
    case ColModified:
        return Sign(a.modified - b.modified);
    case ColAccessed:
        return Sign(a.accessed - b.accessed);
    case ColTaken:
        return Sign(a.dateTaken - b.dateTaken);
    case ColLength:
        return Sign(qint64(a.newNameLength) - qint64(b.newNameLength));
    case ColTrack:
        return Sign(qint64(a.track) - qint64(b.track));
    case ColAttributes:
        return Sign(
            AsciiCompareNoCase(AttributeLetters(a.attributes), AttributeLetters(b.attributes)));
    default:
        return 0;
    }
}

// The two leading characters of each key, compared by value ahead of the text: affected
// entries first (when grouped), then folders before files (unless sorted together).
int CSortOrder::PrefixOf(const FILEENTRY& e) const {
    const int first = m_state.groupAffected ? (e.affected ? 1 : 2) : 1;
    const int second = (e.isFolder || m_state.filesAndFoldersTogether) ? 1 : 0xFF;
    return first * 0x100 + second;
}

int CSortOrder::CompareTexts(const FILEENTRY& a, const FILEENTRY& b, QStringView ta,
                             QStringView tb) const {
    const int byPrefix = Sign(PrefixOf(a) - PrefixOf(b));
    if (byPrefix != 0)
        return byPrefix;
    ta = ta.left(kKeyLength - 2);
    tb = tb.left(kKeyLength - 2);
    return m_state.logical ? LogicalCompare(ta, tb) : Sign(AsciiCompareNoCase(ta, tb));
}

void CSortOrder::SortList(CFileList& list) {
    const int column = m_state.column;
    const bool byText = column == ColName || column == ColNewName || column == ColSubDir ||
                        column == ColType || column == ColAttributes;
    if (m_state.random || !byText) {
        list.SortRowsBy([this](const FILEENTRY& a, const FILEENTRY& b) { return Compare(a, b); });
        return;
    }
    // The attribute letters are compared plainly and without the prefix.
    const bool attributes = column == ColAttributes;
    CSortKeys keys(m_state.logical && !attributes, list.RowCount());
    const auto keyText = [column](const FILEENTRY& e) {
        const QString& text = column == ColName      ? e.name
                              : column == ColNewName ? e.newName
                              : column == ColSubDir  ? e.SubDir()
                                                     : e.typeName;
        return QStringView(text).left(kKeyLength - 2);
    };
    const auto rows = size_t(list.RowCount());
    if (attributes) {
        for (size_t row = 0; row < rows; ++row)
            keys.Add(0, AttributeLetters(list.GetEntry(int(row)).attributes));
    } else {
        // The texts are gathered first, so that each entry is read once and the keys are
        // sized once: growing by doubling would hold up to three times the keys at a time.
        std::vector<QStringView> texts(rows);
        std::vector<int> prefixes(rows);
        for (size_t row = 0; row < rows; ++row) {
            const FILEENTRY& e = list.GetEntry(int(row));
            texts[row] = keyText(e);
            prefixes[row] = PrefixOf(e);
        }
        keys.AddAll(prefixes, texts);
    }
    keys.Finish();
    const int direction = m_state.ascending ? 1 : -1;
    list.ReorderRows(keys.SortedRows(direction));
}
