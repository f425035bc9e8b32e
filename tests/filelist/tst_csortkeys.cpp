// SPDX-License-Identifier: GPL-3.0-or-later
#include "filelist/cfilelist.h"
#include "filelist/csortkeys.h"
#include "filelist/csortorder.h"
#include "filelist/listcolumns.h"
#include "filelist/textrules.h"
#include "platform/attributes.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

// The comparison the list used before sort keys, kept here as the reference the keys must
// agree with: every pair compared from scratch.
int Sign(qint64 value) {
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

int ReferenceLogical(QStringView p, QStringView q) {
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

int ReferencePrefix(const SORTSTATE& s, const FILEENTRY& e) {
    const int first = s.groupAffected ? (e.affected ? 1 : 2) : 1;
    const int second = (e.isFolder || s.filesAndFoldersTogether) ? 1 : 0xFF;
    return first * 0x100 + second;
}

const QString& TextOf(const FILEENTRY& e, int column) {
    switch (column) {
    case ColNewName:
        return e.newName;
    case ColSubDir:
        return e.SubDir();
    case ColType:
        return e.typeName;
    default:
        return e.name;
    }
}

int ReferenceByColumn(const SORTSTATE& s, const FILEENTRY& a, const FILEENTRY& b) {
    if (s.column == ColAttributes)
        return Sign(
            AsciiCompareNoCase(AttributeLetters(a.attributes), AttributeLetters(b.attributes)));
    const int byPrefix = Sign(ReferencePrefix(s, a) - ReferencePrefix(s, b));
    if (byPrefix != 0)
        return byPrefix;
    const QStringView ta = QStringView(TextOf(a, s.column)).left(257);
    const QStringView tb = QStringView(TextOf(b, s.column)).left(257);
    return s.logical ? ReferenceLogical(ta, tb) : Sign(AsciiCompareNoCase(ta, tb));
}

int ReferenceCompare(const SORTSTATE& s, const FILEENTRY& a, const FILEENTRY& b) {
    const int result = ReferenceByColumn(s, a, b);
    return s.ascending ? result : -result;
}

// Pieces that meet the rules' corners: digits with leading zeros and beyond 32 bits, case
// pairs in and beyond ASCII, characters that fold alike, halves of surrogate pairs,
// separators and blanks.
const QStringList& Pieces() {
    static const QStringList pieces = {QStringLiteral("a"),
                                       QStringLiteral("A"),
                                       QStringLiteral("b"),
                                       QStringLiteral("Z"),
                                       QStringLiteral("_"),
                                       QStringLiteral("-"),
                                       QStringLiteral("."),
                                       QStringLiteral(" "),
                                       QStringLiteral("~"),
                                       QStringLiteral("0"),
                                       QStringLiteral("007"),
                                       QStringLiteral("7"),
                                       QStringLiteral("10"),
                                       QStringLiteral("2"),
                                       QStringLiteral("2147483647"),
                                       QStringLiteral("2147483648"),
                                       QStringLiteral("99999999999999999999"),
                                       QStringLiteral("é"),
                                       QStringLiteral("É"),
                                       QStringLiteral("e"),
                                       QStringLiteral("ß"),
                                       QStringLiteral("ss"),
                                       QStringLiteral("Ω"),
                                       QStringLiteral("ω"),
                                       QStringLiteral("ǅ"),
                                       QStringLiteral("ﬁ"),
                                       QStringLiteral("Ⅻ"),
                                       QStringLiteral("٣"),
                                       QStringLiteral("😀"),
                                       QStringLiteral("å"),
                                       QStringLiteral("Ä"),
                                       QStringLiteral("ı"),
                                       QStringLiteral("İ"),
                                       QStringLiteral("の"),
                                       QStringLiteral("ノ"),
                                       QString(QChar(0xD800)),
                                       QString(QChar(0xDFFF)),
                                       QStringLiteral("[")};
    return pieces;
}

QString RandomName(QRandomGenerator& random) {
    const QStringList& pieces = Pieces();
    QString name;
    const int count = random.bounded(0, 9);
    for (int i = 0; i < count; ++i)
        name += pieces[random.bounded(qsizetype(pieces.size()))];
    return name;
}

QList<FILEENTRY> RandomEntries(int count, quint32 seed) {
    QRandomGenerator random(seed);
    // Long names that agree in their first 257 characters, so that only the cut-off
    // decides between them.
    const QString longStem = QString(256, QLatin1Char('x'));
    QList<FILEENTRY> entries;
    for (int i = 0; i < count; ++i) {
        FILEENTRY e;
        e.name = i % 17 == 0 ? longStem + RandomName(random) : RandomName(random);
        e.isFolder = random.bounded(4) == 0;
        e.SetSubDir(random.bounded(3) == 0 ? QString() : RandomName(random));
        e.typeName = RandomName(random);
        e.attributes = random.bounded(16u);
        e.size = quint64(i); // identifies the entry
        InitialiseNewEntry(e);
        if (random.bounded(2) == 0)
            e.newName = RandomName(random);
        e.affected = random.bounded(2) == 0;
        entries.append(e);
    }
    return entries;
}

QList<quint64> Identities(const CFileList& list) {
    QList<quint64> ids;
    for (int i = 0; i < list.RowCount(); ++i)
        ids.append(list.GetEntry(i).size);
    return ids;
}

// Names of one kind for the split sort: random, few distinct ones (long runs of equal
// keys), all the same, or a long shared stem with the difference far in.
QString SplitName(const QString& kind, QRandomGenerator& random) {
    if (kind == QLatin1String("few"))
        return QStringLiteral("photo ") + QString::number(random.bounded(5));
    if (kind == QLatin1String("same"))
        return QStringLiteral("same");
    if (kind == QLatin1String("deep"))
        return QString(40, QLatin1Char('h')) + QString::number(random.bounded(1000)) +
               RandomName(random);
    return RandomName(random);
}

} // namespace

class TstCSortKeys : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void agreesWithComparison_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("logical");
        QTest::addColumn<bool>("groupAffected");
        QTest::addColumn<bool>("together");
        QTest::addColumn<QString>("locale");
        for (int column :
             {int(ColName), int(ColNewName), int(ColSubDir), int(ColType), int(ColAttributes)}) {
            for (int flags = 0; flags < 8; ++flags) {
                const QByteArray tag = QByteArray::number(column) + "/" + QByteArray::number(flags);
                QTest::newRow(tag.constData()) << column << bool(flags & 1) << bool(flags & 2)
                                               << bool(flags & 4) << QStringLiteral("C");
            }
        }
        // Locales whose collation orders letters differently (å after z, dotless i).
        for (const char* locale : {"sv_SE", "de_DE", "tr_TR", "ja_JP"})
            QTest::newRow(locale) << int(ColName) << true << true << false
                                  << QString::fromLatin1(locale);
    }

    // Every pair of rows compares as the old comparison compared it, so any sort built on
    // the keys gives the old order; and the list sorted both ways agrees row by row.
    void agreesWithComparison() {
        QFETCH(int, column);
        QFETCH(bool, logical);
        QFETCH(bool, groupAffected);
        QFETCH(bool, together);
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        const QList<FILEENTRY> entries = RandomEntries(240, quint32(column * 8 + logical));
        CSortOrder order;
        order.SortByColumn(column, true);
        order.State().logical = logical;
        order.State().groupAffected = groupAffected;
        order.State().filesAndFoldersTogether = together;
        const SORTSTATE& state = order.State();

        const bool attributes = column == ColAttributes;
        CSortKeys keys(logical && !attributes, entries.size());
        for (const FILEENTRY& e : entries) {
            if (attributes)
                keys.Add(0, AttributeLetters(e.attributes));
            else
                keys.Add(ReferencePrefix(state, e), QStringView(TextOf(e, column)).left(257));
        }
        keys.Finish();
        for (int a = 0; a < entries.size(); ++a) {
            for (int b = 0; b < entries.size(); ++b) {
                const int expected = ReferenceCompare(state, entries[a], entries[b]);
                if (keys.Compare(a, b) != expected)
                    QFAIL(qPrintable(
                        QStringLiteral("rows %1 and %2: \"%3\" against \"%4\"")
                            .arg(a)
                            .arg(b)
                            .arg(TextOf(entries[a], column), TextOf(entries[b], column))));
            }
        }

        for (bool ascending : {true, false}) {
            order.State().ascending = ascending;
            CFileList byEntries;
            CFileList byKeys;
            for (const FILEENTRY& e : entries) {
                byEntries.AppendRow(e);
                byKeys.AppendRow(e);
            }
            const SORTSTATE now = order.State();
            byEntries.SortRowsBy([&now](const FILEENTRY& x, const FILEENTRY& y) {
                return ReferenceCompare(now, x, y);
            });
            order.SortList(byKeys);
            QCOMPARE(Identities(byKeys), Identities(byEntries));
        }
    }

    void splitSortKeepsOrder_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("logical");
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("threads");
        for (const char* kind : {"random", "few", "same", "deep"}) {
            for (int flags = 0; flags < 4; ++flags) {
                for (int threads : {2, 3}) {
                    const QByteArray tag = QByteArray(kind) + "/" + QByteArray::number(flags) +
                                           "/" + QByteArray::number(threads);
                    QTest::newRow(tag.constData()) << QString::fromLatin1(kind) << bool(flags & 1)
                                                   << ((flags & 2) ? -1 : 1) << threads;
                }
            }
        }
    }

    // A sort of many rows, its keys built and its rows sorted on threads, gives the order a
    // stable sort by the pairwise comparison gives, equal rows in their order.
    void splitSortKeepsOrder() {
        QFETCH(QString, kind);
        QFETCH(bool, logical);
        QFETCH(int, direction);
        QFETCH(int, threads);
        constexpr int kRows = 20000;
        QRandomGenerator random(quint32(kind.size() * 4 + (logical ? 2 : 0) + direction));
        // The keys built row by row are the reference; those built at once, folded on
        // threads, are sorted on threads.
        CSortKeys byRow(logical, kRows);
        QStringList names;
        std::vector<int> prefixes;
        for (int row = 0; row < kRows; ++row) {
            names.append(SplitName(kind, random));
            prefixes.push_back(random.bounded(3) == 0 ? 0x1FF : 0x101);
            byRow.Add(prefixes.back(), names.last());
        }
        byRow.Finish();
        std::vector<QStringView> texts(names.cbegin(), names.cend());
        CSortKeys keys(logical, kRows);
        keys.AddAll(prefixes, texts, threads);
        keys.Finish();
        std::vector<int> expected(kRows);
        for (int row = 0; row < kRows; ++row)
            expected[size_t(row)] = row;
        std::stable_sort(expected.begin(), expected.end(), [&byRow, direction](int a, int b) {
            return direction * byRow.Compare(a, b) < 0;
        });
        const std::vector<int> sorted = keys.SortedRows(direction, threads);
        QCOMPARE(sorted.size(), expected.size());
        for (size_t k = 0; k < sorted.size(); ++k) {
            if (sorted[k] != expected[k])
                QFAIL(
                    qPrintable(QStringLiteral("position %1: row %2 (\"%3\") where row %4 (\"%5\")")
                                   .arg(k)
                                   .arg(sorted[k])
                                   .arg(names[sorted[k]])
                                   .arg(expected[k])
                                   .arg(names[expected[k]])));
        }
    }

    // The order the user sees for names that differ only in numbers and case.
    void logicalNames() {
        QList<FILEENTRY> entries;
        const QStringList names = {QStringLiteral("file10"),   QStringLiteral("File2"),
                                   QStringLiteral("file002b"), QStringLiteral("file2a"),
                                   QStringLiteral("2"),        QStringLiteral("file")};
        for (const QString& name : names) {
            FILEENTRY e;
            e.name = name;
            InitialiseNewEntry(e);
            entries.append(e);
        }
        CFileList list;
        for (const FILEENTRY& e : entries)
            list.AppendRow(e);
        CSortOrder order;
        order.SortByColumn(ColName, true);
        order.State().logical = true;
        order.SortList(list);
        QStringList sorted;
        for (int i = 0; i < list.RowCount(); ++i)
            sorted << list.GetEntry(i).name;
        QCOMPARE(sorted, QStringList({QStringLiteral("2"), QStringLiteral("file"),
                                      QStringLiteral("File2"), QStringLiteral("file2a"),
                                      QStringLiteral("file002b"), QStringLiteral("file10")}));
    }
};

QTEST_GUILESS_MAIN(TstCSortKeys)
#include "tst_csortkeys.moc"
