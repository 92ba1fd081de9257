#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# Usage: unsigned.py STRIPPED UNSIGNED. Signing fills an NSIS program's PE checksum
# (makensis leaves it 0) and pads the file to 8 bytes; removing the signature keeps both.
# So the two must be equal but for the checksum and zero bytes past the unsigned end.
import struct
import sys

stripped, unsigned = (bytearray(open(name, "rb").read()) for name in sys.argv[1:3])
for data in (stripped, unsigned):
    checksum = struct.unpack_from("<I", data, 0x3C)[0] + 0x58  # e_lfanew + CheckSum
    data[checksum:checksum + 4] = bytes(4)
tail = stripped[len(unsigned):]
if stripped[:len(unsigned)] != unsigned or tail.strip(b"\0") or len(tail) >= 8:
    sys.exit(f"{sys.argv[1]} is not {sys.argv[2]} signed and unsigned again")
