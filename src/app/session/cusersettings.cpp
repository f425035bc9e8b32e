// SPDX-License-Identifier: GPL-3.0-or-later
#include "cusersettings.h"

#include "filelist/listcolumns.h"

#include <algorithm>

namespace {

enum class UserSetting : int {
    MainWindowPlacement,
    AlwaysOnTop,
    SplitterLeft,
    ColumnWidth,
    ColumnPosition,
    PictureViewerPlacement,
    RecentFile
};

// Every key of the store. "%1" is filled with the column's width key, the display position
// or the recent entry's number (from 1).
struct USERSETTINGKEY {
    UserSetting setting;
    const char* key;
};

const USERSETTINGKEY kKeys[] = {
    {UserSetting::MainWindowPlacement, "Main Window/WindowPlacement"},
    {UserSetting::AlwaysOnTop, "Main Window/AlwaysOnTop"},
    {UserSetting::SplitterLeft, "Main Window/Splitter Left"},
    {UserSetting::ColumnWidth, "Main Window/%1"},
    {UserSetting::ColumnPosition, "Main Window/Column %1"},
    {UserSetting::PictureViewerPlacement, "Picture Viewer/WindowPlacement"},
    {UserSetting::RecentFile, "Recent File List/File%1"},
};

QString Key(UserSetting setting) {
    const auto* found = std::find_if(std::begin(kKeys), std::end(kKeys),
                                     [&](const USERSETTINGKEY& k) { return k.setting == setting; });
    return QLatin1String(found->key);
}

QString Key(UserSetting setting, const QString& part) {
    return Key(setting).arg(part);
}

QString Key(UserSetting setting, int number) {
    return Key(setting).arg(number);
}

std::optional<int> ReadInt(const QSettings& store, const QString& key) {
    bool ok = false;
    const int value = store.value(key).toString().trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

CUserSettings::CUserSettings() : m_store(QStringLiteral("Tarnwick"), QStringLiteral("Quorvin")) {}

std::optional<WINDOWPLACEMENT> CUserSettings::ReadPlacement(const QString& key) const {
    const QStringList parts = m_store.value(key).toString().split(QLatin1Char(','));
    if (parts.size() != 6)
        return std::nullopt;
    int numbers[6] = {};
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        numbers[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    WINDOWPLACEMENT placement{numbers[0], numbers[1], numbers[2],
                              numbers[3], numbers[4], numbers[5]};
    if (placement.showState == WINDOWPLACEMENT::kShowMinimised)
        placement.showState = WINDOWPLACEMENT::kShowNormal;
    return placement;
}

void CUserSettings::WritePlacement(const QString& key, const WINDOWPLACEMENT& p) {
    m_store.setValue(key, QStringLiteral("%1,%2,%3,%4,%5,%6")
                              .arg(p.left)
                              .arg(p.top)
                              .arg(p.right)
                              .arg(p.bottom)
                              .arg(p.showState)
                              .arg(p.flags));
}

std::optional<WINDOWPLACEMENT> CUserSettings::MainWindowPlacement() const {
    return ReadPlacement(Key(UserSetting::MainWindowPlacement));
}

void CUserSettings::SetMainWindowPlacement(const WINDOWPLACEMENT& placement) {
    WritePlacement(Key(UserSetting::MainWindowPlacement), placement);
}

std::optional<WINDOWPLACEMENT> CUserSettings::PictureViewerPlacement() const {
    return ReadPlacement(Key(UserSetting::PictureViewerPlacement));
}

void CUserSettings::SetPictureViewerPlacement(const WINDOWPLACEMENT& placement) {
    WritePlacement(Key(UserSetting::PictureViewerPlacement), placement);
}

bool CUserSettings::AlwaysOnTop() const {
    return ReadInt(m_store, Key(UserSetting::AlwaysOnTop)).value_or(0) != 0;
}

void CUserSettings::SetAlwaysOnTop(bool onTop) {
    m_store.setValue(Key(UserSetting::AlwaysOnTop), onTop ? 1 : 0);
}

int CUserSettings::SplitterLeft() const {
    return std::max(ReadInt(m_store, Key(UserSetting::SplitterLeft)).value_or(-1), -1);
}

void CUserSettings::SetSplitterLeft(int position) {
    m_store.setValue(Key(UserSetting::SplitterLeft), std::max(position, -1));
}

QList<int> CUserSettings::ColumnWidths() const {
    QList<int> widths;
    for (int column = 0; column < ColumnCount; ++column) {
        const LISTCOLUMN& info = ColumnInfo(column);
        const int width =
            ReadInt(m_store, Key(UserSetting::ColumnWidth, QLatin1String(info.widthKey)))
                .value_or(info.defaultWidth);
        widths.append(width < 0 ? info.defaultWidth : width);
    }
    return widths;
}

void CUserSettings::SetColumnWidths(const QList<int>& widths) {
    for (int column = 0; column < ColumnCount && column < widths.size(); ++column)
        m_store.setValue(Key(UserSetting::ColumnWidth, QLatin1String(ColumnInfo(column).widthKey)),
                         widths[column]);
}

QList<int> CUserSettings::ColumnOrder() const {
    QList<int> defaultOrder;
    for (int column = 0; column < ColumnCount; ++column)
        defaultOrder.append(column);
    QList<int> order;
    for (int position = 0; position < ColumnCount; ++position) {
        const std::optional<int> column =
            ReadInt(m_store, Key(UserSetting::ColumnPosition, position));
        if (!column || *column < 0 || *column >= ColumnCount || order.contains(*column))
            return defaultOrder;
        order.append(*column);
    }
    return order;
}

void CUserSettings::SetColumnOrder(const QList<int>& order) {
    for (int position = 0; position < order.size(); ++position)
        m_store.setValue(Key(UserSetting::ColumnPosition, position), order[position]);
}

QStringList CUserSettings::RecentFavourites() const {
    QStringList paths;
    for (int number = 1; number <= kRecentFavourites; ++number) {
        const QString path = m_store.value(Key(UserSetting::RecentFile, number)).toString();
        if (!path.isEmpty())
            paths.append(path);
    }
    return paths;
}

void CUserSettings::SetRecentFavourites(const QStringList& paths) {
    QStringList kept;
    for (const QString& path : paths) {
        if (!path.isEmpty() && kept.size() < kRecentFavourites)
            kept.append(path);
    }
    for (int number = 1; number <= kRecentFavourites; ++number) {
        if (number <= kept.size())
            m_store.setValue(Key(UserSetting::RecentFile, number), kept[number - 1]);
        else
            m_store.remove(Key(UserSetting::RecentFile, number));
    }
}

void CUserSettings::Clear() {
    m_store.clear();
}

void CUserSettings::Sync() {
    m_store.sync();
}
