// SPDX-License-Identifier: GPL-3.0-or-later
#include "favouritesfile.h"

#include "cinifile.h"

#include "engine/criterionbinding.h"
#include "platform/userfolders.h"
#include "rename/translationtext.h"

namespace {

const QString kGeneral = QStringLiteral("General");
const QString kPath = QStringLiteral("Path");
const QString kPreferences = QStringLiteral("Preferences");
const QString kTranslations = QStringLiteral("Character Translation");

QString PairKey(int n) {
    return QStringLiteral("Pair %1").arg(n);
}

void ReadCriteria(const CINIFile& ini, RenameCriteria& criteria) {
    for (const CRITERIONBINDING& b : CriteriaBindings()) {
        const QString fallback = QLatin1String(b.loadDefault);
        if (b.kind == CriterionKind::Text)
            criteria.LoadValue(b, ini.GetString(b.Section(), b.Key(), fallback), 0);
        else
            criteria.LoadValue(b, QString(), ini.GetInt(b.Section(), b.Key(), fallback.toInt()));
    }
}

void ReadChanges(const CINIFile& ini, CHANGESETTINGS& changes) {
    for (const CHANGEBINDING& b : ChangeBindings()) {
        const bool isNumber = std::holds_alternative<TimestampMode CHANGESETTINGS::*>(b.field) ||
                              std::holds_alternative<bool CHANGESETTINGS::*>(b.field);
        const qint64 value = isNumber ? ini.GetInt(kPreferences, b.Key(), 0)
                                      : ini.GetUnsigned(kPreferences, b.Key(), 0);
        SetChangeSettingValue(changes, b, value);
    }
}

// Gaps in the numbering are allowed: all 500 keys are read.
void ReadTranslations(const CINIFile& ini, TRANSLATIONLIST& translations) {
    translations.clear();
    for (int n = 1; n <= kStoredTranslationPairs; ++n) {
        TRANSLATIONPAIR pair;
        if (SplitTranslationLine(ini.GetString(kTranslations, PairKey(n)), pair))
            translations.append(pair);
    }
    DecodeTranslations(translations);
}

void WriteCriteria(CINIFile& ini, RenameCriteria& criteria) {
    for (const CRITERIONBINDING& b : CriteriaBindings()) {
        const QString value = criteria.Value(b);
        if (b.kind == CriterionKind::Text)
            ini.WriteString(b.Section(), b.Key(), value);
        else
            ini.WriteInt(b.Section(), b.Key(), value.toInt());
    }
}

void WriteChanges(CINIFile& ini, const CHANGESETTINGS& changes) {
    for (const CHANGEBINDING& b : ChangeBindings()) {
        const qint64 value = ChangeSettingValue(changes, b);
        if (std::holds_alternative<TimestampMode CHANGESETTINGS::*>(b.field) ||
            std::holds_alternative<bool CHANGESETTINGS::*>(b.field))
            ini.WriteInt(kPreferences, b.Key(), static_cast<qint32>(value));
        else
            ini.WriteUnsigned(kPreferences, b.Key(), value);
    }
}

void WriteTranslations(CINIFile& ini, const TRANSLATIONLIST& translations) {
    for (int n = 1; n <= kStoredTranslationPairs; ++n)
        ini.DeleteKey(kTranslations, PairKey(n));
    for (int n = 1; n <= translations.size() && n <= kStoredTranslationPairs; ++n) {
        const TRANSLATIONPAIR& pair = translations[n - 1];
        ini.WriteString(kTranslations, PairKey(n), pair.fromText + QLatin1Char('=') + pair.toText);
    }
}

} // namespace

bool ReadFavouriteFile(const QString& path, const FAVOURITECONTENT& content) {
    CINIFile ini;
    const bool exists = PathExists(path);
    if (exists)
        ini.SetFileName(path);
    ini.BeginBatch();
    content.folder = ini.GetString(kGeneral, kPath);
    ReadCriteria(ini, content.criteria);
    ReadChanges(ini, content.changes);
    ReadTranslations(ini, content.translations);
    ini.EndBatch();
    return exists;
}

bool WriteFavouriteFile(const QString& path, const FAVOURITECONTENT& content) {
    CINIFile ini;
    ini.SetFileName(path);
    ini.BeginBatch();
    ini.WriteString(kGeneral, kPath, content.folder);
    WriteCriteria(ini, content.criteria);
    WriteChanges(ini, content.changes);
    WriteTranslations(ini, content.translations);
    return ini.EndBatch();
}
