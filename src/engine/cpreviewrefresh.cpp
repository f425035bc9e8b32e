// SPDX-License-Identifier: GPL-3.0-or-later
#include "cpreviewrefresh.h"

#include "cregexpattern.h"
#include "numbertext.h"

#include "filelist/textrules.h"

#include <limits>

namespace {

// The settings of one run, converted once.
struct RUNSETTINGS {
    qint64 start = 0;
    qint64 increment = 0;
    int breakLength = 0;
    int pad = 0;
    int radix = 10;
};

RUNSETTINGS ConvertSettings(const NUMBERINGCRITERIA& n) {
    RUNSETTINGS s;
    s.increment = ToInt32(n.increment);
    s.breakLength = ToInt32(n.breakLength);
    s.pad = ToInt32(n.pad);
    s.radix = static_cast<int>(n.type) + 2;
    s.start = NumberingStart(ToInt32(n.start), s.radix, s.pad);
    return s;
}

TimeValue DateOfType(AutoDateType type, const FILEENTRY& entry, const PENDINGTIMES& pending,
                     TimeValue now) {
    switch (type) {
    case AutoDateType::CreationCurrent:
        return entry.created;
    case AutoDateType::CreationNew:
        return pending.created;
    case AutoDateType::ModifiedCurrent:
        return entry.modified;
    case AutoDateType::ModifiedNew:
        return pending.modified;
    case AutoDateType::AccessedCurrent:
        return entry.accessed;
    case AutoDateType::AccessedNew:
        return pending.accessed;
    case AutoDateType::Taken:
        return entry.dateTaken;
    case AutoDateType::Current:
        return now;
    default:
        return 0;
    }
}

bool DifferNoCase(const QString& a, const QString& b, int length) {
    return AsciiCompareNoCase(QStringView(a).left(length), QStringView(b).left(length)) != 0;
}

} // namespace

qint64 NumberingStart(qint64 start, int radix, int pad) {
    if (radix <= 36 || pad < 1)
        return start;
    // 1 + 26 + 26^2 + ... + 26^(pad - 1), held at the largest value that still leaves room
    // for the start, so a huge pad cannot overflow.
    constexpr qint64 kLimit = std::numeric_limits<qint64>::max() / 64;
    qint64 first = 0;
    qint64 power = 1;
    for (int i = 0; i < pad && first < kLimit; ++i) {
        first += power;
        power = power > kLimit / 26 ? kLimit : power * 26;
    }
    return qMin(first, kLimit) + start - 1;
}

CPreviewRefresh::CPreviewRefresh(Clock clock) : m_clock(std::move(clock)) {}

REFRESHRESULT CPreviewRefresh::Run(CFileList& list, const RenameCriteria& criteria,
                                   const CHANGESETTINGS& changes,
                                   const NAMEOPTIONS& options) const {
    REFRESHRESULT result;
    const RUNSETTINGS run = ConvertSettings(criteria.numbering);
    if (list.NextSelected(-1) < 0)
        return result;
    result.ran = true;

    NAMEINPUT input;
    input.removeWords = SplitRemoveWords(criteria.removals.words);
    input.exceptionWords = SplitExceptionWords(criteria.letterCase.exceptions);
    CRegexPattern pattern;
    const bool compiled = pattern.Compile(criteria.regex.match);
    result.patternInvalid = !compiled && !criteria.regex.match.isEmpty();
    input.pattern = compiled ? &pattern : nullptr;

    qint64 number = run.start;
    QString previousNewName;
    QString previousSubDir;
    for (int row = list.NextSelected(-1); row >= 0; row = list.NextSelected(row)) {
        const FILEENTRY& entry = list.GetEntry(row);
        const TimeValue now = m_clock();
        const PENDINGTIMES pending = PreviewTimes(changes, entry, now);

        input.number = NumberText(number, run.radix, run.pad);
        input.date = DateOfType(criteria.autoDate.type, entry, pending, now);
        input.name = entry.name;
        input.folderPath = entry.folderPath;
        input.isFolder = entry.isFolder;
        input.index = row;
        input.entry = &entry;
        QString trace;
        QString newName = GenerateNewName(criteria, input, options, &trace);
        if (!result.traced && row == options.debugRow) {
            result.traced = true;
            result.trace = trace;
        }

        const bool restartByBreak = run.breakLength > 0 && !previousNewName.isEmpty() &&
                                    DifferNoCase(newName, previousNewName, run.breakLength);
        const bool restartByFolder =
            criteria.numbering.breakFolder && AsciiCompareNoCase(entry.subDir, previousSubDir) != 0;
        if (restartByBreak || restartByFolder) {
            number = run.start;
            input.number = NumberText(number, run.radix, run.pad);
            newName = GenerateNewName(criteria, input, options);
        }
        previousSubDir = entry.subDir;
        previousNewName = newName;

        list.SetNewName(row, newName);
        list.SetPendingAttributes(row, PendingAttributes(entry.attributes, changes.attributeFlags));
        list.SetPendingCreated(row, pending.created);
        list.SetPendingModified(row, pending.modified);
        list.SetPendingAccessed(row, pending.accessed);
        number += run.increment;
    }
    result.nextNumber = number;
    return result;
}

bool CRefreshRequests::Post() {
    if (m_pending)
        return false;
    m_pending = true;
    return true;
}

bool CRefreshRequests::Take() {
    const bool was = m_pending;
    m_pending = false;
    return was;
}
