// SPDX-License-Identifier: GPL-3.0-or-later
#include "crequestapplier.h"
#include "cstandardinputfile.h"

#include "inputchecks.h"

#include "app/settings/cinitext.h"
#include "app/settings/preferencesfile.h"
#include "engine/criterionbinding.h"
#include "rename/renamepairsfile.h"
#include "rename/translationtext.h"

namespace {

const QLatin1String kPreferencesSection("Preferences");
const QLatin1String kTranslationSection("Character Translation");
const QLatin1String kPairPrefix("Pair ");

} // namespace

bool CRequestApplier::Apply(const QVNREQUEST& request, CProgramState& state) {
    m_translationLines.clear();
    if (!CheckInputFiles(request))
        return false;
    if (!request.preferencesFile.isEmpty())
        ReadPreferencesFile(request.preferencesFile, state.preferences);
    if (!request.favouriteFile.isEmpty() &&
        !state.LoadFavourite(request.favouriteFile, false).exists)
        return Fail(QStringLiteral("favourites file not found: ") + request.favouriteFile);
    for (const QVNSETTING& setting : request.settings) {
        const bool applied = setting.isPreference ? ApplyPreference(setting.assignment, state)
                                                  : ApplySet(setting.assignment, state);
        if (!applied)
            return false;
    }
    if (!m_translationLines.isEmpty())
        UseTranslations(state);
    if (request.matchCase)
        state.criteria.replacements.matchCase = true;
    state.ApplyPreferences();
    CStandardInputFile standardInput;
    const QString pairsFile =
        request.pairsFile == QLatin1String("-") ? standardInput.Copy() : request.pairsFile;
    if (!request.pairsFile.isEmpty() && !state.ImportRenamePairsFrom(pairsFile))
        return Fail(QStringLiteral("rename pairs file cannot be read: ") + request.pairsFile);
    return true;
}

// Every file named is looked at before any is read: a pipe or a device would block or
// never end, and a folder would be taken for an empty file.
bool CRequestApplier::CheckInputFiles(const QVNREQUEST& request) {
    const struct {
        const QString& path;
        QString what;
        qint64 maxBytes;
        bool standardInputAllowed;
    } files[] = {
        {request.preferencesFile, QStringLiteral("preferences file"), kMostIniBytes, false},
        {request.favouriteFile, QStringLiteral("favourites file"), kMostIniBytes, false},
        {request.pairsFile, QStringLiteral("rename pairs file"), kMostPairsFileBytes, true},
    };
    for (const auto& file : files) {
        // "-" is standard input, copied with a limit of its own.
        if (file.path.isEmpty() || (file.standardInputAllowed && file.path == QLatin1String("-")))
            continue;
        const QString problem = InputFileProblemText(file.what, file.path, file.maxBytes);
        if (!problem.isEmpty())
            return Fail(problem);
    }
    return true;
}

bool CRequestApplier::ApplySet(const QString& assignment, CProgramState& state) {
    const qsizetype slash = assignment.indexOf(QLatin1Char('/'));
    const qsizetype equals = slash < 0 ? -1 : assignment.indexOf(QLatin1Char('='), slash);
    if (slash <= 0 || equals < 0)
        return Fail(QStringLiteral("--set needs SECTION/KEY=VALUE: ") + assignment);
    const QString section = assignment.left(slash);
    const QString key = assignment.mid(slash + 1, equals - slash - 1);
    const QString value = assignment.mid(equals + 1);

    if (const CRITERIONBINDING* binding = FindCriterion(section, key)) {
        if (!state.criteria.SetValue(*binding, value))
            return Fail(QStringLiteral("value out of range for %1/%2: %3")
                            .arg(binding->Section(), binding->Key(), value));
        return true;
    }
    if (section.compare(kPreferencesSection, Qt::CaseInsensitive) == 0)
        return ApplyChangeSetting(key, value, state);
    if (section.compare(kTranslationSection, Qt::CaseInsensitive) == 0)
        return ApplyTranslation(key, value);
    return Fail(QStringLiteral("unknown section or key: ") + section + QLatin1Char('/') + key);
}

bool CRequestApplier::ApplyChangeSetting(const QString& key, const QString& value,
                                         CProgramState& state) {
    const CHANGEBINDING* change = FindChangeSetting(key);
    if (!change)
        return Fail(QStringLiteral("unknown key: %1/%2").arg(kPreferencesSection, key));
    bool ok = false;
    const qint64 number = value.trimmed().toLongLong(&ok);
    if (!ok)
        return Fail(
            QStringLiteral("not a number for %1/%2: %3").arg(kPreferencesSection, key, value));
    SetChangeSettingValue(state.changes, *change, number);
    return true;
}

bool CRequestApplier::ApplyTranslation(const QString& key, const QString& line) {
    bool ok = false;
    const int number = key.startsWith(kPairPrefix, Qt::CaseInsensitive)
                           ? key.mid(kPairPrefix.size()).toInt(&ok)
                           : 0;
    if (!ok || number < 1)
        return Fail(QStringLiteral("unknown key: %1/%2").arg(kTranslationSection, key));
    TRANSLATIONPAIR pair;
    if (!SplitTranslationLine(line, pair))
        return Fail(QStringLiteral("a translation is written FROM=TO: ") + line);
    m_translationLines.insert(number, line);
    return true;
}

bool CRequestApplier::ApplyPreference(const QString& assignment, CProgramState& state) {
    const qsizetype equals = assignment.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return Fail(QStringLiteral("--pref needs KEY=VALUE: ") + assignment);
    const QString key = assignment.left(equals);
    const PREFERENCEBINDING* binding = FindPreference(key);
    if (!binding)
        return Fail(QStringLiteral("unknown preference: ") + key);
    const QString value = assignment.mid(equals + 1);
    if (!SetPreferenceValue(state.preferences, *binding, value)) {
        bool number = false;
        value.trimmed().toInt(&number);
        return Fail((number ? QStringLiteral("value out of range for preference %1: %2")
                            : QStringLiteral("not a number for preference %1: %2"))
                        .arg(binding->Key(), value));
    }
    return true;
}

// Pairs given on the command line are used in the order of their numbers, gaps allowed,
// as a favourites file loads them; they take the place of a favourite's translations.
void CRequestApplier::UseTranslations(CProgramState& state) const {
    state.translations.clear();
    for (const QString& line : m_translationLines) {
        TRANSLATIONPAIR pair;
        SplitTranslationLine(line, pair);
        state.translations.append(pair);
    }
    DecodeTranslations(state.translations);
}

bool CRequestApplier::Fail(const QString& reason) {
    m_error = reason;
    return false;
}
