// SPDX-License-Identifier: GPL-3.0-or-later
#include "cthunaractions.h"

#include <QtTest>

namespace {

const QByteArray kHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

QByteArray Action(const QByteArray& id, const QByteArray& command) {
    return "<action>\n\t<name>n</name>\n\t<unique-id>" + id + "</unique-id>\n\t<command>" +
           command + "</command>\n</action>\n";
}

// How often the document holds an action with that command.
qsizetype CountOf(const QByteArray& document, const QByteArray& command) {
    return document.count("<command>" + command + "</command>");
}

} // namespace

class TestThunarActions : public QObject {
    Q_OBJECT

private slots:
    void edits_data();
    void edits();
    void refusesWhatItCannotRead_data();
    void refusesWhatItCannotRead();
};

void TestThunarActions::edits_data() {
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<bool>("hadOurs");

    QTest::newRow("no actions") << CThunarActions::EmptyDocument() << false;
    QTest::newRow("empty root") << kHead + "<actions/>\n" << false;
    QTest::newRow("user actions and a comment")
        << kHead + "<!-- keep -->\n<actions>\n" + Action("1-1", "a &amp;&amp; b") +
               Action("1-2", "c &lt;d&gt;") + "</actions>\n"
        << false;
    QTest::newRow("ours with an old path in the middle")
        << kHead + "<actions>\n" + Action("1-1", "a") +
               Action("quorvin-here", "'/old/qvnhere' %F") + Action("1-2", "b") + "</actions>\n"
        << true;
}

void TestThunarActions::edits() {
    QFETCH(QByteArray, document);
    QFETCH(bool, hadOurs);
    const QByteArray command = "'/new/bin/qvnhere' %F";
    const CThunarActions actions("/new/bin/qvnhere");

    const std::optional<QByteArray> added = actions.WithAction(document);
    QVERIFY(added.has_value());
    QVERIFY(CThunarActions::HasAction(*added));
    QCOMPARE(CountOf(*added, command), 1);
    QCOMPARE(CountOf(*added, "'/old/qvnhere' %F"), 0);
    // Adding again changes nothing.
    QCOMPARE(actions.WithAction(*added), added);

    const std::optional<QByteArray> removed = CThunarActions::WithoutAction(*added);
    QVERIFY(removed.has_value());
    QVERIFY(!CThunarActions::HasAction(*removed));
    QCOMPARE(CThunarActions::HasAction(document), hadOurs);
    if (!hadOurs)
        QVERIFY(CThunarActions::SameMeaning(*removed, document));
    QVERIFY(!CThunarActions::SameMeaning(*added, document));
}

void TestThunarActions::refusesWhatItCannotRead_data() {
    QTest::addColumn<QByteArray>("document");
    QTest::newRow("not XML") << QByteArray("actions {}");
    QTest::newRow("cut short") << kHead + "<actions>\n" + Action("1", "a").chopped(4);
    QTest::newRow("another root") << kHead + "<menu>\n</menu>\n";
    QTest::newRow("nothing") << QByteArray();
}

void TestThunarActions::refusesWhatItCannotRead() {
    QFETCH(QByteArray, document);
    QVERIFY(!CThunarActions("/bin/qvnhere").WithAction(document).has_value());
    QVERIFY(!CThunarActions::WithoutAction(document).has_value());
}

QTEST_GUILESS_MAIN(TestThunarActions)
#include "tst_thunaractions.moc"
