// A PC fax address book file as its reader parses it; the file's bytes are
// read whole before parsing, so the reader is fed from memory.
#include "exact_copy.h"
#include "formats/gad_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const auto bytes = fuzz::exactCopy(data, size);
    CGADFile file({bytes.get(), size});
    CAbifData book;
    file.readData(book);
    return 0;
}
