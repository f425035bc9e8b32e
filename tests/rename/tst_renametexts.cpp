// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/renametexts.h"

#include <QtTest>

#include <cerrno>

using namespace Qt::StringLiterals;

class TstRenameTexts : public QObject {
    Q_OBJECT
private slots:
    void completionText_data() {
        QTest::addColumn<int>("processed");
        QTest::addColumn<int>("renamed");
        QTest::addColumn<QString>("text");
        QTest::newRow("all renamed") << 4 << 4 << u"4 item(s) successfully processed."_s;
        QTest::newRow("none") << 0 << 0 << u"0 item(s) successfully processed."_s;
        QTest::newRow("nothing changed")
            << 3 << 0
            << u"3 item(s) processed, 0 item(s) renamed. 3 item(s) required no name change."_s;
        QTest::newRow("some")
            << 5 << 2
            << u"5 item(s) processed, 2 item(s) renamed. 3 item(s) required no name change."_s;
    }
    void completionText() {
        QFETCH(int, processed);
        QFETCH(int, renamed);
        QFETCH(QString, text);
        QCOMPARE(CompletionText(processed, renamed), text);
    }

    void duplicateCandidate_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("candidate");
        QTest::newRow("extension") << u"a.txt"_s << 1 << u"a_1.txt"_s;
        QTest::newRow("no dot") << u"readme"_s << 2 << u"readme_2"_s;
        QTest::newRow("two dots") << u"archive.tar.gz"_s << 1 << u"archive.tar_1.gz"_s;
        QTest::newRow("leading dot") << u".profile"_s << 99 << u"_99.profile"_s;
    }
    void duplicateCandidate() {
        QFETCH(QString, name);
        QFETCH(int, n);
        QFETCH(QString, candidate);
        QCOMPARE(DuplicateCandidate(name, n), candidate);
        QCOMPARE(DuplicateCandidate(name.toUtf8(), n), candidate.toUtf8());
    }

    void duplicateCandidateKeepsBytes() {
        QCOMPARE(DuplicateCandidate(QByteArray("\xff\xfe.b\x80n"), 3),
                 QByteArray("\xff\xfe_3.b\x80n"));
    }

    void dateWarnings_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("exif");
        QTest::addColumn<QString>("text");
        const QString created =
            u"Warning: You have used the NEW Created Date in your filenames, but have not chosen to assign a new Created date. Continue?"_s;
        const QString modified =
            u"Warning: You have used the NEW Modified Date in your filenames, but have not chosen to assign a new Modified date. Continue?"_s;
        const QString accessed =
            u"Warning: You have used the NEW Accessed Date in your filenames, but have not chosen to assign a new Accessed date. Continue?"_s;
        const QString taken =
            u"Warning: You have used the Date Taken Date in your filenames, but have not chosen to extract EXIF data. Continue?"_s;
        QTest::newRow("created new, no change") << 1 << 0 << false << created;
        QTest::newRow("created new, current") << 1 << 1 << false << QString();
        QTest::newRow("modified new, no change") << 3 << 0 << false << modified;
        QTest::newRow("modified new, fixed") << 3 << 4 << false << QString();
        QTest::newRow("accessed new, no change") << 5 << 0 << false << accessed;
        QTest::newRow("taken without exif") << 6 << 0 << false << taken;
        QTest::newRow("taken with exif") << 6 << 0 << true << QString();
        QTest::newRow("created current") << 0 << 0 << false << QString();
        QTest::newRow("current") << 7 << 0 << false << QString();
    }
    void dateWarnings() {
        QFETCH(int, type);
        QFETCH(int, mode);
        QFETCH(bool, exif);
        QFETCH(QString, text);
        CHANGESETTINGS changes;
        changes.createdMode = changes.modifiedMode = changes.accessedMode = TimestampMode(mode);
        QCOMPARE(DateWarningText(AutoDateType(type), changes, exif), text);
    }

    void confirmMessage() {
        CHANGESETTINGS changes;
        QCOMPARE(ConfirmRenameMessage(7, changes),
                 u"7 files and/or folders are about to be processed!"_s);
        changes.accessedMode = TimestampMode::Current;
        QVERIFY(
            ConfirmRenameMessage(7, changes)
                .endsWith(
                    u"\n\nYou have also chosen to update attributes and/or the created/modified/last-accessed dates."_s));
        QVERIFY(ConfirmRenameText().endsWith(u"\n\nThis is your last opportunity to cancel!"_s));
    }

    void failedEntryText() {
        FILEOPRESULT denied;
        denied.error = EACCES;
        denied.errorText = ErrorText(EACCES);
        QCOMPARE(
            FailedEntryText(u"/a/x"_s, u"/a/y"_s, denied),
            u"Item '/a/x' could not be renamed.\nError Code: Permission denied (13)\n\nIgnore this error and continue processing?"_s);
        FILEOPRESULT exists;
        exists.error = ENOTEMPTY;
        QCOMPARE(
            FailedEntryText(u"/a/x"_s, u"/a/y"_s, exists),
            u"Item '/a/x' could not be renamed.\nTarget item '/a/y' already exists.\n\nIgnore this error and continue processing?"_s);
    }

    void statusTexts() {
        QCOMPARE(ProcessedStatus(30), u"Processed 30 files..."_s);
        QCOMPARE(NewLocationInvalidText(u"/x"_s),
                 u"/x is not a valid Folder - please correct or clear."_s);
    }
};

QTEST_GUILESS_MAIN(TstRenameTexts)
#include "tst_renametexts.moc"
