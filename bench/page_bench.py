#!/usr/bin/python3
"""Measures the page (build/web/index.html, from cmake --workflow --preset web)
in headless Chromium, opened from disk:

  - the size of the page's files together (everything it loads is in the one
    file: the WebAssembly is embedded);
  - the time from opening the page to its converter being ready;
  - the time from choosing a real program (by default the largest of
    ../shared/corpus) to its listing being shown: from the file chooser's
    change event to the first frame painted after the listing was put in
    place, as the page marks them (performance marks 'file-chosen' and
    'listing-shown'); and, for comparison, the same seen from outside, from
    the file being handed to the chooser to the page being idle again.

Usage: bench/page_bench.py [--page build/web/index.html] [--program FILE.mzt]
                           [--runs 30]
Needs Debian's chromium, chromium-driver and python3-selenium.
"""

import argparse
import pathlib
import statistics
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

ROOT = pathlib.Path(__file__).resolve().parent.parent


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('--page', default=ROOT / 'build/web/index.html', type=pathlib.Path)
    parser.add_argument('--program', type=pathlib.Path)
    parser.add_argument('--runs', default=30, type=int)
    args = parser.parse_args()
    program = args.program or max((ROOT / 'data/corpus').glob('*.mzt'), key=lambda path: path.stat().st_size)
    page = args.page.resolve()
    folder = page.parent
    files = [path for path in folder.iterdir() if path.is_file() and path.suffix in ('.html', '.js', '.wasm', '.css')]
    print(f'page files: {", ".join(path.name for path in files)}: {sum(path.stat().st_size for path in files)} bytes')

    with tempfile.TemporaryDirectory() as profile:
        options = webdriver.ChromeOptions()
        options.binary_location = '/usr/bin/chromium'
        for flag in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                     '--disable-background-networking', '--disable-component-update', '--disable-sync',
                     '--window-size=1200,900', f'--user-data-dir={profile}'):
            options.add_argument(flag)
        driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
        try:
            driver.get(page.as_uri())
            while not driver.execute_script('return document.documentElement.dataset.ready === "true";'):
                time.sleep(0.005)
            ready = driver.execute_script('return performance.now();')
            print(f'page opened to converter ready: {ready:.0f} ms (navigation start to ready)')

            inside, outside = [], []
            chooser = driver.find_element(By.ID, 'open')
            for _ in range(args.runs):
                driver.execute_script('performance.clearMarks();')
                start = time.perf_counter()
                chooser.send_keys(str(program.resolve()))
                while not driver.execute_script(
                        'return document.documentElement.dataset.busy === "false" &&'
                        ' performance.getEntriesByName("listing-shown").length > 0;'):
                    time.sleep(0.002)
                outside.append((time.perf_counter() - start) * 1000)
                inside.append(driver.execute_script(
                    'return performance.getEntriesByName("listing-shown")[0].startTime -'
                    ' performance.getEntriesByName("file-chosen")[0].startTime;'))
        finally:
            driver.quit()

    lines = len(program_lines(program))
    print(f'{program.name} ({program.stat().st_size} bytes, {lines} lines), {args.runs} runs:')
    for name, times in (('chosen to listing shown (in the page)', inside),
                        ('handed to the chooser to idle (from outside)', outside)):
        print(f'  {name}: median {statistics.median(times):.1f} ms, max {max(times):.1f} ms')


def program_lines(program):
    """The program's lines, counted from the tape (each line: length word,
    number word, body, 0), to say how large it is."""
    data = program.read_bytes()[128:]
    lines = []
    at = 0
    while at + 2 <= len(data):
        length = data[at] | data[at + 1] << 8
        if length == 0:
            break
        lines.append(at)
        at += length
    return lines


if __name__ == '__main__':
    main()
