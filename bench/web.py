#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers

# The browser program's goals: what a first visit downloads, gzip-compressed as web servers
# send it (goal: under 6 MB), and the time from opening the page to the drawn main window
# in headless Chromium, served from 127.0.0.1 (goal: under 3 s; the median of RUNS visits,
# each in a new browser with an empty cache). Usage: web.py [SITE [RUNS]]
# (default: build/web, 5 runs; run after tools/web.sh).
import gzip, os, statistics, sys
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'web'))
import browser

site = sys.argv[1] if len(sys.argv) > 1 else 'build/web'
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
first_visit = ['index.html', 'favicon.png', 'zelmora.js', 'qtloader.js', 'zelmora.wasm', 'zelmora.data']
total_raw = total_gzip = 0
print('%-14s %12s %12s' % ('file', 'bytes', 'gzip -6'))
for name in first_visit:
    data = open(os.path.join(site, name), 'rb').read()
    packed = len(gzip.compress(data, 6, mtime=0))
    total_raw, total_gzip = total_raw + len(data), total_gzip + packed
    print('%-14s %12d %12d' % (name, len(data), packed))
print('%-14s %12d %12d  (%.2f MB gzip; goal: under 6 MB)' % ('first visit', total_raw, total_gzip, total_gzip / 1e6))

address = browser.serve(site)
for scale in (1, 2):
    times = []
    for _ in range(runs):
        driver = browser.chromium(scale)
        try:
            driver.get(address + 'index.html')
            browser.wait_drawn(driver, 700)
            # From the start of the navigation to the moment the drawn window was seen.
            times.append(driver.execute_script('return performance.now()') / 1000)
        finally:
            driver.quit()
    print('time to the drawn window at %d %%: median %.2f s, min %.2f s, max %.2f s over %d visits (goal: under 3 s)'
          % (100 * scale, statistics.median(times), min(times), max(times), runs))
