// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>

class CINIText;

// Typed access to one INI file (favourites and preferences). Every value travels as text:
// strings are written in double quotes and read with every double quote removed, numbers
// are formatted and parsed here. Nothing is cached; each call reads or writes the file, so
// what one object writes another reads at once. Reads fall back to the caller's default;
// writes report whether the file was written, and callers may ignore that.
class CINIFile {
public:
    CINIFile();
    virtual ~CINIFile();
    // A copy names the same file; a batch in progress stays with the original.
    CINIFile(const CINIFile& other);
    CINIFile& operator=(const CINIFile& other);

    void SetFileName(const QString& path);
    QString FileName() const;

    qint32 GetInt(const QString& section, const QString& key, qint32 defaultValue) const;
    // Read through the signed parse: stored texts above 2147483647 read as 2147483647, and
    // a negative stored number comes back negative.
    qint64 GetUnsigned(const QString& section, const QString& key, qint64 defaultValue) const;
    QString GetString(const QString& section, const QString& key,
                      const QString& defaultValue) const;
    QString GetString(const QString& section, const QString& key) const;

    bool WriteInt(const QString& section, const QString& key, qint32 value);
    // Writes the low 32 bits as an unsigned decimal.
    bool WriteUnsigned(const QString& section, const QString& key, qint64 value);
    // Line breaks in the value are written as blanks: a value cannot span lines.
    bool WriteString(const QString& section, const QString& key, const QString& value);
    // Leaves the file untouched (and reports success) when the key does not exist.
    bool DeleteKey(const QString& section, const QString& key);

    // Between BeginBatch and EndBatch every call works on one copy of the file held in
    // memory, which EndBatch writes once: a favourites save touches hundreds of keys.
    void BeginBatch();
    bool EndBatch();

private:
    QString ReadValue(const QString& section, const QString& key, const QString& defaultValue,
                      qsizetype maxLength) const;
    bool WriteValue(const QString& section, const QString& key, const QString& value);

    QString m_fileName;
    std::unique_ptr<CINIText> m_batch;
    bool m_batchWritable = false;
};
