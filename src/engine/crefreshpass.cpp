// SPDX-License-Identifier: GPL-3.0-or-later
#include "crefreshpass.h"

#include "cpreviewrefresh.h"
#include "cregexpattern.h"
#include "criterionbinding.h"
#include "numbertext.h"

#include "filelist/textrules.h"
#include "platform/workshares.h"

#include <algorithm>

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
constexpr size_t kRowsPerWorker = 4096;
constexpr int kMostWorkers = 16;

} // namespace

CRefreshPass::CRefreshPass(Clock clock, int workers)
    : m_clock(std::move(clock)), m_workers(workers) {}

void CRefreshPass::Start(CFileList& list, const RenameCriteria& criteria,
                         const CHANGESETTINGS& changes, const NAMEOPTIONS& options) {
    m_criteria = criteria;
    m_changes = changes;
    m_options = options;
    m_work.clear();
    m_cursor = 0;
    m_remaining = 0;
    m_result = REFRESHRESULT();
    if (list.NextSelected(-1) < 0)
        return;
    m_result.ran = true;
    // The moment of each row is asked only when a date or a time of the preview needs it.
    m_needsNow = (ActiveGroups(criteria) & (qint32(1) << GroupAutoDate)) ||
                 changes.createdMode != TimestampMode::NoChange ||
                 changes.modifiedMode != TimestampMode::NoChange ||
                 changes.accessedMode != TimestampMode::NoChange;

    m_input = NAMEINPUT();
    m_input.removeWords = SplitRemoveWords(criteria.removals.words);
    m_input.exceptionWords = SplitExceptionWords(criteria.letterCase.exceptions);
    m_input.sizeText = &m_sizeText;
    m_input.activeGroups = ActiveGroups(criteria);
    m_numbers = ReadCriteriaNumbers(criteria);
    m_input.numbers = &m_numbers;
    CRegexPattern pattern;
    m_result.patternInvalid =
        !pattern.Compile(criteria.regex.match) && !criteria.regex.match.isEmpty();

    const RUNSETTINGS run = ConvertSettings(criteria.numbering);
    if (run.breakLength > 0 || m_workers == 1) {
        RunInOrder(list);
        return;
    }
    // Without the restart by name, a row's number follows from the rows before it and
    // their folders alone.
    m_work.reserve(size_t(list.SelectedCount()));
    qint64 number = run.start;
    const QString* previousSubDir = nullptr;
    const QString noSubDir;
    for (int row = list.NextSelected(-1); row >= 0; row = list.NextSelected(row)) {
        const FILEENTRY& entry = list.GetEntry(row);
        ROWWORK w;
        w.row = row;
        w.now = m_needsNow ? m_clock() : 0;
        w.numberBeforeRestart = number;
        if (criteria.numbering.breakFolder &&
            AsciiCompareNoCase(entry.SubDir(), previousSubDir ? *previousSubDir : noSubDir) != 0)
            number = run.start;
        w.number = number;
        m_work.push_back(w);
        previousSubDir = &entry.SubDir();
        number += run.increment;
    }
    m_result.nextNumber = number;
    m_remaining = m_work.size();
}

void CRefreshPass::RunRows(CFileList& list, int firstRow, int lastRow) {
    const auto byRow = [](const ROWWORK& w, int row) { return w.row < row; };
    auto it = std::lower_bound(m_work.begin(), m_work.end(), firstRow, byRow);
    std::vector<size_t> items;
    for (; it != m_work.end() && it->row <= lastRow; ++it) {
        if (!it->done)
            items.push_back(size_t(it - m_work.begin()));
    }
    Compute(list, items);
}

void CRefreshPass::RunNext(CFileList& list, int count) {
    std::vector<size_t> items;
    items.reserve(std::min(m_remaining, size_t(std::max(count, 0))));
    for (; m_cursor < m_work.size() && items.size() < size_t(std::max(count, 0)); ++m_cursor) {
        if (!m_work[m_cursor].done)
            items.push_back(m_cursor);
    }
    Compute(list, items);
}

int CRefreshPass::WorkersFor(size_t rows) const {
    if (rows == 0)
        return 1;
    // A count asked for is taken as it is, so that a small list can be split too.
    if (m_workers > 0)
        return int(std::min({size_t(m_workers), size_t(kMostWorkers), rows}));
    const size_t available = size_t(ProcessorCount());
    return int(std::clamp(std::min(available, rows / kRowsPerWorker + 1), size_t(1),
                          size_t(kMostWorkers)));
}

void CRefreshPass::Compute(CFileList& list, const std::vector<size_t>& items) {
    if (items.empty())
        return;
    const int workers = WorkersFor(items.size());
    QString trace; // only the worker that holds the debug row writes it
    RunRangeShares(items.size(), workers, [&](size_t first, size_t last) {
        ComputeShare(list, items, first, last, trace);
    });

    for (size_t k = 0; k < items.size(); ++k) {
        ROWWORK& work = m_work[items[k]];
        if (!m_result.traced && work.row == m_options.debugRow) {
            m_result.traced = true;
            m_result.trace = trace;
        }
        list.PreviewStored(work.row);
        work.done = true;
    }
    m_remaining -= items.size();
}

void CRefreshPass::ComputeShare(CFileList& list, const std::vector<size_t>& items, size_t first,
                                size_t last, QString& trace) const {
    if (first >= last)
        return;
    const RUNSETTINGS run = ConvertSettings(m_criteria.numbering);
    const RenameCriteria own = UnsharedCriteria(m_criteria);
    NAMEINPUT input = m_input;
    input.removeWords = UnsharedList(m_input.removeWords);
    input.exceptionWords = UnsharedList(m_input.exceptionWords);
    CRegexPattern pattern;
    input.pattern = pattern.Compile(own.regex.match) ? &pattern : nullptr;
    const qint32 active = m_input.activeGroups;
    // With no group and no pair list every new name is its name: no row needs the generator.
    const bool unchanged = active == 0 && !HasRenamePairs(m_options);
    const bool numbered = active & (qint32(1) << GroupNumbering);
    const bool byFolder = active & (qint32(1) << GroupFolderName);
    for (size_t k = first; k < last; ++k) {
        const ROWWORK& w = m_work[items[k]];
        const FILEENTRY& entry = list.GetEntry(w.row);
        const PENDINGTIMES pending = PreviewTimes(m_changes, entry, w.now);
        const bool debugged = w.row == m_options.debugRow;
        if (unchanged && !debugged) {
            StoreRow(list, w.row, entry.name, pending);
            continue;
        }
        input.date = DateOfType(own.autoDate.type, entry, pending, w.now);
        input.name = entry.name;
        // Rows of one folder share its text; copying it for every row would make the
        // workers count references on one cache line.
        if (byFolder && !input.folderPath.isSharedWith(entry.FolderPath()) &&
            input.folderPath != entry.FolderPath())
            input.folderPath = Unshared(entry.FolderPath());
        input.isFolder = entry.isFolder;
        input.index = w.row;
        input.entry = &entry;
        QString newName;
        if (debugged) {
            input.number = NumberText(w.numberBeforeRestart, run.radix, run.pad);
            newName = GenerateNewName(own, input, m_options, &trace);
        }
        if (!debugged || w.number != w.numberBeforeRestart) {
            if (numbered)
                input.number = NumberText(w.number, run.radix, run.pad);
            newName = GenerateNewName(own, input, m_options);
        }
        StoreRow(list, w.row, newName, pending);
    }
}

void CRefreshPass::StoreRow(CFileList& list, int row, const QString& newName,
                            const PENDINGTIMES& pending) const {
    list.StorePreview(row, newName,
                      PendingAttributes(list.GetEntry(row).attributes, m_changes.attributeFlags),
                      pending.created, pending.modified, pending.accessed);
}

void CRefreshPass::Store(CFileList& list, const ROWWORK& work, const ROWRESULT& result) {
    StoreRow(list, work.row, result.newName, result.pending);
    list.PreviewStored(work.row);
}

void CRefreshPass::RunInOrder(CFileList& list) {
    const RUNSETTINGS run = ConvertSettings(m_criteria.numbering);
    NAMEINPUT input = m_input;
    CRegexPattern pattern;
    input.pattern = pattern.Compile(m_criteria.regex.match) ? &pattern : nullptr;

    qint64 number = run.start;
    QString previousNewName;
    QString previousSubDir;
    for (int row = list.NextSelected(-1); row >= 0; row = list.NextSelected(row)) {
        const FILEENTRY& entry = list.GetEntry(row);
        ROWWORK work;
        work.row = row;
        work.now = m_needsNow ? m_clock() : 0;
        ROWRESULT result;
        result.pending = PreviewTimes(m_changes, entry, work.now);

        input.number = NumberText(number, run.radix, run.pad);
        input.date = DateOfType(m_criteria.autoDate.type, entry, result.pending, work.now);
        input.name = entry.name;
        input.folderPath = entry.FolderPath();
        input.isFolder = entry.isFolder;
        input.index = row;
        input.entry = &entry;
        QString trace;
        result.newName = GenerateNewName(m_criteria, input, m_options, &trace);
        if (!m_result.traced && row == m_options.debugRow) {
            m_result.traced = true;
            m_result.trace = trace;
        }

        const bool restartByBreak = run.breakLength > 0 && !previousNewName.isEmpty() &&
                                    DifferNoCase(result.newName, previousNewName, run.breakLength);
        const bool restartByFolder = m_criteria.numbering.breakFolder &&
                                     AsciiCompareNoCase(entry.SubDir(), previousSubDir) != 0;
        if (restartByBreak || restartByFolder) {
            number = run.start;
            input.number = NumberText(number, run.radix, run.pad);
            result.newName = GenerateNewName(m_criteria, input, m_options);
        }
        previousSubDir = entry.SubDir();
        previousNewName = result.newName;
        Store(list, work, result);
        number += run.increment;
    }
    m_result.nextNumber = number;
}
