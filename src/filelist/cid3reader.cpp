// SPDX-License-Identifier: GPL-3.0-or-later
#include "cid3reader.h"

#include "filelist/exifvalues.h"
#include "filelist/textrules.h"
#include "platform/cnativefile.h"

namespace {

constexpr qint64 kTagBytes = 128;

QString TagText(const QByteArray& tag, qsizetype from, qsizetype length) {
    return DecodeEightBit(BytesUpToZero(QByteArrayView(tag).sliced(from, length), length));
}

} // namespace

bool CId3Reader::Read(const QByteArray& nativePath) {
    Clear();
    CNativeFile file;
    if (!file.Open(nativePath))
        return false;
    return ReadFrom(file);
}

bool CId3Reader::ReadFrom(const CByteSource& source) {
    Clear();
    const qint64 size = source.Size();
    if (size < kTagBytes)
        return false;
    QByteArray tag(kTagBytes, '\0');
    if (source.ReadAt(size - kTagBytes, tag.data(), kTagBytes) != kTagBytes ||
        !tag.startsWith("TAG"))
        return false;
    m_title = TagText(tag, 3, 30);
    m_artist = TagText(tag, 33, 30);
    m_album = TagText(tag, 63, 30);
    m_year = TagText(tag, 93, 4);
    m_comment = TagText(tag, 97, 28);
    // Byte 125 is zero in a version 1.1 tag; in a 1.0 tag byte 126 is the comment's last
    // character, and it is taken as the track all the same.
    m_track = static_cast<uchar>(tag[126]);
    m_succeeded = true;
    return true;
}

void CId3Reader::Clear() {
    m_succeeded = false;
    m_title.clear();
    m_artist.clear();
    m_album.clear();
    m_year.clear();
    m_comment.clear();
    m_track = 0;
}
