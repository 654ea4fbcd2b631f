// qvs-machine: the front panel of the simulated machine. It sets the machine
// up, shows it, and changes it "at the machine" while programs use it.
#include "machine_state.h"
#include "machine_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTextStream>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <iostream>
#include <string>

namespace {

using qvs::MachineState;
using qvs::MachineStore;

const char *const kUsage = R"(Usage: qvs-machine [--dir FOLDER] COMMAND [ARGUMENT...]

The front panel of the simulated Quillabrex K7710/K7910 behind libqvsSTILib.so.
The machine lives in FOLDER, else in $QVS_MACHINE_DIR, else in
$XDG_STATE_HOME/qvs-machine (~/.local/state/qvs-machine). A folder without a
machine holds a new, empty one.

Commands:
  demo                        replace the machine by a demo machine: twelve
                              speed dials and two groups, no password
  reset                       replace the machine by a new, empty one
  show [--json]               print the machine's state (--json: the state file)
  password set DIGITS         require the administrator password (4 to 6 digits)
  password clear              require no password
  busy on|off                 the machine is in use at its panel: programs are
                              told it is busy until it is off again
  power on|off                switched off (or unplugged), it answers nothing
  capacity FAX GROUPS         number of speed dial and group slots (0 to 999);
                              refused while an entry sits above the new limit
  delayed [SLOT...]           the speed dial slots a delayed fax waits for; a
                              program cannot change them; no SLOT clears the list
  status WORD                 the status word the machine reports (default 1)
  fault KIND                  answer transfers wrongly until "fault none":
                                none          answer correctly again
                                malformed     responses with a wrong section count
                                oversized     responses one byte longer than the
                                              buffer they were asked into
                                bad-checksum  responses with a wrong checksum
                                empty         responses of length 0
  fault status STATUS [DETAIL [EXTRA]]
                              answer every transfer with this status byte, and
                              detail and extra code bytes (0 to 255 each)
  fax set ID NAME NUMBER      add or change speed dial ID
  fax remove ID               clear speed dial ID
  group set ID NAME [MEMBER...]
                              add or change group ID with these speed dials
  group remove ID             clear group ID
  hold                        take the machine's lock as a program does, print
                              "held", and keep it until standard input ends
  --help                      show this text

Exit status: 0 done, 1 refused or failed, 2 wrong usage.
)";

class UsageError {
public:
    explicit UsageError(QString text) : text(std::move(text)) {}
    QString text;
};

void print(const QString &text) { std::fputs(text.toLocal8Bit().constData(), stdout); }

uint32_t number(const QString &text, uint32_t low, uint32_t high, const char *what) {
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok, 0);
    if (!ok || value < low || value > high)
        throw UsageError(QStringLiteral("%1 must be a number from %2 to %3: %4").arg(QLatin1String(what)).arg(low).arg(high).arg(text));
    return static_cast<uint32_t>(value);
}

bool onOff(const QStringList &args) {
    if (args.size() == 1 && args[0] == QLatin1String("on")) return true;
    if (args.size() == 1 && args[0] == QLatin1String("off")) return false;
    throw UsageError(QStringLiteral("expected on or off"));
}

void expectCount(const QStringList &args, qsizetype low, qsizetype high) {
    if (args.size() < low || args.size() > high) throw UsageError(QStringLiteral("wrong number of arguments"));
}

bool lockIsFree(const MachineStore &store) {
    const int fd = ::open(QFile::encodeName(store.machineLockFile()).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return true;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

QString faultText(const qvs::MachineFault &fault) {
    switch (fault.kind) {
    case qvs::MachineFault::None: return QStringLiteral("none");
    case qvs::MachineFault::Status:
        return QStringLiteral("status 0x%1 detail 0x%2 extra 0x%3")
            .arg(fault.status, 2, 16, QChar(u'0'))
            .arg(fault.detail, 2, 16, QChar(u'0'))
            .arg(fault.extra, 2, 16, QChar(u'0'));
    case qvs::MachineFault::Malformed: return QStringLiteral("malformed");
    case qvs::MachineFault::Oversized: return QStringLiteral("oversized");
    case qvs::MachineFault::BadChecksum: return QStringLiteral("bad-checksum");
    case qvs::MachineFault::Empty: return QStringLiteral("empty");
    }
    return {};
}

QString describe(const MachineState &state, const MachineStore &store) {
    QString text;
    QTextStream out(&text);
    out << "folder: " << store.folder() << '\n'
        << "power: " << (state.poweredOn ? "on" : "off") << '\n'
        << "busy: " << (state.busy ? "yes" : "no") << '\n'
        << "lock: " << (lockIsFree(store) ? "free" : "held by a program") << '\n'
        << "password: " << (state.password.isEmpty() ? QStringLiteral("none") : state.password) << '\n'
        << "status word: 0x" << QString::number(state.statusWord, 16).rightJustified(8, u'0') << '\n'
        << "fault: " << faultText(state.fault) << '\n'
        << "capacity: " << state.faxCapacity << " speed dials, " << state.groupCapacity << " groups\n"
        << "delayed-start slots:";
    if (state.delayedStart.empty()) out << " none";
    for (uint16_t slot : state.delayedStart) out << ' ' << slot;
    out << "\nspeed dials: " << state.fax.size() << '\n';
    for (const auto &[id, slot] : state.fax)
        out << "  " << QString::number(id).rightJustified(3) << "  " << slot.name.leftJustified(32) << "  " << slot.number << '\n';
    out << "groups: " << state.groups.size() << '\n';
    for (const auto &[id, group] : state.groups) {
        out << "  " << QString::number(id).rightJustified(3) << "  " << group.name << ':';
        for (uint16_t member : group.members) out << ' ' << member;
        out << '\n';
    }
    return text;
}

using Change = std::function<QString(MachineState &)>;

Change setFax(const QStringList &args, const MachineState &limits) {
    expectCount(args, 3, 3);
    const auto id = static_cast<uint16_t>(number(args[0], 1, limits.faxCapacity, "ID"));
    const qvs::FaxSlot slot{args[1], args[2]};
    if (!qvs::fitsName(slot.name)) throw UsageError(QStringLiteral("the name is longer than %1 bytes").arg(qvs::kMaxNameBytes));
    if (!qvs::fitsNumber(slot.number))
        throw UsageError(QStringLiteral("the number is longer than %1 bytes").arg(qvs::kMaxNumberBytes));
    return [=](MachineState &state) {
        state.fax[id] = slot;
        return QString();
    };
}

Change setGroup(const QStringList &args, const MachineState &limits) {
    expectCount(args, 2, 2 + qvs::kMaxGroupMembers);
    const auto id = static_cast<uint16_t>(number(args[0], 1, limits.groupCapacity, "ID"));
    qvs::GroupSlot group{args[1], {}};
    if (!qvs::fitsName(group.name)) throw UsageError(QStringLiteral("the name is longer than %1 bytes").arg(qvs::kMaxNameBytes));
    for (const QString &member : args.mid(2))
        group.members.push_back(static_cast<uint16_t>(number(member, 1, limits.faxCapacity, "a member")));
    return [=](MachineState &state) {
        state.groups[id] = group;
        return QString();
    };
}

template <class Slots> Change removeSlot(Slots MachineState::*field, const QStringList &args) {
    expectCount(args, 1, 1);
    const auto id = static_cast<uint16_t>(number(args[0], 1, 0xFFFF, "ID"));
    return [=](MachineState &state) {
        return (state.*field).erase(id) ? QString() : QStringLiteral("slot %1 is empty").arg(id);
    };
}

Change setFault(const QStringList &args) {
    if (args.isEmpty()) throw UsageError(QStringLiteral("which fault?"));
    qvs::MachineFault fault;
    const QString &kind = args[0];
    if (kind == QLatin1String("status")) {
        expectCount(args, 2, 4);
        fault.kind = qvs::MachineFault::Status;
        fault.status = static_cast<uint8_t>(number(args[1], 0, 255, "STATUS"));
        if (args.size() > 2) fault.detail = static_cast<uint8_t>(number(args[2], 0, 255, "DETAIL"));
        if (args.size() > 3) fault.extra = static_cast<uint8_t>(number(args[3], 0, 255, "EXTRA"));
    } else {
        expectCount(args, 1, 1);
        const std::array<std::pair<const char *, qvs::MachineFault::Kind>, 5> kinds{{
            {"none", qvs::MachineFault::None},
            {"malformed", qvs::MachineFault::Malformed},
            {"oversized", qvs::MachineFault::Oversized},
            {"bad-checksum", qvs::MachineFault::BadChecksum},
            {"empty", qvs::MachineFault::Empty},
        }};
        const auto found = std::find_if(kinds.begin(), kinds.end(), [&](const auto &k) { return kind == QLatin1String(k.first); });
        if (found == kinds.end()) throw UsageError(QStringLiteral("unknown fault: %1").arg(kind));
        fault.kind = found->second;
    }
    return [=](MachineState &state) {
        state.fault = fault;
        return QString();
    };
}

Change setPassword(const QStringList &args) {
    expectCount(args, 1, 2);
    QString password;
    if (args[0] == QLatin1String("set") && args.size() == 2)
        password = args[1];
    else if (args[0] != QLatin1String("clear") || args.size() != 1)
        throw UsageError(QStringLiteral("expected: password set DIGITS, or password clear"));
    if (password.isEmpty() != (args[0] == QLatin1String("clear")) || !qvs::isValidPassword(password))
        throw UsageError(QStringLiteral("the password must be 4 to 6 digits"));
    return [=](MachineState &state) {
        state.password = password;
        return QString();
    };
}

Change setCapacity(const QStringList &args) {
    expectCount(args, 2, 2);
    const auto fax = static_cast<uint16_t>(number(args[0], 0, qvs::kMaxCapacity, "FAX"));
    const auto groups = static_cast<uint16_t>(number(args[1], 0, qvs::kMaxCapacity, "GROUPS"));
    return [=](MachineState &state) {
        state.faxCapacity = fax;
        state.groupCapacity = groups;
        return QString();
    };
}

Change setDelayed(const QStringList &args, const MachineState &limits) {
    std::set<uint16_t> chosen;
    for (const QString &slot : args) chosen.insert(static_cast<uint16_t>(number(slot, 1, limits.faxCapacity, "SLOT")));
    return [=](MachineState &state) {
        state.delayedStart = chosen;
        return QString();
    };
}

template <class Field, class Value> Change setField(Field MachineState::*field, Value value) {
    return [=](MachineState &state) {
        state.*field = value;
        return QString();
    };
}

// Takes the machine's lock like a program and keeps it until stdin ends.
int hold(const MachineStore &store) {
    if (!QDir().mkpath(store.folder())) {
        std::cerr << "qvs-machine: cannot create " << store.folder().toLocal8Bit().constData() << '\n';
        return 1;
    }
    const int fd = ::open(QFile::encodeName(store.machineLockFile()).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        std::cerr << "qvs-machine: the machine is in use by another program\n";
        return 1;
    }
    std::fputs("held\n", stdout);
    std::fflush(stdout);
    for (std::string line; std::getline(std::cin, line);) {
    }
    ::close(fd);
    return 0;
}

int run(QStringList args) {
    QString folder = MachineStore::defaultFolder();
    if (args.size() >= 2 && args[0] == QLatin1String("--dir")) {
        folder = args[1];
        args = args.mid(2);
    }
    if (args.isEmpty()) throw UsageError(QStringLiteral("no command given"));
    const MachineStore store(folder);
    const QString command = args.takeFirst();
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        print(QString::fromUtf8(kUsage));
        return 0;
    }
    if (command == QLatin1String("hold")) {
        expectCount(args, 0, 0);
        return hold(store);
    }
    QString error;
    if (command == QLatin1String("demo") || command == QLatin1String("reset")) {
        expectCount(args, 0, 0);
        if (store.replace(command == QLatin1String("demo") ? qvs::demoMachine() : MachineState{}, error)) return 0;
        std::cerr << "qvs-machine: " << error.toLocal8Bit().constData() << '\n';
        return 1;
    }

    MachineState current;
    if (!store.load(current, error)) {
        std::cerr << "qvs-machine: " << error.toLocal8Bit().constData() << '\n';
        return 1;
    }
    if (command == QLatin1String("show")) {
        expectCount(args, 0, 1);
        if (!args.isEmpty() && args[0] != QLatin1String("--json")) throw UsageError(QStringLiteral("unknown option: %1").arg(args[0]));
        print(args.isEmpty() ? describe(current, store) : QString::fromUtf8(qvs::toJson(current)));
        return 0;
    }

    Change change;
    const QString what = args.isEmpty() ? QString() : args[0];
    if (command == QLatin1String("password")) {
        change = setPassword(args);
    } else if (command == QLatin1String("busy")) {
        change = setField(&MachineState::busy, onOff(args));
    } else if (command == QLatin1String("power")) {
        change = setField(&MachineState::poweredOn, onOff(args));
    } else if (command == QLatin1String("capacity")) {
        change = setCapacity(args);
    } else if (command == QLatin1String("delayed")) {
        change = setDelayed(args, current);
    } else if (command == QLatin1String("status")) {
        expectCount(args, 1, 1);
        change = setField(&MachineState::statusWord, number(args[0], 0, 0xFFFFFFFFu, "WORD"));
    } else if (command == QLatin1String("fault")) {
        change = setFault(args);
    } else if (command == QLatin1String("fax") && what == QLatin1String("set")) {
        change = setFax(args.mid(1), current);
    } else if (command == QLatin1String("fax") && what == QLatin1String("remove")) {
        change = removeSlot(&MachineState::fax, args.mid(1));
    } else if (command == QLatin1String("group") && what == QLatin1String("set")) {
        change = setGroup(args.mid(1), current);
    } else if (command == QLatin1String("group") && what == QLatin1String("remove")) {
        change = removeSlot(&MachineState::groups, args.mid(1));
    } else {
        throw UsageError(QStringLiteral("unknown command: %1 %2").arg(command, what).trimmed());
    }
    if (!store.modify(change, error)) {
        std::cerr << "qvs-machine: " << error.toLocal8Bit().constData() << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    try {
        return run(args);
    } catch (const UsageError &error) {
        std::cerr << "qvs-machine: " << error.text.toLocal8Bit().constData() << "\nTry: qvs-machine --help\n";
        return 2;
    }
}
