#include "formats/gad_util.h"

#include "core/diagnostic_log.h"
#include "core/library_ui.h"
#include "formats/file_error.h"
#include "formats/gad_file.h"
#include "formats/locked_file.h"
#include "l10n/library_strings.h"

namespace {

int32_t fileFailure(const char *operation, const QString &path, int error) {
    abif::logError(abif::LogGadFile, "CGADUtil::%s: (%d, 0x%x, %s)\n", operation, abif::fileErrorCause(error),
                   static_cast<unsigned>(error), path.toUtf8().constData());
    return error;
}

int32_t parse(const QByteArray &bytes, CAbifData &data) {
    CGADFile file({reinterpret_cast<const unsigned char *>(bytes.constData()), static_cast<size_t>(bytes.size())});
    return file.readData(data);
}

template <class Record> void takeLimit(CAbifData &target, const CAbifData &source) {
    target.array<Record>().setLimit(source.array<Record>().limit());
}

// Whether the file now holds something else than the caller read. A file
// that holds nothing (missing or emptied) is unchanged only for a caller who
// read no records; one that cannot be read, or holds more records than the
// base can, cannot be what the caller read.
bool changedSince(const CAbifData &base, const QByteArray &current) {
    if (current.isEmpty())
        return base.array<CAbifMyFaxData>().count() > 0 || base.array<CAbifMyFaxGroupData>().count() > 0;
    CAbifData onDisk;
    takeLimit<CAbifMyFaxData>(onDisk, base);
    takeLimit<CAbifMyFaxGroupData>(onDisk, base);
    return parse(current, onDisk) != ABIF_OK || !abif::equalByKinds(onDisk, base, ABIF_KIND_MYFAX);
}

bool mayOverwriteChanges(int32_t flags) {
    if (flags & ABIF_GAD_ASK_OVERWRITE)
        return abif::libraryUi().message(abif::loadString(abif::ids::FileWillBeOverwritten),
                                         abif::MessageButtons::OkCancel,
                                         abif::MessageIcon::Warning) == abif::MessageAnswer::Ok;
    return (flags & ABIF_GAD_REFUSE_OVERWRITE) == 0;
}

}  // namespace

int32_t CGADUtil::read(const QString &path, CAbifData &data) {
    QByteArray bytes;
    if (const int error = abif::readWholeFile(path, bytes)) return fileFailure("Read", path, error);
    return parse(bytes, data);
}

int32_t CGADUtil::write(const QString &path, const CAbifData &data) {
    CGADFile file;
    if (const int32_t r = file.writeData(data); r != ABIF_OK) return r;
    abif::LockedFile locked;
    if (const int error = locked.open(path)) return fileFailure("Write", path, error);
    if (const int error = locked.replace(file.output())) return fileFailure("Write", path, error);
    return ABIF_OK;
}

int32_t CGADUtil::update(const QString &path, const CAbifData &base, const CAbifData &edited, CAbifData &output,
                         int32_t flags) {
    // Records the file cannot carry are refused before anyone is asked.
    CGADFile file;
    if (const int32_t r = file.writeData(edited); r != ABIF_OK) return r;

    abif::LockedFile locked;
    if (const int error = locked.open(path)) return fileFailure("Update", path, error);
    QByteArray current;
    if (const int error = locked.readAll(current)) return fileFailure("Update", path, error);
    if (changedSince(base, current) && !mayOverwriteChanges(flags)) return ABIF_E_CANCEL;

    if (const int error = locked.replace(file.output())) return fileFailure("Update", path, error);
    // The new content is in place: a failure from now on would report a
    // saved file as unsaved, so the result comes from the bytes written.
    return parse(file.output(), output);
}
