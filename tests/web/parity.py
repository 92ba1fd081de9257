#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers
# The browser program against the desktop one, in Chromium: the guide's worked example typed
# in gives the guide's log (tst_guide proves it the desktop's), time stamps aside, read
# through the clipboard; ?file= names the document in the status bar; Exit's Save and Cancel
# keep the window, Discard closes the program and the page says so. Usage: parity.py SITE GUIDE SHOTS
import os, re, sys, time
import browser
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

site, guide, shots = sys.argv[1:4]
address = browser.serve(site)
expected = re.search(r'```\n(Zelmora ver\..*?)\n```', open(guide, encoding='utf-8').read(), re.S).group(1)
unstamped = lambda log: re.sub(r'<\d\d\.\d\d\.\d\d \d\d:\d\d:\d\d>', '<time>', log).splitlines()
STATUS_BAR = browser.CANVAS + 'return Array.from(canvas.getContext("2d").getImageData(0, canvas.height - 17, 300, 17).data).join()'

def act(driver, *steps):  # clicks at (x, y) of the page, typed keys, Ctrl+key as CONTROL + key
    for step in steps:
        if isinstance(step, tuple):
            (click := ActionBuilder(driver)).pointer_action.move_to_location(*step).click()
            click.perform()
        elif step.startswith(Keys.CONTROL):
            ActionChains(driver).key_down(Keys.CONTROL).send_keys(step[1:]).key_up(Keys.CONTROL).perform()
        else:
            ActionChains(driver).send_keys(step).perform()
        time.sleep(0.3)

driver = browser.chromium()
driver.get(address + 'index.html')
browser.wait_drawn(driver, 700)
unnamed = driver.execute_script(STATUS_BAR)
driver.get(address + 'index.html?file=psu.zmr')
driver.execute_cdp_cmd('Browser.grantPermissions', {'origin': address[:-1], 'permissions': ['clipboardReadWrite']})
browser.wait_drawn(driver, 300)
driver.save_screenshot(os.path.join(shots, 'splash.png'))
browser.wait_drawn(driver, 700)
assert driver.execute_script(STATUS_BAR) != unnamed, 'the status bar shows the same name without ?file='
# The second winding, 12 V 1 A, typed over its cells; Calculate; the whole log copied.
act(driver, (86, 195), '12', Keys.TAB, '1', Keys.ENTER, (50, 713), (300, 600), Keys.CONTROL + 'a', Keys.CONTROL + 'c')
driver.save_screenshot(os.path.join(shots, 'calculated.png'))
log = driver.execute_async_script('navigator.clipboard.readText().then(arguments[0])')
for shown, desktop in zip(unstamped(log), unstamped(expected)):
    print('%-60s | %s' % (shown, desktop))
assert unstamped(log) == unstamped(expected), 'the browser log differs from the desktop one'
windows = lambda: driver.execute_script(browser.CANVAS + 'return found.length')
for answer in ((543, 370), (715, 370), (629, 370)):  # File, Exit, then Save, Cancel, Discard
    act(driver, (23, 8), (50, 131))
    shown = WebDriverWait(driver, 10, 0.05).until(lambda _: windows() > 1 and windows())  # the question
    act(driver, answer)
    WebDriverWait(driver, 10, 0.05).until(lambda _: windows() < shown)
    closed = driver.execute_script('return !document.getElementById("closed").hidden')
    print('Exit answered at %s: %s' % (answer, 'the program closed' if closed else 'the window stays'))
    assert closed == (answer == (629, 370)) and (closed or browser.wait_drawn(driver, 700, 5))
driver.save_screenshot(os.path.join(shots, 'closed.png'))
driver.quit()
