// Field-wise ordering of records, read byte by byte: fields of packed records
// sit at odd offsets, so no field is ever accessed through a typed pointer.
#pragma once

#include "core/record_kinds.h"

#include <algorithm>
#include <cstring>

namespace abif::detail {

inline uint16_t loadU16(const unsigned char *p) {
    uint16_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
inline void storeU16(unsigned char *p, uint16_t v) { std::memcpy(p, &v, sizeof v); }

inline int64_t loadI64(const unsigned char *p) {
    int64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <class T> int threeWay(T a, T b) { return a < b ? -1 : (b < a ? 1 : 0); }

// Unit by unit up to the terminator; a prefix sorts before the longer text.
inline int compareText(const unsigned char *a, const unsigned char *b, size_t width) {
    for (size_t i = 0; i < width; ++i) {
        const uint16_t ua = loadU16(a + 2 * i), ub = loadU16(b + 2 * i);
        if (ua != ub) return ua < ub ? -1 : 1;
        if (ua == 0) return 0;
    }
    return 0;
}

// The stored count is caller data and may exceed the array; never read past it.
inline size_t memberCountOf(const unsigned char *rec, const Field &f) {
    return std::min<size_t>(loadU16(rec + f.countOffset), f.width);
}

inline int compareField(const unsigned char *a, const unsigned char *b, const Field &f) {
    switch (f.type) {
    case FieldType::U8: return threeWay(a[f.offset], b[f.offset]);
    case FieldType::U16: return threeWay(loadU16(a + f.offset), loadU16(b + f.offset));
    case FieldType::I64: return threeWay(loadI64(a + f.offset), loadI64(b + f.offset));
    case FieldType::Text: return compareText(a + f.offset, b + f.offset, f.width);
    case FieldType::Members: {
        const size_t n = std::min(memberCountOf(a, f), memberCountOf(b, f));
        for (size_t i = 0; i < n; ++i) {
            const int c = threeWay(loadU16(a + f.offset + 2 * i), loadU16(b + f.offset + 2 * i));
            if (c != 0) return c;
        }
        return 0;
    }
    }
    return 0;
}

template <class Record> int compareRecords(const Record &a, const Record &b) {
    const auto *pa = reinterpret_cast<const unsigned char *>(&a);
    const auto *pb = reinterpret_cast<const unsigned char *>(&b);
    for (const Field &f : RecordKind<Record>::fields) {
        if (const int c = compareField(pa, pb, f); c != 0) return c;
    }
    return 0;
}

// The first 64 bits of the record's order as one number: when two keys differ
// they decide the order alone, so most comparisons never touch the records.
// Each field is encoded order-preservingly and prefix-free (texts end in a
// zero unit), so a truncated key can tie but never contradict the full order.
template <class Record> uint64_t sortKey(const Record &r) {
    const auto *p = reinterpret_cast<const unsigned char *>(&r);
    uint64_t key = 0;
    int bits = 0;
    auto push = [&](uint64_t value, int width) {
        const int take = std::min(width, 64 - bits);
        key = (key << take) | (value >> (width - take));
        bits += take;
    };
    for (const Field &f : RecordKind<Record>::fields) {
        if (bits == 64 || f.type == FieldType::Members) break;
        switch (f.type) {
        case FieldType::U8: push(p[f.offset], 8); break;
        case FieldType::U16: push(loadU16(p + f.offset), 16); break;
        case FieldType::I64:
            push(static_cast<uint64_t>(loadI64(p + f.offset)) ^ (uint64_t{1} << 63), 64);
            break;
        case FieldType::Text:
            for (size_t i = 0; i < f.width && bits < 64; ++i) {
                const uint16_t u = loadU16(p + f.offset + 2 * i);
                push(u, 16);
                if (u == 0) break;
            }
            break;
        case FieldType::Members: break;
        }
    }
    return bits == 64 ? key : key << (64 - bits);
}

// Group kinds keep their member lists in ascending order once normalised.
template <class Record> void sortMembers(Record &r) {
    auto *p = reinterpret_cast<unsigned char *>(&r);
    for (const Field &f : RecordKind<Record>::fields) {
        if (f.type != FieldType::Members) continue;
        const size_t n = memberCountOf(p, f);
        uint16_t ids[128];
        static_assert(sizeof ids >= 2 * 99, "largest member list");
        std::memcpy(ids, p + f.offset, 2 * n);
        std::sort(ids, ids + n);
        std::memcpy(p + f.offset, ids, 2 * n);
    }
}

}  // namespace abif::detail
