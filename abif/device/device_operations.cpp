#include "device/device_operations.h"

#include "abiflink.h"
#include "core/library_ui.h"
#include "device/destination_device.h"
#include "device/device_workers.h"
#include "device/progress_dialog.h"
#include "l10n/library_strings.h"

#include <algorithm>
#include <optional>

namespace abif {

namespace {

// Units up to the terminator, never more than `limit`.
std::u16string_view boundedText(const char16_t *text, size_t limit) {
    size_t length = 0;
    while (length < limit && text[length] != 0) ++length;
    return {text, length};
}

DeviceJob newJob(const QString &modelName, int32_t flags, std::u16string password) {
    DeviceJob job;
    job.modelName = modelName;
    job.flags = flags;
    job.password = std::move(password);
    const CDestinationDevice &destination = destinationDevice();
    job.destinationType = destination.type;
    job.destinationName = QString::fromUtf16(destination.name);
    return job;
}

int32_t runJob(DeviceJob &job, DeviceWorker worker) {
    ProgressOptions options;
    options.retryWhileBusy = (job.flags & ABIF_DEVICE_NO_RETRY) == 0;
    // A worker that ends without storing its code ended by an exception; a
    // code left from an earlier run of the same job is no answer to this one.
    job.result = ABIF_E_MEMORY;
    runWithProgress(options, [&](ProgressControl &progress) { worker(progress, job); });
    return job.result;
}

// `data` itself when it is sorted and not also the container the worker
// fills, else a sorted copy kept in `copy`.
const CAbifData &sorted(const CAbifData &data, const CAbifData &filled, std::optional<CAbifData> &copy) {
    if (data.isNormalised() && &data != &filled) return data;
    return copy.emplace(normalisedView(data));
}

int32_t changedParts(const CAbifData &base, const CAbifData &changed) {
    int32_t parts = 0;
    if (!equalByKinds(base, changed, ABIF_KIND_FAX)) parts |= kFaxPartChanged;
    if (!equalByKinds(base, changed, ABIF_KIND_EMAIL)) parts |= kEmailPartChanged;
    if (!equalByKinds(base, changed, ABIF_KIND_SERVER)) parts |= kServerPartChanged;
    return parts;
}

}  // namespace

QString takeModelName(char16_t *buffer) {
    if (buffer[0] == 0) std::copy(std::begin(kDefaultModelName), std::end(kDefaultModelName), buffer);
    const std::u16string_view name = boundedText(buffer, kModelNameUnits - 1);
    return QString::fromUtf16(name.data(), static_cast<qsizetype>(name.size()));
}

std::u16string takePassword(const char16_t *buffer) {
    if (!buffer) return {};
    return std::u16string(boundedText(buffer, kPasswordUnits - 1));
}

int32_t getStatus(const QString &modelName, int32_t flags) {
    DeviceJob job = newJob(modelName, flags, {});
    return runJob(job, ThreadFunc_GetStatus);
}

int32_t certificationPassword(const QString &modelName, int32_t flags, char16_t *password) {
    if (!(flags & ABIF_DEVICE_CERTIFY)) return ABIF_OK;
    DeviceJob job = newJob(modelName, flags, {});
    auto attempt = [&job](std::u16string candidate) {
        job.password = std::move(candidate);
        return runJob(job, ThreadFunc_CertificationPassword);
    };

    const std::u16string given = takePassword(password);
    if ((flags & ABIF_DEVICE_TRY_GIVEN) && !given.empty()) {
        if (const int32_t result = attempt(given); result != ABIF_E_PASSWORD) return result;
    }
    if (flags & ABIF_DEVICE_TRY_PROBE) {
        // A machine without a password takes the probe, and nobody is asked.
        if (const int32_t result = attempt(kProbePassword); result != ABIF_E_PASSWORD) return result;
    }
    const PasswordKind kind =
        (flags & ABIF_DEVICE_ADMIN_PASSWORD) ? PasswordKind::SystemAdministrator : PasswordKind::ScanFaxLock;
    const int prompts = (flags & ABIF_DEVICE_THREE_PROMPTS) ? 3 : 1;
    for (int i = 0; i < prompts; ++i) {
        const std::optional<QString> entered = libraryUi().askPassword(kind);
        if (!entered) return ABIF_E_CANCEL;
        const std::u16string candidate = entered->left(kPasswordUnits - 1).toStdU16String();
        const int32_t result = attempt(candidate);
        if (result == ABIF_OK) {
            std::copy(candidate.begin(), candidate.end(), password);
            password[candidate.size()] = 0;
            return ABIF_OK;
        }
        if (result != ABIF_E_PASSWORD) return result;
        libraryUi().message(loadString(ids::InvalidPassword), MessageButtons::Ok, MessageIcon::Error);
    }
    return ABIF_E_PASSWORD;
}

int32_t readData(const QString &modelName, CAbifData &data, int32_t flags, const std::u16string &password) {
    DeviceJob job = newJob(modelName, flags, password);
    job.data = &data;
    return runJob(job, ThreadFunc_ReadData);
}

int32_t updateData(const QString &modelName, const CAbifData &base, const CAbifData &changed, CAbifData &result,
                   int32_t flags, const std::u16string &password) {
    std::optional<CAbifData> baseCopy, changedCopy;
    DeviceJob job = newJob(modelName, flags & ~kLibraryFlagBits, password);
    // The result is emptied while base and changed are still needed, so a
    // caller passing one container twice must not lose the book to write.
    job.base = &sorted(base, result, baseCopy);
    job.changed = &sorted(changed, result, changedCopy);
    job.flags |= changedParts(*job.base, *job.changed);
    job.data = &result;
    return runJob(job, ThreadFunc_UpdateData);
}

}  // namespace abif
