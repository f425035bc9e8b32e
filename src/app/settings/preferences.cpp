// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences.h"

#include <array>

namespace {

#define QVN_PREF(key, field)                                                                       \
    PREFERENCEBINDING {                                                                            \
        key, true, &PREFERENCES::field, 0, 1                                                       \
    }
#define QVN_PREF_RANGE(key, field, minimum, maximum)                                               \
    PREFERENCEBINDING {                                                                            \
        key, true, &PREFERENCES::field, minimum, maximum                                           \
    }

// Colours are 0x00BBGGRR values; the sort column is one of the twelve list columns.
constexpr int kMostColour = 0xFFFFFF;
constexpr int kLastListColumn = 11;

const std::array kBindings{
    QVN_PREF("Favourite Path", favouritePath),
    QVN_PREF("Rename Pairs Path", renamePairsPath),
    QVN_PREF("Auto Save Favourite On Exit", autoSaveFavouriteOnExit),
    QVN_PREF("Store Favourite Pathnames", storeFavouritePathnames),
    QVN_PREF("Display Icons", displayIcons),
    QVN_PREF("Highlight Active Criteria", highlightActiveCriteria),
    QVN_PREF("Display Warning Message", displayWarningMessage),
    QVN_PREF("Display Confirmation Message", displayConfirmationMessage),
    QVN_PREF("Display Gridlines", displayGridlines),
    QVN_PREF("Display Picture Viewer", displayPictureViewer),
    QVN_PREF("Group Affected Files", groupAffectedFiles),
    QVN_PREF("Sort FF Together", sortFilesAndFoldersTogether),
    QVN_PREF("Full Row Select", fullRowSelect),
    QVN_PREF("Overwrite Target Files", overwriteTargetFiles),
    QVN_PREF("Log Activity", logActivity),
    QVN_PREF("New Location Copy Not Move", newLocationCopyNotMove),
    QVN_PREF("Prevent Duplicates", preventDuplicates),
    QVN_PREF("Reverse Order", reverseOrder),
    QVN_PREF_RANGE("Display Filesizes As", displayFilesizesAs, 1, 5),
    QVN_PREF("Retain Autonumber", retainAutonumber),
    QVN_PREF("Extract Exif Data", extractExifData),
    QVN_PREF("Extract ID3 Data", extractId3Data),
    QVN_PREF("Auto Select Entries", autoSelectEntries),
    QVN_PREF("Ignore Folder Extensions", ignoreFolderExtensions),
    QVN_PREF("Ignore File Extensions", ignoreFileExtensions),
    QVN_PREF("Logical Sorting", logicalSorting),
    QVN_PREF_RANGE("Colour New Name OK", colourNewNameOk, 0, kMostColour),
    QVN_PREF_RANGE("Colour New Name Invalid", colourNewNameInvalid, 0, kMostColour),
    QVN_PREF_RANGE("Colour Active Criteria", colourActiveCriteria, 0, kMostColour),
    QVN_PREF_RANGE("Sort Column", sortColumn, 0, kLastListColumn),
    QVN_PREF("Sort Dir", sortDir),
    PREFERENCEBINDING{"Desktop Root", false, &PREFERENCES::desktopRoot, 0, 1},
};

#undef QVN_PREF
#undef QVN_PREF_RANGE

} // namespace

std::span<const PREFERENCEBINDING> PreferenceBindings() {
    return kBindings;
}

const PREFERENCEBINDING* FindPreference(QStringView key) {
    for (const PREFERENCEBINDING& binding : kBindings) {
        if (key.compare(QLatin1String(binding.key), Qt::CaseInsensitive) == 0)
            return &binding;
    }
    return nullptr;
}

bool SetPreferenceValue(PREFERENCES& preferences, const PREFERENCEBINDING& binding,
                        const QString& value) {
    if (const auto* text = std::get_if<QString PREFERENCES::*>(&binding.field)) {
        preferences.*(*text) = value;
        return true;
    }
    bool ok = false;
    const int number = value.trimmed().toInt(&ok);
    if (!ok || number < binding.minimum || number > binding.maximum)
        return false;
    SetPreferenceNumber(preferences, binding, number);
    return true;
}

QString PreferenceValue(const PREFERENCES& preferences, const PREFERENCEBINDING& binding) {
    if (const auto* text = std::get_if<QString PREFERENCES::*>(&binding.field))
        return preferences.*(*text);
    return QString::number(PreferenceNumber(preferences, binding));
}

int PreferenceNumber(const PREFERENCES& preferences, const PREFERENCEBINDING& binding) {
    if (const auto* yesNo = std::get_if<bool PREFERENCES::*>(&binding.field))
        return preferences.*(*yesNo) ? 1 : 0;
    return preferences.*std::get<int PREFERENCES::*>(binding.field);
}

void SetPreferenceNumber(PREFERENCES& preferences, const PREFERENCEBINDING& binding, int number) {
    if (const auto* yesNo = std::get_if<bool PREFERENCES::*>(&binding.field))
        preferences.*(*yesNo) = number != 0;
    else
        preferences.*std::get<int PREFERENCES::*>(binding.field) = number;
}
