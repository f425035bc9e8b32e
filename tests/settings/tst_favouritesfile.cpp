// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/cinifile.h"
#include "app/settings/favouritesfile.h"
#include "app/settings/preferencesfile.h"
#include "engine/criterionbinding.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

struct STATE {
    RenameCriteria criteria;
    CHANGESETTINGS changes;
    TRANSLATIONLIST translations;
    QString folder;
    FAVOURITECONTENT Content() { return {criteria, changes, translations, folder}; }
};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

TRANSLATIONPAIR Pair(const char* from, const char* to) {
    TRANSLATIONPAIR p;
    p.fromText = QString::fromUtf8(from);
    p.toText = QString::fromUtf8(to);
    return p;
}

} // namespace

class TstFavouritesFile : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }

    void everyKeyRoundTrips() {
        STATE saved;
        for (const CRITERIONBINDING& b : CriteriaBindings()) {
            const QString value =
                b.kind == CriterionKind::Text ? QStringLiteral("  %1 x ").arg(QLatin1String(b.key))
                : b.kind == CriterionKind::Check ? QString::number(b.loadDefault[0] == '1' ? 0 : 1)
                                                 : QString::number(b.choiceCount - 1);
            QVERIFY(saved.criteria.SetValue(b, value));
        }
        saved.changes.createdMode = TimestampMode::Fixed;
        saved.changes.createdFixed = 1'100'000'000;
        saved.changes.modifiedDelta = 93784;
        saved.changes.accessedNegative = true;
        saved.changes.attributeFlags = 0x201;
        saved.translations = {Pair("E9", "e"), Pair("o,e", "oe"), Pair("", "x")};
        saved.folder = QStringLiteral("/home/me/Photos");
        QVERIFY(WriteFavouriteFile(Path("all.qvn"), saved.Content()));

        STATE loaded;
        loaded.criteria.replacements.matchCase = true;
        QVERIFY(ReadFavouriteFile(Path("all.qvn"), loaded.Content()));
        for (const CRITERIONBINDING& b : CriteriaBindings())
            QCOMPARE(loaded.criteria.Value(b), saved.criteria.Value(b));
        QVERIFY(loaded.criteria.replacements.matchCase); // not stored, left as it was
        QCOMPARE(loaded.changes.createdMode, TimestampMode::Fixed);
        QCOMPARE(loaded.changes.createdFixed, TimeValue(1'100'000'000));
        QCOMPARE(loaded.changes.modifiedDelta, qint64(93784));
        QVERIFY(loaded.changes.accessedNegative);
        QCOMPARE(loaded.changes.attributeFlags, quint32(0x201));
        QCOMPARE(loaded.folder, saved.folder);
        QCOMPARE(loaded.translations.size(), 3);
        QCOMPARE(loaded.translations[0].fromChars, QStringLiteral("é"));
        QVERIFY(loaded.translations[0].valid);
        QCOMPARE(loaded.translations[2].fromText, QString());
    }

    void newFileHasTheKeyOrder() {
        STATE state;
        state.translations = {Pair("a", "b")};
        QVERIFY(WriteFavouriteFile(Path("order.qvn"), state.Content()));
        const QList<QByteArray> lines = ReadAll(Path("order.qvn")).split('\n');
        QStringList keys;
        for (const QByteArray& line : lines) {
            if (line.startsWith('['))
                keys << QString::fromUtf8(line);
            else if (line.contains('='))
                keys << QString::fromUtf8(line.left(line.indexOf('=')));
        }
        QStringList expected{QStringLiteral("[General]"), QStringLiteral("Path")};
        QString section = QStringLiteral("General");
        for (const CRITERIONBINDING& b : CriteriaBindings()) {
            if (b.Section() != section) {
                section = b.Section();
                expected << QLatin1Char('[') + section + QLatin1Char(']');
            }
            expected << b.Key();
        }
        expected << QStringLiteral("[Preferences]");
        for (const CHANGEBINDING& b : ChangeBindings())
            expected << b.Key();
        expected << QStringLiteral("[Character Translation]") << QStringLiteral("Pair 1");
        QCOMPARE(keys, expected);
        QVERIFY(lines.contains("Filter=\"*\""));
        QVERIFY(lines.contains("Type=8"));
    }

    void fileWithOneKey() {
        WriteAll(Path("one.qvn"), "[Selections]\nFiles=0\n");
        STATE state;
        state.criteria.additions.prefix = QStringLiteral("old");
        QVERIFY(ReadFavouriteFile(Path("one.qvn"), state.Content()));
        QVERIFY(!state.criteria.selections.files);
        QVERIFY(state.criteria.selections.folders);
        QCOMPARE(state.criteria.additions.prefix, QString());
        QCOMPARE(state.criteria.numbering.type, NumberingType::Base10);
        QCOMPARE(state.criteria.selections.filter, QStringLiteral("*"));
        for (int group = 1; group <= 11; ++group)
            QVERIFY(!state.criteria.IsGroupActive(group));
        QVERIFY(state.criteria.extension.enabled && state.criteria.regex.enabled);
    }

    void missingFileGivesDefaults() {
        STATE state;
        state.criteria.numbering.mode = NumberingMode::PrefixAndSuffix;
        QVERIFY(!ReadFavouriteFile(Path("missing.qvn"), state.Content()));
        QCOMPARE(state.criteria.numbering.mode, NumberingMode::None);
        QVERIFY(!ReadFavouriteFile(QString(), state.Content()));
        QVERIFY(!QFile::exists(Path("missing.qvn")));
    }

    void translationGapsAndEquals() {
        WriteAll(Path("pairs.qvn"), "[Character Translation]\r\nPair 1=\"E9=e\"\r\nPair "
                                    "3=\"a=b=c\"\r\nPair 4=\"noequals\"\r\n");
        STATE state;
        ReadFavouriteFile(Path("pairs.qvn"), state.Content());
        QCOMPARE(state.translations.size(), 2);
        QCOMPARE(state.translations[1].fromText, QStringLiteral("a"));
        QCOMPARE(state.translations[1].toText, QStringLiteral("b=c"));
    }

    void threePairsOverFiveAndUnknownKeysKept() {
        QByteArray five = "[Mine]\nHandMade=yes\n[Character Translation]\n";
        for (int n = 1; n <= 5; ++n)
            five += "Pair " + QByteArray::number(n) + "=\"a=b\"\n";
        WriteAll(Path("five.qvn"), five);
        STATE state;
        state.translations = {Pair("1", "a"), Pair("2", "b"), Pair("3", "c")};
        QVERIFY(WriteFavouriteFile(Path("five.qvn"), state.Content()));
        CINIFile ini;
        ini.SetFileName(Path("five.qvn"));
        QCOMPARE(ini.GetString(QStringLiteral("Mine"), QStringLiteral("HandMade")),
                 QStringLiteral("yes"));
        QCOMPARE(ini.GetString(QStringLiteral("Character Translation"), QStringLiteral("Pair 3")),
                 QStringLiteral("3=c"));
        QCOMPARE(ini.GetString(QStringLiteral("Character Translation"), QStringLiteral("Pair 4"),
                               QStringLiteral("gone")),
                 QStringLiteral("gone"));
    }

    void moreThanFiveHundredPairsStoreFiveHundred() {
        STATE state;
        for (int i = 0; i < 501; ++i)
            state.translations.append(Pair("a", "b"));
        QVERIFY(WriteFavouriteFile(Path("many.qvn"), state.Content()));
        STATE loaded;
        ReadFavouriteFile(Path("many.qvn"), loaded.Content());
        QCOMPARE(loaded.translations.size(), 500);
    }

    void handEditedWindowsFile() {
        WriteAll(
            Path("win.qvn"),
            "[Additions]\r\nPrefix=Caf\xe9 \r\nSuffix = \"  x  \"\r\n[Auto-Number]\r\nType=99\r\n");
        STATE state;
        ReadFavouriteFile(Path("win.qvn"), state.Content());
        QCOMPARE(state.criteria.additions.prefix, QStringLiteral("Café"));
        QCOMPARE(state.criteria.additions.suffix, QStringLiteral("  x  "));
        QCOMPARE(state.criteria.numbering.type,
                 NumberingType(-1)); // outside the list: nothing chosen
    }

    // A choice outside its list reads as none chosen and is written back as it was read.
    void choiceOutsideItsListSavesBackUnchanged() {
        STATE state;
        QVERIFY(WriteFavouriteFile(Path("choices.qvn"), state.Content()));
        QByteArray bytes = ReadAll(Path("choices.qvn"));
        QVERIFY(bytes.contains("Type=8"));
        bytes.replace("Type=8", "Type=-1");
        bytes.replace("Change Created Timestamp=0", "Change Created Timestamp=9");
        WriteAll(Path("choices.qvn"), bytes);
        STATE loaded;
        ReadFavouriteFile(Path("choices.qvn"), loaded.Content());
        QCOMPARE(loaded.criteria.numbering.type, NumberingType(-1));
        QCOMPARE(loaded.changes.createdMode, TimestampMode(9));
        QVERIFY(WriteFavouriteFile(Path("choices.qvn"), loaded.Content()));
        QCOMPARE(ReadAll(Path("choices.qvn")), bytes);
    }

    void storedTimesUseTheFileEncoding() {
        WriteAll(Path("time.qvn"), "[Preferences]\nModified Timestamp=1073300000\n");
        STATE state;
        ReadFavouriteFile(Path("time.qvn"), state.Content());
        QCOMPARE(state.changes.modifiedFixed, TimeValue(1073300000 + 3600)); // Berlin winter
    }

    void preferencesDefaultsAndOrder() {
        PREFERENCES p;
        p.sortDir = 0;
        ReadPreferencesFile(Path("none.ini"), p);
        QCOMPARE(p.sortDir, 1);
        QCOMPARE(p.displayFilesizesAs, 3);
        QCOMPARE(p.ignoreFolderExtensions, 1);
        QCOMPARE(p.colourNewNameOk, 32772);
        WriteAll(Path("prefs.ini"), "[Preferences]\nDisplay Filesizes As=5\nDesktop Root=1\n");
        ReadPreferencesFile(Path("prefs.ini"), p);
        QCOMPARE(p.displayFilesizesAs, 5);
        QCOMPARE(p.desktopRoot, 1);
        p.favouritePath = QStringLiteral(" /x y.qvn ");
        QVERIFY(WritePreferencesFile(Path("written.ini"), p));
        const QByteArray written = ReadAll(Path("written.ini"));
        QVERIFY(!written.contains("Desktop Root"));
        QVERIFY(written.indexOf("Favourite Path") < written.indexOf("Sort Column"));
        QVERIFY(written.indexOf("Sort Column") < written.indexOf("Sort Dir"));
        PREFERENCES back;
        ReadPreferencesFile(Path("written.ini"), back);
        QCOMPARE(back.favouritePath, p.favouritePath);
        QCOMPARE(back.displayFilesizesAs, 5);
        QCOMPARE(back.desktopRoot, 0);
    }

    void tipState() {
        TIPSTATE tip;
        ReadTipState(Path("none.ini"), tip);
        QCOMPARE(tip.startUp, 1);
        tip.startUp = 0;
        tip.timeStamp = QStringLiteral("2004/03/05 14:07:09");
        QVERIFY(WriteTipState(Path("tip.ini"), tip));
        TIPSTATE back;
        ReadTipState(Path("tip.ini"), back);
        QCOMPARE(back.startUp, 0);
        QCOMPARE(back.timeStamp, tip.timeStamp);
    }
};

QTEST_GUILESS_MAIN(TstFavouritesFile)
#include "tst_favouritesfile.moc"
