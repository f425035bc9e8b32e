// SPDX-License-Identifier: GPL-3.0-or-later
#include "cmainwindow.h"

#include "app/session/commandline.h"
#include "app/session/cusersettings.h"
#include "app/session/folderbrowsing.h"
#include "app/session/folderpaths.h"
#include "app/settings/preferencesfile.h"
#include "ccriteriapanel.h"
#include "cfilelistmodel.h"
#include "cfilelistview.h"
#include "cfoldertreemodel.h"
#include "cjumptopathdialog.h"
#include "cmaincommands.h"
#include "cstatuspanes.h"
#include "filelist/listcolumns.h"
#include "platform/nativename.h"
#include "platform/timevalue.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QDesktopServices>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QColor ColourOfRef(int colourRef) {
    return QColor(colourRef & 0xff, (colourRef >> 8) & 0xff, (colourRef >> 16) & 0xff);
}

QUrl UrlOfNativePath(const QByteArray& nativePath) {
    return QUrl(QStringLiteral("file://") + QString::fromLatin1(nativePath.toPercentEncoding("/")),
                QUrl::StrictMode);
}

} // namespace

CMainWindow::CMainWindow(QWidget* parent) : QMainWindow(parent), m_state(m_prompts) {
    setWindowTitle(QStringLiteral("Quorvin"));
    setWindowIcon(QIcon::fromTheme(QStringLiteral("org.tarnwick.Quorvin")));
    m_panes = new CStatusPanes(statusBar());
    m_prompts.SetWindow(this, m_panes);
    BuildLayout();
    BuildMenus();
    ConnectList();
    m_revertButton->setEnabled(false);
    m_refreshParts = new QTimer(this);
    m_refreshParts->setSingleShot(true);
    m_refreshParts->setInterval(0);
    connect(m_refreshParts, &QTimer::timeout, this, &CMainWindow::ContinueRefresh);
    m_state.SetListener(this);
    // Called on the listing's worker thread: only hands the generation over.
    m_state.SetListingNotify([this](quint64 generation) {
        QMetaObject::invokeMethod(
            this, [this, generation] { TakeListingEvents(generation); }, Qt::QueuedConnection);
    });
}

CMainWindow::~CMainWindow() {
    // The commands follow focus and clipboard changes, which still come while the widgets go.
    delete m_commands;
    m_commands = nullptr;
    // The model reads the state's list; it goes before the state does.
    m_state.StopListing();
    m_state.SetListingNotify({});
    m_state.SetListener(nullptr);
    m_list->setModel(nullptr);
    delete m_listModel;
    m_listModel = nullptr;
}

void CMainWindow::BuildLayout() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    m_treeModel = new CFolderTreeModel(this);
    m_tree = new QTreeView(central);
    m_tree->setObjectName(QStringLiteral("ShellTree Control"));
    m_tree->setAccessibleName(QStringLiteral("Folders"));
    m_tree->setHeaderHidden(true);
    m_tree->setModel(m_treeModel);
    m_tree->setUniformRowHeights(true);

    m_listModel = new CFileListModel(m_state);
    m_list = new CFileListView(central);
    m_list->setModel(m_listModel);
    for (int column = 0; column < ColumnCount; ++column)
        m_list->setColumnWidth(column, ColumnInfo(column).defaultWidth);
    WidenTimeColumns();

    m_splitter = new QSplitter(Qt::Horizontal, central);
    m_splitter->setAccessibleName(QStringLiteral("Folders and files"));
    m_splitter->addWidget(m_tree);
    m_splitter->addWidget(m_list);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({260, 900});
    layout->addWidget(m_splitter, 1);

    m_panel = new CCriteriaPanel(m_state, central);
    m_panel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    layout->addWidget(m_panel, 0);

    auto* buttons = new QHBoxLayout;
    m_resetButton = new QPushButton(QStringLiteral("Rese&t"), central);
    m_revertButton = new QPushButton(QStringLiteral("Re&vert"), central);
    m_renameButton = new QPushButton(QStringLiteral("&Rename"), central);
    m_resetButton->setAccessibleName(QStringLiteral("Reset"));
    m_revertButton->setAccessibleName(QStringLiteral("Revert"));
    m_renameButton->setAccessibleName(QStringLiteral("Rename"));
    buttons->addStretch(1);
    buttons->addWidget(m_resetButton);
    buttons->addWidget(m_revertButton);
    buttons->addWidget(m_renameButton);
    layout->addLayout(buttons);
    setCentralWidget(central);

    connect(m_renameButton, &QPushButton::clicked, this, &CMainWindow::Rename);
    connect(m_resetButton, &QPushButton::clicked, m_panel, &CCriteriaPanel::ResetAll);
    connect(m_revertButton, &QPushButton::clicked, this,
            [this] { m_commands->Action(QStringLiteral("revert"))->trigger(); });
    connect(m_panel, &CCriteriaPanel::CriteriaEdited, this, &CMainWindow::RequestRefresh);
    connect(m_panel, &CCriteriaPanel::SelectionCriteriaEdited, this, [this] {
        if (m_initialised)
            RefreshFileList();
    });
}

void CMainWindow::BuildMenus() {
    m_commands = new CMainCommands(*this);
    auto* up = new QShortcut(QKeySequence(QStringLiteral("Ctrl+U")), this);
    connect(up, &QShortcut::activated, this, &CMainWindow::UpOneLevel);
    // Escape stops a scan; it never closes the window.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &CMainWindow::StopScan);
}

void CMainWindow::ConnectList() {
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CMainWindow::CopyViewSelectionToList);
    connect(m_list->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &CMainWindow::SortByColumn);
    connect(m_list, &CFileListView::RowDropped, this, &CMainWindow::MoveDraggedRow);
    connect(m_list, &CFileListView::MultiRowDragRefused, this, [this] {
        m_prompts.Ask(QStringLiteral("Sorry, you may only drag/drop single items."),
                      PromptButtons::Ok, PromptIcon::None);
    });
    connect(m_list, &CFileListView::PathsDropped, this, &CMainWindow::DropPaths);
    connect(m_list, &CFileListView::DeleteRequested, this, &CMainWindow::DeleteSelectedRows);
    connect(m_list, &CFileListView::RowActivated, this, &CMainWindow::ActivateRow);
    connect(m_list, &CFileListView::ContextMenuRequested, this, &CMainWindow::ShowListMenu);
    connect(m_listModel, &CFileListModel::InPlaceRenameRequested, this,
            &CMainWindow::RenameInPlace);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (m_initialised)
            RefreshFileList();
    });
}

void CMainWindow::Initialise(const QString& preferencesPath, const QByteArray& commandLine) {
    m_preferencesPath = preferencesPath;
    PREFERENCES early;
    ReadPreferencesFile(preferencesPath, early);
    m_treeModel->FillTopLevel(early.desktopRoot);
    m_tree->expand(m_treeModel->index(0, 0));

    const QString text = QFile::decodeName(commandLine);
    const QString remaining = m_state.LoadPreferences(preferencesPath, text);
    ApplyStartTarget(remaining.isEmpty() && !text.isEmpty() ? QByteArray() : commandLine);
    if (!m_tree->currentIndex().isValid())
        m_tree->setCurrentIndex(m_treeModel->index(0, 0));

    RestorePlacement();
    FillPanelFromState();
    m_initialised = true;
    RefreshFileList();
    if (m_state.preferences.autoSelectEntries)
        m_list->setFocus();
    m_commands->ApplyStartState();
}

void CMainWindow::ApplyStartTarget(const QByteArray& commandLine) {
    const STARTUPTARGET target = StartupTargetOf(commandLine);
    switch (target.kind) {
    case StartupTargetKind::CurrentFavourite: {
        const FAVOURITELOAD load = m_state.LoadFavourite(m_state.preferences.favouritePath, true);
        if (!load.folderToSelect.isEmpty())
            SelectFolder(EncodeNativeName(load.folderToSelect));
        break;
    }
    case StartupTargetKind::Folder:
        m_state.LoadFavourite(m_state.preferences.favouritePath, false);
        SelectFolder(target.nativePath);
        m_state.criteria.selections.subfolders = false;
        break;
    case StartupTargetKind::Favourite: {
        const FAVOURITELOAD load = m_state.LoadFavourite(target.path, true);
        if (!load.folderToSelect.isEmpty())
            SelectFolder(EncodeNativeName(load.folderToSelect));
        break;
    }
    case StartupTargetKind::ResetSettings: // declined: nothing is loaded
    case StartupTargetKind::Nothing:
        break;
    }
}

void CMainWindow::FillPanelFromState() {
    m_panel->FillFromCriteria();
    m_panel->SetHighlight(m_state.preferences.highlightActiveCriteria,
                          ColourOfRef(m_state.preferences.colourActiveCriteria));
    m_revertButton->setEnabled(!m_state.CurrentFavourite().isEmpty());
    ApplyListDisplay();
    m_commands->UpdateChecks();
    m_commands->UpdateEnabling();
}

void CMainWindow::ApplyListDisplay() {
    m_list->setShowGrid(m_state.preferences.displayGridlines);
    const bool fullRow = m_state.preferences.fullRowSelect;
    m_list->setSelectionBehavior(fullRow ? QAbstractItemView::SelectRows
                                         : QAbstractItemView::SelectItems);
    // The view shows the list's selection in the new way.
    CopyListSelectionToView();
    m_listModel->SetShowIcons(m_state.preferences.displayIcons);
    m_list->viewport()->update();
}

// The stock widths cut a date and time short ("8 De…"). A time column still at its stock
// width (also as stored by an earlier version) opens wide enough; one the user sized keeps
// its width.
void CMainWindow::WidenTimeColumns() {
    const TimeValue sample = TimeValueFromFileTime(
        QDateTime(QDate(2026, 12, 28), QTime(23, 58, 58), Qt::UTC).toSecsSinceEpoch());
    const int margin = 2 * m_list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 12;
    const int width = m_list->fontMetrics().horizontalAdvance(LocaleTimeText(sample)) + margin;
    for (const int column : {ColCreated, ColModified, ColAccessed, ColTaken}) {
        const int stock = ColumnInfo(column).defaultWidth;
        if (m_list->columnWidth(column) == stock)
            m_list->setColumnWidth(column, std::max(stock, width));
    }
}

void CMainWindow::ResortList() {
    if (m_state.Busy() == Activity::None)
        m_state.SortList();
    AfterListChanged();
    RequestRefresh();
}

void CMainWindow::ListSelectionChanged() {
    CopyListSelectionToView();
    UpdateCounts();
    RequestRefresh();
}

void CMainWindow::RestorePlacement() {
    const CUserSettings settings;
    const std::optional<WINDOWPLACEMENT> placement = settings.MainWindowPlacement();
    if (placement) {
        setGeometry(placement->left, placement->top, placement->right - placement->left,
                    placement->bottom - placement->top);
        if (placement->showState == WINDOWPLACEMENT::kShowMaximised)
            setWindowState(windowState() | Qt::WindowMaximized);
    } else {
        resize(FirstSize());
    }
    const int splitterLeft = settings.SplitterLeft();
    if (splitterLeft >= 0) {
        const int total = m_splitter->sizes().value(0) + m_splitter->sizes().value(1);
        m_splitter->setSizes({splitterLeft, qMax(total - splitterLeft, 1)});
    }
    const QList<int> widths = settings.ColumnWidths();
    for (int column = 0; column < ColumnCount && column < widths.size(); ++column)
        m_list->setColumnWidth(column, widths[column]);
    WidenTimeColumns();
    QHeaderView* header = m_list->horizontalHeader();
    const QList<int> order = settings.ColumnOrder();
    for (int position = 0; position < ColumnCount && position < order.size(); ++position)
        header->moveSection(header->visualIndex(order[position]), position);
    m_state.SetRecentFavourites(settings.RecentFavourites());
    ShowSortIndicator();
}

// At first start every criteria frame should be in sight, side by side, where the screen
// is wide enough; a narrower window makes the panel scroll sideways.
QSize CMainWindow::FirstSize() const {
    const int frame = 2 * style()->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, this);
    QSize wanted(qMax(1200, m_panel->sizeHint().width() + frame), 800);
    if (const QScreen* display = screen())
        wanted = wanted.boundedTo(display->availableGeometry().size());
    return wanted;
}

void CMainWindow::SavePlacement() const {
    CUserSettings settings;
    const QRect normal = normalGeometry();
    WINDOWPLACEMENT placement;
    placement.left = normal.left();
    placement.top = normal.top();
    placement.right = normal.left() + normal.width();
    placement.bottom = normal.top() + normal.height();
    placement.showState =
        isMaximized() ? WINDOWPLACEMENT::kShowMaximised : WINDOWPLACEMENT::kShowNormal;
    settings.SetMainWindowPlacement(placement);
    settings.SetSplitterLeft(m_splitter->sizes().value(0));
    QList<int> widths;
    QList<int> order;
    const QHeaderView* header = m_list->horizontalHeader();
    for (int column = 0; column < ColumnCount; ++column) {
        widths.append(m_list->columnWidth(column));
        order.append(header->logicalIndex(column));
    }
    settings.SetColumnWidths(widths);
    settings.SetColumnOrder(order);
    settings.SetRecentFavourites(m_state.RecentFavourites());
}

QByteArray CMainWindow::SelectedFolder() const {
    return m_treeModel->NativePathOf(m_tree->currentIndex());
}

void CMainWindow::SelectFolder(const QByteArray& nativePath) {
    QModelIndex index = m_treeModel->FindFolder(NearestExistingFolder(nativePath));
    if (!index.isValid())
        index = m_treeModel->index(0, 0);
    m_tree->setCurrentIndex(index);
    m_tree->scrollTo(index);
}

void CMainWindow::RefreshFileList() {
    const QByteArray folder = SelectedFolder();
    if (folder.isEmpty())
        return;
    if (m_state.StartListing(folder))
        UpdateCounts();
}

void CMainWindow::TakeListingEvents(quint64 generation) {
    if (m_state.TakeListingEvents(generation) == ListingStep::Finished)
        m_state.FinishListing();
    AfterListChanged();
}

bool CMainWindow::IsIdle() const {
    return m_state.Busy() == Activity::None && !m_refreshQueued && !m_viewUpdateQueued &&
           !m_state.RefreshUnfinished();
}

void CMainWindow::AfterListChanged() {
    CopyListSelectionToView();
    UpdateCounts();
    ShowSortIndicator();
}

void CMainWindow::UpdateCounts() {
    const int selected = m_state.list.SelectedCount();
    const bool idle = m_state.Busy() == Activity::None;
    m_panes->SetCounts(m_state.list.RowCount(), selected);
    m_renameButton->setEnabled(selected > 0 && idle);
    emit CountsChanged();
}

void CMainWindow::RequestRefresh() {
    if (m_initialised)
        m_state.RequestRefresh();
}

void CMainWindow::CopyViewSelectionToList(const QItemSelection& selected,
                                          const QItemSelection& deselected) {
    if (m_copyingSelection)
        return;
    m_copyingSelection = true;
    m_state.list.BeginBatch();
    const QItemSelectionModel* view = m_list->selectionModel();
    for (const QItemSelectionRange& range : deselected) {
        if (m_state.preferences.fullRowSelect) {
            m_state.list.SetSelectedRange(range.top(), range.bottom(), false);
            continue;
        }
        // Selecting cells, a row stays selected while any of its cells is.
        for (int row = range.top(); row <= range.bottom(); ++row) {
            if (!view->rowIntersectsSelection(row, QModelIndex()))
                m_state.list.SetSelected(row, false);
        }
    }
    for (const QItemSelectionRange& range : selected)
        m_state.list.SetSelectedRange(range.top(), range.bottom(), true);
    m_state.list.EndBatch();
    m_copyingSelection = false;
    UpdateCounts();
    RequestRefresh();
}

void CMainWindow::CopyListSelectionToView() {
    QItemSelection selection;
    const int count = m_state.list.RowCount();
    // Without full-row selection a selected row shows as its name.
    const int lastColumn = m_state.preferences.fullRowSelect ? ColumnCount - 1 : ColName;
    for (int row = 0; row < count;) {
        if (!m_state.list.IsSelected(row)) {
            ++row;
            continue;
        }
        int end = row;
        while (end + 1 < count && m_state.list.IsSelected(end + 1))
            ++end;
        selection.select(m_listModel->index(row, 0), m_listModel->index(end, lastColumn));
        row = end + 1;
    }
    m_copyingSelection = true;
    m_list->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    m_copyingSelection = false;
}

void CMainWindow::SortByColumn(int column) {
    if (m_state.Busy() == Activity::None && m_state.sortOrder.SortByColumn(column, true))
        m_state.SortList();
    AfterListChanged();
}

void CMainWindow::ShowSortIndicator() {
    const SORTSTATE& sort = m_state.sortOrder.State();
    QHeaderView* header = m_list->horizontalHeader();
    if (sort.column < 0 || sort.random) {
        header->setSortIndicator(-1, Qt::AscendingOrder);
        return;
    }
    header->setSortIndicator(sort.column,
                             sort.ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void CMainWindow::MoveDraggedRow(int from, int to) {
    if (!m_state.MoveRow(from, to))
        return;
    AfterListChanged();
    RequestRefresh();
}

void CMainWindow::DropPaths(const QList<QByteArray>& nativePaths, bool clearFirst) {
    if (!m_state.AddDroppedPaths(nativePaths, clearFirst))
        return;
    AfterListChanged();
    RequestRefresh();
}

void CMainWindow::DeleteSelectedRows() {
    QList<int> rows = m_list->SelectedRows();
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (const int row : rows) {
        if (!m_state.DeleteRow(row))
            break;
    }
    AfterListChanged();
    RequestRefresh();
}

void CMainWindow::ActivateRow(int row) {
    if (row < 0 || row >= m_state.list.RowCount())
        return;
    const QByteArray path = m_state.list.GetNativeFullPath(row);
    if (m_state.list.GetEntry(row).isFolder)
        SelectFolder(path);
    else
        QDesktopServices::openUrl(UrlOfNativePath(path));
}

void CMainWindow::ShowListMenu(const QPoint& globalPosition) {
    const QList<int> rows = m_list->SelectedRows();
    if (rows.isEmpty())
        return;
    QMenu menu(this);
    QAction* open = menu.addAction(QStringLiteral("Open"));
    QAction* containing = menu.addAction(QStringLiteral("Open Containing Folder"));
    menu.addSeparator();
    menu.addMenu(m_commands->ListMenu());
    QAction* chosen = menu.exec(globalPosition);
    if (chosen == open) {
        for (const int row : rows)
            QDesktopServices::openUrl(UrlOfNativePath(m_state.list.GetNativeFullPath(row)));
    } else if (chosen == containing) {
        const FILEENTRY& entry = m_state.list.GetEntry(rows.constFirst());
        QDesktopServices::openUrl(UrlOfNativePath(entry.NativeFolderPath()));
    }
}

// Runs a rename or undo; the state refuses anything else that would touch the rows
// meanwhile, and a close asked for during the run happens after it (BusyChanged).
void CMainWindow::RunExclusive(const std::function<void()>& work) {
    if (m_state.Busy() != Activity::None)
        return;
    work();
    AfterListChanged();
}

void CMainWindow::Rename() {
    RunExclusive([this] {
        const RENAMERESULT result = m_state.OnRename();
        if (result.numberingStartChanged)
            m_panel->FillFromCriteria();
    });
}

void CMainWindow::RenameInPlace(int row, const QString& text) {
    if (row < 0 || row >= m_state.list.RowCount())
        return;
    RunExclusive([this, row, &text] { m_state.OnEndLabelEdit(row, text); });
}

void CMainWindow::UndoRename() {
    RunExclusive([this] { m_state.OnUndoRename(); });
}

void CMainWindow::JumpToPath() {
    CJumpToPathDialog dialog(DecodeNativeName(SelectedFolder()), this);
    if (dialog.exec() != QDialog::Accepted) {
        m_panes->SetMessage(QStringLiteral("Jump to Path was cancelled"));
        return;
    }
    SelectFolder(EncodeNativeName(dialog.Path()));
    m_panes->SetMessage(QStringLiteral("Jumped to ") + dialog.Path());
}

void CMainWindow::UpOneLevel() {
    const QByteArray parent = ParentFolder(SelectedFolder());
    bool exact = false;
    const QModelIndex index = m_treeModel->FindFolder(parent, &exact);
    if (exact)
        m_tree->setCurrentIndex(index);
    else
        m_tree->selectionModel()->clearCurrentIndex();
    m_panes->SetMessage(QStringLiteral("Moved up to parent folder: ") + QFile::decodeName(parent));
}

void CMainWindow::StopScan() {
    if (!m_state.IsListing())
        return;
    m_state.StopListing();
    AfterListChanged();
}

void CMainWindow::HandleHandOver(const QByteArray& commandLine) {
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    if (commandLine.isEmpty())
        return;
    if (m_state.list.SelectedCount() > 0) {
        const PromptAnswer answer = m_prompts.Ask(
            QStringLiteral("You have files/folders selected - are you sure you wish to change to "
                           "folder ") +
                QFile::decodeName(commandLine) + QLatin1Char('?'),
            PromptButtons::YesNo, PromptIcon::Question);
        if (answer != PromptAnswer::Yes)
            return;
    }
    const QByteArray before = SelectedFolder();
    SelectFolder(commandLine);
    if (SelectedFolder() == before)
        RefreshFileList();
}

void CMainWindow::closeEvent(QCloseEvent* event) {
    if (m_state.Busy() == Activity::Renaming || m_state.Busy() == Activity::Undoing ||
        m_state.Busy() == Activity::UndoingJournal) {
        m_closeAfterRun = true;
        event->ignore();
        return;
    }
    m_state.StopListing();
    if (m_initialised)
        m_state.SavePreferences(m_preferencesPath, DecodeNativeName(SelectedFolder()));
    SavePlacement();
    event->accept();
}

void CMainWindow::ListAboutToReset() {
    m_listModel->ListAboutToReset();
}

void CMainWindow::ListReset() {
    m_listModel->ListReset();
    ScheduleViewUpdate();
}

void CMainWindow::RowsAboutToBeInserted(int first, int last) {
    m_listModel->RowsAboutToBeInserted(first, last);
}

void CMainWindow::RowsInserted(int first, int last) {
    m_listModel->RowsInserted(first, last);
    ScheduleViewUpdate();
}

void CMainWindow::RowsAboutToBeRemoved(int first, int last) {
    m_listModel->RowsAboutToBeRemoved(first, last);
}

void CMainWindow::RowsRemoved(int first, int last) {
    m_listModel->RowsRemoved(first, last);
    ScheduleViewUpdate();
}

void CMainWindow::RowsChanged(int first, int last, RowChanges changes) {
    m_listModel->RowsChanged(first, last, changes);
    if (changes.testFlag(RowChange::Selection) && !m_copyingSelection)
        ScheduleViewUpdate();
}

// The view's selection and the counts follow the list once the current burst of notices
// is over.
void CMainWindow::ScheduleViewUpdate() {
    if (m_viewUpdateQueued)
        return;
    m_viewUpdateQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_viewUpdateQueued = false;
        AfterListChanged();
    });
}

void CMainWindow::StatusChanged(StatusPane pane, const QString& text) {
    m_prompts.SetStatus(pane, text);
}

void CMainWindow::ProgressChanged(const PROGRESS& progress) {
    m_panes->SetProgress(progress.done, progress.total);
}

void CMainWindow::BusyChanged(Activity activity) {
    if (activity != Activity::None)
        return;
    m_panes->HideProgress();
    UpdateCounts();
    if (m_closeAfterRun) {
        m_closeAfterRun = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void CMainWindow::RefreshRequested() {
    if (m_refreshQueued)
        return;
    m_refreshQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_refreshQueued = false;
        // The rows on screen first; the rest follows in parts once they are painted.
        const auto [first, last] = m_list->VisibleRows();
        if (!m_state.StartRefreshIfRequested(first, last))
            return;
        m_panel->SetHighlight(m_state.preferences.highlightActiveCriteria,
                              ColourOfRef(m_state.preferences.colourActiveCriteria));
        if (m_state.RefreshUnfinished())
            m_refreshParts->start();
    });
}

// A timer, not a posted call: posted calls go ahead of the paint that shows the rows
// refreshed first, and every part would push it back again.
void CMainWindow::ContinueRefresh() {
    if (m_state.ContinueRefresh())
        m_refreshParts->start();
}
