// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/cregexpattern.h"
#include "engine/namegenerator.h"

#include <QtTest>

namespace {

QString Generate(const RenameCriteria& criteria, const QString& name, const NAMEOPTIONS& options,
                 bool isFolder = false) {
    NAMEINPUT input;
    input.name = name;
    input.isFolder = isFolder;
    input.exceptionWords = SplitExceptionWords(criteria.letterCase.exceptions);
    input.removeWords = SplitRemoveWords(criteria.removals.words);
    return GenerateNewName(criteria, input, options);
}

} // namespace

class TstNameGenerator : public QObject {
    Q_OBJECT
private slots:
    void split_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("isFolder");
        QTest::addColumn<bool>("ignoreFiles");
        QTest::addColumn<bool>("ignoreFolders");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("ext");
        QTest::newRow("two dots") << "archive.tar.gz" << false << false << true << "archive.tar"
                                  << ".gz";
        QTest::newRow("dot file") << ".profile" << false << false << true << ""
                                  << ".profile";
        QTest::newRow("no dot") << "README" << false << false << true << "README"
                                << "";
        QTest::newRow("trailing dot") << "name." << false << false << true << "name"
                                      << ".";
        QTest::newRow("files ignored") << "photo.jpg" << false << true << true << "photo.jpg"
                                       << "";
        QTest::newRow("folder keeps ext") << "My.Folder" << true << false << false << "My"
                                          << ".Folder";
        QTest::newRow("folder ext ignored") << "My.Folder" << true << false << true << "My.Folder"
                                            << "";
    }
    void split() {
        QFETCH(QString, name);
        QFETCH(bool, isFolder);
        QFETCH(bool, ignoreFiles);
        QFETCH(bool, ignoreFolders);
        QFETCH(QString, base);
        QFETCH(QString, ext);
        NAMEOPTIONS options;
        options.ignoreFileExtensions = ignoreFiles;
        options.ignoreFolderExtensions = ignoreFolders;
        options.debugRow = 0;
        NAMEINPUT input;
        input.name = name;
        input.isFolder = isFolder;
        QString trace;
        QCOMPARE(GenerateNewName(RenameCriteria(), input, options, &trace), name);
        QVERIFY(
            trace.contains(QStringLiteral("Components: Name=%1, Extension=%2\n\n").arg(base, ext)));
    }

    void fixedExtensionAfterIgnoredExtension() {
        RenameCriteria criteria;
        criteria.extension.mode = ExtensionMode::Fixed;
        criteria.extension.fixed = QStringLiteral("png");
        NAMEOPTIONS options;
        options.ignoreFileExtensions = true;
        // The fixed extension is the extension group's own; until it is built the name
        // passes through, so only the split shows here.
        NAMEINPUT input;
        input.name = QStringLiteral("photo.jpg");
        options.debugRow = 0;
        QString trace;
        GenerateNewName(criteria, input, options, &trace);
        QVERIFY(trace.contains(QStringLiteral("Components: Name=photo.jpg, Extension=\n")));
    }

    void renamePairAppliesBeforeGroups() {
        RENAMEPAIRMAP pairs;
        pairs.insert(QStringLiteral("report.txt"), QStringLiteral("Summary.doc"));
        NAMEOPTIONS options;
        options.renamePairs = &pairs;
        RenameCriteria criteria;
        QCOMPARE(Generate(criteria, QStringLiteral("REPORT.TXT"), options),
                 QStringLiteral("Summary.doc"));
        QCOMPARE(Generate(criteria, QStringLiteral("other.txt"), options),
                 QStringLiteral("other.txt"));
        criteria.letterCase.change = CaseMode::Upper;
        QCOMPARE(Generate(criteria, QStringLiteral("Report.txt"), options),
                 QStringLiteral("SUMMARY.doc"));
        // Only A to Z fold for the key: an accented capital does not match its small form.
        pairs.insert(QStringLiteral("élan.txt"), QStringLiteral("x.txt"));
        QCOMPARE(Generate(RenameCriteria(), QStringLiteral("Élan.txt"), options),
                 QStringLiteral("Élan.txt"));
    }

    void allGroupsInactiveGiveName() {
        RenameCriteria criteria;
        QCOMPARE(Generate(criteria, QStringLiteral("a b.TXT"), NAMEOPTIONS()),
                 QStringLiteral("a b.TXT"));
    }

    void emptyResultPossible() {
        RenameCriteria criteria;
        criteria.fileName.mode = NameMode::Remove;
        QCOMPARE(Generate(criteria, QStringLiteral("README"), NAMEOPTIONS()), QString());
    }

    void traceOfInactiveRun() {
        NAMEOPTIONS options;
        options.debugRow = 4;
        NAMEINPUT input;
        input.name = QStringLiteral("a.txt");
        input.index = 4;
        QString trace;
        QCOMPARE(GenerateNewName(RenameCriteria(), input, options, &trace),
                 QStringLiteral("a.txt"));
        QString expected =
            QStringLiteral("Original name: a.txt\nComponents: Name=a, Extension=.txt\n\n");
        for (const char* label :
             {"  1", "  2", "  3", "  4", "  5", "  6", "  7", "  8", "  9", " 10", " 12"})
            expected += QStringLiteral("Finished Group%1. Name=a, Extension=.txt\n")
                            .arg(QLatin1String(label));
        expected += QStringLiteral("\nFinal Name: a.txt\n");
        QCOMPARE(trace, expected);
    }

    void traceOnlyForDebugRow() {
        NAMEOPTIONS options;
        options.debugRow = 2;
        NAMEINPUT input;
        input.name = QStringLiteral("a.txt");
        input.index = 1;
        QString trace = QStringLiteral("untouched");
        GenerateNewName(RenameCriteria(), input, options, &trace);
        QCOMPARE(trace, QStringLiteral("untouched"));
    }

    void traceShowsEachGroup() {
        RenameCriteria criteria;
        criteria.replacements.replace = QStringLiteral("a");
        criteria.replacements.with = QStringLiteral("b");
        criteria.letterCase.change = CaseMode::Upper;
        NAMEOPTIONS options;
        options.debugRow = 0;
        NAMEINPUT input;
        input.name = QStringLiteral("aa.txt");
        QString trace;
        GenerateNewName(criteria, input, options, &trace);
        QVERIFY(trace.contains(QStringLiteral("Finished Group  2. Name=aa, Extension=.txt\n")));
        QVERIFY(trace.contains(QStringLiteral("Finished Group  3. Name=bb, Extension=.txt\n")));
        QVERIFY(trace.contains(QStringLiteral("Finished Group  4. Name=BB, Extension=.txt\n")));
        QVERIFY(trace.endsWith(QStringLiteral("\nFinal Name: BB.txt\n")));
    }

    void translationsOnlyWhileGroupThreeActive() {
        TRANSLATIONLIST translations{{QStringLiteral("E9"), QStringLiteral("e"), {}, {}, false},
                                     {QStringLiteral("FC"), QStringLiteral("u,e"), {}, {}, false}};
        DecodeTranslations(translations);
        NAMEOPTIONS options;
        options.translations = &translations;
        RenameCriteria criteria;
        QCOMPARE(Generate(criteria, QStringLiteral("Café Müller.txt"), options),
                 QStringLiteral("Café Müller.txt"));
        criteria.replacements.replace = QStringLiteral("zzz"); // does not occur: group active
        QCOMPARE(Generate(criteria, QStringLiteral("Café Müller.txt"), options),
                 QStringLiteral("Cafe Mueller.txt"));
        criteria.replacements.enabled = false;
        QCOMPARE(Generate(criteria, QStringLiteral("Café Müller.txt"), options),
                 QStringLiteral("Café Müller.txt"));
    }
};

QTEST_GUILESS_MAIN(TstNameGenerator)
#include "tst_namegenerator.moc"
