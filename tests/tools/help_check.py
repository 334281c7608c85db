#!/usr/bin/python3
"""The installed help file opens at the installing topic for context number 1.

    help_check.py FILE.hlp FILE.cnt

Checks the WinHelp header, that |CTXOMAP maps 1 to a topic start that
|CONTEXT also names (a real topic, not a stray offset), that this topic's
title (|TTLBTREE) is the installing chapter's, and that the contents file
names its topics. Exits 1 saying what is wrong.
"""
import importlib.util
import os
import struct
import sys

spec = importlib.util.spec_from_file_location(
    "hlpmap", os.path.join(os.path.dirname(__file__), "..", "..", "product", "help", "hlpmap.py"))
hlp = importlib.util.module_from_spec(spec)
spec.loader.exec_module(hlp)


def fail(why):
    print("FAIL: " + why)
    sys.exit(1)


def leaf_values(data, name, value_at):
    """Every entry's 32-bit value in a one-level B+ tree of fixed records."""
    start, _ = hlp.internal_file(data, name)
    page_size, root, levels = (struct.unpack_from("<H", data, start + k)[0] for k in (4, 26, 32))
    if levels != 1:
        fail(name + " has %d levels; this check reads one" % levels)
    base = start + 38 + root * page_size
    count = struct.unpack_from("<H", data, base + 2)[0]
    return [struct.unpack_from("<I", data, base + 8 + 8 * i + value_at)[0] for i in range(count)]


def main():
    data = open(sys.argv[1], "rb").read()
    if struct.unpack_from("<I", data, 0)[0] != 0x00035F3F or struct.unpack_from("<I", data, 12)[0] != len(data):
        fail("no WinHelp header of this file's size")
    start, _ = hlp.internal_file(data, "|CTXOMAP")
    count = struct.unpack_from("<H", data, start)[0]
    mapped = dict(struct.unpack_from("<II", data, start + 2 + 8 * i) for i in range(count))
    if 1 not in mapped:
        fail("context number 1 is not mapped: %s" % mapped)
    if mapped[1] not in leaf_values(data, "|CONTEXT", 4):
        fail("context number 1 leads to 0x%x, where no topic starts" % mapped[1])
    if hlp.title_offset(data, "Chapter 1: Installing Lumiscroll") != mapped[1]:
        fail("context number 1 is not the installing topic")
    contents = open(sys.argv[2], encoding="latin-1").read()
    if not contents.startswith(":Title Lumiscroll Help") or "Installing Lumiscroll=" not in contents:
        fail("the contents file: " + contents[:200])
    print("help: context number 1 opens the installing topic (topic offset 0x%x)" % mapped[1])


if __name__ == "__main__":
    main()
