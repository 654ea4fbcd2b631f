/*
 * A C99 caller of libabiflink.so: fills a container over the limit, reads the
 * records back, sorts them by backing them up to a file and restoring it (the
 * restore normalises), and hands the library a deleted handle. Doubles as the
 * demo that scripts/run.sh shows. Exit status 0 when every check holds.
 *   abif_roundtrip_demo [backup file, default abif_roundtrip_demo.backup]
 */
#include "abiflink.h"

#include <stdio.h>
#include <string.h>

static int checks = 0;
static int failures = 0;

static void check(int ok, const char *what) {
    printf("  %-58s %s\n", what, ok ? "ok" : "FAILED");
    ++checks;
    if (!ok) ++failures;
}

static void set_path(abif_char16 *path, size_t units, const char *ascii) {
    size_t i;
    for (i = 0; ascii[i] != '\0' && i + 1 < units; ++i) path[i] = (abif_char16)(unsigned char)ascii[i];
    path[i] = 0;
}

/* Backs `data` up to `file` and restores it into a new container, which
 * comes back sorted by ID. */
static void sort_through_backup(CAbifData *data, const char *file) {
    abif_char16 path[4096];
    CAbifFaxData out;
    CAbifData *sorted = ABIFData_Create();
    int32_t i, ascending = 1, previous = 0;

    set_path(path, sizeof path / sizeof *path, file);
    check(Abif_PabBackup(path, data, 0) == ABIF_OK, "Abif_PabBackup writes the fax records");
    check(Abif_PabRestore(path, sorted, 0) == ABIF_OK, "Abif_PabRestore reads them back");
    check(ABIFData_GetCount_Fax(sorted) == 99, "all 99 fax records are restored");
    for (i = 0; i < ABIFData_GetCount_Fax(sorted); ++i) {
        if (ABIFData_GetAt_Fax(sorted, i, &out) != ABIF_OK || out.id <= previous) ascending = 0;
        previous = out.id;
    }
    check(ascending && previous == 99, "the restored records are sorted by ID");
    check(ABIFData_GetAt_Fax(data, 0, &out) == ABIF_OK && out.id == 99, "the original keeps its own order");
    ABIFData_Delete(sorted);
    remove(file);
}

static void set_text(abif_char16 *field, size_t units, const char *ascii) {
    size_t i;
    memset(field, 0, units * sizeof *field);
    for (i = 0; ascii[i] != '\0' && i + 1 < units; ++i) field[i] = (abif_char16)ascii[i];
}

int main(int argc, char **argv) {
    static CAbifFaxData records[100];
    CAbifFaxData out;
    CAbifData *data;
    int32_t i, result, ordered = 1;
    char name[16];

    /* Speed dials 99 down to 1, and one more that the limit refuses. */
    for (i = 0; i < 100; ++i) {
        const int id = i < 99 ? 99 - i : 100;
        records[i].id = (uint16_t)id;
        sprintf(name, "Speed dial %d", id);
        set_text(records[i].name, 33, name);
        set_text(records[i].faxNumber, 51, "+44 20 7946 0000");
    }

    printf("Round trip through an abiflink container:\n");
    data = ABIFData_Create();
    check(data != NULL, "ABIFData_Create gives a container");

    result = ABIFData_Add_Fax(data, 100, records);
    check(result == ABIF_E_LIMIT, "adding 100 fax records stops with ABIF_E_LIMIT");
    check(ABIFData_GetCount_Fax(data) == 99, "99 fax records are kept");

    for (i = 0; i < 99; ++i) {
        memset(&out, 0, sizeof out);
        if (ABIFData_GetAt_Fax(data, i, &out) != ABIF_OK || memcmp(&out, &records[i], sizeof out) != 0) ordered = 0;
    }
    check(ordered, "records come back byte for byte in insertion order");
    check(ABIFData_GetAt_Fax(data, 99, &out) == ABIF_E_INDEX, "index 99 is out of range");
    check(sizeof(CAbifFaxData) == 170 && sizeof(CAbifMyFaxData) == 949, "record sizes match the library's");

    sort_through_backup(data, argc > 1 ? argv[1] : "abif_roundtrip_demo.backup");

    ABIFData_Delete(data);
    check(ABIFData_GetCount_Fax(data) == ABIF_E_HANDLE, "a deleted handle is refused");
    check(ABIFData_Add_Fax(data, 1, records) == ABIF_E_HANDLE, "adding to a deleted handle is refused");
    ABIFData_Delete(data);
    check(ABIFData_GetCount_Fax(NULL) == ABIF_E_HANDLE, "a null handle is refused");

    printf("%d passed, %d failed\n", checks - failures, failures);
    return failures == 0 ? 0 : 1;
}
