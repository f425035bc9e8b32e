// SPDX-License-Identifier: GPL-3.0-or-later
#include "nativename.h"

#include <algorithm>

namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr char16_t kEscapedByteBase = 0xDC00;
constexpr char16_t kFirstEscapedByte = 0xDC80;
constexpr char16_t kLastEscapedByte = 0xDCFF;

bool IsEscapedByte(char16_t unit) {
    return unit >= kFirstEscapedByte && unit <= kLastEscapedByte;
}

bool IsContinuation(uchar byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at `at`, or 0 when the byte there does not start
// one (overlong forms, surrogates and code points above U+10FFFF are not valid).
qsizetype ValidSequenceLength(const QByteArray& bytes, qsizetype at) {
    const auto byte = [&bytes](qsizetype i) { return static_cast<uchar>(bytes[i]); };
    const uchar lead = byte(at);
    if (lead < 0x80)
        return 1;
    qsizetype length = 0;
    char32_t minimum = 0;
    char32_t point = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, point = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, point = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, point = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > bytes.size())
        return 0;
    for (qsizetype i = 1; i < length; ++i) {
        if (!IsContinuation(byte(at + i)))
            return 0;
        point = (point << 6) | (byte(at + i) & 0x3F);
    }
    if (point < minimum || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
        return 0;
    return length;
}

void AppendUtf8(QByteArray& out, char32_t point) {
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (point >> 18));
        out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

bool IsControl(char32_t point) {
    return point < 0x20 || (point >= 0x7F && point <= 0x9F);
}

QLatin1String ShortEscape(char32_t point) {
    switch (point) {
    case '\n':
        return QLatin1String("\\n");
    case '\r':
        return QLatin1String("\\r");
    case '\t':
        return QLatin1String("\\t");
    default:
        return QLatin1String();
    }
}

QString HexEscape(char32_t point) {
    return QStringLiteral("\\x%1").arg(static_cast<uint>(point), 2, 16, QLatin1Char('0'));
}

} // namespace

QString DecodeNativeName(const QByteArray& nativeName) {
    QString text; // only a name with undecodable bytes is built up here
    qsizetype runStart = 0;
    qsizetype at = 0;
    while (at < nativeName.size()) {
        const qsizetype length = ValidSequenceLength(nativeName, at);
        if (length > 0) {
            at += length;
            continue;
        }
        if (text.isEmpty())
            text.reserve(nativeName.size());
        text += QString::fromUtf8(nativeName.constData() + runStart, at - runStart);
        text += QChar(static_cast<char16_t>(kEscapedByteBase + static_cast<uchar>(nativeName[at])));
        runStart = ++at;
    }
    if (runStart == 0)
        return QString::fromUtf8(nativeName);
    text += QString::fromUtf8(nativeName.constData() + runStart, at - runStart);
    return text;
}

QByteArray EncodeNativeName(QStringView text) {
    // Most names are plain ASCII, one byte per unit: entries encode their name on demand.
    if (!text.isEmpty() &&
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; })) {
        QByteArray ascii(text.size(), Qt::Uninitialized);
        std::transform(text.begin(), text.end(), ascii.begin(),
                       [](QChar c) { return static_cast<char>(c.unicode()); });
        return ascii;
    }
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            AppendUtf8(bytes, QChar::surrogateToUcs4(unit, text[i + 1].unicode()));
            ++i;
        } else if (IsEscapedByte(unit)) {
            bytes += static_cast<char>(unit - kEscapedByteBase);
        } else if (QChar::isSurrogate(unit)) {
            AppendUtf8(bytes, kReplacement);
        } else {
            AppendUtf8(bytes, unit);
        }
    }
    return bytes;
}

bool HoldsUndecodableBytes(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode()))
            ++i;
        else if (IsEscapedByte(unit))
            return true;
    }
    return false;
}

QString ShownName(QStringView text) {
    QString shown = text.toString();
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const char16_t unit = shown[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < shown.size() &&
            QChar::isLowSurrogate(shown[i + 1].unicode()))
            ++i;
        else if (QChar::isSurrogate(unit))
            shown[i] = QChar(kReplacement);
    }
    return shown;
}

QString EscapeControlCharacters(QStringView text) {
    const QString shown = ShownName(text);
    QString escaped;
    escaped.reserve(shown.size());
    for (const QChar c : shown) {
        if (!IsControl(c.unicode())) {
            escaped += c;
            continue;
        }
        const QLatin1String brief = ShortEscape(c.unicode());
        if (brief.isEmpty())
            escaped += HexEscape(c.unicode());
        else
            escaped += brief;
    }
    return escaped;
}

QByteArray EscapeControlBytes(const QByteArray& bytes) {
    QByteArray escaped;
    escaped.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<uchar>(bytes[i]);
        // A C1 control is two bytes in UTF-8 (C2 80 .. C2 9F).
        const bool c1 = byte == 0xC2 && i + 1 < bytes.size() &&
                        static_cast<uchar>(bytes[i + 1]) >= 0x80 &&
                        static_cast<uchar>(bytes[i + 1]) <= 0x9F;
        if (c1) {
            escaped += HexEscape(static_cast<uchar>(bytes[++i])).toLatin1();
        } else if (byte < 0x20 || byte == 0x7F) {
            const QLatin1String brief = ShortEscape(byte);
            escaped += brief.isEmpty() ? HexEscape(byte).toLatin1() : QByteArray(brief.data());
        } else {
            escaped += static_cast<char>(byte);
        }
    }
    return escaped;
}
