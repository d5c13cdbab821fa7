#!/usr/bin/python3
"""The page (build/web/index.html) in headless Chromium, opened from disk with
the network cut, against the console programs.

Every expectation comes from detoken and retoken run on the same files with
the same options: the listing shown for each example and each real program
of data/corpus with each set of choices, the findings and the line they
mark, the listings and tapes downloaded, and retoken's message and place for
a listing it refuses. Files that are no tape give a message and leave the
page usable. Every request the page makes must be for the page itself.

Exits 77 (CTest's skip) where Chromium, ChromeDriver, Selenium or the built
page are missing.

Usage: browser_test.py --page INDEX_HTML --detoken PROGRAM --retoken PROGRAM
                       --examples DIR [--corpus DIR] [--screenshot PNG]
"""

import base64
import pathlib
import re
import shutil
import sys
import tempfile
import time
import unittest

from browser_driver import SKIP, Console, Page, arguments, missing_prerequisite, offset_of, program_lines

args = None


class BrowserTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.scratch = pathlib.Path(tempfile.mkdtemp(prefix='detoken-browser-'))
        (cls.scratch / 'downloads').mkdir()
        (cls.scratch / 'console').mkdir()
        (cls.scratch / 'files').mkdir()
        cls.console = Console(cls.scratch / 'console', args.detoken, args.retoken)
        cls.page = Page(args.page, cls.scratch / 'downloads')
        examples = pathlib.Path(args.examples)
        # Each program with the options it was written for.
        cls.programs = [(examples / 'sbasic_demo.mzt', []), (examples / 'hubasic_demo.mzt', ['-h'])]
        # An MZ-80K tape, written out from its BASIC's format: PRINT "li";RND(1)^.5 and GOTO 10.
        mz80k = (b'\x02GAME\x0d' + b' ' * 12 + b'\x1d\x00\x06\x48' + bytes(106) +
                 b'\x12\x00\x0a\x00\x85\x20\x22\xb8\xa6\x22\x3b\xd0\x31\x29\xcf\x2e\x35\x0d'
                 b'\x09\x00\x14\x00\x89\x20\x31\x30\x0d\x00\x00')
        cls.programs.append((cls.scratch / 'files' / 'game.mzt', ['-k', '-e']))
        cls.programs[-1][0].write_bytes(mz80k)
        if args.corpus and pathlib.Path(args.corpus).is_dir():
            cls.programs += [(path, ['-e']) for path in sorted(pathlib.Path(args.corpus).glob('*.mzt'))]
        else:
            print('no data/corpus: the real programs are not listed', file=sys.stderr)

    @classmethod
    def tearDownClass(cls):
        cls.page.quit()
        shutil.rmtree(cls.scratch, ignore_errors=True)

    def file(self, name, data):
        path = self.scratch / 'files' / name
        path.write_bytes(data)
        return path

    def check_shown(self, image, options):
        """The page shows what detoken -u shows, with the same findings, and
        marks the line where the listing stopped."""
        expected, findings = self.console.detoken(image, options)
        shown = self.page.listing()
        self.assertEqual(shown, expected.decode('utf-8'), f'{image.name} {options}')
        shown_reports = ''.join(self.page.reports('finding') + self.page.reports('note'))
        self.assertEqual(sorted(shown_reports.splitlines()), sorted(findings.splitlines()), f'{image.name} {options}')
        if not self.page.reports('finding'):
            self.assertEqual(self.page.marked_line(), 0)
            return findings
        lines = shown.split('\n')
        self.assertEqual(self.page.marked_line(), len(lines), f'{image.name} {options}: the line marked')
        syntax = re.match(r'Syntax error in (\d+) ', findings)
        if syntax:
            self.assertTrue(lines[-1].startswith('%5d ' % int(syntax[1])), f'{image.name} {options}: {lines[-1]}')
        return findings

    def test_1_every_program_with_every_choice(self):
        dialects = self.page.dialect_options()
        self.assertIn('-s', dialects)
        self.assertIn('-h', dialects)
        self.assertIn('-k', dialects)
        seen = set()
        for image, _ in self.programs:
            self.page.open(image)
            for dialect in dialects:
                for european in (False, True):
                    for exact in (False, True):
                        with self.subTest(program=image.name, dialect=dialect, european=european, exact=exact):
                            self.page.choose(dialect, european, exact)
                            options = [dialect] + ['-e'] * european + ['-x'] * exact
                            findings = self.check_shown(image, options)
                            seen |= {line.split(' ')[0] for line in findings.splitlines()} or {'listed'}
        # The sweep met listings that stop, of both kinds (S-BASIC programs
        # read as HuBASIC), not only whole ones, and headers of other BASICs.
        kinds = {'header' if kind.startswith('ヘッダは') else 'other BASIC' if 'ではこのコードは' in kind else kind
                 for kind in seen}
        self.assertEqual(kinds, {'listed', 'Syntax', '異常なBASICファイルです', 'header', 'other BASIC'})

    def test_2_downloads_give_back_the_console_programs_files(self):
        for image, options in self.programs:
            with self.subTest(program=image.name):
                self.page.open(image)
                self.page.choose(next((o for o in options if o in ('-h', '-k')), '-s'), '-e' in options, True)
                exact = options + ['-x']
                listing = self.page.listing()
                name, tape = self.page.download('#download-tape')
                self.assertEqual(name, image.name)
                self.assertEqual(tape, image.read_bytes(), 'the tape comes back byte for byte')
                # Unedited, whatever the choices.
                self.page.choose('-h' if '-k' in options else '-k', False, False)
                self.assertEqual(self.page.download('#download-tape')[1], image.read_bytes())
                self.page.choose(next((o for o in options if o in ('-h', '-k')), '-s'), '-e' in options, True)
                status, expected, _ = self.console.retoken(listing, image.stem + '.txt', image, exact)
                self.assertEqual((status, tape), (0, expected))
                name, text = self.page.download('#download-listing', 'shift_jis')
                self.assertEqual((name, text), (image.stem + '.txt', self.console.detoken(image, exact, False)[0]))
                name, text = self.page.download('#download-listing', 'utf-8')
                self.assertEqual(text, self.console.detoken(image, exact)[0])
        if args.screenshot:
            shown = next((image for image, _ in self.programs if image.stem == 'gnu_blat_2000'), self.programs[-1][0])
            self.page.open(shown)
            self.page.choose('-s', True, True)
            self.page.driver.save_screenshot(args.screenshot)

    def type_over_line(self, line, text):
        """Selects line LINE (from 1) of the listing, as a user would, and types
        TEXT over it."""
        listing = self.page.listing()
        start = offset_of(listing, line, 1)
        end = start + len(listing.split('\n')[line - 1])
        self.page.js('const area = document.getElementById("listing"); area.focus();'
                     'area.setSelectionRange(arguments[0], arguments[1]);', start, end)
        self.page.element('#listing').send_keys(text)

    def test_3_an_edited_listing_makes_retokens_tape(self):
        image = self.programs[0][0]
        self.page.open(image)
        self.page.choose('-s', False, True)
        self.type_over_line(2, '   20 CLS:PRINT "ｴﾃﾞｨｯﾄ";A*2')
        edited = self.page.listing()
        self.assertIn('   20 CLS:PRINT "ｴﾃﾞｨｯﾄ";A*2\n', edited)
        _, tape = self.page.download('#download-tape')
        status, expected, _ = self.console.retoken(edited, image.stem + '.txt', image, ['-x'])
        self.assertEqual((status, tape), (0, expected))
        self.assertNotEqual(tape, image.read_bytes())
        # In Shift_JIS, the listing of that tape as detoken writes it.
        _, text = self.page.download('#download-listing', 'shift_jis')
        self.assertEqual(text, self.console.detoken(self.file('edited.mzt', tape), ['-x'], False)[0])

        # A line retoken refuses: its message, the cursor at its place, no tape.
        self.type_over_line(3, '   30 PRINT "ｱｲｳ€"')
        refused = self.page.listing()
        self.page.clear_downloads()
        self.page.element('#download-tape').click()
        self.page.idle()
        status, _, messages = self.console.retoken(refused, image.stem + '.txt', image, ['-x'])
        self.assertNotEqual(status, 0)
        self.assertEqual(self.page.reports('error'), [messages])
        line, column = map(int, re.match(r'[^:]+:(\d+):(\d+): ', messages).groups())
        position = self.page.js('const area = document.getElementById("listing");'
                                'return [area.selectionStart, area.selectionEnd, document.activeElement === area];')
        place = offset_of(refused, line, column)
        self.assertEqual(position, [place, place, True])
        self.assertEqual(self.page.marked_line(), line)
        time.sleep(0.5)
        self.assertEqual(list(self.page.downloads.iterdir()), [], 'nothing is downloaded after an error')

        # Opened again, the edits go only when the user says so.
        self.page.open(image, confirm=True)
        self.check_shown(image, ['-s', '-x'])

    def test_3b_edited_without_exact_reals_keeps_the_other_lines(self):
        """A line edited in a listing without exact reals: the tape is the
        opened one but for that line, every real of the others kept."""
        image = next(image for image, _ in self.programs if image.stem == 'sunrise_v2')
        self.page.open(image)
        self.page.choose('-s', True, False)
        number = int(self.page.listing()[:5])
        self.type_over_line(1, '%5d REM EDITED' % number)
        _, tape = self.page.download('#download-tape')
        status, expected, _ = self.console.retoken(self.page.listing(), image.stem + '.txt', image, ['-e'])
        self.assertEqual((status, tape), (0, expected))
        before, after = program_lines(image.read_bytes()), program_lines(tape)
        self.assertEqual(after[number], b'\x97 EDITED')
        before[number] = after[number]
        self.assertEqual(after, before)

    def test_3c_a_header_of_another_basic_is_told(self):
        image = next(image for image, options in self.programs if '-k' in options)
        self.page.open(image)
        self.page.choose('-s', True, False)
        self.assertTrue(any('MZ-80K BASIC (SP-5025)' in note for note in self.page.messages('note')))
        self.page.element('#messages button.propose').click()
        self.page.idle()
        self.assertEqual(self.page.dialect_options()[self.page.js('return document.getElementById("dialect").selectedIndex;')], '-k')
        self.check_shown(image, ['-k', '-e'])

    def test_4_damaged_and_foreign_files(self):
        # A tape cut in the middle of a line: the finding, and its line marked.
        image = self.programs[-1][0]
        data = image.read_bytes()
        cut = self.file('damaged.mzt', data[:128 + (len(data) - 128) * 2 // 3])
        self.page.open(cut)
        self.page.choose('-s', False, False)
        self.assertNotEqual(self.check_shown(cut, ['-s']), '')

        # No tape, or a tape of another machine: what detoken finds, and a
        # note on the file.
        for name, data in [('notes.mzt', pathlib.Path(__file__).read_bytes()[:4000]),
                           ('commodore.prg', bytes.fromhex('01080b080a009922484922000000'))]:
            with self.subTest(file=name):
                path = self.file(name, data)
                self.page.open(path)
                self.assertNotEqual(self.check_shown(path, ['-s']), '')
                self.assertEqual(len(self.page.messages('note')), 1)

        # Files that are not listed at all: a message naming each, and the
        # page goes on with the next file.
        empty = self.file('empty.mzt', b'')
        huge = self.scratch / 'files' / 'huge.mzt'
        with open(huge, 'wb') as file:
            file.truncate(100 * 1024 * 1024)
        for path in (empty, huge):
            with self.subTest(file=path.name):
                self.page.open(path)
                errors = self.page.messages('error')
                self.assertEqual(len(errors), 1)
                self.assertIn(path.name, errors[0])
        good = self.programs[0][0]
        self.page.open(good)
        self.assertEqual(self.page.messages('error'), [])
        self.check_shown(good, ['-s'])

    def test_5_several_files_at_once_and_dropped(self):
        first, second = self.programs[0][0], self.programs[1][0]
        self.page.open(first, second)
        self.page.choose('-s', False, False)
        self.check_shown(first, ['-s'])
        self.page.select_file(second.name)
        self.check_shown(second, ['-s'])
        # A file dropped on the page.
        self.page.js('const bytes = Uint8Array.from(atob(arguments[0]), (c) => c.charCodeAt(0));'
                     'const transfer = new DataTransfer();'
                     'transfer.items.add(new File([bytes], arguments[1]));'
                     'document.body.dispatchEvent(new DragEvent("drop", {dataTransfer: transfer, bubbles: true}));',
                     base64.b64encode(second.read_bytes()).decode('ascii'), 'dropped.mzt')
        self.page.idle()
        self.check_shown(self.file('dropped.mzt', second.read_bytes()), ['-s'])

    def test_7_recordings_open_download_and_play(self):
        """A recording of a cassette lists as detoken lists it; the tape
        downloads as an image and as a recording that decodes to the same
        image; Play plays it, and stops."""
        recording = pathlib.Path(args.corpus) / 'moonlander_v4.wav'
        image = recording.with_suffix('.mzt')
        self.page.open(recording)
        self.page.choose('-s', True, True)
        self.check_shown(recording, ['-e', '-x'])
        self.page.js('document.getElementById("tape-form").value = "image";')
        name, tape = self.page.download('#download-tape')
        self.assertEqual((name, tape), ('moonlander_v4.mzt', image.read_bytes()))
        self.page.js('document.getElementById("tape-form").value = "recording";')
        name, wav = self.page.download('#download-tape')
        self.assertEqual(name, 'moonlander_v4.wav')
        self.assertEqual(self.console.tape_of(self.file('downloaded.wav', wav)), image.read_bytes())
        self.page.element('#play').click()
        self.page.wait_for('document.documentElement.dataset.playing === "true"')
        self.page.element('#play').click()
        self.page.wait_for('document.documentElement.dataset.playing === "false"')

    def test_6_nothing_but_the_page_is_requested(self):
        urls = self.page.requests()
        self.assertIn(self.page.url, urls)
        for url in urls:
            self.assertTrue(url == self.page.url or url.startswith(('data:', 'blob:')), url)


def main():
    global args
    args, rest = arguments(__doc__.split('\n')[0])
    missing = missing_prerequisite(args.page)
    if missing:
        print(f'browser test skipped: {missing}')
        return SKIP
    result = unittest.main(argv=[sys.argv[0], *rest], exit=False, verbosity=2).result
    return 0 if result.wasSuccessful() else 1


if __name__ == '__main__':
    sys.exit(main())
