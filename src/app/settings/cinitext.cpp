// SPDX-License-Identifier: GPL-3.0-or-later
#include "cinitext.h"

#include "filelist/textrules.h"
#include "platform/nativename.h"
#include "platform/pathchecks.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

const QByteArray kUtf8Mark = QByteArrayLiteral("\xEF\xBB\xBF");
const QByteArray kUtf16LittleMark = QByteArrayLiteral("\xFF\xFE");
const QByteArray kUtf16BigMark = QByteArrayLiteral("\xFE\xFF");

QStringView TrimBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsCSpace(text.at(begin)))
        ++begin;
    while (end > begin && IsCSpace(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

// The name of a section header line ("[name]", blanks allowed around it); false for any
// other line.
bool SectionName(QStringView line, QStringView& name) {
    const QStringView trimmed = TrimBlanks(line);
    if (!trimmed.startsWith(QLatin1Char('[')))
        return false;
    const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    if (close < 0)
        return false;
    name = TrimBlanks(trimmed.mid(1, close - 1));
    return true;
}

// The key of a key line (the text before its first equals sign); false for comments and
// lines without an equals sign.
bool KeyName(QStringView line, QStringView& key) {
    const QStringView trimmed = TrimBlanks(line);
    if (trimmed.startsWith(QLatin1Char(';')))
        return false;
    const qsizetype equals = trimmed.indexOf(QLatin1Char('='));
    if (equals < 0)
        return false;
    key = TrimBlanks(trimmed.left(equals));
    return true;
}

bool SameName(QStringView a, QStringView b) {
    return AsciiCompareNoCase(a, b) == 0;
}

// Windows-1252 for the characters that it holds; false when one is missing, so that the
// caller can fall back to UTF-8. The table is the inverse of the decoder's.
bool EncodeWindows1252(const QString& text, QByteArray& bytes) {
    static const QString highHalf = [] {
        QByteArray all;
        for (int b = 0x80; b <= 0xFF; ++b)
            all.append(char(b));
        return DecodeEightBit(all);
    }();
    bytes.clear();
    bytes.reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            bytes.append(char(c.unicode()));
            continue;
        }
        const qsizetype index = highHalf.indexOf(c);
        if (index < 0)
            return false;
        bytes.append(char(0x80 + index));
    }
    return true;
}

} // namespace

CINIText::LoadResult CINIText::Load(const QString& path) {
    m_lines.clear();
    m_encoding = Utf8;
    m_crLf = false;
    // A pipe or a device would block the reader or never end.
    const INPUTFILECHECK check = CheckInputFile(EncodeNativeName(path), kMostIniBytes);
    if (check.problem == InputFileProblem::Missing)
        return Missing;
    if (check.problem != InputFileProblem::None)
        return Unreadable;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Unreadable;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Unreadable;

    QString text;
    if (bytes.startsWith(kUtf16LittleMark) || bytes.startsWith(kUtf16BigMark)) {
        const bool little = bytes.startsWith(kUtf16LittleMark);
        m_encoding = little ? Utf16LittleEndian : Utf16BigEndian;
        QStringDecoder decoder(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        text = decoder.decode(QByteArrayView(bytes).sliced(2));
    } else {
        if (bytes.startsWith(kUtf8Mark)) {
            bytes.remove(0, kUtf8Mark.size());
            m_encoding = Utf8WithMark;
        }
        text = DecodeEightBit(bytes);
        if (!IsValidUtf8(bytes))
            m_encoding = Windows1252;
    }
    SetText(text);
    return Loaded;
}

void CINIText::SetText(const QString& text) {
    m_lines = text.split(QLatin1Char('\n'));
    if (m_lines.last().isEmpty())
        m_lines.removeLast();
    m_crLf = !m_lines.isEmpty() && m_lines.first().endsWith(QLatin1Char('\r'));
    for (QString& line : m_lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
}

// A file read as Windows-1252 stays so while every character fits and the bytes would not
// read back as UTF-8; otherwise the whole file turns to UTF-8, which reads back the same.
QByteArray CINIText::Encoded() const {
    const QString lineEnd = m_crLf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString text = m_lines.join(lineEnd);
    if (!m_lines.isEmpty())
        text += lineEnd;
    switch (m_encoding) {
    case Utf16LittleEndian:
        return kUtf16LittleMark + QStringEncoder(QStringConverter::Utf16LE).encode(text);
    case Utf16BigEndian:
        return kUtf16BigMark + QStringEncoder(QStringConverter::Utf16BE).encode(text);
    case Utf8WithMark:
        return kUtf8Mark + text.toUtf8();
    case Windows1252: {
        QByteArray bytes;
        if (EncodeWindows1252(text, bytes) && DecodeEightBit(bytes) == text)
            return bytes;
        return text.toUtf8();
    }
    case Utf8:
        break;
    }
    return text.toUtf8();
}

bool CINIText::Save(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = Encoded();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

CINIText::SECTIONRANGE CINIText::FindSection(QStringView section) const {
    SECTIONRANGE range;
    QStringView name;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (!SectionName(m_lines.at(i), name))
            continue;
        if (range.header >= 0) {
            range.end = i;
            return range;
        }
        if (SameName(name, section))
            range.header = i;
    }
    range.end = m_lines.size();
    return range;
}

qsizetype CINIText::FindKey(const SECTIONRANGE& range, QStringView key) const {
    if (range.header < 0)
        return -1;
    QStringView name;
    for (qsizetype i = range.header + 1; i < range.end; ++i) {
        if (KeyName(m_lines.at(i), name) && SameName(name, key))
            return i;
    }
    return -1;
}

bool CINIText::Value(QStringView section, QStringView key, QString& value) const {
    const qsizetype line = FindKey(FindSection(section), key);
    if (line < 0)
        return false;
    const QString& text = m_lines.at(line);
    QStringView found = TrimBlanks(QStringView(text).mid(text.indexOf(QLatin1Char('=')) + 1));
    const QChar quote = QLatin1Char('"');
    if (found.size() >= 2 && found.startsWith(quote) && found.endsWith(quote))
        found = found.mid(1, found.size() - 2);
    value = found.toString();
    return true;
}

// A new key goes after the last non-blank line of its section, so that the blank line
// that often separates sections stays between them.
void CINIText::SetValue(const QString& section, const QString& key, const QString& value) {
    const SECTIONRANGE range = FindSection(section);
    if (range.header < 0) {
        m_lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        m_lines.append(key + QLatin1Char('=') + value);
        return;
    }
    const qsizetype line = FindKey(range, key);
    if (line >= 0) {
        QStringView name;
        KeyName(m_lines.at(line), name);
        m_lines[line] = name.toString() + QLatin1Char('=') + value;
        return;
    }
    qsizetype insertAt = range.end;
    while (insertAt > range.header + 1 && TrimBlanks(m_lines.at(insertAt - 1)).isEmpty())
        --insertAt;
    m_lines.insert(insertAt, key + QLatin1Char('=') + value);
}

bool CINIText::RemoveKey(QStringView section, QStringView key) {
    const qsizetype line = FindKey(FindSection(section), key);
    if (line < 0)
        return false;
    m_lines.removeAt(line);
    return true;
}
