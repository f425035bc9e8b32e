// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileentry.h"

#include "platform/nativename.h"

QByteArray FILEENTRY::NativeName() const {
    return EncodeNativeName(name);
}

void FILEENTRY::SetNativeName(const QByteArray& nativeName) {
    name = DecodeNativeName(nativeName);
}

const ENTRYFOLDER& FILEENTRY::NoFolder() {
    static const ENTRYFOLDER kNone;
    return kNone;
}

ENTRYFOLDER& FILEENTRY::EditFolder() {
    if (!m_folder)
        m_folder = new ENTRYFOLDER;
    return *m_folder.data();
}

const ENTRYTAGS& FILEENTRY::Tags() const {
    static const ENTRYTAGS kNone;
    return m_tags ? *m_tags.constData() : kNone;
}

ENTRYTAGS& FILEENTRY::EditTags() {
    if (!m_tags)
        m_tags = new ENTRYTAGS;
    return *m_tags.data();
}

void InitialiseNewEntry(FILEENTRY& entry) {
    entry.newName = entry.name;
    entry.newNameLength = static_cast<qint32>(entry.name.size());
    entry.newCreated = entry.newModified = entry.newAccessed = 0;
    entry.newAttributes = entry.attributes;
    entry.affected = entry.createdPending = entry.modifiedPending = false;
    entry.accessedPending = entry.attributesPending = false;
    entry.invalidChars = false;
    entry.conflict = NameConflict::None;
}

bool HasInvalidNameChars(QStringView name) {
    for (QChar c : name) {
        switch (c.unicode()) {
        case u'\0':
        case u'\\':
        case u'/':
        case u':':
        case u'*':
        case u'?':
        case u'"':
        case u'<':
        case u'>':
        case u'|':
            return true;
        default:
            break;
        }
    }
    return false;
}

QString JoinPath(const QString& folder, const QString& name) {
    if (folder.isEmpty())
        return QString();
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

// One allocation: the scan joins a path for every item it looks at.
QByteArray JoinNativePath(const QByteArray& folder, const QByteArray& name) {
    if (folder.isEmpty())
        return QByteArray();
    QByteArray path;
    path.reserve(folder.size() + 1 + name.size());
    path += folder;
    if (!folder.endsWith('/'))
        path += '/';
    path += name;
    return path;
}
