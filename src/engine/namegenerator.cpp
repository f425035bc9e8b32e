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

CRITERIANUMBERS ReadCriteriaNumbers(const RenameCriteria& criteria) {
    CRITERIANUMBERS n;
    n.removeFirst = ToInt32(criteria.removals.firstN);
    n.removeLast = ToInt32(criteria.removals.lastN);
    n.removeFrom = ToInt32(criteria.removals.from);
    n.removeTo = ToInt32(criteria.removals.to);
    n.moveCount = ToInt32(criteria.moveCopy.number);
    n.moveTargetPos = ToInt32(criteria.moveCopy.targetPos);
    n.additionPos = ToInt32(criteria.additions.textPos);
    n.dateOffset = ToInt32(criteria.autoDate.offset);
    n.folderLevels = ToInt32(criteria.folderName.levels);
    n.numberInsert = ToInt32(criteria.numbering.insert);
    return n;
}

bool HasRenamePairs(const NAMEOPTIONS& options) {
    return options.renamePairs && !options.renamePairs->isEmpty();
}

qint32 ActiveGroups(const RenameCriteria& criteria) {
    qint32 bits = 0;
    for (const GROUPSTEP& step : kSteps) {
        if (criteria.IsGroupActive(step.group))
            bits |= qint32(1) << step.group;
    }
    return bits;
}

QString GenerateNewName(const RenameCriteria& criteria, const NAMEINPUT& input,
                        const NAMEOPTIONS& options, QString* trace) {
    const bool tracing = trace && input.index == options.debugRow;
    if (tracing)
        *trace = QStringLiteral("Original name: ") + input.name + QLatin1Char('\n');

    const qint32 active = input.activeGroups >= 0 ? input.activeGroups : ActiveGroups(criteria);
    const bool pairs = HasRenamePairs(options);
    // With nothing to change, the name stays as it is (and shares the entry's text).
    if (active == 0 && !pairs && !tracing)
        return input.name;

    QString pairName;
    const bool paired =
        pairs && LookupRenamePair(*options.renamePairs, AsciiLower(input.name), pairName);
    const QString& name = paired ? pairName : input.name;

    const bool extensionIgnored =
        input.isFolder ? options.ignoreFolderExtensions : options.ignoreFileExtensions;
    const qsizetype dot = extensionIgnored ? -1 : name.lastIndexOf(QLatin1Char('.'));
    const bool extensionActive = active & (qint32(1) << GroupExtension);
    // The groups work in a buffer of this thread that keeps its room from row to row, so
    // that growing the name allocates nothing; only the finished name is copied out.
    thread_local QString work;
    QString& base = work;
    base.resize(0);
    base.append(dot >= 0 ? QStringView(name).left(dot) : QStringView(name));
    // The extension is copied out only when a group or the trace works on it; otherwise
    // the name's own text is appended at the end.
    const QStringView nameExt = dot >= 0 ? QStringView(name).mid(dot) : QStringView();
    QString ext;
    if (extensionActive || tracing)
        ext = nameExt.toString();
    if (tracing)
        *trace += QStringLiteral("Components: Name=") + base + QStringLiteral(", Extension=") +
                  ext + QStringLiteral("\n\n");

    const CRITERIANUMBERS numbers =
        input.numbers ? CRITERIANUMBERS() : ReadCriteriaNumbers(criteria);
    const GROUPCONTEXT context{
        criteria, input, options, name, extensionIgnored, input.numbers ? *input.numbers : numbers};
    for (const GROUPSTEP& step : kSteps) {
        if (active & (qint32(1) << step.group))
            step.apply(context, step.group == GroupExtension ? ext : base);
        if (tracing)
            *trace += QLatin1String(step.traceLabel) + base + QStringLiteral(", Extension=") + ext +
                      QLatin1Char('\n');
    }

    if (extensionActive || tracing)
        base += ext;
    else
        base += nameExt;
    // An unchanged name keeps sharing the entry's text, so a listing holds each name once.
    const QString result = base == input.name ? input.name : QString(base.constData(), base.size());
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
