# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 Zelmora developers
"""The site served from 127.0.0.1, in Debian's Chromium, headless, driven by Selenium."""
import functools, http.server, threading
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

class Quiet(http.server.SimpleHTTPRequestHandler):  # no line per request
    log_message = lambda *args: None
def serve(site):
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), functools.partial(Quiet, directory=site))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return 'http://127.0.0.1:%d/' % server.server_port

def chromium(scale=1):
    (options := webdriver.ChromeOptions()).binary_location = '/usr/bin/chromium'
    for flag in ('headless=new', 'no-sandbox', 'disable-dev-shm-usage', 'no-first-run', 'disable-sync',
                 'disable-background-networking', 'disable-component-update', 'window-size=1280,900',
                 'force-device-scale-factor=%g' % scale):
        options.add_argument('--' + flag)
    return webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)

# Qt draws each window into a canvas inside shadow roots: the largest, its size and, once it
# is arguments[0] device pixels wide, its colours (the pixels are read only then).
CANVAS = """const found = [], seek = (root) => root.querySelectorAll('*').forEach((e) => {
    if (e.tagName === 'CANVAS' && e.getContext('2d')) found.push(e); if (e.shadowRoot) seek(e.shadowRoot); });
seek(document);
const canvas = found.sort((a, b) => b.width * b.height - a.width * a.height)[0];"""
DRAWN = CANVAS + """if (!canvas || canvas.width < Math.max(arguments[0], 1)) return [0, 0, 0];
const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data, colours = new Set();
for (let i = 0; i < pixels.length && colours.size < 64; i += 4 * 97) if (pixels[i + 3]) colours.add(pixels.slice(i, i + 3).join());
return [canvas.width, canvas.height, colours.size];"""

def wait_drawn(driver, width, seconds=60):
    """Waits for a canvas WIDTH CSS pixels wide or more, drawn in 8 colours or more."""
    scale = driver.execute_script('return window.devicePixelRatio')
    drawn = lambda driver: (lambda f: f[2] >= 8 and f)(driver.execute_script(DRAWN, width * scale))
    return WebDriverWait(driver, seconds, 0.05).until(drawn)
