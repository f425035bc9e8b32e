// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

struct RUN {
    int exitCode = -1;
    QString out;
    QString err;
};

// One entry of a tree snapshot: what a second registration must leave untouched.
struct ENTRY {
    QString path;
    unsigned mode = 0;
    qint64 inode = 0;
    qint64 modifiedNs = 0;
    QByteArray content;
    bool operator==(const ENTRY&) const = default;
};

QList<ENTRY> Snapshot(const QString& root) {
    QList<ENTRY> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat status {};
        if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
            continue;
        ENTRY entry{path,
                    status.st_mode,
                    static_cast<qint64>(status.st_ino),
                    status.st_mtim.tv_sec * 1000000000LL + status.st_mtim.tv_nsec,
                    {}};
        if (S_ISREG(status.st_mode)) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                entry.content = file.readAll();
        }
        entries.append(entry);
    }
    std::sort(entries.begin(), entries.end(),
              [](const ENTRY& a, const ENTRY& b) { return a.path < b.path; });
    return entries;
}

QStringList Paths(const QList<ENTRY>& entries, const QString& root) {
    QStringList paths;
    for (const ENTRY& entry : entries)
        paths.append(entry.path.mid(root.size()));
    return paths;
}

unsigned ModeOf(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return 0;
    return status.st_mode & 07777;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool Write(const QString& path, const QByteArray& content, QFileDevice::Permissions mode = {}) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return false;
    file.close();
    return mode == QFileDevice::Permissions() || QFile::setPermissions(path, mode);
}

// Thunar's actions as a user might have them: two actions, a comment, escapes.
const QByteArray kUserActions =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!-- mine -->\n"
    "<actions>\n"
    "<action>\n"
    "\t<icon>utilities-terminal</icon>\n"
    "\t<name>Open Terminal Here</name>\n"
    "\t<unique-id>1600000000000000-1</unique-id>\n"
    "\t<command>exo-open --working-directory %f &amp;&amp; echo \"&lt;ok&gt;\"</command>\n"
    "\t<description>Example</description>\n"
    "\t<patterns>*</patterns>\n"
    "\t<startup-notify/>\n"
    "\t<directories/>\n"
    "</action>\n"
    "<action>\n"
    "\t<name>Checksum</name>\n"
    "\t<unique-id>1600000000000000-2</unique-id>\n"
    "\t<command>sha256sum %F</command>\n"
    "\t<patterns>*.iso;*.img</patterns>\n"
    "\t<other-files/>\n"
    "</action>\n"
    "</actions>\n";

const QByteArray kSystemActions = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                  "<actions>\n"
                                  "<action>\n"
                                  "\t<name>System action</name>\n"
                                  "\t<unique-id>system-1</unique-id>\n"
                                  "\t<command>true %f</command>\n"
                                  "</action>\n"
                                  "</actions>\n";

// Names and contents of the actions in a uca.xml, in order.
QStringList Actions(const QByteArray& document) {
    QStringList actions;
    QXmlStreamReader reader(document);
    if (!reader.readNextStartElement() || reader.name() != u"actions")
        return {QStringLiteral("invalid")};
    while (reader.readNextStartElement()) {
        QString text;
        while (reader.readNextStartElement()) {
            const QString name = reader.name().toString();
            text += name + u'=' + reader.readElementText() + u';';
        }
        actions.append(text);
    }
    return reader.hasError() ? QStringList{QStringLiteral("invalid")} : actions;
}

} // namespace

class TestQvnHere : public QObject {
    Q_OBJECT

private slots:
    void init();
    void startsQuorvinOnTheFolder_data();
    void startsQuorvinOnTheFolder();
    void reportsWhenQuorvinCannotStart();
    void registers_data();
    void registers();
    void keepsTheUsersThunarActions();
    void startsFromTheThunarSystemFile();
    void nautilusScriptPassesTheSelection_data();
    void nautilusScriptPassesTheSelection();

private:
    RUN Run(const QStringList& arguments, const QProcessEnvironment& environment,
            const QString& program = {});
    [[nodiscard]] QProcessEnvironment Environment(bool xdg) const;
    [[nodiscard]] QStringList Recorded();

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_bin;    // a copy of qvnhere beside a stand-in quorvin, in a hostile folder name
    QString m_helper; // that copy
    QString m_home;
    QString m_record;
};

void TestQvnHere::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_bin = m_dir->path() + QStringLiteral("/it's a $bin \"here\"");
    m_helper = m_bin + QStringLiteral("/qvnhere");
    m_home = m_dir->path() + QStringLiteral("/home");
    m_record = m_dir->path() + QStringLiteral("/record");
    QVERIFY(QDir().mkpath(m_bin));
    QVERIFY(QDir().mkpath(m_home));
    QVERIFY(QFile::copy(QStringLiteral(QVNHERE_PATH), m_helper));
    // Records each argument on a line of its own (a NUL would be lost in a shell variable).
    QVERIFY(
        Write(m_bin + QStringLiteral("/quorvin"),
              "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done >> \"$QVN_RECORD.tmp\"\n"
              "mv \"$QVN_RECORD.tmp\" \"$QVN_RECORD\"\n",
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
}

QProcessEnvironment TestQvnHere::Environment(bool xdg) const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), m_home);
    environment.insert(QStringLiteral("QVN_RECORD"), m_record);
    for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"})
        environment.remove(QString::fromLatin1(name));
    if (xdg) {
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home + QStringLiteral("/data"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home + QStringLiteral("/conf"));
    }
    // No system Thunar file unless a test provides one.
    environment.insert(QStringLiteral("XDG_CONFIG_DIRS"), m_dir->path() + QStringLiteral("/sys"));
    return environment;
}

RUN TestQvnHere::Run(const QStringList& arguments, const QProcessEnvironment& environment,
                     const QString& program) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(m_dir->path());
    process.start(program.isEmpty() ? m_helper : program, arguments);
    RUN run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// The stand-in runs detached: wait until it has written its record.
QStringList TestQvnHere::Recorded() {
    for (int waited = 0; !QFile::exists(m_record) && waited < 10000; waited += 20)
        QTest::qWait(20);
    const QByteArray content = ReadAll(m_record);
    QFile::remove(m_record);
    QStringList lines = QString::fromUtf8(content).split(QLatin1Char('\n'));
    lines.removeLast();
    return lines;
}

void TestQvnHere::startsQuorvinOnTheFolder_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("folder");
    QTest::newRow("file") << QStringList{QStringLiteral("@/docs/a b.txt")}
                          << QStringLiteral("@/docs");
    QTest::newRow("folder") << QStringList{QStringLiteral("@/docs")} << QStringLiteral("@/docs");
    QTest::newRow("several") << QStringList{QStringLiteral("@/docs"), QStringLiteral("@")}
                             << QStringLiteral("@/docs");
    QTest::newRow("uri") << QStringList{QStringLiteral("file://@/docs/a%20b.txt")}
                         << QStringLiteral("@/docs");
}

void TestQvnHere::startsQuorvinOnTheFolder() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, folder);
    QVERIFY(Write(m_dir->path() + QStringLiteral("/docs/a b.txt"), "x"));
    // A deleted path starts nothing: if it did, its record would come before the next one.
    const RUN nothing = Run({m_dir->path() + QStringLiteral("/deleted")}, Environment(false));
    QCOMPARE(nothing.exitCode, 0);
    for (QString& argument : arguments)
        argument.replace(QLatin1Char('@'), m_dir->path());
    const RUN run = Run(arguments, Environment(false));
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QString());
    QCOMPARE(Recorded(), QStringList{folder.replace(QLatin1Char('@'), m_dir->path())});
}

void TestQvnHere::reportsWhenQuorvinCannotStart() {
    QVERIFY(QFile::remove(m_bin + QStringLiteral("/quorvin")));
    QProcessEnvironment environment = Environment(false);
    environment.insert(QStringLiteral("PATH"), m_dir->path()); // no notify-send
    const RUN run = Run({m_dir->path()}, environment);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err,
             QStringLiteral("QvnMenuHandler: Error 2 while starting %1/quorvin\n").arg(m_bin));
}

void TestQvnHere::registers_data() {
    QTest::addColumn<bool>("xdg");
    QTest::newRow("default folders") << false;
    QTest::newRow("XDG folders") << true;
}

void TestQvnHere::registers() {
    QFETCH(bool, xdg);
    const QString data = m_home + (xdg ? QStringLiteral("/data") : QStringLiteral("/.local/share"));
    const QString config = m_home + (xdg ? QStringLiteral("/conf") : QStringLiteral("/.config"));
    const QList<ENTRY> before = Snapshot(m_home);

    const RUN first = Run({QStringLiteral("--register")}, Environment(xdg));
    QCOMPARE(first.exitCode, 0);
    QCOMPARE(first.out,
             QStringLiteral("Added \"Quorvin Here\" to Dolphin, Nautilus, Nemo and Thunar.\n"));
    const QString dolphin = data + QStringLiteral("/kio/servicemenus/quorvin-here.desktop");
    const QString nautilus = data + QStringLiteral("/nautilus/scripts/Quorvin Here");
    const QString nemo = data + QStringLiteral("/nemo/actions/quorvin-here.nemo_action");
    const QString thunar = config + QStringLiteral("/Thunar/uca.xml");
    QCOMPARE(ModeOf(dolphin), 0755u);
    QCOMPARE(ModeOf(nautilus), 0755u);
    QCOMPARE(ModeOf(nemo) & 0111u, 0u);
    QVERIFY(ModeOf(thunar) != 0);
    QVERIFY(ReadAll(dolphin).contains("MimeType=all/all;"));
    QVERIFY(ReadAll(nemo).contains("Selection=notnone"));
    const QStringList actions = Actions(ReadAll(thunar));
    QCOMPARE(actions.size(), 1);
    QVERIFY(actions.first().contains(QStringLiteral("unique-id=quorvin-here;")));
    QVERIFY(actions.first().contains(
        QStringLiteral("command='%1' %F;")
            .arg(QString(m_helper).replace(QStringLiteral("'"), QStringLiteral("'\\''")))));

    const QList<ENTRY> registered = Snapshot(m_home);
    const RUN second = Run({QStringLiteral("--register")}, Environment(xdg));
    QCOMPARE(second.exitCode, 0);
    QCOMPARE(Snapshot(m_home), registered);

    const RUN removed = Run({QStringLiteral("--unregister")}, Environment(xdg));
    QCOMPARE(removed.exitCode, 0);
    QCOMPARE(removed.out,
             QStringLiteral("Removed \"Quorvin Here\" from Dolphin, Nautilus, Nemo and Thunar.\n"));
    QCOMPARE(Paths(Snapshot(m_home), m_home), Paths(before, m_home));
}

void TestQvnHere::keepsTheUsersThunarActions() {
    const QString thunar = m_home + QStringLiteral("/.config/Thunar/uca.xml");
    QVERIFY(Write(thunar, kUserActions, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    const QString script = m_home + QStringLiteral("/.local/share/nautilus/scripts/mine");
    QVERIFY(Write(script, "#!/bin/sh\n"));
    const QStringList userActions = Actions(kUserActions);
    QCOMPARE(userActions.size(), 2);

    QCOMPARE(Run({QStringLiteral("--register")}, Environment(false)).exitCode, 0);
    const QStringList withOurs = Actions(ReadAll(thunar));
    QCOMPARE(withOurs.size(), 3);
    QCOMPARE(withOurs.first(2), userActions);
    QCOMPARE(ModeOf(thunar), 0600u);

    QCOMPARE(Run({QStringLiteral("--unregister")}, Environment(false)).exitCode, 0);
    QCOMPARE(Actions(ReadAll(thunar)), userActions);
    QVERIFY(ReadAll(thunar).contains("<!-- mine -->"));
    QCOMPARE(ReadAll(script), QByteArray("#!/bin/sh\n"));
    QVERIFY(!QFile::exists(m_home + QStringLiteral("/.local/share/nautilus/scripts/Quorvin Here")));
}

void TestQvnHere::startsFromTheThunarSystemFile() {
    QVERIFY(Write(m_dir->path() + QStringLiteral("/sys/Thunar/uca.xml"), kSystemActions));
    QCOMPARE(Run({QStringLiteral("--register")}, Environment(true)).exitCode, 0);
    const QString thunar = m_home + QStringLiteral("/conf/Thunar/uca.xml");
    const QStringList actions = Actions(ReadAll(thunar));
    QCOMPARE(actions.size(), 2);
    QCOMPARE(actions.first(), Actions(kSystemActions).first());
    // Only the system's actions are left: the user's copy was ours alone and goes.
    QCOMPARE(Run({QStringLiteral("--unregister")}, Environment(true)).exitCode, 0);
    QVERIFY(!QFile::exists(thunar));
}

void TestQvnHere::nautilusScriptPassesTheSelection_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("selectedPaths");
    QTest::addColumn<QString>("folder");
    QTest::newRow("arguments") << QStringList{QStringLiteral("@/docs/a b.txt")} << QString()
                               << QStringLiteral("@/docs");
    QTest::newRow("selected paths")
        << QStringList{} << QStringLiteral("@/docs/a b.txt\n@/other\n") << QStringLiteral("@/docs");
}

void TestQvnHere::nautilusScriptPassesTheSelection() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, selectedPaths);
    QFETCH(QString, folder);
    QVERIFY(Write(m_dir->path() + QStringLiteral("/docs/a b.txt"), "x"));
    QCOMPARE(Run({QStringLiteral("--register")}, Environment(false)).exitCode, 0);
    for (QString& argument : arguments)
        argument.replace(QLatin1Char('@'), m_dir->path());
    QProcessEnvironment environment = Environment(false);
    environment.insert(QStringLiteral("NAUTILUS_SCRIPT_SELECTED_FILE_PATHS"),
                       selectedPaths.replace(QLatin1Char('@'), m_dir->path()));
    const RUN run = Run(arguments, environment,
                        m_home + QStringLiteral("/.local/share/nautilus/scripts/Quorvin Here"));
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(Recorded(), QStringList{folder.replace(QLatin1Char('@'), m_dir->path())});
}

QTEST_GUILESS_MAIN(TestQvnHere)
#include "tst_qvnhere.moc"
