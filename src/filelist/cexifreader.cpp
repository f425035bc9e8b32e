// SPDX-License-Identifier: GPL-3.0-or-later
#include "cexifreader.h"

#include <bit>

namespace {

constexpr int kMaxSegments = 100;
constexpr int kMaxFillBytes = 6;
constexpr qsizetype kMaxErrorText = 256;
constexpr qsizetype kMaxCommentSegmentBytes = 998;
constexpr qsizetype kMaxUserCommentBytes = 199;
// Cameras nest three deep (main directory, EXIF, interoperability); a deeper chain can only
// come from a damaged or crafted block and would otherwise cost stack per level.
constexpr int kMaxDirectoryDepth = 8;
// A 64 KB block holds at most about 5,500 entries side by side; directories that overlap
// can be made to hold far more between them, so the walk of one block ends after this many.
constexpr int kMaxEntriesPerBlock = 16384;

bool IsStartOfFrame(int code) {
    return (code >= 0xC0 && code <= 0xC3) || (code >= 0xC5 && code <= 0xC7) ||
           (code >= 0xC9 && code <= 0xCB) || (code >= 0xCD && code <= 0xCF);
}

float UnitInInches(double code, float unchanged) {
    switch (ToSaturatedInt32(code)) {
    case 1:
    case 2:
        return 1.0f;
    case 3:
        return 0.3937007f;
    case 4:
        return 0.03937008f;
    case 5:
        return 0.00003937008f;
    default:
        return unchanged;
    }
}

quint32 ToSaturatedUInt32(double value) {
    if (!(value > 0))
        return 0;
    return value >= 4294967295.0 ? 0xFFFFFFFFu : static_cast<quint32>(value);
}

const uchar* Bytes(QByteArrayView view) {
    return reinterpret_cast<const uchar*>(view.data());
}

} // namespace

bool CExifReader::Open(const QByteArray& nativePath) {
    return m_file.Open(nativePath);
}

void CExifReader::Close() {
    m_file.Close();
}

bool CExifReader::Read() {
    if (!m_file.IsOpen()) {
        Clear();
        return false;
    }
    return ReadFrom(m_file);
}

bool CExifReader::ReadFrom(const CByteSource& source) {
    Clear();
    m_source = &source;
    m_succeeded = ReadMarkers();
    m_source = nullptr;
    m_block = QByteArrayView();
    return m_succeeded;
}

TimeValue CExifReader::DateTaken() const {
    return m_succeeded ? m_info.dateTaken : 0;
}

EXIFTEXTS CExifReader::Texts() const {
    if (!m_succeeded)
        return EXIFTEXTS();
    return FormatExifTexts(m_info.fNumber, m_info.exposureTime, m_info.exposureBias,
                           m_info.focalLength, m_info.comment);
}

void CExifReader::Clear() {
    m_cursor = 0;
    m_succeeded = false;
    m_errorText.clear();
    m_motorola = false;
    m_largestWidth = 0;
    m_segmentCount = 0;
    m_commentSegmentSeen = false;
    m_info = EXIFINFO();
    m_block = QByteArrayView();
    m_visitedDirectories.clear();
    m_entriesLeft = 0;
    m_thumbnailOffset = -1;
    m_thumbnailLength = 0;
}

bool CExifReader::Fail(const QString& text) {
    m_errorText = text.left(kMaxErrorText);
    return false;
}

bool CExifReader::ReadMarkers() {
    uchar start[2];
    if (!ReadAtCursor(reinterpret_cast<char*>(start), 2) || start[0] != 0xFF || start[1] != 0xD8)
        return false;
    while (m_segmentCount < kMaxSegments) {
        int code = 0;
        QByteArray segment;
        if (!ReadMarkerCode(code) || !ReadSegment(code, segment))
            return false;
        ++m_segmentCount;
        if (code == 0xDA)
            return true;
        if (code == 0xD9)
            return false;
        HandleSegment(code, segment);
    }
    return Fail(QStringLiteral("Too many sections in jpg file"));
}

bool CExifReader::ReadMarkerCode(int& code) {
    for (int fillBytes = 0;; ++fillBytes) {
        char byte = 0;
        if (!ReadAtCursor(&byte, 1))
            return Fail(QStringLiteral("Premature end of file?"));
        if (static_cast<uchar>(byte) != 0xFF) {
            code = static_cast<uchar>(byte);
            return true;
        }
        if (fillBytes == kMaxFillBytes)
            return false;
    }
}

bool CExifReader::ReadSegment(int code, QByteArray& segment) {
    uchar lengthBytes[2];
    if (!ReadAtCursor(reinterpret_cast<char*>(lengthBytes), 2))
        return Fail(QStringLiteral("Premature end of file?"));
    const int length = (lengthBytes[0] << 8) | lengthBytes[1];
    if (length < 2)
        return Fail(QStringLiteral("Invalid marker"));
    // Checked before allocating, so that a length never asks for more than the file holds.
    if (m_cursor + (length - 2) > m_source->Size())
        return Fail(QStringLiteral("Premature end of file?"));
    // Segments that give nothing here (colour profiles, previews, the scan header) are
    // passed over unread; they can be as large as the EXIF block.
    if (code != 0xE1 && code != 0xFE && !IsStartOfFrame(code)) {
        m_cursor += length - 2;
        return true;
    }
    segment.resize(length);
    segment[0] = static_cast<char>(lengthBytes[0]);
    segment[1] = static_cast<char>(lengthBytes[1]);
    if (!ReadAtCursor(segment.data() + 2, length - 2))
        return Fail(QStringLiteral("Premature end of file?"));
    return true;
}

bool CExifReader::ReadAtCursor(char* buffer, qint64 length) {
    if (length == 0)
        return true;
    if (m_source->ReadAt(m_cursor, buffer, length) != length)
        return false;
    m_cursor += length;
    return true;
}

void CExifReader::HandleSegment(int code, const QByteArray& segment) {
    if (code == 0xE1) {
        if (QByteArrayView(segment).sliced(2).startsWith("Exif"))
            m_info.exifRead = ParseExifSegment(segment);
    } else if (code == 0xFE) {
        if (!m_commentSegmentSeen) {
            m_commentSegmentSeen = true;
            StoreCommentSegment(QByteArrayView(segment).sliced(2));
        }
    } else if (IsStartOfFrame(code)) {
        StoreFrameHeader(code, segment);
    }
}

void CExifReader::StoreCommentSegment(QByteArrayView body) {
    const QByteArrayView bytes = body.first(qMin(body.size(), kMaxCommentSegmentBytes));
    QByteArray comment;
    comment.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;
        const bool control = static_cast<uchar>(c) < 32 && c != '\t' && c != '\n';
        comment.append(control ? '?' : c);
    }
    m_info.comment = comment;
}

void CExifReader::StoreFrameHeader(int code, QByteArrayView segment) {
    const uchar* bytes = Bytes(segment);
    if (segment.size() >= 7) {
        m_info.height = ExifGet16(bytes + 3, true);
        m_info.width = ExifGet16(bytes + 5, true);
    }
    if (segment.size() >= 8)
        m_info.isColour = bytes[7] == 3;
    m_info.process = code;
}

bool CExifReader::ParseExifSegment(const QByteArray& segment) {
    m_info.flashUsed = false;
    m_info.comment.clear();
    m_largestWidth = 0;
    if (!QByteArrayView(segment).sliced(2).startsWith(QByteArrayView("Exif\0\0", 6)))
        return Fail(QStringLiteral("Incorrect Exif header"));
    m_block = QByteArrayView(segment).sliced(8);
    if (m_block.startsWith("II"))
        m_motorola = false;
    else if (m_block.startsWith("MM"))
        m_motorola = true;
    else
        return Fail(QStringLiteral("Invalid Exif alignment marker."));
    if (m_block.size() < 8 || ExifGet16(Bytes(m_block) + 2, m_motorola) != 42)
        return Fail(QStringLiteral("Invalid Exif start (1)"));

    m_visitedDirectories.clear();
    m_entriesLeft = kMaxEntriesPerBlock;
    m_thumbnailOffset = -1;
    m_thumbnailLength = 0;
    if (!WalkIfd(ExifGet32(Bytes(m_block) + 4, m_motorola), 0))
        return false;
    if (m_info.focalPlaneXResolution != 0)
        m_info.sensorWidth = ToStoredFloat(double(m_largestWidth) * m_info.focalPlaneUnit /
                                           m_info.focalPlaneXResolution);
    return true;
}

bool CExifReader::WalkIfd(qsizetype dirStart, int depth) {
    // A directory reached a second time has given all it has; walking it again could loop.
    if (depth > kMaxDirectoryDepth || m_visitedDirectories.contains(dirStart))
        return true;
    m_visitedDirectories.insert(dirStart);
    const qsizetype length = m_block.size();
    if (dirStart + 2 > length)
        return Fail(QStringLiteral("Illegally sized directory"));
    const int count = ExifGet16(Bytes(m_block) + dirStart, m_motorola);
    const qsizetype dirEnd = dirStart + 2 + 12 * qsizetype(count);
    // Some writers end the block right after the entries or after a 16-bit link.
    if (dirEnd + 4 > length && dirEnd != length && dirEnd + 2 != length)
        return Fail(QStringLiteral("Illegally sized directory"));
    for (int i = 0; i < count && m_entriesLeft > 0; ++i) {
        --m_entriesLeft;
        if (!WalkEntry(dirStart + 2 + 12 * qsizetype(i), depth))
            return false;
    }
    if (m_thumbnailOffset >= 0 && m_thumbnailOffset < length)
        m_info.thumbnailSize = quint32(qMin<qint64>(m_thumbnailLength, length - m_thumbnailOffset));
    return true;
}

bool CExifReader::WalkEntry(qsizetype entryStart, int depth) {
    const uchar* entry = Bytes(m_block) + entryStart;
    const quint32 tag = ExifGet16(entry, m_motorola);
    const quint32 format = ExifGet16(entry + 2, m_motorola);
    const quint32 components = ExifGet32(entry + 4, m_motorola);
    if (format < 1 || format > 12)
        return Fail(QStringLiteral("Illegal format code in EXIF dir"));
    if (components > 0x10000) {
        Fail(QStringLiteral("Illegal number of components for tag"));
        return true;
    }
    const qint64 byteCount = qint64(components) * ExifBytesPerComponent(format);
    qsizetype valueStart = entryStart + 8;
    if (byteCount > 4) {
        const qint64 offset = ExifGet32(entry + 8, m_motorola);
        if (offset + byteCount > m_block.size())
            return Fail(QStringLiteral("Illegal pointer offset value in EXIF."));
        valueStart = offset;
    }
    if (tag == 0x8769 || tag == 0xA005)
        return FollowSubdirectory(valueStart, depth);
    StoreTag(tag, format, m_block.sliced(valueStart, byteCount));
    return true;
}

bool CExifReader::FollowSubdirectory(qsizetype valueStart, int depth) {
    // The value start lies inside the entry or, for longer values, was checked against the
    // block; either way four bytes are there to read.
    const qsizetype offset = ExifGet32(Bytes(m_block) + valueStart, m_motorola);
    if (offset >= m_block.size())
        return Fail(QStringLiteral("Illegal subdirectory link"));
    WalkIfd(offset, depth + 1);
    return true;
}

void CExifReader::StoreTag(quint32 tag, quint32 format, QByteArrayView value) {
    switch (tag) {
    case 0x010F:
        m_info.cameraMake = BytesUpToZero(value, 31);
        return;
    case 0x0110:
        m_info.cameraModel = BytesUpToZero(value, 39);
        return;
    case 0x0132:
    case 0x9003:
    case 0x9004:
        m_info.dateTime = BytesUpToZero(value, 19);
        m_info.dateTaken = ExifDateToTime(m_info.dateTime, ExifDateRules::Jpeg);
        return;
    case 0x9000:
        m_info.version = BytesUpToZero(value, 4);
        return;
    case 0x9286:
        StoreUserComment(value);
        return;
    default:
        break;
    }

    const double number = ConvertAnyFormat(value, format);
    switch (tag) {
    case 0x0112:
        m_info.orientation = ToSaturatedInt32(number);
        if (m_info.orientation < 1 || m_info.orientation > 8) {
            Fail(QStringLiteral("Undefined rotation value"));
            m_info.orientation = 0;
        }
        break;
    case 0x9209:
        m_info.flashUsed = (ToSaturatedInt32(number) & 7) != 0;
        break;
    case 0x920A:
        m_info.focalLength = ToStoredFloat(number);
        break;
    case 0x829A:
        m_info.exposureTime = ToStoredFloat(number);
        break;
    case 0x9201:
        if (m_info.exposureTime == 0)
            m_info.exposureTime = ToStoredFloat(ApexShutterToExposureTime(number));
        break;
    case 0x829D:
        m_info.fNumber = ToStoredFloat(number);
        break;
    case 0x9202:
    case 0x9205:
        if (m_info.fNumber == 0)
            m_info.fNumber = ToStoredFloat(ApexApertureToFNumber(number));
        break;
    case 0x9206:
        m_info.subjectDistance = ToStoredFloat(number);
        break;
    case 0x9204:
        m_info.exposureBias = ToStoredFloat(number);
        break;
    case 0x9208:
        m_info.lightSource = ToSaturatedInt32(number);
        break;
    case 0x9207:
        m_info.meteringMode = ToSaturatedInt32(number);
        break;
    case 0x8822:
        m_info.exposureProgram = ToSaturatedInt32(number);
        break;
    case 0x8827: {
        const qint32 iso = ToSaturatedInt32(number);
        m_info.isoEquivalent = iso < 50 ? ToSaturatedInt32(double(iso) * 200) : iso;
        break;
    }
    case 0x9102:
        m_info.compressionLevel = ToSaturatedInt32(number);
        break;
    case 0xA20E:
        m_info.focalPlaneXResolution = ToStoredFloat(number);
        break;
    case 0xA20F:
        m_info.focalPlaneYResolution = ToStoredFloat(number);
        break;
    case 0xA210:
        m_info.focalPlaneUnit = UnitInInches(number, m_info.focalPlaneUnit);
        break;
    case 0x011A:
        m_info.xResolution = ToStoredFloat(number);
        break;
    case 0x011B:
        m_info.yResolution = ToStoredFloat(number);
        break;
    case 0x0128:
        m_info.resolutionUnit = UnitInInches(number, m_info.resolutionUnit);
        break;
    case 0x9203:
        m_info.brightness = ToStoredFloat(number);
        break;
    case 0x0201:
        m_thumbnailOffset = ToSaturatedUInt32(number);
        break;
    case 0x0202:
        m_thumbnailLength = ToSaturatedUInt32(number);
        break;
    case 0xA002:
    case 0xA003:
        m_largestWidth = qMax(m_largestWidth, ToSaturatedUInt32(number));
        break;
    default:
        break;
    }
}

void CExifReader::StoreUserComment(QByteArrayView value) {
    while (!value.isEmpty() && value.back() == ' ')
        value.chop(1);
    qsizetype from = -1;
    if (value.startsWith("ASCII")) {
        for (qsizetype i = 5; i < 10 && i < value.size(); ++i) {
            if (value[i] != '\0' && value[i] != ' ') {
                from = i;
                break;
            }
        }
    } else {
        from = 8;
    }
    m_info.comment.clear();
    if (from >= 0 && from < value.size())
        m_info.comment = BytesUpToZero(value.sliced(from), kMaxUserCommentBytes);
}

double CExifReader::ConvertAnyFormat(QByteArrayView value, quint32 format) const {
    // A number is read from the value's own bytes only; a value too short for one
    // component gives 0 rather than the bytes of the next entry.
    if (value.size() < ExifBytesPerComponent(format) || ExifBytesPerComponent(format) == 0)
        return 0;
    const uchar* bytes = Bytes(value);
    switch (format) {
    case 1:
        return bytes[0];
    case 6:
        return static_cast<qint8>(bytes[0]);
    case 3:
        return ExifGet16(bytes, m_motorola);
    case 8:
        return static_cast<qint16>(ExifGet16(bytes, m_motorola));
    case 4:
        return ExifGet32(bytes, m_motorola);
    case 9:
        return static_cast<qint32>(ExifGet32(bytes, m_motorola));
    case 5:
    case 10: {
        const qint32 numerator = static_cast<qint32>(ExifGet32(bytes, m_motorola));
        const qint32 denominator = static_cast<qint32>(ExifGet32(bytes + 4, m_motorola));
        return denominator == 0 ? 0.0 : double(numerator) / double(denominator);
    }
    case 11:
        return std::bit_cast<float>(ExifGet32(bytes, m_motorola));
    case 12: {
        const quint64 first = ExifGet32(bytes, m_motorola);
        const quint64 second = ExifGet32(bytes + 4, m_motorola);
        return std::bit_cast<double>(m_motorola ? (first << 32) | second : (second << 32) | first);
    }
    default:
        return 0;
    }
}
