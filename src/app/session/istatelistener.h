// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "filelist/ilistnotices.h"
#include "rename/iprompts.h"

#include <QString>

// What keeps the program state busy; while one is in progress the others are refused.
enum class Activity : int { None, Listing, Renaming, Undoing, UndoingJournal };

// How far a long activity has come. `total` is 0 while it is not known (a listing knows
// only how many entries it has found so far).
struct PROGRESS {
    Activity activity = Activity::None;
    qint64 done = 0;
    qint64 total = 0;
    QString what; // a listing: the folder being scanned
};

// The one way a front end is told what the program state does: the row notices of its
// file list (IListNotices), status texts, progress, busy on and off, and a waiting
// refresh request. Questions to the user stay on IPrompts. Every notice is given on the
// thread that calls into the state, except the listing notify (see
// CProgramState::SetListingNotify), which is not part of this interface.
class IStateListener : public IListNotices {
public:
    // With a listener set, status texts come here instead of IPrompts::SetStatus.
    virtual void StatusChanged(StatusPane pane, const QString& text) {
        Q_UNUSED(pane);
        Q_UNUSED(text);
    }
    virtual void ProgressChanged(const PROGRESS& progress) { Q_UNUSED(progress); }
    // Activity::None when the state is idle again.
    virtual void BusyChanged(Activity activity) { Q_UNUSED(activity); }
    // A refresh request is waiting (told once until it is taken): schedule a call to
    // CProgramState::RefreshIfRequested on the event loop, so that a burst of requests
    // leads to one refresh.
    virtual void RefreshRequested() {}
};
