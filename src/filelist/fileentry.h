// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/timevalue.h"

#include <QByteArray>
#include <QSharedData>
#include <QSharedDataPointer>
#include <QString>

// Why a row's new name cannot be given as it stands (worked out for the whole list at
// once, see nameconflicts.h).
enum class NameConflict : quint8 {
    None,
    Duplicate, // another selected row has the same new path
    Exists,    // something that is not renamed away has the new path
    TooLong,   // more bytes than a name may have
    Invalid,   // a character no name can hold (NUL, "/"), or "." or ".."
};

// The texts a photo's EXIF data and a song's ID3 tag give. Few files have any, so an entry
// keeps them in this record, allocated only for a file that has them.
struct ENTRYTAGS : QSharedData {
    QString exifAperture;
    QString exifExposure;
    QString exifExposureBias;
    QString exifFocalLength;
    QString exifComment;
    QString id3Artist;
    QString id3Album;
    QString id3Title;
};

// What the entries of one folder have in common. The scan makes one per folder and every
// entry of that folder shares it, so a listing keeps each folder's texts once.
struct ENTRYFOLDER : QSharedData {
    QByteArray nativePath; // the folder's path as bytes
    QString path;
    QString name;
    QString subDir; // below the listed folder ("/sub/inner"); empty for the folder itself
};

// One file or folder of the list. `name` is the decoded text of the name on disk, which
// everything works on; it encodes back to the exact bytes (NativeName(), inside
// NativeFolderPath()), so that a name which is not valid UTF-8 can still be renamed and
// undone. Fields are ordered by size: a listing holds a million of these.
struct FILEENTRY {
    QString name;
    QString typeName;
    QString newName;
    quint64 size = 0;
    TimeValue created = 0;
    TimeValue modified = 0;
    TimeValue accessed = 0;
    TimeValue newCreated = 0;
    TimeValue newModified = 0;
    TimeValue newAccessed = 0;
    TimeValue dateTaken = 0;
    qint32 newNameLength = 0;
    quint32 track = 0;
    quint32 attributes = 0;
    quint32 newAttributes = 0;
    quint32 permissions = 0; // exact mode bits, so that undo can restore them
    NameConflict conflict = NameConflict::None;
    bool isFolder = false;
    bool invalidChars = false;
    bool hasExif = false;
    bool affected = false;
    bool createdPending = false;
    bool modifiedPending = false;
    bool accessedPending = false;
    bool attributesPending = false;
    bool hidden = false; // drawn dimmed in the list

    // The name on disk as its exact bytes, made from `name` at each call.
    [[nodiscard]] QByteArray NativeName() const;
    // Sets `name` to the text of the name on disk.
    void SetNativeName(const QByteArray& nativeName);

    // The containing folder; all empty until one is set.
    [[nodiscard]] const QByteArray& NativeFolderPath() const { return Folder().nativePath; }
    [[nodiscard]] const QString& FolderPath() const { return Folder().path; }
    [[nodiscard]] const QString& FolderName() const { return Folder().name; }
    [[nodiscard]] const QString& SubDir() const { return Folder().subDir; }
    [[nodiscard]] const ENTRYFOLDER& Folder() const {
        return m_folder ? *m_folder.constData() : NoFolder();
    }
    // Shares the folder record with the other entries of that folder.
    void SetFolder(const QSharedDataPointer<ENTRYFOLDER>& folder) { m_folder = folder; }
    // Each changes this entry's own copy of the record only.
    void SetNativeFolderPath(const QByteArray& path) { EditFolder().nativePath = path; }
    void SetFolderPath(const QString& path) { EditFolder().path = path; }
    void SetFolderName(const QString& folderName) { EditFolder().name = folderName; }
    void SetSubDir(const QString& subDir) { EditFolder().subDir = subDir; }

    // The tag texts; all empty for a file that has none.
    [[nodiscard]] const ENTRYTAGS& Tags() const;
    // The tag texts to change, allocated at the first call; a copied entry keeps its own.
    [[nodiscard]] ENTRYTAGS& EditTags();
    [[nodiscard]] bool HasTags() const { return m_tags.constData() != nullptr; }

private:
    [[nodiscard]] static const ENTRYFOLDER& NoFolder();
    ENTRYFOLDER& EditFolder();

    QSharedDataPointer<ENTRYFOLDER> m_folder;
    QSharedDataPointer<ENTRYTAGS> m_tags;
};

// Puts the fields that follow from `name` and `attributes` into their state at creation.
void InitialiseNewEntry(FILEENTRY& entry);

// Whether a new name holds one of the nine characters that names may not hold, or a NUL
// (which would silently end the name on disk).
bool HasInvalidNameChars(QStringView name);

// Folder path joined with a name by the native separator.
QString JoinPath(const QString& folder, const QString& name);
QByteArray JoinNativePath(const QByteArray& folder, const QByteArray& name);
