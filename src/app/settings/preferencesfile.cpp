// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferencesfile.h"

#include "cinifile.h"

#include "platform/userfolders.h"
#include "rename/cactivitylog.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kSection = QStringLiteral("Preferences");
const QString kTip = QStringLiteral("Tip");
const QString kFileName = QStringLiteral("Quorvin.ini");

bool IsKey(const PREFERENCEBINDING& b, const char* key) {
    return qstrcmp(b.key, key) == 0;
}

void ReadOne(const CINIFile& ini, PREFERENCES& p, const PREFERENCEBINDING& b) {
    if (std::holds_alternative<QString PREFERENCES::*>(b.field)) {
        const auto member = std::get<QString PREFERENCES::*>(b.field);
        p.*member = ini.GetString(kSection, b.Key(), p.*member);
    } else {
        SetPreferenceNumber(p, b, ini.GetInt(kSection, b.Key(), PreferenceNumber(p, b)));
    }
}

} // namespace

QString PreferencesFilePath() {
    const QString portable = QDir(ExecutableFolder()).filePath(kFileName);
    if (IsWritableFile(portable))
        return portable;
    return QDir(UserConfigFolder()).filePath(kFileName);
}

QString ActivityLogPath() {
    const QString portable = QDir(ExecutableFolder()).filePath(kFileName);
    return ::ActivityLogPath(IsWritableFile(portable) ? ExecutableFolder() : UserDataFolder());
}

QString DefaultJournalFolder() {
    return QDir(UserDataFolder()).filePath(QStringLiteral("journal"));
}

void ReadPreferencesFile(const QString& path, PREFERENCES& preferences) {
    PREFERENCES defaults;
    preferences = defaults;
    CINIFile ini;
    ini.SetFileName(path);
    ini.BeginBatch();
    const PREFERENCEBINDING* sizes = FindPreference(u"Display Filesizes As");
    for (const PREFERENCEBINDING& b : PreferenceBindings()) {
        if (IsKey(b, "Display Filesizes As") || IsKey(b, "Sort Column") || IsKey(b, "Sort Dir"))
            continue;
        ReadOne(ini, preferences, b);
        if (IsKey(b, "Log Activity"))
            ReadOne(ini, preferences, *sizes);
    }
    ReadOne(ini, preferences, *FindPreference(u"Sort Dir"));
    ReadOne(ini, preferences, *FindPreference(u"Sort Column"));
    ini.EndBatch();
}

bool WritePreferencesFile(const QString& path, const PREFERENCES& preferences) {
    EnsureFolder(QFileInfo(path).absolutePath());
    CINIFile ini;
    ini.SetFileName(path);
    ini.BeginBatch();
    for (const PREFERENCEBINDING& b : PreferenceBindings()) {
        if (!b.written)
            continue;
        if (std::holds_alternative<QString PREFERENCES::*>(b.field))
            ini.WriteString(kSection, b.Key(),
                            preferences.*std::get<QString PREFERENCES::*>(b.field));
        else
            ini.WriteInt(kSection, b.Key(), PreferenceNumber(preferences, b));
    }
    return ini.EndBatch();
}

void ReadTipState(const QString& path, TIPSTATE& tip) {
    CINIFile ini;
    ini.SetFileName(path);
    tip.startUp = ini.GetInt(kTip, QStringLiteral("StartUp"), 1);
    tip.filePos = ini.GetInt(kTip, QStringLiteral("FilePos"), 0);
    tip.timeStamp = ini.GetString(kTip, QStringLiteral("TimeStamp"));
}

bool WriteTipState(const QString& path, const TIPSTATE& tip) {
    CINIFile ini;
    ini.SetFileName(path);
    ini.BeginBatch();
    ini.WriteInt(kTip, QStringLiteral("StartUp"), tip.startUp);
    ini.WriteInt(kTip, QStringLiteral("FilePos"), tip.filePos);
    ini.WriteString(kTip, QStringLiteral("TimeStamp"), tip.timeStamp);
    return ini.EndBatch();
}
