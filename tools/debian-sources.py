#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

"""Prints a deb-src line for every Debian archive suite the system's apt uses.

tools/windows.sh fetches Qt's source through a private apt list made of these lines: the
system's own archives and signing keys, with every suite the system has (the release,
its -updates and its security suite), so that the source of whatever qt6-base revision
is installed can be had. The system's own sources stay as they are.
"""

import glob
import re
import sys

DEFAULT_KEYRING = "/usr/share/keyrings/debian-archive-keyring.gpg"


def debian(uri):
    return re.search(r"/debian(-security)?/?$", uri) is not None


def deb822_entries():
    for path in sorted(glob.glob("/etc/apt/sources.list.d/*.sources")):
        with open(path, encoding="utf-8") as file:
            for stanza in file.read().split("\n\n"):
                fields = dict(re.findall(r"^(\S+):\s*(.*)$", stanza, re.M))
                if fields.get("Enabled", "yes") == "no" or "deb" not in fields.get("Types", "").split():
                    continue
                for uri in fields.get("URIs", "").split():
                    for suite in fields.get("Suites", "").split():
                        yield uri, suite, fields.get("Signed-By", DEFAULT_KEYRING)


def one_line_entries():
    for path in ["/etc/apt/sources.list"] + sorted(glob.glob("/etc/apt/sources.list.d/*.list")):
        try:
            with open(path, encoding="utf-8") as file:
                lines = file.readlines()
        except FileNotFoundError:
            continue
        for line in lines:
            entry = re.match(r"\s*deb\s+(?:\[([^\]]*)\]\s+)?(\S+)\s+(\S+)", line)
            if entry:
                keyring = re.search(r"signed-by=(\S+)", entry[1] or "")
                yield entry[2], entry[3], keyring[1] if keyring else DEFAULT_KEYRING

seen = set()
for uri, suite, keyring in list(deb822_entries()) + list(one_line_entries()):
    if debian(uri) and (uri, suite) not in seen:
        seen.add((uri, suite))
        print(f"deb-src [signed-by={keyring}] {uri} {suite} main")
if not seen:
    sys.exit("no Debian archive among the system's apt sources")
