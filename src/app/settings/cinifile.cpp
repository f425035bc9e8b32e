// SPDX-License-Identifier: GPL-3.0-or-later
#include "cinifile.h"

#include "cinitext.h"
#include "filelist/textrules.h"

namespace {

// The longest values that reach the caller, as with the fixed read buffers that the file
// format grew up with: numbers are cut to 259 characters and strings to 999.
constexpr qsizetype kMaxNumberLength = 259;
constexpr qsizetype kMaxStringLength = 999;

} // namespace

CINIFile::CINIFile() = default;

CINIFile::~CINIFile() = default;

CINIFile::CINIFile(const CINIFile& other) : m_fileName(other.m_fileName) {}

CINIFile& CINIFile::operator=(const CINIFile& other) {
    m_fileName = other.m_fileName;
    m_batch.reset();
    return *this;
}

void CINIFile::BeginBatch() {
    m_batch = std::make_unique<CINIText>();
    m_batchWritable = !m_fileName.isEmpty() && m_batch->Load(m_fileName) != CINIText::Unreadable;
}

bool CINIFile::EndBatch() {
    if (!m_batch)
        return false;
    const bool saved = m_batchWritable && m_batch->Save(m_fileName);
    m_batch.reset();
    return saved;
}

void CINIFile::SetFileName(const QString& path) {
    m_fileName = path;
}

QString CINIFile::FileName() const {
    return m_fileName;
}

qint32 CINIFile::GetInt(const QString& section, const QString& key, qint32 defaultValue) const {
    if (m_fileName.isEmpty())
        return defaultValue;
    return ToInt32(ReadValue(section, key, QString::number(defaultValue), kMaxNumberLength));
}

qint64 CINIFile::GetUnsigned(const QString& section, const QString& key,
                             qint64 defaultValue) const {
    if (m_fileName.isEmpty())
        return defaultValue;
    const QString defaultText = QString::number(quint32(quint64(defaultValue)));
    return qint64(ToInt32(ReadValue(section, key, defaultText, kMaxNumberLength)));
}

QString CINIFile::GetString(const QString& section, const QString& key,
                            const QString& defaultValue) const {
    if (m_fileName.isEmpty())
        return defaultValue;
    QString value = ReadValue(section, key, defaultValue, kMaxStringLength);
    value.remove(QLatin1Char('"'));
    return value;
}

QString CINIFile::GetString(const QString& section, const QString& key) const {
    return GetString(section, key, QString());
}

bool CINIFile::WriteInt(const QString& section, const QString& key, qint32 value) {
    return WriteValue(section, key, QString::number(value));
}

bool CINIFile::WriteUnsigned(const QString& section, const QString& key, qint64 value) {
    return WriteValue(section, key, QString::number(quint32(quint64(value))));
}

bool CINIFile::WriteString(const QString& section, const QString& key, const QString& value) {
    QString oneLine = value;
    oneLine.replace(QLatin1Char('\r'), QLatin1Char(' '));
    oneLine.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return WriteValue(section, key, QLatin1Char('"') + oneLine + QLatin1Char('"'));
}

bool CINIFile::DeleteKey(const QString& section, const QString& key) {
    if (m_batch) {
        m_batch->RemoveKey(section, key);
        return m_batchWritable;
    }
    CINIText text;
    const CINIText::LoadResult loaded = text.Load(m_fileName);
    if (loaded == CINIText::Unreadable)
        return false;
    if (loaded == CINIText::Missing || !text.RemoveKey(section, key))
        return true;
    return text.Save(m_fileName);
}

QString CINIFile::ReadValue(const QString& section, const QString& key, const QString& defaultValue,
                            qsizetype maxLength) const {
    QString value;
    if (m_batch) {
        if (!m_batch->Value(section, key, value))
            value = defaultValue;
        value.truncate(maxLength);
        return value;
    }
    CINIText text;
    if (text.Load(m_fileName) != CINIText::Loaded || !text.Value(section, key, value))
        value = defaultValue;
    value.truncate(maxLength);
    return value;
}

// A file that exists but cannot be read is left alone: writing it from an empty text would
// throw away everything else it holds.
bool CINIFile::WriteValue(const QString& section, const QString& key, const QString& value) {
    if (m_batch) {
        m_batch->SetValue(section, key, value);
        return m_batchWritable;
    }
    CINIText text;
    if (text.Load(m_fileName) == CINIText::Unreadable)
        return false;
    text.SetValue(section, key, value);
    return text.Save(m_fileName);
}
