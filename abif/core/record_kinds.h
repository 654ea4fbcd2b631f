// Field layout of each record kind, in the order records compare and sort.
#pragma once

#include "abiflink.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace abif {

enum class FieldType : uint8_t { U8, U16, I64, Text, Members };

// Text: `width` code units including the terminator.
// Members: `width` is the array capacity, `countOffset` locates memberCount.
struct Field {
    FieldType type;
    size_t offset;
    size_t width = 0;
    size_t countOffset = 0;
};

template <class Record> struct RecordKind;

#define ABIF_TEXT(R, f) Field{FieldType::Text, offsetof(R, f), sizeof(R::f) / 2}
#define ABIF_U16(R, f) Field{FieldType::U16, offsetof(R, f)}
#define ABIF_U8(R, f) Field{FieldType::U8, offsetof(R, f)}
#define ABIF_I64(R, f) Field{FieldType::I64, offsetof(R, f)}
#define ABIF_MEMBERS(R) Field{FieldType::Members, offsetof(R, members), sizeof(R::members) / 2, offsetof(R, memberCount)}

template <> struct RecordKind<CAbifMyFaxData> {
    static constexpr int32_t defaultLimit = 500;
    static constexpr std::array fields{
        ABIF_U16(CAbifMyFaxData, id), ABIF_TEXT(CAbifMyFaxData, name),
        ABIF_TEXT(CAbifMyFaxData, faxNumber), ABIF_TEXT(CAbifMyFaxData, company),
        ABIF_TEXT(CAbifMyFaxData, note), ABIF_U8(CAbifMyFaxData, commMode),
        ABIF_I64(CAbifMyFaxData, updatedOn), ABIF_TEXT(CAbifMyFaxData, reservedText)};
};
template <> struct RecordKind<CAbifMyFaxGroupData> {
    static constexpr int32_t defaultLimit = 500;
    static constexpr std::array fields{
        ABIF_U16(CAbifMyFaxGroupData, id), ABIF_TEXT(CAbifMyFaxGroupData, name),
        ABIF_U16(CAbifMyFaxGroupData, memberCount), ABIF_MEMBERS(CAbifMyFaxGroupData),
        ABIF_I64(CAbifMyFaxGroupData, updatedOn)};
};
template <> struct RecordKind<CAbifFaxData> {
    static constexpr int32_t defaultLimit = 99;
    static constexpr std::array fields{ABIF_U16(CAbifFaxData, id), ABIF_TEXT(CAbifFaxData, name),
                                       ABIF_TEXT(CAbifFaxData, faxNumber)};
};
template <> struct RecordKind<CAbifFaxGroupData> {
    static constexpr int32_t defaultLimit = 6;
    static constexpr std::array fields{
        ABIF_U16(CAbifFaxGroupData, id), ABIF_TEXT(CAbifFaxGroupData, name),
        ABIF_U16(CAbifFaxGroupData, memberCount), ABIF_MEMBERS(CAbifFaxGroupData)};
};
template <> struct RecordKind<CAbifEMailData> {
    static constexpr int32_t defaultLimit = 20;
    static constexpr std::array fields{ABIF_U16(CAbifEMailData, id), ABIF_TEXT(CAbifEMailData, name),
                                       ABIF_TEXT(CAbifEMailData, emailAddress)};
};
template <> struct RecordKind<CAbifEMailGroupData> {
    static constexpr int32_t defaultLimit = 10;
    static constexpr std::array fields{
        ABIF_U16(CAbifEMailGroupData, id), ABIF_TEXT(CAbifEMailGroupData, name),
        ABIF_U16(CAbifEMailGroupData, memberCount), ABIF_MEMBERS(CAbifEMailGroupData)};
};
template <> struct RecordKind<CAbifServerAddressData> {
    static constexpr int32_t defaultLimit = 5;
    static constexpr std::array fields{
        ABIF_U16(CAbifServerAddressData, id),          ABIF_U8(CAbifServerAddressData, serverType),
        ABIF_TEXT(CAbifServerAddressData, name),       ABIF_TEXT(CAbifServerAddressData, hostName),
        ABIF_U16(CAbifServerAddressData, portNumber),  ABIF_TEXT(CAbifServerAddressData, loginName),
        ABIF_TEXT(CAbifServerAddressData, loginPassword), ABIF_TEXT(CAbifServerAddressData, folderPath),
        ABIF_TEXT(CAbifServerAddressData, shareName)};
};
template <> struct RecordKind<CAbifEMailSubjectData> {
    static constexpr int32_t defaultLimit = ABIF_LIMIT_UNLIMITED;
    static constexpr std::array fields{ABIF_TEXT(CAbifEMailSubjectData, subject)};
};
template <> struct RecordKind<CAbifEMailBodyData> {
    static constexpr int32_t defaultLimit = ABIF_LIMIT_UNLIMITED;
    static constexpr std::array fields{ABIF_TEXT(CAbifEMailBodyData, body)};
};

#undef ABIF_TEXT
#undef ABIF_U16
#undef ABIF_U8
#undef ABIF_I64
#undef ABIF_MEMBERS

}  // namespace abif
