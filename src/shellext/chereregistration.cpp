// SPDX-License-Identifier: GPL-3.0-or-later
#include "chereregistration.h"

#include "cthunaractions.h"
#include "menufiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

namespace {

constexpr QFileDevice::Permissions kExecutable =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
    QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser | QFileDevice::ReadGroup |
    QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
constexpr QFileDevice::Permissions kPlain = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ReadUser | QFileDevice::WriteUser |
                                            QFileDevice::ReadGroup | QFileDevice::ReadOther;

QString FromEnvironment(const char* name, const QString& fallback) {
    const QString value = QFile::decodeName(qgetenv(name));
    // Relative values are invalid by the base directory rules and are ignored.
    return value.startsWith(QLatin1Char('/')) ? value : fallback;
}

std::optional<QByteArray> ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

enum class EWriteOutcome : int { Unchanged, Written, Failed };

// Writes atomically, and only when the content or the mode differ from what is there.
EWriteOutcome WriteIfDifferent(const QString& path, const QByteArray& content,
                               QFileDevice::Permissions permissions) {
    const std::optional<QByteArray> existing = ReadFile(path);
    if (existing && *existing == content) {
        if (QFile::permissions(path) == permissions)
            return EWriteOutcome::Unchanged;
        return QFile::setPermissions(path, permissions) ? EWriteOutcome::Written
                                                        : EWriteOutcome::Failed;
    }
    if (!QDir().mkpath(QFileInfo(path).path()))
        return EWriteOutcome::Failed;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() ||
        !file.setPermissions(permissions) || !file.commit())
        return EWriteOutcome::Failed;
    return EWriteOutcome::Written;
}

// Removes the folders above the file that removing it left empty, as register made them: up to
// the home folder when base lies in it, else up to base.
void RemoveEmptyParents(const QString& filePath, const QString& base) {
    QDir dir = QFileInfo(filePath).dir();
    const QString home = QDir::cleanPath(QDir::homePath());
    const QString cleanBase = QDir::cleanPath(base);
    const QString stop = cleanBase.startsWith(home + QLatin1Char('/')) ? home : cleanBase;
    while (QDir::cleanPath(dir.absolutePath()) != stop &&
           dir.absolutePath().startsWith(stop + QLatin1Char('/'))) {
        const QString name = dir.dirName();
        if (!dir.cdUp() || !dir.rmdir(name))
            return;
    }
}

void Note(HERERESULT& result, const QString& manager, const QString& path, EWriteOutcome outcome) {
    if (outcome == EWriteOutcome::Failed) {
        result.errors.append(QStringLiteral("%1: could not write %2").arg(manager, path));
        return;
    }
    if (outcome == EWriteOutcome::Written)
        result.changed.append(path);
    result.served.append(manager);
}

void RemoveFile(HERERESULT& result, const QString& manager, const QString& path,
                const QString& base) {
    if (QFileInfo(path).isSymLink() || QFileInfo::exists(path)) {
        if (!QFile::remove(path)) {
            result.errors.append(QStringLiteral("%1: could not remove %2").arg(manager, path));
            return;
        }
        result.changed.append(path);
        RemoveEmptyParents(path, base);
    }
    result.served.append(manager);
}

} // namespace

HEREFOLDERS HereFoldersFromEnvironment() {
    const QString home = QDir::homePath();
    HEREFOLDERS folders;
    folders.dataHome = FromEnvironment("XDG_DATA_HOME", home + QStringLiteral("/.local/share"));
    folders.configHome = FromEnvironment("XDG_CONFIG_HOME", home + QStringLiteral("/.config"));
    for (const QString& dir : QFile::decodeName(qgetenv("XDG_CONFIG_DIRS"))
                                  .split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (dir.startsWith(QLatin1Char('/')))
            folders.configDirs.append(dir);
    }
    if (folders.configDirs.isEmpty())
        folders.configDirs.append(QStringLiteral("/etc/xdg"));
    return folders;
}

CHereRegistration::CHereRegistration(HEREFOLDERS folders, QByteArray helperPath)
    : m_folders(std::move(folders)), m_helperPath(std::move(helperPath)) {}

QString CHereRegistration::DolphinFile() const {
    return m_folders.dataHome + QStringLiteral("/kio/servicemenus/quorvin-here.desktop");
}

QString CHereRegistration::NautilusFile() const {
    return m_folders.dataHome + QStringLiteral("/nautilus/scripts/Quorvin Here");
}

QString CHereRegistration::NemoFile() const {
    return m_folders.dataHome + QStringLiteral("/nemo/actions/quorvin-here.nemo_action");
}

QString CHereRegistration::ThunarFile() const {
    return m_folders.configHome + QStringLiteral("/Thunar/uca.xml");
}

HERERESULT CHereRegistration::Register() const {
    HERERESULT result;
    // Newer Dolphin runs a service menu from the user's folder only when it is executable.
    Note(result, QStringLiteral("Dolphin"), DolphinFile(),
         WriteIfDifferent(DolphinFile(), DolphinServiceMenu(m_helperPath), kExecutable));
    Note(result, QStringLiteral("Nautilus"), NautilusFile(),
         WriteIfDifferent(NautilusFile(), NautilusScript(m_helperPath), kExecutable));
    Note(result, QStringLiteral("Nemo"), NemoFile(),
         WriteIfDifferent(NemoFile(), NemoAction(m_helperPath), kPlain));
    RegisterThunar(result);
    return result;
}

HERERESULT CHereRegistration::Unregister() const {
    HERERESULT result;
    RemoveFile(result, QStringLiteral("Dolphin"), DolphinFile(), m_folders.dataHome);
    RemoveFile(result, QStringLiteral("Nautilus"), NautilusFile(), m_folders.dataHome);
    RemoveFile(result, QStringLiteral("Nemo"), NemoFile(), m_folders.dataHome);
    UnregisterThunar(result);
    return result;
}

QByteArray CHereRegistration::SystemThunarActions() const {
    for (const QString& dir : m_folders.configDirs) {
        if (const std::optional<QByteArray> content =
                ReadFile(dir + QStringLiteral("/Thunar/uca.xml")))
            return *content;
    }
    return {};
}

void CHereRegistration::RegisterThunar(HERERESULT& result) const {
    const QString manager = QStringLiteral("Thunar");
    const QString path = ThunarFile();
    std::optional<QByteArray> existing = ReadFile(path);
    if (!existing && QFileInfo::exists(path)) {
        result.errors.append(QStringLiteral("%1: could not read %2").arg(manager, path));
        return;
    }
    // Thunar reads only the first uca.xml it finds, so the user's copy must keep the system's
    // actions.
    QByteArray start = existing ? *existing : SystemThunarActions();
    if (start.isEmpty())
        start = CThunarActions::EmptyDocument();
    const std::optional<QByteArray> edited = CThunarActions(m_helperPath).WithAction(start);
    if (!edited) {
        result.errors.append(
            QStringLiteral("%1: %2 is not a valid actions file; left as it is").arg(manager, path));
        return;
    }
    if (existing && (*existing == *edited || CThunarActions::SameMeaning(*existing, *edited))) {
        result.served.append(manager);
        return;
    }
    const QFileDevice::Permissions permissions = existing ? QFile::permissions(path) : kPlain;
    Note(result, manager, path, WriteIfDifferent(path, *edited, permissions));
}

void CHereRegistration::UnregisterThunar(HERERESULT& result) const {
    const QString manager = QStringLiteral("Thunar");
    const QString path = ThunarFile();
    const std::optional<QByteArray> existing = ReadFile(path);
    if (!existing || !CThunarActions::HasAction(*existing)) {
        result.served.append(manager);
        return;
    }
    const std::optional<QByteArray> edited = CThunarActions::WithoutAction(*existing);
    if (!edited) {
        result.errors.append(
            QStringLiteral("%1: %2 is not a valid actions file; left as it is").arg(manager, path));
        return;
    }
    // What is left is only what register started from: the file was ours alone, so it goes.
    QByteArray origin = SystemThunarActions();
    if (origin.isEmpty())
        origin = CThunarActions::EmptyDocument();
    if (CThunarActions::SameMeaning(*edited, origin)) {
        RemoveFile(result, manager, path, m_folders.configHome);
        return;
    }
    Note(result, manager, path, WriteIfDifferent(path, *edited, QFile::permissions(path)));
}
