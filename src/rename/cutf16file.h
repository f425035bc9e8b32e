// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtGlobal>

// Reads a text file line by line. A byte-order mark FF FE or FE FF selects UTF-16 (little-
// or big-endian); any other file is 8-bit text, each line decoded as UTF-8 when it is
// valid UTF-8 and as Windows-1252 otherwise. UTF-16 without a byte-order mark is therefore
// read as 8-bit text.
class CUTF16File {
public:
    CUTF16File();
    ~CUTF16File();
    CUTF16File(const CUTF16File&) = delete;
    CUTF16File& operator=(const CUTF16File&) = delete;

    bool Open(const QString& path);
    // The next line without its line end; false when nothing is left.
    bool ReadString(QString& line);
    void Close();

    bool IsUtf16() const { return m_mode != EightBit; }

private:
    enum Mode { EightBit, Utf16LittleEndian, Utf16BigEndian };

    bool ReadUtf16Line(QString& line);
    bool ReadEightBitLine(QString& line);
    bool Refill();
    void AppendUnits(const QByteArray& bytes);
    bool TakeUnit(char16_t& unit);
    bool PeekUnit(char16_t& unit);

    QFile m_file;
    Mode m_mode = EightBit;
    QString m_queue;
    qsizetype m_queueHead = 0;
    QByteArray m_oddByte;
};
