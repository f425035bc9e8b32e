// SPDX-License-Identifier: GPL-3.0-or-later
#include "coutputbuffer.h"

#include <QChar>

#include <algorithm>

namespace {

constexpr char16_t kEscapedByteBase = 0xDC00;
constexpr char16_t kFirstEscapedByte = 0xDC80;
constexpr char16_t kLastEscapedByte = 0xDCFF;
constexpr char32_t kReplacement = 0xFFFD;
// The most bytes one UTF-16 unit can become: "\u001f" in json.
constexpr qsizetype kWorstPerUnit = 6;
const char kHexDigits[] = "0123456789abcdef";

char* PutUtf8(char* out, char32_t point) {
    if (point < 0x80) {
        *out++ = static_cast<char>(point);
    } else if (point < 0x800) {
        *out++ = static_cast<char>(0xC0 | (point >> 6));
        *out++ = static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (point >> 12));
        *out++ = static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (point & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (point >> 18));
        *out++ = static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (point & 0x3F));
    }
    return out;
}

bool PairsAt(QStringView text, qsizetype i) {
    return QChar::isHighSurrogate(text[i].unicode()) && i + 1 < text.size() &&
           QChar::isLowSurrogate(text[i + 1].unicode());
}

// Writes the character at i (a surrogate or beyond ASCII) as a name's bytes; returns the
// index of its last unit.
qsizetype PutNativeUnit(char*& out, QStringView text, qsizetype i) {
    const char16_t unit = text[i].unicode();
    if (PairsAt(text, i)) {
        out = PutUtf8(out, QChar::surrogateToUcs4(unit, text[i + 1].unicode()));
        return i + 1;
    }
    if (unit >= kFirstEscapedByte && unit <= kLastEscapedByte)
        *out++ = static_cast<char>(unit - kEscapedByteBase);
    else
        out = PutUtf8(out, QChar::isSurrogate(unit) ? kReplacement : unit);
    return i;
}

char* PutHexEscape(char* out, char16_t unit) {
    *out++ = '\\';
    *out++ = 'x';
    *out++ = kHexDigits[(unit >> 4) & 0xF];
    *out++ = kHexDigits[unit & 0xF];
    return out;
}

// Printable ASCII that a tsv field holds as it is.
bool IsPlainTsv(char16_t unit) {
    return unit >= 0x20 && unit < 0x7F && unit != u'\\';
}

char* PutTsvAscii(char* out, char16_t unit) {
    switch (unit) {
    case u'\\':
        *out++ = '\\';
        *out++ = '\\';
        return out;
    case u'\t':
        *out++ = '\\';
        *out++ = 't';
        return out;
    case u'\r':
        *out++ = '\\';
        *out++ = 'r';
        return out;
    case u'\n':
        *out++ = '\\';
        *out++ = 'n';
        return out;
    default:
        if (unit < 0x20 || unit == 0x7F)
            return PutHexEscape(out, unit);
        *out++ = static_cast<char>(unit);
        return out;
    }
}

char* PutJsonAscii(char* out, char16_t unit) {
    if (unit >= 0x20 && unit != u'"' && unit != u'\\') {
        *out++ = static_cast<char>(unit);
        return out;
    }
    *out++ = '\\';
    switch (unit) {
    case u'"':
        *out++ = '"';
        break;
    case u'\\':
        *out++ = '\\';
        break;
    case u'\b':
        *out++ = 'b';
        break;
    case u'\f':
        *out++ = 'f';
        break;
    case u'\n':
        *out++ = 'n';
        break;
    case u'\r':
        *out++ = 'r';
        break;
    case u'\t':
        *out++ = 't';
        break;
    default:
        *out++ = 'u';
        *out++ = '0';
        *out++ = '0';
        *out++ = kHexDigits[(unit >> 4) & 0xF];
        *out++ = kHexDigits[unit & 0xF];
    }
    return out;
}

} // namespace

COutputBuffer::COutputBuffer(std::FILE* stream, qsizetype blockSize)
    : m_stream(stream), m_blockSize(std::max<qsizetype>(blockSize, 1)) {
    m_block.resize(m_blockSize);
}

COutputBuffer::~COutputBuffer() {
    Flush();
}

char* COutputBuffer::Room(qsizetype bytes) {
    if (m_used + bytes > m_blockSize && m_stream)
        Flush();
    if (m_used + bytes > m_block.size())
        m_block.resize(std::max(m_used + bytes, m_block.size() * 2));
    return m_block.data() + m_used;
}

void COutputBuffer::Commit(const char* end) {
    m_used = end - m_block.constData();
}

void COutputBuffer::Append(char c) {
    char* out = Room(1);
    *out++ = c;
    Commit(out);
}

void COutputBuffer::Append(QByteArrayView bytes) {
    char* out = Room(bytes.size());
    std::copy(bytes.begin(), bytes.end(), out);
    Commit(out + bytes.size());
}

void COutputBuffer::AppendNative(QStringView text) {
    char* out = Room(text.size() * kWorstPerUnit);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80)
            *out++ = static_cast<char>(unit);
        else
            i = PutNativeUnit(out, text, i);
    }
    Commit(out);
}

void COutputBuffer::AppendTsvField(QStringView text) {
    char* out = Room(text.size() * kWorstPerUnit);
    const char16_t* units = text.utf16();
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        // Most names are printable ASCII from end to end: those units are copied as bytes.
        while (IsPlainTsv(units[i])) {
            *out++ = static_cast<char>(units[i]);
            if (++i == size) {
                Commit(out);
                return;
            }
        }
        if (units[i] < 0x80)
            out = PutTsvAscii(out, units[i]);
        else
            i = PutNativeUnit(out, text, i);
    }
    Commit(out);
}

void COutputBuffer::AppendJsonString(QStringView text) {
    char* out = Room(text.size() * kWorstPerUnit + 2);
    *out++ = '"';
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80) {
            out = PutJsonAscii(out, unit);
        } else if (PairsAt(text, i)) {
            out = PutUtf8(out, QChar::surrogateToUcs4(unit, text[i + 1].unicode()));
            ++i;
        } else {
            out = PutUtf8(out, QChar::isSurrogate(unit) ? kReplacement : unit);
        }
    }
    *out++ = '"';
    Commit(out);
}

void COutputBuffer::Flush() {
    if (!m_stream || m_used == 0)
        return;
    std::fwrite(m_block.constData(), 1, static_cast<size_t>(m_used), m_stream);
    m_used = 0;
}

QByteArray COutputBuffer::Take() {
    QByteArray bytes = m_block.left(m_used);
    m_used = 0;
    return bytes;
}
