// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/cinifile.h"

#include <QtTest>

#include <sys/stat.h>

namespace {

const QString kSection = QStringLiteral("S");
const QString kKey = QStringLiteral("K");

QByteArray Utf16LittleWithMark(const QString& text) {
    QByteArray bytes = QByteArrayLiteral("\xFF\xFE");
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

} // namespace

class TstCINIFile : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    int m_fileCount = 0;

    QString NewPath() { return m_dir.filePath(QStringLiteral("file%1.ini").arg(++m_fileCount)); }

    QString WriteFile(const QByteArray& bytes) {
        const QString path = NewPath();
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write the test file");
        return path;
    }

    static QByteArray Bytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }

    static CINIFile Ini(const QString& path) {
        CINIFile ini;
        ini.SetFileName(path);
        return ini;
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void emptyPathGivesDefaultsAndTouchesNothing() {
        QTemporaryDir workDir;
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(workDir.path()));
        CINIFile ini;
        QCOMPARE(ini.FileName(), QString());
        QCOMPARE(ini.GetInt(kSection, kKey, 7), 7);
        QCOMPARE(ini.GetUnsigned(kSection, kKey, Q_INT64_C(3000000000)), Q_INT64_C(3000000000));
        QCOMPARE(ini.GetString(kSection, kKey, QStringLiteral("a\"b")), QStringLiteral("a\"b"));
        QVERIFY(!ini.WriteString(kSection, kKey, QStringLiteral("x")));
        QVERIFY(!ini.WriteInt(kSection, kKey, 1));
        const QStringList entries =
            QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        QVERIFY(QDir::setCurrent(before));
        QCOMPARE(entries, QStringList());
    }

    // A pipe would block the reader for ever, a device never end: both give the defaults.
    void pipesAndDevicesAreNotRead() {
        const QString fifo = m_dir.filePath(QStringLiteral("settings.fifo"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QCOMPARE(Ini(fifo).GetInt(kSection, kKey, 5), 5);
        QCOMPARE(Ini(QStringLiteral("/dev/zero")).GetString(kSection, kKey, QStringLiteral("d")),
                 QStringLiteral("d"));
    }

    void missingFileGivesDefaultsAndIsNotCreated() {
        const QString path = NewPath();
        const CINIFile ini = Ini(path);
        QCOMPARE(ini.GetInt(kSection, kKey, -4), -4);
        QCOMPARE(ini.GetUnsigned(kSection, kKey, 1234), 1234);
        QCOMPARE(ini.GetString(kSection, kKey, QStringLiteral("x")), QStringLiteral("x"));
        QCOMPARE(ini.GetString(kSection, kKey), QString());
        QCOMPARE(ini.GetString(kSection, kKey, QStringLiteral("\"quoted\" default")),
                 QStringLiteral("quoted default"));
        QVERIFY(!QFile::exists(path));
    }

    void stringRoundTrip_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << QStringLiteral("abc") << QStringLiteral("abc");
        QTest::newRow("leading and trailing blanks")
            << QStringLiteral("  two blanks  ") << QStringLiteral("  two blanks  ");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("quotes removed") << QStringLiteral("say \"hi\"") << QStringLiteral("say hi");
        QTest::newRow("equals signs") << QStringLiteral("a=b=c") << QStringLiteral("a=b=c");
        QTest::newRow("brackets and semicolon")
            << QStringLiteral("[x];y") << QStringLiteral("[x];y");
        QTest::newRow("beyond latin-1") << QStringLiteral("caf\u00e9 \u20ac \u03a9 \U0001F600")
                                        << QStringLiteral("caf\u00e9 \u20ac \u03a9 \U0001F600");
        QTest::newRow("tabs") << QStringLiteral("\ta\t") << QStringLiteral("\ta\t");
    }
    void stringRoundTrip() {
        QFETCH(QString, value);
        QFETCH(QString, expected);
        CINIFile ini = Ini(NewPath());
        QVERIFY(ini.WriteString(kSection, kKey, value));
        QCOMPARE(ini.GetString(kSection, kKey, QStringLiteral("default")), expected);
    }

    void newFileIsUtf8WithQuotedStrings() {
        const QString path = NewPath();
        CINIFile ini = Ini(path);
        QVERIFY(ini.WriteString(QStringLiteral("General"), QStringLiteral("Path"),
                                QStringLiteral("/home/b\u00e9a")));
        QVERIFY(ini.WriteInt(QStringLiteral("Case"), QStringLiteral("Change"), -1));
        QVERIFY(ini.WriteUnsigned(QStringLiteral("Case"), QStringLiteral("Time"),
                                  Q_INT64_C(3000000000)));
        QCOMPARE(Bytes(path), QByteArray("[General]\nPath=\"/home/b\xc3\xa9"
                                         "a\"\n"
                                         "[Case]\nChange=-1\nTime=3000000000\n"));
    }

    void storedTexts_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("unquoted hand edit")
            << QByteArray("[S]\nK=plain text\n") << QStringLiteral("plain text");
        QTest::newRow("blanks around the value dropped")
            << QByteArray("[S]\nK =  \t spaced \t \n") << QStringLiteral("spaced");
        QTest::newRow("blanks in quotes kept")
            << QByteArray("[S]\nK= \"  kept  \" \n") << QStringLiteral("  kept  ");
        QTest::newRow("unmatched quote") << QByteArray("[S]\nK=\"open\n") << QStringLiteral("open");
        QTest::newRow("quotes inside") << QByteArray("[S]\nK=a\"b\"c\n") << QStringLiteral("abc");
        QTest::newRow("split at the first equals sign")
            << QByteArray("[S]\nK=a=b\n") << QStringLiteral("a=b");
        QTest::newRow("empty value is no default") << QByteArray("[S]\nK=\n") << QString();
        QTest::newRow("names match without case")
            << QByteArray("[s]\nk=lower\n") << QStringLiteral("lower");
        QTest::newRow("comment line is no key")
            << QByteArray("[S]\n;K=comment\nK=real\n") << QStringLiteral("real");
        QTest::newRow("key of another section")
            << QByteArray("[Other]\nK=wrong\n[S]\nK=right\n") << QStringLiteral("right");
        QTest::newRow("key only in another section")
            << QByteArray("[S]\nX=1\n[T]\nK=other\n") << QStringLiteral("default");
        QTest::newRow("missing section")
            << QByteArray("[T]\nK=other\n") << QStringLiteral("default");
        QTest::newRow("blanks around names")
            << QByteArray("  [ S ]  \n  K  =  v  \n") << QStringLiteral("v");
        QTest::newRow("first of two equal keys")
            << QByteArray("[S]\nK=first\nK=second\n") << QStringLiteral("first");
        QTest::newRow("no line end at the end")
            << QByteArray("[S]\nK=last") << QStringLiteral("last");
        QTest::newRow("CR LF") << QByteArray("[S]\r\nK=\"crlf\"\r\n") << QStringLiteral("crlf");
        QTest::newRow("windows-1252")
            << QByteArray("[S]\r\nK=\"caf\xe9 \x80\"\r\n") << QStringLiteral("café €");
        QTest::newRow("utf-8") << QByteArray("[S]\nK=caf\xc3\xa9\n") << QStringLiteral("café");
        QTest::newRow("utf-8 with mark")
            << QByteArray("\xef\xbb\xbf[S]\nK=v\n") << QStringLiteral("v");
        QTest::newRow("utf-16 with mark")
            << Utf16LittleWithMark(QStringLiteral("[S]\r\nK=\"\u03a9\"\r\n"))
            << QStringLiteral("\u03a9");
        QTest::newRow("empty file") << QByteArray() << QStringLiteral("default");
    }
    void storedTexts() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QCOMPARE(Ini(WriteFile(bytes)).GetString(kSection, kKey, QStringLiteral("default")),
                 expected);
    }

    void storedNumbers_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("expected");
        QTest::newRow("number") << QByteArray("[S]\nK=12\n") << 12;
        QTest::newRow("digits then letters") << QByteArray("[S]\nK=12abc\n") << 12;
        QTest::newRow("letters") << QByteArray("[S]\nK=abc\n") << 0;
        QTest::newRow("empty") << QByteArray("[S]\nK=\n") << 0;
        QTest::newRow("negative") << QByteArray("[S]\nK= -7 \n") << -7;
        QTest::newRow("quoted") << QByteArray("[S]\nK=\"42\"\n") << 42;
        QTest::newRow("missing") << QByteArray("[S]\n") << 5;
        QTest::newRow("too large") << QByteArray("[S]\nK=99999999999\n") << 2147483647;
        QTest::newRow("too small") << QByteArray("[S]\nK=-99999999999\n") << int(-2147483647 - 1);
        QTest::newRow("cut to 259 characters")
            << QByteArray("[S]\nK=") + QByteArray(258, '0') + QByteArray("12\n") << 1;
        QTest::newRow("259 characters whole")
            << QByteArray("[S]\nK=") + QByteArray(257, '0') + QByteArray("12\n") << 12;
    }
    void storedNumbers() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, expected);
        const CINIFile ini = Ini(WriteFile(bytes));
        QCOMPARE(ini.GetInt(kSection, kKey, 5), expected);
        QCOMPARE(ini.GetUnsigned(kSection, kKey, 5), qint64(expected));
    }

    void integerRoundTrip() {
        const QString path = NewPath();
        CINIFile ini = Ini(path);
        for (qint32 value : {0, -5, 2147483647, int(-2147483647 - 1)}) {
            QVERIFY(ini.WriteInt(kSection, kKey, value));
            QCOMPARE(ini.GetInt(kSection, kKey, 99), value);
        }
        QCOMPARE(Bytes(path), QByteArray("[S]\nK=-2147483648\n"));
    }

    void unsignedValues_data() {
        QTest::addColumn<qint64>("written");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<qint64>("read");
        QTest::newRow("small") << Q_INT64_C(1234) << QByteArray("1234") << Q_INT64_C(1234);
        QTest::newRow("largest signed")
            << Q_INT64_C(2147483647) << QByteArray("2147483647") << Q_INT64_C(2147483647);
        QTest::newRow("above the signed range")
            << Q_INT64_C(3000000000) << QByteArray("3000000000") << Q_INT64_C(2147483647);
        QTest::newRow("largest unsigned")
            << Q_INT64_C(4294967295) << QByteArray("4294967295") << Q_INT64_C(2147483647);
        QTest::newRow("only the low 32 bits")
            << Q_INT64_C(0x100000005) << QByteArray("5") << Q_INT64_C(5);
        QTest::newRow("minus one")
            << Q_INT64_C(-1) << QByteArray("4294967295") << Q_INT64_C(2147483647);
    }
    void unsignedValues() {
        QFETCH(qint64, written);
        QFETCH(QByteArray, stored);
        QFETCH(qint64, read);
        const QString path = NewPath();
        CINIFile ini = Ini(path);
        QVERIFY(ini.WriteUnsigned(kSection, kKey, written));
        QCOMPARE(Bytes(path), QByteArray("[S]\nK=") + stored + '\n');
        QCOMPARE(ini.GetUnsigned(kSection, kKey, 0), read);
    }

    // The default goes through the same text and parse as a stored value.
    void unsignedDefaultOfMissingKey() {
        const CINIFile ini = Ini(WriteFile("[S]\n"));
        QCOMPARE(ini.GetUnsigned(kSection, kKey, 1234), Q_INT64_C(1234));
        QCOMPARE(ini.GetUnsigned(kSection, kKey, Q_INT64_C(3000000000)), Q_INT64_C(2147483647));
        QCOMPARE(ini.GetUnsigned(kSection, kKey, Q_INT64_C(0x100000007)), Q_INT64_C(7));
    }

    void longStringsCutTo999_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("expected");
        QTest::newRow("998") << 998 << 998;
        QTest::newRow("999") << 999 << 999;
        QTest::newRow("1000") << 1000 << 999;
        QTest::newRow("1500") << 1500 << 999;
    }
    void longStringsCutTo999() {
        QFETCH(int, length);
        QFETCH(int, expected);
        CINIFile ini = Ini(NewPath());
        const QString value(length, QLatin1Char('w'));
        QVERIFY(ini.WriteString(kSection, kKey, value));
        QCOMPARE(ini.GetString(kSection, kKey), value.left(expected));
        QCOMPARE(ini.GetString(kSection, QStringLiteral("missing"), value), value.left(expected));
    }

    void namesMatchWithoutCaseOnWrite() {
        const QString path = WriteFile("[general]\npath=\"old\"\n");
        CINIFile ini = Ini(path);
        QVERIFY(ini.WriteString(QStringLiteral("General"), QStringLiteral("PATH"),
                                QStringLiteral("new")));
        QCOMPARE(Bytes(path), QByteArray("[general]\npath=\"new\"\n"));
        QCOMPARE(ini.GetString(QStringLiteral("GENERAL"), QStringLiteral("Path")),
                 QStringLiteral("new"));
    }

    void replacementInPlaceKeepsEverythingElse() {
        const QByteArray before("; made by hand\n"
                                "[General]\n"
                                "Path = \"/old\"\n"
                                "Unknown=kept as it was\n"
                                "\n"
                                "[Case]\n"
                                "Change=1\n"
                                "Exceptions=\"a b\"\n");
        const QString path = WriteFile(before);
        CINIFile ini = Ini(path);
        QVERIFY(ini.WriteString(QStringLiteral("General"), QStringLiteral("Path"),
                                QStringLiteral("/new")));
        QVERIFY(ini.WriteInt(QStringLiteral("Case"), QStringLiteral("Change"), 3));
        QCOMPARE(Bytes(path), QByteArray("; made by hand\n"
                                         "[General]\n"
                                         "Path=\"/new\"\n"
                                         "Unknown=kept as it was\n"
                                         "\n"
                                         "[Case]\n"
                                         "Change=3\n"
                                         "Exceptions=\"a b\"\n"));
    }

    void newKeyEndsItsSectionAndNewSectionEndsTheFile() {
        const QString path = WriteFile("[A]\nx=1\n\n[B]\ny=2\n");
        CINIFile ini = Ini(path);
        QVERIFY(ini.WriteInt(QStringLiteral("A"), QStringLiteral("z"), 3));
        QVERIFY(ini.WriteInt(QStringLiteral("B"), QStringLiteral("w"), 4));
        QVERIFY(ini.WriteString(QStringLiteral("C"), QStringLiteral("v"), QStringLiteral("5")));
        QCOMPARE(Bytes(path), QByteArray("[A]\nx=1\nz=3\n\n[B]\ny=2\nw=4\n[C]\nv=\"5\"\n"));
    }

    void deleteKeyRemovesOnlyItsLine() {
        const QString path = WriteFile("[A]\nx=1\nK=2\n[S]\nK=3\nafter=4\n");
        CINIFile ini = Ini(path);
        QVERIFY(ini.DeleteKey(QStringLiteral("s"), QStringLiteral("k")));
        QCOMPARE(Bytes(path), QByteArray("[A]\nx=1\nK=2\n[S]\nafter=4\n"));
        QCOMPARE(ini.GetInt(kSection, kKey, -1), -1);
    }

    void deleteMissingKeyLeavesFileByteIdentical_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("section");
        QTest::newRow("missing key")
            << QByteArray("[S]\r\nOther=\"caf\xe9\"\r\n  ; note\r\n") << kSection;
        QTest::newRow("missing section") << QByteArray("[T]\nK=1") << kSection;
        QTest::newRow("empty file") << QByteArray() << kSection;
    }
    void deleteMissingKeyLeavesFileByteIdentical() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, section);
        const QString path = WriteFile(bytes);
        const QDateTime modified = QFileInfo(path).lastModified();
        QVERIFY(Ini(path).DeleteKey(section, kKey));
        QCOMPARE(Bytes(path), bytes);
        QCOMPARE(QFileInfo(path).lastModified(), modified);
    }

    void deleteKeyOfMissingFileCreatesNothing() {
        const QString path = NewPath();
        QVERIFY(Ini(path).DeleteKey(kSection, kKey));
        QVERIFY(!QFile::exists(path));
    }

    void windowsFileKeepsItsLineEnds() {
        const QString path = WriteFile("[General]\r\nPath=\"C:\\old\"\r\n[Case]\r\nChange=1\r\n");
        CINIFile ini = Ini(path);
        QCOMPARE(ini.GetString(QStringLiteral("General"), QStringLiteral("Path")),
                 QStringLiteral("C:\\old"));
        QVERIFY(ini.WriteString(QStringLiteral("General"), QStringLiteral("Path"),
                                QStringLiteral("D:\\new")));
        QVERIFY(ini.WriteInt(QStringLiteral("Case"), QStringLiteral("Extra"), 2));
        QCOMPARE(Bytes(path),
                 QByteArray("[General]\r\nPath=\"D:\\new\"\r\n[Case]\r\nChange=1\r\nExtra=2\r\n"));
    }

    void windows1252FileStaysWindows1252WhileItCan() {
        const QString path = WriteFile("[S]\r\nName=\"caf\xe9\"\r\nK=\"x\"\r\n");
        CINIFile ini = Ini(path);
        QVERIFY(ini.WriteString(kSection, kKey, QStringLiteral("\u20ac \u00fc")));
        QCOMPARE(Bytes(path), QByteArray("[S]\r\nName=\"caf\xe9\"\r\nK=\"\x80 \xfc\"\r\n"));
        QCOMPARE(ini.GetString(kSection, kKey), QStringLiteral("\u20ac \u00fc"));

        QVERIFY(ini.WriteString(kSection, kKey, QStringLiteral("\u03a9")));
        QCOMPARE(Bytes(path), QByteArray("[S]\r\nName=\"caf\xc3\xa9\"\r\nK=\"\xce\xa9\"\r\n"));
        QCOMPARE(ini.GetString(kSection, QStringLiteral("Name")), QStringLiteral("café"));
        QCOMPARE(ini.GetString(kSection, kKey), QStringLiteral("\u03a9"));
    }

    // Windows-1252 bytes that happen to be valid UTF-8 would read back as other text.
    void windows1252BytesThatWouldReadAsUtf8() {
        const QString path = WriteFile("[S]\nK=\"caf\xe9\"\n");
        CINIFile ini = Ini(path);
        const QString value = QStringLiteral("\u00c3\u00a9");
        QVERIFY(ini.WriteString(kSection, kKey, value));
        QCOMPARE(ini.GetString(kSection, kKey), value);
    }

    void utf16FileStaysUtf16() {
        const QString path = WriteFile(Utf16LittleWithMark(QStringLiteral("[S]\r\nK=\"old\"\r\n")));
        CINIFile ini = Ini(path);
        QVERIFY(ini.WriteString(kSection, kKey, QStringLiteral("\u03a9")));
        QCOMPARE(Bytes(path), Utf16LittleWithMark(QStringLiteral("[S]\r\nK=\"\u03a9\"\r\n")));
    }

    void utf8MarkIsKept() {
        const QString path = WriteFile("\xef\xbb\xbf[S]\nK=1\n");
        QVERIFY(Ini(path).WriteInt(kSection, kKey, 2));
        QCOMPARE(Bytes(path), QByteArray("\xef\xbb\xbf[S]\nK=2\n"));
    }

    void lineBreaksInValueCannotAddKeys() {
        const QString path = NewPath();
        CINIFile ini = Ini(path);
        QVERIFY(ini.WriteString(kSection, kKey, QStringLiteral("a\r\nInjected=1\n[T]\rb")));
        QCOMPARE(ini.GetString(kSection, QStringLiteral("Injected"), QStringLiteral("none")),
                 QStringLiteral("none"));
        QCOMPARE(ini.GetString(kSection, kKey), QStringLiteral("a  Injected=1 [T] b"));
        QCOMPARE(Bytes(path).count('\n'), 2);
    }

    void rewriteKeepsPermissions_data() {
        QTest::addColumn<int>("permissions");
        QTest::newRow("owner only")
            << int(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        QTest::newRow("group may read")
            << int(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser |
                   QFile::ReadGroup);
    }
    void rewriteKeepsPermissions() {
        QFETCH(int, permissions);
        const QString path = WriteFile("[S]\nK=1\n");
        QVERIFY(QFile::setPermissions(path, QFile::Permissions(permissions)));
        QVERIFY(Ini(path).WriteInt(kSection, kKey, 2));
        QCOMPARE(Bytes(path), QByteArray("[S]\nK=2\n"));
        QCOMPARE(int(QFile::permissions(path)), permissions);
    }

    // A settings file kept elsewhere and linked into place must stay linked.
    void rewriteThroughLinkWritesTheTarget() {
        const QString target = WriteFile("[S]\nK=1\n");
        const QString link = NewPath();
        QVERIFY(QFile::link(target, link));
        QVERIFY(Ini(link).WriteInt(kSection, kKey, 2));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(Bytes(target), QByteArray("[S]\nK=2\n"));
    }

    void rewriteLeavesNoTemporaryFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("only.ini"));
        CINIFile ini = Ini(path);
        QVERIFY(ini.WriteInt(kSection, kKey, 1));
        QVERIFY(ini.WriteInt(kSection, kKey, 2));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("only.ini")});
    }

    void unwritablePlacesReportFailure() {
        CINIFile inMissingFolder = Ini(m_dir.filePath(QStringLiteral("no/such/folder/x.ini")));
        QVERIFY(!inMissingFolder.WriteInt(kSection, kKey, 1));
        QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("no"))));

        CINIFile onFolder = Ini(m_dir.path());
        QVERIFY(!onFolder.WriteInt(kSection, kKey, 1));
        QVERIFY(!onFolder.DeleteKey(kSection, kKey));
        QVERIFY(QFileInfo(m_dir.path()).isDir());
        QCOMPARE(onFolder.GetInt(kSection, kKey, 8), 8);
    }

    void secondObjectSeesWritesAtOnce() {
        const QString path = NewPath();
        CINIFile writer = Ini(path);
        const CINIFile reader = Ini(path);
        QCOMPARE(reader.GetInt(kSection, kKey, 0), 0);
        QVERIFY(writer.WriteInt(kSection, kKey, 42));
        QCOMPARE(reader.GetInt(kSection, kKey, 0), 42);
    }
};

QTEST_GUILESS_MAIN(TstCINIFile)
#include "tst_cinifile.moc"
