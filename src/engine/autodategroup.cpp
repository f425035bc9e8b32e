// SPDX-License-Identifier: GPL-3.0-or-later
#include "namegroups.h"

#include "datetext.h"

#include "filelist/textrules.h"

void ApplyAutoDateGroup(const GROUPCONTEXT& context, QString& base) {
    const AUTODATECRITERIA& c = context.criteria.autoDate;
    if (context.input.date == 0)
        return;
    const QString date = DateText(context.input.date, c.format, c.segments, c.century,
                                  context.numbers.dateOffset, c.custom);
    // A custom format carries its own separators.
    const QString separator = c.format == DateFormat::Custom ? QString() : c.separator;
    if (c.mode == AutoDateMode::Prefix)
        base = date + separator + base;
    else if (c.mode == AutoDateMode::Suffix)
        base = base + separator + date;
}
