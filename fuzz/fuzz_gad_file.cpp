// A PC fax address book file as its reader parses it; the file's bytes are
// read whole before parsing, so the reader is fed from memory. Every book the
// reader accepts must be one the writer can write and the reader gets back
// unchanged, or a save of an opened book could fail or alter it.
#include "exact_copy.h"
#include "formats/gad_file.h"

#include <cstdlib>

namespace {

int32_t parse(const uint8_t *data, size_t size, CAbifData &book) {
    const auto bytes = fuzz::exactCopy(data, size);
    CGADFile file({bytes.get(), size});
    return file.readData(book);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    CAbifData first;
    if (parse(data, size, first) != ABIF_OK) return 0;
    CGADFile writer;
    if (writer.writeData(first) != ABIF_OK) abort();
    const QByteArray &image = writer.output();
    CAbifData second;
    if (parse(reinterpret_cast<const uint8_t *>(image.constData()), static_cast<size_t>(image.size()), second) !=
            ABIF_OK ||
        !abif::equalByKinds(first, second, ABIF_KIND_MYFAX))
        abort();
    return 0;
}
