// SPDX-License-Identifier: GPL-3.0-or-later
#include "typename.h"

#include <QHash>
#include <QMimeDatabase>
#include <QMutex>

QString TypeNameOf(const QString& name, bool isFolder) {
    static const QMimeDatabase database;
    if (isFolder)
        return database.mimeTypeForName(QStringLiteral("inode/directory")).comment();
    // Names with the same extension share a type, so the glob matching runs once per
    // extension rather than once per file.
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString key = dot < 0 ? QString() : name.mid(dot).toLower();
    static QMutex mutex;
    static QHash<QString, QString> cache;
    QMutexLocker lock(&mutex);
    auto it = cache.constFind(key);
    if (it == cache.constEnd())
        it = cache.insert(key,
                          database.mimeTypeForFile(name, QMimeDatabase::MatchExtension).comment());
    return it.value();
}
