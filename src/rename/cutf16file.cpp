// SPDX-License-Identifier: GPL-3.0-or-later
#include "cutf16file.h"

#include "filelist/textrules.h"

namespace {

constexpr qint64 kRefillBytes = 4096;

bool IsLineEnd(char16_t unit) {
    return unit == u'\r' || unit == u'\n';
}

} // namespace

CUTF16File::CUTF16File() = default;

CUTF16File::~CUTF16File() {
    Close();
}

bool CUTF16File::Open(const QString& path) {
    Close();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly))
        return false;
    m_mode = EightBit;
    const QByteArray mark = m_file.peek(2);
    if (mark == QByteArrayLiteral("\xFF\xFE"))
        m_mode = Utf16LittleEndian;
    else if (mark == QByteArrayLiteral("\xFE\xFF"))
        m_mode = Utf16BigEndian;
    if (m_mode != EightBit)
        m_file.skip(2);
    return true;
}

void CUTF16File::Close() {
    if (m_file.isOpen())
        m_file.close();
    m_mode = EightBit;
    m_queue.clear();
    m_queueHead = 0;
    m_oddByte.clear();
}

bool CUTF16File::ReadString(QString& line) {
    line.clear();
    if (!m_file.isOpen())
        return false;
    return m_mode == EightBit ? ReadEightBitLine(line) : ReadUtf16Line(line);
}

bool CUTF16File::ReadEightBitLine(QString& line) {
    if (m_file.atEnd())
        return false;
    QByteArray bytes = m_file.readLine();
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    line = DecodeEightBit(bytes);
    return true;
}

// A line ends at CR or LF; a directly following CR or LF belongs to the same line end, so
// CR LF, LF CR, CR CR and LF LF each end one line. The follower is looked for across a
// refill too: a pair split by the 4096-byte boundary must not yield an extra empty line.
bool CUTF16File::ReadUtf16Line(QString& line) {
    char16_t unit = 0;
    if (!TakeUnit(unit))
        return false;
    while (!IsLineEnd(unit)) {
        line.append(QChar(unit));
        if (!TakeUnit(unit))
            return true;
    }
    char16_t next = 0;
    if (PeekUnit(next) && IsLineEnd(next))
        TakeUnit(next);
    return true;
}

bool CUTF16File::TakeUnit(char16_t& unit) {
    if (!PeekUnit(unit))
        return false;
    ++m_queueHead;
    return true;
}

bool CUTF16File::PeekUnit(char16_t& unit) {
    if (m_queueHead >= m_queue.size() && !Refill())
        return false;
    unit = m_queue.at(m_queueHead).unicode();
    return true;
}

// A byte left over from an odd-sized read waits for its partner; at the end of the file it
// is dropped, as it is no whole code unit.
bool CUTF16File::Refill() {
    m_queue.clear();
    m_queueHead = 0;
    while (m_queue.isEmpty()) {
        const QByteArray chunk = m_file.read(kRefillBytes);
        if (chunk.isEmpty())
            return false;
        QByteArray bytes = m_oddByte + chunk;
        m_oddByte.clear();
        if (bytes.size() % 2 != 0) {
            m_oddByte = bytes.right(1);
            bytes.chop(1);
        }
        AppendUnits(bytes);
    }
    return true;
}

void CUTF16File::AppendUnits(const QByteArray& bytes) {
    m_queue.reserve(m_queue.size() + bytes.size() / 2);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes.at(i));
        const auto second = static_cast<unsigned char>(bytes.at(i + 1));
        const char16_t unit = m_mode == Utf16LittleEndian ? char16_t(first | (second << 8))
                                                          : char16_t((first << 8) | second);
        m_queue.append(QChar(unit));
    }
}
