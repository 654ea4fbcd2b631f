// A CSV file read record by record after its encoding is decided.
#include "exact_copy.h"
#include "formats/csv_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const auto bytes = fuzz::exactCopy(data, size);
    abif::ByteSource source(QByteArrayView(bytes.get(), static_cast<qsizetype>(size)));
    CCSVFile file(source);
    if (!file.detectEncoding()) return 0;
    QStringList fields;
    while (file.readRecord(fields) >= 0) {
    }
    return 0;
}
