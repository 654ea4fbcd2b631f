/*
 * abiflink: the address-book library of the Quillabrex K7710/K7910 editor.
 *
 * Plain C interface (C99 and later, C++). Every export returns a 32-bit result
 * code from the table below unless its comment says otherwise. Texts are
 * UTF-16 code units; records are byte-packed and passed in exactly the layout
 * declared here.
 */
#ifndef ABIFLINK_H
#define ABIFLINK_H

#include <stdint.h>

#if defined(ABIF_BUILDING_LIBRARY)
#define ABIF_API __attribute__((visibility("default")))
#else
#define ABIF_API
#endif

#ifdef __cplusplus
typedef char16_t abif_char16;
extern "C" {
#else
typedef uint16_t abif_char16;
#endif

/* ---- Result codes ------------------------------------------------------ */

#define ABIF_OK        0x00000000 /* success */
#define ABIF_E_FAIL    0x20000001 /* general failure */
#define ABIF_E_LIMIT   0x20000002 /* a record array is at its limit */
#define ABIF_E_PASSWORD 0x20000003 /* the machine wants a password, or refused the one given */
#define ABIF_E_CANCEL  0x20000004 /* cancelled: the user declined, or the flags forbid it */
#define ABIF_E_INDEX   0x20000005 /* record index out of range */
#define ABIF_E_NULL    0x20000006 /* null pointer argument */
#define ABIF_E_END     0x20000007 /* end of records (internal to readers, never returned) */
#define ABIF_E_FORMAT  0x20000008 /* file or data block not in the expected format */
#define ABIF_E_HANDLE  0x2000000A /* container handle is null or not a live container */
#define ABIF_E_MEMORY  0x2000000B /* memory exhausted, or an object could not be created */
#define ABIF_E_RESPONSE 0x2000000C /* malformed response from the machine */
#define ABIF_E_NO_STILIB 0x2000000D /* the scanner driver's still-image library is missing or incomplete */
#define ABIF_E_BUSY_LIBRARY 0x2000000E /* the still-image library reported the machine busy, and waiting was not allowed */
#define ABIF_E_BUSY    0x2000000F /* the machine answered busy, and waiting was not allowed */
#define ABIF_E_CHECKSUM 0x20000011 /* response checksum mismatch */
#define ABIF_W_PARTIAL_WRITE 0x20000012 /* written with a warning: the machine kept some changes back */
#define ABIF_E_STATUS_84 0x20000014 /* the machine answered status 0x84 to a request */
#define ABIF_E_NO_FAX_SLOTS 0x20000015 /* the machine has no fax speed dial slots; nothing was read */
/* A status read: ABIF_STATUS_READ OR the machine status (its low 24 bits). */
#define ABIF_STATUS_READ 0x21000000
/* Any other status of the machine: ABIF_E_MACHINE_STATUS OR (extra code << 16)
 * OR (detail << 8) OR the status byte. */
#define ABIF_E_MACHINE_STATUS 0x22000000
/* File operations return the system's error number (errno, a small positive
 * number) in place of a library code when the file itself fails. */

/* ---- Records ------------------------------------------------------------ */

#define ABIF_LIMIT_UNLIMITED 0x7FFFFFFF

#pragma pack(push, 1)

typedef struct CAbifMyFaxData {      /* PC fax member, 949 bytes */
    uint16_t id;
    abif_char16 name[33];
    abif_char16 faxNumber[51];
    abif_char16 company[65];
    abif_char16 note[255];
    uint8_t commMode;                /* 0 "G3 Auto", 1 "F4800" */
    int64_t updatedOn;               /* seconds since 1970-01-01 00:00 UTC */
    abif_char16 reservedText[65];
} CAbifMyFaxData;

typedef struct CAbifMyFaxGroupData { /* PC fax group, 138 bytes */
    uint16_t id;
    abif_char16 name[33];
    int64_t updatedOn;
    uint16_t memberCount;
    uint16_t members[30];
} CAbifMyFaxGroupData;

typedef struct CAbifFaxData {        /* machine fax speed dial, 170 bytes */
    uint16_t id;
    abif_char16 name[33];
    abif_char16 faxNumber[51];
} CAbifFaxData;

typedef struct CAbifFaxGroupData {   /* machine fax group dial, 268 bytes */
    uint16_t id;
    abif_char16 name[33];
    uint16_t memberCount;
    uint16_t members[99];
} CAbifFaxGroupData;

typedef struct CAbifEMailData {      /* machine email address, 198 bytes */
    uint16_t id;
    abif_char16 name[33];
    abif_char16 emailAddress[65];
} CAbifEMailData;

typedef struct CAbifEMailGroupData { /* machine email group, 90 bytes; count before name */
    uint16_t id;
    uint16_t memberCount;
    abif_char16 name[33];
    uint16_t members[10];
} CAbifEMailGroupData;

typedef struct CAbifServerAddressData { /* machine server address, 721 bytes */
    uint16_t id;
    uint8_t serverType;              /* 1 Computer (SMB), 0 Server (FTP) */
    abif_char16 name[33];
    abif_char16 hostName[65];
    uint16_t portNumber;
    abif_char16 loginName[97];
    abif_char16 loginPassword[33];
    abif_char16 folderPath[97];
    abif_char16 shareName[33];
} CAbifServerAddressData;

typedef struct CAbifEMailSubjectData { /* 102 bytes */
    abif_char16 subject[51];
} CAbifEMailSubjectData;

typedef struct CAbifEMailBodyData {  /* 402 bytes */
    abif_char16 body[201];
} CAbifEMailBodyData;

#pragma pack(pop)

/* ---- Record container --------------------------------------------------- */

/* Opaque container handle. Null, foreign and already deleted handles are
 * refused with ABIF_E_HANDLE. */
typedef struct CAbifData CAbifData;

/* Kind masks for comparisons. */
#define ABIF_KIND_MYFAX    0x1000  /* MyFax and MyFaxGroup */
#define ABIF_KIND_FAX      0x2000  /* Fax and FaxGroup */
#define ABIF_KIND_EMAIL    0x4000  /* EMail and EMailGroup */
#define ABIF_KIND_SERVER   0x8000
#define ABIF_KIND_SUBJECT  0x10000
#define ABIF_KIND_BODY     0x20000

/* New empty container with the default limits; null when memory is exhausted. */
ABIF_API CAbifData *ABIFData_Create(void);
/* Destroys the container and its records; a bad handle is ignored. */
ABIF_API void ABIFData_Delete(CAbifData *data);

/*
 * Per record kind:
 *   Add:      appends `count` records; stops with ABIF_E_LIMIT at the kind's
 *             limit, keeping the records added before it.
 *   GetAt:    copies the record at `index` (current order) into `record`.
 *   GetCount: number of records, or ABIF_E_HANDLE for a bad handle.
 *   SetLimit: a negative limit means unlimited; existing records stay.
 */
#define ABIF_DECLARE_KIND(Kind, Record)                                              \
    ABIF_API int32_t ABIFData_Add_##Kind(CAbifData *data, int32_t count, const Record *records); \
    ABIF_API int32_t ABIFData_GetAt_##Kind(CAbifData *data, int32_t index, Record *record);      \
    ABIF_API int32_t ABIFData_GetCount_##Kind(CAbifData *data);                                  \
    ABIF_API int32_t ABIFData_SetLimit_##Kind(CAbifData *data, int32_t limit);

ABIF_DECLARE_KIND(MyFax, CAbifMyFaxData)
ABIF_DECLARE_KIND(MyFaxGroup, CAbifMyFaxGroupData)
ABIF_DECLARE_KIND(Fax, CAbifFaxData)
ABIF_DECLARE_KIND(FaxGroup, CAbifFaxGroupData)
ABIF_DECLARE_KIND(EMail, CAbifEMailData)
ABIF_DECLARE_KIND(EMailGroup, CAbifEMailGroupData)
ABIF_DECLARE_KIND(ServerAddress, CAbifServerAddressData)
ABIF_DECLARE_KIND(EMailSubject, CAbifEMailSubjectData)
ABIF_DECLARE_KIND(EMailBody, CAbifEMailBodyData)

#undef ABIF_DECLARE_KIND

/* ---- Library settings ---------------------------------------------------- */

/* Sets the UI language (a Windows LANGID such as 1033) of the calling thread.
 * Always returns 0. */
ABIF_API int32_t Abif_Initialize(int32_t languageId);
/* Sets the help file path (zero-terminated); "DMY" means no help file. A
 * folder of pages "<topic>.html", or a path ending in ".chm" (any case) that
 * stands for the folder of the same name, selects HTML help: a topic opens
 * its page with the desktop's handler. Always returns 0. */
ABIF_API int32_t Abif_SetHelpFileName(const abif_char16 *path);

/* ---- Machine ------------------------------------------------------------ */

/* Chooses the device that the calling thread's next device operations open:
 * type 0 opens the model name passed to each operation, any other type the
 * given name (at most 254 units are kept). `modelName` is not used. Returns 0. */
ABIF_API int32_t AbifDevice_SetDestinationDevice(const abif_char16 *modelName, int32_t type,
                                                 const abif_char16 *name);

/* ---- Block cipher ------------------------------------------------------ */

/* Blowfish in electronic-codebook mode, each 8-byte block split into two
 * little-endian 32-bit halves. Input and output may be the same buffer and
 * must both hold the input length rounded up to a multiple of 8. A key length
 * of 0 or less keys the cipher with the key's first byte.
 * Abif_Encode pads the last block with zeros and returns the rounded length;
 * it returns 0 for an empty input or a null pointer. */
ABIF_API int32_t Abif_Encode(const uint8_t *key, int32_t keyLength, uint8_t *output, const uint8_t *input,
                             int32_t inputLength);
/* Deciphers the rounded-up length; padding is not removed. Does nothing for a
 * null pointer. */
ABIF_API void Abif_Decode(const uint8_t *key, int32_t keyLength, uint8_t *output, const uint8_t *input,
                          int32_t inputLength);

/* ---- Machine address book backup file ----------------------------------- */

/* Saves the Fax and FaxGroup records of `data` to the file at `path`
 * (zero-terminated), replacing an existing file only once the new one is
 * complete. Restore replaces every record of `data` with those of the file
 * and returns ABIF_E_FORMAT for a file that is not a backup. Both return the
 * system's error number when the file itself fails. `reserved` is ignored. */
ABIF_API int32_t Abif_PabBackup(const abif_char16 *path, CAbifData *data, int32_t reserved);
ABIF_API int32_t Abif_PabRestore(const abif_char16 *path, CAbifData *data, int32_t reserved);

/* ---- CSV export ---------------------------------------------------------- */

#define ABIF_EXPORT_MYFAX 1 /* PC fax members: name, fax number, company, note */
#define ABIF_EXPORT_FAX   2 /* machine fax speed dials: id, name, fax number */
#define ABIF_EXPORT_EMAIL 4 /* machine email addresses: id, name, email address */

/* Writes the entries of one kind of the container to the CSV file `path`
 * (zero-terminated), one record per entry in the container's current order,
 * in the user's charset without a byte-order mark. Any other type writes an
 * empty file. The file is replaced only when everything was written: on a
 * failure the previous file stays as it was, and the result is the system
 * error number (or ABIF_E_MEMORY). `reserved` is ignored; pass 0. */
ABIF_API int32_t Abif_Export(const abif_char16 *path, int32_t type, CAbifData *data, int32_t reserved);

/* ---- PC fax address book file ------------------------------------------- */

/* Update flags: ask the user before overwriting a file that changed since the
 * base container was read from it; without ASK, refuse to overwrite it. */
#define ABIF_GAD_ASK_OVERWRITE    0x20
#define ABIF_GAD_REFUSE_OVERWRITE 0x40

/* Reads the file (zero-terminated path) into `data` (MyFax and MyFaxGroup),
 * normalised. ABIF_E_FORMAT or ABIF_E_LIMIT keep the records read before the
 * fault. `reserved` is ignored. */
ABIF_API int32_t AbifGADFile_Read(const abif_char16 *path, CAbifData *data, int32_t reserved);
/* Replaces the file with the MyFax and MyFaxGroup records of `data`; a failed
 * write leaves the previous file intact. Records the file cannot carry (a text
 * holding the unit 3 or 4, a group of more than 30 members) give ABIF_E_FORMAT
 * and nothing is written. While one caller writes or updates the file, another
 * waits a few seconds and then fails with EAGAIN. `reserved` is ignored. */
ABIF_API int32_t AbifGADFile_Write(const abif_char16 *path, CAbifData *data, int32_t reserved);
/* Writes `edited` unless the file changed since `base` was read from it and
 * `flags` (or the user, when asked) refuse: ABIF_E_CANCEL. Then reads the file
 * as written into `output`. An empty or damaged file is written without asking;
 * its read result (ABIF_E_FORMAT) is returned and `output` is not touched. */
ABIF_API int32_t AbifGADFile_Update(const abif_char16 *path, CAbifData *base, CAbifData *edited,
                                    CAbifData *output, int32_t flags);

/* ---- Device operations ---------------------------------------------------- */

/* Flags of the device operations (bits of their `flags` argument). */
#define ABIF_DEVICE_CERTIFY          0x0001 /* CertificationPassword: run at all; clear returns 0 */
#define ABIF_DEVICE_TRY_GIVEN        0x0002 /* CertificationPassword: first try the password passed */
#define ABIF_DEVICE_TRY_PROBE        0x0004 /* CertificationPassword: then the probe, then ask */
#define ABIF_DEVICE_ADMIN_PASSWORD   0x0008 /* CertificationPassword: ask for the administrator password */
#define ABIF_DEVICE_THREE_PROMPTS    0x0010 /* CertificationPassword: ask up to three times, not once */
#define ABIF_DEVICE_ASK_OVERWRITE    0x0020 /* UpdateData: ask before overwriting changes made at the machine */
#define ABIF_DEVICE_REFUSE_OVERWRITE 0x0040 /* UpdateData: without ASK, cancel when the machine changed */
#define ABIF_DEVICE_NO_RETRY         0x0800 /* all: do not wait while the machine is busy */

/*
 * Each operation runs one conversation with the machine on a worker thread
 * behind the library's progress dialog (no window without a QApplication).
 * `modelName` must not be null; an empty one (first unit 0) is filled with
 * "QV Quillabrex K7710/K7910" and needs room for 260 units. It names the
 * device opened unless AbifDevice_SetDestinationDevice chose another on the
 * calling thread. Passwords are at most 12 units; longer ones are cut.
 */

/* ABIF_STATUS_READ OR the machine status on success. */
ABIF_API int32_t AbifDevice_GetStatus(abif_char16 *modelName, int32_t flags);
/* Finds a password the machine accepts: the one in `password`, the probe, or
 * the user's answer, as the flags say. `password` has room for 13 units; after
 * an accepted prompt it holds the password entered. ABIF_E_PASSWORD when none
 * was accepted, ABIF_E_CANCEL when the user cancelled the prompt. */
ABIF_API int32_t AbifDevice_CertificationPassword(abif_char16 *modelName, int32_t flags, abif_char16 *password);
/* Replaces the content of `data` with the machine's fax speed dials and fax
 * groups, sorted. ABIF_E_NO_FAX_SLOTS leaves it empty. `password` may be null. */
ABIF_API int32_t AbifDevice_ReadData(abif_char16 *modelName, CAbifData *data, int32_t flags, const abif_char16 *password);
/* Writes the fax part of `changed` to the machine when it differs from `base`
 * (the machine as last read), and leaves what the machine holds afterwards in
 * `result`. A machine changed since `base` was read is overwritten, asked
 * about or left alone as the flags say. ABIF_W_PARTIAL_WRITE: written, but the
 * machine kept some slots as they were (`result` shows them). */
ABIF_API int32_t AbifDevice_UpdateData(abif_char16 *modelName, CAbifData *base, CAbifData *changed, CAbifData *result,
                                       int32_t flags, const abif_char16 *password);

/* ---- Import --------------------------------------------------------------- */

#define ABIF_IMPORT_CSV          0 /* a CSV file */
#define ABIF_IMPORT_VCARD        1 /* a vCard file, or the personal contacts folder */
#define ABIF_IMPORT_MAIL_PROGRAM 2 /* the mail program's address book */

#define ABIF_IMPORT_TO_PC_FAX 2 /* MyFax: PC fax address book members */
#define ABIF_IMPORT_TO_FAX    4 /* Fax: machine fax speed dials (1 means the same) */
#define ABIF_IMPORT_TO_EMAIL  8 /* EMail: machine email addresses */

#define ABIF_IMPORT_HIGHLIGHT_ALL 0x200 /* the row selection starts with every candidate highlighted */

/* Runs the import wizard on the calling (GUI) thread, starting with the
 * source `sourceType` and the file `path` (null or empty: none yet). The
 * person may choose among the books in `destinations` (ABIF_IMPORT_TO_*
 * bits). After Finish the container holds only the chosen entries of the
 * chosen kind, at most as many as its limit for that kind allows, and the
 * result is ABIF_OK. ABIF_E_CANCEL when the person cancelled (or no window
 * can be shown), ABIF_E_FAIL when `destinations` names no book, or the
 * failure that ended the wizard; the container is then left untouched. */
ABIF_API int32_t Abif_Import(int32_t sourceType, const abif_char16 *path, int32_t destinations, CAbifData *data,
                             int32_t options);

#ifdef __cplusplus
} /* extern "C" */

#include <cstddef>
#define ABIF_CHECK_FIELD(T, f, off) static_assert(offsetof(T, f) == (off), #T "::" #f)
static_assert(sizeof(CAbifMyFaxData) == 949);
ABIF_CHECK_FIELD(CAbifMyFaxData, name, 2);
ABIF_CHECK_FIELD(CAbifMyFaxData, faxNumber, 68);
ABIF_CHECK_FIELD(CAbifMyFaxData, company, 170);
ABIF_CHECK_FIELD(CAbifMyFaxData, note, 300);
ABIF_CHECK_FIELD(CAbifMyFaxData, commMode, 810);
ABIF_CHECK_FIELD(CAbifMyFaxData, updatedOn, 811);
ABIF_CHECK_FIELD(CAbifMyFaxData, reservedText, 819);
static_assert(sizeof(CAbifMyFaxGroupData) == 138);
ABIF_CHECK_FIELD(CAbifMyFaxGroupData, name, 2);
ABIF_CHECK_FIELD(CAbifMyFaxGroupData, updatedOn, 68);
ABIF_CHECK_FIELD(CAbifMyFaxGroupData, memberCount, 76);
ABIF_CHECK_FIELD(CAbifMyFaxGroupData, members, 78);
static_assert(sizeof(CAbifFaxData) == 170);
ABIF_CHECK_FIELD(CAbifFaxData, name, 2);
ABIF_CHECK_FIELD(CAbifFaxData, faxNumber, 68);
static_assert(sizeof(CAbifFaxGroupData) == 268);
ABIF_CHECK_FIELD(CAbifFaxGroupData, name, 2);
ABIF_CHECK_FIELD(CAbifFaxGroupData, memberCount, 68);
ABIF_CHECK_FIELD(CAbifFaxGroupData, members, 70);
static_assert(sizeof(CAbifEMailData) == 198);
ABIF_CHECK_FIELD(CAbifEMailData, name, 2);
ABIF_CHECK_FIELD(CAbifEMailData, emailAddress, 68);
static_assert(sizeof(CAbifEMailGroupData) == 90);
ABIF_CHECK_FIELD(CAbifEMailGroupData, memberCount, 2);
ABIF_CHECK_FIELD(CAbifEMailGroupData, name, 4);
ABIF_CHECK_FIELD(CAbifEMailGroupData, members, 70);
static_assert(sizeof(CAbifServerAddressData) == 721);
ABIF_CHECK_FIELD(CAbifServerAddressData, serverType, 2);
ABIF_CHECK_FIELD(CAbifServerAddressData, name, 3);
ABIF_CHECK_FIELD(CAbifServerAddressData, hostName, 69);
ABIF_CHECK_FIELD(CAbifServerAddressData, portNumber, 199);
ABIF_CHECK_FIELD(CAbifServerAddressData, loginName, 201);
ABIF_CHECK_FIELD(CAbifServerAddressData, loginPassword, 395);
ABIF_CHECK_FIELD(CAbifServerAddressData, folderPath, 461);
ABIF_CHECK_FIELD(CAbifServerAddressData, shareName, 655);
static_assert(sizeof(CAbifEMailSubjectData) == 102);
static_assert(sizeof(CAbifEMailBodyData) == 402);
#undef ABIF_CHECK_FIELD
#endif

#endif /* ABIFLINK_H */
