// A data block as the machine stand-in receives it, answered as a query and
// applied as an update. The first byte sets up the machine: bit 0 gives it
// the password "1234", bit 1 sets the block's checksum right before it is
// read (mutations would rarely keep it), bit 2 makes two slots wait for a
// delayed fax.
#include "device/pab_checksum.h"
#include "exact_copy.h"
#include "machine_protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1) return 0;
    const uint8_t setup = data[0];
    ++data;
    --size;
    const auto block = fuzz::exactCopy(data, size);
    if (setup & 2) abif::pab::addBlockChecksum(block.get(), size);

    qvs::MachineState state = qvs::demoMachine();
    if (setup & 1) state.password = QStringLiteral("1234");
    if (setup & 4) state.delayedStart = {1, 3};
    qvs::answerQuery(state, block.get(), size);
    qvs::applyUpdate(state, block.get(), size);
    return 0;
}
