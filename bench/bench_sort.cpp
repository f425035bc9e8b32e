// SPDX-License-Identifier: GPL-3.0-or-later
// Times sorting a listed tree (subfolders on) by name, plain and logical, each from the
// order the scan found the entries in; prints the median of several runs.
#include "filelist/cfolderscan.h"
#include "filelist/csortorder.h"
#include "filelist/listcolumns.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 7;

double MedianSortMs(const std::vector<FILEENTRY>& entries, int column, bool logical) {
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        CFileList list;
        list.AppendRows(std::vector<FILEENTRY>(entries));
        CSortOrder order;
        order.SortByColumn(column, true);
        order.State().logical = logical;
        QElapsedTimer timer;
        timer.start();
        order.SortList(list);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qvn_bench_sort DIR\n");
        return 2;
    }
    SCANSETTINGS settings;
    settings.rootPath = QByteArray(argv[1]);
    settings.subfolders = true;
    const std::vector<FILEENTRY> entries = ScanFolderEntries(settings);
    std::printf("entries %zu\n", entries.size());
    std::printf("sort by name, plain: median %.1f ms\n", MedianSortMs(entries, ColName, false));
    std::printf("sort by name, logical: median %.1f ms\n", MedianSortMs(entries, ColName, true));
    std::printf("sort by folder, plain: median %.1f ms\n", MedianSortMs(entries, ColSubDir, false));
    return 0;
}
