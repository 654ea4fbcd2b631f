#include "formats/pab_file.h"

#include "core/blowfish.h"
#include "core/diagnostic_log.h"
#include "formats/pab_backup_container.h"
#include "formats/file_error.h"
#include "formats/locked_file.h"
#include "formats/pab_backup_layout.h"
#include "formats/pab_file_io.h"

#include <QtEndian>

#include <cstring>

namespace abif {

using namespace backup;

namespace {

void append(std::vector<uint8_t> &out, std::string_view text) { out.insert(out.end(), text.begin(), text.end()); }

// The log line of a file that cannot be created, opened, read or written.
int32_t fileFailure(const char *operation, const QString &path, int systemError) {
    logError(LogBackup, "CPabUtil::%s: (%d, 0x%x, %s)\n", operation, fileErrorCause(systemError),
             static_cast<unsigned>(systemError), path.toUtf8().constData());
    return systemError;
}

Blowfish backupCipher() { return Blowfish(BackupKey.data(), static_cast<int>(BackupKey.size()), WordOrder::BigEndian); }

// Skips the print-job lines up to the language line; each must start with "@".
int32_t skipJobLines(FileInput &in) {
    QByteArray line;
    for (;;) {
        if (in.readLine(line, 128) != 0 || !line.startsWith(lineMark)) return ABIF_E_FORMAT;
        if (QString::fromLocal8Bit(line.mid(1)).startsWith(QLatin1String(languageCommand.data(), languageCommand.size())))
            return ABIF_OK;
    }
}

int32_t expectExitSequence(FileInput &in) {
    uint8_t bytes[exitSequence.size()];
    if (in.read(bytes, sizeof bytes) != 0) return ABIF_E_FORMAT;
    return std::memcmp(bytes, exitSequence.data(), sizeof bytes) == 0 ? ABIF_OK : ABIF_E_FORMAT;
}

int32_t checkHeader(const uint8_t *header) {
    if (wordSum(header, headerChecksum) != qFromBigEndian<uint32_t>(header + headerChecksum)) return ABIF_E_FORMAT;
    if (std::memcmp(header + headerTag, tag.data(), tag.size()) != 0) return ABIF_E_FORMAT;
    return qFromBigEndian<uint32_t>(header + headerFormat) == formatConstant ? ABIF_OK : ABIF_E_FORMAT;
}

// Checks the body against its header and deciphers it in place.
int32_t openBody(const uint8_t *header, std::vector<uint8_t> &body) {
    if (wordSum(body.data(), body.size()) != qFromBigEndian<uint32_t>(header + headerBodyChecksum))
        return ABIF_E_FORMAT;
    const uint32_t cipher = qFromBigEndian<uint32_t>(header + headerCipherType);
    if (cipher == cipherBlowfish) {
        // Whole blocks only: deciphering a partial one would read past the body.
        if (body.size() % 8 != 0) return ABIF_E_FORMAT;
        backupCipher().decipher(body.data(), body.data(), body.size());
    } else if (cipher != cipherNone) {
        return ABIF_E_FORMAT;
    }
    return ABIF_OK;
}

// Steps of a restore; file failures surface through `in.error()`.
int32_t readBackup(FileInput &in, CAbifData &data) {
    if (const int32_t r = expectExitSequence(in)) return r;
    if (const int32_t r = skipJobLines(in)) return r;
    uint8_t header[headerSize];
    if (in.read(header, sizeof header) != 0) return ABIF_E_FORMAT;
    if (const int32_t r = checkHeader(header)) return r;

    // The length is checked against the file before anything that size exists.
    const uint32_t length = qFromBigEndian<uint32_t>(header + headerBodyLength);
    if (length > in.remaining()) return ABIF_E_FORMAT;
    std::vector<uint8_t> body(length);
    if (in.read(body.data(), body.size()) != 0) return ABIF_E_FORMAT;

    if (const int32_t r = openBody(header, body)) {
        data.clearAll();
        return r;
    }
    CAbifData restored;
    restored.array<CAbifFaxData>().setLimit(data.array<CAbifFaxData>().limit());
    restored.array<CAbifFaxGroupData>().setLimit(data.array<CAbifFaxGroupData>().limit());
    const int32_t read = readContainer(body.data(), body.size(), restored);
    // Refused before the container changes: saved to a machine, such a book
    // would fail or clear slots nobody asked for.
    if (read == ABIF_OK && !machineCanHold(restored)) return ABIF_E_FORMAT;
    data.clearAll();
    data.appendAll(restored);  // same limits, so nothing is dropped
    data.normalise();
    if (read != ABIF_OK) return read;
    return expectExitSequence(in);
}

}  // namespace

int32_t CPabFile::makeImage(const CAbifData &data, const QDateTime &stamp, std::vector<uint8_t> &image) {
    std::vector<uint8_t> body;
    const int32_t built = data.isNormalised() ? makeContainer(data, body) : makeContainer(normalisedView(data), body);
    if (built != ABIF_OK) return built;
    backupCipher().encipher(body.data(), body.data(), body.size());

    const QByteArray digits = stamp.toString(QLatin1String(stampFormat)).toLatin1();
    const std::string_view stampText(digits.constData(), static_cast<size_t>(digits.size()));
    std::vector<uint8_t> header(headerSize, 0);
    std::memcpy(header.data() + headerTag, tag.data(), tag.size());
    std::memcpy(header.data() + headerStamp, digits.constData(), std::min<size_t>(digits.size(), tagFieldSize));
    qToBigEndian(formatConstant, header.data() + headerFormat);
    qToBigEndian(static_cast<uint32_t>(body.size()), header.data() + headerBodyLength);
    qToBigEndian(wordSum(body.data(), body.size()), header.data() + headerBodyChecksum);
    qToBigEndian(cipherBlowfish, header.data() + headerCipherType);
    qToBigEndian(wordSum(header.data(), headerChecksum), header.data() + headerChecksum);

    image.clear();
    append(image, exitSequence);
    append(image, firstLine);
    append(image, buildLine);
    append(image, stampText);
    append(image, "\r\n");
    append(image, versionLine);
    append(image, stampText);
    append(image, "\r\n");
    append(image, languageLine);
    image.insert(image.end(), header.begin(), header.end());
    image.insert(image.end(), body.begin(), body.end());
    append(image, exitSequence);
    return ABIF_OK;
}

int32_t CPabFile::backup(const QString &path, const CAbifData &data) {
    std::vector<uint8_t> image;
    if (const int32_t r = makeImage(data, QDateTime::currentDateTime(), image)) return r;
    if (const int error = writeWholeFile(path, QByteArrayView(image.data(), static_cast<qsizetype>(image.size()))))
        return fileFailure("DoBackup", path, error);
    return ABIF_OK;
}

int32_t CPabFile::restore(const QString &path, CAbifData &data) {
    FileInput in(path);
    if (in.error()) return fileFailure("DoRestore", path, in.error());
    const int32_t result = readBackup(in, data);
    if (in.error()) return fileFailure("DoRestore", path, in.error());
    return result;
}

}  // namespace abif
