// SPDX-License-Identifier: GPL-3.0-or-later
#include "groupharness.h"

#include "platform/sizetext.h"

#include <QLocale>
#include <QtTest>

namespace {

FILEENTRY TaggedEntry() {
    FILEENTRY entry;
    entry.EditTags().exifAperture = QStringLiteral("f2.8");
    entry.EditTags().exifComment = QStringLiteral("Rome");
    entry.EditTags().exifExposure = QStringLiteral("1-250");
    entry.EditTags().exifFocalLength = QStringLiteral("35mm");
    entry.EditTags().exifExposureBias = QStringLiteral("+1");
    entry.EditTags().id3Artist = QStringLiteral("Artist");
    entry.EditTags().id3Album = QStringLiteral("Album");
    entry.EditTags().id3Title = QStringLiteral("Title");
    entry.track = 7;
    entry.size = 1234567;
    return entry;
}

QString RunSection(const QString& section, const QStringList& settings, NAMEINPUT input,
                   const NAMEOPTIONS& options = NAMEOPTIONS()) {
    RenameCriteria criteria;
    if (!ApplySettings(criteria, section, settings))
        return QStringLiteral("<unknown setting>");
    return Generate(criteria, input, options);
}

} // namespace

class TstAdditionGroups : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void moveCopy_data() {
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("move first to end")
            << Settings({"Source=3", "Number=4", "Target=2", "Separator=_"}) << "2004 Holiday.txt"
            << " Holiday_2004.txt";
        QTest::newRow("too short copies separator alone")
            << Settings({"Source=2", "Number=3", "Target=1", "Separator=_"}) << "ab.txt"
            << "_ab.txt";
        QTest::newRow("too short to position")
            << Settings({"Source=3", "Number=5", "Target=3", "Target Pos=2", "Separator=-"})
            << "abc.txt"
            << "a--bc.txt";
        QTest::newRow("position beyond end")
            << Settings({"Source=1", "Number=1", "Target=3", "Target Pos=99", "Separator=-"})
            << "abc.txt"
            << "abc-a-.txt";
        QTest::newRow("position one past end")
            << Settings({"Source=1", "Number=1", "Target=3", "Target Pos=4", "Separator=-"})
            << "abc.txt"
            << "abc-a-.txt";
        QTest::newRow("position last")
            << Settings({"Source=1", "Number=1", "Target=3", "Target Pos=3", "Separator=-"})
            << "abc.txt"
            << "ab-a-c.txt";
        QTest::newRow("position one")
            << Settings({"Source=1", "Number=1", "Target=3", "Target Pos=1", "Separator=-"})
            << "abc.txt"
            << "-a-abc.txt";
        QTest::newRow("position zero")
            << Settings({"Source=1", "Number=1", "Target=3", "Target Pos=0", "Separator=-"})
            << "abc.txt"
            << "-a-abc.txt";
        QTest::newRow("position negative")
            << Settings({"Source=1", "Number=1", "Target=3", "Target Pos=-5", "Separator=-"})
            << "abc.txt"
            << "-a-abc.txt";
        QTest::newRow("position huge") << Settings({"Source=1", "Number=1", "Target=3",
                                                    "Target Pos=99999999999", "Separator=-"})
                                       << "abc.txt"
                                       << "abc-a-.txt";
        QTest::newRow("position after the move")
            << Settings({"Source=3", "Number=1", "Target=3", "Target Pos=2", "Separator=-"})
            << "abc.txt"
            << "b-a-c.txt";
        QTest::newRow("copy first to start")
            << Settings({"Source=1", "Number=2", "Target=1"}) << "abc.txt"
            << "ababc.txt";
        QTest::newRow("copy last to end")
            << Settings({"Source=2", "Number=2", "Target=2"}) << "abc.txt"
            << "abcbc.txt";
        QTest::newRow("move last to start")
            << Settings({"Source=4", "Number=2", "Target=1", "Separator=_"}) << "abc.txt"
            << "bc_a.txt";
        QTest::newRow("move whole base")
            << Settings({"Source=3", "Number=3", "Target=2", "Separator=_"}) << "abc.txt"
            << "_abc.txt";
        QTest::newRow("moved piece dropped") << Settings({"Source=3", "Number=1"}) << "abc.txt"
                                             << "bc.txt";
        QTest::newRow("copied piece unused") << Settings({"Source=1", "Number=1"}) << "abc.txt"
                                             << "abc.txt";
        QTest::newRow("number zero")
            << Settings({"Source=3", "Number=0", "Target=2", "Separator=_"}) << "abc.txt"
            << "abc.txt";
        QTest::newRow("number negative")
            << Settings({"Source=3", "Number=-2", "Target=2", "Separator=_"}) << "abc.txt"
            << "abc.txt";
        QTest::newRow("number huge")
            << Settings({"Source=3", "Number=99999999999", "Target=2", "Separator=_"}) << "abc.txt"
            << "abc_.txt";
        QTest::newRow("empty base")
            << Settings({"Source=1", "Number=1", "Target=2", "Separator=_"}) << ".txt"
            << "_.txt";
        QTest::newRow("copy first pair")
            << Settings({"Source=1", "Number=1", "Target=2"}) << "😀ab.txt"
            << "😀ab😀.txt";
        QTest::newRow("copy last pair")
            << Settings({"Source=2", "Number=1", "Target=1"}) << "ab😀.txt"
            << "😀ab😀.txt";
        QTest::newRow("move first pair")
            << Settings({"Source=3", "Number=1", "Target=2", "Separator=_"}) << "😀ab.txt"
            << "ab_😀.txt";
        QTest::newRow("move last pair")
            << Settings({"Source=4", "Number=1", "Target=1", "Separator=_"}) << "ab😀.txt"
            << "😀_ab.txt";
        QTest::newRow("position inside pair")
            << Settings({"Source=2", "Number=1", "Target=3", "Target Pos=2"}) << "😀ab.txt"
            << "😀bab.txt";
    }
    void moveCopy() {
        QFETCH(QStringList, settings);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(RunSection(QStringLiteral("MoveCopy"), settings, InputFor(name)), expected);
    }

    void sourceNoneIsInactive() {
        RenameCriteria criteria;
        criteria.moveCopy.target = MoveTarget::ToEnd;
        criteria.moveCopy.separator = QStringLiteral("_");
        QVERIFY(!criteria.IsGroupActive(GroupMoveCopy));
        QCOMPARE(Generate(criteria, InputFor(QStringLiteral("abc.txt"))),
                 QStringLiteral("abc.txt"));
    }

    void additions_data() {
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("positions count the prefix")
            << Settings({"Prefix=IMG_", "Text=x", "Text Pos=2"}) << "photo.jpg"
            << "IxMG_photo.jpg";
        QTest::newRow("before last") << Settings({"Text=X", "Text Pos=-1"}) << "abc.jpg"
                                     << "abXc.jpg";
        QTest::newRow("position zero")
            << Settings({"Text=X", "Text Pos=0", "Suffix=_"}) << "abc.jpg"
            << "abc_.jpg";
        QTest::newRow("position one") << Settings({"Text=X", "Text Pos=1"}) << "abc.jpg"
                                      << "Xabc.jpg";
        QTest::newRow("position after last") << Settings({"Text=X", "Text Pos=4"}) << "abc.jpg"
                                             << "abcX.jpg";
        QTest::newRow("position beyond end") << Settings({"Text=X", "Text Pos=99"}) << "abc.jpg"
                                             << "abcX.jpg";
        QTest::newRow("negative to start") << Settings({"Text=X", "Text Pos=-3"}) << "abc.jpg"
                                           << "Xabc.jpg";
        QTest::newRow("negative beyond start") << Settings({"Text=X", "Text Pos=-99"}) << "abc.jpg"
                                               << "Xabc.jpg";
        QTest::newRow("huge position") << Settings({"Text=X", "Text Pos=99999999999"}) << "abc.jpg"
                                       << "abcX.jpg";
        QTest::newRow("huge negative position")
            << Settings({"Text=X", "Text Pos=-99999999999"}) << "abc.jpg"
            << "Xabc.jpg";
        QTest::newRow("empty text with position") << Settings({"Text Pos=2"}) << "abc.jpg"
                                                  << "abc.jpg";
        QTest::newRow("suffix after insert")
            << Settings({"Prefix=<", "Text=|", "Text Pos=-1", "Suffix=>"}) << "abc.jpg"
            << "<ab|c>.jpg";
        QTest::newRow("into empty base") << Settings({"Text=X", "Text Pos=5"}) << ".jpg"
                                         << "X.jpg";
        QTest::newRow("tags vanish without extraction")
            << Settings({"Prefix=%r - %t"}) << "photo.jpg"
            << " - photo.jpg";
        QTest::newRow("other percents stay") << Settings({"Suffix=%q%%%x%"}) << "a.jpg"
                                             << "a%q%%%x%.jpg";
        QTest::newRow("tags case-sensitive") << Settings({"Suffix=%A%T"}) << "a.jpg"
                                             << "a%A%T.jpg";
        QTest::newRow("one percent, no tag") << Settings({"Suffix=%xc"}) << "a.jpg"
                                             << "a%xc.jpg";
        QTest::newRow("one percent at the end") << Settings({"Suffix= 5%"}) << "a.jpg"
                                                << "a 5%.jpg";
        QTest::newRow("one tag between texts") << Settings({"Suffix=(%t)!"}) << "a.jpg"
                                               << "a()!.jpg";
        QTest::newRow("insert inside pair") << Settings({"Text=X", "Text Pos=2"}) << "😀ab.jpg"
                                            << "😀Xab.jpg";
        QTest::newRow("insert before last pair") << Settings({"Text=X", "Text Pos=-1"}) << "a😀.jpg"
                                                 << "aX😀.jpg";
        QTest::newRow("word space single") << Settings({"WordSpace=1"}) << "a.jpg"
                                           << "a.jpg";
        QTest::newRow("word space pair") << Settings({"WordSpace=1"}) << "aB.jpg"
                                         << "a B.jpg";
        QTest::newRow("word space words") << Settings({"WordSpace=1"}) << "MyHolidayPhotos.jpg"
                                          << "My Holiday Photos.jpg";
        QTest::newRow("word space capitals") << Settings({"WordSpace=1"}) << "ABC.jpg"
                                             << "A B C.jpg";
        QTest::newRow("word space blank kept single") << Settings({"WordSpace=1"}) << "a B.jpg"
                                                      << "a B.jpg";
        QTest::newRow("word space after tab") << Settings({"WordSpace=1"}) << "a\tB\u3000C.jpg"
                                              << "a\tB\u3000C.jpg";
        QTest::newRow("word space accented capitals") << Settings({"WordSpace=1"}) << "ÉtéÀÑ.jpg"
                                                      << "Été À Ñ.jpg";
        QTest::newRow("word space outside the plane")
            << Settings({"WordSpace=1"}) << "a\U0001D400b.jpg"
            << "a \U0001D400b.jpg";
        QTest::newRow("word space after the prefix")
            << Settings({"Prefix=x", "WordSpace=1"}) << "Abc.jpg"
            << "x Abc.jpg";
        QTest::newRow("word space digits and symbols") << Settings({"WordSpace=1"}) << "1A-B_c.jpg"
                                                       << "1 A- B_c.jpg";
    }
    void additions() {
        QFETCH(QStringList, settings);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(RunSection(QStringLiteral("Additions"), settings, InputFor(name)), expected);
    }

    void tags_data() {
        QTest::addColumn<bool>("exif");
        QTest::addColumn<bool>("id3");
        QTest::addColumn<QString>("expected");
        QTest::newRow("both") << true << true
                              << "f2.8|Rome|1-250|35mm|+1|Artist|Album|Title|07|1,234,567 B";
        QTest::newRow("exif only") << true << false << "f2.8|Rome|1-250|35mm|+1|||||1,234,567 B";
        QTest::newRow("id3 only") << false << true << "|||||Artist|Album|Title|07|1,234,567 B";
        QTest::newRow("neither") << false << false << "|||||||||1,234,567 B";
    }
    void tags() {
        QFETCH(bool, exif);
        QFETCH(bool, id3);
        QFETCH(QString, expected);
        const FILEENTRY entry = TaggedEntry();
        NAMEINPUT input = InputFor(QStringLiteral(".mp3"));
        input.entry = &entry;
        NAMEOPTIONS options;
        options.extractExif = exif;
        options.extractId3 = id3;
        options.sizeDisplayMode = SizeBytes;
        const QStringList settings{QStringLiteral("Prefix=%a|%c|%e|%f|%xb|%r|%l|%t|%k|%z")};
        QCOMPARE(RunSection(QStringLiteral("Additions"), settings, input, options),
                 expected + QStringLiteral(".mp3"));
    }

    void tagsInTextAndSuffixToo() {
        const FILEENTRY entry = TaggedEntry();
        NAMEINPUT input = InputFor(QStringLiteral("song.mp3"));
        input.entry = &entry;
        NAMEOPTIONS options;
        options.extractId3 = true;
        options.sizeDisplayMode = SizeKilobytes;
        const QStringList settings{QStringLiteral("Text=(%k)"), QStringLiteral("Text Pos=-1"),
                                   QStringLiteral("Suffix= %z")};
        QCOMPARE(RunSection(QStringLiteral("Additions"), settings, input, options),
                 QStringLiteral("son(07)g 1,205 KB.mp3"));
    }

    void trackHasAtLeastTwoDigits() {
        FILEENTRY entry;
        NAMEINPUT input = InputFor(QStringLiteral("a.mp3"));
        input.entry = &entry;
        NAMEOPTIONS options;
        options.extractId3 = true;
        const QStringList settings{QStringLiteral("Suffix=-%k")};
        entry.track = 7;
        QCOMPARE(RunSection(QStringLiteral("Additions"), settings, input, options),
                 QStringLiteral("a-07.mp3"));
        entry.track = 123;
        QCOMPARE(RunSection(QStringLiteral("Additions"), settings, input, options),
                 QStringLiteral("a-123.mp3"));
    }

    // Each tag is a full pass over the text as it stands, in table order.
    void tagValuesExpandLaterTagsOnly() {
        FILEENTRY entry;
        entry.EditTags().exifComment = QStringLiteral("%t");
        entry.EditTags().id3Title = QStringLiteral("%a");
        entry.EditTags().exifAperture = QStringLiteral("f4");
        NAMEINPUT input = InputFor(QStringLiteral("a.jpg"));
        input.entry = &entry;
        NAMEOPTIONS options;
        options.extractExif = true;
        options.extractId3 = true;
        QCOMPARE(RunSection(QStringLiteral("Additions"), {QStringLiteral("Suffix=[%c]")}, input,
                            options),
                 QStringLiteral("a[%a].jpg"));
    }

    void tagsWithoutEntry() {
        NAMEOPTIONS options;
        options.extractExif = true;
        options.extractId3 = true;
        options.sizeDisplayMode = SizeBytes;
        const QStringList settings{QStringLiteral("Suffix=[%a%r][%z]")};
        QCOMPARE(RunSection(QStringLiteral("Additions"), settings, InputFor(QStringLiteral("a")),
                            options),
                 QStringLiteral("a[][0 B]"));
    }

    void folderName_data() {
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<QString>("folderPath");
        QTest::addColumn<QString>("expected");
        QTest::newRow("drive two levels")
            << Settings({"Mode=2", "Separator=_", "Levels=2"}) << "C:\\Photos\\2004\\Summer"
            << "photo_2004_Summer.jpg";
        QTest::newRow("drive never used")
            << Settings({"Mode=2", "Separator=_", "Levels=5"}) << "C:\\Photos\\2004\\Summer"
            << "photo_Photos_2004_Summer.jpg";
        QTest::newRow("drive root") << Settings({"Mode=2", "Separator=-"}) << "C:\\"
                                    << "photo-.jpg";
        QTest::newRow("one level prefix")
            << Settings({"Mode=1", "Separator= - "}) << "/home/user/Photos"
            << "Photos - photo.jpg";
        QTest::newRow("every component counts")
            << Settings({"Mode=2", "Separator=_", "Levels=3"}) << "/home/user/Photos"
            << "photo_home_user_Photos.jpg";
        QTest::newRow("levels beyond depth")
            << Settings({"Mode=2", "Separator=_", "Levels=50"}) << "/home/user/Photos"
            << "photo_home_user_Photos.jpg";
        QTest::newRow("levels huge")
            << Settings({"Mode=2", "Separator=_", "Levels=99999999999"}) << "/a/b"
            << "photo_a_b.jpg";
        QTest::newRow("file system root") << Settings({"Mode=2", "Separator=-"}) << "/"
                                          << "photo-.jpg";
        QTest::newRow("trailing separator") << Settings({"Mode=2", "Separator=-"}) << "/home/user/"
                                            << "photo-user.jpg";
        QTest::newRow("doubled separators")
            << Settings({"Mode=2", "Separator=_", "Levels=2"}) << "/a//b"
            << "photo_a_b.jpg";
        QTest::newRow("levels zero")
            << Settings({"Mode=2", "Separator=-", "Levels=0"}) << "/home/user"
            << "photo-.jpg";
        QTest::newRow("levels negative")
            << Settings({"Mode=1", "Separator=-", "Levels=-3"}) << "/home/user"
            << "-photo.jpg";
        QTest::newRow("backslash inside a name")
            << Settings({"Mode=2", "Separator=_"}) << "/data/a\\b"
            << "photo_a\\b.jpg";
        QTest::newRow("empty folder path") << Settings({"Mode=2", "Separator=-"}) << ""
                                           << "photo-.jpg";
        QTest::newRow("mode none") << Settings({"Mode=0", "Separator=-"}) << "/home/user"
                                   << "photo.jpg";
    }
    void folderName() {
        QFETCH(QStringList, settings);
        QFETCH(QString, folderPath);
        QFETCH(QString, expected);
        NAMEINPUT input = InputFor(QStringLiteral("photo.jpg"));
        input.folderPath = folderPath;
        QCOMPARE(RunSection(QStringLiteral("Folder Name"), settings, input), expected);
    }
};

QTEST_GUILESS_MAIN(TstAdditionGroups)
#include "tst_additiongroups.moc"
