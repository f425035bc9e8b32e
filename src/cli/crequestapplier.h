// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "qvnrequest.h"

#include "app/session/cprogramstate.h"

#include <QMap>

// Puts a request's settings into the program state, in this order: the preferences file,
// the favourite, every --set and --pref as given, --match-case and the rename pairs. A
// missing file or an unknown key is a usage error here, where the window would quietly
// use defaults: a typo must not rename with criteria nobody chose.
class CRequestApplier {
public:
    bool Apply(const QVNREQUEST& request, CProgramState& state);
    const QString& Error() const { return m_error; }

private:
    bool CheckInputFiles(const QVNREQUEST& request);
    bool ApplySet(const QString& assignment, CProgramState& state);
    bool ApplyChangeSetting(const QString& key, const QString& value, CProgramState& state);
    bool ApplyTranslation(const QString& key, const QString& line);
    bool ApplyPreference(const QString& assignment, CProgramState& state);
    void UseTranslations(CProgramState& state) const;
    bool Fail(const QString& reason);

    QMap<int, QString> m_translationLines;
    QString m_error;
};
