// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/namegenerator.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <initializer_list>

// Sets criteria of one favourites section from "Key=value" entries (the value may hold
// further equals signs). False on an unknown key or a value the record refuses.
bool ApplySettings(RenameCriteria& criteria, const QString& section, const QStringList& settings);

// The input the preview refresh would build for a file of that name.
NAMEINPUT InputFor(const QString& name);

// GenerateNewName with the word lists taken from the criteria.
QString Generate(const RenameCriteria& criteria, NAMEINPUT input,
                 const NAMEOPTIONS& options = NAMEOPTIONS());

// Test tables write their texts as UTF-8 literals.
QStringList Settings(std::initializer_list<const char*> items);

// Sets the process time zone for the lifetime of the object and restores the one before.
class CTimeZoneScope {
public:
    explicit CTimeZoneScope(const char* zone);
    ~CTimeZoneScope();
    CTimeZoneScope(const CTimeZoneScope&) = delete;
    CTimeZoneScope& operator=(const CTimeZoneScope&) = delete;

private:
    QByteArray m_saved;
    bool m_wasSet;
};

// The moment whose UTC calendar fields are these.
TimeValue UtcMoment(int year, int month, int day, int hour, int minute, int second);
// The moment whose local calendar fields, in the current process time zone, are these.
TimeValue LocalMoment(int year, int month, int day, int hour, int minute, int second);
