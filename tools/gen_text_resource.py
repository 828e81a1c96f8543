#!/usr/bin/env python3
"""Turns a UTF-8 text of the program (the manual, a guide) into the bytes of a
TEXT resource: Shift-JIS (code page 932) with CR LF line ends, as an edit control shows it."""
import sys


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: gen_text_resource.py SOURCE.txt OUTPUT.txt")
    source, output = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as f:
        text = f.read()
    try:
        data = text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp932")
    except UnicodeEncodeError as e:
        line = text[: e.start].count("\n") + 1
        sys.exit(f"{source}:{line}: {text[e.start]!r} has no Shift-JIS form")
    try:
        with open(output, "rb") as f:
            if f.read() == data:
                return  # unchanged: keep the time stamp
    except FileNotFoundError:
        pass
    with open(output, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
