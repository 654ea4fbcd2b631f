// The ID table beside each snapshot: which shared-folder record belongs to
// which server entry, and which records stay shared after their server entry
// was deleted.
#pragma once

#include <QList>
#include <QMap>

class CTblMap {
public:
    // Keys 1 to 5 exist from the start, each holding record 0 (none).
    CTblMap();

    // Keys 1 to 5 are server IDs holding the record ID of their share.
    [[nodiscard]] quint16 Lookup(quint16 key) const { return m_values.value(key); }
    [[nodiscard]] bool Contains(quint16 key) const { return m_values.contains(key); }
    void SetAt(quint16 key, quint16 value) { m_values.insert(key, value); }
    [[nodiscard]] int GetCount() const { return static_cast<int>(m_values.size()); }

    // Notes a record whose folder stays shared although its server entry went.
    void AddKeptRecord(quint16 recordId);
    [[nodiscard]] QList<quint16> GetKeptRecords() const;
    [[nodiscard]] bool IsKeptRecord(quint16 recordId) const { return GetKeptRecords().contains(recordId); }

    [[nodiscard]] quint16 GetFixedSlotCount() const { return m_fixedSlotCount; }
    [[nodiscard]] quint16 GetFirstExtraKey() const { return m_firstExtraKey; }
    [[nodiscard]] quint16 GetExtraCount() const { return m_extraCount; }

    [[nodiscard]] bool IsEqual(const CTblMap &other) const;
    friend bool operator==(const CTblMap &a, const CTblMap &b) { return a.IsEqual(b); }

private:
    [[nodiscard]] bool SameKeys(const CTblMap &other, int first, int count) const;

    QMap<quint16, quint16> m_values;
    quint16 m_fixedSlotCount = 5;
    quint16 m_firstExtraKey = 6;
    quint16 m_extraCount = 0;
};
