// SPDX-License-Identifier: GPL-3.0-or-later
// Times one listing of a tree with subfolders on, and one preview refresh of every listed
// row with the regular expression, replacement, case, removal, addition and numbering
// groups active; prints the figures and the peak memory per listed entry.
#include "engine/cpreviewrefresh.h"
#include "filelist/cfolderscan.h"
#include "filelist/nameconflicts.h"

#include <QElapsedTimer>
#include <QFile>

#include <cstdio>
#include <sys/resource.h>

namespace {

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

RenameCriteria BenchCriteria() {
    RenameCriteria c;
    c.regex.match = QStringLiteral("^(\\w+)[ _-](\\d+)");
    c.regex.replace = QStringLiteral("\\2-\\1");
    c.replacements.replace = QStringLiteral("photo");
    c.replacements.with = QStringLiteral("Picture");
    c.letterCase.change = CaseMode::Title;
    c.removals.trim = true;
    c.removals.doubleSpace = true;
    c.removals.chars = QStringLiteral("#");
    c.additions.prefix = QStringLiteral("2024 ");
    c.additions.suffix = QStringLiteral(" (%z)");
    c.numbering.mode = NumberingMode::Suffix;
    c.numbering.pad = QStringLiteral("5");
    c.numbering.separator = QStringLiteral("_");
    return c;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qvn_bench_scan DIR\n");
        return 2;
    }
    const long baseline = PeakKilobytes();
    SCANSETTINGS settings;
    settings.rootPath = QByteArray(argv[1]);
    settings.subfolders = true;
    CFileList list;
    QElapsedTimer timer;
    timer.start();
    ListFolder(list, settings, true);
    const qint64 scanMs = timer.elapsed();
    const long afterScan = PeakKilobytes();

    list.SelectAll();
    const RenameCriteria criteria = BenchCriteria();
    timer.restart();
    CPreviewRefresh(CurrentTimeValue, 1).Run(list, criteria, CHANGESETTINGS(), NAMEOPTIONS());
    const qint64 oneThreadMs = timer.elapsed();
    timer.restart();
    const REFRESHRESULT result =
        CPreviewRefresh().Run(list, criteria, CHANGESETTINGS(), NAMEOPTIONS());
    const qint64 refreshMs = timer.elapsed();
    // As a whole run marks them: the target folders are read afresh.
    timer.restart();
    MarkNameConflicts(list, QByteArray());
    const qint64 conflictsMs = timer.elapsed();

    const int rows = list.RowCount();
    std::printf("entries %d\n", rows);
    std::printf("scan_ms %lld\n", static_cast<long long>(scanMs));
    std::printf("refresh_ms %lld (%.2f us per row, next number %lld)\n",
                static_cast<long long>(refreshMs), rows ? 1000.0 * double(refreshMs) / rows : 0.0,
                static_cast<long long>(result.nextNumber));
    std::printf("refresh_one_thread_ms %lld\n", static_cast<long long>(oneThreadMs));
    std::printf("conflicts_ms %lld\n", static_cast<long long>(conflictsMs));
    std::printf("peak_bytes_per_entry %.0f\n",
                rows ? 1024.0 * double(afterScan - baseline) / rows : 0.0);
    if (rows > 0)
        std::printf("sample %s -> %s\n", qPrintable(list.GetEntry(rows / 2).name),
                    qPrintable(list.GetEntry(rows / 2).newName));
    return 0;
}
