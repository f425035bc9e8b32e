// SPDX-License-Identifier: GPL-3.0-or-later
// The window at 100,000 listed and selected rows with six criteria groups active: from a
// change of a criteria field (what a keystroke does) to the rows on screen painted with
// their new names (the first paint of the list after the rows on screen were refreshed),
// and to the whole refresh done with its conflicts marked. Runs offscreen.
//   quorvin_bench_window [ROWS] [REPEATS]
#include "app/settings/preferencesfile.h"
#include "app/ui/cfilelistmodel.h"
#include "app/ui/cfilelistview.h"
#include "app/ui/cmainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

// Notes when the list's viewport has finished its first paint after the rows on screen
// were refreshed.
class CTimedApplication : public QApplication {
public:
    using QApplication::QApplication;

    void Watch(const QWidget* viewport, const CMainWindow* window) {
        m_viewport = viewport;
        m_window = window;
    }
    void Arm(const QElapsedTimer* clock) {
        m_clock = clock;
        m_paintedAt = -1;
    }
    [[nodiscard]] double PaintedMs() const { return double(m_paintedAt) / 1e6; }

    bool notify(QObject* receiver, QEvent* event) override {
        const bool isPaint = receiver == m_viewport && event->type() == QEvent::Paint;
        const bool result = QApplication::notify(receiver, event);
        if (isPaint && m_clock && m_paintedAt < 0 && !m_window->RefreshPending())
            m_paintedAt = m_clock->nsecsElapsed();
        return result;
    }

private:
    const QWidget* m_viewport = nullptr;
    const CMainWindow* m_window = nullptr;
    const QElapsedTimer* m_clock = nullptr;
    qint64 m_paintedAt = -1;
};

void WaitUntilIdle(const CMainWindow& window) {
    while (!window.IsIdle())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    CTimedApplication application(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 15;

    QTemporaryDir folder;
    for (int i = 0; i < rows; ++i) {
        QFile file(folder.filePath(
            QStringLiteral("Photo %1 of the holiday.jpg").arg(i, 6, 10, QLatin1Char('0'))));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
    }
    PREFERENCES preferences;
    preferences.autoSelectEntries = 1;
    const QString preferencesPath = folder.filePath(QStringLiteral("../quorvin-bench.ini"));
    WritePreferencesFile(preferencesPath, preferences);

    CMainWindow window;
    window.resize(1400, 900);
    QElapsedTimer listing;
    listing.start();
    window.Initialise(preferencesPath, QFile::encodeName(folder.path()));
    window.show();
    WaitUntilIdle(window);
    std::printf("listed %d rows (%d selected) in %lld ms\n", window.ListModel()->rowCount(),
                window.State().list.SelectedCount(), static_cast<long long>(listing.elapsed()));

    // Six groups active: replace, case, removals, additions, numbering, extension.
    RenameCriteria& criteria = window.State().criteria;
    criteria.replacements.replace = QStringLiteral("holiday");
    criteria.replacements.with = QStringLiteral("trip");
    criteria.letterCase.change = CaseMode::Title;
    criteria.removals.firstN = QStringLiteral("1");
    criteria.additions.suffix = QStringLiteral("_x");
    criteria.numbering.mode = NumberingMode::Suffix;
    criteria.extension.mode = ExtensionMode::Upper;
    window.RequestRefresh();
    WaitUntilIdle(window);

    std::vector<double> whole;
    std::vector<double> painted;
    std::vector<double> cpu; // all threads: tells the work apart from waiting on a busy machine
    application.Watch(window.ListView()->viewport(), &window);
    for (int i = 0; i < repeats; ++i) {
        const std::clock_t cpuStart = std::clock();
        QElapsedTimer timer;
        timer.start();
        application.Arm(&timer);
        criteria.additions.prefix = QString(i % 5 + 1, QLatin1Char('a' + i % 26));
        window.RequestRefresh();
        WaitUntilIdle(window);
        whole.push_back(timer.nsecsElapsed() / 1e6);
        cpu.push_back(double(std::clock() - cpuStart) * 1000.0 / CLOCKS_PER_SEC);
        // A refresh done in one go is painted only after it; wait for that paint.
        QElapsedTimer paintWait;
        paintWait.start();
        while (application.PaintedMs() < 0 && paintWait.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (application.PaintedMs() < 0) {
            std::printf("the viewport was not painted after keystroke %d\n", i);
            return 1;
        }
        painted.push_back(application.PaintedMs());
    }
    std::printf("keystroke -> whole refresh done: median %.1f ms (min %.1f, max %.1f)\n",
                Median(whole), *std::min_element(whole.begin(), whole.end()),
                *std::max_element(whole.begin(), whole.end()));
    std::printf("keystroke -> visible rows painted: median %.1f ms (min %.1f, max %.1f)\n",
                Median(painted), *std::min_element(painted.begin(), painted.end()),
                *std::max_element(painted.begin(), painted.end()));
    std::printf("processor time per keystroke (all threads): median %.1f ms\n", Median(cpu));
    std::printf("first row: %s\n", qPrintable(window.ListModel()->index(0, 1).data().toString()));
    return 0;
}
