#!/usr/bin/python3
"""hlpmap.py on damaged help files: each fails saying so, never loops, and
leaves the file as it was.

    hlpmap_faults.py HLPMAP FILE.hlp WORKDIR
"""
import os
import struct
import subprocess
import sys

hlpmap, sound, work = sys.argv[1:4]
os.makedirs(work, exist_ok=True)
data = open(sound, "rb").read()
sys.path.insert(0, os.path.dirname(hlpmap))
import hlpmap as hlp  # noqa: E402

start, _ = hlp.internal_file(bytearray(data), "|TTLBTREE")
root = struct.unpack_from("<H", data, start + 26)[0]
leaf = start + 38 + root * struct.unpack_from("<H", data, start + 4)[0]  # one level: the root is the leaf


def damaged(at, fmt, value):
    b = bytearray(data)
    struct.pack_into(fmt, b, at, value)
    return bytes(b)


cases = {
    "a leaf that follows itself": damaged(leaf + 6, "<H", root),
    "a root past the pages": damaged(start + 26, "<H", 500),
    "more levels than pages": damaged(start + 32, "<H", 40000),
    "more entries than the page holds": damaged(leaf + 2, "<H", 60000),
    "an internal file past the end": damaged(start - 9 + 4, "<I", 1 << 30),
}
failures = 0
for what, bytes_ in cases.items():
    path = os.path.join(work, "damaged.hlp")
    with open(path, "wb") as f:
        f.write(bytes_)
    try:
        r = subprocess.run([sys.executable, hlpmap, path, "1", "No such title"], capture_output=True, text=True,
                           timeout=20)
        why = r.stderr.strip()
        ok = r.returncode == 1 and why.startswith("hlpmap: ") and "Traceback" not in why
    except subprocess.TimeoutExpired:
        ok, why = False, "it did not end"
    if not ok or open(path, "rb").read() != bytes_:
        print("FAIL: %s: %s" % (what, why))
        failures += 1
print("hlpmap: %d damaged files, %d not refused" % (len(cases), failures))
sys.exit(1 if failures else 0)
