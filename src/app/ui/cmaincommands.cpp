// SPDX-License-Identifier: GPL-3.0-or-later
#include "cmaincommands.h"

#include "app/session/cusersettings.h"
#include "app/session/picturecandidates.h"
#include "app/settings/preferencesfile.h"
#include "cattributesdialog.h"
#include "ccriteriapanel.h"
#include "cfilelistmodel.h"
#include "cfilelistview.h"
#include "cfoldertreemodel.h"
#include "chelpwindow.h"
#include "cmainwindow.h"
#include "cpictureviewer.h"
#include "ctimestampsdialog.h"
#include "ctipdialog.h"
#include "ctranslationsdialog.h"
#include "czoomdialog.h"
#include "platform/nativename.h"
#include "rename/translationtext.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QTreeView>
#include <QUrl>

namespace {

const QString kSiteAddress = QStringLiteral("https://quorvin.codeberg.page/");

constexpr auto kNone = ToggleEffect::None;

// clang-format off
const PREFERENCETOGGLE kToggles[] = {
    {"Favourites", "Save on E&xit", "", &PREFERENCES::autoSaveFavouriteOnExit, kNone},
    {"Favourites", "Store &Pathname", "", &PREFERENCES::storeFavouritePathnames, kNone},
    {"Display", "&Gridlines", "", &PREFERENCES::displayGridlines, ToggleEffect::ListDisplay},
    {"Display", "&Icons", "", &PREFERENCES::displayIcons, ToggleEffect::ListDisplay},
    {"Display", "&Highlight Active Criteria", "", &PREFERENCES::highlightActiveCriteria, ToggleEffect::Highlight},
    {"Display", "&Warning Message", "", &PREFERENCES::displayWarningMessage, kNone},
    {"Display", "&Confirmation Message", "", &PREFERENCES::displayConfirmationMessage, kNone},
    {"Display", "Picture &Viewer", "Ctrl+W", &PREFERENCES::displayPictureViewer, ToggleEffect::PictureViewer},
    {"", "Full &Row Select", "", &PREFERENCES::fullRowSelect, ToggleEffect::ListDisplay},
    {"", "Auto-Se&lect Entries", "", &PREFERENCES::autoSelectEntries, kNone},
    {"Sorting", "&Logical Sorting", "", &PREFERENCES::logicalSorting, ToggleEffect::Sorting},
    {"Sorting", "Group &Affected Files", "", &PREFERENCES::groupAffectedFiles, ToggleEffect::Sorting},
    {"Sorting", "Sort Files and Folders Together", "", &PREFERENCES::sortFilesAndFoldersTogether, ToggleEffect::Sorting},
    {"", "Over&write Target Files", "", &PREFERENCES::overwriteTargetFiles, kNone},
    {"", "Retain Auto&number", "", &PREFERENCES::retainAutonumber, kNone},
    {"", "Prevent &Duplicates", "", &PREFERENCES::preventDuplicates, kNone},
    {"", "Rename in Re&verse Order", "", &PREFERENCES::reverseOrder, kNone},
    {"", "Log Activity", "Ctrl+L", &PREFERENCES::logActivity, kNone},
    {"", "New Location Copy not &Move", "", &PREFERENCES::newLocationCopyNotMove, ToggleEffect::CopyNotMove},
    {"Ignore...", "F&ile Extensions", "", &PREFERENCES::ignoreFileExtensions, ToggleEffect::Refresh},
    {"Ignore...", "Fo&lder Extensions", "", &PREFERENCES::ignoreFolderExtensions, ToggleEffect::Refresh},
    {"Extract...", "ID&3 Data (MP3)", "", &PREFERENCES::extractId3Data, kNone},
    {"Extract...", "E&xif data (Photos)", "", &PREFERENCES::extractExifData, kNone},
};
// clang-format on

const char* const kZoomFields[] = {
    "Regular Expressions/Match",
    "Regular Expressions/Replace",
    "Filename/Fixed",
    "Replacements/Replace",
    "Replacements/With",
    "Additions/Prefix",
    "Additions/Text",
    "Additions/Suffix",
    "Selections/Filter",
    "Removals/Chars",
    "Removals/Words",
    "Auto Date/Custom",
    "Removals/Crop Marker",
    "Case/Exceptions",
};

const char* const kSizeTexts[] = {"&Bytes", "&Kilobytes", "&Megabytes", "&Gigabytes", "Mi&xed"};

QString ToggleName(const PREFERENCETOGGLE& toggle) {
    return QStringLiteral("toggle/") + QString::fromLatin1(toggle.text).remove(QLatin1Char('&'));
}

QColor ColourOfRef(int colourRef) {
    return QColor(colourRef & 0xff, (colourRef >> 8) & 0xff, (colourRef >> 16) & 0xff);
}

int RefOfColour(const QColor& colour) {
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

bool ClipboardHoldsText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText() && !data->text().isEmpty();
}

} // namespace

std::span<const PREFERENCETOGGLE> PreferenceToggles() {
    return kToggles;
}

bool IsZoomField(const QString& objectName) {
    for (const char* field : kZoomFields) {
        if (objectName == QLatin1String(field))
            return true;
    }
    return false;
}

QString RecentFavouriteText(int index, const QString& path) {
    QString shown = path;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

QString UpdateCheckAddress(const QString& versionText) {
    QString version = versionText;
    version.remove(QLatin1Char(' ')).replace(QLatin1Char(','), QLatin1Char('.'));
    return kSiteAddress + QStringLiteral("Version.php?Version=") + version;
}

CMainCommands::CMainCommands(CMainWindow& window) : QObject(&window), m_window(window) {
    BuildFileMenu();
    BuildActionsMenu();
    BuildOptionsMenu();
    BuildHelpMenu();
    BuildContextMenus();
    m_viewer = new CPictureViewer(&window);
    connect(m_viewer, &CPictureViewer::HelpRequested, this, &CMainCommands::ShowHelp);
    connect(m_viewer, &CPictureViewer::Closed, this, [this] {
        m_window.State().preferences.displayPictureViewer = 0;
        UpdateChecks();
    });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &CMainCommands::UpdateEnabling);
    connect(qApp, &QApplication::focusChanged, this, &CMainCommands::UpdateEnabling);
    connect(&window, &CMainWindow::CountsChanged, this, [this] {
        UpdateEnabling();
        UpdatePictureViewer();
    });
    UpdateEnabling();
    UpdateChecks();
}

CMainCommands::~CMainCommands() = default;

QAction* CMainCommands::Action(const QString& name) const {
    return m_window.findChild<QAction*>(name);
}

QAction* CMainCommands::Add(QMenu* menu, const QString& name, const QString& text,
                            const QString& shortcut) {
    auto* action = new QAction(text, &m_window);
    action->setObjectName(name);
    if (!shortcut.isEmpty()) {
        action->setShortcut(QKeySequence(shortcut));
        action->setShortcutContext(Qt::WindowShortcut);
    }
    // Accelerators work while the menu bar is hidden or the menu closed.
    m_window.addAction(action);
    menu->addAction(action);
    return action;
}

void CMainCommands::BuildFileMenu() {
    CProgramState& state = m_window.State();
    m_fileMenu = m_window.menuBar()->addMenu(QStringLiteral("&File"));
    connect(
        Add(m_fileMenu, QStringLiteral("open"), QStringLiteral("&Open"), QStringLiteral("Ctrl+O")),
        &QAction::triggered, this,
        [this, &state] { AfterFavouriteCommand(static_cast<int>(state.OpenFavourite())); });
    connect(
        Add(m_fileMenu, QStringLiteral("save"), QStringLiteral("&Save"), QStringLiteral("Ctrl+S")),
        &QAction::triggered, this, [this, &state] {
            state.SaveFavouriteCommand(DecodeNativeName(m_window.SelectedFolder()));
            UpdateEnabling();
        });
    connect(Add(m_fileMenu, QStringLiteral("saveAs"), QStringLiteral("Save &As...")),
            &QAction::triggered, this, [this, &state] {
                state.SaveFavouriteAs(DecodeNativeName(m_window.SelectedFolder()));
                UpdateEnabling();
            });
    connect(Add(m_fileMenu, QStringLiteral("revert"), QStringLiteral("Re&vert")),
            &QAction::triggered, this,
            [this, &state] { AfterFavouriteCommand(static_cast<int>(state.RevertFavourite())); });
    connect(Add(m_fileMenu, QStringLiteral("importPairs"), QStringLiteral("&Import Rename-Pairs")),
            &QAction::triggered, this,
            [this, &state] { AfterFollowUp(static_cast<int>(state.ImportRenamePairs())); });
    m_recentStart = m_fileMenu->addSeparator();
    m_recentEnd = m_fileMenu->addSeparator();
    connect(Add(m_fileMenu, QStringLiteral("exit"), QStringLiteral("E&xit")), &QAction::triggered,
            &m_window, &QWidget::close);
    connect(m_fileMenu, &QMenu::aboutToShow, this, &CMainCommands::FillRecentFavourites);
    FillRecentFavourites();
}

void CMainCommands::FillRecentFavourites() {
    qDeleteAll(m_recentActions);
    m_recentActions.clear();
    const QStringList& recent = m_window.State().RecentFavourites();
    for (int index = 0; index < recent.size(); ++index) {
        auto* action = new QAction(RecentFavouriteText(index, recent[index]), m_fileMenu);
        action->setObjectName(QStringLiteral("recent%1").arg(index + 1));
        const QString path = recent[index];
        connect(action, &QAction::triggered, this, [this, path] {
            AfterFavouriteCommand(static_cast<int>(m_window.State().OpenRecentFavourite(path)));
        });
        m_fileMenu->insertAction(m_recentEnd, action);
        m_recentActions.append(action);
    }
    // With no recent favourites one separator is enough.
    m_recentEnd->setVisible(!recent.isEmpty());
}

void CMainCommands::BuildActionsMenu() {
    QMenu* menu = m_window.menuBar()->addMenu(QStringLiteral("&Actions"));
    CProgramState& state = m_window.State();
    connect(Add(menu, QStringLiteral("selectAll"), QStringLiteral("&Select All"),
                QStringLiteral("Ctrl+A")),
            &QAction::triggered, this, [this] { SelectAll(true); });
    connect(Add(menu, QStringLiteral("deselectAll"), QStringLiteral("&Deselect All"),
                QStringLiteral("Ctrl+D")),
            &QAction::triggered, this, [this] { SelectAll(false); });
    connect(Add(menu, QStringLiteral("invertSelection"), QStringLiteral("Invert Selection"),
                QStringLiteral("Ctrl+I")),
            &QAction::triggered, this, &CMainCommands::InvertSelection);
    connect(
        Add(menu, QStringLiteral("selectFromClipboard"), QStringLiteral("Select from Clip&board")),
        &QAction::triggered, this, &CMainCommands::SelectFromClipboard);
    menu->addSeparator();
    connect(Add(menu, QStringLiteral("jumpToPath"), QStringLiteral("&Jump to Path"),
                QStringLiteral("Ctrl+J")),
            &QAction::triggered, &m_window, &CMainWindow::JumpToPath);
    connect(Add(menu, QStringLiteral("refreshFiles"), QStringLiteral("&Refresh Files"),
                QStringLiteral("F5")),
            &QAction::triggered, &m_window, &CMainWindow::RefreshFileList);
    connect(Add(menu, QStringLiteral("refreshTree"), QStringLiteral("Refresh &Tree"),
                QStringLiteral("Ctrl+F5")),
            &QAction::triggered, this, &CMainCommands::RefreshTree);
    connect(Add(menu, QStringLiteral("showHideTree"), QStringLiteral("Show/Hide Tree"),
                QStringLiteral("F11")),
            &QAction::triggered, this,
            [this] { m_window.TreeView()->setVisible(m_window.TreeView()->isHidden()); });
    menu->addSeparator();
    connect(Add(menu, QStringLiteral("undoRename"), QStringLiteral("&Undo Rename"),
                QStringLiteral("Ctrl+Z")),
            &QAction::triggered, &m_window, &CMainWindow::UndoRename);
    connect(Add(menu, QStringLiteral("undoBatchfile"), QStringLiteral("Create Undo Batchfile"),
                QStringLiteral("Ctrl+B")),
            &QAction::triggered, this, [&state] { state.OnCreateUndoBatchfile(); });
    menu->addSeparator();
    connect(Add(menu, QStringLiteral("zoom"), QStringLiteral("&Zoom"), QStringLiteral("F8")),
            &QAction::triggered, this, &CMainCommands::Zoom);
    connect(Add(menu, QStringLiteral("randomSort"), QStringLiteral("Rand&om Sort")),
            &QAction::triggered, this, &CMainCommands::RandomSort);
    connect(Add(menu, QStringLiteral("resetAll"), QStringLiteral("R&eset All Criteria"),
                QStringLiteral("Ctrl+T")),
            &QAction::triggered, m_window.Panel(), &CCriteriaPanel::ResetAll);
    connect(Add(menu, QStringLiteral("rename"), QStringLiteral("Rename"), QStringLiteral("Ctrl+R")),
            &QAction::triggered, &m_window, &CMainWindow::Rename);
    connect(Add(menu, QStringLiteral("clearPairs"), QStringLiteral("Clear Imported-&Pairs")),
            &QAction::triggered, this,
            [this, &state] { AfterFollowUp(static_cast<int>(state.ClearImportedPairs())); });
    connect(Add(menu, QStringLiteral("debugNewName"), QStringLiteral("Debug New Name")),
            &QAction::triggered, this, &CMainCommands::DebugNewName);
}

void CMainCommands::BuildOptionsMenu() {
    QMenu* options = m_window.menuBar()->addMenu(QStringLiteral("&Options"));
    QAction* onTop = Add(options, QStringLiteral("alwaysOnTop"), QStringLiteral("Always On &Top"));
    onTop->setCheckable(true);
    connect(onTop, &QAction::toggled, this, &CMainCommands::SetAlwaysOnTop);

    QHash<QString, QMenu*> submenus;
    const auto submenu = [&](const char* name) -> QMenu* {
        const QString title = QString::fromLatin1(name);
        if (title.isEmpty())
            return options;
        QMenu*& menu = submenus[title];
        if (menu == nullptr)
            menu = options->addMenu(title);
        return menu;
    };
    const auto addToggle = [&](const PREFERENCETOGGLE& toggle) {
        QAction* action =
            Add(submenu(toggle.menu), ToggleName(toggle), QString::fromLatin1(toggle.text),
                QString::fromLatin1(toggle.shortcut));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this,
                [this, &toggle](bool on) { Toggle(toggle, on); });
    };
    // The menu's order interleaves submenus and plain entries.
    const auto toggles = PreferenceToggles();
    for (int index = 0; index < 8; ++index)
        addToggle(toggles[index]);

    QMenu* sizes = submenu("Display")->addMenu(QStringLiteral("File si&zes as..."));
    m_sizeGroup = new QActionGroup(this);
    for (int mode = 1; mode <= 5; ++mode) {
        QAction* action = Add(sizes, QStringLiteral("size%1").arg(mode),
                              QString::fromLatin1(kSizeTexts[mode - 1]));
        action->setCheckable(true);
        m_sizeGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, mode] { SetSizeDisplay(mode); });
    }
    QMenu* colours = options->addMenu(QStringLiteral("Colours"));
    connect(Add(colours, QStringLiteral("colourOk"), QStringLiteral("New Name &OK...")),
            &QAction::triggered, this,
            [this] { ChooseColour(&PREFERENCES::colourNewNameOk, false); });
    connect(Add(colours, QStringLiteral("colourInvalid"), QStringLiteral("New Name &Invalid...")),
            &QAction::triggered, this,
            [this] { ChooseColour(&PREFERENCES::colourNewNameInvalid, false); });
    connect(Add(colours, QStringLiteral("colourActive"), QStringLiteral("&Active Criteria...")),
            &QAction::triggered, this,
            [this] { ChooseColour(&PREFERENCES::colourActiveCriteria, true); });
    options->addSeparator();
    for (std::size_t index = 8; index < toggles.size(); ++index)
        addToggle(toggles[index]);
    options->addSeparator();
    connect(Add(options, QStringLiteral("attributes"), QStringLiteral("Attri&butes..."),
                QStringLiteral("Ctrl+F3")),
            &QAction::triggered, this, &CMainCommands::ChangeAttributes);
    connect(Add(options, QStringLiteral("timestamps"), QStringLiteral("Timestam&p..."),
                QStringLiteral("Ctrl+F4")),
            &QAction::triggered, this, &CMainCommands::ChangeTimestamps);
    connect(Add(options, QStringLiteral("translations"),
                QStringLiteral("Character Translations..."), QStringLiteral("Ctrl+F6")),
            &QAction::triggered, this, &CMainCommands::EditTranslations);
    connect(options, &QMenu::aboutToShow, this, &CMainCommands::UpdateChecks);
}

void CMainCommands::BuildHelpMenu() {
    QMenu* help = m_window.menuBar()->addMenu(QStringLiteral("&Help"));
    connect(Add(help, QStringLiteral("helpContents"), QStringLiteral("&Contents")),
            &QAction::triggered, this, [this] { ShowHelp(QStringLiteral("index.htm")); });
    connect(Add(help, QStringLiteral("helpIndex"), QStringLiteral("&Index")), &QAction::triggered,
            this, [this] { ShowHelp(QStringLiteral("topics.htm")); });
    connect(Add(help, QStringLiteral("helpSearch"), QStringLiteral("&Search")), &QAction::triggered,
            this, [this] {
                ShowHelp(QStringLiteral("index.htm"));
                m_help->FocusFind();
            });
    help->addSeparator();
    connect(Add(help, QStringLiteral("tipOfTheDay"), QStringLiteral("&Tip of the Day")),
            &QAction::triggered, this, [this] { ShowTipOfTheDay(false); });
    help->addSeparator();
    connect(Add(help, QStringLiteral("onlineForum"), QStringLiteral("Online &Forum")),
            &QAction::triggered, this,
            [] { QDesktopServices::openUrl(QUrl(kSiteAddress + QStringLiteral("Forums/"))); });
    connect(Add(help, QStringLiteral("checkUpdates"), QStringLiteral("Check for &Updates")),
            &QAction::triggered, this, [] {
                // The version resource's comma-separated form, e.g. "0, 1, 0, 0".
                QStringList parts = QStringLiteral(QUORVIN_VERSION).split(QLatin1Char('.'));
                while (parts.size() < 4)
                    parts.append(QStringLiteral("0"));
                QDesktopServices::openUrl(
                    QUrl(UpdateCheckAddress(parts.join(QStringLiteral(", ")))));
            });
    help->addSeparator();
    connect(Add(help, QStringLiteral("about"), QStringLiteral("&About")), &QAction::triggered, this,
            &CMainCommands::ShowAbout);
    auto* f1 = new QAction(&m_window);
    f1->setShortcut(QKeySequence(QKeySequence::HelpContents));
    f1->setShortcutContext(Qt::WindowShortcut);
    m_window.addAction(f1);
    connect(f1, &QAction::triggered, this, [this] { ShowHelp(QStringLiteral("index.htm")); });
}

void CMainCommands::BuildContextMenus() {
    m_listMenu = new QMenu(QStringLiteral("Clipboard Copy"), &m_window);
    for (const CLIPBOARDCOPYCOMMAND& command : ClipboardCopyCommands()) {
        QAction* action = m_listMenu->addAction(command.MenuText());
        action->setObjectName(QStringLiteral("copy%1").arg(static_cast<int>(command.mode)));
        const ClipboardCopyMode mode = command.mode;
        connect(action, &QAction::triggered, this, [this, mode] { CopyToClipboard(mode); });
    }
    m_treeMenu = new QMenu(QStringLiteral("Clipboard Copy"), &m_window);
    QAction* copyPath = m_treeMenu->addAction(QStringLiteral("&Pathname"));
    copyPath->setObjectName(QStringLiteral("treeCopyPath"));
    connect(copyPath, &QAction::triggered, this, [this] {
        if (!m_treeContextPath.isEmpty())
            QGuiApplication::clipboard()->setText(QFile::decodeName(m_treeContextPath));
    });
    QAction* toNewLocation =
        m_treeMenu->addAction(QStringLiteral("&Pathname, and paste to New Location (Box 13)"));
    toNewLocation->setObjectName(QStringLiteral("treePathToNewLocation"));
    connect(toNewLocation, &QAction::triggered, this, [this] {
        if (m_treeContextPath.isEmpty())
            return;
        m_window.State().criteria.newLocation.path = DecodeNativeName(m_treeContextPath);
        m_window.Panel()->FillFromCriteria();
        m_window.RequestRefresh();
    });
    QTreeView* tree = m_window.TreeView();
    tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tree, &QWidget::customContextMenuRequested, this, [this, tree](const QPoint& point) {
        ShowTreeMenu(tree->viewport()->mapToGlobal(point));
    });
}

void CMainCommands::ShowListMenu(const QPoint& globalPosition) {
    if (m_window.State().list.SelectedCount() == 0)
        return;
    m_listMenu->popup(globalPosition);
}

void CMainCommands::ShowTreeMenu(const QPoint& globalPosition) {
    m_treeContextPath.clear();
    QTreeView* tree = m_window.TreeView();
    const QModelIndex index = tree->indexAt(tree->viewport()->mapFromGlobal(globalPosition));
    if (!index.isValid())
        return;
    m_treeContextPath = m_window.TreeModel()->NativePathOf(index);
    QMenu menu;
    menu.addMenu(m_treeMenu);
    menu.exec(globalPosition);
}

void CMainCommands::UpdateEnabling() {
    const CProgramState& state = m_window.State();
    const int selected = state.list.SelectedCount();
    const bool history = state.history.HistoryCount() > 0;
    Action(QStringLiteral("revert"))->setEnabled(!state.CurrentFavourite().isEmpty());
    Action(QStringLiteral("selectFromClipboard"))->setEnabled(ClipboardHoldsText());
    Action(QStringLiteral("undoRename"))->setEnabled(history);
    Action(QStringLiteral("undoBatchfile"))->setEnabled(history);
    Action(QStringLiteral("rename"))->setEnabled(selected > 0);
    Action(QStringLiteral("clearPairs"))->setEnabled(!state.renamePairs.isEmpty());
    Action(QStringLiteral("debugNewName"))->setEnabled(selected == 1);
    const auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    Action(QStringLiteral("zoom"))
        ->setEnabled(field != nullptr && IsZoomField(field->objectName()));
}

void CMainCommands::UpdateChecks() {
    const PREFERENCES& preferences = m_window.State().preferences;
    for (const PREFERENCETOGGLE& toggle : PreferenceToggles())
        Action(ToggleName(toggle))->setChecked(preferences.*toggle.field);
    const int mode = preferences.displayFilesizesAs;
    if (mode >= 1 && mode <= 5)
        Action(QStringLiteral("size%1").arg(mode))->setChecked(true);
    const QSignalBlocker blocker(Action(QStringLiteral("alwaysOnTop")));
    Action(QStringLiteral("alwaysOnTop"))
        ->setChecked(m_window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

void CMainCommands::Toggle(const PREFERENCETOGGLE& toggle, bool on) {
    CProgramState& state = m_window.State();
    state.preferences.*toggle.field = on;
    switch (toggle.effect) {
    case ToggleEffect::None:
        break;
    case ToggleEffect::ListDisplay:
        m_window.ApplyListDisplay();
        break;
    case ToggleEffect::Highlight:
        m_window.Panel()->SetHighlight(on, ColourOfRef(state.preferences.colourActiveCriteria));
        break;
    case ToggleEffect::PictureViewer:
        UpdatePictureViewer();
        break;
    case ToggleEffect::Sorting:
        state.ApplyPreferences();
        m_window.ResortList();
        break;
    case ToggleEffect::Refresh:
        state.ApplyPreferences();
        m_window.RequestRefresh();
        break;
    case ToggleEffect::CopyNotMove:
        m_window.Panel()->FillFromCriteria();
        m_window.RequestRefresh();
        break;
    }
}

void CMainCommands::SetSizeDisplay(int mode) {
    CProgramState& state = m_window.State();
    state.preferences.displayFilesizesAs = mode;
    state.ApplyPreferences();
    UpdateChecks();
    m_window.RequestRefresh();
}

void CMainCommands::ChooseColour(int PREFERENCES::*field, bool needsRestart) {
    PREFERENCES& preferences = m_window.State().preferences;
    const QColor chosen = QColorDialog::getColor(ColourOfRef(preferences.*field), &m_window);
    if (!chosen.isValid())
        return;
    preferences.*field = RefOfColour(chosen);
    if (needsRestart) {
        m_window.State().Prompts().Ask(
            QStringLiteral("The new colour will be used when Quorvin is next started."),
            PromptButtons::Ok, PromptIcon::Information);
    } else {
        m_window.RequestRefresh();
    }
}

void CMainCommands::AfterFavouriteCommand(int followUp) {
    if (static_cast<FollowUp>(followUp) == FollowUp::Rescan) {
        m_window.FillPanelFromState();
        m_window.RefreshFileList();
    } else {
        AfterFollowUp(followUp);
    }
    UpdateEnabling();
    UpdateChecks();
}

void CMainCommands::AfterFollowUp(int followUp) {
    switch (static_cast<FollowUp>(followUp)) {
    case FollowUp::Nothing:
        break;
    case FollowUp::Refresh:
        m_window.RequestRefresh();
        break;
    case FollowUp::Rescan:
        m_window.RefreshFileList();
        break;
    }
    UpdateEnabling();
}

bool CMainCommands::ScanRunning() const {
    return m_window.ScanRunning();
}

void CMainCommands::SelectAll(bool select) {
    if (ScanRunning())
        return;
    CProgramState& state = m_window.State();
    if (select)
        state.list.SelectAll();
    else
        state.list.DeselectAll();
    m_window.ListSelectionChanged();
    m_window.State().Prompts().SetStatus(StatusPane::Message, QString());
}

void CMainCommands::InvertSelection() {
    if (ScanRunning())
        return;
    CFileList& list = m_window.State().list;
    for (int row = 0; row < list.RowCount(); ++row)
        list.SetSelected(row, !list.IsSelected(row));
    m_window.ListSelectionChanged();
}

void CMainCommands::SelectFromClipboard() {
    if (ScanRunning() || !ClipboardHoldsText())
        return;
    SelectFromClipboardText(m_window.State().list, QGuiApplication::clipboard()->text());
    m_window.ListSelectionChanged();
}

void CMainCommands::CopyToClipboard(ClipboardCopyMode mode) {
    const CProgramState& state = m_window.State();
    const QString text = ClipboardCopyText(state.list, mode, state.preferences.displayFilesizesAs);
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void CMainCommands::RefreshTree() {
    const QByteArray remembered = m_window.SelectedFolder();
    QTreeView* tree = m_window.TreeView();
    CFolderTreeModel* model = m_window.TreeModel();
    PREFERENCES early;
    ReadPreferencesFile(m_window.PreferencesPath(), early);
    model->FillTopLevel(early.desktopRoot);
    tree->expand(model->index(0, 0));
    bool exact = false;
    const QModelIndex index = model->FindFolder(remembered, &exact);
    if (exact) {
        tree->setCurrentIndex(index);
        tree->scrollTo(index);
    } else {
        tree->selectionModel()->clearCurrentIndex();
    }
    m_window.RefreshFileList();
}

void CMainCommands::Zoom() {
    auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (field == nullptr || !IsZoomField(field->objectName()))
        return;
    CZoomDialog dialog(field->text(), &m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    field->setText(dialog.Text());
    // The panel listens to edits, not to programmatic changes.
    emit field->textEdited(field->text());
    emit field->editingFinished();
}

void CMainCommands::RandomSort() {
    if (ScanRunning())
        return;
    m_window.State().sortOrder.SetRandom();
    m_window.ResortList();
}

void CMainCommands::DebugNewName() {
    CProgramState& state = m_window.State();
    if (state.list.SelectedCount() != 1)
        return;
    state.debugRow = state.list.NextSelected(-1);
    m_window.RequestRefresh();
}

void CMainCommands::ChangeAttributes() {
    CProgramState& state = m_window.State();
    CAttributesDialog dialog(state.changes.attributeFlags, &m_window);
    connect(&dialog, &CAttributesDialog::HelpRequested, this, &CMainCommands::ShowHelp);
    if (dialog.exec() != QDialog::Accepted)
        return;
    state.changes.attributeFlags = dialog.Flags();
    m_window.RequestRefresh();
    m_window.State().Prompts().SetStatus(StatusPane::Message, QStringLiteral("Attributes Stored"));
}

void CMainCommands::ChangeTimestamps() {
    CProgramState& state = m_window.State();
    CTimestampsDialog dialog(state.changes, state.Prompts(), &m_window);
    connect(&dialog, &CTimestampsDialog::HelpRequested, this, &CMainCommands::ShowHelp);
    if (dialog.exec() != QDialog::Accepted)
        return;
    dialog.Store(state.changes);
    m_window.RequestRefresh();
    m_window.State().Prompts().SetStatus(StatusPane::Message,
                                         QStringLiteral("Timestamp settings stored"));
}

void CMainCommands::EditTranslations() {
    CProgramState& state = m_window.State();
    CTranslationsDialog dialog(TranslationsToEditText(state.translations), &m_window);
    connect(&dialog, &CTranslationsDialog::HelpRequested, this, &CMainCommands::ShowHelp);
    if (dialog.exec() != QDialog::Accepted)
        return;
    AfterFollowUp(static_cast<int>(state.SetTranslationsText(dialog.Text())));
}

void CMainCommands::ShowHelp(const QString& page) {
    // A modal dialog blocks every window but its own children, so its help goes there.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        auto* help = new CHelpWindow(modal);
        help->setAttribute(Qt::WA_DeleteOnClose);
        help->ShowPage(page);
        help->show();
        return;
    }
    if (m_help == nullptr)
        m_help = new CHelpWindow(&m_window);
    m_help->ShowPage(page);
    m_help->show();
    m_help->raise();
}

void CMainCommands::ShowTipOfTheDay(bool atStartUp) {
    if (atStartUp) {
        TIPSTATE tip;
        ReadTipState(m_window.PreferencesPath(), tip);
        if (tip.startUp == 0)
            return;
    }
    // Not modal: the window stays usable, and the state is written when the tip closes.
    auto* dialog = new CTipDialog(m_window.PreferencesPath(), &m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void CMainCommands::ShowAbout() {
    QMessageBox box(&m_window);
    box.setWindowTitle(QStringLiteral("About Quorvin"));
    box.setIconPixmap(m_window.windowIcon().pixmap(64, 64));
    box.setTextFormat(Qt::RichText);
    box.setText(QStringLiteral("<b>Quorvin</b> %1<br>Renames many files and folders at once, with "
                               "a preview of every new name and undo.")
                    .arg(QStringLiteral(QUORVIN_VERSION)));
    box.setInformativeText(
        QStringLiteral("Free software under the GNU General Public License, version 3 or later "
                       "(GPL-3.0-or-later).<br><a href=\"%1\">%1</a>")
            .arg(kSiteAddress));
    box.exec();
}

void CMainCommands::SetAlwaysOnTop(bool on) {
    const bool visible = m_window.isVisible();
    m_window.setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible)
        m_window.show();
    CUserSettings settings;
    settings.SetAlwaysOnTop(on);
}

void CMainCommands::UpdatePictureViewer() {
    const CProgramState& state = m_window.State();
    if (state.preferences.displayPictureViewer == 0) {
        m_viewer->hide();
        return;
    }
    QByteArray path;
    if (state.list.SelectedCount() == 1) {
        const int row = state.list.NextSelected(-1);
        if (!state.list.GetEntry(row).isFolder)
            path = state.list.GetNativeFullPath(row);
    }
    m_viewer->ShowFile(path);
    if (!m_viewer->isVisible())
        m_viewer->show();
}

void CMainCommands::ApplyStartState() {
    const CUserSettings settings;
    if (settings.AlwaysOnTop())
        Action(QStringLiteral("alwaysOnTop"))->setChecked(true);
    UpdateChecks();
    UpdatePictureViewer();
    ShowTipOfTheDay(true);
}
