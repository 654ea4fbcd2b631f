"""The device operations through the real libabiflink.so, from Python ctypes,
against the machine stand-in, headless.
Usage: device_ctypes.py <libabiflink.so> <libqvsSTILib.so> <qvs-machine>"""
import ctypes
import json
import os
import subprocess
import sys
import tempfile
import unittest

LIBRARY, STILIB, PANEL = sys.argv[1:4]
del sys.argv[1:4]
ABIF_OK, ABIF_E_PASSWORD, ABIF_E_CANCEL = 0, 0x20000003, 0x20000004
ABIF_E_BUSY_LIBRARY, ABIF_W_PARTIAL_WRITE, ABIF_E_NO_FAX_SLOTS = 0x2000000E, 0x20000012, 0x20000015


class Fax(ctypes.Structure):
    _pack_ = 1
    _fields_ = [("id", ctypes.c_uint16), ("name", ctypes.c_uint16 * 33), ("faxNumber", ctypes.c_uint16 * 51)]


class FaxGroup(ctypes.Structure):
    _pack_ = 1
    _fields_ = [("id", ctypes.c_uint16), ("name", ctypes.c_uint16 * 33), ("memberCount", ctypes.c_uint16),
                ("members", ctypes.c_uint16 * 99)]


def units(text, width):
    encoded = text.encode("utf-16-le")
    buffer = (ctypes.c_uint16 * width)()
    for i in range(min(len(encoded) // 2, width - 1)):
        buffer[i] = encoded[2 * i] | encoded[2 * i + 1] << 8
    return buffer


def string(buffer):
    chars = []
    for unit in buffer:
        if unit == 0:
            break
        chars.append(chr(unit))
    return "".join(chars)


class DeviceOperations(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        os.environ["QVS_STILIB"] = STILIB
        os.environ["QVS_MACHINE_DIR"] = cls.folder.name
        lib = ctypes.CDLL(LIBRARY)
        lib.ABIFData_Create.restype = ctypes.c_void_p
        for name in ("ABIFData_Delete", "ABIFData_GetCount_Fax", "ABIFData_GetCount_FaxGroup"):
            getattr(lib, name).argtypes = [ctypes.c_void_p]
        lib.ABIFData_Add_Fax.argtypes = [ctypes.c_void_p, ctypes.c_int32, ctypes.POINTER(Fax)]
        lib.ABIFData_GetAt_Fax.argtypes = [ctypes.c_void_p, ctypes.c_int32, ctypes.POINTER(Fax)]
        lib.ABIFData_Add_FaxGroup.argtypes = [ctypes.c_void_p, ctypes.c_int32, ctypes.POINTER(FaxGroup)]
        lib.ABIFData_GetAt_FaxGroup.argtypes = [ctypes.c_void_p, ctypes.c_int32, ctypes.POINTER(FaxGroup)]
        text = ctypes.POINTER(ctypes.c_uint16)
        lib.AbifDevice_GetStatus.argtypes = [text, ctypes.c_int32]
        lib.AbifDevice_ReadData.argtypes = [text, ctypes.c_void_p, ctypes.c_int32, text]
        lib.AbifDevice_UpdateData.argtypes = [text, ctypes.c_void_p, ctypes.c_void_p, ctypes.c_void_p,
                                              ctypes.c_int32, text]
        lib.AbifDevice_CertificationPassword.argtypes = [text, ctypes.c_int32, text]
        for name in ("AbifDevice_GetStatus", "AbifDevice_ReadData", "AbifDevice_UpdateData",
                     "AbifDevice_CertificationPassword"):
            getattr(lib, name).restype = ctypes.c_uint32
        cls.lib = lib

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def setUp(self):
        self.panel("demo")
        self.containers = []

    def tearDown(self):
        for handle in self.containers:
            self.lib.ABIFData_Delete(handle)

    def panel(self, *args):
        return subprocess.run([PANEL, "--dir", self.folder.name, *args], check=True, capture_output=True,
                              text=True).stdout

    def machine(self):
        state = json.loads(self.panel("show", "--json"))
        return ({f["id"]: (f["name"], f["number"]) for f in state["fax"]},
                {g["id"]: (g["name"], g["members"]) for g in state["groups"]})

    def container(self):
        handle = self.lib.ABIFData_Create()
        self.containers.append(handle)
        return handle

    def book(self, handle):
        fax, groups, order = {}, {}, []
        for i in range(self.lib.ABIFData_GetCount_Fax(handle)):
            r = Fax()
            self.lib.ABIFData_GetAt_Fax(handle, i, ctypes.byref(r))
            fax[r.id] = (string(r.name), string(r.faxNumber))
            order.append(r.id)
        for i in range(self.lib.ABIFData_GetCount_FaxGroup(handle)):
            r = FaxGroup()
            self.lib.ABIFData_GetAt_FaxGroup(handle, i, ctypes.byref(r))
            groups[r.id] = (string(r.name), list(r.members[:r.memberCount]))
        self.assertEqual(order, sorted(order))
        return fax, groups

    def fill(self, handle, fax, groups):
        for id_, (name, number) in fax.items():
            r = Fax(id_, units(name, 33), units(number, 51))
            self.lib.ABIFData_Add_Fax(handle, 1, ctypes.byref(r))
        for id_, (name, members) in groups.items():
            r = FaxGroup(id_, units(name, 33), len(members))
            for i, member in enumerate(members):
                r.members[i] = member
            self.lib.ABIFData_Add_FaxGroup(handle, 1, ctypes.byref(r))

    def read(self, handle, flags=8, password=""):
        model = units("", 260)
        return self.lib.AbifDevice_ReadData(model, handle, flags, units(password, 13))

    def update(self, base, changed, result, flags=0x28, password=""):
        return self.lib.AbifDevice_UpdateData(units("", 260), base, changed, result, flags, units(password, 13))

    def test_status_and_the_default_model_name(self):
        model = units("", 260)
        self.assertEqual(self.lib.AbifDevice_GetStatus(model, 0), 0x21000001)
        self.assertEqual(string(model), "QV Quillabrex K7710/K7910")

    def test_read_change_and_read_back(self):
        base, changed, result = self.container(), self.container(), self.container()
        self.assertEqual(self.read(base), ABIF_OK)
        self.assertEqual(self.book(base), self.machine())
        fax, groups = self.book(base)
        fax[1] = ("Hauptbüro", "+49 30 5550")
        del fax[12]
        groups[3] = ("Neu", [1, 2])
        self.fill(changed, fax, groups)
        self.assertEqual(self.update(base, changed, result), ABIF_OK)
        self.assertEqual(self.book(result), (fax, groups))
        self.assertEqual(self.machine(), (fax, groups))

    def test_change_at_the_machine_refused_with_flag_0x40(self):
        base, changed, result = self.container(), self.container(), self.container()
        self.assertEqual(self.read(base), ABIF_OK)
        fax, groups = self.book(base)
        fax[2] = ("Renamed", "1")
        self.fill(changed, fax, groups)
        self.panel("fax", "remove", "3")
        before = self.machine()
        self.assertEqual(self.update(base, changed, result, 0x48), ABIF_E_CANCEL)
        self.assertEqual(self.machine(), before)

    def test_password_busy_delayed_start_and_no_fax_slots(self):
        data, changed, result = self.container(), self.container(), self.container()
        self.panel("password", "set", "4711")
        self.assertEqual(self.read(data), ABIF_E_PASSWORD)
        password = units("4711", 13)
        self.assertEqual(self.lib.AbifDevice_CertificationPassword(units("", 260), 0x1F, password), ABIF_OK)
        self.assertEqual(self.read(data, password="4711"), ABIF_OK)
        self.panel("password", "clear")

        self.panel("busy", "on")
        self.assertEqual(self.read(data, 0x0808), ABIF_E_BUSY_LIBRARY)
        self.panel("busy", "off")

        self.assertEqual(self.read(data), ABIF_OK)
        self.panel("delayed", "4")
        fax, groups = self.book(data)
        kept = fax[4]
        fax[4] = ("Moved", "9")
        self.fill(changed, fax, groups)
        self.assertEqual(self.update(data, changed, result), ABIF_W_PARTIAL_WRITE)
        self.assertEqual(self.book(result)[0][4], kept)

        self.panel("reset")
        self.panel("capacity", "0", "6")
        self.assertEqual(self.read(data), ABIF_E_NO_FAX_SLOTS)
        self.assertEqual(self.lib.ABIFData_GetCount_Fax(data), 0)


if __name__ == "__main__":
    unittest.main()
