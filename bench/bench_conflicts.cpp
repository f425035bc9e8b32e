// SPDX-License-Identifier: GPL-3.0-or-later
// Marks the name conflicts of ROWS listed and selected files whose new names all change at
// each repeat (a new prefix, as a keystroke in the window gives), with the target folder's
// names kept between repeats as the window keeps them; prints the median time per marking.
//   qvn_bench_conflicts [ROWS] [REPEATS]
#include "filelist/cfolderscan.h"
#include "filelist/nameconflicts.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

double ThreadMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
    QTemporaryDir folder;
    for (int i = 0; i < rows; ++i) {
        QFile file(folder.filePath(
            QStringLiteral("Photo %1 of the holiday.jpg").arg(i, 6, 10, QLatin1Char('0'))));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
    }
    SCANSETTINGS settings;
    settings.rootPath = QFile::encodeName(folder.path());
    CFileList list;
    ListFolder(list, settings, true);
    list.SelectAll();

    CFolderNameCache cache;
    std::vector<double> wall;
    std::vector<double> cpu;
    int conflicts = 0;
    for (int i = 0; i < repeats; ++i) {
        const QString prefix(i % 5 + 1, QLatin1Char('a' + i % 26));
        for (int row = 0; row < list.RowCount(); ++row)
            list.SetNewName(row, prefix + list.GetEntry(row).name);
        // Every tenth repeat two rows want the same name, so conflicts are found too.
        if (i % 10 == 9 && list.RowCount() > 1)
            list.SetNewName(1, list.GetEntry(0).newName);
        const double cpuStart = ThreadMs();
        QElapsedTimer timer;
        timer.start();
        MarkNameConflicts(list, QByteArray(), cache);
        wall.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(ThreadMs() - cpuStart);
    }
    for (int row = 0; row < list.RowCount(); ++row)
        conflicts += list.GetEntry(row).conflict != NameConflict::None;
    std::printf("rows %d, conflicts after the last marking %d\n", list.RowCount(), conflicts);
    std::printf("marking: median %.1f ms (min %.1f, max %.1f), thread time median %.1f ms\n",
                Median(wall), *std::min_element(wall.begin(), wall.end()),
                *std::max_element(wall.begin(), wall.end()), Median(cpu));
    return 0;
}
