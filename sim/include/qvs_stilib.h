/*
 * qvsSTILib: the scanner driver's still-image library of the Quillabrex
 * K7710/K7910, as the library abiflink loads it at run time. This header is
 * the contract between the two; the project's machine stand-in implements it.
 *
 * Plain C (C99 and later, C++). Both entry points return 0 on success; any
 * other value is a code of the still-image library (QVS_STI_E_*).
 */
#ifndef QVS_STILIB_H
#define QVS_STILIB_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Commands of StiCommand --------------------------------------------- */

#define QVS_STI_OPEN     1 /* argument: device name, zero-terminated, locale charset */
#define QVS_STI_CLOSE    2 /* argument: none */
#define QVS_STI_TRANSFER 6 /* argument: QvsStiCommandRecord */
#define QVS_STI_LOCK     8 /* argument: none */
#define QVS_STI_UNLOCK   9 /* argument: none */

/* ---- Results of the still-image library ---------------------------------- */

#define QVS_STI_E_SHARING   ((int32_t)0x80070020) /* another program holds the machine: busy */
#define QVS_STI_E_BUSY      ((int32_t)0x80210006) /* the machine is busy at its panel */
#define QVS_STI_E_NOT_READY ((int32_t)0x80070015) /* no machine answers: switched off or unplugged */
#define QVS_STI_E_NOT_OPEN  ((int32_t)0x80070006) /* no device is open on this thread */
#define QVS_STI_E_ARGUMENT  ((int32_t)0x80070057) /* missing or malformed argument, unknown command */
#define QVS_STI_E_STORAGE   ((int32_t)0x8007001F) /* the machine's state could not be read or kept */
/* A transfer that sends a block ends with this when the machine kept some of
 * the block's changes back (slots waiting for a delayed fax). */
#define QVS_STI_W_PARTIAL   ((int32_t)0x20000012)

/* ---- The transfer command record ----------------------------------------- */

#define QVS_STI_SEND_RECEIVE 0xD0 /* send a block, receive the response */
#define QVS_STI_SEND_ONLY    0xD1 /* send a block that has no response */

/* Status byte of a transfer, set by the machine. */
#define QVS_STI_STATUS_OK        0x00
#define QVS_STI_STATUS_PASSWORD  0x81 /* password required or wrong */
#define QVS_STI_STATUS_BUSY      0x83 /* the machine is in use */
#define QVS_STI_STATUS_REFUSED   0x84 /* request refused in the machine's current mode */
#define QVS_STI_STATUS_MALFORMED 0x85 /* the block sent was not understood */
#define QVS_STI_STATUS_CHECKSUM  0x86 /* the checksum of the block sent is wrong */
#define QVS_STI_STATUS_BUSY_JOB  0x87 /* the machine is busy with a job of its own */

/*
 * 64 bytes, zeroed by the caller before use. "BE" fields are big-endian,
 * "host" fields in the host's order; fields not listed are zero.
 *
 *   offset size
 *      1    1  code: QVS_STI_SEND_RECEIVE or QVS_STI_SEND_ONLY
 *      2    1  out: status byte (QVS_STI_STATUS_*)
 *      3    1  out: detail byte
 *      4    4  in: length of the block sent (BE);
 *              out, QVS_STI_SEND_RECEIVE: length of the response (BE)
 *     12    1  out: extra code byte
 *     40    4  host: 4 for QVS_STI_SEND_RECEIVE, 1 for QVS_STI_SEND_ONLY
 *     44    8  host: address of the block to send
 *     52    8  host: QVS_STI_SEND_RECEIVE: address of the response buffer;
 *                    QVS_STI_SEND_ONLY: 0
 *     60    4  QVS_STI_SEND_RECEIVE: capacity of the response buffer (BE);
 *              QVS_STI_SEND_ONLY: 0
 *
 * The record of the 32-bit driver has 4-byte addresses at 44 and 52 with
 * 4 unused bytes after each; here each address takes those 4 bytes as well,
 * so that every other field keeps its offset and the record its size. The
 * addresses sit at offsets that are not multiples of 8: copy them with
 * memcpy, never through a uint64_t pointer.
 */
#define QVS_STI_RECORD_SIZE        64
#define QVS_STI_AT_CODE            1
#define QVS_STI_AT_STATUS          2
#define QVS_STI_AT_DETAIL          3
#define QVS_STI_AT_LENGTH          4
#define QVS_STI_AT_EXTRA           12
#define QVS_STI_AT_MODE            40
#define QVS_STI_AT_SEND_ADDRESS    44
#define QVS_STI_AT_RECEIVE_ADDRESS 52
#define QVS_STI_AT_CAPACITY        60

#define QVS_STI_MODE_SEND_RECEIVE 4
#define QVS_STI_MODE_SEND_ONLY    1

typedef struct QvsStiCommandRecord {
    uint8_t bytes[QVS_STI_RECORD_SIZE];
} QvsStiCommandRecord;

/* ---- The status record ---------------------------------------------------- */

/*
 * 24 bytes. The caller sets size = 24 and version = 1 (host order); on
 * success the machine status is in status (host order; the machine uses its
 * low 24 bits). The remaining 12 bytes are the library's.
 */
typedef struct QvsStiStatusRecord {
    uint32_t size;
    uint32_t version;
    uint32_t status;
    uint8_t reserved[12];
} QvsStiStatusRecord;

#define QVS_STI_STATUS_RECORD_VERSION 1

/* ---- Entry points ---------------------------------------------------------- */

typedef int32_t (*QvsStiCommandFunction)(int32_t command, void *argument);
typedef int32_t (*QvsStiGetStatusFunction)(QvsStiStatusRecord *record);

#ifdef QVS_STILIB_BUILDING
#define QVS_STI_API __attribute__((visibility("default")))
#else
#define QVS_STI_API
#endif

QVS_STI_API int32_t StiCommand(int32_t command, void *argument);
QVS_STI_API int32_t StiGetStatus(QvsStiStatusRecord *record);

#ifdef __cplusplus
} /* extern "C" */
static_assert(sizeof(QvsStiCommandRecord) == QVS_STI_RECORD_SIZE);
static_assert(sizeof(QvsStiStatusRecord) == 24);
static_assert(sizeof(void *) <= 8, "addresses must fit the record's 8-byte address fields");
#endif

#endif /* QVS_STILIB_H */
