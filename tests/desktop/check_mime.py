"""The address book MIME types as the desktop sees them: the package file is
valid for update-mime-database, and a PC fax book is recognised by its name
and, without one, by its first bytes.
Usage: check_mime.py <mime package xml>"""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

PACKAGE = sys.argv.pop(1)
BOOK, BACKUP = "application/x-quillabrex-pcfax-book", "application/x-quillabrex-address-backup"


class MimeTypes(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.root = tempfile.TemporaryDirectory()
        cls.share = os.path.join(cls.root.name, "share")
        packages = os.path.join(cls.share, "mime", "packages")
        os.makedirs(packages)
        shutil.copy(PACKAGE, packages)
        subprocess.run(["xmllint", "--noout", PACKAGE], check=True)
        cls.env = dict(os.environ, XDG_DATA_HOME=os.path.join(cls.root.name, "home"),
                       XDG_DATA_DIRS=cls.share + os.pathsep + "/usr/share")
        built = subprocess.run(["update-mime-database", os.path.join(cls.share, "mime")], env=cls.env,
                               capture_output=True, text=True)
        cls.database_errors = built.returncode, built.stderr

    @classmethod
    def tearDownClass(cls):
        cls.root.cleanup()

    def content_type(self, path):
        out = subprocess.run(["gio", "info", "-a", "standard::content-type", path], env=self.env, check=True,
                             capture_output=True, text=True).stdout
        return out.rsplit("standard::content-type:", 1)[1].strip()

    def write(self, name, data):
        path = os.path.join(self.root.name, name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def test_database_builds_without_complaint(self):
        self.assertEqual(self.database_errors, (0, ""))

    def test_recognised_by_extension(self):
        for name, expected in (("Customers.qad", BOOK), ("UPPER.QAD", BOOK), ("Machine.qbk", BACKUP)):
            self.assertEqual(self.content_type(self.write(name, b"\0\0")), expected, name)

    def test_book_recognised_by_its_header_without_extension(self):
        header = "VELMORANTE_AIO_ADDRESS_BOOK_1000".encode("utf-16-le") + b"\x04\x00"
        self.assertEqual(self.content_type(self.write("book-without-extension", header)), BOOK)
        self.assertNotEqual(self.content_type(self.write("other", "VELMORANTE".encode("ascii"))), BOOK)


if __name__ == "__main__":
    unittest.main()
