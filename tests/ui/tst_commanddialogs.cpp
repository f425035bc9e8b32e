// SPDX-License-Identifier: GPL-3.0-or-later
// The small windows on their own: what they show for stored settings and what they give back.
#include "app/settings/preferencesfile.h"
#include "app/ui/cattributesdialog.h"
#include "app/ui/chelpwindow.h"
#include "app/ui/cmaincommands.h"
#include "app/ui/ctimestampsdialog.h"
#include "app/ui/ctipdialog.h"
#include "app/ui/ctranslationsdialog.h"
#include "renametestkit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <ctime>

namespace {

struct TIMEFIELDS {
    TimestampMode* mode;
    TimeValue* fixed;
    qint64* delta;
    bool* negative;
};

TIMEFIELDS FieldsOf(CHANGESETTINGS& settings, int frame) {
    switch (frame) {
    case CTimestampsDialog::kCreated:
        return {&settings.createdMode, &settings.createdFixed, &settings.createdDelta,
                &settings.createdNegative};
    case CTimestampsDialog::kModified:
        return {&settings.modifiedMode, &settings.modifiedFixed, &settings.modifiedDelta,
                &settings.modifiedNegative};
    default:
        return {&settings.accessedMode, &settings.accessedFixed, &settings.accessedDelta,
                &settings.accessedNegative};
    }
}

} // namespace

class TestCommandDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void timestampsRoundTrip_data();
    void timestampsRoundTrip();
    void pickerLimits();
    void pickerEditSelectsFixed();
    void createdFromModifiedQuestion_data();
    void createdFromModifiedQuestion();
    void attributesRoundTrip_data();
    void attributesRoundTrip();
    void translationsText_data();
    void translationsText();
    void nextTip_data();
    void nextTip();
    void tipStateKept();
    void helpPagesShipped_data();
    void helpPagesShipped();
    void helpFind();
    void commandTexts_data();
    void commandTexts();
};

void TestCommandDialogs::initTestCase() {
    // Fixed times are shown in local time; a zone with daylight saving tests the way back.
    qputenv("TZ", "Europe/Berlin");
    tzset();
    QStandardPaths::setTestModeEnabled(true);
}

void TestCommandDialogs::timestampsRoundTrip_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<qint64>("delta");
    QTest::addColumn<bool>("negative");
    QTest::addColumn<qint64>("fixed");
    QTest::addColumn<QList<int>>("shownParts");

    QTest::newRow("one of each part")
        << 5 << qint64(93784) << false << qint64(0) << QList<int>{1, 2, 3, 4};
    QTest::newRow("negative") << 5 << qint64(93784) << true << qint64(0) << QList<int>{1, 2, 3, 4};
    QTest::newRow("largest") << 5 << qint64(99 * 86400 + 23 * 3600 + 59 * 60 + 59) << false
                             << qint64(0) << QList<int>{99, 23, 59, 59};
    QTest::newRow("fixed in summer")
        << 4 << qint64(0) << false << qint64(1690000000) << QList<int>{0, 0, 0, 0};
    QTest::newRow("fixed in winter")
        << 4 << qint64(0) << false << qint64(1700000000) << QList<int>{0, 0, 0, 0};
    QTest::newRow("taken") << 3 << qint64(59) << false << qint64(0) << QList<int>{0, 0, 0, 59};
}

void TestCommandDialogs::timestampsRoundTrip() {
    QFETCH(int, mode);
    QFETCH(qint64, delta);
    QFETCH(bool, negative);
    QFETCH(qint64, fixed);
    QFETCH(QList<int>, shownParts);

    CScriptedPrompts prompts;
    for (int frame = 0; frame < 3; ++frame) {
        CHANGESETTINGS settings;
        settings.attributeFlags = SetHidden;
        const TIMEFIELDS fields = FieldsOf(settings, frame);
        *fields.mode = TimestampMode(mode);
        *fields.delta = delta;
        *fields.negative = negative;
        if (fixed != 0)
            *fields.fixed = TimeValueFromFileTime(fixed);

        CTimestampsDialog dialog(settings, prompts);
        QCOMPARE(dialog.Modes(frame)->checkedId(), mode);
        for (int part = 0; part < 4; ++part)
            QCOMPARE(dialog.DeltaBox(frame, part)->value(), shownParts[part]);
        QCOMPARE(dialog.Negative(frame)->isChecked(), negative);
        if (fixed != 0) {
            const QDateTime local = QDateTime::fromSecsSinceEpoch(fixed).toLocalTime();
            QCOMPARE(dialog.Picker(frame)->dateTime().toString(Qt::ISODate),
                     local.toString(Qt::ISODate));
        }

        CHANGESETTINGS back = settings;
        dialog.Store(back);
        const TIMEFIELDS stored = FieldsOf(back, frame);
        QCOMPARE(int(*stored.mode), mode);
        QCOMPARE(*stored.delta, delta);
        QCOMPARE(*stored.negative, negative);
        if (fixed != 0)
            QCOMPARE(FileTimeFromTimeValue(*stored.fixed), fixed);
        QCOMPARE(back.attributeFlags, quint32(SetHidden));
    }
}

void TestCommandDialogs::pickerLimits() {
    CScriptedPrompts prompts;
    CTimestampsDialog dialog(CHANGESETTINGS{}, prompts);
    QDateTimeEdit* picker = dialog.Picker(CTimestampsDialog::kModified);
    picker->setDateTime(QDateTime(QDate(1970, 6, 1), QTime(12, 0)));
    QCOMPARE(picker->dateTime(), QDateTime(QDate(1971, 1, 1), QTime(0, 0, 1)));
    picker->setDateTime(QDateTime(QDate(2040, 6, 1), QTime(12, 0)));
    QCOMPARE(picker->dateTime(), QDateTime(QDate(2036, 12, 30), QTime(23, 59, 59)));
}

void TestCommandDialogs::pickerEditSelectsFixed() {
    CScriptedPrompts prompts;
    CHANGESETTINGS settings;
    settings.accessedMode = TimestampMode::Current;
    settings.accessedFixed = TimeValueFromFileTime(1700000000);
    CTimestampsDialog dialog(settings, prompts);
    QCOMPARE(dialog.Modes(CTimestampsDialog::kAccessed)->checkedId(), 1);
    QDateTimeEdit* picker = dialog.Picker(CTimestampsDialog::kAccessed);
    picker->setDateTime(picker->dateTime().addDays(1));
    QCOMPARE(dialog.Modes(CTimestampsDialog::kAccessed)->checkedId(), 4);
    QCOMPARE(dialog.Modes(CTimestampsDialog::kModified)->checkedId(), 0);
}

void TestCommandDialogs::createdFromModifiedQuestion_data() {
    QTest::addColumn<int>("createdMode");
    QTest::addColumn<int>("modifiedMode");
    QTest::addColumn<PromptAnswer>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<int>("result");

    QTest::newRow("declined stays open") << 2 << 1 << PromptAnswer::No << true << -1;
    QTest::newRow("agreed") << 2 << 1 << PromptAnswer::Yes << true << int(QDialog::Accepted);
    QTest::newRow("modified unchanged")
        << 2 << 0 << PromptAnswer::No << false << int(QDialog::Accepted);
    QTest::newRow("created from current")
        << 1 << 1 << PromptAnswer::No << false << int(QDialog::Accepted);
}

void TestCommandDialogs::createdFromModifiedQuestion() {
    QFETCH(int, createdMode);
    QFETCH(int, modifiedMode);
    QFETCH(PromptAnswer, answer);
    QFETCH(bool, asked);
    QFETCH(int, result);

    CScriptedPrompts prompts;
    prompts.answers = {answer};
    CHANGESETTINGS settings;
    settings.createdMode = TimestampMode(createdMode);
    settings.modifiedMode = TimestampMode(modifiedMode);
    CTimestampsDialog dialog(settings, prompts);
    dialog.setResult(-1);
    dialog.accept();
    QCOMPARE(prompts.asked.size(), asked ? 1 : 0);
    if (asked)
        QCOMPARE(prompts.asked.constFirst(), CreatedFromModifiedQuestion());
    QCOMPARE(dialog.result(), result);
}

void TestCommandDialogs::attributesRoundTrip_data() {
    QTest::addColumn<quint32>("flags");
    QTest::addColumn<int>("shownReadOnly");
    QTest::addColumn<int>("chosenReadOnly");
    QTest::addColumn<quint32>("expected");

    QTest::newRow("nothing, set") << quint32(0) << 0 << 2 << quint32(SetReadOnly);
    QTest::newRow("set, kept") << quint32(SetReadOnly) << 2 << 2 << quint32(SetReadOnly);
    QTest::newRow("both bits show clear")
        << quint32(SetReadOnly | ClearReadOnly) << 1 << 1 << quint32(ClearReadOnly);
    QTest::newRow("other bits kept")
        << quint32(SetHidden | ClearArchive | SetSystem) << 0 << 1
        << quint32(SetHidden | ClearArchive | SetSystem | ClearReadOnly);
    QTest::newRow("back to no change")
        << quint32(ClearReadOnly | SetHidden) << 1 << 0 << quint32(SetHidden);
}

void TestCommandDialogs::attributesRoundTrip() {
    QFETCH(quint32, flags);
    QFETCH(int, shownReadOnly);
    QFETCH(int, chosenReadOnly);
    QFETCH(quint32, expected);

    CAttributesDialog dialog(flags);
    QCOMPARE(dialog.RowChoice(0), shownReadOnly);
    dialog.SetRowChoice(0, chosenReadOnly);
    QCOMPARE(dialog.Flags(), expected);
}

void TestCommandDialogs::translationsText_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("unchanged") << QStringLiteral("a=b\r\nc=d\r\n") << QString()
                               << QStringLiteral("a=b\r\nc=d\r\n");
    QTest::newRow("appended") << QStringLiteral("a=b\r\n") << QStringLiteral("x=y")
                              << QStringLiteral("a=b\r\nx=y");
}

void TestCommandDialogs::translationsText() {
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(QString, expected);

    CTranslationsDialog dialog(stored);
    dialog.Editor()->moveCursor(QTextCursor::End);
    dialog.Editor()->insertPlainText(typed);
    QCOMPARE(dialog.Text(), expected);
    // Ctrl+Enter starts a line; Enter alone accepts.
    QTest::keyClick(dialog.Editor(), Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(dialog.Text(), expected + QStringLiteral("\r\n"));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QTest::keyClick(dialog.Editor(), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void TestCommandDialogs::nextTip_data() {
    QTest::addColumn<QByteArray>("tips");
    QTest::addColumn<int>("start");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("in order, wrapping")
        << QByteArray("one\ntwo\nthree\n") << 0
        << QStringList{QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three"),
                       QStringLiteral("one")};
    QTest::newRow("empty lines skipped")
        << QByteArray("\n\none\r\n\r\ntwo") << 0
        << QStringList{QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("one")};
    QTest::newRow("stored position") << QByteArray("one\ntwo\n") << 4
                                     << QStringList{QStringLiteral("two"), QStringLiteral("one")};
    QTest::newRow("position past the end")
        << QByteArray("one\ntwo\n") << 400
        << QStringList{QStringLiteral("one"), QStringLiteral("two")};
    QTest::newRow("no tips") << QByteArray("\n\n") << 0
                             << QStringList{QStringLiteral(""), QStringLiteral("")};
}

void TestCommandDialogs::nextTip() {
    QFETCH(QByteArray, tips);
    QFETCH(int, start);
    QFETCH(QStringList, expected);

    int position = start;
    QStringList shown;
    for (qsizetype index = 0; index < expected.size(); ++index)
        shown.append(NextTip(tips, position));
    QCOMPARE(shown, expected);
}

void TestCommandDialogs::tipStateKept() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Quorvin.ini"));
    QString first;
    {
        CTipDialog dialog(path);
        first = dialog.Tip();
        QVERIFY(!first.isEmpty());
        QVERIFY(dialog.ShowAtStartUp());
        dialog.findChild<QCheckBox*>()->setChecked(false);
    }
    TIPSTATE state;
    ReadTipState(path, state);
    QCOMPARE(state.startUp, 0);
    QVERIFY(state.filePos > 0);
    CTipDialog again(path);
    QVERIFY(!again.ShowAtStartUp());
    QVERIFY(again.Tip() != first);
}

void TestCommandDialogs::helpPagesShipped_data() {
    QTest::addColumn<QString>("page");
    for (const char* page :
         {"index.htm", "topics.htm", "changingfileattributes.htm", "changingtimestamp.htm",
          "charactertranslations.htm", "PictureViewer.htm"})
        QTest::newRow(page) << QString::fromLatin1(page);
}

void TestCommandDialogs::helpPagesShipped() {
    QFETCH(QString, page);
    CHelpWindow help;
    help.ShowPage(page);
    QCOMPARE(help.Browser()->source().fileName(), page);
    QVERIFY(help.Browser()->toPlainText().size() > 100);
}

void TestCommandDialogs::helpFind() {
    CHelpWindow help;
    help.ShowPage(QStringLiteral("index.htm"));
    QVERIFY(help.Find(QStringLiteral("favourites")));
    QVERIFY(help.Find(QStringLiteral("favourites"))); // again, wrapping when needed
    QVERIFY(!help.Find(QStringLiteral("no such words anywhere")));
}

void TestCommandDialogs::commandTexts_data() {
    QTest::addColumn<QString>("function");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("recent with ampersand") << "recent"
                                           << "/home/a&b/Photos & more.qvn"
                                           << "&3 /home/a&&b/Photos && more.qvn";
    QTest::newRow("update version") << "update"
                                    << "0, 1, 0, 0"
                                    << "https://quorvin.codeberg.page/Version.php?Version="
                                       "0.1.0.0";
    QTest::newRow("zoom field") << "zoom"
                                << "Additions/Prefix"
                                << "1";
    QTest::newRow("zoom crop marker") << "zoom"
                                      << "Removals/Crop Marker"
                                      << "1";
    QTest::newRow("no zoom for a number") << "zoom"
                                          << "Removals/First N"
                                          << "0";
    QTest::newRow("no zoom for new location") << "zoom"
                                              << "New Location/Path"
                                              << "0";
}

void TestCommandDialogs::commandTexts() {
    QFETCH(QString, function);
    QFETCH(QString, input);
    QFETCH(QString, expected);

    if (function == QLatin1String("recent"))
        QCOMPARE(RecentFavouriteText(2, input), expected);
    else if (function == QLatin1String("update"))
        QCOMPARE(UpdateCheckAddress(input), expected);
    else
        QCOMPARE(IsZoomField(input) ? QStringLiteral("1") : QStringLiteral("0"), expected);
}

QTEST_MAIN(TestCommandDialogs)
#include "tst_commanddialogs.moc"
