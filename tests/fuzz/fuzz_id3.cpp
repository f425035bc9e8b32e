// SPDX-License-Identifier: GPL-3.0-or-later
#include "filelist/cid3reader.h"
#include "filelist/cmemorybytesource.h"

#include <cstdlib>

// Each input is read twice by one reader, the second time after a read of a file with a
// tag, so that anything carried over from one file to the next shows.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    CId3Reader reader;
    const bool first = reader.ReadFrom(CMemoryByteSource(bytes));
    const QString title = reader.Title();
    const quint32 track = reader.Track();
    QByteArray tagged(128, 'x');
    tagged.replace(0, 3, "TAG");
    if (!reader.ReadFrom(CMemoryByteSource(tagged)))
        std::abort();
    const bool second = reader.ReadFrom(CMemoryByteSource(bytes));
    if (first != second || title != reader.Title() || track != reader.Track())
        std::abort();
    if (!first && (!title.isEmpty() || track != 0 || !reader.Artist().isEmpty()))
        std::abort();
    return 0;
}
