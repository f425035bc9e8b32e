// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <span>
#include <variant>

// The user's standing choices kept in the preferences file, each with its default.
struct PREFERENCES {
    QString favouritePath;
    QString renamePairsPath;
    bool autoSaveFavouriteOnExit = false;
    bool storeFavouritePathnames = false;
    bool displayIcons = true;
    bool highlightActiveCriteria = true;
    bool displayWarningMessage = true;
    bool displayConfirmationMessage = true;
    bool displayGridlines = false;
    bool displayPictureViewer = false;
    bool groupAffectedFiles = false;
    bool sortFilesAndFoldersTogether = false;
    bool fullRowSelect = false;
    bool overwriteTargetFiles = false;
    bool logActivity = false;
    bool newLocationCopyNotMove = false;
    bool preventDuplicates = false;
    bool reverseOrder = false;
    int displayFilesizesAs = 3; // 1 bytes, 2 KB, 3 MB, 4 GB, 5 mixed
    bool retainAutonumber = false;
    bool extractExifData = false;
    bool extractId3Data = false;
    bool autoSelectEntries = false;
    bool ignoreFolderExtensions = true;
    bool ignoreFileExtensions = false;
    bool logicalSorting = false;
    int colourNewNameOk = 32772; // 0x00BBGGRR
    int colourNewNameInvalid = 255;
    int colourActiveCriteria = 17919;
    int sortColumn = 0;
    bool sortDir = true;
    bool desktopRoot = false; // read, never written
};

// One key of section "Preferences" and the field it loads.
struct PREFERENCEBINDING {
    const char* key;
    bool written; // false for a key that is only ever read
    std::variant<QString PREFERENCES::*, bool PREFERENCES::*, int PREFERENCES::*> field;
    int minimum = 0; // the range a number key may be set to (check boxes 0 and 1)
    int maximum = 1;

    QString Key() const { return QLatin1String(key); }
    bool IsText() const { return std::holds_alternative<QString PREFERENCES::*>(field); }
};

// In the order the preferences file is written, the read-only key last.
std::span<const PREFERENCEBINDING> PreferenceBindings();
// The key compared without regard to case; nullptr when there is no such preference.
const PREFERENCEBINDING* FindPreference(QStringView key);
// Text keys take the text as given; number keys a decimal number within the key's range
// (false otherwise).
bool SetPreferenceValue(PREFERENCES& preferences, const PREFERENCEBINDING& binding,
                        const QString& value);
QString PreferenceValue(const PREFERENCES& preferences, const PREFERENCEBINDING& binding);
// A number key's value as the preferences file holds it (a yes/no key as 0 or 1), and back.
int PreferenceNumber(const PREFERENCES& preferences, const PREFERENCEBINDING& binding);
void SetPreferenceNumber(PREFERENCES& preferences, const PREFERENCEBINDING& binding, int number);
