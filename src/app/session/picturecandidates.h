// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayList>

// Which file the picture viewer shows for the selected entry (native paths).

// A path ending in one of ".BMP", ".RLE", ".DIB", ".GIF", ".JPG", ".WMF", ".EMF" (any letter
// case) is its own only candidate. Any other path is not tried itself; its candidates are
// the path with each of those extensions appended, in that order, so that song.mp3 shows a
// companion song.mp3.JPG and photo.jpeg shows nothing of its own. An empty path (no single
// file selected) has none.
[[nodiscard]] QByteArrayList PictureCandidates(const QByteArray& nativePath);

// The last candidate that can be opened for reading decides what is shown, whether or not
// it then decodes; empty when none can be opened ("No picture!"). An appended extension
// is found in any letter case (song.mp3.jpg as well as song.mp3.JPG); the file found is
// the one returned.
[[nodiscard]] QByteArray PictureFileToShow(const QByteArray& nativePath);

// The contents of the picture file, read by its exact path bytes (a name that is not valid
// UTF-8 opens too); empty when it cannot be read or is larger than a picture can sensibly
// be (256 MB).
[[nodiscard]] QByteArray ReadPictureFile(const QByteArray& nativePath);
