// What the simulated machine holds: its slots, its settings at the front
// panel, and the conditions a test or a user can put it in.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace qvs {

struct FaxSlot {
    QString name;
    QString number;
    friend bool operator==(const FaxSlot &, const FaxSlot &) = default;
};

struct GroupSlot {
    QString name;
    std::vector<uint16_t> members;
    friend bool operator==(const GroupSlot &, const GroupSlot &) = default;
};

// A way the machine answers wrongly on purpose, until it is cleared.
struct MachineFault {
    enum Kind { None, Status, Malformed, Oversized, BadChecksum, Empty };
    Kind kind = None;
    // For Status: the status, detail and extra code bytes of every transfer.
    uint8_t status = 0;
    uint8_t detail = 0;
    uint8_t extra = 0;
    friend bool operator==(const MachineFault &, const MachineFault &) = default;
};

inline constexpr uint16_t kDefaultFaxCapacity = 99;
inline constexpr uint16_t kDefaultGroupCapacity = 6;
inline constexpr uint16_t kMaxCapacity = 999;
inline constexpr size_t kMaxGroupMembers = 99;
// UTF-8 bytes, without the terminator, that the machine's fields hold.
inline constexpr qsizetype kMaxNameBytes = 32;
inline constexpr qsizetype kMaxNumberBytes = 50;

struct MachineState {
    uint16_t faxCapacity = kDefaultFaxCapacity;
    uint16_t groupCapacity = kDefaultGroupCapacity;
    QString password;  // empty: none
    bool poweredOn = true;
    bool busy = false;
    uint32_t statusWord = 1;
    std::set<uint16_t> delayedStart;  // fax slots waiting for a delayed fax
    MachineFault fault;
    std::map<uint16_t, FaxSlot> fax;
    std::map<uint16_t, GroupSlot> groups;
    friend bool operator==(const MachineState &, const MachineState &) = default;
};

// The empty reason when `state` is consistent, else what is wrong with it.
QString validationError(const MachineState &state);
bool isValidPassword(const QString &password);  // empty, or 4 to 6 digits
bool fitsName(const QString &name);
bool fitsNumber(const QString &number);

QByteArray toJson(const MachineState &state);
// Null, with `error` set, when the text is not a consistent machine state.
std::optional<MachineState> fromJson(const QByteArray &json, QString &error);

// A dozen speed dials and two groups, as an office might have set them up.
MachineState demoMachine();

}  // namespace qvs
