// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/session/commandline.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(StartupTargetKind)

class TstCommandLine : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    QByteArray Native(const QString& name) const { return QFile::encodeName(m_dir.filePath(name)); }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("photos/2024")));
        for (const char* name : {"mine.qvn", "UPPER.QVN", "Mixed.QvN", "notes.txt", "fooqvn"}) {
            QFile file(m_dir.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(::mkfifo(Native(QStringLiteral("pipe.qvn")).constData(), 0600) == 0);
        QVERIFY(::symlink("photos", Native(QStringLiteral("linked")).constData()) == 0);
    }

    void cleaning_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("cleaned");
        const auto row = [](const char* tag, QStringList arguments, const char* cleaned) {
            QTest::newRow(tag) << arguments << QString::fromUtf8(cleaned);
        };
        row("nothing", {}, "");
        row("blanks trimmed at both ends", {QStringLiteral("  /home/me/a b  ")}, "/home/me/a b");
        row("arguments joined with blanks",
            {QStringLiteral("/home/me/my"), QStringLiteral("folder")}, "/home/me/my folder");
        row("quotes removed", {QStringLiteral("\"/home/me/a b\"")}, "/home/me/a b");
        row("reset kept as typed", {QStringLiteral("/reSet")}, "/reSet");
        row("/f inside a path counts for nothing", {QStringLiteral("/home/me/files/x.txt")},
            "/home/me/files/x.txt");
        row("/f as its own argument gives the file's folder",
            {QStringLiteral("/f"), QStringLiteral("/home/me/files/x.txt")}, "/home/me/files");
        row("/f with a file in the root gives the root",
            {QStringLiteral("/f"), QStringLiteral("/x.txt")}, "/");
        row("/f with a bare file name gives nothing",
            {QStringLiteral("/f"), QStringLiteral("x.txt")}, "");
        row("/f with a quoted path", {QStringLiteral("/f"), QStringLiteral("\"/tmp/a b/c.txt\"")},
            "/tmp/a b");
        row("/f with an unquoted path split by the shell",
            {QStringLiteral("/f"), QStringLiteral("/tmp/my"), QStringLiteral("dir/c.txt")},
            "/tmp/my dir");
        row("text before /f is dropped",
            {QStringLiteral("junk"), QStringLiteral("/f"), QStringLiteral("/srv/a/b")}, "/srv/a");
        row("/f last is plain text", {QStringLiteral("/home"), QStringLiteral("/f")}, "/home /f");
        row("/F is no switch", {QStringLiteral("/F"), QStringLiteral("/srv/a/b")}, "/F /srv/a/b");
    }

    void cleaning() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, cleaned);
        QCOMPARE(CleanCommandLine(arguments), cleaned);
        QByteArrayList native;
        for (const QString& argument : arguments)
            native.append(argument.toUtf8());
        QCOMPARE(CleanCommandLine(native), cleaned.toUtf8());
    }

    void nativeCleaningKeepsBytesThatAreNotUtf8() {
        const QByteArray folder = "/tmp/caf\xe9";
        QCOMPARE(CleanCommandLine(QByteArrayList{folder}), folder);
        QCOMPARE(CleanCommandLine(QByteArrayList{"/f", folder + "/\xff.txt"}), folder);
    }

    void startupTarget_data() {
        QTest::addColumn<QString>("commandLine"); // relative to the temporary folder
        QTest::addColumn<StartupTargetKind>("kind");
        QTest::addColumn<QString>("path"); // expected path, relative to the temporary folder
        const auto row = [](const char* tag, const char* line, StartupTargetKind kind,
                            const char* path) {
            QTest::newRow(tag) << QString::fromUtf8(line) << kind << QString::fromUtf8(path);
        };
        row("folder", "photos", StartupTargetKind::Folder, "photos");
        // A ".." after a part given on the command line stays: that part may be a link.
        row("folder with dots", "photos/2024/../2024/.", StartupTargetKind::Folder,
            "photos/2024/../2024");
        row("link to a folder", "linked", StartupTargetKind::Folder, "linked");
        row("favourite", "mine.qvn", StartupTargetKind::Favourite, "mine.qvn");
        row("favourite in upper case", "UPPER.QVN", StartupTargetKind::Favourite, "UPPER.QVN");
        row("favourite in mixed case", "Mixed.QvN", StartupTargetKind::Favourite, "Mixed.QvN");
        row("any name ending in qvn", "fooqvn", StartupTargetKind::Favourite, "fooqvn");
        row("other file ignored", "notes.txt", StartupTargetKind::Nothing, "");
        row("missing path ignored", "gone.qvn", StartupTargetKind::Nothing, "");
        row("pipe named as a favourite ignored", "pipe.qvn", StartupTargetKind::Nothing, "");
    }

    void startupTarget() {
        QFETCH(QString, commandLine);
        QFETCH(StartupTargetKind, kind);
        QFETCH(QString, path);
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        const STARTUPTARGET relative = StartupTargetOf(QFile::encodeName(commandLine));
        QVERIFY(QDir::setCurrent(previous));
        QCOMPARE(relative.kind, kind);
        const QString expected = path.isEmpty() ? QString() : m_dir.filePath(path);
        QCOMPARE(relative.path, expected);
        QCOMPARE(relative.nativePath, QFile::encodeName(expected));
        const STARTUPTARGET absolute = StartupTargetOf(Native(commandLine));
        QCOMPARE(absolute.kind, kind);
        QCOMPARE(absolute.path, expected);
    }

    void startupTargetWithoutPath_data() {
        QTest::addColumn<QByteArray>("commandLine");
        QTest::addColumn<StartupTargetKind>("kind");
        QTest::newRow("empty") << QByteArray() << StartupTargetKind::CurrentFavourite;
        QTest::newRow("reset") << QByteArray("/RESET") << StartupTargetKind::ResetSettings;
        QTest::newRow("reset in any case")
            << QByteArray("/rEsEt") << StartupTargetKind::ResetSettings;
        QTest::newRow("reset with more text")
            << QByteArray("/RESET now") << StartupTargetKind::Nothing;
    }

    void startupTargetWithoutPath() {
        QFETCH(QByteArray, commandLine);
        QFETCH(StartupTargetKind, kind);
        const STARTUPTARGET target = StartupTargetOf(commandLine);
        QCOMPARE(target.kind, kind);
        QVERIFY(target.nativePath.isEmpty());
    }

    void handOverPathIsAbsolute() {
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        const QByteArray relative = HandOverPath("photos/../photos/2024");
        const QByteArray empty = HandOverPath(QByteArray());
        const QByteArray absolute = HandOverPath("/srv/x/");
        QVERIFY(QDir::setCurrent(previous));
        QCOMPARE(relative, Native(QStringLiteral("photos/../photos/2024")));
        QCOMPARE(empty, QByteArray());
        QCOMPARE(absolute, QByteArray("/srv/x"));
    }

    void startupTargetOfFolderNotUtf8() {
        const QByteArray folder = QFile::encodeName(m_dir.path()) + "/caf\xe9";
        QVERIFY(::mkdir(folder.constData(), 0700) == 0);
        // QTemporaryDir removes by decoded names, which cannot reach this one.
        const auto removeFolder = qScopeGuard([&] { ::rmdir(folder.constData()); });
        const STARTUPTARGET target = StartupTargetOf(CleanCommandLine(QByteArrayList{folder}));
        QCOMPARE(target.kind, StartupTargetKind::Folder);
        QCOMPARE(target.nativePath, folder);
    }
};

QTEST_GUILESS_MAIN(TstCommandLine)
#include "tst_commandline.moc"
