// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "filelist/cexifreader.h"
#include "filelist/cid3reader.h"
#include "filelist/ctiffexifreader.h"
#include "filelist/fileentry.h"

#include <QByteArray>
#include <QStringView>

// Which reader a file's extension calls for.
enum class MetadataKind { None, Jpeg, Tiff, Id3 };

// The readers one level of a folder scan reuses for all its files. An entry gets the
// values of a read only when the read succeeds; otherwise its fields stay as they were
// created (no date, empty texts, track 0).
class CMetadataReader {
public:
    static MetadataKind KindOf(QStringView fileName);

    void ReadEntry(FILEENTRY& entry, const QByteArray& nativePath, bool extractExif,
                   bool extractId3);

private:
    void ReadJpeg(FILEENTRY& entry, const QByteArray& nativePath);
    void ReadTiff(FILEENTRY& entry, const QByteArray& nativePath);
    void ReadId3(FILEENTRY& entry, const QByteArray& nativePath);

    CExifReader m_exifReader;
    CTiffExifReader m_tiffReader;
    CId3Reader m_id3Reader;
};

// One entry read with readers of its own, for callers that do not keep a reader per level.
void ReadEntryMetadata(FILEENTRY& entry, const QByteArray& nativePath, bool extractExif,
                       bool extractId3);
