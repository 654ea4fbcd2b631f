// Groups of both address books: a name and a set of member IDs of the same
// book, bounded by the kind's capacity.
#pragma once

#include "model/adr_types.h"

#include <QList>
#include <QString>

#include <bitset>

class CAdrGroup {
public:
    virtual ~CAdrGroup() = default;

    // Throws AdrErrBadArgument when the ID lies outside the kind's range.
    virtual void SetID(quint16 id) = 0;
    // Silently refused at capacity: callers check GetFreeMemberCount first.
    // A member ID outside the member range throws AdrErrBadArgument.
    virtual void AddMember(quint16 memberId);
    [[nodiscard]] quint16 GetID() const { return m_id; }
    [[nodiscard]] QString GetIDString() const;
    [[nodiscard]] QString GetName() const { return m_name; }
    void SetName(const QString &name) { m_name = name; }
    [[nodiscard]] virtual QString GetMemberCountText() const;
    [[nodiscard]] virtual int GetFreeMemberCount() const { return Capacity() - CountMembers(); }
    virtual void RemoveMember(quint16 memberId);

    [[nodiscard]] int CountMembers() const { return static_cast<int>(m_members.count()); }
    [[nodiscard]] bool HasMember(quint16 memberId) const { return memberId < m_members.size() && m_members.test(memberId); }
    // Ascending.
    [[nodiscard]] QList<quint16> GetMemberIDs() const;
    void RemoveAllMembers() { m_members.reset(); }

    [[nodiscard]] quint32 GetChangeMark() const { return m_changeMark; }
    void SetChangeMark(quint32 mark) { m_changeMark = mark; }

    [[nodiscard]] virtual int Capacity() const = 0;
    [[nodiscard]] virtual quint16 MaxMemberID() const = 0;

protected:
    CAdrGroup() = default;
    CAdrGroup(const CAdrGroup &) = default;
    CAdrGroup &operator=(const CAdrGroup &) = default;

    void AssignID(quint16 id, quint16 maxId);
    // Identity, name and membership; the change mark is never compared.
    [[nodiscard]] bool BaseEqual(const CAdrGroup &other) const {
        return m_id == other.m_id && m_name == other.m_name && m_members == other.m_members;
    }

private:
    static constexpr size_t kMemberBits = 501;  // member IDs up to 500, bit 0 unused

    quint32 m_changeMark = 0;
    quint16 m_id = 0;  // 0 until assigned
    QString m_name;
    std::bitset<kMemberBits> m_members;
};

class CAdrGroupAioFax : public CAdrGroup {
public:
    static constexpr quint32 kKind = AdrKindAioFaxGroup;
    static constexpr quint16 kMaxId = 6;
    static constexpr quint16 kMaxMemberId = 99;
    static constexpr int kCapacity = 99;

    void SetID(quint16 id) override { AssignID(id, kMaxId); }
    [[nodiscard]] int Capacity() const override { return kCapacity; }
    [[nodiscard]] quint16 MaxMemberID() const override { return kMaxMemberId; }
    void CopyFrom(const CAdrGroupAioFax *source) { AdrCopyEntry(*this, source); }
    [[nodiscard]] bool IsEqual(const CAdrGroupAioFax *other) const { return other && BaseEqual(*other); }
    friend bool operator==(const CAdrGroupAioFax &a, const CAdrGroupAioFax &b) { return a.IsEqual(&b); }
};

class CAdrGroupAioEmail : public CAdrGroup {
public:
    static constexpr quint32 kKind = AdrKindAioEmailGroup;
    static constexpr quint16 kMaxId = 10;
    static constexpr quint16 kMaxMemberId = 20;
    static constexpr int kCapacity = 10;

    void SetID(quint16 id) override { AssignID(id, kMaxId); }
    [[nodiscard]] int Capacity() const override { return kCapacity; }
    [[nodiscard]] quint16 MaxMemberID() const override { return kMaxMemberId; }
    void CopyFrom(const CAdrGroupAioEmail *source) { AdrCopyEntry(*this, source); }
    [[nodiscard]] bool IsEqual(const CAdrGroupAioEmail *other) const { return other && BaseEqual(*other); }
    friend bool operator==(const CAdrGroupAioEmail &a, const CAdrGroupAioEmail &b) { return a.IsEqual(&b); }
};

class CAdrGroupPcFax : public CAdrGroup {
public:
    static constexpr quint32 kKind = AdrKindPcFaxGroup;
    static constexpr quint16 kMaxId = 500;
    static constexpr quint16 kMaxMemberId = 500;
    static constexpr int kCapacity = 30;

    void SetID(quint16 id) override { AssignID(id, kMaxId); }
    [[nodiscard]] int Capacity() const override { return kCapacity; }
    [[nodiscard]] quint16 MaxMemberID() const override { return kMaxMemberId; }
    void CopyFrom(const CAdrGroupPcFax *source) { AdrCopyEntry(*this, source); }
    // The update time is not compared.
    [[nodiscard]] bool IsEqual(const CAdrGroupPcFax *other) const { return other && BaseEqual(*other); }
    friend bool operator==(const CAdrGroupPcFax &a, const CAdrGroupPcFax &b) { return a.IsEqual(&b); }

    [[nodiscard]] qint64 GetUpdatedOn() const { return m_updatedOn; }
    void SetUpdatedOn(qint64 seconds) { m_updatedOn = seconds; }
    [[nodiscard]] QString GetUpdatedOnText() const;

private:
    qint64 m_updatedOn = 0;
};
