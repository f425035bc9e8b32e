// SPDX-License-Identifier: GPL-3.0-or-later
#include "renametexts.h"

namespace {

template <typename Text> Text WithSuffix(const Text& name, const Text& suffix, qsizetype dot) {
    if (dot < 0)
        return name + suffix;
    return name.left(dot) + suffix + name.mid(dot);
}

} // namespace

QString NewLocationInvalidText(const QString& newLocation) {
    return newLocation + QStringLiteral(" is not a valid Folder - please correct or clear.");
}

QString NewLocationInvalidStatus() {
    return QStringLiteral("New Location is invalid. Please correct or clear.");
}

QString DateWarningText(AutoDateType autoDateType, const CHANGESETTINGS& changes,
                        bool extractExifData) {
    switch (autoDateType) {
    case AutoDateType::CreationNew:
        if (changes.createdMode == TimestampMode::NoChange)
            return QStringLiteral("Warning: You have used the NEW Created Date in your filenames, "
                                  "but have not chosen to assign a new Created date. Continue?");
        break;
    case AutoDateType::ModifiedNew:
        if (changes.modifiedMode == TimestampMode::NoChange)
            return QStringLiteral("Warning: You have used the NEW Modified Date in your filenames, "
                                  "but have not chosen to assign a new Modified date. Continue?");
        break;
    case AutoDateType::AccessedNew:
        if (changes.accessedMode == TimestampMode::NoChange)
            return QStringLiteral("Warning: You have used the NEW Accessed Date in your filenames, "
                                  "but have not chosen to assign a new Accessed date. Continue?");
        break;
    case AutoDateType::Taken:
        if (!extractExifData)
            return QStringLiteral("Warning: You have used the Date Taken Date in your filenames, "
                                  "but have not chosen to extract EXIF data. Continue?");
        break;
    default:
        break;
    }
    return QString();
}

QString RenameCancelledStatus() {
    return QStringLiteral("Rename operation cancelled.");
}

QString RenameNotConfirmedStatus() {
    return QStringLiteral("Rename Operation Cancelled");
}

QString InvalidCharactersText() {
    return QStringLiteral("One or more filenames contains an invalid character. The following "
                          "characters are invalid in Windows filenames: /:*\\?\"<>|");
}

QString ConfirmRenameMessage(int selectedCount, const CHANGESETTINGS& changes) {
    QString message =
        QStringLiteral("%1 files and/or folders are about to be processed!").arg(selectedCount);
    if (changes.ChangesAnything())
        message += QStringLiteral("\n\nYou have also chosen to update attributes and/or the "
                                  "created/modified/last-accessed dates.");
    return message;
}

QString ConfirmRenameText() {
    return QStringLiteral("Please double-check that the files and/or folders you have selected "
                          "are correct, and that the new filenames are as you intended.\n\nThis "
                          "is your last opportunity to cancel!");
}

QString RefreshingStatus() {
    return QStringLiteral("Refreshing the list to update timestamp information...");
}

QString GeneratingListStatus() {
    return QStringLiteral("Generating list of files for processing...");
}

QString RenamingStatus() {
    return QStringLiteral("Renaming Files and Folders...Please Wait...");
}

QString ProcessedStatus(int processed) {
    return QStringLiteral("Processed %1 files...").arg(processed);
}

QString FailedEntryText(const QString& oldPath, const QString& newPath,
                        const FILEOPRESULT& result) {
    QString text = QStringLiteral("Item '") + oldPath + QStringLiteral("' could not be renamed.");
    if (result.AlreadyExists())
        text += QStringLiteral("\nTarget item '") + newPath + QStringLiteral("' already exists.");
    else
        text += QStringLiteral("\nError Code: ") + result.errorText;
    return text + QStringLiteral("\n\nIgnore this error and continue processing?");
}

QString CompletionText(int processed, int renamed) {
    if (processed == renamed)
        return QStringLiteral("%1 item(s) successfully processed.").arg(renamed);
    return QStringLiteral(
               "%1 item(s) processed, %2 item(s) renamed. %3 item(s) required no name change.")
        .arg(processed)
        .arg(renamed)
        .arg(processed - renamed);
}

QString JournalUnwritableText(const QString& reason) {
    return QStringLiteral("The undo journal cannot be written (") + reason +
           QStringLiteral("). Rename without crash-safe undo?");
}

QString DuplicateCandidate(const QString& newName, int n) {
    return WithSuffix(newName, QLatin1Char('_') + QString::number(n),
                      newName.lastIndexOf(QLatin1Char('.')));
}

QByteArray DuplicateCandidate(const QByteArray& newName, int n) {
    return WithSuffix(newName, '_' + QByteArray::number(n), newName.lastIndexOf('.'));
}
