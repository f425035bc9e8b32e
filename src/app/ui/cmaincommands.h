// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/settings/preferences.h"
#include "rename/clipboardtexts.h"

#include <QObject>
#include <QString>

#include <span>

class CHelpWindow;
class CMainWindow;
class CPictureViewer;
class QAction;
class QActionGroup;
class QMenu;
class QPoint;

// What a preference toggle does besides flipping its field.
enum class ToggleEffect : int {
    None,
    ListDisplay, // gridlines, full row select: shown by the list at once
    Highlight,   // every group frame repainted
    PictureViewer,
    Sorting,     // the list is sorted again
    Refresh,     // a preview refresh is posted
    CopyNotMove, // the "Copy not Move" box follows
};

struct PREFERENCETOGGLE {
    const char* menu; // submenu of Options, empty for the menu itself
    const char* text;
    const char* shortcut;
    bool PREFERENCES::*field;
    ToggleEffect effect;
};

// The Options menu's preference toggles in menu order.
std::span<const PREFERENCETOGGLE> PreferenceToggles();

// The text fields whose text the Zoom box may edit, named "section/key" like the panel's
// controls.
[[nodiscard]] bool IsZoomField(const QString& objectName);

// The File menu's entry for a recent favourite: numbered from 1, ampersands doubled so
// they are shown rather than taken for an access key.
[[nodiscard]] QString RecentFavouriteText(int index, const QString& path);

// The page of the project site that "Check for Updates" opens for a version text such as
// "0, 1, 0, 0": blanks are dropped and commas become dots, so the page gets 0.1.0.0.
[[nodiscard]] QString UpdateCheckAddress(const QString& versionText);

// The main window's menu bar, accelerators and context menus. Every command either flips a
// preference or calls the program state; entries are disabled while their command could
// not do anything, so no command is refused after the click.
class CMainCommands : public QObject {
    Q_OBJECT
public:
    explicit CMainCommands(CMainWindow& window);
    ~CMainCommands() override;

    // The action with this object name (each entry is named after its command).
    [[nodiscard]] QAction* Action(const QString& name) const;
    QMenu* FileMenu() const { return m_fileMenu; }
    QMenu* ListMenu() const { return m_listMenu; }
    QMenu* TreeMenu() const { return m_treeMenu; }
    CPictureViewer* PictureViewer() const { return m_viewer; }

    // Enabling and check marks follow the state and preferences.
    void UpdateEnabling();
    void UpdateChecks();
    void ShowListMenu(const QPoint& globalPosition);
    void ShowTreeMenu(const QPoint& globalPosition);
    // The viewer shows the single selected file, or nothing.
    void UpdatePictureViewer();
    // At start-up: the window's topmost state, the viewer and the tip of the day.
    void ApplyStartState();
    // Opens the help window at a page of the shipped help.
    void ShowHelp(const QString& page);

private:
    QAction* Add(QMenu* menu, const QString& name, const QString& text,
                 const QString& shortcut = QString());
    void BuildFileMenu();
    void BuildActionsMenu();
    void BuildOptionsMenu();
    void BuildHelpMenu();
    void BuildContextMenus();
    void FillRecentFavourites();
    void Toggle(const PREFERENCETOGGLE& toggle, bool on);
    void SetSizeDisplay(int mode);
    void ChooseColour(int PREFERENCES::*field, bool needsRestart);
    void AfterFavouriteCommand(int followUp);
    void AfterFollowUp(int followUp);
    void SelectAll(bool select);
    void InvertSelection();
    void SelectFromClipboard();
    void CopyToClipboard(ClipboardCopyMode mode);
    void RefreshTree();
    void Zoom();
    void RandomSort();
    void DebugNewName();
    void ChangeAttributes();
    void ChangeTimestamps();
    void EditTranslations();
    void ShowTipOfTheDay(bool atStartUp);
    void ShowAbout();
    void SetAlwaysOnTop(bool on);
    bool ScanRunning() const;

    CMainWindow& m_window;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentStart = nullptr;
    QAction* m_recentEnd = nullptr;
    QList<QAction*> m_recentActions;
    QActionGroup* m_sizeGroup = nullptr;
    QMenu* m_listMenu = nullptr;
    QMenu* m_treeMenu = nullptr;
    QByteArray m_treeContextPath;
    CPictureViewer* m_viewer = nullptr;
    CHelpWindow* m_help = nullptr;
};
