// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctiffbuilder.h"

CTiffBuilder::CTiffBuilder(bool motorola) : m_motorola(motorola) {}

int CTiffBuilder::AddDirectory() {
    m_directories.append(DIRECTORY());
    return int(m_directories.size() - 1);
}

void CTiffBuilder::AddEntry(int directory, quint16 tag, quint16 format, quint32 count,
                            const QByteArray& value) {
    ENTRY entry;
    entry.tag = tag;
    entry.format = format;
    entry.count = count;
    entry.value = value;
    m_directories[directory].entries.append(entry);
}

void CTiffBuilder::AddRational(int directory, quint16 tag, qint32 numerator, qint32 denominator,
                               quint16 format) {
    AddEntry(directory, tag, format, 1, U32(quint32(numerator)) + U32(quint32(denominator)));
}

void CTiffBuilder::AddShort(int directory, quint16 tag, quint16 value) {
    AddEntry(directory, tag, 3, 1, U16(value));
}

void CTiffBuilder::AddAscii(int directory, quint16 tag, const QByteArray& text) {
    AddEntry(directory, tag, 2, quint32(text.size() + 1), text + QByteArray(1, '\0'));
}

void CTiffBuilder::AddLink(int directory, quint16 tag, int target) {
    AddLinks(directory, tag, {target});
}

void CTiffBuilder::AddLinks(int directory, quint16 tag, const QList<int>& targets) {
    ENTRY entry;
    entry.tag = tag;
    entry.format = 4;
    entry.count = quint32(targets.size());
    entry.links = targets;
    m_directories[directory].entries.append(entry);
}

void CTiffBuilder::SetNext(int directory, int next) {
    m_directories[directory].next = next;
}

quint32 CTiffBuilder::DirectoryOffset(int directory) const {
    quint32 offset = 8;
    for (int i = 0; i < directory; ++i)
        offset += quint32(2 + 12 * m_directories[i].entries.size() + 4);
    return offset;
}

QByteArray CTiffBuilder::Build() const {
    QByteArray out = m_motorola ? QByteArray("MM") : QByteArray("II");
    out += U16(42);
    out += U32(m_directories.isEmpty() ? 0 : 8);
    quint32 dataOffset = DirectoryOffset(int(m_directories.size()));
    QByteArray data;
    for (const DIRECTORY& directory : m_directories) {
        out += U16(quint16(directory.entries.size()));
        for (const ENTRY& entry : directory.entries) {
            QByteArray value = entry.value;
            if (!entry.links.isEmpty()) {
                value.clear();
                for (int link : entry.links)
                    value += U32(DirectoryOffset(link));
            }
            out += U16(entry.tag) + U16(entry.format) + U32(entry.count);
            if (value.size() <= 4) {
                out += value + QByteArray(4 - value.size(), '\0');
            } else {
                out += U32(dataOffset + quint32(data.size()));
                data += value;
                if (data.size() % 2)
                    data += '\0';
            }
        }
        out += U32(directory.next < 0 ? 0 : DirectoryOffset(directory.next));
    }
    return out + data;
}

QByteArray CTiffBuilder::U16(quint16 value) const {
    QByteArray bytes(2, '\0');
    bytes[m_motorola ? 0 : 1] = char(value >> 8);
    bytes[m_motorola ? 1 : 0] = char(value & 0xFF);
    return bytes;
}

QByteArray CTiffBuilder::U32(quint32 value) const {
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[m_motorola ? 3 - i : i] = char((value >> (8 * i)) & 0xFF);
    return bytes;
}
