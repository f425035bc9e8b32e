// SPDX-License-Identifier: GPL-3.0-or-later
#include "renametestkit.h"

#include "rename/cactivitylog.h"
#include "rename/crenamerun.h"
#include "rename/undorename.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 kNow = 1'700'000'000; // 2023-11-14 22:13:20 UTC

qint64 FixedClock() {
    return kNow;
}

QByteArrayList Lines(const QString& path) {
    QByteArray text = ReadContents(QFile::encodeName(path));
    if (text.endsWith('\n'))
        text.chop(1);
    return text.isEmpty() ? QByteArrayList() : text.split('\n');
}

} // namespace

class TstActivityLog : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void timeText_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("C") << u"C"_s << kNow << u"14 Nov 2023 22:13:20 UTC"_s;
        QTest::newRow("en_US") << u"en_US"_s << kNow << u"11/14/23 10:13:20 PM UTC"_s;
        QTest::newRow("de_DE") << u"de_DE"_s << kNow << u"14.11.23 22:13:20 UTC"_s;
        QTest::newRow("1970") << u"C"_s << qint64(0) << u"1 Jan 1970 00:00:00 UTC"_s;
        QTest::newRow("year 10000") << u"C"_s << qint64(253'402'300'800) << u"Invalid DateTime"_s;
    }
    void timeText() {
        QFETCH(QString, locale);
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(LogTimeText(seconds), text);
    }

    void linesAreAppendedAndFlushed() {
        QLocale::setDefault(QLocale::c());
        QTemporaryDir dir;
        const QString path = ActivityLogPath(dir.path());
        QCOMPARE(path, dir.path() + u"/Quorvin.log"_s);
        for (int run = 0; run < 2; ++run) {
            CActivityLog log(FixedClock);
            log.OpenLog(path);
            QVERIFY(log.IsOpen());
            log.WriteLogLine(RenamedLogText("/a/x", "/a/y"));
            // Flushed at once: readable before the log is closed.
            QCOMPARE(Lines(path).size(), 2 * run + 1);
            log.WriteLogLine(UndoLogText("/a/y", "/a/x"));
        }
        QCOMPARE(
            Lines(path),
            (QByteArrayList{"14 Nov 2023 22:13:20 UTC - Renamed \"/a/x\" to \"/a/y\"",
                            "14 Nov 2023 22:13:20 UTC - UNDO! Renamed \"/a/y\" back to \"/a/x\"",
                            "14 Nov 2023 22:13:20 UTC - Renamed \"/a/x\" to \"/a/y\"",
                            "14 Nov 2023 22:13:20 UTC - UNDO! Renamed \"/a/y\" back to \"/a/x\""}));
    }

    void aLogThatCannotBeOpenedIsSilent() {
        QTemporaryDir dir;
        CActivityLog log;
        log.OpenLog(dir.filePath(u"missing/Quorvin.log"_s));
        QVERIFY(!log.IsOpen());
        log.WriteLogLine("Renamed");
        log.CloseLog();
        log.OpenLog(QString());
        QVERIFY(!log.IsOpen());
        QVERIFY(!QFileInfo::exists(dir.filePath(u"missing"_s)));
    }

    void runWritesOneLinePerChange_data() {
        QTest::addColumn<bool>("logActivity");
        QTest::newRow("on") << true;
        QTest::newRow("off") << false;
    }
    void runWritesOneLinePerChange() {
        QFETCH(bool, logActivity);
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path()) + "/tree";
        MakeFolder(root);
        for (const char* name : {"a", "b", "c", "d", "e"})
            MakeFile(root + '/' + name, 1'000'000'000);
        CFileList list;
        ListFolder(list, root);
        list.SetNewName(0, u"a2"_s);
        list.SetNewName(2, u"c2"_s);
        list.SetNewName(4, u"e2"_s);
        RenameCriteria criteria;
        CHANGESETTINGS changes;
        RENAMEPREFERENCES preferences;
        preferences.displayWarningMessage = false;
        preferences.displayConfirmationMessage = false;
        preferences.logActivity = logActivity;
        CRenameHistory history;
        CScriptedPrompts prompts;
        const QString path = ActivityLogPath(dir.path());
        CRenameRun run(list, criteria, changes, preferences, history, prompts);
        run.SetLogPath(path);
        QCOMPARE(run.OnRename().renamed, 3);
        QCOMPARE(QFileInfo::exists(path), logActivity);
        if (!logActivity)
            return;
        const QByteArrayList lines = Lines(path);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[1].endsWith(" - Renamed \"" + root + "/c\" to \"" + root + "/c2\""));

        UNDOOPTIONS options;
        options.logActivity = true;
        options.logPath = path;
        prompts.answers = {PromptAnswer::Yes};
        QVERIFY(OnUndoRename(history, prompts, options));
        const QByteArrayList after = Lines(path);
        QCOMPARE(after.size(), 6);
        QVERIFY(
            after[3].endsWith(" - UNDO! Renamed \"" + root + "/e2\" back to \"" + root + "/e\""));
    }
};

QTEST_GUILESS_MAIN(TstActivityLog)
#include "tst_cactivitylog.moc"
