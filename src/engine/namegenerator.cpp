// SPDX-License-Identifier: GPL-3.0-or-later
#include "namegenerator.h"

#include "namegroups.h"

#include "filelist/textrules.h"

namespace {

struct GROUPSTEP {
    int group;
    void (*apply)(const GROUPCONTEXT&, QString&);
    const char* traceLabel;
};

// Two blanks before a one-digit number; the label after the extension group reads 12.
constexpr GROUPSTEP kSteps[] = {
    {GroupRegEx, ApplyRegexGroup, "Finished Group  1. Name="},
    {GroupFile, ApplyNameGroup, "Finished Group  2. Name="},
    {GroupReplace, ApplyReplaceGroup, "Finished Group  3. Name="},
    {GroupCase, ApplyCaseGroup, "Finished Group  4. Name="},
    {GroupRemove, ApplyRemovalGroup, "Finished Group  5. Name="},
    {GroupMoveCopy, ApplyMoveCopyGroup, "Finished Group  6. Name="},
    {GroupAdd, ApplyAdditionGroup, "Finished Group  7. Name="},
    {GroupAutoDate, ApplyAutoDateGroup, "Finished Group  8. Name="},
    {GroupFolderName, ApplyFolderNameGroup, "Finished Group  9. Name="},
    {GroupNumbering, ApplyNumberingGroup, "Finished Group 10. Name="},
    {GroupExtension, ApplyExtensionGroup, "Finished Group 12. Name="},
};

} // namespace

QString GenerateNewName(const RenameCriteria& criteria, const NAMEINPUT& input,
                        const NAMEOPTIONS& options, QString* trace) {
    const bool tracing = trace && input.index == options.debugRow;
    if (tracing)
        *trace = QStringLiteral("Original name: ") + input.name + QLatin1Char('\n');

    QString name = input.name;
    if (options.renamePairs) {
        QString pairName;
        if (LookupRenamePair(*options.renamePairs, AsciiLower(name), pairName))
            name = pairName;
    }

    const bool extensionIgnored =
        input.isFolder ? options.ignoreFolderExtensions : options.ignoreFileExtensions;
    QString base = name;
    QString ext;
    if (!extensionIgnored) {
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        if (dot >= 0) {
            base = name.left(dot);
            ext = name.mid(dot);
        }
    }
    if (tracing)
        *trace += QStringLiteral("Components: Name=") + base + QStringLiteral(", Extension=") +
                  ext + QStringLiteral("\n\n");

    const GROUPCONTEXT context{criteria, input, options, name, extensionIgnored};
    for (const GROUPSTEP& step : kSteps) {
        if (criteria.IsGroupActive(step.group))
            step.apply(context, step.group == GroupExtension ? ext : base);
        if (tracing)
            *trace += QLatin1String(step.traceLabel) + base + QStringLiteral(", Extension=") + ext +
                      QLatin1Char('\n');
    }

    QString result = base + ext;
    // An unchanged name keeps sharing the entry's text, so a listing holds each name once.
    if (result == input.name)
        result = input.name;
    if (tracing)
        *trace += QStringLiteral("\nFinal Name: ") + result + QLatin1Char('\n');
    return result;
}

QStringList SplitRemoveWords(const QString& words) {
    return words.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QStringList SplitExceptionWords(const QString& exceptions) {
    return exceptions.trimmed().split(QLatin1Char(':'), Qt::SkipEmptyParts);
}
