// SPDX-License-Identifier: GPL-3.0-or-later
#include "orderedjson.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

const QLatin1String kObjectIndent("    ");
const QLatin1String kMemberIndent("        ");

// A value written exactly as QJsonDocument writes it, escapes included.
QString ValueText(const QJsonValue& value) {
    const QByteArray compact = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(compact.mid(1, compact.size() - 2));
}

QStringList KeysInOrder(const QJsonObject& object, const QStringList& keyOrder) {
    QStringList keys;
    for (const QString& key : keyOrder) {
        if (!object.contains(key) || keys.contains(key))
            continue;
        keys.append(key);
        for (const QString& extra : object.keys()) {
            if (extra != key && extra.startsWith(key) && !keyOrder.contains(extra))
                keys.append(extra);
        }
    }
    for (const QString& key : object.keys()) {
        if (!keys.contains(key))
            keys.append(key);
    }
    return keys;
}

QString ObjectText(const QJsonObject& object, const QStringList& keyOrder) {
    const QStringList keys = KeysInOrder(object, keyOrder);
    if (keys.isEmpty())
        return kObjectIndent + QLatin1String("{\n") + kObjectIndent + QLatin1Char('}');
    QString text = kObjectIndent + QLatin1String("{\n");
    for (qsizetype i = 0; i < keys.size(); ++i) {
        text += kMemberIndent + ValueText(keys[i]) + QLatin1String(": ") +
                ValueText(object.value(keys[i]));
        text += i + 1 < keys.size() ? QLatin1String(",\n") : QLatin1String("\n");
    }
    return text + kObjectIndent + QLatin1Char('}');
}

} // namespace

QString OrderedJsonText(const QList<QJsonObject>& objects, const QStringList& keyOrder) {
    QString text = QStringLiteral("[\n");
    for (qsizetype i = 0; i < objects.size(); ++i) {
        text += ObjectText(objects[i], keyOrder);
        text += i + 1 < objects.size() ? QLatin1String(",\n") : QLatin1String("\n");
    }
    return text + QStringLiteral("]\n");
}
