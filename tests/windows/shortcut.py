#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

"""Prints a Windows shortcut's target path, working folder and icon, a line each.

Usage: shortcut.py FILE.lnk   (the MS-SHLLINK format, as Wine and Windows write it)
"""

import struct
import sys

data = open(sys.argv[1], "rb").read()
flags = struct.unpack_from("<I", data, 0x14)[0]
pos = 0x4C
if flags & 0x01:  # an item list
    pos += 2 + struct.unpack_from("<H", data, pos)[0]
target = ""
if flags & 0x02:  # the link information: its base path, in Unicode when the header has one
    size, header, _, _, base = struct.unpack_from("<5I", data, pos)
    if header >= 0x24:
        start = pos + struct.unpack_from("<I", data, pos + 0x1C)[0]
        end = start
        while data[end:end + 2] != b"\0\0":
            end += 2
        target = data[start:end].decode("utf-16-le")
    else:
        target = data[pos + base:data.index(b"\0", pos + base)].decode("cp1251")
    pos += size
fields = {}
for bit, name in ((0x04, "name"), (0x08, "relative"), (0x10, "workdir"), (0x20, "arguments"), (0x40, "icon")):
    if flags & bit:
        count = struct.unpack_from("<H", data, pos)[0]
        fields[name] = data[pos + 2:pos + 2 + 2 * count].decode("utf-16-le").rstrip("\0")
        pos += 2 + 2 * count
print(target)
print(fields.get("workdir", ""))
print(fields.get("icon", ""))
