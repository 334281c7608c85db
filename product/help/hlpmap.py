#!/usr/bin/python3
"""Maps a context number to a topic in a WinHelp file, by the topic's title.

    hlpmap.py FILE.hlp NUMBER "TITLE"

A program asks WinHelp for a topic by number (HELP_CONTEXT); WinHelp finds it
in the file's |CTXOMAP (a count, then number and topic offset pairs). halibut
writes that map empty. This finds the topic offset of TITLE in |TTLBTREE (the
titles by topic offset) and gives the file a |CTXOMAP holding NUMBER -> that
offset: the new internal file goes at the end, the directory's entry for
|CTXOMAP points at it, and the header's file size grows. The file is changed
in place; nothing is written when the title is not found.
"""
import os
import struct
import sys


def fail(why):
    sys.exit("hlpmap: " + why)


def directory_entry(data, name):
    """The offset of the directory's record of an internal file's offset."""
    key = name.encode("latin-1") + b"\0"
    directory = struct.unpack_from("<I", data, 4)[0]
    at = data.find(key, directory)
    if at < 0:
        fail("no internal file " + name)
    return at + len(key)


def internal_file(data, name):
    start = struct.unpack_from("<I", data, directory_entry(data, name))[0]
    _, used, _ = struct.unpack_from("<IIB", data, start)
    if start + 9 + used > len(data):
        fail("internal file %s runs past the end of the file" % name)
    return start + 9, start + 9 + used


def title_offset(data, title):
    """The topic offset of the topic of that title, from |TTLBTREE's leaves.

    Every pointer the file holds is checked against the tree's own bounds, and
    no page is visited twice: a damaged file fails, it cannot loop.
    """
    start, end = internal_file(data, "|TTLBTREE")
    magic, _, page_size = struct.unpack_from("<HHH", data, start)
    if magic != 0x293B:
        fail("|TTLBTREE is no B+ tree")
    root, _, total, levels = struct.unpack_from("<HHHH", data, start + 26)
    pages = start + 38
    if page_size < 8 or pages + total * page_size > end or not 1 <= levels <= total:
        fail("|TTLBTREE is damaged: %d pages of %d bytes on %d levels" % (total, page_size, levels))

    def page_at(page):
        if page >= total:
            fail("|TTLBTREE is damaged: page %d of %d" % (page, total))
        return pages + page * page_size

    page = root
    for _ in range(levels - 1):  # down the first entries to the first leaf
        page = struct.unpack_from("<H", data, page_at(page) + 4)[0]
    seen = set()
    while page != 0xFFFF:
        if page in seen:
            fail("|TTLBTREE is damaged: its leaves come round to page %d again" % page)
        seen.add(page)
        base = page_at(page)
        _, count, _, following = struct.unpack_from("<HHhH", data, base)
        at = base + 8
        for _ in range(count):
            nul = data.find(b"\0", at + 4, base + page_size)
            if nul < 0:
                fail("|TTLBTREE is damaged: an entry of page %d runs past it" % page)
            offset = struct.unpack_from("<I", data, at)[0]
            if data[at + 4:nul].decode("latin-1") == title:
                return offset
            at = nul + 1
        page = following
    fail('no topic titled "%s"' % title)


def main():
    if len(sys.argv) != 4:
        fail('usage: hlpmap.py FILE.hlp NUMBER "TITLE"')
    path, number, title = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    data = bytearray(open(path, "rb").read())
    if struct.unpack_from("<I", data, 0)[0] != 0x00035F3F:
        fail(path + " is no WinHelp file")
    offset = title_offset(data, title)
    body = struct.pack("<HII", 1, number, offset)
    new_file = struct.pack("<IIB", 9 + len(body), len(body), 0) + body
    struct.pack_into("<I", data, directory_entry(data, "|CTXOMAP"), len(data))
    data += new_file
    struct.pack_into("<I", data, 12, len(data))
    if "SOURCE_DATE_EPOCH" in os.environ:
        system = internal_file(data, "|SYSTEM")[0]
        if struct.unpack_from("<H", data, system)[0] != 0x036C:
            fail("|SYSTEM has no header")
        struct.pack_into("<I", data, system + 6, int(os.environ["SOURCE_DATE_EPOCH"]) & 0xFFFFFFFF)
    with open(path, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    try:
        main()
    except struct.error:
        fail(sys.argv[1] + " is damaged: a pointer leads past its end")
