// Turns the people and distribution lists a user picks in an address book
// into records of one destination kind. The sources differ only in how they
// open and close their book.
#pragma once

#include "import/address_book.h"

#include <QSet>

#include <memory>

struct CAbifData;
class QWidget;

class CMapiCtrl {
public:
    virtual ~CMapiCtrl();

    // The whole run: open the book at `path` (empty: the source's default),
    // let the user pick, add records of `destinationKind` (4 or 1 machine fax,
    // 8 machine email, 2 PC fax member) to `container`. Returns ABIF_OK,
    // ABIF_E_CANCEL, or the first failure; the counts tell how many picked
    // entries were processed and how many of them produced no record.
    int32_t Import(QWidget *window, const QString &path, int32_t destinationKind, CAbifData &container,
                   int32_t &processed, int32_t &notImported);

protected:
    // Source-specific: sets book_ or returns a failure code.
    virtual int32_t open(const QString &path) = 0;
    virtual void close() = 0;

    std::unique_ptr<abif::AddressBook> book_;

private:
    int32_t selectAddresses(QList<abif::AddressEntry> &picked);
    int32_t processPicked(const QList<abif::AddressEntry> &picked, int32_t kind, CAbifData &container);
    int32_t processEntry(const abif::AddressEntry &entry, int32_t kind, CAbifData &container);
    int32_t getIndividualData(const QByteArray &entryId, int32_t kind, CAbifData &container);
    int32_t getGroupData(const QByteArray &entryId, int32_t kind, CAbifData &container);
    void dumpProperties(const abif::AddressProperties &properties) const;

    struct Identity {
        QString name;
        QString company;
        QString comment;
    };
    static Identity identityOf(const abif::AddressProperties &properties);
    int32_t addFaxRecords(const abif::AddressProperties &properties, const Identity &who, int32_t kind,
                          CAbifData &container);
    int32_t addEmailRecords(const abif::AddressProperties &properties, const Identity &who, CAbifData &container);
    // One record of `kind` for `number` (the address for email); a full
    // container ends the run with ABIF_E_LIMIT.
    int32_t addRecord(const Identity &who, const QString &number, int32_t kind, CAbifData &container);

    QWidget *window_ = nullptr;
    int32_t processed_ = 0;
    int32_t notImported_ = 0;
    int32_t added_ = 0;
    // Lists already expanded in this run: a list that holds itself, directly
    // or through others, is expanded once.
    QSet<QByteArray> openedLists_;
};
