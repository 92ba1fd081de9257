#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers
# The site in SITE, served from 127.0.0.1, at 100 % and 200 %: the main window is drawn and
# the page logs no error; screenshots go to SHOTS. Usage: smoke.py SITE SHOTS
import os, sys
import browser

site, shots = sys.argv[1:3]
os.makedirs(shots, exist_ok=True)
for scale in (1, 2):
    driver = browser.chromium(scale)
    try:
        driver.get(browser.serve(site) + 'index.html')
        width, height, colours = browser.wait_drawn(driver, 700)
        driver.save_screenshot(os.path.join(shots, 'window-%d.png' % (100 * scale)))
        print('%d %%: the window drawn, %d×%d device pixels, %d+ colours' % (100 * scale, width, height, colours))
        assert not (errors := [e['message'] for e in driver.get_log('browser') if e['level'] == 'SEVERE']), errors
    finally:
        driver.quit()
