// SPDX-License-Identifier: GPL-3.0-or-later
#include "coptionparser.h"

#include "outputcolumns.h"

namespace {

bool IsValueOption(const QString& name) {
    static const QStringList kNames{QStringLiteral("-s"),
                                    QStringLiteral("--set"),
                                    QStringLiteral("-p"),
                                    QStringLiteral("--pref"),
                                    QStringLiteral("--format"),
                                    QStringLiteral("--columns"),
                                    QStringLiteral("--debug"),
                                    QStringLiteral("--sort"),
                                    QStringLiteral("-f"),
                                    QStringLiteral("--favourite"),
                                    QStringLiteral("--save-favourite"),
                                    QStringLiteral("--pairs"),
                                    QStringLiteral("--prefs"),
                                    QStringLiteral("--from"),
                                    QStringLiteral("--undo-script"),
                                    QStringLiteral("--color")};
    return kNames.contains(name);
}

// -sSECTION/KEY=VALUE: a short option that takes a value may carry it in the same word.
bool IsAttachedShortValue(const QString& argument) {
    return argument.size() > 2 && argument[1] != QLatin1Char('-') &&
           IsValueOption(argument.left(2));
}

} // namespace

bool COptionParser::Parse(const QStringList& arguments, QVNREQUEST& request) {
    m_error.clear();
    bool optionsEnded = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || !argument.startsWith(QLatin1Char('-')) || argument.size() == 1) {
            request.paths.append(argument);
            continue;
        }
        QString name = argument;
        QString inlineValue;
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        bool hasInline = argument.startsWith(QLatin1String("--")) && equals > 0;
        if (hasInline) {
            name = argument.left(equals);
            inlineValue = argument.mid(equals + 1);
        } else if (IsAttachedShortValue(argument)) {
            name = argument.left(2);
            inlineValue = argument.mid(2);
            hasInline = true;
        }
        QString value;
        if (IsValueOption(name)) {
            if (!TakeValue(arguments, i, inlineValue, hasInline, value))
                return Fail(QStringLiteral("option %1 needs a value").arg(name));
        } else if (hasInline) {
            return Fail(QStringLiteral("option %1 takes no value").arg(name));
        }
        if (!ApplyOption(name, value, request))
            return false;
    }
    if (!request.undoScriptFile.isEmpty() && !request.rename)
        return Fail(QStringLiteral("--undo-script needs --rename"));
    if (request.print0 && request.formatGiven)
        return Fail(QStringLiteral("--print0 and --format cannot be given together"));
    if (request.fromFile == QLatin1String("-") && request.pairsFile == QLatin1String("-"))
        return Fail(QStringLiteral("--from - and --pairs - cannot both read standard input"));
    if (request.undo && request.rename)
        return Fail(QStringLiteral("--undo and --rename cannot be given together"));
    return true;
}

bool COptionParser::TakeValue(const QStringList& arguments, int& index, const QString& inlineValue,
                              bool hasInline, QString& value) {
    if (hasInline) {
        value = inlineValue;
        return true;
    }
    if (index + 1 >= arguments.size())
        return false;
    value = arguments[++index];
    return true;
}

bool COptionParser::ApplyOption(const QString& name, const QString& value, QVNREQUEST& request) {
    if (name == QLatin1String("-h") || name == QLatin1String("--help"))
        request.help = true;
    else if (name == QLatin1String("--version"))
        request.version = true;
    else if (name == QLatin1String("--list-keys"))
        request.listKeys = true;
    else if (name == QLatin1String("--list-columns"))
        request.listColumns = true;
    else if (name == QLatin1String("-q") || name == QLatin1String("--quiet"))
        request.quiet = true;
    else if (name == QLatin1String("-0") || name == QLatin1String("--print0"))
        request.print0 = true;
    else if (name == QLatin1String("--color"))
        return ApplyColour(value, request);
    else if (name == QLatin1String("--match-case"))
        request.matchCase = true;
    else if (name == QLatin1String("--changed"))
        request.changedOnly = true;
    else if (name == QLatin1String("--rename"))
        request.rename = true;
    else if (name == QLatin1String("-y") || name == QLatin1String("--yes"))
        request.assumeYes = true;
    else if (name == QLatin1String("--undo"))
        request.undo = true;
    else if (name == QLatin1String("--no-journal"))
        request.noJournal = true;
    else if (name == QLatin1String("--undo-script"))
        request.undoScriptFile = value;
    else if (name == QLatin1String("-s") || name == QLatin1String("--set"))
        return AddSetting(value, false, request);
    else if (name == QLatin1String("-p") || name == QLatin1String("--pref"))
        return AddSetting(value, true, request);
    else if (name == QLatin1String("-f") || name == QLatin1String("--favourite"))
        request.favouriteFile = value;
    else if (name == QLatin1String("--save-favourite"))
        request.saveFavouriteFile = value;
    else if (name == QLatin1String("--pairs"))
        request.pairsFile = value;
    else if (name == QLatin1String("--prefs"))
        request.preferencesFile = value;
    else if (name == QLatin1String("--from"))
        request.fromFile = value;
    else if (name == QLatin1String("--format"))
        return ApplyFormat(value, request);
    else if (name == QLatin1String("--columns"))
        return ApplyColumns(value, request);
    else if (name == QLatin1String("--debug"))
        return ApplyDebug(value, request);
    else if (name == QLatin1String("--sort"))
        return ApplySort(value, request);
    else
        return Fail(QStringLiteral("unknown option: ") + name);
    return true;
}

bool COptionParser::AddSetting(const QString& assignment, bool isPreference, QVNREQUEST& request) {
    const QString key = assignment.left(assignment.indexOf(QLatin1Char('=')));
    if (key.isEmpty() || (!isPreference && !key.contains(QLatin1Char('/'))))
        return Fail(isPreference ? QStringLiteral("--pref needs KEY=VALUE: ") + assignment
                                 : QStringLiteral("--set needs SECTION/KEY=VALUE: ") + assignment);
    request.settings.append({isPreference, assignment});
    return true;
}

bool COptionParser::ApplyFormat(const QString& value, QVNREQUEST& request) {
    if (value == QLatin1String("table"))
        request.format = OutputFormat::Table;
    else if (value == QLatin1String("tsv"))
        request.format = OutputFormat::Tsv;
    else if (value == QLatin1String("json"))
        request.format = OutputFormat::Json;
    else
        return Fail(QStringLiteral("unknown format (table, tsv or json): ") + value);
    request.formatGiven = true;
    return true;
}

bool COptionParser::ApplyColour(const QString& value, QVNREQUEST& request) {
    if (value == QLatin1String("auto"))
        request.colour = ColourMode::Auto;
    else if (value == QLatin1String("always"))
        request.colour = ColourMode::Always;
    else if (value == QLatin1String("never"))
        request.colour = ColourMode::Never;
    else
        return Fail(QStringLiteral("--color is auto, always or never: ") + value);
    return true;
}

bool COptionParser::ApplyColumns(const QString& value, QVNREQUEST& request) {
    const QStringList keys = value.split(QLatin1Char(','));
    for (const QString& key : keys) {
        if (!FindOutputColumn(key))
            return Fail(QStringLiteral("unknown column: ") + key);
    }
    request.columns = keys;
    return true;
}

bool COptionParser::ApplyDebug(const QString& value, QVNREQUEST& request) {
    bool ok = false;
    const int row = value.toInt(&ok);
    if (!ok || row < 0)
        return Fail(QStringLiteral("--debug needs a row number (0 or more): ") + value);
    request.debugRow = row;
    return true;
}

bool COptionParser::ApplySort(const QString& value, QVNREQUEST& request) {
    const qsizetype colon = value.indexOf(QLatin1Char(':'));
    const QString key = colon < 0 ? value : value.left(colon);
    const QString direction = colon < 0 ? QString() : value.mid(colon + 1);
    const int column = ListColumnOfKey(key);
    if (column < 0)
        return Fail(QStringLiteral("unknown sort column: ") + key);
    if (colon >= 0 && direction != QLatin1String("asc") && direction != QLatin1String("desc"))
        return Fail(QStringLiteral("sort direction is asc or desc: ") + direction);
    request.sortGiven = true;
    request.sortColumn = column;
    request.sortAscending = direction != QLatin1String("desc");
    return true;
}

bool COptionParser::Fail(const QString& reason) {
    m_error = reason;
    return false;
}
