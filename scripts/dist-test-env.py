#!/usr/bin/env python3
"""Runs the installer's test program around a freshly built installer and zip.

    dist-test-env.py COMMAND [ARGS...]     (run-tests.sh: dist-test-env.py wine-run.sh dist_win_tests.exe)

Copies the shipped files (dist/manifest.txt) out of the Windows build into a
temporary folder, builds the installer and the zip from that copy twice (the
test compares the bytes), and runs COMMAND with a wine prefix of its own, so
that the installer meets a fresh user profile. QUOREL_DIST_OUT and
QUOREL_DIST_OUT_AGAIN name the two output folders. Everything is removed
afterwards; the Windows build's folder is only read.

A shipped file that another part of the build has not delivered yet is
replaced by a stand-in inside the temporary copy (listed in STAND_INS), with a
notice; `make dist` itself never does that.
"""
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_dist  # noqa: E402

STAND_INS = {
    "rssdefine.inf": b"; stand-in of the weather site definitions\r\n",
    "plugins/QORL_SYNC_ICS.DLL": b"stand-in of the iCalendar plug-in",
}


def copy_shipped(entries, bin_dir, copy_dir):
    for target, source in entries:
        if not source.startswith("bin/"):
            continue
        src = make_dist.source_path(source, bin_dir)
        dest = os.path.join(copy_dir, *source[len("bin/"):].split("/"))
        os.makedirs(os.path.dirname(dest), exist_ok=True)
        if os.path.isfile(src):
            shutil.copyfile(src, dest)
        elif target in STAND_INS:
            print(f"dist-test-env: {target} is not built yet; the test ships a stand-in", file=sys.stderr)
            with open(dest, "wb") as f:
                f.write(STAND_INS[target])


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    build = os.environ.get("QUOREL_BUILD", os.path.join(make_dist.TOP, "build"))
    bin_dir = os.path.join(build, "win", "bin")
    os.makedirs(build, exist_ok=True)
    work = tempfile.mkdtemp(prefix="dist-test-", dir=build)
    try:
        entries = make_dist.read_manifest()
        copy_dir = os.path.join(work, "bin")
        copy_shipped(entries, bin_dir, copy_dir)
        outputs = [os.path.join(work, "out"), os.path.join(work, "out-again")]
        for out in outputs:
            make_dist.build(copy_dir, out)
        env = dict(os.environ, QUOREL_DIST_OUT=outputs[0], QUOREL_DIST_OUT_AGAIN=outputs[1],
                   WINEPREFIX=os.path.join(work, "wineprefix"))
        return subprocess.call(sys.argv[1:], env=env)
    except make_dist.DistError as e:
        print(e, file=sys.stderr)
        return 1
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
