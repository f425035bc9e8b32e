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
    int autoSaveFavouriteOnExit = 0;
    int storeFavouritePathnames = 0;
    int displayIcons = 1;
    int highlightActiveCriteria = 1;
    int displayWarningMessage = 1;
    int displayConfirmationMessage = 1;
    int displayGridlines = 0;
    int displayPictureViewer = 0;
    int groupAffectedFiles = 0;
    int sortFilesAndFoldersTogether = 0;
    int fullRowSelect = 0;
    int overwriteTargetFiles = 0;
    int logActivity = 0;
    int newLocationCopyNotMove = 0;
    int preventDuplicates = 0;
    int reverseOrder = 0;
    int displayFilesizesAs = 3; // 1 bytes, 2 KB, 3 MB, 4 GB, 5 mixed
    int retainAutonumber = 0;
    int extractExifData = 0;
    int extractId3Data = 0;
    int autoSelectEntries = 0;
    int ignoreFolderExtensions = 1;
    int ignoreFileExtensions = 0;
    int logicalSorting = 0;
    int colourNewNameOk = 32772; // 0x00BBGGRR
    int colourNewNameInvalid = 255;
    int colourActiveCriteria = 17919;
    int sortColumn = 0;
    int sortDir = 1;
    int desktopRoot = 0; // read, never written
};

// One key of section "Preferences" and the field it loads.
struct PREFERENCEBINDING {
    const char* key;
    bool written; // false for a key that is only ever read
    std::variant<QString PREFERENCES::*, int PREFERENCES::*> field;
    int minimum = 0; // the range a number key may be set to (check boxes 0 and 1)
    int maximum = 1;

    QString Key() const { return QLatin1String(key); }
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
