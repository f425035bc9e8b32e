// SPDX-License-Identifier: GPL-3.0-or-later
#include "cpreviewrefresh.h"

#include "cregexpattern.h"
#include "criterionbinding.h"
#include "numbertext.h"

#include "filelist/textrules.h"
#include "platform/csizetext.h"

#include <algorithm>
#include <limits>
#include <thread>
#include <vector>

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

// A copy that shares no text with the original. Workers that share a text count its
// references on one cache line, and every group copies its texts for every row.
QString Unshared(const QString& text) {
    return text.isNull() ? QString() : QString(text.constData(), text.size());
}

RenameCriteria UnsharedCriteria(const RenameCriteria& criteria) {
    RenameCriteria copy = criteria;
    for (const CRITERIONBINDING& binding : CriteriaBindings()) {
        if (const auto* text = std::get_if<QString& (*)(RenameCriteria&)>(&binding.field)) {
            QString& field = (*text)(copy);
            field = Unshared(field);
        }
    }
    return copy;
}

QStringList UnsharedList(const QStringList& list) {
    QStringList copy;
    copy.reserve(list.size());
    for (const QString& text : list)
        copy.append(Unshared(text));
    return copy;
}

// A worker is worth its start-up only for a few thousand rows.
constexpr int kRowsPerWorker = 4096;
constexpr int kMostWorkers = 16;

} // namespace

// A selected row as the calling thread prepares it for a worker.
struct CPreviewRefresh::ROWWORK {
    int row = 0;
    TimeValue now = 0;
    qint64 number = 0;
    qint64 numberBeforeRestart = 0; // the debug trace shows the first attempt
};

struct CPreviewRefresh::ROWRESULT {
    QString newName;
    PENDINGTIMES pending;
};

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

CPreviewRefresh::CPreviewRefresh(Clock clock, int workers)
    : m_clock(std::move(clock)), m_workers(workers) {}

REFRESHRESULT CPreviewRefresh::Run(CFileList& list, const RenameCriteria& criteria,
                                   const CHANGESETTINGS& changes,
                                   const NAMEOPTIONS& options) const {
    REFRESHRESULT result;
    if (list.NextSelected(-1) < 0)
        return result;
    result.ran = true;

    NAMEINPUT input;
    input.removeWords = SplitRemoveWords(criteria.removals.words);
    input.exceptionWords = SplitExceptionWords(criteria.letterCase.exceptions);
    const CSizeText sizeText;
    input.sizeText = &sizeText;
    const int workers = WorkersFor(list, criteria);
    if (workers > 1) {
        RunSplit(list, criteria, changes, options, input, workers, result);
        return result;
    }
    RunInOrder(list, criteria, changes, options, input, result);
    return result;
}

int CPreviewRefresh::WorkersFor(const CFileList& list, const RenameCriteria& criteria) const {
    if (m_workers == 1 || ToInt32(criteria.numbering.breakLength) > 0)
        return 1;
    // A count asked for is taken as it is, so that a small list can be split too.
    if (m_workers > 0)
        return std::min(m_workers, kMostWorkers);
    const int available = int(std::thread::hardware_concurrency());
    return std::clamp(std::min(available, list.RowCount() / kRowsPerWorker + 1), 1, kMostWorkers);
}

void CPreviewRefresh::RunSplit(CFileList& list, const RenameCriteria& criteria,
                               const CHANGESETTINGS& changes, const NAMEOPTIONS& options,
                               const NAMEINPUT& input, int workers, REFRESHRESULT& result) const {
    const RUNSETTINGS run = ConvertSettings(criteria.numbering);
    // The numbers first: without the restart by name, a row's number follows from the
    // rows before it and their folders alone.
    std::vector<ROWWORK> work;
    work.reserve(size_t(list.RowCount()));
    qint64 number = run.start;
    const QString* previousSubDir = nullptr;
    const QString noSubDir;
    for (int row = list.NextSelected(-1); row >= 0; row = list.NextSelected(row)) {
        const FILEENTRY& entry = list.GetEntry(row);
        ROWWORK w;
        w.row = row;
        w.now = m_clock();
        w.numberBeforeRestart = number;
        if (criteria.numbering.breakFolder &&
            AsciiCompareNoCase(entry.SubDir(), previousSubDir ? *previousSubDir : noSubDir) != 0)
            number = run.start;
        w.number = number;
        work.push_back(w);
        previousSubDir = &entry.SubDir();
        number += run.increment;
    }
    result.nextNumber = number;

    std::vector<ROWRESULT> results(work.size());
    QString trace; // only the worker that holds the debug row writes it
    std::vector<char> invalid(size_t(workers), 0);
    auto generate = [&](int worker) {
        const size_t first = work.size() * size_t(worker) / size_t(workers);
        const size_t last = work.size() * size_t(worker + 1) / size_t(workers);
        const RenameCriteria own = UnsharedCriteria(criteria);
        NAMEINPUT ownInput = input;
        ownInput.removeWords = UnsharedList(input.removeWords);
        ownInput.exceptionWords = UnsharedList(input.exceptionWords);
        CRegexPattern pattern;
        const bool compiled = pattern.Compile(own.regex.match);
        invalid[size_t(worker)] = !compiled && !own.regex.match.isEmpty();
        ownInput.pattern = compiled ? &pattern : nullptr;
        for (size_t k = first; k < last; ++k) {
            const ROWWORK& w = work[k];
            const FILEENTRY& entry = list.GetEntry(w.row);
            ROWRESULT& out = results[k];
            out.pending = PreviewTimes(changes, entry, w.now);
            ownInput.date = DateOfType(own.autoDate.type, entry, out.pending, w.now);
            ownInput.name = entry.name;
            ownInput.folderPath = entry.FolderPath();
            ownInput.isFolder = entry.isFolder;
            ownInput.index = w.row;
            ownInput.entry = &entry;
            if (w.row == options.debugRow) {
                ownInput.number = NumberText(w.numberBeforeRestart, run.radix, run.pad);
                out.newName = GenerateNewName(own, ownInput, options, &trace);
                if (w.number == w.numberBeforeRestart)
                    continue;
            }
            ownInput.number = NumberText(w.number, run.radix, run.pad);
            out.newName = GenerateNewName(own, ownInput, options);
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(size_t(workers - 1));
    for (int worker = 1; worker < workers; ++worker)
        threads.emplace_back(generate, worker);
    generate(0);
    for (std::thread& thread : threads)
        thread.join();

    result.patternInvalid = invalid[0] != 0;
    for (size_t k = 0; k < work.size(); ++k) {
        const int row = work[k].row;
        const FILEENTRY& entry = list.GetEntry(row);
        const ROWRESULT& r = results[k];
        if (!result.traced && row == options.debugRow) {
            result.traced = true;
            result.trace = trace;
        }
        list.SetNewName(row, r.newName);
        list.SetPendingAttributes(row, PendingAttributes(entry.attributes, changes.attributeFlags));
        list.SetPendingCreated(row, r.pending.created);
        list.SetPendingModified(row, r.pending.modified);
        list.SetPendingAccessed(row, r.pending.accessed);
    }
}

void CPreviewRefresh::RunInOrder(CFileList& list, const RenameCriteria& criteria,
                                 const CHANGESETTINGS& changes, const NAMEOPTIONS& options,
                                 NAMEINPUT& input, REFRESHRESULT& result) const {
    const RUNSETTINGS run = ConvertSettings(criteria.numbering);
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
        input.folderPath = entry.FolderPath();
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
        const bool restartByFolder = criteria.numbering.breakFolder &&
                                     AsciiCompareNoCase(entry.SubDir(), previousSubDir) != 0;
        if (restartByBreak || restartByFolder) {
            number = run.start;
            input.number = NumberText(number, run.radix, run.pad);
            newName = GenerateNewName(criteria, input, options);
        }
        previousSubDir = entry.SubDir();
        previousNewName = newName;

        list.SetNewName(row, newName);
        list.SetPendingAttributes(row, PendingAttributes(entry.attributes, changes.attributeFlags));
        list.SetPendingCreated(row, pending.created);
        list.SetPendingModified(row, pending.modified);
        list.SetPendingAccessed(row, pending.accessed);
        number += run.increment;
    }
    result.nextNumber = number;
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
