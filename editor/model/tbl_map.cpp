#include "model/tbl_map.h"

CTblMap::CTblMap() {
    for (quint16 key = 1; key <= m_fixedSlotCount; ++key) m_values.insert(key, 0);
}

void CTblMap::AddKeptRecord(quint16 recordId) {
    SetAt(static_cast<quint16>(m_firstExtraKey + m_extraCount), recordId);
    ++m_extraCount;
}

QList<quint16> CTblMap::GetKeptRecords() const {
    QList<quint16> records;
    for (int i = 0; i < m_extraCount; ++i) records.append(Lookup(static_cast<quint16>(m_firstExtraKey + i)));
    return records;
}

bool CTblMap::SameKeys(const CTblMap &other, int first, int count) const {
    for (int key = first; key < first + count; ++key) {
        const auto k = static_cast<quint16>(key);
        if (Contains(k) != other.Contains(k) || Lookup(k) != other.Lookup(k)) return false;
    }
    return true;
}

bool CTblMap::IsEqual(const CTblMap &other) const {
    return GetCount() == other.GetCount() && m_fixedSlotCount == other.m_fixedSlotCount &&
           m_firstExtraKey == other.m_firstExtraKey && m_extraCount == other.m_extraCount &&
           SameKeys(other, 1, m_fixedSlotCount) && SameKeys(other, m_firstExtraKey, m_extraCount);
}
