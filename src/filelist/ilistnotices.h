// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFlags>

// What changed in a range of rows; a table model maps these onto its columns.
enum class RowChange : int {
    Names = 0x1,      // name, new name and what follows from them (affected, invalid)
    Times = 0x2,      // created, modified, accessed, current or pending
    Attributes = 0x4, // current or pending attributes
    Selection = 0x8,
};
Q_DECLARE_FLAGS(RowChanges, RowChange)
Q_DECLARE_OPERATORS_FOR_FLAGS(RowChanges)

// How the file list tells a view about its rows. Structural changes come as a pair, one
// notice before and one after, so that a Qt model can call its begin…/end… functions;
// ranges are inclusive row indices. Within a batch (CFileList::BeginBatch) changes of
// rows are gathered and told once, as one range, when the batch ends. Every notice is
// given on the thread that changed the list (the owner's thread).
class IListNotices {
public:
    virtual ~IListNotices() = default;

    virtual void ListAboutToReset() {}
    virtual void ListReset() {}
    virtual void RowsAboutToBeInserted(int first, int last) {
        Q_UNUSED(first);
        Q_UNUSED(last);
    }
    virtual void RowsInserted(int first, int last) {
        Q_UNUSED(first);
        Q_UNUSED(last);
    }
    virtual void RowsAboutToBeRemoved(int first, int last) {
        Q_UNUSED(first);
        Q_UNUSED(last);
    }
    virtual void RowsRemoved(int first, int last) {
        Q_UNUSED(first);
        Q_UNUSED(last);
    }
    virtual void RowsChanged(int first, int last, RowChanges changes) {
        Q_UNUSED(first);
        Q_UNUSED(last);
        Q_UNUSED(changes);
    }
};
