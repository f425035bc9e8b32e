// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringView>

// What the conflict marking needs of a name's bytes on disk, read from its text without
// building the bytes: a refresh looks at every row's name and new name, and allocating
// their bytes costs more than the rest of the marking.
struct NAMEDIGEST {
    quint64 foldedHash = 0; // of the bytes with A-Z folded, so case-only twins hash alike
    qsizetype size = 0;     // how many bytes
    bool invalid = false;   // holds NUL or "/", or is "." or ".."
};

// The digest of EncodeNativeName(text).
[[nodiscard]] NAMEDIGEST DigestNativeName(QStringView text);
// The same hash as DigestNativeName gives for the text these bytes decode to.
[[nodiscard]] quint64 FoldedNameHash(const QByteArray& nativeName);
// Whether both texts encode to the same bytes.
[[nodiscard]] bool SameNativeName(QStringView a, QStringView b);
