// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct QVNRUN {
    int exitCode = -1;
    QString out;
    QString err;
};

QVNRUN RunQvn(const QStringList& arguments, const QString& timeZone = QStringLiteral("UTC")) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TZ"), timeZone);
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QVN_PATH), arguments);
    QVNRUN run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

bool MakeFile(const QString& path, qsizetype size = 0) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(QByteArray(size, 'x')) == size;
}

// Lines of tsv output without the header.
QStringList Body(const QString& tsv) {
    QStringList lines = tsv.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (!lines.isEmpty())
        lines.removeFirst();
    return lines;
}

QString S(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

class TestQvn : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("reason");
        QTest::newRow("unknown option") << QStringList{S("--bogus")} << S("unknown option");
        QTest::newRow("unknown short option") << QStringList{S("-x")} << S("unknown option");
        QTest::newRow("set without value") << QStringList{S("--set")} << S("needs a value");
        QTest::newRow("set without slash")
            << QStringList{S("--set"), S("Prefix=a")} << S("SECTION/KEY");
        QTest::newRow("set without equals")
            << QStringList{S("-s"), S("Additions/Prefix")} << S("SECTION/KEY");
        QTest::newRow("unknown section")
            << QStringList{S("-s"), S("Nope/Prefix=a")} << S("unknown");
        QTest::newRow("unknown key") << QStringList{S("-s"), S("Additions/Nope=a")} << S("unknown");
        QTest::newRow("choice out of list")
            << QStringList{S("-s"), S("Auto-Number/Mode=5")} << S("out of range");
        QTest::newRow("negative choice")
            << QStringList{S("-s"), S("Case/Change=-1")} << S("out of range");
        QTest::newRow("check not 0 or 1")
            << QStringList{S("-s"), S("Criteria/RegEx=2")} << S("out of range");
        QTest::newRow("unknown change key")
            << QStringList{S("-s"), S("Preferences/Nope=1")} << S("unknown");
        QTest::newRow("change not a number")
            << QStringList{S("-s"), S("Preferences/Change Created Timestamp=x")}
            << S("not a number");
        QTest::newRow("pair without number")
            << QStringList{S("-s"), S("Character Translation/Pair x=a=b")} << S("unknown");
        QTest::newRow("pair zero")
            << QStringList{S("-s"), S("Character Translation/Pair 0=a=b")} << S("unknown");
        QTest::newRow("pair without equals")
            << QStringList{S("-s"), S("Character Translation/Pair 1=ab")} << S("FROM=TO");
        QTest::newRow("unknown preference")
            << QStringList{S("-p"), S("Nope=1")} << S("unknown preference");
        QTest::newRow("preference without equals")
            << QStringList{S("--pref"), S("Sort Dir")} << S("KEY=VALUE");
        QTest::newRow("preference not a number")
            << QStringList{S("--pref=Sort Dir=x")} << S("not a number");
        QTest::newRow("unknown format")
            << QStringList{S("--format"), S("xml")} << S("unknown format");
        QTest::newRow("unknown column")
            << QStringList{S("--columns"), S("name,bogus")} << S("unknown column");
        QTest::newRow("empty column")
            << QStringList{S("--columns"), S("name,")} << S("unknown column");
        QTest::newRow("debug negative") << QStringList{S("--debug"), S("-1")} << S("row number");
        QTest::newRow("debug not a number") << QStringList{S("--debug"), S("x")} << S("row number");
        QTest::newRow("sort unknown key")
            << QStringList{S("--sort"), S("path")} << S("unknown sort column");
        QTest::newRow("sort bad direction")
            << QStringList{S("--sort"), S("size:up")} << S("asc or desc");
        QTest::newRow("flag with value") << QStringList{S("--changed=1")} << S("takes no value");
        QTest::newRow("both lists from standard input")
            << QStringList{S("--from"), S("-"), S("--pairs"), S("-")}
            << S("cannot both read standard input");
        QTest::newRow("favourite without file") << QStringList{S("-f")} << S("needs a value");
        QTest::newRow("undo script without rename")
            << QStringList{S("--undo-script"), S("u.sh")} << S("needs --rename");
        QTest::newRow("undo with rename")
            << QStringList{S("--undo"), S("--rename")} << S("cannot be given together");
    }
    void usageErrors() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, reason);
        const QVNRUN run = RunQvn(QStringList{m_dir->path()} + arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.startsWith(QStringLiteral("qvn: ")), qPrintable(run.err));
        QVERIFY2(run.err.contains(reason), qPrintable(run.err));
        QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
    }

    void foldersThatCannotBeListed_data() {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << S("missing") << S("folder not found");
        QTest::newRow("a file named as a folder") << S("file.txt/") << S("not a folder");
    }
    void foldersThatCannotBeListed() {
        QFETCH(QString, relative);
        QFETCH(QString, reason);
        QVERIFY(MakeFile(m_dir->filePath(S("file.txt"))));
        const QVNRUN run = RunQvn({m_dir->filePath(relative)});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains(reason), qPrintable(run.err));
        QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
    }

    void helpDocumentsEveryOption() {
        for (const QString& option : {S("-h"), S("--help")}) {
            const QVNRUN run = RunQvn({option});
            QCOMPARE(run.exitCode, 0);
            for (const char* word : {"-s, --set SECTION/KEY=VALUE",
                                     "--match-case",
                                     "-p, --pref KEY=VALUE",
                                     "--format table|tsv|json",
                                     "--columns LIST",
                                     "--changed",
                                     "--debug ROW",
                                     "--sort KEY[:asc|:desc]",
                                     "-h, --help",
                                     "--version",
                                     "Character Translation",
                                     "-f, --favourite FILE",
                                     "--save-favourite FILE",
                                     "--pairs FILE",
                                     "--prefs FILE",
                                     "--rename",
                                     "-y, --yes",
                                     "--undo",
                                     "--undo-script FILE",
                                     "Exit code 0 on success",
                                     "2 on a usage error"})
                QVERIFY2(run.out.contains(S(word)), word);
        }
    }

    void favouriteLoadsBeforeAnySet() {
        QVERIFY(MakeFile(m_dir->filePath(S("a.txt"))));
        QFile favourite(m_dir->filePath(S("recipe.qvn")));
        QVERIFY(favourite.open(QIODevice::WriteOnly));
        favourite.write("[Additions]\r\nPrefix=\"F_\"\r\nSuffix=\"_s\"\r\n");
        favourite.close();
        // The favourite comes first although it is named last; the --set then wins.
        const QVNRUN run = RunQvn({S("-s"), S("Additions/Suffix=_x"), S("--columns"), S("newName"),
                                   S("--favourite"), favourite.fileName(), m_dir->path()});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(Body(run.out).contains(S("F_a_x.txt")), qPrintable(run.out));
    }

    void missingFilesAreUsageErrors_data() {
        QTest::addColumn<QString>("option");
        QTest::newRow("favourite") << S("-f");
        QTest::newRow("pairs") << S("--pairs");
        QTest::newRow("prefs") << S("--prefs");
    }
    void missingFilesAreUsageErrors() {
        QFETCH(QString, option);
        const QVNRUN run = RunQvn({option, m_dir->filePath(S("typo")), m_dir->path()});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains(m_dir->filePath(S("typo"))));
    }

    void saveFavouriteRoundTrips() {
        QVERIFY(MakeFile(m_dir->filePath(S("a.txt"))));
        const QString saved = m_dir->filePath(S("saved.qvn"));
        QVNRUN run = RunQvn({S("-s"), S("Additions/Prefix= P "), S("-s"),
                             S("Character Translation/Pair 2=61=b"), S("-s"),
                             S("Preferences/Change Attributes=1"), S("--save-favourite"), saved,
                             m_dir->path()});
        QCOMPARE(run.exitCode, 0);
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.contains("Prefix=\" P \""));
        QVERIFY(text.contains("Pair 1=\"61=b\""));
        QVERIFY(text.contains("Change Attributes=1"));
        QVERIFY(text.contains("Path=\"" + QFile::encodeName(m_dir->path()) + "\""));
        run = RunQvn({S("-f"), saved, S("-s"), S("Replacements/Replace=zzz"), S("--columns"),
                      S("newName"), m_dir->path()});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(Body(run.out).contains(S(" P b.txt")), qPrintable(run.out));
    }

    void pairsRenameBeforeTheCriteria() {
        QVERIFY(MakeFile(m_dir->filePath(S("PHOTO 1.jpg"))));
        QFile pairs(m_dir->filePath(S("pairs.txt")));
        QVERIFY(pairs.open(QIODevice::WriteOnly));
        pairs.write("\"Photo 1.JPG\" | Beach.jpg\r\nno bar here\r\n");
        pairs.close();
        const QVNRUN run =
            RunQvn({S("--pairs"), pairs.fileName(), S("-s"), S("Case/Change=2"), S("--columns"),
                    S("name,newName"), S("-s"), S("Selections/Filter=*.jpg"), m_dir->path()});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(Body(run.out), QStringList{S("PHOTO 1.jpg\tBEACH.jpg")});
        QVERIFY(run.err.contains(S("Imported Pairs")));
    }

    void prefsFileThenPref() {
        QVERIFY(MakeFile(m_dir->filePath(S("a.txt"))));
        QFile prefs(m_dir->filePath(S("Quorvin.ini")));
        QVERIFY(prefs.open(QIODevice::WriteOnly));
        prefs.write("[Preferences]\nIgnore File Extensions=1\nDisplay Filesizes As=1\n");
        prefs.close();
        QVNRUN run = RunQvn({S("--prefs"), prefs.fileName(), S("-s"), S("Extension/Mode=4"),
                             S("-s"), S("Extension/Fixed=x"), S("--columns"), S("newName"), S("-s"),
                             S("Selections/Filter=a.txt"), m_dir->path()});
        QCOMPARE(Body(run.out), QStringList{S("a.txt.x")});
        run =
            RunQvn({S("--prefs"), prefs.fileName(), S("-p"), S("Ignore File Extensions=0"), S("-s"),
                    S("Extension/Mode=4"), S("-s"), S("Extension/Fixed=x"), S("--columns"),
                    S("newName"), S("-s"), S("Selections/Filter=a.txt"), m_dir->path()});
        QCOMPARE(Body(run.out), QStringList{S("a.x")});
    }

    void version() {
        const QVNRUN run = RunQvn({S("--version")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, S("qvn " QUORVIN_VERSION "\n"));
    }

    void defaultColumnsInTsv() {
        QVERIFY(MakeFile(m_dir->filePath(S("b.txt"))));
        QVERIFY(QDir(m_dir->path()).mkdir(S("a")));
        const QVNRUN run = RunQvn({S("-s"), S("Additions/Prefix=X_"), m_dir->path()});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.out, S("name\tnewName\na\tX_a\nb.txt\tX_b.txt\n"));
    }

    void currentFolderIsTheDefault() {
        QVERIFY(MakeFile(m_dir->filePath(S("here.txt"))));
        QProcess process;
        process.setWorkingDirectory(m_dir->path());
        process.start(S(QVN_PATH), {S("--columns"), S("name")});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()), S("name\nhere.txt\n"));
    }

    void tsvEscapesControlCharactersAndBackslash() {
        QVERIFY(MakeFile(m_dir->filePath(S("a\tb"))));
        QVERIFY(MakeFile(m_dir->filePath(S("c\nd"))));
        QVERIFY(MakeFile(m_dir->filePath(S("e\\f"))));
        QVERIFY(MakeFile(m_dir->filePath(S("g\rh"))));
        const QVNRUN run =
            RunQvn({S("--format"), S("tsv"), S("--columns"), S("name,changed"), m_dir->path()});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(Body(run.out),
                 (QStringList{S("a\\tb\t0"), S("c\\nd\t0"), S("e\\\\f\t0"), S("g\\rh\t0")}));
    }

    void jsonIsAnArrayOfObjectsKeyedByColumn() {
        QVERIFY(MakeFile(m_dir->filePath(S("one.txt")), 1536));
        QVERIFY(QDir(m_dir->path()).mkdir(S("dir")));
        const QVNRUN run =
            RunQvn({S("--format=json"), S("--columns=name,newName,size,changed,type"), S("-s"),
                    S("Extension/Mode=2"), m_dir->path()});
        QCOMPARE(run.exitCode, 0);
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(run.out.toUtf8(), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QJsonArray array = document.array();
        QCOMPARE(array.size(), 2);
        const QJsonObject folder = array[0].toObject();
        const QJsonObject file = array[1].toObject();
        QCOMPARE(folder.keys(),
                 (QStringList{S("changed"), S("name"), S("newName"), S("size"), S("type")}));
        QCOMPARE(folder[S("name")].toString(), S("dir"));
        QVERIFY(folder[S("size")].isNull());
        QCOMPARE(file[S("name")].toString(), S("one.txt"));
        QCOMPARE(file[S("newName")].toString(), S("one.TXT"));
        QCOMPARE(file[S("size")].toInteger(), 1536);
        QCOMPARE(file[S("changed")].toInteger(), 1);
        QCOMPARE(folder[S("changed")].toInteger(), 0);
    }

    void tableUsesTheListTexts() {
        QVERIFY(MakeFile(m_dir->filePath(S("one.txt")), 1536));
        const QVNRUN run = RunQvn({S("--format"), S("table"), S("--columns"), S("name,size,length"),
                                   S("-p"), S("Display Filesizes As=2"), m_dir->path()});
        QCOMPARE(run.exitCode, 0);
        const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].startsWith(S("Name")) && lines[0].contains(S("Size")) &&
                     lines[0].endsWith(S("Length")),
                 qPrintable(lines[0]));
        QVERIFY2(lines[1].startsWith(S("one.txt")) && lines[1].contains(S("1 KB")) &&
                     lines[1].endsWith(S(" 7")),
                 qPrintable(lines[1]));
        QCOMPARE(lines[0].size(), lines[1].size());
    }

    void pathColumns() {
        QVERIFY(QDir(m_dir->path()).mkdir(S("sub")));
        QVERIFY(MakeFile(m_dir->filePath(S("sub/x.txt"))));
        const QVNRUN run =
            RunQvn({S("-s"), S("Selections/Subfolders=1"), S("-s"), S("Selections/Folders=0"),
                    S("-s"), S("Additions/Suffix=:"), S("--columns"),
                    S("name,subDir,path,newPath,folder,invalid,length"), m_dir->path()});
        QCOMPARE(run.exitCode, 0);
        const QString folder = m_dir->filePath(S("sub"));
        const QStringList fields{
            S("x.txt"), S("/sub"), folder + S("/x.txt"), folder + S("/x:.txt"), folder,
            S("1"),     S("6")};
        QCOMPARE(Body(run.out), QStringList{fields.join(QLatin1Char('\t'))});
    }

    void timesAreLocal_data() {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("expected");
        QTest::newRow("UTC") << S("UTC") << S("2021-06-15 10:20:30");
        QTest::newRow("Tokyo") << S("Asia/Tokyo") << S("2021-06-15 19:20:30");
        QTest::newRow("Berlin summer") << S("Europe/Berlin") << S("2021-06-15 12:20:30");
    }
    void timesAreLocal() {
        QFETCH(QString, zone);
        QFETCH(QString, expected);
        const QString path = m_dir->filePath(S("t.txt"));
        QVERIFY(MakeFile(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime(QDate(2021, 6, 15), QTime(10, 20, 30), Qt::UTC),
                                 QFileDevice::FileModificationTime));
        file.close();
        const QVNRUN run = RunQvn({S("--columns"), S("name,modified,taken"), m_dir->path()}, zone);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(Body(run.out), QStringList{S("t.txt\t") + expected + S("\t")});
    }

    void changedOnly() {
        for (const char* name : {"apple.txt", "berry.txt", "grape.txt"})
            QVERIFY(MakeFile(m_dir->filePath(S(name))));
        const QVNRUN run = RunQvn({S("--changed"), S("-s"), S("Replacements/Replace=ap"), S("-s"),
                                   S("Replacements/With=AP"), m_dir->path()});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(Body(run.out),
                 (QStringList{S("apple.txt\tAPple.txt"), S("grape.txt\tgrAPe.txt")}));
    }

    void debugTracesOneRow() {
        for (const char* name : {"a.txt", "b.txt"})
            QVERIFY(MakeFile(m_dir->filePath(S(name))));
        const QVNRUN run =
            RunQvn({S("--debug"), S("1"), S("-s"), S("Additions/Suffix=_s"), m_dir->path()});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.contains(S("Original name: b.txt")), qPrintable(run.err));
        QVERIFY2(run.err.contains(S("Final Name: b_s.txt")), qPrintable(run.err));
        QVERIFY(!run.err.contains(S("a.txt")));
        QCOMPARE(Body(run.out), (QStringList{S("a.txt\ta_s.txt"), S("b.txt\tb_s.txt")}));
    }

    void debugRowBeyondTheListTracesNothing() {
        QVERIFY(MakeFile(m_dir->filePath(S("a.txt"))));
        const QVNRUN run = RunQvn({S("--debug"), S("5"), m_dir->path()});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QString());
    }

    void sortOrders_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("default: name ascending, folders first")
            << QStringList{} << QStringList{S("dir"), S("a1"), S("B2"), S("c3")};
        QTest::newRow("name descending: folders last")
            << QStringList{S("--sort"), S("name:desc")}
            << QStringList{S("c3"), S("B2"), S("a1"), S("dir")};
        QTest::newRow("size ascending") << QStringList{S("--sort"), S("size")}
                                        << QStringList{S("dir"), S("a1"), S("c3"), S("B2")};
        QTest::newRow("size descending") << QStringList{S("--sort"), S("size:desc")}
                                         << QStringList{S("B2"), S("c3"), S("a1"), S("dir")};
        QTest::newRow("preferences: size column descending")
            << QStringList{S("-p"), S("Sort Column=4"), S("-p"), S("sort dir=0")}
            << QStringList{S("B2"), S("c3"), S("a1"), S("dir")};
        QTest::newRow("option wins over preferences")
            << QStringList{S("-p"), S("Sort Column=4"), S("--sort"), S("name:asc")}
            << QStringList{S("dir"), S("a1"), S("B2"), S("c3")};
        QTest::newRow("files and folders together")
            << QStringList{S("-p"), S("Sort FF Together=1")}
            << QStringList{S("a1"), S("B2"), S("c3"), S("dir")};
    }
    void sortOrders() {
        QFETCH(QStringList, options);
        QFETCH(QStringList, names);
        QVERIFY(QDir(m_dir->path()).mkdir(S("dir")));
        QVERIFY(MakeFile(m_dir->filePath(S("a1")), 1));
        QVERIFY(MakeFile(m_dir->filePath(S("B2")), 30));
        QVERIFY(MakeFile(m_dir->filePath(S("c3")), 20));
        const QVNRUN run = RunQvn(options << S("--columns") << S("name") << m_dir->path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(Body(run.out), names);
    }

    void numberingFollowsTheSortedOrder() {
        for (const char* name : {"a.txt", "b.txt", "c.txt"})
            QVERIFY(MakeFile(m_dir->filePath(S(name))));
        const QVNRUN run =
            RunQvn({S("--sort"), S("name:desc"), S("-s"), S("Auto-Number/Mode=2"), m_dir->path()});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(Body(run.out),
                 (QStringList{S("c.txt\tc1.txt"), S("b.txt\tb2.txt"), S("a.txt\ta3.txt")}));
    }

    void criteriaPerGroup_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("newName");
        QTest::newRow("regular expression")
            << S("IMG_1234.jpg")
            << QStringList{S("-s"), S("Regular Expressions/Match=IMG_(\\d+)"), S("-s"),
                           S("Regular Expressions/Replace=Photo \\1")}
            << S("Photo 1234.jpg");
        QTest::newRow("regular expression switched off")
            << S("IMG_1234.jpg") << QStringList{S("-s"), S("Regular Expressions/Match=IMG_(\\d+)"),
                                                S("-s"), S("Regular Expressions/Replace=Photo \\1"),
                                                S("-s"), S("Criteria/RegEx=0")}
            << S("IMG_1234.jpg");
        QTest::newRow("fixed name")
            << S("old.txt")
            << QStringList{S("-s"), S("Filename/Mode=2"), S("-s"), S("Filename/Fixed=new")}
            << S("new.txt");
        QTest::newRow("replacement ignores case")
            << S("Report.txt")
            << QStringList{S("-s"), S("Replacements/Replace=report"), S("-s"),
                           S("Replacements/With=Memo")}
            << S("Memo.txt");
        QTest::newRow("replacement with match case")
            << S("Report.txt")
            << QStringList{S("--match-case"), S("-s"), S("Replacements/Replace=report"), S("-s"),
                           S("Replacements/With=Memo")}
            << S("Report.txt");
        QTest::newRow("upper case")
            << S("mixed Case.txt") << QStringList{S("-s"), S("Case/Change=2")}
            << S("MIXED CASE.txt");
        QTest::newRow("remove first two")
            << S("abcdef.txt") << QStringList{S("-s"), S("Removals/First N=2")} << S("cdef.txt");
        QTest::newRow("text kept with blanks")
            << S("a.txt") << QStringList{S("-s"), S("Additions/Suffix= b ")} << S("a b .txt");
        QTest::newRow("folder name prefix")
            << S("a.txt")
            << QStringList{S("-s"), S("Folder Name/Mode=1"), S("-s"), S("Folder Name/Separator=-")}
            << S("root-a.txt");
        QTest::newRow("number suffix padded")
            << S("a.txt")
            << QStringList{S("-s"), S("Auto-Number/Mode=2"), S("-s"), S("Auto-Number/Pad=3"),
                           S("-s"), S("Auto-Number/Start=7")}
            << S("a007.txt");
        QTest::newRow("extension fixed")
            << S("a.jpeg")
            << QStringList{S("-s"), S("Extension/Mode=4"), S("-s"), S("Extension/Fixed=jpg")}
            << S("a.jpg");
        QTest::newRow("translation pairs in order of N, inside the replacement group")
            << S("caf\u00e9.txt") << QStringList{S("-s"), S("Replacements/Replace=zzz"),
                                                 S("-s"), S("Character Translation/Pair 3=E9=e"),
                                                 S("-s"), S("Character Translation/Pair 1=c=k")}
            << S("kafe.txt");
        QTest::newRow("file extensions ignored")
            << S("a.txt")
            << QStringList{S("-p"), S("Ignore File Extensions=1"), S("-s"), S("Case/Change=2")}
            << S("A.TXT");
        QTest::newRow("later set wins")
            << S("a.txt")
            << QStringList{S("-s"), S("Additions/Prefix=x"), S("--set=additions/prefix=y")}
            << S("ya.txt");
    }
    void criteriaPerGroup() {
        QFETCH(QString, name);
        QFETCH(QStringList, options);
        QFETCH(QString, newName);
        const QString root = m_dir->filePath(S("root"));
        QVERIFY(QDir(m_dir->path()).mkdir(S("root")));
        QVERIFY(MakeFile(root + QLatin1Char('/') + name));
        const QVNRUN run = RunQvn(options << S("--columns") << S("newName") << root);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QString());
        QCOMPARE(Body(run.out), QStringList{newName});
    }

    void invalidPatternIsReportedOnStandardError() {
        QVERIFY(MakeFile(m_dir->filePath(S("a.txt"))));
        const QVNRUN run = RunQvn({S("-s"), S("Regular Expressions/Match=("), S("-s"),
                                   S("Additions/Prefix=p"), m_dir->path()});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, S("Regular Expression is invalid\n"));
        QCOMPARE(Body(run.out), QStringList{S("a.txt\tpa.txt")});
    }

    void nameThatIsNotUtf8IsShownAndPreviewed() {
        const QByteArray path = QFile::encodeName(m_dir->path()) + "/bad\xff"
                                                                   "name.txt";
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        QVERIFY(fd >= 0);
        ::close(fd);
        const QVNRUN run = RunQvn({S("-s"), S("Additions/Prefix=ok_"), m_dir->path()});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(Body(run.out), QStringList{S("bad\uFFFDname.txt\tok_bad\uFFFDname.txt")});
    }

    void folderWhoseNameIsNotUtf8() {
        const QByteArray folder = QFile::encodeName(m_dir->path()) + "/f\xfe";
        QCOMPARE(::mkdir(folder.constData(), 0755), 0);
        const QByteArray file = folder + "/in.txt";
        const int fd = ::open(file.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        QVERIFY(fd >= 0);
        ::close(fd);
        const QVNRUN run = RunQvn(
            {S("--columns"), S("name"), S("-s"), S("Selections/Subfolders=1"), m_dir->path()});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(Body(run.out), (QStringList{S("f\uFFFD"), S("in.txt")}));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestQvn)
#include "tst_qvn.moc"
