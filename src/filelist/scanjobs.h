// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cmetadatareader.h"
#include "fileentry.h"

#include "platform/cdirectoryreader.h"

#include <QByteArray>
#include <QSharedDataPointer>
#include <QString>

#include <atomic>
#include <memory>
#include <utility>
#include <vector>

// The pieces a folder scan is cut into so that several threads can share it: a folder's
// names are read by one job, then its items are read in slices, each by one job. Every
// job writes only into its own record; the walk hands the results on in the order a
// single thread would have found them.

enum class ScanJobState : int { Queued, Running, Done };

struct SCANFOLDERJOB;

// What a slice found besides entries, at its place among them.
struct SCANMARK {
    size_t position = 0;                  // how many of the slice's entries come before it
    std::unique_ptr<SCANFOLDERJOB> child; // a subfolder, listed here in full
    QString skipPath;                     // else an item that could not be read
    int skipError = 0;
};

// A run of one folder's names, read into entries.
struct SCANSLICEJOB {
    ScanJobState state = ScanJobState::Queued; // guarded by the walk's lock
    qsizetype begin = 0;                       // the names [begin, end) of the folder
    qsizetype end = 0;
    std::vector<FILEENTRY> entries;
    std::vector<SCANMARK> marks; // by position
};

// One folder: opened and its names read by its own job, its items by its slices.
struct SCANFOLDERJOB {
    explicit SCANFOLDERJOB(QByteArray path) : nativePath(std::move(path)) {}

    QByteArray nativePath;
    ScanJobState state = ScanJobState::Queued; // guarded by the walk's lock
    bool opened = false;
    int openError = 0; // when not opened
    int descriptor = -1;
    QSharedDataPointer<ENTRYFOLDER> record; // shared by the folder's entries
    CDirectoryReader reader;
    std::vector<QByteArray> names; // in directory order
    std::vector<SCANSLICEJOB> slices;
    // The last slice to finish closes the folder, so that only folders with work left
    // hold a descriptor.
    std::atomic<size_t> slicesLeft{0};
};

// What each thread of a scan keeps for itself.
struct SCANWORKSPACE {
    // By extension as written; a tree holds few extensions, so a short list serves.
    std::vector<std::pair<QString, QString>> typeNames;
    CMetadataReader metadata;
};
