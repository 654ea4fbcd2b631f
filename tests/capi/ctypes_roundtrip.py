"""A Python ctypes caller of libabiflink.so: usage ctypes_roundtrip.py <library>."""
import ctypes
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

LIBRARY = sys.argv.pop(1)
ABIF_OK, ABIF_E_LIMIT, ABIF_E_INDEX, ABIF_E_HANDLE = 0, 0x20000002, 0x20000005, 0x2000000A


class Fax(ctypes.Structure):
    _pack_ = 1
    _fields_ = [("id", ctypes.c_uint16), ("name", ctypes.c_uint16 * 33), ("faxNumber", ctypes.c_uint16 * 51)]


def text(s, width):
    units = (ctypes.c_uint16 * width)()
    for i, ch in enumerate(s.encode("utf-16-le").decode("utf-16-le")[: width - 1]):
        units[i] = ord(ch)
    return units


def path16(path):
    units = path.encode("utf-16-le")
    buffer = (ctypes.c_uint16 * (len(units) // 2 + 1))()
    ctypes.memmove(buffer, units, len(units))
    return buffer


def read_text(units):
    chars = []
    for u in units:
        if u == 0:
            break
        chars.append(chr(u))
    return "".join(chars)


class CtypesRoundTrip(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        lib = ctypes.CDLL(LIBRARY)
        lib.ABIFData_Create.restype = ctypes.c_void_p
        lib.ABIFData_Delete.argtypes = [ctypes.c_void_p]
        lib.ABIFData_Add_Fax.argtypes = [ctypes.c_void_p, ctypes.c_int32, ctypes.POINTER(Fax)]
        lib.ABIFData_GetAt_Fax.argtypes = [ctypes.c_void_p, ctypes.c_int32, ctypes.POINTER(Fax)]
        lib.ABIFData_GetCount_Fax.argtypes = [ctypes.c_void_p]
        for backup in (lib.Abif_PabBackup, lib.Abif_PabRestore):
            backup.argtypes = [ctypes.POINTER(ctypes.c_uint16), ctypes.c_void_p, ctypes.c_int32]
        cls.lib = lib

    def test_record_layout(self):
        self.assertEqual(ctypes.sizeof(Fax), 170)
        self.assertEqual(Fax.faxNumber.offset, 68)

    def test_hundred_faxes_keep_ninety_nine_and_read_back(self):
        lib = self.lib
        records = (Fax * 100)()
        for i in range(100):
            records[i].id = 100 - i
            records[i].name = text("Büro %d" % (100 - i), 33)
            records[i].faxNumber = text("0123", 51)
        handle = lib.ABIFData_Create()
        self.assertTrue(handle)
        try:
            self.assertEqual(lib.ABIFData_Add_Fax(handle, 100, records), ABIF_E_LIMIT)
            self.assertEqual(lib.ABIFData_GetCount_Fax(handle), 99)
            out = Fax()
            for i in range(99):
                self.assertEqual(lib.ABIFData_GetAt_Fax(handle, i, ctypes.byref(out)), ABIF_OK)
                self.assertEqual(out.id, 100 - i)
                self.assertEqual(read_text(out.name), "Büro %d" % (100 - i))
            self.assertEqual(lib.ABIFData_GetAt_Fax(handle, 99, ctypes.byref(out)), ABIF_E_INDEX)
        finally:
            lib.ABIFData_Delete(handle)

    def test_backup_and_restore_sort_the_records_by_id(self):
        lib = self.lib
        records = (Fax * 99)()
        for i in range(99):
            records[i].id = (i * 37) % 99 + 1
            records[i].name = text("Büro %d" % records[i].id, 33)
        handle, restored = lib.ABIFData_Create(), lib.ABIFData_Create()
        try:
            self.assertEqual(lib.ABIFData_Add_Fax(handle, 99, records), ABIF_OK)
            with tempfile.TemporaryDirectory() as folder:
                path = path16(os.path.join(folder, "Sicherung ä.backup"))
                self.assertEqual(lib.Abif_PabBackup(path, handle, 0), ABIF_OK)
                self.assertEqual(lib.Abif_PabRestore(path, restored, 0), ABIF_OK)
            out = Fax()
            ids = []
            for i in range(lib.ABIFData_GetCount_Fax(restored)):
                self.assertEqual(lib.ABIFData_GetAt_Fax(restored, i, ctypes.byref(out)), ABIF_OK)
                self.assertEqual(read_text(out.name), "Büro %d" % out.id)
                ids.append(out.id)
            self.assertEqual(ids, list(range(1, 100)))
        finally:
            lib.ABIFData_Delete(handle)
            lib.ABIFData_Delete(restored)

    def test_deleted_and_null_handles_are_refused(self):
        lib = self.lib
        handle = lib.ABIFData_Create()
        lib.ABIFData_Delete(handle)
        self.assertEqual(lib.ABIFData_GetCount_Fax(handle), ABIF_E_HANDLE)
        self.assertEqual(lib.ABIFData_Add_Fax(handle, 1, (Fax * 1)()), ABIF_E_HANDLE)
        lib.ABIFData_Delete(handle)
        self.assertEqual(lib.ABIFData_GetCount_Fax(None), ABIF_E_HANDLE)


class ModuleLog(unittest.TestCase):
    """Loading and unloading the library logs its start and end beside it."""

    def run_loader(self, folder):
        copy = os.path.join(folder, "libabiflink.so")
        shutil.copy(LIBRARY, copy)
        subprocess.run([sys.executable, "-c", "import ctypes, sys; ctypes.CDLL(sys.argv[1])", copy], check=True)
        return os.path.join(folder, "libabiflink.Log")

    def test_start_and_end_lines_when_the_settings_ask_for_them(self):
        with tempfile.TemporaryDirectory() as folder:
            with open(os.path.join(folder, "libabiflink.INI"), "w") as ini:
                ini.write("[DumpLog]\nLevel=4\nTimeStamp=0\n")
            with open(self.run_loader(folder), "rb") as log:
                lines = log.read().split(b"\r\n")
            self.assertRegex(lines[0].decode(), r"^\[GEN\] \[INF\] InitInstance\(hInst=0x[0-9a-f]+, nThreadID=0x[0-9a-f]+\)$")
            self.assertRegex(lines[1].decode(), r"^\[GEN\] \[INF\] ExitInstance\(hInst=0x[0-9a-f]+, nThreadID=0x[0-9a-f]+\)$")

    def test_no_log_file_without_settings(self):
        with tempfile.TemporaryDirectory() as folder:
            self.assertFalse(os.path.exists(self.run_loader(folder)))


if __name__ == "__main__":
    unittest.main()
