// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// Attribute bits as the rest of the program knows them. On Linux read-only stands for
// "the owner may not write" and hidden for a name that begins with a dot; archive and
// system are never reported.
enum FileAttribute : quint32 {
    AttrReadOnly = 0x1,
    AttrHidden = 0x2,
    AttrSystem = 0x4,
    AttrDirectory = 0x10,
    AttrArchive = 0x20,
};

// The value that stands for "the attributes could not be read".
constexpr quint32 kInvalidAttributes = 0xFFFFFFFFu;

// The attribute bits a rename run can change on this platform.
quint32 ChangeableAttributes();

// R, A, S and H in this order for the bits that are set; empty for the invalid value.
QString AttributeLetters(quint32 attributes);
