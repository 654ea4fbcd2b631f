// C exports of the record container.
#include "core/abif_data.h"
#include "core/export_guard.h"
#include "core/live_containers.h"

#include <memory>

namespace {

template <class Record> int32_t addRecords(CAbifData *handle, int32_t count, const Record *records) {
    CAbifData *data = abif::checkedContainer(handle);
    if (!data) return ABIF_E_HANDLE;
    if (!records) return ABIF_E_NULL;
    if (count <= 0) return ABIF_OK;
    return abif::guardedExport(
        [&] { return data->array<Record>().append({records, static_cast<size_t>(count)}) ? ABIF_OK : ABIF_E_LIMIT; });
}

template <class Record> int32_t getRecord(CAbifData *handle, int32_t index, Record *record) {
    CAbifData *data = abif::checkedContainer(handle);
    if (!data) return ABIF_E_HANDLE;
    if (!record) return ABIF_E_NULL;
    const auto &array = data->array<Record>();
    if (index < 0 || index >= array.count()) return ABIF_E_INDEX;
    *record = array.at(index);
    return ABIF_OK;
}

template <class Record> int32_t countRecords(CAbifData *handle) {
    CAbifData *data = abif::checkedContainer(handle);
    return data ? data->array<Record>().count() : ABIF_E_HANDLE;
}

template <class Record> int32_t setLimit(CAbifData *handle, int32_t limit) {
    CAbifData *data = abif::checkedContainer(handle);
    if (!data) return ABIF_E_HANDLE;
    data->array<Record>().setLimit(limit);
    return ABIF_OK;
}

}  // namespace

extern "C" {

ABIF_API CAbifData *ABIFData_Create(void) {
    try {
        return abif::liveContainers().add(std::make_unique<CAbifData>());
    } catch (...) {
        return nullptr;
    }
}

ABIF_API void ABIFData_Delete(CAbifData *handle) { abif::liveContainers().remove(handle); }

#define ABIF_DEFINE_KIND(Kind, Record)                                                                   \
    ABIF_API int32_t ABIFData_Add_##Kind(CAbifData *data, int32_t count, const Record *records) {        \
        return addRecords(data, count, records);                                                         \
    }                                                                                                    \
    ABIF_API int32_t ABIFData_GetAt_##Kind(CAbifData *data, int32_t index, Record *record) {             \
        return getRecord(data, index, record);                                                           \
    }                                                                                                    \
    ABIF_API int32_t ABIFData_GetCount_##Kind(CAbifData *data) { return countRecords<Record>(data); }    \
    ABIF_API int32_t ABIFData_SetLimit_##Kind(CAbifData *data, int32_t limit) {                          \
        return setLimit<Record>(data, limit);                                                            \
    }

ABIF_DEFINE_KIND(MyFax, CAbifMyFaxData)
ABIF_DEFINE_KIND(MyFaxGroup, CAbifMyFaxGroupData)
ABIF_DEFINE_KIND(Fax, CAbifFaxData)
ABIF_DEFINE_KIND(FaxGroup, CAbifFaxGroupData)
ABIF_DEFINE_KIND(EMail, CAbifEMailData)
ABIF_DEFINE_KIND(EMailGroup, CAbifEMailGroupData)
ABIF_DEFINE_KIND(ServerAddress, CAbifServerAddressData)
ABIF_DEFINE_KIND(EMailSubject, CAbifEMailSubjectData)
ABIF_DEFINE_KIND(EMailBody, CAbifEMailBodyData)

}  // extern "C"
