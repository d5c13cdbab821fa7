// The page: opens tape images, shows their listings, lets them be edited,
// and downloads listings and tapes. The conversions are the console
// programs' own, run by the converter in a worker (worker.js). The page's
// script is page_tools.js, this, then page_actions.js, in one function
// (assemble_page.cmake).

// The largest file read. A BASIC program of the machine is at most 64 KB,
// a whole cassette a few hundred: a larger file is no tape of it.
const kLargestFile = 1024 * 1024;
const kHeaderSize = 128;
// A conversion that takes longer than this is given up, and the converter
// started again.
const kLongestWork = 20000;
// How long work goes on before the page says that it is working.
const kShowWorkAfter = 100;
// What the converter says a file is (web/converter.h, FileKind).
const FileKind = {BasicTape: 0, OtherTape: 1, TooShort: 2, Empty: 3};

const $ = (id) => document.getElementById(id);
const ui = {
  open: $('open'), files: $('files'), dialect: $('dialect'), characters: $('characters'), exact: $('exact'),
  command: $('command'), status: $('status'), statusText: $('status-text'), progress: $('progress'),
  messages: $('messages'), listing: $('listing'), downloadListing: $('download-listing'),
  listingEncoding: $('listing-encoding'), downloadTape: $('download-tape'), tapeForm: $('tape-form'), play: $('play'),
};

// The opened files, each with its bytes, its choices, its listing as
// listed and as edited, and what the page has to say about it.
const files = [];
let current = null;
// What the last opening of files had to say about those it could not read.
let notices = [];
let dialects = [];

// Work under way: the page says so when it lasts, and marks itself busy
// (document.documentElement.dataset.busy) until all of it is done.
let working = 0;
let statusTimer = null;
async function work(label, task) {
  ++working;
  document.documentElement.dataset.busy = 'true';
  ui.statusText.textContent = label;
  if (statusTimer === null) statusTimer = setTimeout(() => { ui.status.hidden = false; }, kShowWorkAfter);
  try {
    return await task();
  } finally {
    if (--working === 0) {
      clearTimeout(statusTimer);
      statusTimer = null;
      ui.status.hidden = true;
      ui.progress.removeAttribute('value');
      document.documentElement.dataset.busy = 'false';
    }
  }
}

function choicesShown() {
  return {
    dialect: Math.max(ui.dialect.selectedIndex, 0),
    european: ui.characters.value === 'european',
    exact: ui.exact.checked,
  };
}

function showChoices(choices) {
  ui.dialect.selectedIndex = choices.dialect;
  ui.characters.value = choices.european ? 'european' : 'japanese';
  ui.exact.checked = choices.exact;
}

// The options of the console programs for the choices (the default dialect
// needs none).
function options(choices) {
  const shown = [];
  if (choices.dialect !== 0) shown.push(dialects[choices.dialect].option);
  if (choices.european) shown.push('-e');
  if (choices.exact) shown.push('-x');
  return shown;
}

// Marks `line` (from 1; 0 for none) of the listing with a band behind it,
// and brings it into view.
function markLine(line) {
  const listing = ui.listing;
  if (line <= 0) {
    listing.style.backgroundImage = '';
    delete listing.dataset.markedLine;
    return;
  }
  const style = getComputedStyle(listing);
  const height = parseFloat(style.lineHeight);
  const top = parseFloat(style.paddingTop) + (line - 1) * height;
  listing.style.backgroundImage = 'linear-gradient(var(--mark), var(--mark))';
  listing.style.backgroundSize = `100% ${height}px`;
  listing.style.backgroundPosition = `0 ${top}px`;
  listing.dataset.markedLine = String(line);
  listing.scrollTop = Math.max(0, top - listing.clientHeight / 2);
}

function message(kind, report, explanation) {
  const box = document.createElement('div');
  box.className = kind;
  if (report) {
    const pre = document.createElement('pre');
    pre.className = 'report';
    pre.dataset.kind = kind;
    pre.textContent = report;
    box.append(pre);
  }
  if (explanation) {
    const p = document.createElement('p');
    p.textContent = explanation;
    box.append(p);
  }
  ui.messages.append(box);
}

// What the page says about the current file: what could not be opened,
// what the file is, the lister's findings, and retoken's messages after a
// tape or a Shift_JIS listing was made.
function showMessages() {
  ui.messages.replaceChildren();
  for (const notice of notices) message('error', '', notice);
  const entry = current;
  if (!entry) return;
  const dialect = dialects[entry.choices.dialect].name;
  if (entry.kind === FileKind.TooShort) {
    message('note', '', `${entry.name} is ${sizeText(entry.bytes.length)}, shorter than a tape header ` +
        `(${kHeaderSize} bytes): it is not a tape image.`);
  } else if (entry.suggested >= 0) {
    proposal(entry, dialect, dialects[entry.suggested]);
  } else if (entry.kind === FileKind.OtherTape) {
    message('note', '', `The header of ${entry.name} does not say that it holds a ${dialect} program: its ` +
        `attribute is ${hex(entry.attribute)}, where a ${dialect} program has ${hex(entry.basicAttribute)}. ` +
        'It may hold machine code or data, or come from another machine.');
  }
  if (entry.recording && entry.recording.notes) {
    message(entry.recording.trusted ? 'note' : 'finding', entry.recording.notes, entry.recording.trusted ? '' :
        'The recording could not be read whole: the listing is the best reading there is, as detoken\'s is.');
  }
  if (entry.notes) message('note', entry.notes, '');
  if (entry.findings) {
    const syntax = entry.findings.startsWith('Syntax error');
    message('finding', entry.findings, (syntax ?
        `A code that is no keyword of ${dialect}: is the program of another BASIC? ` :
        'The file does not hold a whole program: a line does not end where its length says, or the data ' +
        'ends early. ') + 'The listing stops there, as detoken\'s does; the line concerned is marked.');
  }
  if (entry.tapeMessages) {
    message(entry.fault ? 'error' : 'note', entry.tapeMessages, entry.fault ?
        'Nothing was downloaded: mend the listing where the cursor stands and try again.' : '');
  }
}

function showFiles() {
  ui.files.replaceChildren(...files.map((entry) => {
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = entry.name;
    button.setAttribute('aria-current', String(entry === current));
    button.classList.toggle('trouble', Boolean(entry.findings) || entry.kind !== FileKind.BasicTape);
    button.addEventListener('click', () => select(entry));
    return button;
  }));
}

function show() {
  const entry = current;
  showFiles();
  showMessages();
  ui.downloadListing.disabled = ui.downloadTape.disabled = ui.play.disabled = !entry;
  if (!entry) {
    ui.listing.value = '';
    ui.command.textContent = '';
    markLine(0);
    return;
  }
  showChoices(entry.choices);
  const part = entry.recording && entry.recording.part > 1 ? [`-p${entry.recording.part}`] : [];
  const file = entry.recording ? entry.name.replace(/ \(\d+ of \d+\)$/, '') : entry.name;
  ui.command.textContent = ['detoken', '-u', ...options(entry.choices), ...part, file].join(' ');
  if (ui.listing.value !== entry.text) ui.listing.value = entry.text;
  markLine(entry.mark);
  requestAnimationFrame(() => setTimeout(() => performance.mark('listing-shown'), 0));
}

function select(entry) {
  current = entry;
  notices = [];
  show();
}

// Lists the file with its choices; shown at once when it is the current one.
async function list(entry) {
  const reply = await converter.request({type: 'list', bytes: entry.bytes, choices: entry.choices, utf8: true});
  Object.assign(entry, {
    listed: reply.text, text: reply.text, findings: reply.findings, notes: reply.notes, kind: reply.kind,
    attribute: reply.attribute, basicAttribute: reply.basicAttribute, suggested: reply.suggested, tapeMessages: '',
    fault: null,
  });
  entry.mark = entry.findings ? lastLine(entry.text) : 0;
  if (entry === current) show();
}

// The tapes a file holds: an image's one, or every file of a recording
// (told by its content, whatever its name, and read as it streams in).
async function openFile(file) {
  if (file.size === 0) {
    notices.push(`${file.name} is empty: there is nothing to list.`);
    return [];
  }
  try {
    if (isRecording(new Uint8Array(await file.slice(0, 12).arrayBuffer()))) return keep(await openRecording(file));
    if (file.size > kLargestFile) {
      notices.push(`${file.name} is ${sizeText(file.size)}, far more than a tape of the MZ-700 holds (a BASIC ` +
          `program is at most 64 KB), and no recording: it is not a tape, and was not read.`);
      return [];
    }
    const bytes = new Uint8Array(await file.arrayBuffer());
    const stem = file.name.replace(/\.[^.]*$/, '');
    return keep([{name: file.name, stem, bytes, choices: choicesShown(), text: '', listed: '', mark: 0}]);
  } catch (error) {
    notices.push(`${file.name} could not be read (${error.message}).`);
    return [];
  }
}

// The entries opened, each in place of one of its name unless that one has
// edits the user would keep.
function keep(entries) {
  return entries.filter((entry) => {
    const same = files.findIndex((other) => other.name === entry.name);
    if (same >= 0 && files[same].text !== files[same].listed &&
        !confirm(`${entry.name} is open with edits. Open it again and lose them?`)) {
      return false;
    }
    if (same >= 0) files[same] = entry; else files.push(entry);
    return true;
  });
}

// Opens the files one after the other; the first one opened is shown as
// soon as it is listed, the others wait in the list of files. Each opening
// done is counted (document.documentElement.dataset.opened).
let openings = 0;
function openFiles(fileList) {
  const chosen = [...fileList];
  if (chosen.length === 0) return;
  performance.mark('file-chosen');
  notices = [];
  work('Opening', async () => {
    let shown = false;
    ui.progress.max = chosen.length;
    for (const [index, file] of chosen.entries()) {
      ui.statusText.textContent = `Listing ${file.name} (${index + 1} of ${chosen.length})`;
      ui.progress.value = index;
      try {
        for (const entry of await openFile(file)) {
          if (!shown) current = entry;
          shown = true;
          await list(entry);
        }
      } catch (error) {
        notices.push(`The converter stopped while listing ${file.name} (${error.message}); it has been ` +
            'started again.');
      }
    }
    show();
    document.documentElement.dataset.opened = String(++openings);
  });
}

function listAgain() {
  const entry = current;
  if (!entry) return;
  if (entry.text !== entry.listed &&
      !confirm(`Listing ${entry.name} again with these choices discards your edits. List it again?`)) {
    showChoices(entry.choices);
    return;
  }
  entry.choices = choicesShown();
  work(`Listing ${entry.name}`, () => list(entry).catch((error) => {
    notices = [`The converter stopped while listing ${entry.name} (${error.message}); it has been started again.`];
    show();
  }));
}
