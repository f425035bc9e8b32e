// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings/preferences.h"

#include <QtTest>

class TestPreferences : public QObject {
    Q_OBJECT

private slots:
    void defaults_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("favourite path") << "Favourite Path"
                                        << "";
        QTest::newRow("icons on") << "Display Icons"
                                  << "1";
        QTest::newRow("highlight on") << "Highlight Active Criteria"
                                      << "1";
        QTest::newRow("warning on") << "Display Warning Message"
                                    << "1";
        QTest::newRow("confirmation on") << "Display Confirmation Message"
                                         << "1";
        QTest::newRow("folder extensions ignored") << "Ignore Folder Extensions"
                                                   << "1";
        QTest::newRow("file extensions kept") << "Ignore File Extensions"
                                              << "0";
        QTest::newRow("gridlines off") << "Display Gridlines"
                                       << "0";
        QTest::newRow("megabytes") << "Display Filesizes As"
                                   << "3";
        QTest::newRow("colour ok") << "Colour New Name OK"
                                   << "32772";
        QTest::newRow("colour invalid") << "Colour New Name Invalid"
                                        << "255";
        QTest::newRow("colour active") << "Colour Active Criteria"
                                       << "17919";
        QTest::newRow("sort column") << "Sort Column"
                                     << "0";
        QTest::newRow("sort dir") << "Sort Dir"
                                  << "1";
        QTest::newRow("desktop root") << "Desktop Root"
                                      << "0";
    }
    void defaults() {
        QFETCH(QString, key);
        QFETCH(QString, value);
        const PREFERENCEBINDING* binding = FindPreference(key);
        QVERIFY(binding);
        QCOMPARE(PreferenceValue(PREFERENCES(), *binding), value);
    }

    void everyKeyOnce() {
        QSet<QString> keys;
        for (const PREFERENCEBINDING& binding : PreferenceBindings())
            keys.insert(binding.Key().toLower());
        QCOMPARE(keys.size(), 32);
        QCOMPARE(PreferenceBindings().size(), size_t(32));
        QCOMPARE(PreferenceBindings().front().Key(), QStringLiteral("Favourite Path"));
        QCOMPARE(PreferenceBindings()[30].Key(), QStringLiteral("Sort Dir"));
        QVERIFY(!FindPreference(u"Desktop Root")->written);
    }

    void lookupIgnoresCase() {
        QCOMPARE(FindPreference(u"extract exif data"), FindPreference(u"Extract Exif Data"));
        QVERIFY(FindPreference(u"EXTRACT EXIF DATA"));
        QVERIFY(!FindPreference(u"Extract Exif"));
        QVERIFY(!FindPreference(u""));
    }

    void setFromText_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("value");
        QTest::newRow("number") << "Display Filesizes As"
                                << "5" << true << "5";
        QTest::newRow("blanks around number") << "Sort Dir"
                                              << " 0 " << true << "0";
        QTest::newRow("not a number") << "Sort Column"
                                      << "x" << false << "0";
        QTest::newRow("empty number") << "Log Activity"
                                      << "" << false << "0";
        QTest::newRow("check box beyond 1") << "Log Activity"
                                            << "2" << false << "0";
        QTest::newRow("check box negative") << "Overwrite Target Files"
                                            << "-1" << false << "0";
        QTest::newRow("size unit 0") << "Display Filesizes As"
                                     << "0" << false << "3";
        QTest::newRow("size unit 6") << "Display Filesizes As"
                                     << "6" << false << "3";
        QTest::newRow("last sort column") << "Sort Column"
                                          << "11" << true << "11";
        QTest::newRow("sort column beyond the list") << "Sort Column"
                                                     << "12" << false << "0";
        QTest::newRow("colour") << "Colour New Name OK"
                                << "16777215" << true << "16777215";
        QTest::newRow("colour beyond 24 bits") << "Colour New Name OK"
                                               << "16777216" << false << "32772";
        QTest::newRow("text kept as given") << "Rename Pairs Path"
                                            << " /a b " << true << " /a b ";
    }
    void setFromText() {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(QString, value);
        PREFERENCES preferences;
        const PREFERENCEBINDING* binding = FindPreference(key);
        QVERIFY(binding);
        QCOMPARE(SetPreferenceValue(preferences, *binding, text), accepted);
        QCOMPARE(PreferenceValue(preferences, *binding), value);
    }
};

QTEST_GUILESS_MAIN(TestPreferences)
#include "tst_preferences.moc"
