// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "qvnrequest.h"

#include "app/session/cprogramstate.h"

#include <QByteArray>

// Lists the folder as the window lists it, sorts, selects every entry and refreshes the
// preview once; what the window would show goes through the state's prompts.
class CPreviewRun {
public:
    CPreviewRun(const QVNREQUEST& request, QByteArray nativeFolder, bool showProgress);

    // False when the folder cannot be listed; Error() says why.
    bool Run(CProgramState& state);
    const QString& Error() const { return m_error; }

private:
    bool CheckFolder();
    void Scan(CProgramState& state) const;
    void Sort(CProgramState& state) const;

    const QVNREQUEST& m_request;
    QByteArray m_folder;
    bool m_showProgress;
    QString m_error;
};
