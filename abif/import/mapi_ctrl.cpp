#include "import/mapi_ctrl.h"

#include "abiflink.h"
#include "core/diagnostic_log.h"
#include "core/library_ui.h"
#include "import/address_picker.h"
#include "import/import_kinds.h"
#include "import/import_record.h"

#include <QDateTime>

#include <vector>

using abif::AddressEntry;
using abif::AddressObjectType;
using abif::AddressProperties;

namespace {

bool isType(const std::optional<QString> &type, QStringView expected) {
    return type->compare(expected, Qt::CaseInsensitive) == 0;
}

// A present, non-empty text.
bool has(const std::optional<QString> &text) { return text && !text->isEmpty(); }

}  // namespace

CMapiCtrl::~CMapiCtrl() = default;

int32_t CMapiCtrl::Import(QWidget *window, const QString &path, int32_t destinationKind, CAbifData &container,
                          int32_t &processed, int32_t &notImported) {
    window_ = window;
    processed_ = notImported_ = added_ = 0;
    openedLists_.clear();
    processed = notImported = 0;
    if (const int32_t opened = open(path); opened != ABIF_OK) return opened;

    QList<AddressEntry> picked;
    int32_t result = selectAddresses(picked);
    if (result == ABIF_OK && !picked.isEmpty()) {
        abif::BusyScope busy;
        result = processPicked(picked, destinationKind, container);
    }
    close();
    book_.reset();
    processed = processed_;
    notImported = notImported_;
    return result;
}

int32_t CMapiCtrl::selectAddresses(QList<AddressEntry> &picked) {
    const int32_t result = abif::addressPicker().pick(window_, *book_, picked);
    if (result == ABIF_OK || result == ABIF_E_CANCEL) return result;
    abif::logError(abif::LogImport, "Address: %08x\n", static_cast<unsigned>(result));
    return ABIF_E_FAIL;
}

int32_t CMapiCtrl::processPicked(const QList<AddressEntry> &picked, int32_t kind, CAbifData &container) {
    for (const AddressEntry &entry : picked)
        if (const int32_t result = processEntry(entry, kind, container); result != ABIF_OK) return result;
    return ABIF_OK;
}

int32_t CMapiCtrl::processEntry(const AddressEntry &entry, int32_t kind, CAbifData &container) {
    if (!entry.entryId.isEmpty() && entry.type == AddressObjectType::MailUser)
        return getIndividualData(entry.entryId, kind, container);
    if (!entry.entryId.isEmpty() && entry.type == AddressObjectType::DistList)
        return getGroupData(entry.entryId, kind, container);
    ++processed_;
    ++notImported_;
    return ABIF_OK;
}

int32_t CMapiCtrl::getIndividualData(const QByteArray &entryId, int32_t kind, CAbifData &container) {
    ++processed_;
    AddressProperties properties;
    if (const int32_t opened = book_->openMailUser(entryId, properties); opened != ABIF_OK) {
        abif::logError(abif::LogImport, "GetIndividualData:OpenEntry %08x\n", static_cast<unsigned>(opened));
        return ABIF_E_FAIL;
    }
    dumpProperties(properties);

    const int32_t addedBefore = added_;
    const Identity who = identityOf(properties);
    int32_t result = ABIF_OK;
    if (!who.name.isEmpty()) {
        result = kind == abif::DestinationEmail ? addEmailRecords(properties, who, container)
                                           : addFaxRecords(properties, who, kind, container);
    }
    if (added_ == addedBefore) ++notImported_;
    return result;
}

int32_t CMapiCtrl::getGroupData(const QByteArray &entryId, int32_t kind, CAbifData &container) {
    // Nested lists are walked with a stack of their own rather than by
    // recursion, so that no nesting depth a file can hold exhausts the call stack.
    struct Level {
        QList<AddressEntry> contents;
        qsizetype next = 0;
    };
    std::vector<Level> levels;
    const auto openList = [&](const QByteArray &id) {
        if (openedLists_.contains(id)) return ABIF_OK;
        openedLists_.insert(id);
        Level level;
        if (const int32_t opened = book_->openDistList(id, level.contents); opened != ABIF_OK) {
            abif::logError(abif::LogImport, "GetGroupData:OpenEntry %08x\n", static_cast<unsigned>(opened));
            return ABIF_E_FAIL;
        }
        levels.push_back(std::move(level));
        return ABIF_OK;
    };

    int32_t result = openList(entryId);
    while (result == ABIF_OK && !levels.empty()) {
        Level &top = levels.back();
        if (top.next == top.contents.size()) {
            levels.pop_back();
            continue;
        }
        const AddressEntry member = top.contents[top.next++];
        result = !member.entryId.isEmpty() && member.type == AddressObjectType::DistList
                     ? openList(member.entryId)
                     : processEntry(member, kind, container);
    }
    return result;
}

void CMapiCtrl::dumpProperties(const AddressProperties &p) const {
    abif::logInfo(abif::LogImport, "lpMailUser->GetProps\n");
    // Which fields a contact has and how long they are, never what they say:
    // the log is kept and passed on long after the import.
    const auto text = [](uint32_t tag, const char *name, const std::optional<QString> &value) {
        if (value)
            abif::logInfo(abif::LogImport, "%08x(%s): %lld characters\n", tag, name,
                          static_cast<long long>(value->size()));
    };
    const auto texts = [](uint32_t tag, const char *name, const std::optional<QStringList> &value) {
        if (value)
            abif::logInfo(abif::LogImport, "%08x(%s): %lld values\n", tag, name,
                          static_cast<long long>(value->size()));
    };
    text(0x0E1D001F, "PR_NORMALIZED_SUBJECT", p.normalizedSubject);
    text(0x3001001F, "PR_DISPLAY_NAME", p.displayName);
    text(0x3A16001F, "PR_COMPANY_NAME", p.companyName);
    text(0x3004001F, "PR_COMMENT", p.comment);
    text(0x3A23001F, "PR_PRIMARY_FAX_NUMBER", p.primaryFaxNumber);
    text(0x3A24001F, "PR_BUSINESS_FAX_NUMBER", p.businessFaxNumber);
    text(0x3A25001F, "PR_HOME_FAX_NUMBER", p.homeFaxNumber);
    text(0x3003001F, "PR_EMAIL_ADDRESS", p.emailAddress);
    text(0x3002001F, "PR_ADDRTYPE", p.addrType);
    texts(0x3A56101F, "PR_CONTACT_EMAIL_ADDRESSES", p.contactEmailAddresses);
    texts(0x3A54101F, "PR_CONTACT_ADDRTYPES", p.contactAddrTypes);
    if (p.contactDefaultAddressIndex)
        abif::logInfo(abif::LogImport, "%08x(%s): %d\n", 0x3A550003u, "PR_CONTACT_DEFAULT_ADDRESS_INDEX",
                      static_cast<int>(*p.contactDefaultAddressIndex));
}

CMapiCtrl::Identity CMapiCtrl::identityOf(const AddressProperties &p) {
    return {has(p.normalizedSubject) ? *p.normalizedSubject : p.displayName.value_or(QString()),
            p.companyName.value_or(QString()), p.comment.value_or(QString())};
}

int32_t CMapiCtrl::addFaxRecords(const AddressProperties &p, const Identity &who, int32_t kind,
                                 CAbifData &container) {
    const bool hasContactAddresses = p.contactEmailAddresses && !p.contactEmailAddresses->isEmpty();
    if (p.addrType && !isType(p.addrType, u"FAX") && p.normalizedSubject && !hasContactAddresses) return ABIF_OK;

    QStringList numbers;
    for (const auto *number : {&p.primaryFaxNumber, &p.businessFaxNumber, &p.homeFaxNumber})
        if (has(*number)) numbers << **number;
    // A fax address names its number after the at-sign; that number alone is meant.
    if (p.emailAddress && p.emailAddress->contains(u'@')) {
        const QString tail = p.emailAddress->mid(p.emailAddress->lastIndexOf(u'@') + 1);
        for (const QString &number : std::as_const(numbers)) {
            if (tail.contains(number)) {
                numbers = {number};
                break;
            }
        }
    }
    for (const QString &number : std::as_const(numbers)) {
        if (const int32_t result = addRecord(who, number, kind, container); result != ABIF_OK) return result;
    }
    return ABIF_OK;
}

int32_t CMapiCtrl::addEmailRecords(const AddressProperties &p, const Identity &who, CAbifData &container) {
    const QStringList addresses = p.contactEmailAddresses.value_or(QStringList());
    std::optional<QString> defaultAddress;
    for (qsizetype i = 0; i < addresses.size(); ++i) {
        const bool smtp = !p.contactAddrTypes ||
                          (i < p.contactAddrTypes->size() &&
                           p.contactAddrTypes->at(i).compare(u"SMTP", Qt::CaseInsensitive) == 0);
        if (smtp)
            if (const int32_t result = addRecord(who, addresses[i], abif::DestinationEmail, container);
                result != ABIF_OK)
                return result;
        if (p.contactDefaultAddressIndex == i) defaultAddress = addresses[i];
    }
    if (!p.emailAddress || (p.addrType && !isType(p.addrType, u"SMTP")) || p.emailAddress == defaultAddress)
        return ABIF_OK;
    return addRecord(who, *p.emailAddress, abif::DestinationEmail, container);
}

int32_t CMapiCtrl::addRecord(const Identity &who, const QString &number, int32_t kind, CAbifData &container) {
    const abif::ImportOutcome outcome = abif::appendImportRecord({who.name, number, who.company, who.comment}, kind,
                                                                 container, QDateTime::currentSecsSinceEpoch());
    if (outcome == abif::ImportOutcome::Full) return ABIF_E_LIMIT;
    if (outcome == abif::ImportOutcome::Added) ++added_;
    return ABIF_OK;
}
