// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/session/folderpaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TstFolderPaths : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    QString Path(const char* relative) const {
        return relative[0] == '\0' ? m_dir.path() : m_dir.filePath(QString::fromUtf8(relative));
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("a/b")));
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("with \"quotes\" gone")));
        QFile file(Path("a/b/photo.jpg"));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    void parentFolder_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("parent");
        QTest::newRow("deep") << QStringLiteral("/home/me/photos") << QStringLiteral("/home/me");
        QTest::newRow("below the root") << QStringLiteral("/home") << QStringLiteral("/");
        QTest::newRow("the root stays") << QStringLiteral("/") << QStringLiteral("/");
        QTest::newRow("trailing separator")
            << QStringLiteral("/home/me/") << QStringLiteral("/home");
        QTest::newRow("several trailing") << QStringLiteral("/home//") << QStringLiteral("/");
        QTest::newRow("no separator stays") << QStringLiteral("photos") << QStringLiteral("photos");
        QTest::newRow("empty stays") << QString() << QString();
    }

    void parentFolder() {
        QFETCH(QString, path);
        QFETCH(QString, parent);
        QCOMPARE(ParentFolder(path), parent);
        QCOMPARE(ParentFolder(path.toUtf8()), parent.toUtf8());
    }

    void nearestExistingFolder_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("nearest");
        QTest::newRow("existing folder") << Path("a/b") << Path("a/b");
        QTest::newRow("a file gives its folder") << Path("a/b/photo.jpg") << Path("a/b");
        QTest::newRow("deleted path") << Path("a/gone/deeper/still") << Path("a");
        QTest::newRow("file in the root")
            << QStringLiteral("/no-such-file-here.txt") << QStringLiteral("/");
        QTest::newRow("nothing exists") << QStringLiteral("relative/missing") << QString();
        QTest::newRow("empty") << QString() << QString();
    }

    void nearestExistingFolder() {
        QFETCH(QString, path);
        QFETCH(QString, nearest);
        QCOMPARE(NearestExistingFolder(QFile::encodeName(path)), QFile::encodeName(nearest));
    }

    void jumpPath_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("result"); // the path, or the refusal
        const QString tooShort = QStringLiteral(
            "The entered path must belonger than 2 characters.\n\nSpecify a path root as "
            "<drive>:\\, not just as <drive>:");
        const QString missing = QStringLiteral("Path does not exist.");
        QTest::newRow("existing") << Path("a/b") << true << Path("a/b");
        QTest::newRow("quotes removed")
            << QLatin1Char('"') + Path("a") + QLatin1Char('"') << true << Path("a");
        QTest::newRow("quotes inside a name removed")
            << Path("with \"quotes\" gone") << false << missing;
        QTest::newRow("relative to the start folder")
            << QStringLiteral("a/b/..") << true << Path("a");
        QTest::newRow("root") << QStringLiteral("/") << true << QStringLiteral("/");
        QTest::newRow("two characters") << QStringLiteral("ab") << false << tooShort;
        QTest::newRow("empty") << QString() << false << tooShort;
        QTest::newRow("only quotes") << QStringLiteral("\"\"\"") << false << missing;
        QTest::newRow("missing") << Path("a/nothing") << false << missing;
        QTest::newRow("a file is no folder") << Path("a/b/photo.jpg") << false << missing;
    }

    void jumpPath() {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(QString, result);
        const JUMPPATHCHECK check = CheckJumpPath(typed, m_dir.path());
        QCOMPARE(check.accepted, accepted);
        QCOMPARE(accepted ? check.path : check.refusal, result);
        QCOMPARE(accepted ? check.refusal : check.path, QString());
    }
};

QTEST_GUILESS_MAIN(TstFolderPaths)
#include "tst_folderpaths.moc"
