// SPDX-License-Identifier: GPL-3.0-or-later
#include "cmetadatareader.h"

#include "filelist/textrules.h"

namespace {

void StoreExif(FILEENTRY& entry, TimeValue dateTaken, const EXIFTEXTS& texts) {
    entry.hasExif = true;
    entry.dateTaken = dateTaken;
    ENTRYTAGS& tags = entry.EditTags();
    tags.exifAperture = texts.aperture;
    tags.exifExposure = texts.exposure;
    tags.exifExposureBias = texts.exposureBias;
    tags.exifFocalLength = texts.focalLength;
    tags.exifComment = texts.comment;
}

} // namespace

MetadataKind CMetadataReader::KindOf(QStringView fileName) {
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return MetadataKind::None;
    const QString extension = AsciiLower(fileName.sliced(dot + 1));
    if (extension == QLatin1String("jpg") || extension == QLatin1String("jpeg"))
        return MetadataKind::Jpeg;
    if (extension == QLatin1String("tif") || extension == QLatin1String("tiff") ||
        extension == QLatin1String("cr2") || extension == QLatin1String("crw") ||
        extension == QLatin1String("nef"))
        return MetadataKind::Tiff;
    if (extension == QLatin1String("mp3"))
        return MetadataKind::Id3;
    return MetadataKind::None;
}

void CMetadataReader::ReadEntry(FILEENTRY& entry, const QByteArray& nativePath, bool extractExif,
                                bool extractId3) {
    if (entry.isFolder)
        return;
    switch (KindOf(entry.name)) {
    case MetadataKind::Jpeg:
        if (extractExif)
            ReadJpeg(entry, nativePath);
        break;
    case MetadataKind::Tiff:
        if (extractExif)
            ReadTiff(entry, nativePath);
        break;
    case MetadataKind::Id3:
        if (extractId3)
            ReadId3(entry, nativePath);
        break;
    case MetadataKind::None:
        break;
    }
}

void CMetadataReader::ReadJpeg(FILEENTRY& entry, const QByteArray& nativePath) {
    const bool opened = m_exifReader.Open(nativePath);
    const bool read = m_exifReader.Read();
    m_exifReader.Close();
    if (opened && read)
        StoreExif(entry, m_exifReader.DateTaken(), m_exifReader.Texts());
}

void CMetadataReader::ReadTiff(FILEENTRY& entry, const QByteArray& nativePath) {
    const bool opened = m_tiffReader.Open(nativePath);
    const bool read = m_tiffReader.Read();
    m_tiffReader.Close();
    if (opened && read)
        StoreExif(entry, m_tiffReader.DateTaken(), m_tiffReader.Texts());
}

void CMetadataReader::ReadId3(FILEENTRY& entry, const QByteArray& nativePath) {
    if (!m_id3Reader.Read(nativePath))
        return;
    ENTRYTAGS& tags = entry.EditTags();
    tags.id3Artist = m_id3Reader.Artist();
    tags.id3Album = m_id3Reader.Album();
    tags.id3Title = m_id3Reader.Title();
    entry.track = m_id3Reader.Track();
}

void ReadEntryMetadata(FILEENTRY& entry, const QByteArray& nativePath, bool extractExif,
                       bool extractId3) {
    CMetadataReader reader;
    reader.ReadEntry(entry, nativePath, extractExif, extractId3);
}
