// The machine's state in its folder, shared by every program that uses the
// machine: the state file is replaced atomically, and changes from several
// processes are serialised by a lock file.
#pragma once

#include "machine_state.h"

#include <QString>

#include <functional>

namespace qvs {

class MachineStore {
public:
    // QVS_MACHINE_DIR when set, else "qvs-machine" in the user's state folder.
    static QString defaultFolder();

    explicit MachineStore(QString folder = defaultFolder());

    [[nodiscard]] const QString &folder() const { return folder_; }
    [[nodiscard]] QString stateFile() const;
    // Held by the program that has taken the machine's lock.
    [[nodiscard]] QString machineLockFile() const;

    // A folder without a state file holds a new, empty machine. False, with
    // `error` set, when the file cannot be read or is not a machine state.
    bool load(MachineState &state, QString &error) const;

    // Loads, lets `change` alter the state, and saves, with every other
    // change held off meanwhile. `change` returns an error to save nothing.
    bool modify(const std::function<QString(MachineState &)> &change, QString &error) const;
    // Replaces the machine whole, even one whose state file is unreadable.
    bool replace(const MachineState &state, QString &error) const;

private:
    bool update(const std::function<QString(MachineState &)> &change, bool loadFirst, QString &error) const;
    bool save(const MachineState &state, QString &error) const;

    QString folder_;
};

}  // namespace qvs
