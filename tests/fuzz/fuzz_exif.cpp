// SPDX-License-Identifier: GPL-3.0-or-later
#include "filelist/cexifreader.h"
#include "filelist/cmemorybytesource.h"

#include <cstdlib>

// Each input is read twice by one reader: besides crashes and hangs, a difference between
// the two reads shows state that leaks from one file into the next.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CMemoryByteSource source(
        QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    CExifReader reader;
    const bool first = reader.ReadFrom(source);
    const TimeValue date = reader.DateTaken();
    const EXIFTEXTS texts = reader.Texts();
    const bool second = reader.ReadFrom(source);
    const EXIFTEXTS again = reader.Texts();
    if (first != second || date != reader.DateTaken() || texts.aperture != again.aperture ||
        texts.exposure != again.exposure || texts.exposureBias != again.exposureBias ||
        texts.focalLength != again.focalLength || texts.comment != again.comment)
        std::abort();
    if (!first && (date != 0 || !texts.aperture.isEmpty() || !texts.comment.isEmpty()))
        std::abort();
    return 0;
}
