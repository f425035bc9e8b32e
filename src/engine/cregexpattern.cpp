// SPDX-License-Identifier: GPL-3.0-or-later
#define PCRE2_CODE_UNIT_WIDTH 8
#include "cregexpattern.h"

#include <pcre2.h>

namespace {

constexpr uint32_t kOffsetPairs = 10; // the whole match and nine groups
constexpr PCRE2_SIZE kGroupBuffer = 256;

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
    const QByteArray utf8 = subject.toUtf8();
    const int result =
        pcre2_match(m_code, reinterpret_cast<PCRE2_SPTR>(utf8.constData()),
                    static_cast<PCRE2_SIZE>(utf8.size()), 0, 0, m_matchData, nullptr);
    for (int i = 1; i < result; ++i) {
        PCRE2_UCHAR buffer[kGroupBuffer];
        PCRE2_SIZE length = kGroupBuffer;
        if (pcre2_substring_copy_bynumber(m_matchData, static_cast<uint32_t>(i), buffer, &length) ==
            0)
            groups.append(QString::fromUtf8(reinterpret_cast<const char*>(buffer),
                                            static_cast<qsizetype>(length)));
        else
            groups.append(QString());
    }
    return result;
}
