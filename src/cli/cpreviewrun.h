// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "qvnrequest.h"

#include "app/session/cprogramstate.h"

#include <QByteArray>

// Lists the folder as the window lists it, through the program state's listing, selects
// every entry and refreshes the preview once; what the window would show goes through
// the state's prompts and listener.
class CPreviewRun {
public:
    CPreviewRun(const QVNREQUEST& request, QByteArray nativeFolder);

    // False when the folder cannot be listed; Error() says why.
    bool Run(CProgramState& state);
    const QString& Error() const { return m_error; }

private:
    bool List(CProgramState& state);

    const QVNREQUEST& m_request;
    QByteArray m_folder;
    QString m_error;
};
