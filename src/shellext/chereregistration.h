// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The user's folders the entries go into.
struct HEREFOLDERS {
    QString dataHome;       // $XDG_DATA_HOME, else ~/.local/share
    QString configHome;     // $XDG_CONFIG_HOME, else ~/.config
    QStringList configDirs; // $XDG_CONFIG_DIRS, else /etc/xdg
};

// The folders of this process's environment, by the XDG base directory rules.
[[nodiscard]] HEREFOLDERS HereFoldersFromEnvironment();

// What one --register or --unregister did.
struct HERERESULT {
    QStringList served;  // file managers whose entry is now as asked
    QStringList changed; // files written or removed
    QStringList errors;  // one line per file that could not be handled
};

// Adds and removes the "Quorvin Here" entry of Dolphin, Nautilus, Nemo and Thunar in the
// user's folders. Both are idempotent: a file already as wanted is not touched.
class CHereRegistration {
public:
    CHereRegistration(HEREFOLDERS folders, QByteArray helperPath);

    [[nodiscard]] HERERESULT Register() const;
    [[nodiscard]] HERERESULT Unregister() const;

    [[nodiscard]] QString DolphinFile() const;
    [[nodiscard]] QString NautilusFile() const;
    [[nodiscard]] QString NemoFile() const;
    [[nodiscard]] QString ThunarFile() const;

private:
    void RegisterThunar(HERERESULT& result) const;
    void UnregisterThunar(HERERESULT& result) const;
    [[nodiscard]] QByteArray SystemThunarActions() const;

    HEREFOLDERS m_folders;
    QByteArray m_helperPath;
};
