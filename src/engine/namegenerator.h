// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "renamecriteria.h"
#include "renamepairs.h"
#include "translations.h"

#include "filelist/fileentry.h"

#include <QString>
#include <QStringList>

class CRegexPattern;
class CSizeText;

// The numbers typed into the criteria, read once for a whole refresh.
struct CRITERIANUMBERS {
    qint32 removeFirst = 0;
    qint32 removeLast = 0;
    qint32 removeFrom = 0;
    qint32 removeTo = 0;
    qint32 moveCount = 0;
    qint32 moveTargetPos = 0;
    qint32 additionPos = 0;
    qint32 dateOffset = 0;
    qint32 folderLevels = 0;
    qint32 numberInsert = 0;
};

[[nodiscard]] CRITERIANUMBERS ReadCriteriaNumbers(const RenameCriteria& criteria);

// The per-entry input the preview refresh prepares.
struct NAMEINPUT {
    QString name;
    TimeValue date = 0;                     // the moment the automatic date uses; 0 for none
    QString number;                         // the entry's finished number text
    const CRegexPattern* pattern = nullptr; // none when it failed to compile
    QString folderPath;
    bool isFolder = false;
    QStringList removeWords;
    QStringList exceptionWords;
    qint32 index = 0;
    const FILEENTRY* entry = nullptr; // for the metadata and size tags
    // The size texts of this refresh's locale; SizeText() when none.
    const CSizeText* sizeText = nullptr;
    // Bit g set when group g is active (ActiveGroups()), worked out once for a whole
    // refresh; -1 asks the criteria at every call.
    qint32 activeGroups = -1;
    // Read from the criteria once for a whole refresh; none: read at every call.
    const CRITERIANUMBERS* numbers = nullptr;
};

// The inputs read afresh at every call besides the criteria.
struct NAMEOPTIONS {
    bool ignoreFileExtensions = false;
    bool ignoreFolderExtensions = true;
    bool extractExif = false;
    bool extractId3 = false;
    int sizeDisplayMode = 3;
    const RENAMEPAIRMAP* renamePairs = nullptr;
    const TRANSLATIONLIST* translations = nullptr;
    qint32 debugRow = -1;
};

// What every group sees besides the text it works on.
struct GROUPCONTEXT {
    const RenameCriteria& criteria;
    const NAMEINPUT& input;
    const NAMEOPTIONS& options;
    const QString& name;   // the name after the rename-pair step
    bool extensionIgnored; // the split gave no extension because a preference said so
    const CRITERIANUMBERS& numbers;
};

// The new name of one entry. When input.index equals options.debugRow and trace is given,
// the trace text of this call is written to it; showing it (and clearing the debug row)
// is the caller's part.
QString GenerateNewName(const RenameCriteria& criteria, const NAMEINPUT& input,
                        const NAMEOPTIONS& options, QString* trace = nullptr);

// Whether the options hold a pair list with any pair in it: an empty one changes nothing.
[[nodiscard]] bool HasRenamePairs(const NAMEOPTIONS& options);

// The active groups of the criteria as bits, for NAMEINPUT::activeGroups.
qint32 ActiveGroups(const RenameCriteria& criteria);

// `Removals`/`Words` trimmed and split at blanks; `Case`/`Exceptions` split at colons.
QStringList SplitRemoveWords(const QString& words);
QStringList SplitExceptionWords(const QString& exceptions);
