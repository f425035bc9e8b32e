// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "criteriachoices.h"

#include <QString>

// The criteria of the thirteen groups. Number fields stay text as typed and are
// converted at each use (ToInt32). Choices are their lists' enums (-1: none chosen).

struct REGEXCRITERIA {
    bool enabled = true;
    QString match;
    QString replace;
    bool includeExtension = false;
};

struct FILENAMECRITERIA {
    bool enabled = true;
    NameMode mode = NameMode::Keep;
    QString fixed;
};

struct REPLACECRITERIA {
    bool enabled = true;
    QString replace;
    QString with;
    bool matchCase = false; // not stored in favourites
};

struct CASECRITERIA {
    bool enabled = true;
    CaseMode change = CaseMode::Same;
    QString exceptions;
};

struct REMOVALCRITERIA {
    bool enabled = true;
    QString firstN = QStringLiteral("0");
    QString lastN = QStringLiteral("0");
    QString from = QStringLiteral("0");
    QString to = QStringLiteral("0");
    QString chars;
    QString words;
    CropMode cropMode = CropMode::Before;
    QString cropMarker;
    bool allDigits = false;
    bool allHigh = false;
    bool trim = false;
    bool doubleSpace = false;
    bool accents = false;
    bool allChars = false;
    bool allSymbols = false;
    LeadDots leadDots = LeadDots::None;
};

struct MOVECOPYCRITERIA {
    bool enabled = true;
    MoveSource source = MoveSource::None;
    QString number = QStringLiteral("1");
    MoveTarget target = MoveTarget::None;
    QString targetPos = QStringLiteral("1");
    QString separator;
};

struct ADDITIONCRITERIA {
    bool enabled = true;
    QString prefix;
    QString text;
    QString textPos = QStringLiteral("0");
    QString suffix;
    bool wordSpace = false;
};

struct AUTODATECRITERIA {
    bool enabled = true;
    AutoDateMode mode = AutoDateMode::None;
    AutoDateType type = AutoDateType::CreationCurrent;
    DateFormat format = DateFormat::Dmy;
    QString separator;
    QString segments;
    QString custom;
    bool century = false;
    QString offset = QStringLiteral("0");
};

struct FOLDERNAMECRITERIA {
    bool enabled = true;
    FolderNameMode mode = FolderNameMode::None;
    QString separator;
    QString levels = QStringLiteral("1");
};

struct NUMBERINGCRITERIA {
    bool enabled = true;
    NumberingMode mode = NumberingMode::None;
    QString insert = QStringLiteral("0");
    QString start = QStringLiteral("1");
    QString increment = QStringLiteral("1");
    QString pad = QStringLiteral("0");
    QString separator;
    QString breakLength = QStringLiteral("0"); // key "Break"
    bool breakFolder = false;
    NumberingType type = NumberingType::Base10;
    Numerals numerals = Numerals::None;
};

struct EXTENSIONCRITERIA {
    bool enabled = true;
    ExtensionMode mode = ExtensionMode::Same;
    QString fixed;
};

struct SELECTIONCRITERIA {
    QString filter = QStringLiteral("*");
    bool filterMatchCase = false;
    bool folders = true;
    bool files = true;
    bool hidden = false;
    bool subfolders = false;
    QString minNameLength = QStringLiteral("0");
    QString maxNameLength = QStringLiteral("0");
    QString minPathLength = QStringLiteral("0");
    QString maxPathLength = QStringLiteral("0");
};

struct NEWLOCATIONCRITERIA {
    QString path;
};

// Groups are numbered as the window numbers them.
enum CriteriaGroup {
    GroupRegEx = 1,
    GroupFile,
    GroupReplace,
    GroupCase,
    GroupRemove,
    GroupMoveCopy,
    GroupAdd,
    GroupAutoDate,
    GroupFolderName,
    GroupNumbering,
    GroupExtension,
    GroupSelections,
    GroupNewLocation
};

// What the caller does after a reset: nothing more (several groups in a row), show the
// record and ask for a refresh, or show the record and list the folder anew.
enum class ResetAfter { Nothing, Push, Rescan };

// How the record reports its changes; the window (or any other front end) implements it.
class ICriteriaObserver {
public:
    virtual ~ICriteriaObserver() = default;
    // A field of the group changed (group 12: the folder must be listed anew).
    virtual void CriteriaChanged(int group) = 0;
    // Show the record in the controls, then refresh the preview or list the folder anew.
    virtual void PushCriteria(ResetAfter after) = 0;
};

struct CRITERIONBINDING;

class RenameCriteria {
public:
    REGEXCRITERIA regex;
    FILENAMECRITERIA fileName;
    REPLACECRITERIA replacements;
    CASECRITERIA letterCase;
    REMOVALCRITERIA removals;
    MOVECOPYCRITERIA moveCopy;
    ADDITIONCRITERIA additions;
    AUTODATECRITERIA autoDate;
    FOLDERNAMECRITERIA folderName;
    NUMBERINGCRITERIA numbering;
    EXTENSIONCRITERIA extension;
    SELECTIONCRITERIA selections;
    NEWLOCATIONCRITERIA newLocation;

    bool IsGroupActive(int group) const;

    void ResetGroup(int group, ResetAfter after, ICriteriaObserver* observer = nullptr);
    void ResetAll(ICriteriaObserver* observer = nullptr);
    // The "R" button of group 13.
    void ResetNewLocation(ICriteriaObserver* observer = nullptr);

    // A field's value as text: text fields as they are, check boxes "0"/"1", choices
    // their index in decimal.
    QString Value(const CRITERIONBINDING& binding) const;
    // Sets exactly the field named (no linked edit, no notification). Check boxes take
    // 0 or 1, choices an index inside their list; anything else is refused.
    bool SetValue(const CRITERIONBINDING& binding, const QString& value);
    // A favourites load: texts as read; numbers for checks (non-zero is ticked) and
    // choices (an index outside the list leaves no entry chosen).
    void LoadValue(const CRITERIONBINDING& binding, const QString& text, int number);

    // An edit made by the user in the window: sets the field, applies the linked edits
    // (a mode that follows its text field; From/To kept in order once start-up has
    // finished) and reports the change.
    void Edit(const CRITERIONBINDING& binding, const QString& value, bool startupFinished,
              ICriteriaObserver* observer);
};
