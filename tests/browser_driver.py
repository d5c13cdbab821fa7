"""What the browser test drives: the page in headless Chromium, as a user
would, and detoken and retoken run on the same files in a scratch folder."""

import argparse
import pathlib
import shutil
import subprocess
import time

SKIP = 77
CHROMIUM = '/usr/bin/chromium'
CHROMEDRIVER = '/usr/bin/chromedriver'
WAIT = 30  # seconds for the page to finish a piece of work

def missing_prerequisite(page):
    """What the browser test lacks to run, or None."""
    if not pathlib.Path(page).is_file():
        return f'the page is not built ({page}): cmake --workflow --preset web'
    for program in (CHROMIUM, CHROMEDRIVER):
        if not pathlib.Path(program).is_file():
            return f'{program} is missing (Debian: apt-get install chromium chromium-driver)'
    try:
        import selenium  # noqa: F401
    except ImportError:
        return 'Selenium is missing (Debian: apt-get install python3-selenium)'
    return None


def arguments(description):
    """The test's arguments, every path made absolute (the programs run in a
    scratch folder), and those left for unittest."""
    parser = argparse.ArgumentParser(description=description)
    for name in ('page', 'detoken', 'retoken', 'examples'):
        parser.add_argument('--' + name, required=True)
    parser.add_argument('--corpus')
    parser.add_argument('--screenshot')
    args, rest = parser.parse_known_args()
    for name in ('page', 'detoken', 'retoken', 'examples', 'corpus'):
        if getattr(args, name):
            setattr(args, name, str(pathlib.Path(getattr(args, name)).resolve()))
    return args, rest


def lf(text):
    return text.replace('\r\n', '\n')


class Console:
    """detoken and retoken, run in a scratch folder."""

    def __init__(self, folder, detoken, retoken):
        self.folder = folder
        self.detoken_program = detoken
        self.retoken_program = retoken

    def run(self, command):
        done = subprocess.run(command, cwd=self.folder, capture_output=True, timeout=60)
        return done.returncode, lf(done.stderr.decode('utf-8', 'replace'))

    def detoken(self, image, options, utf8=True):
        """The listing (bytes) and the findings of `detoken OPTIONS [-u] IMAGE`."""
        listing = self.folder / 'listing.txt'
        listing.unlink(missing_ok=True)
        status, findings = self.run([self.detoken_program, *options, *(['-u'] if utf8 else []), '-o', listing, image])
        assert status == 0, f'detoken failed on {image}: {findings}'
        return listing.read_bytes(), findings

    def tape_of(self, recording):
        """The image `detoken -o NAME.mzt RECORDING` makes of a recording."""
        image = self.folder / 'decoded.mzt'
        image.unlink(missing_ok=True)
        status, said = self.run([self.detoken_program, '-o', image, recording])
        assert status == 0, f'detoken failed on {recording}: {said}'
        return image.read_bytes()

    def retoken(self, text, name, tape, options):
        """The status, image and messages of `retoken -u OPTIONS -t TAPE NAME`,
        the listing NAME holding `text`; TAPE is a copy of the tape."""
        (self.folder / name).write_text(text, encoding='utf-8', newline='')
        kept = self.folder / 'kept.mzt'
        shutil.copyfile(tape, kept)
        image = self.folder / 'image.mzt'
        image.unlink(missing_ok=True)
        status, messages = self.run([self.retoken_program, '-u', *options, '-t', kept, '-o', image, name])
        return status, image.read_bytes() if image.exists() else None, messages


class Page:
    """The page in the browser, driven as a user would."""

    def __init__(self, page, downloads):
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service

        self.downloads = downloads
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for flag in ('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                     '--disable-background-networking', '--disable-component-update', '--disable-sync',
                     '--disable-dev-shm-usage', '--window-size=1200,900', f'--user-data-dir={downloads.parent}/profile'):
            options.add_argument(flag)
        options.add_experimental_option('prefs', {
            'download.default_directory': str(downloads),
            'download.prompt_for_download': False,
            'profile.default_content_setting_values.automatic_downloads': 1,
        })
        options.set_capability('goog:loggingPrefs', {'performance': 'ALL'})
        self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
        # The network cut, and any request for another place blocked.
        self.driver.execute_cdp_cmd('Network.enable', {})
        self.driver.execute_cdp_cmd('Network.setBlockedURLs',
                                    {'urls': ['http://*', 'https://*', 'ws://*', 'wss://*', 'ftp://*']})
        self.driver.set_network_conditions(offline=True, latency=0, download_throughput=0, upload_throughput=0)
        self.driver.execute_cdp_cmd('Browser.setDownloadBehavior', {'behavior': 'allow', 'downloadPath': str(downloads)})
        self.url = pathlib.Path(page).resolve().as_uri()
        self.driver.get_log('performance')  # the browser's own start, before the page
        self.driver.get(self.url)
        self.wait_for('document.documentElement.dataset.ready === "true"')

    def quit(self):
        self.driver.quit()

    def js(self, script, *values):
        return self.driver.execute_script(script, *values)

    def wait_for(self, condition):
        deadline = time.monotonic() + WAIT
        while not self.js(f'return {condition};'):
            if time.monotonic() > deadline:
                raise AssertionError(f'the page did not come to {condition}')
            time.sleep(0.02)

    def idle(self):
        self.wait_for('document.documentElement.dataset.busy === "false"')

    def element(self, selector):
        from selenium.webdriver.common.by import By
        return self.driver.find_element(By.CSS_SELECTOR, selector)

    def open(self, *paths, confirm=False):
        """Opens the files, as the file chooser would; with `confirm`, says yes
        to the question the page asks first."""
        opened = self.js('return Number(document.documentElement.dataset.opened || 0);')
        self.element('#open').send_keys('\n'.join(str(pathlib.Path(path).resolve()) for path in paths))
        if confirm:
            from selenium.webdriver.support import expected_conditions
            from selenium.webdriver.support.wait import WebDriverWait
            WebDriverWait(self.driver, WAIT).until(expected_conditions.alert_is_present()).accept()
        self.wait_for(f'Number(document.documentElement.dataset.opened || 0) > {opened}')
        self.idle()

    def dialect_options(self):
        return self.js('return [...document.querySelectorAll("#dialect option")].map((o) => o.dataset.option);')

    def choose(self, dialect, european, exact):
        from selenium.webdriver.support.select import Select
        if Select(self.element('#dialect')).first_selected_option.get_attribute('data-option') != dialect:
            Select(self.element('#dialect')).select_by_index(self.dialect_options().index(dialect))
            self.idle()
        characters = 'european' if european else 'japanese'
        if Select(self.element('#characters')).first_selected_option.get_attribute('value') != characters:
            Select(self.element('#characters')).select_by_value(characters)
            self.idle()
        if self.element('#exact').is_selected() != exact:
            self.element('#exact').click()
            self.idle()

    def listing(self):
        return self.js('return document.getElementById("listing").value;')

    def marked_line(self):
        return int(self.js('return document.getElementById("listing").dataset.markedLine || "0";'))

    def reports(self, kind):
        return self.js('return [...document.querySelectorAll(`#messages pre[data-kind="${arguments[0]}"]`)]'
                       '.map((e) => e.textContent);', kind)

    def messages(self, kind):
        return self.js('return [...document.querySelectorAll(`#messages > div.${arguments[0]}`)]'
                       '.map((e) => e.textContent);', kind)

    def select_file(self, name):
        from selenium.webdriver.common.by import By
        for button in self.driver.find_elements(By.CSS_SELECTOR, '#files button'):
            if button.text == name:
                button.click()
                self.idle()
                return
        raise AssertionError(f'{name} is not among the opened files')

    def clear_downloads(self):
        for path in self.downloads.iterdir():
            path.unlink()

    def download(self, button, encoding=None):
        """Clicks a download button; the one file downloaded (name, bytes)."""
        from selenium.webdriver.support.select import Select
        self.clear_downloads()
        if encoding:
            Select(self.element('#listing-encoding')).select_by_value(encoding)
        self.element(button).click()
        self.idle()
        deadline = time.monotonic() + WAIT
        while True:
            done = [path for path in self.downloads.iterdir() if not path.name.endswith('.crdownload')]
            if done and len(list(self.downloads.iterdir())) == 1:
                time.sleep(0.05)
                return done[0].name, done[0].read_bytes()
            if time.monotonic() > deadline:
                raise AssertionError(f'nothing was downloaded by {button}')
            time.sleep(0.02)

    def requests(self):
        """Every address the page asked for so far."""
        import json
        urls = []
        for entry in self.driver.get_log('performance'):
            message = json.loads(entry['message'])['message']
            if message['method'] == 'Network.requestWillBeSent':
                urls.append(message['params']['request']['url'])
        return urls


def offset_of(text, line, column):
    """The offset in `text` of LINE (from 1) and COLUMN (UTF-8 bytes, from 1)."""
    lines = text.split('\n')
    before = sum(len(lines[at]) + 1 for at in range(line - 1))
    encoded = lines[line - 1].encode('utf-8')[:column - 1]
    return before + len(encoded.decode('utf-8'))


def program_lines(image):
    """The lines of a tape image's program: each line number and its body."""
    lines, at = {}, 128
    while at + 2 <= len(image) and int.from_bytes(image[at:at + 2], 'little') != 0:
        length = int.from_bytes(image[at:at + 2], 'little')
        lines[int.from_bytes(image[at + 2:at + 4], 'little')] = image[at + 4:at + length - 1]
        at += length
    return lines
