// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QLatin1String>
#include <QStringView>

#include <cstdio>

// Gathers printed output in one block and hands it to the stream whenever a block is full,
// so that a listing of a million rows costs a few hundred writes and no string per cell.
// Texts are appended already encoded and escaped; nothing is ever split inside an escape.
// Without a stream everything is kept for Take().
class COutputBuffer {
public:
    static constexpr qsizetype kBlockSize = 1 << 16;

    explicit COutputBuffer(std::FILE* stream, qsizetype blockSize = kBlockSize);
    ~COutputBuffer();
    COutputBuffer(const COutputBuffer&) = delete;
    COutputBuffer& operator=(const COutputBuffer&) = delete;

    void Append(char c);
    void Append(QByteArrayView bytes);
    void Append(QLatin1String text) { Append(QByteArrayView(text.data(), text.size())); }
    // As EncodeNativeName writes it: undecodable bytes as themselves.
    void AppendNative(QStringView text);
    // A tsv field: backslash, tab, CR and LF as \\, \t, \r, \n, other C0 controls and DEL
    // as \xNN, the rest as AppendNative writes it.
    void AppendTsvField(QStringView text);
    // A quoted json string as QJsonDocument writes the text people are shown (ShownName):
    // every lone surrogate as U+FFFD.
    void AppendJsonString(QStringView text);

    // Hands what is gathered to the stream.
    void Flush();
    // Everything appended (only without a stream).
    [[nodiscard]] QByteArray Take();

private:
    // Room for at least `bytes` more bytes; write there, then Commit the end.
    char* Room(qsizetype bytes);
    void Commit(const char* end);

    std::FILE* m_stream;
    qsizetype m_blockSize;
    QByteArray m_block;
    qsizetype m_used = 0;
};
