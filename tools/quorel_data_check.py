"""Runs quorel-data on small data folders written here and checks its output.

usage: quorel_data_check.py PATH/TO/quorel-data
"""
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

TOOL = sys.argv[1]
failures = []


def record(y, m, d, content, place="", start=None, end=None, repetition=0, weekdays=0x80,
           range_start=(0, 0, 0), range_end=(0, 0, 0), end_date=(0, 0, 0), identifier=b"1" * 25):
    """One record of a year file: the 91-byte block, four lengths, four strings."""
    flags = 2 if start is None else 0
    sh, sm = start or (0, 0)
    eh, em = end or (sh, sm)
    block = identifier.ljust(26, b"\0")
    block += struct.pack("<HhhBBBBBBBi", flags, 0, y, m, d, weekdays, sh, sm, eh, em, repetition)
    block += struct.pack("<hBBhBB", *range_start, *range_end)
    block += struct.pack("<hhi", 16, 5, 0)
    block += struct.pack("<hBB", *end_date)
    block += b"\0" * 28
    assert len(block) == 91
    strings = [b"", content.encode("cp932"), place.encode("cp932"), b""]
    return block + struct.pack("<4h", *(len(s) + 1 for s in strings)) + b"".join(s + b"\0" for s in strings)


def run(args, expect_code, expect_lines=None, expect_stderr=None):
    p = subprocess.run([TOOL] + args, capture_output=True)
    out = p.stdout.decode("utf-8")
    err = p.stderr.decode("utf-8", "replace")
    if p.returncode != expect_code:
        failures.append(f"{args}: exit {p.returncode}, wanted {expect_code}; stderr: {err}")
    if expect_lines is not None and out.splitlines() != expect_lines:
        failures.append(f"{args}: printed {out.splitlines()}, wanted {expect_lines}")
    if expect_stderr is not None and expect_stderr not in err:
        failures.append(f"{args}: stderr {err!r} lacks {expect_stderr!r}")


with tempfile.TemporaryDirectory() as tmp:
    data = Path(tmp) / "data"
    data.mkdir()
    (data / "HOLIDAY.TXT").write_bytes("2021/08/13\tholiday_blue\tお盆\r\n2021/08/09\tweekday\t\r\n".encode("cp932"))
    year = b"\x07\x54" + record(2013, 8, 30, "旅行", "京都", (15, 0), (18, 0), end_date=(2013, 9, 2)) \
        + record(2013, 9, 1, "買い物")
    (data / "sche2013.dat").write_bytes(year)
    (data / "sche9999.dat").write_bytes(b"\x07\x54" + record(
        2013, 1, 1, "ジム", start=(19, 0), end=(20, 0), repetition=4, weekdays=0x80 | 2,
        range_start=(2013, 1, 1), range_end=(2013, 12, 31)))

    run(["--data", str(data), "holidays", "2021"], 0, [
        "2021-01-01\t元日", "2021-01-11\t成人の日", "2021-02-11\t建国記念日", "2021-02-23\t天皇誕生日",
        "2021-03-20\t春分の日", "2021-04-29\t昭和の日", "2021-05-03\t憲法記念日", "2021-05-04\tみどりの日",
        "2021-05-05\tこどもの日", "2021-07-22\t海の日", "2021-07-23\tスポーツの日", "2021-08-08\t山の日",
        "2021-08-09\t振替休日", "2021-09-20\t敬老の日", "2021-09-23\t秋分の日", "2021-11-03\t文化の日",
        "2021-11-23\t勤労感謝の日"])
    run(["--data", str(data), "holidays", "2021", "--marks"], 0, None)
    p = subprocess.run([TOOL, "--data", str(data), "holidays", "2021", "--marks"], capture_output=True)
    lines = p.stdout.decode("utf-8").splitlines()
    if "2021-08-13\tお盆" not in lines or any(l.startswith("2021-08-09") for l in lines):
        failures.append(f"--marks: {lines}")

    run(["--data", str(data), "day", "2013-09-02"], 0, ["15:00-18:00\t旅行\t京都", "19:00-20:00\tジム\t"])
    run(["--data", str(data), "day", "2013-09-01"], 0, ["-\t買い物\t", "15:00-18:00\t旅行\t京都"])
    p = subprocess.run([TOOL, "--data", str(data), "month", "2013-09"], capture_output=True)
    lines = p.stdout.decode("utf-8").splitlines()
    if p.returncode != 0 or lines[:3] != ["2013-09-01\t-\t買い物\t", "2013-09-01\t15:00-18:00\t旅行\t京都",
                                          "2013-09-02\t15:00-18:00\t旅行\t京都"] or len(lines) != 8:
        failures.append(f"month 2013-09: {lines}")

    # Damage: a truncated record, and the folder is left as it was.
    (data / "sche2014.dat").write_bytes(b"\x07\x54" + record(2014, 1, 5, "x")[:50])
    before = sorted(p.name for p in data.iterdir())
    run(["--data", str(data), "day", "2014-01-05"], 1, [], "sche2014.dat")
    if sorted(p.name for p in data.iterdir()) != before:
        failures.append("the tool changed the data folder")
    run(["--data", str(data), "day", "2014-02-30"], 2)
    run(["--data", str(data), "holidays", "1999"], 2)
    run(["--data", str(Path(tmp) / "missing"), "day", "2014-01-05"], 1)

    # Alarms: a file of the clock's layout, with CR CR LF and LF lines.
    alarms = Path(tmp) / "alarms"
    alarms.mkdir()
    run(["--data", str(alarms), "alarms"], 0, [])
    (alarms / "alarminfo.txt").write_bytes(
        "alarmtime=0101\n[alarm0]\r\r\nalarmtype=3\r\r\nalarmweek=162\r\r\nalarmtime=0730\r\r\n"
        "alarmrepeattype=1\r\r\nalarmrepeatnumber=1\r\r\n\r\r\n"
        "[x]\nalarmtime=0705\nalarmtone=6\nalarmmessage=お昼\nalarmreuse=1\n"
        "alarmprogramstart=1\nalarmprogramfile=\"C:\\A B\\x.exe\" $DATE\n".encode("cp932"))
    run(["--data", str(alarms), "alarms"], 0,
        ["0\t07:30\tweekdays Mon,Fri\tlight1\tonce\t2x500ms\t-",
         "1\t07:05\tdaily\tmessage:お昼\talways\t-\tnormal:\"C:\\A B\\x.exe\" $DATE"])
    (alarms / "alarminfo.txt").unlink()
    (alarms / "alarminfo.txt").mkdir()
    run(["--data", str(alarms), "alarms"], 1, [], "alarminfo.txt")

if failures:
    print("\n".join(failures))
    sys.exit(1)
print("quorel-data checks passed")
