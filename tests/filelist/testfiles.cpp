// SPDX-License-Identifier: GPL-3.0-or-later
#include "testfiles.h"

#include "filelist/exifvalues.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray Padded(const QByteArray& text, int length) {
    return text.left(length) + QByteArray(qMax(0, length - int(text.size())), '\0');
}

} // namespace

QByteArray JpegSegment(int code, const QByteArray& body) {
    const int length = int(body.size()) + 2;
    QByteArray segment;
    segment += char(0xFF);
    segment += char(code);
    segment += char(length >> 8);
    segment += char(length & 0xFF);
    return segment + body;
}

QByteArray ExifSegment(const QByteArray& tiffBlock) {
    return JpegSegment(0xE1, QByteArray("Exif\0\0", 6) + tiffBlock);
}

QByteArray JpegImageData() {
    return QByteArray(64, char(0x5A));
}

QByteArray JpegFile(const QList<QByteArray>& segments) {
    QByteArray file("\xFF\xD8", 2);
    for (const QByteArray& segment : segments)
        file += segment;
    file += JpegSegment(0xDA, QByteArray("\x01\x01\x00\x00\x3F\x00", 6));
    return file + JpegImageData() + QByteArray("\xFF\xD9", 2);
}

QByteArray Id3Tag(const QByteArray& marker, const QByteArray& title, const QByteArray& artist,
                  const QByteArray& album, const QByteArray& year, const QByteArray& comment,
                  int track) {
    QByteArray tag = marker.left(3) + Padded(title, 30) + Padded(artist, 30) + Padded(album, 30) +
                     Padded(year, 4);
    if (comment.size() > 28)
        tag += Padded(comment, 30);
    else
        tag += Padded(comment, 28) + QByteArray(1, '\0') + QByteArray(1, char(track));
    return tag + QByteArray(1, char(12));
}

QByteArray WriteTestFile(const QTemporaryDir& folder, const QString& name,
                         const QByteArray& bytes) {
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QByteArray();
    return QFile::encodeName(path);
}

QStringList TextList(const EXIFTEXTS& t) {
    return {t.aperture, t.exposure, t.exposureBias, t.focalLength, t.comment};
}

QStringList Utf8List(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

void MakeFile(const QByteArray& path, const QByteArray& contents) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    QVERIFY2(fd >= 0, path.constData());
    QCOMPARE(::write(fd, contents.constData(), size_t(contents.size())), ssize_t(contents.size()));
    ::close(fd);
}

void MakeFolder(const QByteArray& path) {
    QVERIFY2(::mkdir(path.constData(), 0755) == 0, path.constData());
}

void MakeDeepChain(const QByteArray& root, char letter, int levels) {
    const QByteArray part(200, letter);
    int fd = ::open(root.constData(), O_RDONLY | O_DIRECTORY);
    QVERIFY(fd >= 0);
    for (int depth = 0; depth < levels; ++depth) {
        QCOMPARE(::mkdirat(fd, part.constData(), 0755), 0);
        const int next = ::openat(fd, part.constData(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        QVERIFY(next >= 0);
        fd = next;
    }
    const int file = ::openat(fd, "deep.txt", O_WRONLY | O_CREAT, 0644);
    QVERIFY(file >= 0);
    ::close(file);
    ::close(fd);
}

void RemoveDeepChain(const QByteArray& root, char letter, int levels) {
    const QByteArray part(200, letter);
    QList<int> fds{::open(root.constData(), O_RDONLY | O_DIRECTORY)};
    for (int depth = 0; depth < levels; ++depth)
        fds.append(::openat(fds.last(), part.constData(), O_RDONLY | O_DIRECTORY));
    ::unlinkat(fds.last(), "deep.txt", 0);
    for (int i = levels; i > 0; --i) {
        ::close(fds[i]);
        ::unlinkat(fds[i - 1], part.constData(), AT_REMOVEDIR);
    }
    ::close(fds.first());
}
