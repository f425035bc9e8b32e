// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/changesettings.h"
#include "engine/cpreviewrefresh.h"
#include "platform/attributes.h"
#include "platform/sizetext.h"

#include <QtTest>

namespace {

constexpr int kRows = 20000;
constexpr TimeValue kNow = 1'100'000'000;

// Names with the shapes every group works on: numbers, blanks, accents, dots, tags and
// capitals; rows in several folders so that numbering restarts by folder.
CFileList MakeList(int rows) {
    const QStringList stems = {QStringLiteral("photo_%1 Holiday"), QStringLiteral("Élan  %1#x"),
                               QStringLiteral("..hidden-%1"),      QStringLiteral("mixedCase%1 Ä"),
                               QStringLiteral("track %1 (live)"),  QStringLiteral("%1")};
    CFileList list;
    for (int i = 0; i < rows; ++i) {
        FILEENTRY e;
        e.name = stems[i % stems.size()].arg(i) + (i % 7 == 0 ? QString() : QStringLiteral(".JPG"));
        e.isFolder = i % 29 == 0;
        e.SetSubDir(QStringLiteral("/sub%1").arg(i / 300));
        e.SetFolderPath(QStringLiteral("/pics") + e.SubDir());
        e.SetFolderName(QStringLiteral("sub%1").arg(i / 300));
        e.size = quint64(i) * 7919u * (i % 5 == 0 ? 100000u : 1u);
        e.created = kNow - i * 3600;
        e.modified = kNow - i * 60;
        e.accessed = kNow - i;
        e.attributes = i % 3 == 0 ? quint32(AttrReadOnly) : 0u;
        if (i % 11 == 0) {
            e.hasExif = true;
            e.dateTaken = kNow - i * 86400;
            e.EditTags().exifAperture = QStringLiteral("2.8");
            e.EditTags().id3Title = QStringLiteral("Song %1").arg(i);
            e.track = quint32(i % 20);
        }
        InitialiseNewEntry(e);
        list.AppendRow(std::move(e));
    }
    // A few rows left out, so that a row's number differs from its index.
    list.SelectAll();
    for (int row = 5; row < rows; row += 97)
        list.SetSelected(row, false);
    return list;
}

RenameCriteria EveryGroup(bool breakFolder) {
    RenameCriteria c;
    c.regex.match = QStringLiteral("^(\\w+)[ _-](\\d+)");
    c.regex.replace = QStringLiteral("\\2-\\1");
    c.fileName.mode = NameMode::Keep;
    c.replacements.replace = QStringLiteral("photo");
    c.replacements.with = QStringLiteral("Picture");
    c.letterCase.change = CaseMode::Title;
    c.letterCase.exceptions = QStringLiteral("of:the");
    c.removals.firstN = QStringLiteral("1");
    c.removals.chars = QStringLiteral("#");
    c.removals.words = QStringLiteral("live");
    c.removals.trim = true;
    c.removals.doubleSpace = true;
    c.removals.accents = true;
    c.removals.leadDots = LeadDots::Both;
    c.moveCopy.source = MoveSource::CopyFirst;
    c.moveCopy.number = QStringLiteral("2");
    c.moveCopy.target = MoveTarget::ToEnd;
    c.moveCopy.separator = QStringLiteral("~");
    c.additions.prefix = QStringLiteral("2024 ");
    c.additions.text = QStringLiteral("[%a%t]");
    c.additions.textPos = QStringLiteral("3");
    c.additions.suffix = QStringLiteral(" (%z)");
    c.autoDate.mode = AutoDateMode::Suffix;
    c.autoDate.type = AutoDateType::Taken;
    c.autoDate.format = DateFormat::YmdHms;
    c.folderName.mode = FolderNameMode::Prefix;
    c.folderName.separator = QStringLiteral("_");
    c.numbering.mode = NumberingMode::PrefixAndSuffix;
    c.numbering.start = QStringLiteral("7");
    c.numbering.increment = QStringLiteral("3");
    c.numbering.pad = QStringLiteral("4");
    c.numbering.separator = QStringLiteral("-");
    c.numbering.breakFolder = breakFolder;
    c.extension.mode = ExtensionMode::Lower;
    return c;
}

struct ROWSTATE {
    QString newName;
    TimeValue created, modified, accessed;
    quint32 attributes;
    bool affected, invalid, createdPending, modifiedPending, accessedPending, attributesPending;

    bool operator==(const ROWSTATE&) const = default;
};

QList<ROWSTATE> StateOf(const CFileList& list) {
    QList<ROWSTATE> rows;
    for (int i = 0; i < list.RowCount(); ++i) {
        const FILEENTRY& e = list.GetEntry(i);
        rows.append({e.newName, e.newCreated, e.newModified, e.newAccessed, e.newAttributes,
                     e.affected, e.invalidChars, e.createdPending, e.modifiedPending,
                     e.accessedPending, e.attributesPending});
    }
    return rows;
}

} // namespace

class TstRefreshSplit : public QObject {
    Q_OBJECT
private slots:
    void sameAsOneThread_data() {
        QTest::addColumn<bool>("breakFolder");
        QTest::addColumn<int>("sizeMode");
        QTest::addColumn<int>("debugRow");
        QTest::newRow("numbers run on, megabytes") << false << int(SizeMegabytes) << 12345;
        QTest::newRow("restart by folder, bytes") << true << int(SizeBytes) << 0;
        QTest::newRow("restart by folder, mixed, traced at a restart")
            << true << int(SizeMixed) << 600;
    }

    // The refresh split over workers gives every row exactly what one thread gives it.
    void sameAsOneThread() {
        QFETCH(bool, breakFolder);
        QFETCH(int, sizeMode);
        QFETCH(int, debugRow);
        const RenameCriteria criteria = EveryGroup(breakFolder);
        CHANGESETTINGS changes;
        changes.createdMode = TimestampMode::FromOther;
        changes.modifiedMode = TimestampMode::Current;
        changes.attributeFlags = SetReadOnly;
        NAMEOPTIONS options;
        options.extractExif = true;
        options.extractId3 = true;
        options.sizeDisplayMode = sizeMode;
        options.debugRow = debugRow;
        const auto clock = [] { return kNow; };

        CFileList single = MakeList(kRows);
        CFileList split = MakeList(kRows);
        const REFRESHRESULT one = CPreviewRefresh(clock, 1).Run(single, criteria, changes, options);
        const REFRESHRESULT many = CPreviewRefresh(clock, 4).Run(split, criteria, changes, options);

        QVERIFY(one.ran && many.ran);
        QCOMPARE(many.nextNumber, one.nextNumber);
        QCOMPARE(many.patternInvalid, one.patternInvalid);
        QVERIFY(one.traced);
        QCOMPARE(many.traced, one.traced);
        QCOMPARE(many.trace, one.trace);
        const QList<ROWSTATE> expected = StateOf(single);
        const QList<ROWSTATE> actual = StateOf(split);
        QCOMPARE(actual.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            if (!(actual[i] == expected[i]))
                QFAIL(qPrintable(QStringLiteral("row %1: \"%2\" against \"%3\"")
                                     .arg(i)
                                     .arg(actual[i].newName, expected[i].newName)));
        }
        // The groups really worked: names changed, and numbering restarted where asked.
        QVERIFY(expected[1].affected);
        QVERIFY(expected[1].newName.contains(QStringLiteral("0010")));
        QVERIFY(!expected[1].newName.contains(QStringLiteral("%z")));
    }

    void invalidPatternReported() {
        RenameCriteria criteria = EveryGroup(false);
        criteria.regex.match = QStringLiteral("(unclosed");
        CFileList list = MakeList(9000);
        const REFRESHRESULT many =
            CPreviewRefresh([] { return kNow; }, 3).Run(list, criteria, {}, NAMEOPTIONS());
        QVERIFY(many.patternInvalid);
    }
};

QTEST_GUILESS_MAIN(TstRefreshSplit)
#include "tst_refreshsplit.moc"
