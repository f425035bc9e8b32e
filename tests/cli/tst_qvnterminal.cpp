// SPDX-License-Identifier: GPL-3.0-or-later
// qvn as people at a terminal and scripts use it: key list, fitted table, colour, NUL
// output, json key order, attached short options and pairs from standard input.
#include "engine/changesettings.h"
#include "engine/criterionbinding.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct RUN {
    int exitCode = -1;
    QByteArray out;
    QString err;

    QString Text() const { return QString::fromUtf8(out); }
    QStringList Lines() const { return Text().split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
};

using ENVIRONMENT = QList<QPair<QString, QString>>;

RUN Qvn(const QStringList& arguments, const ENVIRONMENT& environment = {},
        const QByteArray& input = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.remove(QStringLiteral("COLUMNS"));
    env.remove(QStringLiteral("NO_COLOR"));
    for (const auto& [name, value] : environment)
        env.insert(name, value);
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(QVN_PATH), arguments);
    process.write(input);
    process.closeWriteChannel();
    RUN run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

bool Touch(const QString& folder, const QByteArray& name) {
    QFile file(QFile::decodeName(QFile::encodeName(folder) + '/' + name));
    return file.open(QIODevice::WriteOnly);
}

QString S(const char* text) {
    return QString::fromUtf8(text);
}

// The lines of --list-keys split into their four fields.
QList<QStringList> KeyLines() {
    QList<QStringList> keys;
    const RUN run = Qvn({S("--list-keys")});
    for (const QString& line : run.Lines())
        keys.append(line.split(QLatin1Char('\t')));
    return keys;
}

// A value --set must take for a key as --list-keys describes it.
QString AcceptedValue(const QStringList& key) {
    if (key[0].endsWith(S("/Pair N")))
        return S("a=b");
    if (key[1] == S("choice"))
        return key[2].mid(key[2].indexOf(S("..")) + 2); // the largest index
    return key[3].isEmpty() ? S("x") : key[3];
}

QString SetKeyName(const QString& listed) {
    return listed.endsWith(S("/Pair N")) ? listed.chopped(1) + S("1") : listed;
}

} // namespace

class TestQvnTerminal : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
    }

    // One line per criterion and change setting of the binding tables, plus the
    // translation pairs; nothing else and nothing twice.
    void listKeysFollowsTheBindingTables() {
        const QList<QStringList> keys = KeyLines();
        QSet<QString> listed;
        for (const QStringList& key : keys) {
            QCOMPARE(key.size(), 4);
            QVERIFY2(!listed.contains(key[0]), qPrintable(key[0]));
            listed.insert(key[0]);
        }
        QSet<QString> expected{S("Character Translation/Pair N")};
        for (const CRITERIONBINDING& binding : CriteriaBindings()) {
            expected.insert(binding.Section() + QLatin1Char('/') + binding.Key());
            if (binding.kind == CriterionKind::Choice) {
                const QString range = QStringLiteral("0..%1").arg(binding.choiceCount - 1);
                QVERIFY(keys.contains(
                    QStringList{binding.Section() + QLatin1Char('/') + binding.Key(), S("choice"),
                                range, QString::fromLatin1(binding.loadDefault)}));
            }
        }
        for (const CHANGEBINDING& binding : ChangeBindings())
            expected.insert(S("Preferences/") + binding.Key());
        QCOMPARE(listed, expected);
    }

    // Every listed key, with its default or its largest choice, is taken by --set.
    void everyListedKeyIsAcceptedBySet() {
        QStringList arguments;
        for (const QStringList& key : KeyLines())
            arguments << S("--set") << SetKeyName(key[0]) + QLatin1Char('=') + AcceptedValue(key);
        QVERIFY(arguments.size() > 180);
        arguments << m_dir->path();
        const RUN run = Qvn(arguments);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    }

    // One past the listed range of a choice is refused, so the ranges are the real ones.
    void choiceRangesAreTheParsersOwn() {
        qsizetype choices = 0;
        for (const QStringList& key : KeyLines()) {
            if (key[1] != S("choice"))
                continue;
            ++choices;
            const int past = AcceptedValue(key).toInt() + 1;
            const RUN run =
                Qvn({S("--set"), key[0] + QStringLiteral("=%1").arg(past), m_dir->path()});
            QVERIFY2(run.exitCode == 2, qPrintable(key[0]));
        }
        const auto bindings = CriteriaBindings();
        QCOMPARE(choices, std::count_if(bindings.begin(), bindings.end(), [](const auto& b) {
                     return b.kind == CriterionKind::Choice;
                 }));
    }

    // Every -s and -p of the help's recipes is accepted as written there.
    void helpRecipesAreAccepted() {
        const QString help = Qvn({S("--help")}).Text();
        QVERIFY(help.contains(S("--list-keys")));
        const QRegularExpression option(S("-([sp]) '([^']*)'"));
        int count = 0;
        for (auto match = option.globalMatch(help); match.hasNext();) {
            const QRegularExpressionMatch m = match.next();
            const RUN run = Qvn({S("-") + m.captured(1), m.captured(2), m_dir->path()});
            QVERIFY2(run.exitCode == 0, qPrintable(m.captured(2) + S(": ") + run.err));
            ++count;
        }
        QVERIFY(count >= 15);
    }

    void recipesRename_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("newName");
        QTest::newRow("prefix") << QStringList{S("-s"), S("Additions/Prefix=2024_")} << S("a.txt")
                                << S("2024_a.txt");
        QTest::newRow("suffix") << QStringList{S("-s"), S("Additions/Suffix=_draft")} << S("a.txt")
                                << S("a_draft.txt");
        QTest::newRow("numbering")
            << QStringList{S("-s"), S("Auto-Number/Mode=1"),     S("-s"), S("Auto-Number/Pad=3"),
                           S("-s"), S("Auto-Number/Separator=_")}
            << S("a.txt") << S("001_a.txt");
        QTest::newRow("regex") << QStringList{S("-s"), S("Regular Expressions/Match=^(\\d+)-(.*)"),
                                              S("-s"), S("Regular Expressions/Replace=\\2-\\1")}
                               << S("12-Report.txt") << S("Report-12.txt");
        QTest::newRow("case") << QStringList{S("-s"), S("Case/Change=1")} << S("ABC.TXT")
                              << S("abc.TXT");
        QTest::newRow("extension")
            << QStringList{S("-s"), S("Extension/Mode=1")} << S("ABC.TXT") << S("ABC.txt");
        QTest::newRow("attached short option")
            << QStringList{S("-sAdditions/Prefix=x-")} << S("a.txt") << S("x-a.txt");
        QTest::newRow("attached value holding a dash")
            << QStringList{S("-sAdditions/Suffix=-old"), S("-pIgnore File Extensions=1")}
            << S("a.txt") << S("a.txt-old");
    }
    void recipesRename() {
        QFETCH(QStringList, options);
        QFETCH(QString, name);
        QFETCH(QString, newName);
        QVERIFY(Touch(m_dir->path(), name.toUtf8()));
        const RUN run = Qvn(options + QStringList{S("--format=tsv"), m_dir->path()});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(run.Lines().value(1), name + QLatin1Char('\t') + newName);
    }

    void attachedShortOptionErrors_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("reason");
        QTest::newRow("attached favourite that is missing")
            << QStringList{S("-f/nonexistent/fav.qvf")} << S("/nonexistent/fav.qvf");
        QTest::newRow("attached set without a slash")
            << QStringList{S("-sPrefix=a")} << S("SECTION/KEY");
        QTest::newRow("flag with letters after it") << QStringList{S("-yq")} << S("-yq");
        QTest::newRow("colour word") << QStringList{S("--color=sometimes")} << S("sometimes");
        QTest::newRow("print0 with a format")
            << QStringList{S("-0"), S("--format=json")} << S("--print0");
    }
    void attachedShortOptionErrors() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, reason);
        const RUN run = Qvn(arguments + QStringList{m_dir->path()});
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(reason), qPrintable(run.err));
    }

    // Each line fits the width; the name is shortened in the middle before the new name is.
    void tableFitsTheWidth_data() {
        QTest::addColumn<int>("columns");
        QTest::addColumn<bool>("newNameWhole");
        QTest::addColumn<bool>("shortened");
        QTest::newRow("40") << 40 << false << true;
        QTest::newRow("80") << 80 << true << true;
        QTest::newRow("200") << 200 << true << false;
    }
    void tableFitsTheWidth() {
        QFETCH(int, columns);
        QFETCH(bool, newNameWhole);
        QFETCH(bool, shortened);
        const QString longName = S("holiday at the seaside with the whole family, harbour.jpg");
        QVERIFY(Touch(m_dir->path(), longName.toUtf8()));
        QVERIFY(Touch(m_dir->path(), "same.txt"));
        const RUN run =
            Qvn({S("--format=table"), S("-s"), S("Additions/Prefix=2024 "), S("-s"),
                 S("Criteria/Additions=1"), S("-s"), S("Selections/Filter=h*"), m_dir->path()},
                {{S("COLUMNS"), QString::number(columns)}});
        QCOMPARE(run.exitCode, 0);
        const QStringList lines = run.Lines();
        QCOMPARE(lines.size(), 3);
        for (const QString& line : lines)
            QVERIFY2(line.size() <= columns, qPrintable(line));
        QVERIFY2(lines[1].startsWith(S("* hol")), qPrintable(lines[1]));
        QCOMPARE(lines[1].contains(S("2024 ") + longName), newNameWhole);
        QCOMPARE(lines[1].contains(QChar(0x2026)), shortened);
        QVERIFY2(lines[1].endsWith(S("harbour.jpg")), qPrintable(lines[1]));
        QCOMPARE(lines[2], S("1 entry, 1 change, 0 conflicts"));
    }

    // Unchanged rows carry no mark; the summary groups thousands.
    void markedRowsAndSummary() {
        for (int i = 0; i < 1204; ++i)
            QVERIFY(Touch(m_dir->path(), QByteArray::number(i + 10000) + ".txt"));
        const RUN run = Qvn({S("--format=table"), S("-s"), S("Removals/First N=1"), S("-s"),
                             S("Selections/Filter=1*"), m_dir->path()},
                            {{S("COLUMNS"), S("80")}});
        QCOMPARE(run.exitCode, 0);
        const QStringList lines = run.Lines();
        QCOMPARE(lines.size(), 1206);
        QCOMPARE(lines[1], S("* 10000.txt  0000.txt"));
        QCOMPARE(lines.last(), S("1,204 entries, 1,204 change, 0 conflicts"));
        const RUN plain = Qvn({S("--format=table"), m_dir->path()}, {{S("COLUMNS"), S("80")}});
        QCOMPARE(plain.Lines().value(1), S("  10000.txt  10000.txt"));
        QCOMPARE(plain.Lines().last(), S("1,204 entries, 0 change, 0 conflicts"));
    }

    void colour_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("noColor");
        QTest::addColumn<bool>("coloured");
        QTest::newRow("always") << S("--color=always") << QString() << true;
        QTest::newRow("always, NO_COLOR set") << S("--color=always") << S("1") << false;
        QTest::newRow("always, NO_COLOR empty") << S("--color=always") << S("") << true;
        QTest::newRow("auto into a pipe") << S("--color=auto") << QString() << false;
        QTest::newRow("never") << S("--color=never") << QString() << false;
    }
    void colour() {
        QFETCH(QString, option);
        QFETCH(QString, noColor);
        QFETCH(bool, coloured);
        QVERIFY(Touch(m_dir->path(), "a.txt"));
        ENVIRONMENT environment{{S("COLUMNS"), S("80")}};
        if (!noColor.isNull())
            environment.append({S("NO_COLOR"), noColor});
        const RUN run =
            Qvn({option, S("--format=table"), S("-s"), S("Additions/Prefix=b"), m_dir->path()},
                environment);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.contains('\x1b'), coloured);
        if (coloured)
            QVERIFY(run.out.contains("\x1b[32mba.txt\x1b[0m"));
    }

    // Names a shell would choke on come out as their bytes, one NUL-ended record each.
    void print0WritesExactBytes() {
        const QList<QByteArray> names{
            "line\nbreak", "tab\there", "esc\x1b[31m", "back\\slash",
            "-dash",       " spaced ",  "quote'\"",    "\xc3\xa9t\xc3\xa9"};
        QSet<QByteArray> expected;
        for (const QByteArray& name : names) {
            QVERIFY(Touch(m_dir->path(), name));
            expected.insert(name + '\t' + name + "_x");
        }
        const RUN run =
            Qvn({S("-0"), S("--columns=name,newName"), S("-s"), S("Additions/Suffix=_x"), S("-p"),
                 S("Ignore File Extensions=1"), m_dir->path()});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.endsWith('\0'));
        QList<QByteArray> records = run.out.split('\0');
        records.removeLast();
        QCOMPARE(QSet<QByteArray>(records.begin(), records.end()), expected);
        QCOMPARE(records.size(), names.size());
    }

    // Bytes that are not UTF-8 reach the reader of the current name and path untouched.
    void print0KeepsBytesThatAreNotUtf8() {
        const QByteArray folder = QFile::encodeName(m_dir->path()) + "/f\xfe";
        QVERIFY(::mkdir(folder.constData(), 0755) == 0);
        const QByteArray name = "bad\xff name.txt";
        QVERIFY(::close(::open((folder + '/' + name).constData(), O_WRONLY | O_CREAT, 0644)) == 0);
        const RUN run =
            Qvn({S("-0"), S("--columns=name,path,folder"), S("-s"), S("Selections/Subfolders=1"),
                 S("-s"), S("Selections/Folders=0"), m_dir->path()});
        QCOMPARE(run.exitCode, 0);
        // QTemporaryDir cannot remove names it cannot decode.
        const bool removed =
            ::unlink((folder + '/' + name).constData()) == 0 && ::rmdir(folder.constData()) == 0;
        QCOMPARE(run.out, name + '\t' + folder + '/' + name + '\t' + folder + '\0');
        QVERIFY(removed);
    }

    // A row is one line whatever control characters its name holds.
    void tsvEscapesEveryControlCharacter() {
        QVERIFY(Touch(m_dir->path(), "a\x01"
                                     "b\x1b"
                                     "c\x7f"
                                     "d\\e"));
        const RUN run = Qvn({S("--format=tsv"), S("--columns=name"), m_dir->path()});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray("name\na\\x01b\\x1bc\\x7fd\\\\e\n"));
    }

    void jsonKeysFollowTheColumns_data() {
        QTest::addColumn<QString>("columns");
        QTest::newRow("reversed default") << S("newName,name");
        QTest::newRow("not alphabetical") << S("type,size,changed,name,folder,newName");
        QTest::newRow("one") << S("size");
    }
    void jsonKeysFollowTheColumns() {
        QFETCH(QString, columns);
        QVERIFY(Touch(m_dir->path(), "a.txt"));
        QVERIFY(Touch(m_dir->path(), "b.txt"));
        const RUN run = Qvn({S("--format=json"), S("--columns=") + columns, m_dir->path()});
        QCOMPARE(run.exitCode, 0);
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(run.out, &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(document.array().size(), 2);
        const QRegularExpression key(S("^        \"(\\w+)\":"),
                                     QRegularExpression::MultilineOption);
        QStringList order;
        for (auto match = key.globalMatch(run.Text()); match.hasNext();)
            order.append(match.next().captured(1));
        QCOMPARE(order, columns.split(QLatin1Char(',')) + columns.split(QLatin1Char(',')));
    }

    // Every listed column is printable; all of them together in one call.
    void listColumnsAreAcceptedByColumns() {
        const QStringList columns = Qvn({S("--list-columns")}).Lines();
        QVERIFY(columns.contains(S("newName")) && columns.size() > 20);
        QVERIFY(Touch(m_dir->path(), "a.txt"));
        const RUN run = Qvn(
            {S("--format=tsv"), S("--columns=") + columns.join(QLatin1Char(',')), m_dir->path()});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(run.Lines().value(0), columns.join(QLatin1Char('\t')));
    }

    // The bash completion asks qvn itself, so what it offers is what qvn takes.
    void bashCompletion_data() {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QStringList>("offered");
        QTest::newRow("set key with a space")
            << QStringList{S("--set"), S("Auto\\ Date/F")} << QStringList{S("Auto\\ Date/Format=")};
        QTest::newRow("set key by section")
            << QStringList{S("-s"), S("Extension/")}
            << QStringList{S("Extension/Mode="), S("Extension/Fixed=")};
        QTest::newRow("second column")
            << QStringList{S("--columns"), S("name,newN")} << QStringList{S("name,newName")};
        QTest::newRow("option") << QStringList{S("--list-c")} << QStringList{S("--list-columns")};
        QTest::newRow("paths list") << QStringList{S("--fr")} << QStringList{S("--from")};
        QTest::newRow("colour") << QStringList{S("--color"), S("n")} << QStringList{S("never")};
    }
    void bashCompletion() {
        QFETCH(QStringList, words);
        QFETCH(QStringList, offered);
        const QString script = QStringLiteral(QVN_SOURCE_DIR "/completions/qvn.bash");
        QStringList quoted{S("'") + S(QVN_PATH) + S("'")};
        for (const QString& word : words)
            quoted.append(S("'") + word + S("'"));
        const QString command = S("source '%1'; COMP_WORDS=(%2); COMP_CWORD=%3; _qvn; printf "
                                  "'%s\\n' \"${COMPREPLY[@]}\"")
                                    .arg(script, quoted.join(QLatin1Char(' ')))
                                    .arg(words.size());
        QProcess bash;
        bash.start(S("bash"), {S("-c"), command});
        QVERIFY(bash.waitForFinished(60000));
        QCOMPARE(bash.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(bash.readAllStandardOutput())
                     .split(QLatin1Char('\n'), Qt::SkipEmptyParts),
                 offered);
    }

    // Quiet keeps errors only: no rows, no notices, but the reasons things go wrong.
    void quiet_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("error");
        QTest::newRow("preview") << QStringList{S("-s"), S("Additions/Prefix=x")} << 0 << QString();
        QTest::newRow("invalid pattern") << QStringList{S("-s"), S("Regular Expressions/Match=(")}
                                         << 0 << S("Regular Expression is invalid");
        QTest::newRow("missing pairs file")
            << QStringList{S("--pairs"), S("/nonexistent/pairs.txt")} << 2
            << S("/nonexistent/pairs.txt");
    }
    void quiet() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, error);
        QVERIFY(Touch(m_dir->path(), "a.txt"));
        const RUN run =
            Qvn(arguments + QStringList{S("--quiet"), m_dir->path()}, {{S("COLUMNS"), S("80")}});
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY(run.out.isEmpty());
        if (error.isEmpty())
            QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        else
            QVERIFY2(run.err.contains(error), qPrintable(run.err));
    }

    void pairsFromStandardInput() {
        QVERIFY(Touch(m_dir->path(), "old.txt"));
        QVERIFY(Touch(m_dir->path(), "keep.txt"));
        const RUN run =
            Qvn({S("--pairs"), S("-"), S("--rename"), S("--yes"), S("--quiet"), m_dir->path()}, {},
                "old.txt|new.txt\n");
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files),
                 (QStringList{S("keep.txt"), S("new.txt")}));
    }

private:
    QScopedPointer<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestQvnTerminal)
#include "tst_qvnterminal.moc"
