// SPDX-License-Identifier: GPL-3.0-or-later
#define PCRE2_CODE_UNIT_WIDTH 8
#include "cregexpattern.h"

#include <pcre2.h>

#include <vector>

namespace {

constexpr uint32_t kOffsetPairs = 10; // the whole match and nine groups
constexpr PCRE2_SIZE kMostGroupBytes = 255;
constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(QByteArray& out, char32_t point) {
    if (point < 0x80) {
        out += static_cast<char>(point);
        return;
    }
    const int length = point < 0x800 ? 2 : point < 0x10000 ? 3 : 4;
    static constexpr unsigned char kLead[] = {0, 0, 0xC0, 0xE0, 0xF0};
    char bytes[4];
    for (int i = length - 1; i > 0; --i, point >>= 6)
        bytes[i] = static_cast<char>(0x80 | (point & 0x3F));
    bytes[0] = static_cast<char>(kLead[length] | point);
    out.append(bytes, length);
}

// The subject as UTF-8 for the library, with the text position of every byte offset
// where a character starts (none for an ASCII subject). A character standing for an undecodable
// byte of a name (a lone surrogate) goes in as U+FFFD, so that it matches "." and the library
// accepts the subject; groups are then cut from the text itself, so they keep such characters. Most
// names are ASCII: their bytes are their units and every position is its own offset.
void PrepareSubject(QStringView text, QByteArray& utf8, std::vector<qsizetype>& textPosition) {
    textPosition.clear();
    const char16_t* units = text.utf16();
    const qsizetype size = text.size();
    qsizetype ascii = 0;
    while (ascii < size && units[ascii] < 0x80)
        ++ascii;
    utf8.resize(ascii); // keeps the room of earlier subjects
    char* bytes = utf8.data();
    for (qsizetype i = 0; i < ascii; ++i)
        bytes[i] = char(units[i]);
    // An ASCII subject leaves the table empty: every offset is its own position.
    if (ascii == size)
        return;
    textPosition.resize(size_t(ascii));
    for (qsizetype i = 0; i < ascii; ++i)
        textPosition[size_t(i)] = i;
    for (qsizetype i = ascii; i < size; ++i) {
        const qsizetype start = i;
        char32_t point = units[i];
        if (QChar::isHighSurrogate(point) && i + 1 < size && QChar::isLowSurrogate(units[i + 1])) {
            point = QChar::surrogateToUcs4(units[i], units[i + 1]);
            ++i;
        } else if (QChar::isSurrogate(point))
            point = kReplacement;
        const qsizetype before = utf8.size();
        AppendUtf8(utf8, point);
        textPosition.push_back(start);
        textPosition.insert(textPosition.end(), static_cast<size_t>(utf8.size() - before - 1), -1);
    }
    textPosition.push_back(size);
}

} // namespace

CRegexPattern::CRegexPattern() = default;

CRegexPattern::~CRegexPattern() {
    Release();
}

void CRegexPattern::Release() {
    pcre2_match_data_free(m_matchData);
    pcre2_code_free(m_code);
    m_matchData = nullptr;
    m_code = nullptr;
}

bool CRegexPattern::Compile(const QString& pattern) {
    Release();
    const QByteArray utf8 = pattern.toUtf8();
    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    m_code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(utf8.constData()),
                           static_cast<PCRE2_SIZE>(utf8.size()), PCRE2_UTF | PCRE2_UCP, &error,
                           &errorOffset, nullptr);
    if (!m_code)
        return false;
    m_matchData = pcre2_match_data_create(kOffsetPairs, nullptr);
    if (!m_matchData) {
        Release();
        return false;
    }
    // Matching once per row makes the compiled code pay for itself within a few rows. It
    // may be unavailable (no JIT support, no executable memory): the interpreter serves.
    (void)pcre2_jit_compile(m_code, PCRE2_JIT_COMPLETE);
    return true;
}

int CRegexPattern::Match(QStringView subject, QStringList& groups) const {
    GROUPVIEWS views;
    const int result = Match(subject, views);
    groups.clear();
    for (int i = 1; i < result; ++i)
        groups.append(views[size_t(i - 1)].toString());
    return result;
}

int CRegexPattern::Match(QStringView subject, GROUPVIEWS& groups) const {
    groups.fill(QStringView());
    if (!m_code)
        return PCRE2_ERROR_NULL;
    PrepareSubject(subject, m_utf8, m_textPosition);
    const auto run = [&](uint32_t options) {
        return pcre2_match(m_code, reinterpret_cast<PCRE2_SPTR>(m_utf8.constData()),
                           static_cast<PCRE2_SIZE>(m_utf8.size()), 0, options, m_matchData,
                           nullptr);
    };
    // The subject was made valid UTF-8 above: the library need not check it again.
    int result = run(PCRE2_NO_UTF_CHECK);
    // The machine code has its own stack and limits; only the interpreter's verdict counts.
    if (result < 0 && result != PCRE2_ERROR_NOMATCH)
        result = run(PCRE2_NO_UTF_CHECK | PCRE2_NO_JIT);
    const PCRE2_SIZE* offsets = pcre2_get_ovector_pointer(m_matchData);
    for (int i = 1; i < result && i <= int(groups.size()); ++i) {
        const PCRE2_SIZE start = offsets[2 * i];
        const PCRE2_SIZE end = offsets[2 * i + 1];
        if (start == PCRE2_UNSET || end < start || end - start > kMostGroupBytes)
            continue;
        const bool ascii = m_textPosition.empty();
        const qsizetype from = ascii ? qsizetype(start) : m_textPosition[start];
        const qsizetype to = ascii ? qsizetype(end) : m_textPosition[end];
        if (from >= 0 && to >= 0)
            groups[size_t(i - 1)] = subject.mid(from, to - from);
    }
    return result;
}
