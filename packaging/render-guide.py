#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

"""Renders the user's guide (GitHub-flavoured Markdown) as one HTML page.

Usage: render-guide.py CMARK_GFM GUIDE.md OUTPUT.html

cmark-gfm does the Markdown, tables included; this adds the page around it and gives
every heading the id GitHub gives it, so that the guide's links to its own sections work
in the HTML as they do in the repository.
"""

import html
import re
import subprocess
import sys

cmark, source, output = sys.argv[1:4]
body = subprocess.run([cmark, "--extension", "table", source], check=True,
                      capture_output=True, text=True, encoding="utf-8").stdout


def slug(text):
    text = html.unescape(re.sub(r"<[^>]+>", "", text)).strip().lower()
    return re.sub(r"\s", "-", re.sub(r"[^\w\- ]", "", text))


def with_id(match):
    return f'<{match[1]} id="{slug(match[2])}">{match[2]}</{match[1]}>'


body = re.sub(r"<(h[1-6])>(.*?)</\1>", with_id, body)
title = html.unescape(re.sub(r"<[^>]+>", "", re.search(r"<h1[^>]*>(.*?)</h1>", body)[1]))

page = f"""<!DOCTYPE html>
<html lang="ru">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>{html.escape(title)}</title>
<style>
body {{ font-family: "Segoe UI", "Liberation Sans", Tahoma, sans-serif; line-height: 1.45;
       max-width: 60em; margin: 0 auto; padding: 1em 1.5em; color: #1a1a1a; }}
h1, h2, h3 {{ line-height: 1.2; }}
h2 {{ border-bottom: 1px solid #ccc; padding-bottom: .2em; margin-top: 2em; }}
code, pre {{ font-family: "DejaVu Sans Mono", Consolas, monospace; font-size: .92em;
            background: #f2f2f2; }}
code {{ white-space: pre-wrap; overflow-wrap: anywhere; padding: 0 .15em; }} /* every blank shows */
pre {{ padding: .6em .8em; overflow-x: auto; }}
/* A wide table scrolls by itself on a narrow screen instead of widening the page. */
table {{ border-collapse: collapse; margin: 1em 0; display: block; overflow-x: auto; }}
th, td {{ border: 1px solid #bbb; padding: .3em .5em; vertical-align: top; text-align: left; }}
th {{ background: #eee; }}
img {{ max-width: 100%; height: auto; border: 1px solid #ccc; }}
p > em:only-child {{ display: block; margin-top: -.6em; color: #444; }} /* a picture's caption */
</style>
</head>
<body>
{body}</body>
</html>
"""
with open(output, "w", encoding="utf-8", newline="\n") as file:
    file.write(page)
