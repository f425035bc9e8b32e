// SPDX-License-Identifier: GPL-3.0-or-later
#include "picturecandidates.h"

#include "platform/cnativefile.h"
#include "platform/pathkind.h"

namespace {

constexpr qint64 kMostPictureBytes = qint64(256) << 20;

const char* const kPictureExtensions[] = {".BMP", ".RLE", ".DIB", ".GIF", ".JPG", ".WMF", ".EMF"};

bool HasPictureExtension(const QByteArray& path) {
    if (path.size() < 4)
        return false;
    const QByteArray last = path.right(4);
    for (const char* extension : kPictureExtensions) {
        if (last.compare(extension, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Users name companions in any letter case: song.mp3.jpg counts as much as song.mp3.JPG.
// Upper case is tried first.
QByteArray OpenableSpelling(const QByteArray& candidate, bool ownPath) {
    if (ownPath)
        return CanOpenFileForReading(candidate) ? candidate : QByteArray();
    const qsizetype first = candidate.size() - 3;
    for (int lowered = 0; lowered < 8; ++lowered) {
        QByteArray spelling = candidate;
        for (int i = 0; i < 3; ++i) {
            if (lowered & (1 << i))
                spelling[first + i] = static_cast<char>(spelling[first + i] + ('a' - 'A'));
        }
        if (CanOpenFileForReading(spelling))
            return spelling;
    }
    return QByteArray();
}

} // namespace

QByteArrayList PictureCandidates(const QByteArray& nativePath) {
    // Without this, an empty path would try ".BMP" and the others in the current folder.
    if (nativePath.isEmpty())
        return {};
    if (HasPictureExtension(nativePath))
        return {nativePath};
    QByteArrayList candidates;
    for (const char* extension : kPictureExtensions)
        candidates.append(nativePath + extension);
    return candidates;
}

QByteArray PictureFileToShow(const QByteArray& nativePath) {
    const bool ownPath = HasPictureExtension(nativePath);
    QByteArray shown;
    for (const QByteArray& candidate : PictureCandidates(nativePath)) {
        const QByteArray spelling = OpenableSpelling(candidate, ownPath);
        if (!spelling.isEmpty())
            shown = spelling;
    }
    return shown;
}

QByteArray ReadPictureFile(const QByteArray& nativePath) {
    CNativeFile file;
    if (!file.Open(nativePath) || file.Size() > kMostPictureBytes)
        return QByteArray();
    QByteArray bytes(file.Size(), Qt::Uninitialized);
    const qint64 read = file.ReadAt(0, bytes.data(), bytes.size());
    if (read < 0)
        return QByteArray();
    bytes.truncate(read);
    return bytes;
}
