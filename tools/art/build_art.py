#!/usr/bin/env python3
"""Builds the program's pictures from their text sources.

    build_art.py OUT_DIR PROJECT.art [PROJECT.art ...] [--no-review]

Each project file names its outputs (sheets, icons, cursors, bitmaps) and the resource
script that lists them; see tools/art/README.md. A fault in a source stops the build
with file:row:column: message.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from artlib.errors import ArtError  # noqa: E402
from artlib.project import build_project  # noqa: E402


def main(argv):
    args = [a for a in argv if not a.startswith("--")]
    if len(args) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    out_dir, projects = args[0], args[1:]
    try:
        for project in projects:
            build_project(project, out_dir, review="--no-review" not in argv)
    except ArtError as e:
        print(f"error: {e.text()}", file=sys.stderr)
        return 1
    except OSError as e:
        print(f"error: {e}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
