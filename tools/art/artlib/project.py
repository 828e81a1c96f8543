"""Project files (.art): the outputs of one program's art and its resource script.

    sources DIR                       more source folders (relative to this file); its own folder is one
    rc FILE PREFIX                    resource script to write; PREFIX goes before each file in it
    png ID FILE SHEETFILE             a sprite sheet ("PNG" resource)
    ico ID FILE PICTURE PICTURE ...   an icon with one entry per picture (16x16, 32x32, ...)
    cur ID FILE PICTURE hotspot x,y   a cursor
    bmp ID FILE PICTURE [background RRGGBB]
    png-file FILE PICTURE             a PNG not listed in the resource script
    bmp-file FILE PICTURE             a 24-bit BMP not listed in the resource script (key pixels stay key)
    copy-file FILE SOURCE             a text file copied from the sources (relative to this file)
"""
import os

from .errors import ArtError
from .image import KEY
from .review import contact_sheet, preview_sheet
from .sheet import Sheet, check_colours
from .source import Library, _tokens_at, parse_point
from . import writers


def write_if_changed(path, data):
    """Leaves an unchanged file alone, so that its time stamp does not wake up dependants."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if os.path.exists(path):
        with open(path, "rb") as f:
            if f.read() == data:
                return
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def _hex(word, path, line, column):
    try:
        v = int(word.lstrip("#"), 16)
        if len(word.lstrip("#")) != 6:
            raise ValueError
    except ValueError:
        raise ArtError(path, line, column, f"'{word}' is not a colour RRGGBB") from None
    return ((v >> 16) & 255, (v >> 8) & 255, v & 255)


def build_project(project_path, out_dir, review=True):
    """Builds every output of a project; returns the list of files written (relative to out_dir)."""
    base = os.path.dirname(os.path.abspath(project_path))
    with open(project_path, encoding="utf-8") as f:
        lines = [l.rstrip("\r\n") for l in f]
    entries, folders, rc = [], [base], None
    for n, raw in enumerate(lines, 1):
        at = _tokens_at(raw)
        if not at or at[0][0].startswith("#"):
            continue
        words, cols = [w for w, _ in at], [c for _, c in at]
        if words[0] == "sources":
            folders.append(os.path.normpath(os.path.join(base, words[1])))
        elif words[0] == "rc":
            if len(words) != 3:
                raise ArtError(project_path, n, 1, "expected: rc FILE PREFIX")
            rc = (words[1], words[2])
        elif words[0] in ("png", "ico", "cur", "bmp", "png-file", "bmp-file", "copy-file"):
            entries.append((words, cols, n, raw))
        else:
            raise ArtError(project_path, n, 1, f"unknown command '{words[0]}'")

    library = Library()
    library.add_folders(folders)

    written, rc_lines = [], []
    for words, cols, n, raw in entries:
        kind = words[0]
        if kind in ("png-file", "bmp-file", "copy-file") and len(words) != 3:
            raise ArtError(project_path, n, 1, f"expected: {kind} FILE SOURCE")
        if kind == "png-file":
            name, data = words[1], writers.png_bytes(_picture(library, words[2], project_path, n, cols[2]))
        elif kind == "bmp-file":
            name, data = words[1], writers.bmp_bytes(_picture(library, words[2], project_path, n, cols[2]), KEY)
        elif kind == "copy-file":
            source = os.path.join(base, words[2])
            if not os.path.isfile(source):
                raise ArtError(project_path, n, cols[2], f"no file '{words[2]}'")
            with open(source, "rb") as f:
                name, data = words[1], f.read()
        else:
            if len(words) < 4:
                raise ArtError(project_path, n, 1, f"expected: {kind} ID FILE ...")
            rid, name = words[1], words[2]
            if kind == "png":
                sheet = Sheet(os.path.join(base, words[3]))
                image = sheet.build(library)
                data = writers.png_bytes(image)
                if review:
                    stem = os.path.splitext(os.path.basename(name))[0]
                    contact = contact_sheet(sheet, image, library)
                    write_if_changed(os.path.join(out_dir, "review", stem + "-contact.png"),
                                     writers.png_bytes(contact))
                    preview = preview_sheet(sheet, library)
                    if preview is not None:
                        write_if_changed(os.path.join(out_dir, "review", stem + "-preview.png"),
                                         writers.png_bytes(preview))
                rc_type = "PNG"
            elif kind == "ico":
                images = [_picture(library, w, project_path, n, c) for w, c in zip(words[3:], cols[3:])]
                for w, c, im in zip(words[3:], cols[3:], images):
                    if im.width != im.height or im.width not in (16, 20, 24, 32, 48, 64, 256):
                        raise ArtError(project_path, n, c, f"icon picture '{w}' is {im.width}x{im.height}, "
                                       "not a square icon size")
                data = writers.ico_bytes(images)
                rc_type = "ICON"
            elif kind == "cur":
                if len(words) != 6 or words[4] != "hotspot":
                    raise ArtError(project_path, n, 1, "expected: cur ID FILE PICTURE hotspot x,y")
                im = _picture(library, words[3], project_path, n, cols[3])
                hx, hy = parse_point(words[5], project_path, n, raw)
                if not im.inside(hx, hy):
                    raise ArtError(project_path, n, cols[5], f"hot spot ({hx},{hy}) lies outside the cursor")
                data = writers.cur_bytes(im, (hx, hy))
                rc_type = "CURSOR"
            else:
                im = _picture(library, words[3], project_path, n, cols[3])
                background = KEY
                if len(words) >= 6 and words[4] == "background":
                    background = _hex(words[5], project_path, n, cols[5])
                data = writers.bmp_bytes(im, background)
                rc_type = "BITMAP"
            rc_lines.append(f'{rid} {rc_type} "{rc[1] if rc else ""}{name}"')
        write_if_changed(os.path.join(out_dir, name), data)
        written.append(name)

    if rc:
        text = "// Generated by tools/art/build_art.py from " + os.path.basename(project_path) + "\n"
        text += "".join(line + "\n" for line in rc_lines)
        write_if_changed(os.path.join(out_dir, rc[0]), text.encode("utf-8"))
        written.append(rc[0])
    return written


def _picture(library, name, path, line, column):
    im = library.picture(name, path, line, column)
    check_colours(im, library.definition(name).path)
    return im
