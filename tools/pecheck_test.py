#!/usr/bin/python3
"""Tests for pecheck.py on fixture DLLs cross-built at test time."""

import struct
import subprocess
import sys
import tempfile
import unittest
from dataclasses import dataclass, field
from pathlib import Path

PECHECK = Path(__file__).resolve().parent / "pecheck.py"
CC = "i686-w64-mingw32-gcc"
WINDRES = "i686-w64-mingw32-windres"

MODULE_SOURCE = """\
unsigned Linkage[8] = {0x13};
void *ImportTable[4] = {(void *)0xF, 0, 0, 0};
"""

WINSOCK_SOURCE = """\
#include <winsock2.h>
int winsock_error(void) { return WSAGetLastError(); }
"""

VERSION_BLOCK = """\
1 VERSIONINFO
FILEVERSION 1,0,0,0
PRODUCTVERSION 1,0,0,0
BEGIN
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "040904B0"
    BEGIN
      VALUE "CompanyName", "Fixture Works"
      VALUE "FileDescription", "Fixture gauge"
      VALUE "FileVersion", "1.0.0.0"
      VALUE "OriginalFilename", "Fixture.dll"
      VALUE "ProductName", "Fixture Panel"
      VALUE "ProductVersion", "1.0.0.0"
    END
  END
  BLOCK "VarFileInfo"
  BEGIN
    VALUE "Translation", 0x409, 1200
  END
END
"""

# Bitmaps of the good fixture: id -> (width, height, role). The hand's odd
# width makes its rows padded.
GOOD_BITMAPS = {0x100: (16, 8, "face"), 0x1100: (5, 3, "hand")}

GOOD_CHECKS = {
    "PE32",
    "machine",
    "DLL",
    "exports",
    "export Linkage is data",
    "export ImportTable is data",
    "imports",
    "no runtime DLLs",
    "bitmap ids",
    "bitmap 0x100 (face)",
    "bitmap 0x1100 (hand)",
    "version resource",
    "fixed version",
    "version string table",
    "version string FileVersion",
    "version string ProductVersion",
    "version string OriginalFilename",
    "version string CompanyName",
    "version string ProductName",
}


def write_bitmap(path, width, height, top_down=False):
    """An 8-bit BI_RGB bitmap file with a 256-entry grey palette."""
    stride = (width + 3) // 4 * 4
    rows = b"".join(bytes(x % 256 for x in range(y, y + width)).ljust(stride, b"\0") for y in range(height))
    palette = b"".join(bytes((i, i, i, 0)) for i in range(256))
    stored_height = -height if top_down else height
    info = struct.pack("<IiiHHIIiiII", 40, width, stored_height, 1, 8, 0, len(rows), 0, 0, 256, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    path.write_bytes(header + info + palette + rows)


@dataclass
class Fixture:
    """One fixture DLL: how it differs from the good one and what must fail."""

    name: str
    dll_name: str = "Fixture.dll"
    source: str = ""
    exports: tuple = ()
    libs: tuple = ()
    built_sizes: dict = field(default_factory=dict)
    omitted: tuple = ()
    top_down: tuple = ()
    # check name -> text its FAIL line must contain
    faults: dict = field(default_factory=dict)


FIXTURES = [
    Fixture("good"),
    Fixture(
        "extra export",
        source="int Extra(void) { return 1; }\n",
        exports=("Extra",),
        faults={"exports": "unexpected Extra"},
    ),
    Fixture(
        "import from ws2_32",
        source=WINSOCK_SOURCE,
        libs=("-lws2_32",),
        faults={"imports": "not allowed ws2_32.dll"},
    ),
    Fixture(
        "wrong bitmap size",
        built_sizes={0x1100: (6, 3)},
        faults={"bitmap 0x1100 (hand)": "width: expected 5, found 6"},
    ),
    Fixture(
        "missing bitmap",
        omitted=(0x1100,),
        faults={"bitmap ids": "missing 0x1100 (hand)"},
    ),
    Fixture(
        "top-down bitmap",
        top_down=(0x100,),
        faults={"bitmap 0x100 (face)": "found -8 (top-down rows)"},
    ),
    Fixture(
        "renamed module",
        dll_name="Renamed.dll",
        faults={"version string OriginalFilename": "expected 'Renamed.dll', found 'Fixture.dll'"},
    ),
]


def run(*args, cwd=None):
    return subprocess.run(args, cwd=cwd, capture_output=True, text=True, check=False)


def build(fixture, directory):
    """Cross-build the fixture's DLL in its own directory; returns the DLL and list paths."""
    directory.mkdir()
    rc_lines = ["LANGUAGE 9, 1"]
    list_lines = ["# id     width  height  role"]
    for bitmap_id, (width, height, role) in GOOD_BITMAPS.items():
        list_lines.append(f"{bitmap_id:#x}  {width}  {height}  {role}")
        if bitmap_id in fixture.omitted:
            continue
        built_width, built_height = fixture.built_sizes.get(bitmap_id, (width, height))
        bitmap = directory / f"{bitmap_id:x}.bmp"
        write_bitmap(bitmap, built_width, built_height, bitmap_id in fixture.top_down)
        rc_lines.append(f'{bitmap_id:#x} BITMAP "{bitmap.name}"')
    (directory / "fixture.rc").write_text("\n".join(rc_lines) + "\n" + VERSION_BLOCK)
    (directory / "fixture.c").write_text(MODULE_SOURCE + fixture.source)
    exports = ("Linkage DATA", "ImportTable DATA", *fixture.exports)
    (directory / "fixture.def").write_text("EXPORTS\n" + "".join(f"  {name}\n" for name in exports))
    (directory / "bitmaps.list").write_text("\n".join(list_lines) + "\n")
    steps = [
        [WINDRES, "-O", "coff", "fixture.rc", "-o", "fixture.res.o"],
        [CC, "-shared", "-O2", "-o", fixture.dll_name, "fixture.c", "fixture.def", "fixture.res.o",
         "-static", "-static-libgcc", "-Wl,--exclude-all-symbols", *fixture.libs],
    ]
    for step in steps:
        result = run(*step, cwd=directory)
        if result.returncode != 0:
            raise RuntimeError(f"{fixture.name}: {' '.join(step)} failed:\n{result.stderr}")
    return directory / fixture.dll_name, directory / "bitmaps.list"


def pecheck(list_path, dll_path):
    return run(sys.executable, str(PECHECK), "--bitmaps", str(list_path), str(dll_path))


def results(stdout):
    """Map check name -> (status, detail) from pecheck's output lines."""
    checks = {}
    for line in stdout.splitlines():
        status, _, rest = line.partition(" ")
        name, _, detail = rest.strip().partition(": ")
        checks[name] = (status, detail)
    return checks


class PecheckTest(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.TemporaryDirectory()
        self.addCleanup(self.work.cleanup)

    def test_fixtures(self):
        for index, fixture in enumerate(FIXTURES):
            with self.subTest(fixture.name):
                dll, bitmap_list = build(fixture, Path(self.work.name) / f"fixture{index}")
                result = pecheck(bitmap_list, dll)
                checks = results(result.stdout)
                failed = {name for name, (status, _) in checks.items() if status != "ok"}
                self.assertEqual(failed, set(fixture.faults), result.stdout + result.stderr)
                self.assertEqual(result.returncode, 1 if fixture.faults else 0, result.stdout + result.stderr)
                if not fixture.faults:
                    self.assertEqual(set(checks), GOOD_CHECKS, result.stdout)
                for name, expected in fixture.faults.items():
                    self.assertEqual(checks[name][0], "FAIL")
                    self.assertIn(expected.lower(), checks[name][1].lower())

    def test_malformed_list_names_file_and_line(self):
        cases = [
            ("missing height", "0x100 16 face\n", 2),
            ("bad hex id", "0x10g 16 8 face\n", 2),
            ("zero width", "0x100 0 8 face\n", 2),
            ("duplicate id as decimal", "0x100 16 8 face\n256 16 8 again\n", 3),
        ]
        for name, body, line in cases:
            with self.subTest(name):
                list_path = Path(self.work.name) / "bitmaps.list"
                list_path.write_text("# id width height role\n" + body)
                result = pecheck(list_path, Path(self.work.name) / "absent.dll")
                self.assertEqual(result.returncode, 2, result.stderr)
                self.assertIn(f"{list_path}:{line}:", result.stderr)
                self.assertEqual(result.stdout, "")


if __name__ == "__main__":
    unittest.main()
