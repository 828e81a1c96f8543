#!/usr/bin/env python3
"""Builds what a Windows user downloads: the per-user installer and the zip.

    make_dist.py [--bin DIR] [--out DIR]

Both carry the files of dist/manifest.txt, taken from the Windows build's
output folder (--bin, default build/win/bin) and from dist/. The installer is
made by makensis from dist/quorel.nsi; the zip by zipfile with fixed times,
attributes and order. Two runs over the same files give the same bytes.
Outputs in --out (default build/dist): quorel-setup.exe, quorel.zip, and the
staged program folder stage/ they were made from.
"""
import argparse
import array
import os
import re
import shutil
import struct
import subprocess
import sys
import zipfile

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(TOP, "tools"))
import gen_strings  # noqa: E402  (the parser of resources/strings.txt)

MANIFEST = os.path.join(TOP, "dist", "manifest.txt")
NSIS_SCRIPT = os.path.join(TOP, "dist", "quorel.nsi")
SETUP_NAME = "quorel-setup.exe"
ZIP_NAME = "quorel.zip"
ZIP_FOLDER = "quorel"  # the folder the zip unpacks into
ZIP_TIME = (2026, 1, 1, 0, 0, 0)  # every entry's time, so that the bytes do not depend on the build's
STRIP = "x86_64-w64-mingw32-strip"

# Texts of the installer, by their numbers in resources/strings.txt: the start-up
# shortcut's name and description are the ones the settings page uses, so the
# installer makes exactly the shortcut the page finds and removes.
TEXTS = {
    "PRODUCT_NAME": 2500,
    "STARTUP_DESCRIPTION": 2501,
    "TEXT_CLOSE_FAILED": 59000,
    "TEXT_SECTION_PROGRAM": 59001,
    "TEXT_SECTION_AUTOSTART": 59002,
}


class DistError(Exception):
    pass


def read_manifest(path=MANIFEST):
    """[(path in the program folder, source)], in the file's order."""
    entries = []
    with open(path, encoding="utf-8") as f:
        for lineno, raw in enumerate(f, 1):
            line = raw.strip()
            if not line or line.startswith("#"):
                continue
            fields = line.split()
            if len(fields) != 2 or not fields[1].startswith(("bin/", "dist/")):
                raise DistError(f"{path}:{lineno}: expected 'PATH bin/SOURCE' or 'PATH dist/SOURCE'")
            target = fields[0]
            if target.startswith("/") or ".." in target.split("/") or "\\" in target:
                raise DistError(f"{path}:{lineno}: {target} must be a relative path inside the program folder")
            entries.append((target, fields[1]))
    return entries


def source_path(source, bin_dir):
    kind, _, rest = source.partition("/")
    return os.path.join(bin_dir if kind == "bin" else os.path.join(TOP, "dist"), rest)


def missing_files(entries, bin_dir):
    return [(t, source_path(s, bin_dir)) for t, s in entries if not os.path.isfile(source_path(s, bin_dir))]


def read_me_bytes(path):
    """The read-me as Notepad opens it everywhere: UTF-8 with a byte order mark, CR LF lines."""
    with open(path, encoding="utf-8") as f:
        text = f.read().lstrip("\ufeff")
    return b"\xef\xbb\xbf" + text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")


def pe_header(data):
    """The offset of the PE signature, or None when `data` is no Windows program or library."""
    if len(data) < 0x40 or data[:2] != b"MZ":
        return None
    at = struct.unpack_from("<I", data, 0x3C)[0]
    return at if data[at:at + 4] == b"PE\0\0" else None


def pe_checksum(data):
    """The optional header's checksum of a PE file whose checksum field is 0."""
    words = array.array("H")
    words.frombytes(bytes(data) + b"\0" * (len(data) % 2))
    total = sum(words)
    while total >> 16:
        total = (total & 0xFFFF) + (total >> 16)
    return total + len(data)


def copy_program(src, dest):
    """Ships a program or library without the symbol table the build keeps for
    backtraces under wine. strip stamps the time into the header: it goes back
    to 0, as the linker left it, and the header's checksum is made anew."""
    with open(src, "rb") as f:
        data = f.read()
    pe = pe_header(data)
    if pe is None or struct.unpack_from("<I", data, pe + 12)[0] == 0:  # nothing to strip
        shutil.copyfile(src, dest)
        return
    try:
        subprocess.run([STRIP, "-o", dest, src], check=True)
    except (OSError, subprocess.CalledProcessError) as e:
        raise DistError(f"make dist: {STRIP} failed on {src}: {e}")
    with open(dest, "rb") as f:
        data = bytearray(f.read())
    pe = pe_header(data)
    checksum_at = pe + 24 + 64
    struct.pack_into("<I", data, pe + 8, 0)
    struct.pack_into("<I", data, checksum_at, 0)
    struct.pack_into("<I", data, checksum_at, pe_checksum(data))
    with open(dest, "wb") as f:
        f.write(data)


def stage(entries, bin_dir, stage_dir):
    missing = missing_files(entries, bin_dir)
    if missing:
        lines = "\n".join(f"  {t}  (expected at {p})" for t, p in missing)
        raise DistError(f"make dist: {len(missing)} shipped file(s) missing; build them first (make win):\n{lines}")
    if os.path.isdir(stage_dir):
        shutil.rmtree(stage_dir)
    for target, source in entries:
        dest = os.path.join(stage_dir, *target.split("/"))
        os.makedirs(os.path.dirname(dest), exist_ok=True)
        src = source_path(source, bin_dir)
        if target.lower().endswith(".txt") and source.startswith("dist/"):  # texts written here for people
            with open(dest, "wb") as f:
                f.write(read_me_bytes(src))
        else:
            copy_program(src, dest)


def nsis_string(text, prefix=""):
    """A quoted NSIS string of `text` taken literally, after `prefix` (script syntax, such as "$INSTDIR")."""
    escaped = text.replace("$", "$$").replace('"', '$\\"').replace("\r", "$\\r").replace("\n", "$\\n")
    return '"' + prefix + escaped + '"'


def in_program_folder(path):
    return nsis_string(("\\" + path.replace("/", "\\")) if path else "", prefix="$INSTDIR")


def program_version():
    with open(os.path.join(TOP, "app", "settings.h"), encoding="utf-8") as f:
        found = re.search(r'kSettingsVersion\[\]\s*=\s*"v([0-9.]+)"', f.read())
    if not found:
        raise DistError("make dist: no kSettingsVersion in app/settings.h")
    return found.group(1)


def nsis_include(entries, stage_dir):
    """The generated part of the installer script: texts, version and the file lists."""
    strings = gen_strings.parse(os.path.join(TOP, "resources", "strings.txt"))
    out = ["; Generated by scripts/make_dist.py from dist/manifest.txt and resources/strings.txt."]
    for name, number in TEXTS.items():
        if number not in strings:
            raise DistError(f"make dist: string {number} ({name}) is not in resources/strings.txt")
        out.append(f"!define {name} {nsis_string(strings[number][1])}")
    out.append(f"!define VERSION {nsis_string(program_version())}")
    size = sum(os.path.getsize(os.path.join(stage_dir, *t.split("/"))) for t, _ in entries)
    out.append(f"!define ESTIMATED_SIZE_KB {(size + 1023) // 1024}")

    folders = sorted({os.path.dirname(t) for t, _ in entries if os.path.dirname(t)})
    out.append("!macro INSTALL_FILES")
    for folder in [""] + folders:
        out.append("  SetOutPath " + in_program_folder(folder))
        for target, _ in entries:
            if os.path.dirname(target) == folder:
                out.append("  File " + nsis_string(os.path.join(stage_dir, *target.split("/"))))
    out.append('  SetOutPath "$INSTDIR"')
    out.append("!macroend")

    # Only the shipped files go, then their folders when nothing else is left in them:
    # whatever the user keeps in the program folder stays.
    out.append("!macro UNINSTALL_FILES")
    for target, _ in entries:
        out.append("  Delete " + in_program_folder(target))
    for folder in sorted(folders, key=lambda f: -f.count("/")):
        out.append("  RMDir " + in_program_folder(folder))
    out.append("!macroend")
    return "\ufeff" + "\n".join(out) + "\n"


def make_installer(entries, stage_dir, out_dir):
    include = os.path.join(out_dir, "generated.nsh")
    with open(include, "w", encoding="utf-8") as f:
        f.write(nsis_include(entries, stage_dir))
    setup = os.path.join(out_dir, SETUP_NAME)
    tmp = setup + ".tmp"
    command = ["makensis", "-V2", "-INPUTCHARSET", "UTF8", f"-DGENERATED={include}", f"-DOUTFILE={tmp}", NSIS_SCRIPT]
    try:
        done = subprocess.run(command, capture_output=True, text=True)
    except FileNotFoundError:
        raise DistError("make dist: makensis is missing (package nsis; scripts/install-deps.sh installs it)")
    if done.returncode != 0:
        raise DistError("make dist: makensis failed:\n" + done.stdout + done.stderr)
    os.replace(tmp, setup)
    return setup


def make_zip(entries, stage_dir, out_dir):
    path = os.path.join(out_dir, ZIP_NAME)
    tmp = path + ".tmp"
    with zipfile.ZipFile(tmp, "w") as z:
        for target in sorted(t for t, _ in entries):
            info = zipfile.ZipInfo(f"{ZIP_FOLDER}/{target}", ZIP_TIME)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0  # MS-DOS attributes, the same whatever system builds it
            info.external_attr = 0x20  # archive bit
            with open(os.path.join(stage_dir, *target.split("/")), "rb") as f:
                z.writestr(info, f.read(), compresslevel=9)
    os.replace(tmp, path)
    return path


def build(bin_dir, out_dir):
    entries = read_manifest()
    os.makedirs(out_dir, exist_ok=True)
    stage_dir = os.path.join(out_dir, "stage")
    stage(entries, bin_dir, stage_dir)
    return make_installer(entries, stage_dir, out_dir), make_zip(entries, stage_dir, out_dir)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bin", default=os.path.join(TOP, "build", "win", "bin"))
    parser.add_argument("--out", default=os.path.join(TOP, "build", "dist"))
    args = parser.parse_args()
    try:
        outputs = build(os.path.abspath(args.bin), os.path.abspath(args.out))
    except DistError as e:
        sys.exit(str(e))
    for path in outputs:
        print(f"{os.path.relpath(path)}: {os.path.getsize(path)} bytes")


if __name__ == "__main__":
    main()
