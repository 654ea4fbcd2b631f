"""Installs the build into a temporary prefix and checks the result: every file
where it belongs and nothing else, the icon sizes, the compressed manual pages,
and the installed programs and libraries working from an unrelated folder (the
editor reading the demo machine through the stand-in).
The Debian package made by cpack holds the same files under the configured
prefix and names its dependencies.
Usage: check_install.py <cmake> <cpack> <build dir> <prefix> <libdir> <app id> <program built: 0|1>
                        [asan runtime]
(it runs itself with --read-machine <libabiflink.so> for the part inside the
installed library)"""
import ctypes
import gzip
import json
import os
import struct
import subprocess
import sys
import tempfile
import time
import unittest


def read_machine(library):
    """Reads the machine through the installed library and prints what came back."""
    lib = ctypes.CDLL(library)
    text = ctypes.POINTER(ctypes.c_uint16)
    lib.ABIFData_Create.restype = ctypes.c_void_p
    for name in ("ABIFData_Delete", "ABIFData_GetCount_Fax", "ABIFData_GetCount_FaxGroup"):
        getattr(lib, name).argtypes = [ctypes.c_void_p]
    lib.AbifDevice_GetStatus.argtypes = [text, ctypes.c_int32]
    lib.AbifDevice_GetStatus.restype = ctypes.c_uint32
    lib.AbifDevice_ReadData.argtypes = [text, ctypes.c_void_p, ctypes.c_int32, text]
    lib.AbifDevice_ReadData.restype = ctypes.c_uint32
    model, password = (ctypes.c_uint16 * 260)(), (ctypes.c_uint16 * 13)()
    status = lib.AbifDevice_GetStatus(model, 0)
    book = lib.ABIFData_Create()
    if lib.AbifDevice_ReadData(model, book, 8, password) != 0:
        sys.exit("reading the machine failed")
    print(json.dumps({"status": status, "fax": lib.ABIFData_GetCount_Fax(book),
                      "groups": lib.ABIFData_GetCount_FaxGroup(book)}))
    lib.ABIFData_Delete(book)


if sys.argv[1] == "--read-machine":
    read_machine(sys.argv[2])
    sys.exit(0)

CMAKE, CPACK, BUILD, PREFIX, LIBDIR, APP_ID, PROGRAM = sys.argv[1:8]
ASAN = sys.argv[8] if len(sys.argv) > 8 else ""
del sys.argv[1:]

STILIB_DIR = f"{LIBDIR}/twain_32/Velmorante Quillabrex K7710_K7910"
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
HELP_TOPICS = (*range(1000, 1014), 1030, *range(100000, 100007))


def expected_files():
    files = {
        "bin/qvs-machine",
        f"{LIBDIR}/libabiflink.so",
        f"{STILIB_DIR}/libqvsSTILib.so",
        f"share/applications/{APP_ID}.desktop",
        f"share/metainfo/{APP_ID}.metainfo.xml",
        f"share/mime/packages/{APP_ID}.xml",
        f"share/icons/hicolor/scalable/apps/{APP_ID}.svg",
        "share/man/man1/linquara.1.gz",
        "share/man/man1/qvs-machine.1.gz",
        "share/linquara/help/index.html",
        "share/linquara/help/help.css",
    }
    files |= {f"share/icons/hicolor/{s}x{s}/apps/{APP_ID}.png" for s in ICON_SIZES}
    files |= {f"share/linquara/help/{t}.html" for t in HELP_TOPICS}
    if PROGRAM == "1":
        files.add("bin/linquara")
    return files


def language_modules(files):
    """The program's language modules, as many as the build makes."""
    return {f for f in files if f.startswith("bin/LinquaraRes_") and f.endswith(".so")}


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    assert head[:8] == b"\x89PNG\r\n\x1a\n", path
    return struct.unpack(">II", head[16:24])


def clean_environment():
    env = {k: v for k, v in os.environ.items() if k not in ("LD_LIBRARY_PATH", "LD_PRELOAD", "QVS_STILIB")}
    env["ASAN_OPTIONS"] = "detect_leaks=0"
    return env


class InstalledCopy(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.prefix_dir = tempfile.TemporaryDirectory()
        cls.prefix = cls.prefix_dir.name
        subprocess.run([CMAKE, "--install", BUILD, "--prefix", cls.prefix], check=True, capture_output=True)
        cls.installed = set()
        for folder, _, names in os.walk(cls.prefix):
            cls.installed |= {os.path.relpath(os.path.join(folder, n), cls.prefix) for n in names}

    @classmethod
    def tearDownClass(cls):
        cls.prefix_dir.cleanup()

    def path(self, relative):
        return os.path.join(self.prefix, relative)

    def test_every_file_where_it_belongs_and_nothing_else(self):
        self.assertEqual(self.installed - language_modules(self.installed), expected_files())

    def test_icons_have_their_folder_size(self):
        for size in ICON_SIZES:
            self.assertEqual(png_size(self.path(f"share/icons/hicolor/{size}x{size}/apps/{APP_ID}.png")), (size, size))

    def test_manual_pages_are_compressed_man_pages(self):
        for page in ("linquara", "qvs-machine"):
            with gzip.open(self.path(f"share/man/man1/{page}.1.gz"), "rt") as f:
                self.assertTrue(f.readline().startswith(f".TH {page.upper()} 1"))

    def test_installed_binaries_resolve_their_libraries_from_any_folder(self):
        binaries = [self.path(f) for f in self.installed if f.startswith("bin/") or f.endswith(".so")]
        with tempfile.TemporaryDirectory() as elsewhere:
            for binary in binaries:
                out = subprocess.run(["ldd", binary], cwd=elsewhere, env=clean_environment(),
                                     capture_output=True, text=True).stdout
                self.assertNotIn("not found", out, binary)
        if "bin/linquara" in self.installed:
            dynamic = subprocess.run(["readelf", "-d", self.path("bin/linquara")], capture_output=True,
                                     text=True).stdout
            self.assertIn("$ORIGIN", dynamic)

    def test_installed_panel_and_stand_in_serve_the_demo_machine_from_another_folder(self):
        with tempfile.TemporaryDirectory() as elsewhere, tempfile.TemporaryDirectory() as machine:
            panel = [self.path("bin/qvs-machine"), "--dir", machine]
            env = clean_environment()
            subprocess.run(panel + ["demo"], cwd=elsewhere, env=env, check=True)
            state = json.loads(subprocess.run(panel + ["show", "--json"], cwd=elsewhere, env=env, check=True,
                                              capture_output=True, text=True).stdout)
            env["QVS_STILIB"] = self.path(f"{STILIB_DIR}/libqvsSTILib.so")
            env["QVS_MACHINE_DIR"] = machine
            if ASAN:
                env["LD_PRELOAD"] = ASAN
            read = subprocess.run([sys.executable, __file__, "--read-machine", self.path(f"{LIBDIR}/libabiflink.so")],
                                  cwd=elsewhere, env=env, check=True, capture_output=True, text=True).stdout
            self.assertEqual(json.loads(read), {"status": 0x21000001, "fax": len(state["fax"]),
                                                "groups": len(state["groups"])})
            self.assertGreater(len(state["fax"]), 0)

    @unittest.skipUnless(PROGRAM == "1", "the editor is not built")
    def test_installed_editor_starts_and_reads_the_demo_machine(self):
        # The library's diagnostic log, switched on beside the installed
        # library, shows the editor's read of the machine.
        library = self.path(f"{LIBDIR}/libabiflink")
        with open(library + ".INI", "w") as profile:
            profile.write("[DumpLog]\nLevel=4\nCategory=2\nTimeStamp=0\n")
        self.addCleanup(os.remove, library + ".INI")
        self.addCleanup(lambda: os.path.exists(library + ".Log") and os.remove(library + ".Log"))
        with tempfile.TemporaryDirectory() as home, tempfile.TemporaryDirectory() as machine:
            env = clean_environment()
            subprocess.run([self.path("bin/qvs-machine"), "--dir", machine, "demo"], cwd=home, env=env, check=True)
            env.update(HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"), TMPDIR=home,
                       XDG_RUNTIME_DIR=home, QT_QPA_PLATFORM="offscreen", QVS_MACHINE_DIR=machine,
                       QVS_STILIB=self.path(f"{STILIB_DIR}/libqvsSTILib.so"))
            if ASAN:
                env["LD_PRELOAD"] = ASAN
            editor = subprocess.Popen([self.path("bin/linquara"), "/USB"], cwd=home, env=env,
                                      stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
            try:
                log = ""
                deadline = time.monotonic() + 60
                while "ThreadFunc_ReadData: End(0x0)" not in log and time.monotonic() < deadline:
                    self.assertIsNone(editor.poll(), "the editor ended early")
                    time.sleep(0.2)
                    if os.path.exists(library + ".Log"):
                        with open(library + ".Log", encoding="utf-8", errors="replace") as f:
                            log = f.read()
                self.assertIn("ThreadFunc_ReadData: End(0x0)", log)
                self.assertIsNone(editor.poll(), "the editor stays open after reading")
            finally:
                editor.kill()
                editor.communicate()


class DebianPackage(unittest.TestCase):
    def test_holds_the_installed_files_under_the_prefix_and_names_its_dependencies(self):
        with tempfile.TemporaryDirectory() as out:
            subprocess.run([CPACK, "-G", "DEB", "-B", out, "--config", os.path.join(BUILD, "CPackConfig.cmake")],
                           check=True, capture_output=True)
            package = next(os.path.join(out, f) for f in os.listdir(out) if f.endswith(".deb"))
            listing = subprocess.run(["dpkg-deb", "-c", package], check=True, capture_output=True,
                                     text=True).stdout
            depends = subprocess.run(["dpkg-deb", "-f", package, "Depends"], check=True, capture_output=True,
                                     text=True).stdout
        root = "./" + PREFIX.strip("/") + "/"
        files = set()
        for line in listing.splitlines():
            mode, path = line.split()[0], line.split(None, 5)[5]
            if not mode.startswith("d"):
                self.assertTrue(path.startswith(root), path)
                files.add(path[len(root):])
        self.assertEqual(files - language_modules(files), expected_files())
        names = {d.split()[0] for alternative in depends.split(",") for d in alternative.split("|")}
        self.assertTrue({"libc6", "libqt6core6", "libqt6gui6", "libqt6widgets6", "qt6-qpa-plugins",
                         "libqt6svg6"} <= names, depends)


if __name__ == "__main__":
    unittest.main()
