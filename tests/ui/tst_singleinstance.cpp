// SPDX-License-Identifier: GPL-3.0-or-later
// A second start of the program hands its folder to the running one and ends.
#include "app/ui/csingleinstance.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void SecondStartHandsOverExactBytes_data() {
        QTest::addColumn<QByteArray>("argument");
        QTest::addColumn<QByteArray>("handedOver");
        QTest::newRow("plain folder")
            << QByteArrayLiteral("/tmp/some folder") << QByteArrayLiteral("/tmp/some folder");
        QTest::newRow("not UTF-8")
            << QByteArrayLiteral("/tmp/caf\xe9") << QByteArrayLiteral("/tmp/caf\xe9");
        QTest::newRow("quoted") << QByteArrayLiteral("\"/tmp/a b\"")
                                << QByteArrayLiteral("/tmp/a b");
        QTest::newRow("file switch")
            << QByteArrayLiteral("/f /tmp/dir/file.txt") << QByteArrayLiteral("/tmp/dir");
    }
    void SecondStartHandsOverExactBytes() {
        QFETCH(QByteArray, argument);
        QFETCH(QByteArray, handedOver);
        const QString name =
            QStringLiteral("quorvin-test-") + QUuid::createUuid().toString(QUuid::Id128);
        CSingleInstance first(name);
        QVERIFY(first.Listen());
        QSignalSpy received(&first, &CSingleInstance::HandedOver);

        // The shell passes the arguments as the bytes printf makes, so a name that is not
        // UTF-8 reaches the program unchanged.
        QByteArray octal;
        for (const char c : argument)
            octal +=
                '\\' + QByteArray::number(static_cast<unsigned char>(c), 8).rightJustified(3, '0');
        QProcess second;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QUORVIN_INSTANCE"), name);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        second.setProcessEnvironment(environment);
        const bool split = argument.startsWith("/f ");
        const QString script =
            split
                ? QStringLiteral("exec \"$0\" /f \"$(printf '%1')\"")
                      .arg(QString::fromLatin1(octal.mid(3 * 4)))
                : QStringLiteral("exec \"$0\" \"$(printf '%1')\"").arg(QString::fromLatin1(octal));
        second.start(QStringLiteral("/bin/sh"),
                     {QStringLiteral("-c"), script, QStringLiteral(QUORVIN_PATH)});
        QVERIFY(second.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(received.size(), 1, 20000);
        QCOMPARE(received[0][0].toByteArray(), handedOver);
        // The event loop of the wait above may already have seen it end, and then
        // waitForFinished() would report false.
        QVERIFY(second.state() == QProcess::NotRunning || second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
    }

    void NoRunningInstanceMeansHandOverFails() {
        CSingleInstance lonely(QStringLiteral("quorvin-test-") +
                               QUuid::createUuid().toString(QUuid::Id128));
        QVERIFY(!lonely.HandOver(QByteArrayLiteral("/tmp"), 1000));
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
