// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <QStringView>

#include <array>
#include <vector>

// A regular expression compiled once per preview refresh and matched once per entry.
// Patterns and subjects travel as UTF-8, and \w, \d, \b and the classes know letters
// beyond ASCII. A character that stands for an undecodable byte of a name is seen by the
// pattern as U+FFFD and comes back unchanged in the groups. Match() reuses buffers of the
// object, so one object serves one thread at a time (each refresh worker compiles its own).
// Where the library can, the pattern is also compiled to machine code; a match the machine
// code cannot finish within its own limits is run again by the interpreter, so the result
// is the interpreter's.
class CRegexPattern {
public:
    CRegexPattern();
    ~CRegexPattern();
    CRegexPattern(const CRegexPattern&) = delete;
    CRegexPattern& operator=(const CRegexPattern&) = delete;

    bool Compile(const QString& pattern);
    bool IsValid() const { return m_code != nullptr; }

    // Matches from offset 0 with room for the whole match and nine groups. Returns the
    // library's result: negative for no match or an error, 0 when the pattern has more
    // than nine groups, else 1 + the number of groups set. groups[i - 1] receives the text
    // of group i (empty when it took no part or does not fit 255 bytes).
    int Match(QStringView subject, QStringList& groups) const;
    // The same, with the groups as views of the subject: nothing is allocated per match.
    using GROUPVIEWS = std::array<QStringView, 9>;
    int Match(QStringView subject, GROUPVIEWS& groups) const;

private:
    void Release();

    struct pcre2_real_code_8* m_code = nullptr;
    struct pcre2_real_match_data_8* m_matchData = nullptr;
    // The last subject as UTF-8 and the text position of every byte offset where a
    // character starts (-1 inside one; empty for an ASCII subject, whose offsets are its
    // positions), kept so that a match allocates nothing.
    mutable QByteArray m_utf8;
    mutable std::vector<qsizetype> m_textPosition;
};
