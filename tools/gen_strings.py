#!/usr/bin/env python3
"""Generates the two forms of the text table from resources/strings.txt.

strings.txt is UTF-8, one entry a line: the string number, white space, the text.
In the text, \\n, \\r, \\t and \\\\ are escapes; lines starting with # are comments.

Outputs (in OUT_DIR):
  strings.rc             STRINGTABLE for windres (UTF-8, code page 65001)
  string_table_data.cpp  the same texts as CP932 bytes for portable code
"""
import os
import sys


def parse(path):
    entries = {}
    with open(path, encoding="utf-8") as f:
        for lineno, raw in enumerate(f, 1):
            line = raw.rstrip("\r\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            head, _, text = line.partition(" ")
            if not head.isdigit():
                sys.exit(f"{path}:{lineno}: a line must start with the string number")
            number = int(head)
            if number in entries:
                sys.exit(f"{path}:{lineno}: string {number} is defined twice")
            if number > 65535:
                sys.exit(f"{path}:{lineno}: string number {number} is above 65535")
            entries[number] = (lineno, unescape(text, path, lineno))
    return entries


def unescape(text, path, lineno):
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c == "\\":
            if i + 1 >= len(text):
                sys.exit(f"{path}:{lineno}: a lone backslash ends the line")
            nxt = text[i + 1]
            mapped = {"n": "\n", "r": "\r", "t": "\t", "\\": "\\"}.get(nxt)
            if mapped is None:
                sys.exit(f"{path}:{lineno}: unknown escape \\{nxt}")
            out.append(mapped)
            i += 2
        else:
            out.append(c)
            i += 1
    return "".join(out)


def rc_literal(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '""').replace("\r", "\\r").replace("\n", "\\n").replace("\t", "\\t") + '"'


def cpp_literal(data):
    # Octal escapes keep every byte exact whatever the compiler's execution character set.
    return '"' + "".join(chr(b) if 32 <= b < 127 and chr(b) not in '"\\?' else "\\%03o" % b for b in data) + '"'


def write_if_changed(path, content):
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            if f.read() == content:
                return
    tmp = path + ".tmp"
    with open(tmp, "w", encoding="utf-8", newline="\n") as f:
        f.write(content)
    os.replace(tmp, path)


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: gen_strings.py strings.txt OUT_DIR")
    source, out_dir = sys.argv[1], sys.argv[2]
    entries = parse(source)
    rc = ["// Generated from resources/strings.txt by tools/gen_strings.py.", "#pragma code_page(65001)", "STRINGTABLE", "BEGIN"]
    cpp = ["// Generated from resources/strings.txt by tools/gen_strings.py.",
           '#include "base/string_table.h"', "", "namespace quorel {", "const StringEntry kStringEntries[] = {"]
    for number in sorted(entries):
        lineno, text = entries[number]
        try:
            data = text.encode("cp932")
        except UnicodeEncodeError as e:
            sys.exit(f"{source}:{lineno}: string {number} has a character outside CP932: {e.object[e.start:e.end]!r}")
        rc.append(f"  {number}, {rc_literal(text)}")
        cpp.append(f"  {{{number}, {cpp_literal(data)}, {len(data)}}},")
    rc.append("END")
    cpp += ["};", "const std::size_t kStringEntryCount = sizeof(kStringEntries) / sizeof(kStringEntries[0]);",
            "}  // namespace quorel", ""]
    write_if_changed(os.path.join(out_dir, "strings.rc"), "\n".join(rc) + "\n")
    write_if_changed(os.path.join(out_dir, "string_table_data.cpp"), "\n".join(cpp))


if __name__ == "__main__":
    main()
