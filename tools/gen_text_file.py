#!/usr/bin/env python3
"""Writes a UTF-8 text file of the sources as the program reads it: CP932 with CR LF lines.

    gen_text_file.py SOURCE OUT
"""
import os
import sys


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: gen_text_file.py SOURCE OUT")
    source, out = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as f:
        text = f.read()
    try:
        data = text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp932")
    except UnicodeEncodeError as e:
        sys.exit(f"{source}: a character outside CP932: {e.object[e.start:e.end]!r}")
    tmp = out + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, out)


if __name__ == "__main__":
    main()
