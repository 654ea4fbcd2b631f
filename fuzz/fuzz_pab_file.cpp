// A whole backup file as a restore reads it: print-job lines, header, body and
// closing sequence. The reader takes a path, so every input is written to one
// in-memory file that is reused. Half the mutations get their checksums set
// right again, or hardly any would pass the header.
#include "formats/pab_backup_container.h"
#include "formats/pab_backup_layout.h"
#include "formats/pab_file.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>

extern "C" size_t LLVMFuzzerMutate(uint8_t *data, size_t size, size_t maxSize);

namespace {

namespace backup = abif::backup;

// Sets the body and header checksums of the first header in `data`, taking
// the header at the tag and the body after it, as long as it says or fits.
void setChecksums(uint8_t *data, size_t size) {
    const std::string_view all(reinterpret_cast<const char *>(data), size);
    const size_t at = all.find(backup::tag);
    if (at == std::string_view::npos || size - at < backup::headerSize) return;
    uint8_t *header = data + at;
    const size_t bodySize = std::min<size_t>(qFromBigEndian<uint32_t>(header + backup::headerBodyLength),
                                             size - at - backup::headerSize);
    qToBigEndian(backup::wordSum(header + backup::headerSize, bodySize), header + backup::headerBodyChecksum);
    qToBigEndian(backup::wordSum(header, backup::headerChecksum), header + backup::headerChecksum);
}

QString inMemoryFile(int &fd) {
    fd = memfd_create("fuzz_pab_file", MFD_CLOEXEC);
    if (fd < 0) abort();
    return QStringLiteral("/proc/self/fd/%1").arg(fd);
}

}  // namespace

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t *data, size_t size, size_t maxSize, unsigned int seed) {
    size = LLVMFuzzerMutate(data, size, maxSize);
    if (seed % 2 == 0) setChecksums(data, size);
    return size;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static int fd = -1;
    static const QString path = inMemoryFile(fd);
    if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) abort();
    CAbifData container;
    abif::CPabFile::restore(path, container);
    return 0;
}
