#include "machine_state.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <array>

namespace qvs {
namespace {

constexpr std::array<const char *, 6> kFaultNames{"none", "status", "malformed", "oversized", "bad-checksum", "empty"};

QJsonArray idArray(const auto &ids) {
    QJsonArray array;
    for (uint16_t id : ids) array.append(id);
    return array;
}

QJsonObject faultObject(const MachineFault &fault) {
    QJsonObject object{{"kind", QString::fromLatin1(kFaultNames[fault.kind])}};
    if (fault.kind == MachineFault::Status) {
        object["status"] = fault.status;
        object["detail"] = fault.detail;
        object["extra"] = fault.extra;
    }
    return object;
}

// Reads a whole number in [low, high]; false when absent or out of range.
bool readNumber(const QJsonValue &value, double low, double high, double &out) {
    if (!value.isDouble()) return false;
    out = value.toDouble();
    return out >= low && out <= high && out == static_cast<double>(static_cast<int64_t>(out));
}

bool readId(const QJsonValue &value, uint16_t &id) {
    double number = 0;
    if (!readNumber(value, 1, 0xFFFF, number)) return false;
    id = static_cast<uint16_t>(number);
    return true;
}

bool readByte(const QJsonObject &object, const char *key, uint8_t &out) {
    double number = 0;
    if (!readNumber(object[key], 0, 255, number)) return false;
    out = static_cast<uint8_t>(number);
    return true;
}

bool readFault(const QJsonObject &object, MachineFault &fault) {
    const QString kind = object["kind"].toString();
    for (size_t i = 0; i < kFaultNames.size(); ++i) {
        if (kind != QLatin1String(kFaultNames[i])) continue;
        fault.kind = static_cast<MachineFault::Kind>(i);
        if (fault.kind != MachineFault::Status) return true;
        return readByte(object, "status", fault.status) && readByte(object, "detail", fault.detail) &&
               readByte(object, "extra", fault.extra);
    }
    return false;
}

bool readSlots(const QJsonArray &array, MachineState &state) {
    for (const QJsonValue &value : array) {
        const QJsonObject object = value.toObject();
        uint16_t id = 0;
        if (!readId(object["id"], id) || state.fax.contains(id)) return false;
        state.fax[id] = {object["name"].toString(), object["number"].toString()};
    }
    return true;
}

bool readGroups(const QJsonArray &array, MachineState &state) {
    for (const QJsonValue &value : array) {
        const QJsonObject object = value.toObject();
        uint16_t id = 0;
        if (!readId(object["id"], id) || state.groups.contains(id)) return false;
        GroupSlot group{object["name"].toString(), {}};
        for (const QJsonValue &member : object["members"].toArray()) {
            uint16_t memberId = 0;
            if (!readId(member, memberId)) return false;
            group.members.push_back(memberId);
        }
        state.groups[id] = std::move(group);
    }
    return true;
}

}  // namespace

bool isValidPassword(const QString &password) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]{4,6}$"));
    return password.isEmpty() || digits.match(password).hasMatch();
}

bool fitsName(const QString &name) { return name.toUtf8().size() <= kMaxNameBytes; }

bool fitsNumber(const QString &number) { return number.toUtf8().size() <= kMaxNumberBytes; }

QString validationError(const MachineState &state) {
    if (state.faxCapacity > kMaxCapacity || state.groupCapacity > kMaxCapacity)
        return QStringLiteral("a capacity is above %1").arg(kMaxCapacity);
    if (!isValidPassword(state.password)) return QStringLiteral("the password must be 4 to 6 digits");
    for (const auto &[id, slot] : state.fax) {
        if (id < 1 || id > state.faxCapacity) return QStringLiteral("speed dial %1 is outside the fax slots").arg(id);
        if (!fitsName(slot.name) || !fitsNumber(slot.number))
            return QStringLiteral("speed dial %1 has a name or number too long for the machine").arg(id);
    }
    for (const auto &[id, group] : state.groups) {
        if (id < 1 || id > state.groupCapacity) return QStringLiteral("group %1 is outside the group slots").arg(id);
        if (!fitsName(group.name)) return QStringLiteral("group %1 has a name too long for the machine").arg(id);
        if (group.members.size() > kMaxGroupMembers) return QStringLiteral("group %1 has too many members").arg(id);
        const std::set<uint16_t> distinct(group.members.begin(), group.members.end());
        if (distinct.size() != group.members.size()) return QStringLiteral("group %1 lists a member twice").arg(id);
        if (!distinct.empty() && *distinct.rbegin() > state.faxCapacity)
            return QStringLiteral("group %1 has a member outside the fax slots").arg(id);
    }
    for (uint16_t slot : state.delayedStart)
        if (slot < 1 || slot > state.faxCapacity) return QStringLiteral("delayed slot %1 is outside the fax slots").arg(slot);
    return {};
}

QByteArray toJson(const MachineState &state) {
    QJsonArray fax;
    for (const auto &[id, slot] : state.fax) fax.append(QJsonObject{{"id", id}, {"name", slot.name}, {"number", slot.number}});
    QJsonArray groups;
    for (const auto &[id, group] : state.groups)
        groups.append(QJsonObject{{"id", id}, {"name", group.name}, {"members", idArray(group.members)}});
    const QJsonObject root{
        {"faxCapacity", state.faxCapacity},
        {"groupCapacity", state.groupCapacity},
        {"password", state.password},
        {"poweredOn", state.poweredOn},
        {"busy", state.busy},
        {"statusWord", static_cast<double>(state.statusWord)},
        {"delayedStart", idArray(state.delayedStart)},
        {"fault", faultObject(state.fault)},
        {"fax", fax},
        {"groups", groups},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<MachineState> fromJson(const QByteArray &json, QString &error) {
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!document.isObject()) {
        error = parseError.errorString();
        return std::nullopt;
    }
    const QJsonObject root = document.object();
    MachineState state;
    double faxCapacity = 0;
    double groupCapacity = 0;
    double statusWord = 0;
    bool shaped = readNumber(root["faxCapacity"], 0, kMaxCapacity, faxCapacity) &&
                  readNumber(root["groupCapacity"], 0, kMaxCapacity, groupCapacity) &&
                  readNumber(root["statusWord"], 0, 0xFFFFFFFFu, statusWord) && root["password"].isString() &&
                  root["poweredOn"].isBool() && root["busy"].isBool() && readFault(root["fault"].toObject(), state.fault) &&
                  readSlots(root["fax"].toArray(), state) && readGroups(root["groups"].toArray(), state);
    for (const QJsonValue &slot : root["delayedStart"].toArray()) {
        uint16_t id = 0;
        shaped = shaped && readId(slot, id);
        state.delayedStart.insert(id);
    }
    if (!shaped) {
        error = QStringLiteral("a value is missing or has the wrong type");
        return std::nullopt;
    }
    state.faxCapacity = static_cast<uint16_t>(faxCapacity);
    state.groupCapacity = static_cast<uint16_t>(groupCapacity);
    state.statusWord = static_cast<uint32_t>(statusWord);
    state.password = root["password"].toString();
    state.poweredOn = root["poweredOn"].toBool();
    state.busy = root["busy"].toBool();
    error = validationError(state);
    if (!error.isEmpty()) return std::nullopt;
    return state;
}

MachineState demoMachine() {
    MachineState state;
    const std::array<std::pair<const char *, const char *>, 12> entries{{
        {"Head Office", "+44 20 7946 0001"},
        {"Accounts Payable", "+44 20 7946 0112"},
        {"Harbour Logistics", "+44 151 496 0730"},
        {"Dr. Amelia Kovacs", "+36 1 555 0142"},
        {"Nordlicht GmbH", "+49 30 5557 3310"},
        {"Saint-Clair Notaires", "+33 1 55 50 22 18"},
        {"City Hospital Ward 4", "0161 496 0453"},
        {"Pinewood Dental", "0113 496 0871"},
        {"Quinta do Vale", "+351 21 555 0926"},
        {"Mehta & Sons", "+91 22 5550 4417"},
        {"Tax Office", "0300 555 0154"},
        {"Reception", "208"},
    }};
    uint16_t id = 1;
    for (const auto &[name, number] : entries) state.fax[id++] = {QString::fromUtf8(name), QString::fromUtf8(number)};
    state.groups[1] = {QStringLiteral("Finance"), {1, 2, 11}};
    state.groups[2] = {QStringLiteral("Suppliers"), {3, 5, 9, 10}};
    return state;
}

}  // namespace qvs
