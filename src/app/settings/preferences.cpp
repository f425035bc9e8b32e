// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences.h"

#include <array>

namespace {

#define QVN_PREF(key, field)                                                                       \
    PREFERENCEBINDING {                                                                            \
        key, true, &PREFERENCES::field                                                             \
    }

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
    QVN_PREF("Display Filesizes As", displayFilesizesAs),
    QVN_PREF("Retain Autonumber", retainAutonumber),
    QVN_PREF("Extract Exif Data", extractExifData),
    QVN_PREF("Extract ID3 Data", extractId3Data),
    QVN_PREF("Auto Select Entries", autoSelectEntries),
    QVN_PREF("Ignore Folder Extensions", ignoreFolderExtensions),
    QVN_PREF("Ignore File Extensions", ignoreFileExtensions),
    QVN_PREF("Logical Sorting", logicalSorting),
    QVN_PREF("Colour New Name OK", colourNewNameOk),
    QVN_PREF("Colour New Name Invalid", colourNewNameInvalid),
    QVN_PREF("Colour Active Criteria", colourActiveCriteria),
    QVN_PREF("Sort Column", sortColumn),
    QVN_PREF("Sort Dir", sortDir),
    PREFERENCEBINDING{"Desktop Root", false, &PREFERENCES::desktopRoot},
};

#undef QVN_PREF

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
    if (!ok)
        return false;
    preferences.*std::get<int PREFERENCES::*>(binding.field) = number;
    return true;
}

QString PreferenceValue(const PREFERENCES& preferences, const PREFERENCEBINDING& binding) {
    if (const auto* text = std::get_if<QString PREFERENCES::*>(&binding.field))
        return preferences.*(*text);
    return QString::number(preferences.*std::get<int PREFERENCES::*>(binding.field));
}
