#include "document/record_conversion.h"

#include "abiflink.h"
#include "core/record_text.h"
#include "document/adr_io_result.h"

#include <QDateTime>
#include <QList>

#include <cstring>
#include <new>
#include <type_traits>
#include <vector>

namespace {

using abif::readQString;
using abif::writeText;

// Member ID arrays of packed records may sit at odd addresses: copy bytes.
void putMembers(void *field, size_t fieldBytes, const QList<quint16> &ids) {
    const size_t count = std::min(static_cast<size_t>(ids.size()), fieldBytes / sizeof(quint16));
    std::memcpy(field, ids.constData(), count * sizeof(quint16));
}

// The first `count` IDs of the field; a count past the field's end is cut.
QList<quint16> takeMembers(const void *field, size_t fieldBytes, size_t count) {
    QList<quint16> ids(static_cast<qsizetype>(std::min(count, fieldBytes / sizeof(quint16))));
    std::memcpy(ids.data(), field, static_cast<size_t>(ids.size()) * sizeof(quint16));
    return ids;
}

template <class Group>
void addMembers(Group &group, const QList<quint16> &ids) {
    for (const quint16 id : ids) group.AddMember(id);
}

void toRecord(const CAdrMemberPcFax &e, CAbifMyFaxData &r) {
    r.id = e.GetID();
    writeText(r.name, sizeof r.name, e.GetName());
    writeText(r.faxNumber, sizeof r.faxNumber, e.GetFaxNumber());
    writeText(r.company, sizeof r.company, e.GetCompany());
    writeText(r.note, sizeof r.note, e.GetNote());
    r.commMode = e.GetCommMode();
    r.updatedOn = e.GetUpdatedOn();
}
void fromRecord(const CAbifMyFaxData &r, CAdrMemberPcFax &e) {
    e.SetName(readQString(r.name, sizeof r.name));
    e.SetFaxNumber(readQString(r.faxNumber, sizeof r.faxNumber));
    e.SetCompany(readQString(r.company, sizeof r.company));
    e.SetNote(readQString(r.note, sizeof r.note));
    e.SetCommMode(r.commMode);
    e.SetUpdatedOn(r.updatedOn);
}

void toRecord(const CAdrGroupPcFax &e, CAbifMyFaxGroupData &r) {
    r.id = e.GetID();
    writeText(r.name, sizeof r.name, e.GetName());
    r.updatedOn = e.GetUpdatedOn();
    const QList<quint16> ids = e.GetMemberIDs();
    putMembers(r.members, sizeof r.members, ids);
    r.memberCount = static_cast<uint16_t>(std::min<qsizetype>(ids.size(), sizeof r.members / 2));
}
void fromRecord(const CAbifMyFaxGroupData &r, CAdrGroupPcFax &e) {
    e.SetName(readQString(r.name, sizeof r.name));
    e.SetUpdatedOn(r.updatedOn);
    addMembers(e, takeMembers(r.members, sizeof r.members, r.memberCount));
}

void toRecord(const CAdrMemberAioFax &e, CAbifFaxData &r) {
    r.id = e.GetID();
    writeText(r.name, sizeof r.name, e.GetName());
    writeText(r.faxNumber, sizeof r.faxNumber, e.GetFaxNumber());
}
void fromRecord(const CAbifFaxData &r, CAdrMemberAioFax &e) {
    e.SetName(readQString(r.name, sizeof r.name));
    e.SetFaxNumber(readQString(r.faxNumber, sizeof r.faxNumber));
}

void toRecord(const CAdrGroupAioFax &e, CAbifFaxGroupData &r) {
    r.id = e.GetID();
    writeText(r.name, sizeof r.name, e.GetName());
    const QList<quint16> ids = e.GetMemberIDs();
    putMembers(r.members, sizeof r.members, ids);
    r.memberCount = static_cast<uint16_t>(std::min<qsizetype>(ids.size(), sizeof r.members / 2));
}
void fromRecord(const CAbifFaxGroupData &r, CAdrGroupAioFax &e) {
    e.SetName(readQString(r.name, sizeof r.name));
    addMembers(e, takeMembers(r.members, sizeof r.members, r.memberCount));
}

void toRecord(const CAdrMemberAioEmail &e, CAbifEMailData &r) {
    r.id = e.GetID();
    writeText(r.name, sizeof r.name, e.GetName());
    writeText(r.emailAddress, sizeof r.emailAddress, e.GetEmailAddress());
}

void fromRecord(const CAbifEMailData &r, CAdrMemberAioEmail &e) {
    e.SetName(readQString(r.name, sizeof r.name));
    e.SetEmailAddress(readQString(r.emailAddress, sizeof r.emailAddress));
}

void toRecord(const CAdrGroupAioEmail &e, CAbifEMailGroupData &r) {
    r.id = e.GetID();
    writeText(r.name, sizeof r.name, e.GetName());
    const QList<quint16> ids = e.GetMemberIDs();
    putMembers(r.members, sizeof r.members, ids);
    r.memberCount = static_cast<uint16_t>(std::min<qsizetype>(ids.size(), sizeof r.members / 2));
}

void toRecord(const CAdrMemberAioServer &e, CAbifServerAddressData &r) {
    r.id = e.GetID();
    r.serverType = static_cast<uint8_t>(e.GetServerType() & 0xFF);
    writeText(r.name, sizeof r.name, e.GetName());
    writeText(r.hostName, sizeof r.hostName, e.GetHostName());
    r.portNumber = e.GetPortNumber();
    writeText(r.loginName, sizeof r.loginName, e.GetLoginName());
    writeText(r.loginPassword, sizeof r.loginPassword, e.GetLoginPassword());
    writeText(r.folderPath, sizeof r.folderPath, e.GetFolderPath());
    writeText(r.shareName, sizeof r.shareName, e.GetShareName());
}

// The library's functions for the record kind of each entry kind.
template <class Entry>
struct Kind;
#define ABIF_BRIDGE_KIND(Entry, Record, Name)                                            \
    template <>                                                                          \
    struct Kind<Entry> {                                                                 \
        using RecordType = Record;                                                       \
        static int32_t add(CAbifData *c, int32_t n, const Record *r) { return ABIFData_Add_##Name(c, n, r); } \
        static int32_t getAt(CAbifData *c, int32_t i, Record *r) { return ABIFData_GetAt_##Name(c, i, r); }    \
        static int32_t count(CAbifData *c) { return ABIFData_GetCount_##Name(c); }                           \
    };
ABIF_BRIDGE_KIND(CAdrMemberPcFax, CAbifMyFaxData, MyFax)
ABIF_BRIDGE_KIND(CAdrGroupPcFax, CAbifMyFaxGroupData, MyFaxGroup)
ABIF_BRIDGE_KIND(CAdrMemberAioFax, CAbifFaxData, Fax)
ABIF_BRIDGE_KIND(CAdrGroupAioFax, CAbifFaxGroupData, FaxGroup)
ABIF_BRIDGE_KIND(CAdrMemberAioEmail, CAbifEMailData, EMail)
ABIF_BRIDGE_KIND(CAdrGroupAioEmail, CAbifEMailGroupData, EMailGroup)
ABIF_BRIDGE_KIND(CAdrMemberAioServer, CAbifServerAddressData, ServerAddress)
#undef ABIF_BRIDGE_KIND

}  // namespace

template <class Entry>
quint16 AddEntries(CAbifData *container, const CAdrData &data) {
    using Record = typename Kind<Entry>::RecordType;
    const CAdrMap<Entry> &entries = data.Map<Entry>();
    if (entries.IsEmpty()) return AdrIoOk;
    try {
        std::vector<Record> records(static_cast<size_t>(entries.GetCount()));  // zero-filled
        auto next = records.begin();
        entries.ForEach([&](const Entry &entry) { toRecord(entry, *next++); });
        const int32_t added = Kind<Entry>::add(container, static_cast<int32_t>(records.size()), records.data());
        return added == ABIF_OK ? AdrIoOk : AdrIoConversionFailed;
    } catch (const std::bad_alloc &) {
        return AdrIoConversionFailed;
    }
}

quint16 AddSubComm(CAbifData *container, const CAdrData &data) {
    CAbifEMailSubjectData subject{};
    CAbifEMailBodyData body{};
    writeText(subject.subject, sizeof subject.subject, data.SubComm().subject);
    writeText(body.body, sizeof body.body, data.SubComm().body);
    if (ABIFData_Add_EMailSubject(container, 1, &subject) != ABIF_OK) return AdrIoConversionFailed;
    if (ABIFData_Add_EMailBody(container, 1, &body) != ABIF_OK) return AdrIoConversionFailed;
    return AdrIoOk;
}

template <class Entry>
quint16 TakeRecords(CAbifData *container, CAdrData &data) {
    const int32_t count = Kind<Entry>::count(container);
    for (int32_t i = 0; i < count; ++i) {
        typename Kind<Entry>::RecordType record{};
        if (Kind<Entry>::getAt(container, i, &record) != ABIF_OK) continue;
        try {
            Entry entry;
            entry.SetID(record.id);
            fromRecord(record, entry);
            data.StoreCopy(entry);
        } catch (int) {
            return AdrIoConversionFailed;
        } catch (const std::bad_alloc &) {
            return AdrIoConversionFailed;
        }
    }
    return AdrIoOk;
}

template <class Entry>
quint16 TakeRecordsAsNew(CAbifData *container, CAdrData &data, AdrIdMode mode) {
    const int32_t count = Kind<Entry>::count(container);
    for (int32_t i = 0; i < count; ++i) {
        typename Kind<Entry>::RecordType record{};
        if (Kind<Entry>::getAt(container, i, &record) != ABIF_OK) continue;
        try {
            Entry entry;
            fromRecord(record, entry);
            const quint16 id = data.FindFreeID(Entry::kKind, mode);
            if (id == AdrNoFreeId) return AdrIoNoFreeId;
            entry.SetID(id);
            if constexpr (std::is_same_v<Entry, CAdrMemberPcFax>) entry.SetUpdatedOn(QDateTime::currentSecsSinceEpoch());
            data.StoreCopy(entry);
        } catch (int) {
            return AdrIoConversionFailed;
        } catch (const std::bad_alloc &) {
            return AdrIoConversionFailed;
        }
    }
    return AdrIoOk;
}

template quint16 AddEntries<CAdrMemberPcFax>(CAbifData *, const CAdrData &);
template quint16 AddEntries<CAdrGroupPcFax>(CAbifData *, const CAdrData &);
template quint16 AddEntries<CAdrMemberAioFax>(CAbifData *, const CAdrData &);
template quint16 AddEntries<CAdrGroupAioFax>(CAbifData *, const CAdrData &);
template quint16 AddEntries<CAdrMemberAioEmail>(CAbifData *, const CAdrData &);
template quint16 AddEntries<CAdrGroupAioEmail>(CAbifData *, const CAdrData &);
template quint16 AddEntries<CAdrMemberAioServer>(CAbifData *, const CAdrData &);
template quint16 TakeRecords<CAdrMemberPcFax>(CAbifData *, CAdrData &);
template quint16 TakeRecords<CAdrGroupPcFax>(CAbifData *, CAdrData &);
template quint16 TakeRecords<CAdrMemberAioFax>(CAbifData *, CAdrData &);
template quint16 TakeRecords<CAdrGroupAioFax>(CAbifData *, CAdrData &);
template quint16 TakeRecordsAsNew<CAdrMemberPcFax>(CAbifData *, CAdrData &, AdrIdMode);
template quint16 TakeRecordsAsNew<CAdrMemberAioFax>(CAbifData *, CAdrData &, AdrIdMode);
template quint16 TakeRecordsAsNew<CAdrMemberAioEmail>(CAbifData *, CAdrData &, AdrIdMode);
