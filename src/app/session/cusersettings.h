// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QSettings>
#include <QString>
#include <QStringList>

#include <optional>

// A window's normal rectangle and how it was shown, stored as the text
// "left,top,right,bottom,show state,flags".
struct WINDOWPLACEMENT {
    static constexpr int kShowNormal = 1;
    static constexpr int kShowMinimised = 2;
    static constexpr int kShowMaximised = 3;

    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int showState = kShowNormal;
    int flags = 0;

    bool operator==(const WINDOWPLACEMENT&) const = default;
};

// What the window keeps between runs in the per-user settings store ("Tarnwick",
// "Quorvin"): placements, the splitter, the list's column widths and order, always-on-top
// and the recent favourites. Reads never fail: a missing or damaged value gives its
// default. Written when the object is destroyed or synced.
class CUserSettings {
public:
    static constexpr int kRecentFavourites = 8;

    CUserSettings();

    // Nothing when no placement was stored or its text does not hold exactly six numbers;
    // a minimised window comes back shown normally.
    [[nodiscard]] std::optional<WINDOWPLACEMENT> MainWindowPlacement() const;
    void SetMainWindowPlacement(const WINDOWPLACEMENT& placement);
    [[nodiscard]] std::optional<WINDOWPLACEMENT> PictureViewerPlacement() const;
    void SetPictureViewerPlacement(const WINDOWPLACEMENT& placement);

    [[nodiscard]] bool AlwaysOnTop() const;
    void SetAlwaysOnTop(bool onTop);

    // The divider between folder tree and list; -1 when it is not to be restored.
    [[nodiscard]] int SplitterLeft() const;
    void SetSplitterLeft(int position);

    // One width per list column in column order; a missing or negative width gives the
    // column's default.
    [[nodiscard]] QList<int> ColumnWidths() const;
    void SetColumnWidths(const QList<int>& widths);
    // The column shown at each display position; the default order unless every position
    // is stored and together they name each column once.
    [[nodiscard]] QList<int> ColumnOrder() const;
    void SetColumnOrder(const QList<int>& order);

    // Most recent first, at most eight, without empty entries.
    [[nodiscard]] QStringList RecentFavourites() const;
    void SetRecentFavourites(const QStringList& paths);

    // Everything this store holds goes ("/RESET").
    void Clear();
    void Sync();

private:
    std::optional<WINDOWPLACEMENT> ReadPlacement(const QString& key) const;
    void WritePlacement(const QString& key, const WINDOWPLACEMENT& placement);

    mutable QSettings m_store;
};
