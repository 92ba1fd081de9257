#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

"""Reads a registry export (reg export, already turned into UTF-8) on standard input.

Usage: registry.py without-wine   the export less Wine's own settings (Software\\Wine)
       registry.py values         each value as NAME=VALUE, a dword as 0x…
"""

import re
import sys

text = sys.stdin.read().replace("\r", "")
if sys.argv[1] == "without-wine":
    keep = True
    for line in text.split("\n"):
        if line.startswith("["):
            keep = not re.search(r"\\Software\\Wine(\\|\])", line)
        if keep and line:
            print(line)
else:
    for name, value in re.findall(r"^\"(.*?)\"=(.*)$", text, re.M):
        if value.startswith("dword:"):
            value = "0x%x" % int(value[6:], 16)
        else:
            value = value[1:-1].replace("\\\"", "\"").replace("\\\\", "\\")
        print(name + "=" + value)
