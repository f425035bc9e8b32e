// SPDX-License-Identifier: GPL-3.0-or-later
#include "namedigest.h"

#include "platform/nativename.h"

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

constexpr uchar Folded(uchar byte) {
    return byte >= 'A' && byte <= 'Z' ? byte | 0x20 : byte;
}

// The leading whole words of ASCII units, hashed eight at a time: most names are ASCII, and
// a unit below 0x80 is its own byte. Returns how many units were taken.
qsizetype AddAsciiWords(const char16_t* units, qsizetype size, CFoldedHasher& hasher,
                        bool& nulOrSlash) {
    qsizetype i = 0;
    for (; i + 8 <= size; i += 8) {
        quint64 word = 0;
        char16_t high = 0;
        bool bad = false;
        for (int k = 0; k < 8; ++k) {
            const char16_t unit = units[i + k];
            high |= unit;
            bad |= unit == 0 || unit == u'/';
            word |= quint64(Folded(uchar(unit))) << (8 * k);
        }
        if (high >= 0x80)
            break;
        nulOrSlash |= bad;
        hasher.AddWord(word);
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
    const qsizetype words = AddAsciiWords(text.utf16(), text.size(), hasher, nulOrSlash);
    ForEachNativeByte(text.mid(words), [&](uchar byte) {
        hasher.Add(byte);
        nulOrSlash |= byte == 0 || byte == '/';
    });
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
    for (; i + 8 <= size; i += 8) {
        quint64 word = 0;
        for (int k = 0; k < 8; ++k)
            word |= quint64(Folded(bytes[i + k])) << (8 * k);
        hasher.AddWord(word);
    }
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
