#!/usr/bin/env python3
"""Host test of scripts/make_dist.py's own rules: the manifest, the missing-file
stop, the staged read-me and the zip's bytes (makensis is exercised by the
installer's test under wine)."""
import os
import sys
import tempfile
import unittest
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_dist  # noqa: E402


class MakeDist(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.bin = os.path.join(self.tmp.name, "bin")
        self.entries = make_dist.read_manifest()
        for target, source in self.entries:
            if source.startswith("bin/"):
                path = make_dist.source_path(source, self.bin)
                os.makedirs(os.path.dirname(path), exist_ok=True)
                with open(path, "wb") as f:
                    f.write(target.encode() * 50)

    def tearDown(self):
        self.tmp.cleanup()

    def test_manifest_lists_what_a_user_needs(self):
        targets = {t for t, _ in self.entries}
        for needed in ["quorel.exe", "voxlite.dll", "voxgrave.dll", "chimepak.dll", "qorlclnup.exe", "rssdefine.inf",
                       "NTPLIST_ORG.TXT", "samples/mike.bmp", "samples/mike.inf", "plugins/QORL_SYNC_ICS.DLL",
                       "readme.txt"]:
            self.assertIn(needed, targets)
        self.assertFalse([t for t in targets if "test" in t.lower()], "nothing of the tests ships")

    def test_manifest_refuses_paths_outside_the_program_folder(self):
        for bad in ["../evil.exe bin/quorel.exe", "/abs.exe bin/quorel.exe", "a.exe build/a.exe", "a.exe"]:
            path = os.path.join(self.tmp.name, "manifest.txt")
            with open(path, "w", encoding="utf-8") as f:
                f.write("# comment\n" + bad + "\n")
            with self.assertRaises(make_dist.DistError, msg=bad):
                make_dist.read_manifest(path)

    def test_a_missing_file_stops_the_build_naming_it(self):
        os.remove(make_dist.source_path("bin/rssdefine.inf", self.bin))
        out = os.path.join(self.tmp.name, "out")
        with self.assertRaises(make_dist.DistError) as caught:
            make_dist.build(self.bin, out)
        self.assertIn("rssdefine.inf", str(caught.exception))
        self.assertFalse(os.path.exists(os.path.join(out, make_dist.ZIP_NAME)))
        self.assertFalse(os.path.exists(os.path.join(out, make_dist.SETUP_NAME)))

    def test_zip_holds_the_staged_files_with_fixed_times_and_the_same_bytes_twice(self):
        zips = []
        for name in ["one", "two"]:
            out = os.path.join(self.tmp.name, name)
            os.makedirs(out)
            stage = os.path.join(out, "stage")
            make_dist.stage(self.entries, self.bin, stage)
            zips.append(make_dist.make_zip(self.entries, stage, out))
        with open(zips[0], "rb") as a, open(zips[1], "rb") as b:
            self.assertEqual(a.read(), b.read())
        with zipfile.ZipFile(zips[0]) as z:
            names = z.namelist()
            self.assertEqual(names, sorted("quorel/" + t for t, _ in self.entries))
            self.assertTrue(all(i.date_time == make_dist.ZIP_TIME for i in z.infolist()))
            self.assertEqual(z.read("quorel/quorel.exe"), b"quorel.exe" * 50)
            readme = z.read("quorel/readme.txt")
        self.assertTrue(readme.startswith(b"\xef\xbb\xbf"), "Notepad needs the byte order mark")
        self.assertNotIn(b"\n", readme.replace(b"\r\n", b""), "every line ends in CR LF")
        readme.decode("utf-8-sig")


if __name__ == "__main__":
    unittest.main()
