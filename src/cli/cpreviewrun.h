// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "qvnrequest.h"

#include "app/session/cprogramstate.h"

#include <QByteArray>
#include <QList>

// Lists what was named as the window lists it, through the program state's listing,
// selects every entry and refreshes the preview once; what the window would show goes
// through the state's prompts and listener. One folder (or none: the current folder) is
// listed as the window lists a folder; several paths, or a file, as named paths.
class CPreviewRun {
public:
    // `listGiven`: the paths came from a list, so that none means an empty listing rather
    // than the current folder.
    CPreviewRun(const QVNREQUEST& request, QList<QByteArray> nativePaths, bool listGiven);

    // False when a path cannot be listed; Error() says why.
    bool Run(CProgramState& state);
    const QString& Error() const { return m_error; }

private:
    [[nodiscard]] bool ListsOneFolder() const;
    bool ListFolder(CProgramState& state);

    const QVNREQUEST& m_request;
    QList<QByteArray> m_paths;
    bool m_listGiven;
    QString m_error;
};
