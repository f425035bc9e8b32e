// SPDX-License-Identifier: GPL-3.0-or-later
#include "attributesandtimes.h"

#include "platform/attributes.h"
#include "platform/filechanges.h"
#include "platform/filestatus.h"

TimeValue AppliedTime(TimestampMode mode, TimeValue asRead, TimeValue other, TimeValue dateTaken,
                      TimeValue fixed, qint64 delta, bool negative, TimeValue now) {
    const TimeValue source =
        PendingTime(mode, asRead, other, dateTaken, fixed, delta, negative, now);
    return source != 0 ? source : asRead;
}

namespace {

void ApplyTimes(CFileList& list, int item, const QByteArray& path, TimeValue dateTaken,
                const CHANGESETTINGS& s, TimeValue now) {
    FILESTATUS status;
    if (!ReadFileStatus(path, status))
        return;
    // The creation time is worked out even where it cannot be written, because the
    // modified and accessed times may copy it.
    const TimeValue created = AppliedTime(s.createdMode, status.created, status.modified, dateTaken,
                                          s.createdFixed, s.createdDelta, s.createdNegative, now);
    const TimeValue modified =
        AppliedTime(s.modifiedMode, status.modified, created, dateTaken, s.modifiedFixed,
                    s.modifiedDelta, s.modifiedNegative, now);
    const TimeValue accessed =
        AppliedTime(s.accessedMode, status.accessed, created, dateTaken, s.accessedFixed,
                    s.accessedDelta, s.accessedNegative, now);
    if (!WriteFileTimes(path, accessed, modified))
        return;
    list.CommitCreated(item, CanWriteCreationTime() ? created : status.created);
    list.CommitModified(item, modified);
    list.CommitAccessed(item, accessed);
}

} // namespace

void ApplyAttributesAndTimes(CFileList& list, int item, const QByteArray& nativePath,
                             quint32 attributesBefore, TimeValue dateTaken,
                             const CHANGESETTINGS& settings, TimeValue now) {
    if (settings.attributeFlags != 0 && attributesBefore != kInvalidAttributes) {
        const quint32 attributes = PendingAttributes(attributesBefore, settings.attributeFlags);
        if (WriteReadOnly(nativePath, attributes & AttrReadOnly))
            list.CommitAttributes(item, attributes);
    }
    // The owner may set the times of a read-only file, so no write bit needs to be lent.
    if (settings.ChangesTimes())
        ApplyTimes(list, item, nativePath, dateTaken, settings, now);
}
