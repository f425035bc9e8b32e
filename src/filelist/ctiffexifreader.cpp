// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctiffexifreader.h"

namespace {

constexpr qint64 kDateTextBytes = 20;
constexpr qint64 kCameraModelBytes = 20;
constexpr qint64 kCommentCodeBytes = 8;
constexpr qint64 kMaxCommentBytes = 999;
constexpr qint64 kEntryBytes = 12;
// Raw files nest their directories three or four deep; more only comes from damage.
constexpr int kMaxDirectoryDepth = 8;
// Directories may overlap, and a sub-directory list may name the same few places again and
// again, so the number of directories is no bound on the work. Every entry and every
// sub-directory link costs one step; real files need a few hundred.
constexpr int kMaxSteps = 8192;

const uchar* Bytes(const QByteArray& bytes) {
    return reinterpret_cast<const uchar*>(bytes.constData());
}

} // namespace

bool CTiffExifReader::Open(const QByteArray& nativePath) {
    return m_file.Open(nativePath);
}

void CTiffExifReader::Close() {
    m_file.Close();
}

bool CTiffExifReader::Read() {
    if (!m_file.IsOpen()) {
        Clear();
        return false;
    }
    return ReadFrom(m_file);
}

bool CTiffExifReader::ReadFrom(const CByteSource& source) {
    Clear();
    m_source = &source;
    m_succeeded = ReadHeaderAndChain();
    m_source = nullptr;
    m_visitedDirectories.clear();
    return m_succeeded;
}

TimeValue CTiffExifReader::DateTaken() const {
    return m_succeeded ? m_dateTaken : 0;
}

EXIFTEXTS CTiffExifReader::Texts() const {
    if (!m_succeeded)
        return EXIFTEXTS();
    return FormatExifTexts(m_fNumber, m_exposureTime, m_exposureBias, m_focalLength, m_comment);
}

void CTiffExifReader::Clear() {
    m_succeeded = false;
    m_motorola = false;
    m_dateTaken = 0;
    m_dateTime.clear();
    m_cameraModel.clear();
    m_comment.clear();
    m_fNumber = 0;
    m_exposureTime = 0;
    m_focalLength = 0;
    m_exposureBias = 0;
    m_visitedDirectories.clear();
    m_stepsLeft = kMaxSteps;
}

bool CTiffExifReader::ReadHeaderAndChain() {
    QByteArray header;
    if (!ReadBytes(0, 8, header))
        return false;
    if (header.startsWith("II"))
        m_motorola = false;
    else if (header.startsWith("MM"))
        m_motorola = true;
    else
        return false;
    if (ExifGet16(Bytes(header) + 2, m_motorola) != 42)
        return false;
    // The chain ends at a zero link; a damaged file ends it earlier, and what its
    // directories gave until then is kept.
    qint64 offset = ExifGet32(Bytes(header) + 4, m_motorola);
    while (offset != 0) {
        const qint64 linkPosition = WalkDirectory(offset, 0);
        QByteArray link;
        if (linkPosition < 0 || !ReadBytes(linkPosition, 4, link))
            break;
        offset = ExifGet32(Bytes(link), m_motorola);
    }
    return true;
}

// Gives the position of the link to the next directory, or -1 when the directory was not
// walked to its end.
qint64 CTiffExifReader::WalkDirectory(qint64 start, int depth) {
    if (depth > kMaxDirectoryDepth || m_stepsLeft <= 0 || m_visitedDirectories.contains(start))
        return -1;
    m_visitedDirectories.insert(start);
    QByteArray countBytes;
    if (!ReadBytes(start, 2, countBytes))
        return -1;
    const qint64 count = ExifGet16(Bytes(countBytes), m_motorola);
    const qint64 entriesStart = start + 2;
    const qint64 fitting = qMin(count, (m_source->Size() - entriesStart) / kEntryBytes);
    QByteArray entries;
    if (!ReadBytes(entriesStart, fitting * kEntryBytes, entries))
        return -1;
    for (qint64 i = 0; i < fitting; ++i) {
        if (m_stepsLeft <= 0)
            return -1;
        --m_stepsLeft;
        ReadEntry(Bytes(entries) + i * kEntryBytes, entriesStart + i * kEntryBytes, depth);
    }
    if (fitting < count)
        return -1;
    return entriesStart + count * kEntryBytes;
}

void CTiffExifReader::ReadEntry(const uchar* entry, qint64 entryPosition, int depth) {
    const quint32 tag = ExifGet16(entry, m_motorola);
    const quint32 format = ExifGet16(entry + 2, m_motorola);
    const qint64 count = ExifGet32(entry + 4, m_motorola);
    const qint64 byteCount = count * ExifBytesPerComponent(format);
    const qint64 valuePosition =
        byteCount > 4 ? ExifGet32(entry + 8, m_motorola) : entryPosition + 8;
    switch (tag) {
    case 0x0132:
    case 0x9003:
    case 0x9004:
        m_dateTime = ReadText(valuePosition, qMin(byteCount, kDateTextBytes));
        m_dateTaken = ExifDateToTime(m_dateTime, ExifDateRules::Tiff);
        break;
    case 0x0110:
        m_cameraModel = ReadText(valuePosition, qMin(byteCount, kCameraModelBytes));
        break;
    case 0x014A:
    case 0x8769: {
        // The links are 32-bit offsets whatever the format says (LONG or IFD): one fits in
        // the entry, more lie at the offset the entry holds.
        const qint64 listPosition =
            count > 1 ? ExifGet32(entry + 8, m_motorola) : entryPosition + 8;
        WalkSubdirectories(listPosition, count, depth);
        break;
    }
    case 0x829A:
        m_exposureTime = ToStoredFloat(ReadNumber(valuePosition, byteCount, format));
        break;
    case 0x829D:
        m_fNumber = ToStoredFloat(ReadNumber(valuePosition, byteCount, format));
        break;
    case 0x9202:
    case 0x9205:
        if (m_fNumber == 0)
            m_fNumber =
                ToStoredFloat(ApexApertureToFNumber(ReadNumber(valuePosition, byteCount, format)));
        break;
    case 0x9204:
        m_exposureBias = ToStoredFloat(ReadNumber(valuePosition, byteCount, format));
        break;
    case 0x920A:
        m_focalLength = ToStoredFloat(ReadNumber(valuePosition, byteCount, format));
        break;
    case 0x9286:
        m_comment = byteCount > kCommentCodeBytes
                        ? ReadText(valuePosition + kCommentCodeBytes,
                                   qMin(byteCount - kCommentCodeBytes, kMaxCommentBytes))
                        : QByteArray();
        break;
    default:
        break;
    }
}

void CTiffExifReader::WalkSubdirectories(qint64 position, qint64 count, int depth) {
    const qint64 fitting = qMin(count, qMax<qint64>(0, (m_source->Size() - position) / 4));
    QByteArray links;
    if (fitting <= 0 || !ReadBytes(position, fitting * 4, links))
        return;
    for (qint64 i = 0; i < fitting && m_stepsLeft > 0; ++i) {
        --m_stepsLeft;
        WalkDirectory(ExifGet32(Bytes(links) + i * 4, m_motorola), depth + 1);
    }
}

// Short values are numbers as they stand; every other format is read as a rational of two
// signed 32-bit numbers, which is what cameras write for these tags.
double CTiffExifReader::ReadNumber(qint64 position, qint64 byteCount, quint32 format) const {
    QByteArray bytes;
    if (format == 3)
        return byteCount >= 2 && ReadBytes(position, 2, bytes) ? ExifGet16(Bytes(bytes), m_motorola)
                                                               : 0.0;
    if (byteCount < 8 || !ReadBytes(position, 8, bytes))
        return 0;
    const qint32 numerator = static_cast<qint32>(ExifGet32(Bytes(bytes), m_motorola));
    const qint32 denominator = static_cast<qint32>(ExifGet32(Bytes(bytes) + 4, m_motorola));
    return denominator == 0 ? 0.0 : double(numerator) / double(denominator);
}

// Up to `length` bytes, fewer where the file ends, cut at the first zero byte.
QByteArray CTiffExifReader::ReadText(qint64 position, qint64 length) const {
    QByteArray bytes;
    const qint64 available = qMin(length, m_source->Size() - position);
    if (position < 0 || available <= 0 || !ReadBytes(position, available, bytes))
        return QByteArray();
    return BytesUpToZero(bytes, available);
}

bool CTiffExifReader::ReadBytes(qint64 position, qint64 length, QByteArray& bytes) const {
    bytes.clear();
    if (position < 0 || length < 0 || position > m_source->Size() - length)
        return false;
    bytes.resize(length);
    return length == 0 || m_source->ReadAt(position, bytes.data(), length) == length;
}
