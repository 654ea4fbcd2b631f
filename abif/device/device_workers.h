// The worker routines of the four device operations. Each runs one whole
// conversation with the machine on the progress display's worker thread and
// leaves its result code in the job.
#pragma once

#include "device/device_job.h"
#include "device/progress_control.h"

namespace abif {

using DeviceWorker = void (*)(ProgressControl &, DeviceJob &);

// The machine status (ABIF_STATUS_READ OR its low 24 bits).
void ThreadFunc_GetStatus(ProgressControl &progress, DeviceJob &job);
// Whether the machine accepts the job's password; an empty one is refused
// without asking the machine.
void ThreadFunc_CertificationPassword(ProgressControl &progress, DeviceJob &job);
// The machine's fax book into job.data, sorted; ABIF_E_NO_FAX_SLOTS leaves it empty.
void ThreadFunc_ReadData(ProgressControl &progress, DeviceJob &job);
// Writes job.changed when the flags say the fax part changed, after checking
// the machine against job.base; then reads the machine back into job.data.
// Cancel counts until the block is sent, never after: a write that may have
// reached the machine ends with the read-back and the write's own code.
void ThreadFunc_UpdateData(ProgressControl &progress, DeviceJob &job);

}  // namespace abif
