// SPDX-License-Identifier: GPL-3.0-or-later
#include "cfolderscanner.h"

#include "cmetadatareader.h"

#include "platform/cdirectoryreader.h"
#include "platform/filestatus.h"
#include "platform/pathchecks.h"
#include "platform/pathkind.h"
#include "platform/typename.h"

namespace {

bool IsSkippedSystemFolder(const QString& name) {
    return name.compare(QLatin1String("System Volume Information"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("RECYCLER"), Qt::CaseInsensitive) == 0;
}

QByteArray WithoutTrailingSlash(QByteArray path) {
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    return path;
}

} // namespace

CFolderScanner::CFolderScanner(const SCANSETTINGS& settings, const std::atomic<bool>* abort)
    : m_settings(settings), m_filter(settings.filter, settings.filterMatchCase),
      m_rootLength(DecodeNativeName(WithoutTrailingSlash(settings.rootPath)).size()),
      m_abort(abort) {
    m_settings.rootPath = WithoutTrailingSlash(settings.rootPath);
}

void CFolderScanner::Scan(const EntrySink& onEntry, const FolderSink& onFolder) {
    ScanFolder(m_settings.rootPath, onEntry, onFolder);
}

void CFolderScanner::ScanFolder(const QByteArray& nativePath, const EntrySink& onEntry,
                                const FolderSink& onFolder) {
    if (Aborted())
        return;
    CDirectoryReader reader;
    if (!reader.Open(nativePath)) {
        const int error = LastErrorNumber();
        if (!IsNotFoundError(error))
            AddScanSkip(m_skips, DecodeNativeName(nativePath), error);
        return;
    }
    LEVEL level = LevelOf(nativePath);
    level.descriptor = reader.Descriptor();
    if (onFolder)
        onFolder(level.folder->path);

    CMetadataReader metadata;
    QByteArray name;
    while (!Aborted() && reader.Next(name)) {
        if (AdmitItem(level, name, onEntry, metadata) && m_settings.subfolders)
            ScanFolder(JoinNativePath(nativePath, name), onEntry, onFolder);
    }
}

CFolderScanner::LEVEL CFolderScanner::LevelOf(const QByteArray& nativePath) const {
    auto* folder = new ENTRYFOLDER;
    folder->nativePath = nativePath;
    folder->path = DecodeNativeName(nativePath);
    folder->name = folder->path.mid(folder->path.lastIndexOf(QLatin1Char('/')) + 1);
    if (folder->path.size() > m_rootLength)
        folder->subDir = folder->path.mid(m_rootLength);
    LEVEL level;
    level.folder = folder;
    return level;
}

void CFolderScanner::ListNames(const QList<QByteArray>& nativeNames, const EntrySink& onEntry,
                               const NamedFolderSink& onFolder, const ProblemSink& onProblem) {
    // The folder is opened once so that each name is resolved inside it; a folder that may
    // be passed through but not read falls back to whole paths.
    CDirectoryReader reader;
    reader.Open(m_settings.rootPath);
    LEVEL level = LevelOf(m_settings.rootPath);
    level.descriptor = reader.Descriptor();
    CMetadataReader metadata;
    for (const QByteArray& nativeName : nativeNames) {
        const QByteArray path = JoinNativePath(level.folder->nativePath, nativeName);
        FILESTATUS status;
        const bool read = level.descriptor >= 0
                              ? ReadFileStatusAt(level.descriptor, nativeName, status)
                              : ReadFileStatus(path, status);
        if (!read)
            onProblem(path, LastErrorNumber());
        else if (status.isFolder ||
                 (IsSymbolicLink(status) && KindOfPath(path) == PathKind::Folder))
            onFolder(path);
        else
            onEntry(MakeEntry(level, nativeName, DecodeNativeName(nativeName), status, metadata));
    }
}

bool CFolderScanner::AdmitItem(const LEVEL& level, const QByteArray& nativeName,
                               const EntrySink& onEntry, CMetadataReader& metadata) {
    if (!m_settings.hidden && nativeName.startsWith('.'))
        return false;
    const QString name = DecodeNativeName(nativeName);
    if (IsSkippedSystemFolder(name))
        return false;
    FILESTATUS status;
    // An item removed meanwhile is simply gone; any other item whose status cannot be read
    // (no permission) is left out and reported.
    if (!ReadFileStatusAt(level.descriptor, nativeName, status)) {
        const int error = LastErrorNumber();
        if (!IsNotFoundError(error))
            AddScanSkip(m_skips,
                        DecodeNativeName(JoinNativePath(level.folder->nativePath, nativeName)),
                        error);
        return false;
    }
    const bool isFolder = status.isFolder;
    const QString& folderPath = level.folder->path;
    const bool atRoot = folderPath.endsWith(QLatin1Char('/'));
    const qsizetype pathLength = folderPath.size() + (atRoot ? 0 : 1) + name.size();
    if (!m_filter.Admits(name) || !PassesLengths(name.size(), pathLength) ||
        (isFolder && !m_settings.folders) || (!isFolder && !m_settings.files))
        return isFolder;

    onEntry(MakeEntry(level, nativeName, name, status, metadata));
    return isFolder;
}

FILEENTRY CFolderScanner::MakeEntry(const LEVEL& level, const QByteArray& nativeName,
                                    const QString& name, const FILESTATUS& status,
                                    CMetadataReader& metadata) {
    FILEENTRY entry;
    entry.SetFolder(level.folder);
    entry.name = name;
    entry.typeName = TypeName(name, status.isFolder);
    entry.size = status.size;
    entry.created = status.created;
    entry.modified = status.modified;
    entry.accessed = status.accessed;
    entry.isFolder = status.isFolder;
    entry.attributes = AttributesOf(status, nativeName);
    entry.permissions = status.mode & 07777;
    entry.hidden = nativeName.startsWith('.');
    InitialiseNewEntry(entry);
    if (!status.isFolder && !name.isEmpty() && (m_settings.extractExif || m_settings.extractId3))
        metadata.ReadEntry(entry, JoinNativePath(level.folder->nativePath, nativeName),
                           m_settings.extractExif, m_settings.extractId3);
    return entry;
}

// Files with the same extension share their type; the scan asks once per extension.
QString CFolderScanner::TypeName(const QString& name, bool isFolder) {
    if (isFolder)
        return TypeNameOf(name, true);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QStringView extension = dot < 0 ? QStringView() : QStringView(name).sliced(dot);
    for (const auto& [known, typeName] : m_typeNames) {
        if (known == extension)
            return typeName;
    }
    m_typeNames.emplace_back(extension.toString(), TypeNameOf(name, false));
    return m_typeNames.back().second;
}

bool CFolderScanner::PassesLengths(qsizetype nameLength, qsizetype pathLength) const {
    const auto& s = m_settings;
    return nameLength >= s.minNameLength && pathLength >= s.minPathLength &&
           !(s.maxNameLength > 0 && nameLength > s.maxNameLength) &&
           !(s.maxPathLength > 0 && pathLength > s.maxPathLength);
}
