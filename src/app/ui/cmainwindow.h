// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/session/cprogramstate.h"
#include "app/session/istatelistener.h"
#include "cwindowprompts.h"

#include <QMainWindow>

class CCriteriaPanel;
class CMainCommands;
class CFileListModel;
class CFileListView;
class CFolderTreeModel;
class CStatusPanes;
class QItemSelection;
class QPushButton;
class QSplitter;
class QTimer;
class QTreeView;

// The program's main window: the folder tree and the file list side by side above the
// criteria groups, the buttons and the status bar. It is a thin layer over the program
// state: it forwards what the user does and shows what the state reports.
class CMainWindow : public QMainWindow, private IStateListener {
    Q_OBJECT
public:
    explicit CMainWindow(QWidget* parent = nullptr);
    ~CMainWindow() override;

    // Start-up: preferences, the folder or favourite of the cleaned command line, the
    // stored window placement, then the first listing.
    void Initialise(const QString& preferencesPath, const QByteArray& commandLine);

    CProgramState& State() { return m_state; }
    CFileListView* ListView() const { return m_list; }
    CFileListModel* ListModel() const { return m_listModel; }
    QTreeView* TreeView() const { return m_tree; }
    CFolderTreeModel* TreeModel() const { return m_treeModel; }
    CStatusPanes* Panes() const { return m_panes; }
    CCriteriaPanel* Panel() const { return m_panel; }

    QByteArray SelectedFolder() const;
    // Selects the folder, else its nearest existing parent, else the first top-level place.
    void SelectFolder(const QByteArray& nativePath);
    // Lists the selected folder anew.
    void RefreshFileList();
    // Asks for a preview refresh; requests waiting together are served by one refresh.
    void RequestRefresh();
    [[nodiscard]] bool RefreshPending() const { return m_refreshQueued; }
    // Neither a listing nor a run is in progress, and no refresh waits.
    [[nodiscard]] bool IsIdle() const;

    // Hooks for the menu commands.
    CMainCommands* Commands() const { return m_commands; }
    QString PreferencesPath() const { return m_preferencesPath; }
    [[nodiscard]] bool ScanRunning() const { return m_state.Busy() != Activity::None; }
    void FillPanelFromState();
    // The list shows the display preferences (gridlines, icons, row selection).
    void ApplyListDisplay();
    // Sorts the list again by the current sort order.
    void ResortList();
    // The state's selection changed: the view, the counts and the preview follow.
    void ListSelectionChanged();

signals:
    // The row or selected counts, or what a run left behind, may have changed.
    void CountsChanged();

public slots:
    void HandleHandOver(const QByteArray& commandLine);
    void Rename();
    void UndoRename();
    void JumpToPath();
    void UpOneLevel();
    void StopScan();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildLayout();
    void BuildMenus();
    void ConnectList();
    void ApplyStartTarget(const QByteArray& commandLine);
    void RestorePlacement();
    [[nodiscard]] QSize FirstSize() const;
    void SavePlacement() const;
    void TakeListingEvents(quint64 generation);
    void DropPaths(const QList<QByteArray>& nativePaths, bool clearFirst);
    void ScheduleViewUpdate();
    void AfterListChanged();
    void UpdateCounts();
    void CopyViewSelectionToList(const QItemSelection& selected, const QItemSelection& deselected);
    void CopyListSelectionToView();
    void SortByColumn(int column);
    void ShowSortIndicator();
    void MoveDraggedRow(int from, int to);
    void DeleteSelectedRows();
    void ActivateRow(int row);
    void ShowListMenu(const QPoint& globalPosition);
    void RenameInPlace(int row, const QString& text);
    void RunExclusive(const std::function<void()>& work);
    void ContinueRefresh();
    void WidenTimeColumns();

    CWindowPrompts m_prompts;
    CProgramState m_state;
    QString m_preferencesPath;
    CFolderTreeModel* m_treeModel = nullptr;
    QTreeView* m_tree = nullptr;
    CFileListModel* m_listModel = nullptr;
    CFileListView* m_list = nullptr;
    CCriteriaPanel* m_panel = nullptr;
    QSplitter* m_splitter = nullptr;
    QPushButton* m_renameButton = nullptr;
    QPushButton* m_resetButton = nullptr;
    QPushButton* m_revertButton = nullptr;
    CMainCommands* m_commands = nullptr;
    CStatusPanes* m_panes = nullptr;
    // Runs the waiting parts of a refresh one at a time, after the events that came
    // meanwhile (a paint, the next keystroke).
    QTimer* m_refreshParts = nullptr;
    bool m_initialised = false;
    bool m_refreshQueued = false;
    bool m_viewUpdateQueued = false;
    bool m_copyingSelection = false;
    bool m_closeAfterRun = false;

    // IStateListener
    void ListAboutToReset() override;
    void ListReset() override;
    void RowsAboutToBeInserted(int first, int last) override;
    void RowsInserted(int first, int last) override;
    void RowsAboutToBeRemoved(int first, int last) override;
    void RowsRemoved(int first, int last) override;
    void RowsChanged(int first, int last, RowChanges changes) override;
    void StatusChanged(StatusPane pane, const QString& text) override;
    void ProgressChanged(const PROGRESS& progress) override;
    void BusyChanged(Activity activity) override;
    void RefreshRequested() override;
};
