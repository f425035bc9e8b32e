// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "qvnrequest.h"

#include <QStringList>

// Turns the command line into a request. Settings are applied in the order given, so a
// later --set of the same key wins, as it would in the window.
class COptionParser {
public:
    // False on a usage error; Error() then holds the one-line reason.
    bool Parse(const QStringList& arguments, QVNREQUEST& request);
    const QString& Error() const { return m_error; }

private:
    bool TakeValue(const QStringList& arguments, int& index, const QString& inlineValue,
                   bool hasInline, QString& value);
    bool ApplyOption(const QString& name, const QString& value, QVNREQUEST& request);
    bool AddSetting(const QString& assignment, bool isPreference, QVNREQUEST& request);
    bool ApplyFormat(const QString& value, QVNREQUEST& request);
    bool ApplyColour(const QString& value, QVNREQUEST& request);
    bool ApplyColumns(const QString& value, QVNREQUEST& request);
    bool ApplyDebug(const QString& value, QVNREQUEST& request);
    bool ApplySort(const QString& value, QVNREQUEST& request);
    bool Fail(const QString& reason);

    QString m_error;
};
