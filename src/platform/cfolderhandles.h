// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>

// Open descriptors of the folders that many calls name things in, so that each call
// resolves one name inside an open folder instead of walking the whole path again. A
// descriptor follows its folder wherever it moves, which a path does not: whoever moves
// or replaces a folder must Forget the handles before the next call.
class CFolderHandles {
public:
    // The most folders kept open at once; past that the oldest ones are closed.
    static constexpr int kMostOpen = 64;

    CFolderHandles() = default;
    ~CFolderHandles();
    CFolderHandles(const CFolderHandles&) = delete;
    CFolderHandles& operator=(const CFolderHandles&) = delete;

    // The descriptor of the folder `path` lies in, and in `name` its last part (pointing
    // into `path`, so valid while `path` is); -1 when the path has no folder part or a
    // name that cannot be resolved on its own ("", "." or ".."), or the folder cannot be
    // opened. The caller then uses the whole path.
    [[nodiscard]] int FolderOf(const QByteArray& path, const char*& name);
    void Forget();

private:
    QHash<QByteArray, int> m_open;
};
