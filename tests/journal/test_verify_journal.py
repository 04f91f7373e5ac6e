"""The chain script against a journal the program's store wrote: it holds as written, and
an edit made with SQLite directly is named."""
import os
import shutil
import sqlite3
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.environ["VERADIN_SOURCE_DIR"], "tools"))
import verify_journal  # noqa: E402


class VerifyJournal(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.mkdtemp(prefix="veradin-journal-")
        cls.file = os.path.join(cls.folder, "journal.db")
        subprocess.run([os.environ["VERADIN_WINE_RUN"], os.environ["VERADIN_SAMPLE"], "Z:" + cls.file],
                       check=True, stdin=subprocess.DEVNULL, timeout=120)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.folder, ignore_errors=True)

    def copy(self, name):
        path = os.path.join(self.folder, name)
        shutil.copy(self.file, path)
        return path

    def test_the_written_journal_holds(self):
        self.assertEqual(verify_journal.verify(self.file), (4, None))

    def test_the_sqlite3_tool_reads_the_texts_back(self):
        out = subprocess.run(["sqlite3", self.file, "SELECT name FROM searches WHERE id = 3"],
                             check=True, capture_output=True).stdout
        self.assertEqual(out, "\U00020000\u4dae\n".encode("utf-8"))

    def test_an_edit_is_named(self):
        cases = [
            ("UPDATE searches SET name = 'x' WHERE id = 2", ("searches", 2)),
            ("UPDATE details SET text = 'x'", ("details", 4)),
            ("DELETE FROM searches WHERE id = 1", ("searches", 2)),
        ]
        for sql, broken in cases:
            with self.subTest(sql=sql):
                path = self.copy("edited.db")
                db = sqlite3.connect(path)
                db.execute(sql)
                db.commit()
                db.close()
                self.assertEqual(verify_journal.verify(path)[1], broken)
                os.remove(path)


if __name__ == "__main__":
    unittest.main()
