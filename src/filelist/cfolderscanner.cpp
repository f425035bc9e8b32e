// SPDX-License-Identifier: GPL-3.0-or-later
#include "cfolderscanner.h"

#include "cscanwalk.h"

#include "platform/filestatus.h"
#include "platform/pathchecks.h"
#include "platform/pathkind.h"
#include "platform/typename.h"
#include "platform/workshares.h"

#include <algorithm>

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
    CScanWalk walk(*this, WorkerCount());
    walk.Run(m_settings.rootPath, onEntry, onFolder, m_skips);
}

int CFolderScanner::WorkerCount() const {
    if (m_settings.workers > 0)
        return m_settings.workers;
    return ProcessorCount();
}

void CFolderScanner::OpenFolder(SCANFOLDERJOB& job) const {
    if (Aborted())
        return;
    job.opened = job.reader.Open(job.nativePath);
    if (!job.opened) {
        job.openError = LastErrorNumber();
        return;
    }
    job.descriptor = job.reader.Descriptor();
    job.record = FolderRecord(job.nativePath);
    QByteArray name;
    while (job.reader.Next(name))
        job.names.push_back(name);
}

QSharedDataPointer<ENTRYFOLDER> CFolderScanner::FolderRecord(const QByteArray& nativePath) const {
    auto* folder = new ENTRYFOLDER;
    folder->nativePath = nativePath;
    folder->path = DecodeNativeName(nativePath);
    folder->name = folder->path.mid(folder->path.lastIndexOf(QLatin1Char('/')) + 1);
    if (folder->path.size() > m_rootLength)
        folder->subDir = folder->path.mid(m_rootLength);
    return QSharedDataPointer<ENTRYFOLDER>(folder);
}

void CFolderScanner::ReadSlice(SCANFOLDERJOB& folder, SCANSLICEJOB& slice,
                               SCANWORKSPACE& workspace) const {
    slice.entries.reserve(size_t(slice.end - slice.begin));
    for (qsizetype i = slice.begin; i < slice.end && !Aborted(); ++i) {
        const QByteArray& name = folder.names[size_t(i)];
        if (AdmitItem(folder, name, slice, workspace) && m_settings.subfolders) {
            SCANMARK mark;
            mark.position = slice.entries.size();
            mark.child = std::make_unique<SCANFOLDERJOB>(JoinNativePath(folder.nativePath, name));
            slice.marks.push_back(std::move(mark));
        }
    }
}

void CFolderScanner::ListNames(const QList<QByteArray>& nativeNames, const EntrySink& onEntry,
                               const NamedFolderSink& onFolder, const ProblemSink& onProblem) {
    // The folder is opened once so that each name is resolved inside it; a folder that may
    // be passed through but not read falls back to whole paths.
    CDirectoryReader reader;
    reader.Open(m_settings.rootPath);
    const QSharedDataPointer<ENTRYFOLDER> folder = FolderRecord(m_settings.rootPath);
    const int descriptor = reader.Descriptor();
    SCANWORKSPACE workspace;
    for (const QByteArray& nativeName : nativeNames) {
        const QByteArray path = JoinNativePath(folder->nativePath, nativeName);
        FILESTATUS status;
        const bool read = descriptor >= 0 ? ReadFileStatusAt(descriptor, nativeName, status)
                                          : ReadFileStatus(path, status);
        if (!read)
            onProblem(path, LastErrorNumber());
        else if (status.isFolder ||
                 (IsSymbolicLink(status) && KindOfPath(path) == PathKind::Folder))
            onFolder(path);
        else
            onEntry(MakeEntry(folder, nativeName, DecodeNativeName(nativeName), status, workspace));
    }
}

bool CFolderScanner::AdmitItem(const SCANFOLDERJOB& folder, const QByteArray& nativeName,
                               SCANSLICEJOB& slice, SCANWORKSPACE& workspace) const {
    if (!m_settings.hidden && nativeName.startsWith('.'))
        return false;
    const QString name = DecodeNativeName(nativeName);
    if (IsSkippedSystemFolder(name))
        return false;
    FILESTATUS status;
    // An item removed meanwhile is simply gone; any other item whose status cannot be read
    // (no permission) is left out and reported.
    if (!ReadFileStatusAt(folder.descriptor, nativeName, status)) {
        const int error = LastErrorNumber();
        if (!IsNotFoundError(error)) {
            SCANMARK mark;
            mark.position = slice.entries.size();
            mark.skipPath = DecodeNativeName(JoinNativePath(folder.nativePath, nativeName));
            mark.skipError = error;
            slice.marks.push_back(std::move(mark));
        }
        return false;
    }
    const bool isFolder = status.isFolder;
    const QString& folderPath = folder.record->path;
    const bool atRoot = folderPath.endsWith(QLatin1Char('/'));
    const qsizetype pathLength = folderPath.size() + (atRoot ? 0 : 1) + name.size();
    if (!m_filter.Admits(name) || !PassesLengths(name.size(), pathLength) ||
        (isFolder && !m_settings.folders) || (!isFolder && !m_settings.files))
        return isFolder;

    slice.entries.push_back(MakeEntry(folder.record, nativeName, name, status, workspace));
    return isFolder;
}

FILEENTRY CFolderScanner::MakeEntry(const QSharedDataPointer<ENTRYFOLDER>& folder,
                                    const QByteArray& nativeName, const QString& name,
                                    const FILESTATUS& status, SCANWORKSPACE& workspace) const {
    FILEENTRY entry;
    entry.SetFolder(folder);
    entry.name = name;
    entry.typeName = TypeName(name, status.isFolder, workspace);
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
        workspace.metadata.ReadEntry(entry, JoinNativePath(folder->nativePath, nativeName),
                                     m_settings.extractExif, m_settings.extractId3);
    return entry;
}

// Files with the same extension share their type; each thread asks once per extension.
QString CFolderScanner::TypeName(const QString& name, bool isFolder, SCANWORKSPACE& workspace) {
    if (isFolder)
        return TypeNameOf(name, true);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QStringView extension = dot < 0 ? QStringView() : QStringView(name).sliced(dot);
    for (const auto& [known, typeName] : workspace.typeNames) {
        if (known == extension)
            return typeName;
    }
    workspace.typeNames.emplace_back(extension.toString(), TypeNameOf(name, false));
    return workspace.typeNames.back().second;
}

bool CFolderScanner::PassesLengths(qsizetype nameLength, qsizetype pathLength) const {
    const auto& s = m_settings;
    return nameLength >= s.minNameLength && pathLength >= s.minPathLength &&
           !(s.maxNameLength > 0 && nameLength > s.maxNameLength) &&
           !(s.maxPathLength > 0 && pathLength > s.maxPathLength);
}
