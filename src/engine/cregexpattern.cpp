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
// where a character starts. A character standing for an undecodable byte of a name (a
// lone surrogate) goes in as U+FFFD, so that it matches "." and the library accepts the
// subject; groups are then cut from the text itself, so they keep such characters.
struct SUBJECT {
    QByteArray utf8;
    std::vector<qsizetype> textPosition; // by byte offset; -1 inside a character
};

SUBJECT PrepareSubject(const QString& text) {
    SUBJECT subject;
    subject.utf8.reserve(text.size());
    subject.textPosition.reserve(static_cast<size_t>(text.size()) + 1);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype start = i;
        char32_t point = text[i].unicode();
        if (QChar::isHighSurrogate(point) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            point = QChar::surrogateToUcs4(text[i].unicode(), text[i + 1].unicode());
            ++i;
        } else if (QChar::isSurrogate(point))
            point = kReplacement;
        const qsizetype before = subject.utf8.size();
        AppendUtf8(subject.utf8, point);
        subject.textPosition.push_back(start);
        subject.textPosition.insert(subject.textPosition.end(),
                                    static_cast<size_t>(subject.utf8.size() - before - 1), -1);
    }
    subject.textPosition.push_back(text.size());
    return subject;
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
    return true;
}

int CRegexPattern::Match(const QString& subject, QStringList& groups) const {
    groups.clear();
    if (!m_code)
        return PCRE2_ERROR_NULL;
    const SUBJECT prepared = PrepareSubject(subject);
    const int result =
        pcre2_match(m_code, reinterpret_cast<PCRE2_SPTR>(prepared.utf8.constData()),
                    static_cast<PCRE2_SIZE>(prepared.utf8.size()), 0, 0, m_matchData, nullptr);
    const PCRE2_SIZE* offsets = pcre2_get_ovector_pointer(m_matchData);
    for (int i = 1; i < result; ++i) {
        const PCRE2_SIZE start = offsets[2 * i];
        const PCRE2_SIZE end = offsets[2 * i + 1];
        if (start == PCRE2_UNSET || end < start || end - start > kMostGroupBytes) {
            groups.append(QString());
            continue;
        }
        const qsizetype from = prepared.textPosition[start];
        const qsizetype to = prepared.textPosition[end];
        groups.append(from < 0 || to < 0 ? QString() : subject.mid(from, to - from));
    }
    return result;
}
