// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/session/cprogramstate.h"

#include "renametestkit.h"

#include <QTemporaryDir>
#include <QtTest>

#include <condition_variable>
#include <mutex>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Everything the state tells, one line per notice, in order.
class CRecordingListener : public IStateListener {
public:
    QStringList notices;
    QList<PROGRESS> progress;
    QList<Activity> busy;
    int refreshRequests = 0;

    void ListAboutToReset() override { notices << u"reset-"_s; }
    void ListReset() override { notices << u"reset+"_s; }
    void RowsAboutToBeInserted(int first, int last) override {
        notices << u"insert- %1 %2"_s.arg(first).arg(last);
    }
    void RowsInserted(int first, int last) override {
        notices << u"insert+ %1 %2"_s.arg(first).arg(last);
    }
    void RowsAboutToBeRemoved(int first, int last) override {
        notices << u"remove- %1 %2"_s.arg(first).arg(last);
    }
    void RowsRemoved(int first, int last) override {
        notices << u"remove+ %1 %2"_s.arg(first).arg(last);
    }
    void RowsChanged(int first, int last, RowChanges changes) override {
        notices << u"changed %1 %2 %3"_s.arg(first).arg(last).arg(changes.toInt());
    }
    void StatusChanged(StatusPane pane, const QString& text) override {
        if (pane == StatusPane::Message)
            statuses << text;
    }
    void ProgressChanged(const PROGRESS& p) override { progress << p; }
    void BusyChanged(Activity activity) override { busy << activity; }
    void RefreshRequested() override { ++refreshRequests; }

    QStringList statuses;

    QStringList Starting(const QString& prefix) const {
        QStringList found;
        for (const QString& notice : notices) {
            if (notice.startsWith(prefix))
                found << notice;
        }
        return found;
    }
};

// The owner's side of the listing notify, as a thread without an event loop does it. In
// lock step the worker waits after each notify until the owner has taken the events, so
// that every batch arrives on its own.
class CNotifyWait {
public:
    explicit CNotifyWait(bool lockStep = false) : m_lockStep(lockStep) {}

    void Notify(quint64 generation) {
        std::unique_lock lock(m_mutex);
        m_generation = generation;
        const int number = ++m_posted;
        m_wake.notify_all();
        if (m_lockStep)
            m_wake.wait(lock, [this, number] { return m_taken >= number; });
    }
    quint64 Wait() {
        std::unique_lock lock(m_mutex);
        m_wake.wait(lock, [this] { return m_posted > m_seen; });
        m_seen = m_posted;
        return m_generation;
    }
    void Taken() {
        std::lock_guard lock(m_mutex);
        m_taken = m_seen;
        m_wake.notify_all();
    }

private:
    bool m_lockStep;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    quint64 m_generation = 0;
    int m_posted = 0;
    int m_seen = 0;
    int m_taken = 0;
};

void ListToEnd(CProgramState& state, CNotifyWait& wait) {
    for (;;) {
        const ListingStep step = state.TakeListingEvents(wait.Wait());
        wait.Taken();
        if (step == ListingStep::Finished)
            break;
    }
    state.FinishListing();
}

// Prompts that run a call from inside the keep-responsive step of a run or an undo.
class CReenteringPrompts : public CScriptedPrompts {
public:
    std::function<void()> reenter;
    int calls = 0;
    void KeepResponsive(qint64, qint64) override {
        ++calls;
        if (reenter)
            reenter();
    }
};

enum class Call { StartListing, Rename, Undo, JournalUndo, Sort, Delete, Move, Drop, SelectAll };

// What a refused call returned, as true when it was refused.
bool Refused(CProgramState& state, Call call, const QByteArray& folder) {
    switch (call) {
    case Call::StartListing:
        return !state.StartListing(folder);
    case Call::Rename:
        return state.OnRename().refusal == RunRefusal::Busy;
    case Call::Undo:
        return !state.OnUndoRename();
    case Call::JournalUndo:
        return state.UndoLastJournalRun(true).outcome == JOURNALUNDORESULT::Outcome::Declined;
    case Call::Sort:
        return !state.SortList();
    case Call::Delete:
        return !state.DeleteRow(0);
    case Call::Move:
        return !state.MoveRow(0, 2);
    case Call::Drop:
        return !state.AddDroppedPaths({folder}, true);
    case Call::SelectAll:
        return !state.SelectAll();
    }
    return false;
}

} // namespace

class TstStateListener : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QByteArray m_journals;
    int m_folders = 0;

    QByteArray Folder(const QByteArray& name, int files) {
        const QByteArray path = QFile::encodeName(m_dir.path()) + '/' + name;
        MakeFolder(path);
        for (int i = 0; i < files; ++i)
            MakeFile(path + '/' + QByteArray::number(1000 + i) + ".txt", 1'000'000'000 + i);
        return path;
    }

    // A state over a folder of files, every row selected, new names with a suffix.
    void Prepare(CProgramState& state, const QByteArray& folder) {
        state.SetJournalFolder(QString::fromUtf8(m_journals));
        state.preferences.displayWarningMessage = 0;
        state.preferences.displayConfirmationMessage = 0;
        state.preferences.autoSelectEntries = 1;
        state.criteria.additions.suffix = u"_x"_s;
        QVERIFY(state.ListFolder(folder));
        state.RefreshPreview();
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_journals = QFile::encodeName(m_dir.path()) + "/journals";
    }

    void refreshIsOneNotice_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("firstSelected");
        QTest::addColumn<int>("lastSelected");
        QTest::newRow("one row") << 1 << 0 << 0;
        QTest::newRow("all of many") << 3000 << 0 << 2999;
        QTest::newRow("a middle range") << 3000 << 1200 << 1700;
        QTest::newRow("only the last") << 50 << 49 << 49;
    }
    void refreshIsOneNotice() {
        QFETCH(int, rows);
        QFETCH(int, firstSelected);
        QFETCH(int, lastSelected);
        CScriptedPrompts prompts;
        CProgramState state(prompts);
        CRecordingListener listener;
        state.SetListener(&listener);
        std::vector<FILEENTRY> entries(static_cast<size_t>(rows));
        for (int i = 0; i < rows; ++i) {
            entries[static_cast<size_t>(i)].name = u"f%1.txt"_s.arg(i);
            InitialiseNewEntry(entries[static_cast<size_t>(i)]);
        }
        state.list.AppendRows(std::move(entries));
        state.list.SetSelectedRange(firstSelected, lastSelected, true);
        QCOMPARE(state.list.SelectedCount(), lastSelected - firstSelected + 1);
        state.criteria.additions.prefix = u"new_"_s;
        listener.notices.clear();

        state.RefreshPreview();

        const RowChanges expected = RowChange::Names | RowChange::Times | RowChange::Attributes;
        QCOMPARE(
            listener.notices,
            QStringList{
                u"changed %1 %2 %3"_s.arg(firstSelected).arg(lastSelected).arg(expected.toInt())});
        QCOMPARE(state.list.GetEntry(lastSelected).newName, u"new_f%1.txt"_s.arg(lastSelected));
    }

    void listingArrivesInBatches() {
        const QByteArray folder = Folder("batches", 1300);
        CScriptedPrompts prompts;
        CProgramState state(prompts);
        CRecordingListener listener;
        state.SetListener(&listener);
        state.preferences.autoSelectEntries = 1;
        CNotifyWait wait(true);
        state.SetListingNotify([&wait](quint64 generation) { wait.Notify(generation); });
        QVERIFY(state.StartListing(folder));
        QCOMPARE(listener.busy, QList<Activity>{Activity::Listing});
        ListToEnd(state, wait);

        QCOMPARE(state.list.RowCount(), 1300);
        QCOMPARE(state.list.SelectedCount(), 1300);
        QCOMPARE(listener.busy, (QList<Activity>{Activity::Listing, Activity::None}));
        // The list is emptied, filled by insertions that each come as a pair of notices
        // over the rows that follow the last, then sorted and selected.
        QCOMPARE(listener.notices.mid(0, 2), (QStringList{u"reset-"_s, u"reset+"_s}));
        int next = 0;
        int index = 2;
        while (listener.notices.value(index).startsWith(u"insert-"_s)) {
            const QStringList before = listener.notices[index].split(u' ');
            QCOMPARE(before[1].toInt(), next);
            QCOMPARE(listener.notices[index + 1], u"insert+ "_s + before[1] + u' ' + before[2]);
            next = before[2].toInt() + 1;
            index += 2;
        }
        QCOMPARE(next, 1300);
        QVERIFY2(index > 4, "the rows came in one batch");
        QCOMPARE(
            listener.notices.mid(index),
            (QStringList{u"reset-"_s, u"reset+"_s,
                         u"changed 0 1299 %1"_s.arg(RowChanges(RowChange::Selection).toInt())}));
        QCOMPARE(listener.refreshRequests, 1);
        QVERIFY(listener.statuses.contains(u"Scanning Folder "_s + QFile::decodeName(folder) +
                                           u"..."_s));
        QCOMPARE(listener.statuses.last(), QFile::decodeName(folder));
        QCOMPARE(listener.progress.last().done, 1300);
        QCOMPARE(listener.progress.last().activity, Activity::Listing);
    }

    void lateEventsAreDropped_data() {
        QTest::addColumn<bool>("superseded");
        QTest::newRow("stopped") << false;
        QTest::newRow("superseded") << true;
    }
    void lateEventsAreDropped() {
        QFETCH(bool, superseded);
        const QByteArray big = Folder("late" + QByteArray::number(superseded), 3000);
        const QByteArray small = Folder("small" + QByteArray::number(superseded), 3);
        CScriptedPrompts prompts;
        CProgramState state(prompts);
        CRecordingListener listener;
        state.SetListener(&listener);
        CNotifyWait wait;
        state.SetListingNotify([&wait](quint64 generation) { wait.Notify(generation); });
        QVERIFY(state.StartListing(big));
        const quint64 old = wait.Wait();
        if (superseded) {
            QVERIFY(state.StartListing(small));
        } else {
            state.StopListing();
            QCOMPARE(listener.statuses.last(), u"Scan aborted - list may be incomplete"_s);
        }
        const int rows = state.list.RowCount();
        listener.notices.clear();
        QCOMPARE(state.TakeListingEvents(old), ListingStep::Stale);
        QCOMPARE(listener.notices, QStringList());
        QCOMPARE(state.list.RowCount(), rows);
        if (superseded) {
            ListToEnd(state, wait);
            QCOMPARE(state.list.RowCount(), 3);
        } else {
            QVERIFY(!state.IsListing());
            QCOMPARE(state.Busy(), Activity::None);
        }
    }

    void busyRefusesFromInsideKeepResponsive_data() {
        QTest::addColumn<Activity>("activity");
        QTest::addColumn<Call>("call");
        const QList<std::pair<const char*, Call>> calls = {{"listing", Call::StartListing},
                                                           {"rename", Call::Rename},
                                                           {"undo", Call::Undo},
                                                           {"journal undo", Call::JournalUndo},
                                                           {"sort", Call::Sort},
                                                           {"delete", Call::Delete},
                                                           {"move", Call::Move},
                                                           {"drop", Call::Drop},
                                                           {"select all", Call::SelectAll}};
        for (const auto& [name, call] : calls) {
            QTest::addRow("run: %s", name) << Activity::Renaming << call;
            QTest::addRow("undo: %s", name) << Activity::Undoing << call;
        }
    }
    void busyRefusesFromInsideKeepResponsive() {
        QFETCH(Activity, activity);
        QFETCH(Call, call);
        const QByteArray folder = Folder("busy" + QByteArray::number(++m_folders), 4);
        const TREE before = SnapshotTree(folder);
        CReenteringPrompts prompts;
        CProgramState state(prompts);
        CRecordingListener listener;
        state.SetListener(&listener);
        Prepare(state, folder);
        QList<bool> refused;
        if (activity == Activity::Undoing) {
            QCOMPARE(state.OnRename().renamed, 4);
            prompts.answers = {PromptAnswer::Yes};
        }
        prompts.reenter = [&] {
            if (refused.isEmpty()) // once is enough; the rest of the run goes on
                refused << Refused(state, call, folder);
        };
        listener.statuses.clear();
        if (activity == Activity::Renaming)
            QCOMPARE(state.OnRename().renamed, 4);
        else
            QVERIFY(state.OnUndoRename());

        QCOMPARE(refused, QList<bool>{true});
        const QString busyText = activity == Activity::Renaming ? u"files are being renamed"_s
                                                                : u"changes are being reversed"_s;
        QVERIFY2(std::any_of(listener.statuses.begin(), listener.statuses.end(),
                             [&busyText](const QString& status) {
                                 return status.endsWith(u" is not possible while "_s + busyText);
                             }),
                 qPrintable(listener.statuses.join(u" | "_s)));
        QCOMPARE(state.Busy(), Activity::None);
        // Every file was renamed once (or put back once), nothing twice.
        QStringList names;
        for (const QByteArray& name : SnapshotTree(folder).keys())
            names << QFile::decodeName(name);
        if (activity == Activity::Renaming) {
            QCOMPARE(names, (QStringList{u"1000_x.txt"_s, u"1001_x.txt"_s, u"1002_x.txt"_s,
                                         u"1003_x.txt"_s}));
        } else {
            QCOMPARE(TreeDifference(before, SnapshotTree(folder)), QString());
        }
    }

    void progressReachesTotal() {
        const QByteArray folder = Folder("progress", 5);
        CScriptedPrompts prompts;
        CProgramState state(prompts);
        CRecordingListener listener;
        state.SetListener(&listener);
        Prepare(state, folder);
        listener.progress.clear();
        QCOMPARE(state.OnRename().renamed, 5);
        QCOMPARE(listener.progress.size(), 5);
        QCOMPARE(listener.progress.last().activity, Activity::Renaming);
        QCOMPARE(listener.progress.last().done, 5);
        QCOMPARE(listener.progress.last().total, 5);

        listener.progress.clear();
        prompts.answers = {PromptAnswer::Yes};
        QVERIFY(state.OnUndoRename());
        QCOMPARE(listener.progress.last().activity, Activity::Undoing);
        QCOMPARE(listener.progress.last().done, 5);
        QCOMPARE(listener.progress.last().total, 5);
        QCOMPARE(listener.busy.mid(listener.busy.size() - 2),
                 (QList<Activity>{Activity::Undoing, Activity::None}));
    }

    void refreshWaitsDuringARun() {
        const QByteArray folder = Folder("waits", 3);
        CReenteringPrompts prompts;
        CProgramState state(prompts);
        CRecordingListener listener;
        state.SetListener(&listener);
        Prepare(state, folder);
        bool ranInside = true;
        prompts.reenter = [&] {
            state.RequestRefresh();
            ranInside = state.RefreshIfRequested();
        };
        const int told = listener.refreshRequests;
        QCOMPARE(state.OnRename().renamed, 3);
        QVERIFY(!ranInside);
        // Told once when asked, and again once the run has ended.
        QCOMPARE(listener.refreshRequests, told + 2);
        QVERIFY(state.RefreshIfRequested());
        QVERIFY(!state.RefreshIfRequested());
    }

    void droppedPaths_data() {
        QTest::addColumn<QByteArrayList>("dropped"); // relative to the drop folder
        QTest::addColumn<bool>("clearFirst");
        QTest::addColumn<QStringList>("names"); // the rows after the drop, top first
        QTest::newRow("a file alone, blank kept, case kept")
            << QByteArrayList{"sub/my photo.jpg"} << true << QStringList{u"my photo.jpg"_s};
        QTest::newRow("a link stands for its target")
            << QByteArrayList{"link"} << true << QStringList{u"my photo.jpg"_s};
        QTest::newRow("a folder") << QByteArrayList{"sub"} << true
                                  << QStringList{u"My Photo.jpg"_s, u"my photo.jpg"_s,
                                                 u"other.jpg"_s};
        QTest::newRow("a pipe is ignored") << QByteArrayList{"pipe"} << true << QStringList{};
        QTest::newRow("rows go to the top") << QByteArrayList{"sub/other.jpg"} << false
                                            << QStringList{u"other.jpg"_s, u"kept.txt"_s};
        QTest::newRow("several, cleared once")
            << QByteArrayList{"sub/other.jpg", "sub/My Photo.jpg"} << true
            << QStringList{u"My Photo.jpg"_s, u"other.jpg"_s};
    }
    void droppedPaths() {
        QFETCH(QByteArrayList, dropped);
        QFETCH(bool, clearFirst);
        QFETCH(QStringList, names);
        QTemporaryDir dir;
        const QByteArray root = QFile::encodeName(dir.path());
        MakeFolder(root + "/sub");
        MakeFile(root + "/sub/my photo.jpg", 1'000'000'000);
        MakeFile(root + "/sub/My Photo.jpg", 1'000'000'100);
        MakeFile(root + "/sub/other.jpg", 1'000'000'200);
        QCOMPARE(::symlink((root + "/sub/my photo.jpg").constData(), (root + "/link").constData()),
                 0);
        QCOMPARE(::mkfifo((root + "/pipe").constData(), 0600), 0);

        CScriptedPrompts prompts;
        CProgramState state(prompts);
        FILEENTRY kept;
        kept.name = u"kept.txt"_s;
        InitialiseNewEntry(kept);
        state.list.AppendRow(kept);
        QByteArrayList paths;
        for (const QByteArray& path : dropped)
            paths << root + '/' + path;
        QVERIFY(state.AddDroppedPaths(paths, clearFirst));
        QStringList rows;
        for (int row = 0; row < state.list.RowCount(); ++row)
            rows << state.list.GetEntry(row).name;
        if (dropped.first() == "sub")
            rows.sort();
        QCOMPARE(rows, names);
    }
};

QTEST_GUILESS_MAIN(TstStateListener)
#include "tst_statelistener.moc"
