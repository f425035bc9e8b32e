// SPDX-License-Identifier: GPL-3.0-or-later
#include "namedigest.h"

#include "platform/nativename.h"

#include <QtEndian>

#include <algorithm>

namespace {

constexpr quint64 kMultiplier = 0x9E3779B97F4A7C15ULL;
constexpr char16_t kEscapedByteBase = 0xDC00;
constexpr char16_t kFirstEscapedByte = 0xDC80;
constexpr char16_t kLastEscapedByte = 0xDCFF;
constexpr char32_t kReplacement = 0xFFFD;

// Takes the bytes eight at a time: one multiplication per word, not per byte.
class CFoldedHasher {
public:
    // Eight bytes, folded already; only while no single byte waits.
    void AddWord(quint64 word) {
        m_hash = (m_hash ^ word) * kMultiplier;
        m_hash ^= m_hash >> 29;
        m_size += 8;
    }
    // Fewer than eight bytes, folded already, as the last ones; only while none waits.
    void AddTail(quint64 word, int count) {
        m_word = word;
        m_filled = count;
        m_size += count;
    }
    void Add(uchar byte) {
        if (byte >= 'A' && byte <= 'Z')
            byte |= 0x20;
        m_word |= quint64(byte) << (8 * m_filled);
        ++m_size;
        if (++m_filled == 8) {
            m_hash = (m_hash ^ m_word) * kMultiplier;
            m_hash ^= m_hash >> 29;
            m_word = 0;
            m_filled = 0;
        }
    }
    [[nodiscard]] qsizetype Size() const { return m_size; }
    [[nodiscard]] quint64 Finish() const {
        quint64 hash = (m_hash ^ m_word ^ (quint64(m_size) << 48)) * kMultiplier;
        hash ^= hash >> 32;
        hash *= kMultiplier;
        return hash ^ (hash >> 29);
    }

private:
    quint64 m_hash = 0;
    quint64 m_word = 0;
    int m_filled = 0;
    qsizetype m_size = 0;
};

template <typename Sink> void EmitUtf8(char32_t point, Sink& sink) {
    if (point < 0x80) {
        sink(uchar(point));
    } else if (point < 0x800) {
        sink(uchar(0xC0 | (point >> 6)));
        sink(uchar(0x80 | (point & 0x3F)));
    } else if (point < 0x10000) {
        sink(uchar(0xE0 | (point >> 12)));
        sink(uchar(0x80 | ((point >> 6) & 0x3F)));
        sink(uchar(0x80 | (point & 0x3F)));
    } else {
        sink(uchar(0xF0 | (point >> 18)));
        sink(uchar(0x80 | ((point >> 12) & 0x3F)));
        sink(uchar(0x80 | ((point >> 6) & 0x3F)));
        sink(uchar(0x80 | (point & 0x3F)));
    }
}

// Gives the bytes EncodeNativeName would give, one at a time; the two must agree.
template <typename Sink> void ForEachNativeByte(QStringView text, Sink sink) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80) {
            sink(uchar(unit));
        } else if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
                   QChar::isLowSurrogate(text[i + 1].unicode())) {
            EmitUtf8(QChar::surrogateToUcs4(unit, text[i + 1].unicode()), sink);
            ++i;
        } else if (unit >= kFirstEscapedByte && unit <= kLastEscapedByte) {
            sink(uchar(unit - kEscapedByteBase));
        } else if (QChar::isSurrogate(unit)) {
            EmitUtf8(kReplacement, sink);
        } else {
            EmitUtf8(unit, sink);
        }
    }
}

constexpr quint64 kOnes = 0x0101010101010101ULL;
constexpr quint64 kHighBits = 0x8080808080808080ULL;

// Whether any of the eight bytes is 0.
constexpr bool HasZeroByte(quint64 word) {
    return ((word - kOnes) & ~word & kHighBits) != 0;
}

// Four units as one word, the first lowest.
quint64 FourUnits(const char16_t* units) {
    return quint64(units[0]) | quint64(units[1]) << 16 | quint64(units[2]) << 32 |
           quint64(units[3]) << 48;
}

// The low bytes of four units below 0x100, the first lowest.
quint32 PackLowBytes(quint64 four) {
    four = (four | (four >> 8)) & 0x0000FFFF0000FFFFULL;
    return quint32(four | (four >> 16));
}

// A to Z folded in eight bytes below 0x80 at once: no sum below carries into the next byte.
constexpr quint64 FoldAsciiWord(quint64 word) {
    const quint64 upper = (word + 0x3F * kOnes) & ~(word + 0x25 * kOnes) & kHighBits;
    return word | (upper >> 2);
}

// The same for any eight bytes: those from 0x80 up are left out of the sums and the fold.
constexpr quint64 FoldWord(quint64 word) {
    const quint64 low = word & ~kHighBits;
    const quint64 upper = (low + 0x3F * kOnes) & ~(low + 0x25 * kOnes) & ~word & kHighBits;
    return word | (upper >> 2);
}

// The leading whole words of ASCII units, hashed eight at a time: most names are ASCII, and
// a unit below 0x80 is its own byte. Returns how many units were taken.
qsizetype AddAsciiWords(const char16_t* units, qsizetype size, CFoldedHasher& hasher,
                        bool& nulOrSlash) {
    qsizetype i = 0;
    for (; i + 8 <= size; i += 8) {
        const quint64 low = FourUnits(units + i);
        const quint64 high = FourUnits(units + i + 4);
        if (((low | high) & 0xFF80FF80FF80FF80ULL) != 0)
            break;
        const quint64 word = quint64(PackLowBytes(low)) | quint64(PackLowBytes(high)) << 32;
        nulOrSlash |= HasZeroByte(word) || HasZeroByte(word ^ (0x2F * kOnes));
        hasher.AddWord(FoldAsciiWord(word));
    }
    return i;
}

bool HoldsSurrogate(QStringView text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSurrogate(); });
}

} // namespace

NAMEDIGEST DigestNativeName(QStringView text) {
    CFoldedHasher hasher;
    bool nulOrSlash = false;
    const char16_t* units = text.utf16();
    const qsizetype words = AddAsciiWords(units, text.size(), hasher, nulOrSlash);
    const qsizetype rest = text.size() - words;
    if (rest < 8 && std::all_of(units + words, units + text.size(),
                                [](char16_t unit) { return unit < 0x80; })) {
        quint64 word = 0;
        for (qsizetype k = 0; k < rest; ++k)
            word |= quint64(units[words + k]) << (8 * k);
        nulOrSlash |=
            HasZeroByte(word | (~quint64(0) << (8 * rest))) || HasZeroByte(word ^ (0x2F * kOnes));
        hasher.AddTail(FoldAsciiWord(word), int(rest));
    } else {
        ForEachNativeByte(text.mid(words), [&](uchar byte) {
            hasher.Add(byte);
            nulOrSlash |= byte == 0 || byte == '/';
        });
    }
    NAMEDIGEST digest;
    digest.foldedHash = hasher.Finish();
    digest.size = hasher.Size();
    // Only "." and ".." give one or two dots: every other unit gives bytes from 0x80 up.
    digest.invalid = nulOrSlash || text == u"." || text == u"..";
    return digest;
}

quint64 FoldedNameHash(const QByteArray& nativeName) {
    CFoldedHasher hasher;
    const qsizetype size = nativeName.size();
    const auto* bytes = reinterpret_cast<const uchar*>(nativeName.constData());
    qsizetype i = 0;
    for (; i + 8 <= size; i += 8)
        hasher.AddWord(FoldWord(qFromLittleEndian<quint64>(bytes + i)));
    for (; i < size; ++i)
        hasher.Add(bytes[i]);
    return hasher.Finish();
}

// Text made only of characters and whole surrogate pairs encodes one way only, so two
// such texts differ exactly when their bytes do; only a lone surrogate needs the bytes.
bool SameNativeName(QStringView a, QStringView b) {
    if (a == b)
        return true;
    if (!HoldsSurrogate(a) && !HoldsSurrogate(b))
        return false;
    return EncodeNativeName(a) == EncodeNativeName(b);
}
