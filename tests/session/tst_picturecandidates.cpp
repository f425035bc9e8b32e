// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/session/picturecandidates.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

class TstPictureCandidates : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    QByteArray Native(const QString& name) const { return QFile::encodeName(m_dir.filePath(name)); }

    // Real small files: the viewer decodes what it is given, so a candidate holds the
    // bytes of a picture.
    bool Write(const QString& name) const {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write("GIF89a") == 6;
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        for (const char* name :
             {"photo.JPG", "photo.jpeg", "song.mp3", "song.mp3.JPG", "both.wav", "both.wav.BMP",
              "both.wav.gif", "tiny.Gif", "dangling.wav.BMP", "lower.mp3", "lower.mp3.jpg",
              "mixed.ogg", "mixed.ogg.gIf", "twice.ogg.JPG", "twice.ogg.jpg"})
            QVERIFY(Write(QLatin1String(name)));
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("dir.wav.GIF")));
        QVERIFY(::mkfifo(Native(QStringLiteral("pipe.wav.GIF")).constData(), 0600) == 0);
        QVERIFY(::symlink("nowhere", Native(QStringLiteral("dangling.wav.EMF")).constData()) == 0);
    }

    void candidates_data() {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArrayList>("candidates");
        const QByteArrayList all = {"a.mp3.BMP", "a.mp3.RLE", "a.mp3.DIB", "a.mp3.GIF",
                                    "a.mp3.JPG", "a.mp3.WMF", "a.mp3.EMF"};
        QTest::newRow("picture extension") << QByteArray("/p/x.JPG") << QByteArrayList{"/p/x.JPG"};
        QTest::newRow("any letter case") << QByteArray("x.eMf") << QByteArrayList{"x.eMf"};
        QTest::newRow("other file, companions in order") << QByteArray("a.mp3") << all;
        QTest::newRow("jpeg is not tried itself")
            << QByteArray("p.jpeg")
            << QByteArrayList{"p.jpeg.BMP", "p.jpeg.RLE", "p.jpeg.DIB", "p.jpeg.GIF",
                              "p.jpeg.JPG", "p.jpeg.WMF", "p.jpeg.EMF"};
        QTest::newRow("extension without its dot")
            << QByteArray("xJPG") << QByteArrayList{"xJPG.BMP", "xJPG.RLE", "xJPG.DIB", "xJPG.GIF",
                                                    "xJPG.JPG", "xJPG.WMF", "xJPG.EMF"};
        QTest::newRow("the extension alone") << QByteArray(".gif") << QByteArrayList{".gif"};
        QTest::newRow("empty path") << QByteArray() << QByteArrayList{};
    }

    void candidates() {
        QFETCH(QByteArray, path);
        QFETCH(QByteArrayList, candidates);
        QCOMPARE(PictureCandidates(path), candidates);
    }

    void fileToShow_data() {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("shown"); // empty: "No picture!"
        QTest::newRow("photo.JPG") << QStringLiteral("photo.JPG") << QStringLiteral("photo.JPG");
        QTest::newRow("photo.jpeg") << QStringLiteral("photo.jpeg") << QString();
        QTest::newRow("song with companion")
            << QStringLiteral("song.mp3") << QStringLiteral("song.mp3.JPG");
        QTest::newRow("the last that opens decides")
            << QStringLiteral("both.wav") << QStringLiteral("both.wav.gif");
        QTest::newRow("a last candidate that cannot be opened is passed over")
            << QStringLiteral("dangling.wav") << QStringLiteral("dangling.wav.BMP");
        QTest::newRow("companion in lower case")
            << QStringLiteral("lower.mp3") << QStringLiteral("lower.mp3.jpg");
        QTest::newRow("companion in mixed case")
            << QStringLiteral("mixed.ogg") << QStringLiteral("mixed.ogg.gIf");
        QTest::newRow("upper case first of two spellings")
            << QStringLiteral("twice.ogg") << QStringLiteral("twice.ogg.JPG");
        QTest::newRow("own extension only in its own case")
            << QStringLiteral("photo.jpg") << QString();
        QTest::newRow("missing picture") << QStringLiteral("gone.JPG") << QString();
        QTest::newRow("a folder is no picture") << QStringLiteral("dir.wav") << QString();
        QTest::newRow("a pipe is never opened") << QStringLiteral("pipe.wav") << QString();
        QTest::newRow("extension in another case")
            << QStringLiteral("tiny.Gif") << QStringLiteral("tiny.Gif");
    }

    void fileToShow() {
        QFETCH(QString, selected);
        QFETCH(QString, shown);
        QCOMPARE(PictureFileToShow(Native(selected)),
                 shown.isEmpty() ? QByteArray() : Native(shown));
    }

    void fileInTheRoot() {
        // Nothing of that name exists in "/", so no candidate can be opened.
        QCOMPARE(PictureFileToShow("/no-such-song.mp3"), QByteArray());
        QCOMPARE(PictureCandidates("/x.JPG"), QByteArrayList{"/x.JPG"});
    }
};

QTEST_GUILESS_MAIN(TstPictureCandidates)
#include "tst_picturecandidates.moc"
