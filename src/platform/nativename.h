// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// Names and paths on disk are bytes; the program works on text. Every byte that is not
// part of valid UTF-8 becomes one lone surrogate U+DC80..U+DCFF, so that decoding and
// encoding again gives back exactly the bytes on disk, and a criterion that does not touch
// such a character leaves its byte alone.
QString DecodeNativeName(const QByteArray& nativeName);
// The inverse of DecodeNativeName. Other lone surrogates (which no decoded name holds)
// are written as U+FFFD.
QByteArray EncodeNativeName(QStringView text);

// Whether the text holds a character that stands for an undecodable byte.
bool HoldsUndecodableBytes(QStringView text);
// The text as people see it: each undecodable byte shows as U+FFFD.
QString ShownName(QStringView text);

// Control characters (C0, DEL and C1) written as \n, \r, \t or \xNN, so that a name
// can never move the cursor, retitle a terminal or start a new line of output. Undecodable
// bytes show as U+FFFD.
QString EscapeControlCharacters(QStringView text);
// The same for bytes (the activity log keeps names as their bytes).
QByteArray EscapeControlBytes(const QByteArray& bytes);
