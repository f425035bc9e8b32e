// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "criteriachoices.h"

#include "platform/timevalue.h"

#include <QString>
#include <QStringView>

// The date moved by offsetHours, as local calendar fields of the process's time zone,
// written in the layout chosen. The fixed layouts put the segment text, taken literally,
// between their fields. Empty when there is no date, the custom format fails
// IsValidDateFormat, the moment cannot be broken down or the text exceeds 127 characters.
QString DateText(TimeValue date, DateFormat format, const QString& segments, bool century,
                 qint32 offsetHours, const QString& custom);

// A custom format may hold a percent sign only before one of "aAbBcdHIjmMpSUwWxXyYzZ%".
bool IsValidDateFormat(QStringView format);
