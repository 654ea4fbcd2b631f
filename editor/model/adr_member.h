// Single entries of both address books: value objects, copied into every
// snapshot of the data set, compared field by field.
#pragma once

#include "model/adr_types.h"

#include <QString>

class CAdrMember {
public:
    virtual ~CAdrMember() = default;

    // Throws AdrErrBadArgument when the ID lies outside the kind's range.
    virtual void SetID(quint16 id) = 0;
    virtual void SetName(const QString &name) { m_name = name; }
    [[nodiscard]] quint16 GetID() const { return m_id; }
    [[nodiscard]] QString GetIDString() const;
    [[nodiscard]] QString GetName() const { return m_name; }

    [[nodiscard]] quint32 GetChangeMark() const { return m_changeMark; }
    void SetChangeMark(quint32 mark) { m_changeMark = mark; }

protected:
    CAdrMember() = default;
    CAdrMember(const CAdrMember &) = default;
    CAdrMember &operator=(const CAdrMember &) = default;

    void AssignID(quint16 id, quint16 maxId);
    // Identity and name; the change mark is never compared.
    [[nodiscard]] bool BaseEqual(const CAdrMember &other) const { return m_id == other.m_id && m_name == other.m_name; }

private:
    quint32 m_changeMark = 0;
    quint16 m_id = 0;  // 0 until assigned
    QString m_name;
};

class CAdrMemberAioFax : public CAdrMember {
public:
    static constexpr quint32 kKind = AdrKindAioFax;
    static constexpr quint16 kMaxId = 99;

    void SetID(quint16 id) override { AssignID(id, kMaxId); }
    void CopyFrom(const CAdrMemberAioFax *source) { AdrCopyEntry(*this, source); }
    [[nodiscard]] bool IsEqual(const CAdrMemberAioFax *other) const;
    friend bool operator==(const CAdrMemberAioFax &a, const CAdrMemberAioFax &b) { return a.IsEqual(&b); }

    [[nodiscard]] QString GetFaxNumber() const { return m_faxNumber; }
    void SetFaxNumber(const QString &number) { m_faxNumber = number; }

private:
    QString m_faxNumber;
};

class CAdrMemberAioEmail : public CAdrMember {
public:
    static constexpr quint32 kKind = AdrKindAioEmail;
    static constexpr quint16 kMaxId = 20;

    void SetID(quint16 id) override { AssignID(id, kMaxId); }
    void CopyFrom(const CAdrMemberAioEmail *source) { AdrCopyEntry(*this, source); }
    [[nodiscard]] bool IsEqual(const CAdrMemberAioEmail *other) const;
    friend bool operator==(const CAdrMemberAioEmail &a, const CAdrMemberAioEmail &b) { return a.IsEqual(&b); }

    [[nodiscard]] QString GetEmailAddress() const { return m_emailAddress; }
    void SetEmailAddress(const QString &address) { m_emailAddress = address; }

private:
    QString m_emailAddress;
};

class CAdrMemberAioServer : public CAdrMember {
public:
    static constexpr quint32 kKind = AdrKindServer;
    static constexpr quint16 kMaxId = 5;
    static constexpr quint16 kTypeFtp = 0;
    static constexpr quint16 kTypeSmb = 1;

    void SetID(quint16 id) override { AssignID(id, kMaxId); }
    void CopyFrom(const CAdrMemberAioServer *source) { AdrCopyEntry(*this, source); }
    [[nodiscard]] bool IsEqual(const CAdrMemberAioServer *other) const;
    friend bool operator==(const CAdrMemberAioServer &a, const CAdrMemberAioServer &b) { return a.IsEqual(&b); }

    [[nodiscard]] quint16 GetServerType() const { return m_serverType; }
    // Only kTypeFtp and kTypeSmb exist; anything else throws AdrErrBadArgument.
    void SetServerType(quint16 type);
    [[nodiscard]] QString GetHostName() const { return m_hostName; }
    void SetHostName(const QString &host) { m_hostName = host; }
    [[nodiscard]] QString GetLoginName() const { return m_loginName; }
    void SetLoginName(const QString &login) { m_loginName = login; }
    [[nodiscard]] QString GetLoginPassword() const { return m_loginPassword; }
    void SetLoginPassword(const QString &password) { m_loginPassword = password; }
    [[nodiscard]] QString GetFolderPath() const { return m_folderPath; }
    void SetFolderPath(const QString &path) { m_folderPath = path; }
    [[nodiscard]] QString GetShareName() const { return m_shareName; }
    void SetShareName(const QString &share) { m_shareName = share; }
    [[nodiscard]] quint16 GetPortNumber() const { return m_portNumber; }
    void SetPortNumber(quint16 port) { m_portNumber = port; }  // 0: not set

private:
    quint16 m_serverType = kTypeSmb;
    QString m_hostName;
    QString m_loginName;
    QString m_loginPassword;
    QString m_folderPath;
    QString m_shareName;
    quint16 m_portNumber = 0;
};

class CAdrMemberPcFax : public CAdrMember {
public:
    static constexpr quint32 kKind = AdrKindPcFax;
    static constexpr quint16 kMaxId = 500;

    void SetID(quint16 id) override { AssignID(id, kMaxId); }
    void CopyFrom(const CAdrMemberPcFax *source) { AdrCopyEntry(*this, source); }
    // The update time is not compared: touching an entry does not change it.
    [[nodiscard]] bool IsEqual(const CAdrMemberPcFax *other) const;
    friend bool operator==(const CAdrMemberPcFax &a, const CAdrMemberPcFax &b) { return a.IsEqual(&b); }

    [[nodiscard]] QString GetFaxNumber() const { return m_faxNumber; }
    void SetFaxNumber(const QString &number) { m_faxNumber = number; }
    [[nodiscard]] QString GetCompany() const { return m_company; }
    void SetCompany(const QString &company) { m_company = company; }
    [[nodiscard]] QString GetNote() const { return m_note; }
    void SetNote(const QString &note) { m_note = note; }
    [[nodiscard]] quint8 GetCommMode() const { return m_commMode; }  // 0 G3 Auto, 1 F4800
    void SetCommMode(quint8 mode) { m_commMode = mode; }
    [[nodiscard]] qint64 GetUpdatedOn() const { return m_updatedOn; }  // seconds since 1970 UTC, 0 never
    void SetUpdatedOn(qint64 seconds) { m_updatedOn = seconds; }
    [[nodiscard]] QString GetUpdatedOnText() const;

private:
    QString m_faxNumber;
    QString m_company;
    QString m_note;
    quint8 m_commMode = 0;
    qint64 m_updatedOn = 0;
};

// Local short date and time without seconds in the user's locale; empty for 0.
[[nodiscard]] QString AdrUpdatedOnText(qint64 seconds);
