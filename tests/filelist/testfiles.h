// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <initializer_list>

struct EXIFTEXTS;

class QTemporaryDir;

// Small files for the metadata reader tests.

// A JPEG segment: 0xFF, the marker code, the big-endian length and the body.
QByteArray JpegSegment(int code, const QByteArray& body);
// An APP1 segment holding "Exif", two zero bytes and the TIFF block.
QByteArray ExifSegment(const QByteArray& tiffBlock);
// Start of image, the segments, a start of scan, some image data and the end of image.
QByteArray JpegFile(const QList<QByteArray>& segments);
// The scan data JpegFile puts after the start of scan.
QByteArray JpegImageData();
// A version 1 tag: marker, title, artist, album, year, comment (28 or 30 bytes), and when
// the comment has 28 bytes, a zero and the track byte; genre last.
QByteArray Id3Tag(const QByteArray& marker, const QByteArray& title, const QByteArray& artist,
                  const QByteArray& album, const QByteArray& year, const QByteArray& comment,
                  int track);

// Writes the bytes to a file of that name in the folder and gives its native path.
QByteArray WriteTestFile(const QTemporaryDir& folder, const QString& name, const QByteArray& bytes);

// The five texts of a read in a fixed order (F-number, exposure, bias, focal length,
// comment), so that two reads compare as lists.
QStringList TextList(const EXIFTEXTS& texts);
// Expected texts written as UTF-8 literals.
QStringList Utf8List(std::initializer_list<const char*> texts);

// Files and folders made with plain system calls, checked as they are made.
void MakeFile(const QByteArray& path, const QByteArray& contents = QByteArray());
void MakeFolder(const QByteArray& path);
// A chain of folders below the root, each named with 200 times the letter, with
// "deep.txt" in the deepest: with more than 20 levels its path is longer than the system
// takes. Qt cannot remove such a tree; RemoveDeepChain takes the same steps back.
void MakeDeepChain(const QByteArray& root, char letter, int levels);
void RemoveDeepChain(const QByteArray& root, char letter, int levels);
