#!/usr/bin/python3
"""Check the PE structure of a built 32-bit gauge DLL.

Prints one line per check, "ok  ..." or "FAIL ..." with what was expected
and what was found, and exits 1 if any check fails (2 on a usage error or
an unreadable bitmap list).
"""

import argparse
import os
import re
import struct
import sys
from dataclasses import dataclass

import pefile

EXPORT_NAMES = ("Linkage", "ImportTable")
ALLOWED_DLLS = ("KERNEL32.dll", "msvcrt.dll")
RUNTIME_DLL_PREFIXES = ("libgcc", "libstdc++", "libwinpthread")
LANG_EN_US = 1033
VERSION_ID = 1
VERSION_TEXT = "1.0.0.0"

PE32_MAGIC = 0x10B
MACHINE_I386 = 0x14C
IMAGE_FILE_DLL = 0x2000
IMAGE_SCN_CNT_CODE = 0x00000020
IMAGE_SCN_MEM_EXECUTE = 0x20000000

BITMAPINFOHEADER = struct.Struct("<IiiHHIIiiII")
PALETTE_BYTES = 256 * 4
BI_RGB = 0

ID_PATTERN = re.compile(r"0[xX][0-9a-fA-F]+|[0-9]+")
SIZE_PATTERN = re.compile(r"[0-9]+")


class ListError(Exception):
    """A bitmap list file that cannot be used."""


@dataclass(frozen=True)
class ListedBitmap:
    id: int
    width: int
    height: int
    role: str

    def label(self):
        return f"{self.id:#x} ({self.role})" if self.role else f"{self.id:#x}"


def parse_id(text):
    if not ID_PATTERN.fullmatch(text):
        return None
    return int(text, 16 if text[:2].lower() == "0x" else 10)


def parse_size(text):
    return int(text) if SIZE_PATTERN.fullmatch(text) else None


def read_bitmap_list(path):
    """Read "id width height role" lines into a dict of ListedBitmap by id."""
    try:
        with open(path, encoding="utf-8") as file:
            lines = file.read().splitlines()
    except (OSError, UnicodeDecodeError) as error:
        raise ListError(f"{path}: cannot read bitmap list: {error}") from error
    listed_bitmaps = {}
    first_line = {}
    for number, line in enumerate(lines, start=1):
        fields = line.split("#", 1)[0].split()
        if not fields:
            continue
        where = f"{path}:{number}"
        if len(fields) < 3:
            raise ListError(
                f"{where}: expected 'id width height role', found '{line.strip()}'"
            )
        bitmap_id = parse_id(fields[0])
        if bitmap_id is None or not 1 <= bitmap_id <= 0xFFFF:
            raise ListError(
                f"{where}: expected a resource id 1..0xffff (hex 0x... or decimal), "
                f"found '{fields[0]}'"
            )
        width, height = parse_size(fields[1]), parse_size(fields[2])
        if not width or not height:
            raise ListError(
                f"{where}: expected a positive decimal width and height, "
                f"found '{fields[1]} {fields[2]}'"
            )
        if bitmap_id in listed_bitmaps:
            raise ListError(
                f"{where}: id {bitmap_id:#x} already listed on line {first_line[bitmap_id]}"
            )
        listed_bitmaps[bitmap_id] = ListedBitmap(bitmap_id, width, height, " ".join(fields[3:]))
        first_line[bitmap_id] = number
    if not listed_bitmaps:
        raise ListError(f"{path}: lists no bitmaps")
    return listed_bitmaps


class Report:
    """Prints check results and remembers whether any failed."""

    def __init__(self, out):
        self.out = out
        self.failed = False

    def check(self, name, problems, ok_detail):
        if problems:
            self.failed = True
            print(f"FAIL {name}: {'; '.join(problems)}", file=self.out)
        else:
            print(f"ok  {name}: {ok_detail}", file=self.out)


def text(raw):
    return raw.decode("utf-8", errors="replace") if isinstance(raw, bytes) else str(raw)


def section_name(section):
    return text(section.Name.rstrip(b"\0"))


def check_header(pe, report):
    magic = pe.OPTIONAL_HEADER.Magic
    report.check(
        "PE32",
        [] if magic == PE32_MAGIC else [f"expected optional header magic {PE32_MAGIC:#x}, found {magic:#x}"],
        f"optional header magic {magic:#x}",
    )
    machine = pe.FILE_HEADER.Machine
    report.check(
        "machine",
        [] if machine == MACHINE_I386 else [f"expected i386 ({MACHINE_I386:#x}), found {machine:#x}"],
        f"i386 ({machine:#x})",
    )
    flags = pe.FILE_HEADER.Characteristics
    not_dll = (
        f"expected characteristics flag IMAGE_FILE_DLL ({IMAGE_FILE_DLL:#x}), "
        f"found characteristics {flags:#x}"
    )
    report.check(
        "DLL",
        [] if flags & IMAGE_FILE_DLL else [not_dll],
        f"characteristics {flags:#x} include IMAGE_FILE_DLL",
    )


def export_symbols(pe):
    directory = getattr(pe, "DIRECTORY_ENTRY_EXPORT", None)
    return list(directory.symbols) if directory else []


def check_exports(pe, report):
    symbols = export_symbols(pe)
    by_name = {text(symbol.name): symbol for symbol in symbols if symbol.name}
    ordinal_only = [symbol.ordinal for symbol in symbols if not symbol.name]
    missing = [name for name in EXPORT_NAMES if name not in by_name]
    unexpected = sorted(name for name in by_name if name not in EXPORT_NAMES)
    problems = []
    if missing:
        problems.append(f"missing {', '.join(missing)}")
    if unexpected:
        problems.append(f"unexpected {', '.join(unexpected)}")
    if ordinal_only:
        ordinals = ", ".join(f"#{ordinal}" for ordinal in ordinal_only)
        problems.append(f"unexpected ordinal-only {ordinals}")
    if problems:
        found = ", ".join([*by_name, *(f"#{ordinal}" for ordinal in ordinal_only)]) or "none"
        problems.insert(0, f"expected exactly {', '.join(EXPORT_NAMES)} by name, found {found}")
    report.check("exports", problems, ", ".join(EXPORT_NAMES))
    for name in EXPORT_NAMES:
        if name in by_name:
            check_export_is_data(pe, name, by_name[name], report)


def check_export_is_data(pe, name, symbol, report):
    check_name = f"export {name} is data"
    if symbol.forwarder:
        forwarder = text(symbol.forwarder)
        report.check(check_name, [f"expected data in this module, found a forwarder to {forwarder}"], "")
        return
    section = pe.get_section_by_rva(symbol.address)
    if section is None:
        outside = f"RVA {symbol.address:#x} outside every section"
        report.check(check_name, [f"expected an RVA inside a section, found {outside}"], "")
        return
    flags = section.Characteristics
    kinds = [
        label
        for bit, label in ((IMAGE_SCN_MEM_EXECUTE, "executable"), (IMAGE_SCN_CNT_CODE, "code"))
        if flags & bit
    ]
    where = f"RVA {symbol.address:#x} in section {section_name(section)} (characteristics {flags:#x}"
    report.check(
        check_name,
        [f"expected a non-executable section, found {where}: {', '.join(kinds)})"] if kinds else [],
        f"{where}, not executable)",
    )


def imported_dlls(pe):
    entries = [
        *getattr(pe, "DIRECTORY_ENTRY_IMPORT", []),
        *getattr(pe, "DIRECTORY_ENTRY_DELAY_IMPORT", []),
    ]
    return [text(entry.dll) for entry in entries]


def check_imports(pe, report):
    dlls = imported_dlls(pe)
    found = ", ".join(dlls) or "none"
    allowed = {name.lower() for name in ALLOWED_DLLS}
    not_allowed = ", ".join(dll for dll in dlls if dll.lower() not in allowed)
    report.check(
        "imports",
        [
            f"expected only {', '.join(ALLOWED_DLLS)}, "
            f"found not allowed {not_allowed} (all imports: {found})"
        ]
        if not_allowed
        else [],
        found,
    )
    runtime = [dll for dll in dlls if dll.lower().startswith(RUNTIME_DLL_PREFIXES)]
    patterns = ", ".join(f"{prefix}*" for prefix in RUNTIME_DLL_PREFIXES)
    report.check(
        "no runtime DLLs",
        [f"expected none of {patterns}, found {', '.join(runtime)}"] if runtime else [],
        f"none of {patterns}",
    )


def resource_entries(pe, type_name):
    """The id and name entries under one resource type, empty when absent."""
    directory = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    type_id = pefile.RESOURCE_TYPE[type_name]
    for entry in directory.entries if directory else []:
        if entry.name is None and entry.id == type_id:
            return list(entry.directory.entries)
    return []


def languages(entry):
    return list(entry.directory.entries) if hasattr(entry, "directory") else []


def language_problems(entry):
    langs = [lang.id for lang in languages(entry)]
    if langs == [LANG_EN_US]:
        return []
    return [f"expected one language {LANG_EN_US}, found {', '.join(map(str, langs)) or 'none'}"]


def pick_language(entry):
    """The 1033 language entry, or else the first one, or None."""
    langs = languages(entry)
    return next((lang for lang in langs if lang.id == LANG_EN_US), langs[0] if langs else None)


def resource_bytes(pe, lang_entry):
    data = lang_entry.data.struct
    return pe.get_data(data.OffsetToData, data.Size)


def entry_label(entry):
    return f"'{text(entry.name)}'" if entry.name is not None else f"{entry.id:#x}"


def check_bitmaps(pe, listed_bitmaps, report):
    entries = resource_entries(pe, "RT_BITMAP")
    found = {entry.id: entry for entry in entries if entry.name is None}
    missing = [
        listed_bitmaps[bitmap_id].label()
        for bitmap_id in sorted(listed_bitmaps)
        if bitmap_id not in found
    ]
    unexpected = [
        entry_label(entry)
        for entry in entries
        if entry.name is not None or entry.id not in listed_bitmaps
    ]
    problems = []
    if missing:
        problems.append(f"missing {', '.join(missing)}")
    if unexpected:
        problems.append(f"unexpected {', '.join(unexpected)}")
    ids_text = ", ".join(f"{bitmap_id:#x}" for bitmap_id in sorted(listed_bitmaps))
    if problems:
        present = ", ".join(entry_label(entry) for entry in entries) or "none"
        problems.insert(0, f"expected {ids_text}, found {present}")
    report.check("bitmap ids", problems, f"{ids_text} as listed")
    for bitmap_id in sorted(listed_bitmaps):
        if bitmap_id in found:
            check_bitmap(pe, listed_bitmaps[bitmap_id], found[bitmap_id], report)


def check_bitmap(pe, listed, entry, report):
    problems = language_problems(entry)
    lang_entry = pick_language(entry)
    if lang_entry is not None:
        try:
            problems += dib_problems(listed, resource_bytes(pe, lang_entry))
        except pefile.PEFormatError as error:
            problems.append(f"expected readable bitmap data, found {error}")
    report.check(
        f"bitmap {listed.label()}",
        problems,
        f"{listed.width}x{listed.height} bottom-up, 8 bpp, BI_RGB, 256-entry palette, "
        f"language {LANG_EN_US}",
    )


def dib_problems(listed, data):
    """What is wrong with a resource DIB (no file header) against its list entry."""
    if len(data) < BITMAPINFOHEADER.size:
        return [
            f"expected a {BITMAPINFOHEADER.size}-byte BITMAPINFOHEADER, "
            f"found only {len(data)} bytes of data"
        ]
    header = BITMAPINFOHEADER.unpack_from(data)
    size, width, height, planes, bits, compression, _, _, _, colours, _ = header
    if size != BITMAPINFOHEADER.size:
        return [f"header size: expected {BITMAPINFOHEADER.size} (BITMAPINFOHEADER), found {size}"]
    problems = []
    if width != listed.width:
        problems.append(f"width: expected {listed.width}, found {width}")
    if height != listed.height:
        rows = " (top-down rows)" if height < 0 else ""
        problems.append(f"height: expected {listed.height} (bottom-up rows), found {height}{rows}")
    fixed_fields = (
        ("planes", 1, planes),
        ("bits per pixel", 8, bits),
        ("compression", BI_RGB, compression),
    )
    for field, expected, value in fixed_fields:
        if value != expected:
            problems.append(f"{field}: expected {expected}, found {value}")
    if colours not in (0, 256):
        problems.append(f"colour count: expected 256 or 0, found {colours}")
    if width > 0 and height > 0 and bits == 8 and compression == BI_RGB:
        stride = (width + 3) // 4 * 4
        needed = BITMAPINFOHEADER.size + PALETTE_BYTES + stride * height
        if len(data) < needed:
            problems.append(
                f"data length: expected at least {needed} bytes "
                f"(header, palette, {height} rows of {stride}), found {len(data)}"
            )
    return problems


def version_text(most, least):
    return f"{most >> 16}.{most & 0xFFFF}.{least >> 16}.{least & 0xFFFF}"


def parsed_version(pe, lang_entry):
    """The fixed info and string tables of one version resource entry.

    pefile keeps version data on the PE object, one item per parsed
    resource; clearing it first makes the result belong to this entry.
    """
    for attribute in ("VS_VERSIONINFO", "VS_FIXEDFILEINFO", "FileInfo"):
        if hasattr(pe, attribute):
            delattr(pe, attribute)
    pe.parse_version_information(lang_entry.data.struct)
    fixed = getattr(pe, "VS_FIXEDFILEINFO", [None])[0]
    file_info = getattr(pe, "FileInfo", [[]])[0]
    return fixed, [
        table
        for info in file_info
        if info.Key == b"StringFileInfo"
        for table in getattr(info, "StringTable", [])
    ]


def string_table_language(table):
    try:
        return int(text(table.LangID)[:4], 16)
    except ValueError:
        return None


def check_version(pe, gauge, report):
    entries = resource_entries(pe, "RT_VERSION")
    found = [(entry.name, entry.id, lang.id) for entry in entries for lang in languages(entry)]
    listing = ", ".join(
        f"id {number if name is None else text(name)} language {lang}" for name, number, lang in found
    ) or "none"
    expected = f"id {VERSION_ID} language {LANG_EN_US}"
    report.check(
        "version resource",
        [] if found == [(None, VERSION_ID, LANG_EN_US)] else [f"expected only {expected}, found {listing}"],
        expected,
    )
    entry = next((e for e in entries if e.name is None and e.id == VERSION_ID), None)
    langs = languages(entry) if entry else []
    lang_entry = next((lang for lang in langs if lang.id == LANG_EN_US), None)
    if lang_entry is None:
        return
    fixed, tables = parsed_version(pe, lang_entry)
    check_fixed_version(fixed, report)
    table = next((t for t in tables if string_table_language(t) == LANG_EN_US), None)
    present = ", ".join(text(t.LangID) for t in tables) or "none"
    report.check(
        "version string table",
        [] if table else [f"expected a table for language {LANG_EN_US} (040904B0), found {present}"],
        f"language {LANG_EN_US} ({text(table.LangID) if table else ''})",
    )
    if table:
        check_version_strings(table, gauge, report)


def check_fixed_version(fixed, report):
    if fixed is None:
        report.check("fixed version", ["expected a VS_FIXEDFILEINFO, found none"], "")
        return
    file_version = version_text(fixed.FileVersionMS, fixed.FileVersionLS)
    product_version = version_text(fixed.ProductVersionMS, fixed.ProductVersionLS)
    problems = [
        f"{field}: expected {VERSION_TEXT}, found {value}"
        for field, value in (("file version", file_version), ("product version", product_version))
        if value != VERSION_TEXT
    ]
    report.check("fixed version", problems, f"file and product version {VERSION_TEXT}")


def check_version_strings(table, gauge, report):
    values = {text(key): text(value) for key, value in table.entries.items()}
    exact = (
        ("FileVersion", VERSION_TEXT),
        ("ProductVersion", VERSION_TEXT),
        ("OriginalFilename", f"{gauge}.dll"),
    )
    for key, expected in exact:
        value = values.get(key)
        found = "no such entry" if value is None else f"'{value}'"
        report.check(
            f"version string {key}",
            [] if value == expected else [f"expected '{expected}', found {found}"],
            f"'{expected}'",
        )
    for key in ("CompanyName", "ProductName"):
        value = values.get(key)
        found = "no such entry" if value is None else f"'{value}'"
        report.check(
            f"version string {key}",
            [] if value and value.strip() else [f"expected a non-empty text, found {found}"],
            f"'{value}'",
        )


def check_dll(path, listed_bitmaps, out):
    """Run every check on one DLL; True when all pass."""
    report = Report(out)
    try:
        pe = pefile.PE(path)
    except (OSError, pefile.PEFormatError) as error:
        report.check("PE file", [f"expected a readable PE file at {path}, found {error}"], "")
        return False
    with pe:
        gauge = os.path.splitext(os.path.basename(path))[0]
        check_header(pe, report)
        check_exports(pe, report)
        check_imports(pe, report)
        check_bitmaps(pe, listed_bitmaps, report)
        check_version(pe, gauge, report)
    return not report.failed


def main(argv=None):
    parser = argparse.ArgumentParser(
        description=(
            "Check a built 32-bit gauge DLL: PE32 i386 DLL; exactly the data exports "
            "Linkage and ImportTable; imports only from KERNEL32.dll and msvcrt.dll; "
            "8-bit bottom-up BI_RGB bitmap resources (language 1033) whose ids and "
            "sizes match the bitmap list; a version resource (id 1, language 1033) "
            "of version 1.0.0.0 whose OriginalFilename is the DLL's own file name. "
            "Prints one ok/FAIL line per check."
        ),
        epilog=(
            "Bitmap list format: one 'id width height role' line per bitmap; ids in "
            "hex (0x...) or decimal; '#' starts a comment; blank lines are ignored. "
            "Exit status: 0 all checks pass, 1 a check failed, 2 usage or list error."
        ),
    )
    parser.add_argument("--bitmaps", required=True, metavar="LIST", help="the gauge's bitmaps.list")
    parser.add_argument("dll", help="the built gauge DLL, named <Gauge>.dll")
    args = parser.parse_args(argv)
    try:
        listed_bitmaps = read_bitmap_list(args.bitmaps)
    except ListError as error:
        print(f"pecheck: error: {error}", file=sys.stderr)
        return 2
    return 0 if check_dll(args.dll, listed_bitmaps, sys.stdout) else 1


if __name__ == "__main__":
    sys.exit(main())
