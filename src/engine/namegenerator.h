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
};

// The new name of one entry. When input.index equals options.debugRow and trace is given,
// the trace text of this call is written to it; showing it (and clearing the debug row)
// is the caller's part.
QString GenerateNewName(const RenameCriteria& criteria, const NAMEINPUT& input,
                        const NAMEOPTIONS& options, QString* trace = nullptr);

// The active groups of the criteria as bits, for NAMEINPUT::activeGroups.
qint32 ActiveGroups(const RenameCriteria& criteria);

// `Removals`/`Words` trimmed and split at blanks; `Case`/`Exceptions` split at colons.
QStringList SplitRemoveWords(const QString& words);
QStringList SplitExceptionWords(const QString& exceptions);
