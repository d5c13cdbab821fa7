// The page: opens tape images, shows their listings, lets them be edited,
// and downloads listings and tapes. The conversions are the console
// programs' own, run by the converter in a worker (worker.js).
'use strict';
(() => {
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
    listingEncoding: $('listing-encoding'), downloadTape: $('download-tape'),
  };
  const toUtf8 = new TextEncoder();

  // The converter in its worker, made from the worker's source in the page
  // (a worker cannot be loaded from a file of a page opened from disk).
  class Converter {
    constructor(onReady) {
      this.onReady = onReady;
      this.url = URL.createObjectURL(new Blob([$('worker-source').textContent], {type: 'text/javascript'}));
      this.nextId = 1;
      this.start();
    }

    start() {
      this.pending = new Map();
      this.worker = new Worker(this.url);
      this.worker.onmessage = (event) => this.answer(event.data);
      this.worker.onerror = (event) => {
        event.preventDefault();
        this.restart(event.message || 'the converter failed');
      };
    }

    answer(reply) {
      if (reply.type === 'ready') {
        this.onReady(reply.dialects);
        return;
      }
      const request = this.pending.get(reply.id);
      if (!request) return;
      this.pending.delete(reply.id);
      clearTimeout(request.timer);
      request.resolve(reply);
    }

    // Ends the worker and everything it was doing, and starts a new one.
    restart(reason) {
      this.worker.terminate();
      const pending = this.pending;
      this.start();
      for (const request of pending.values()) {
        clearTimeout(request.timer);
        request.reject(new Error(reason));
      }
    }

    request(message) {
      return new Promise((resolve, reject) => {
        const id = this.nextId++;
        const timer = setTimeout(() => this.restart('it took too long'), kLongestWork);
        this.pending.set(id, {resolve, reject, timer});
        this.worker.postMessage({...message, id});
      });
    }
  }

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

  // The names detoken and retoken give: the listing is the file's name with
  // its extension replaced by .txt.
  function listingName(name) {
    return name.replace(/\.[^.]*$/, '') + '.txt';
  }

  function sizeText(bytes) {
    if (bytes >= 1024 * 1024) return `${(bytes / (1024 * 1024)).toFixed(1)} MB`;
    if (bytes >= 1024) return `${(bytes / 1024).toFixed(1)} KB`;
    return `${bytes} bytes`;
  }

  function hex(byte) {
    return byte.toString(16).toUpperCase().padStart(2, '0');
  }

  // The line (from 1) of `text` where its listing stopped: its last line, or
  // the empty line after the last when the listing stopped between lines.
  function lastLine(text) {
    return text.split('\n').length;
  }

  // The offset in `text` of `line` (from 1) and `column` (in UTF-8 bytes,
  // from 1), as the tokenizer counts them.
  function offsetOf(text, line, column) {
    let offset = 0;
    for (let at = 1; at < line; ++at) {
      const end = text.indexOf('\n', offset);
      if (end < 0) return text.length;
      offset = end + 1;
    }
    let bytes = 1;
    for (const character of text.slice(offset)) {
      if (bytes >= column || character === '\n') break;
      bytes += toUtf8.encode(character).length;
      offset += character.length;
    }
    return offset;
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
    } else if (entry.kind === FileKind.OtherTape) {
      message('note', '', `The header of ${entry.name} does not say that it holds a ${dialect} program: its ` +
          `attribute is ${hex(entry.attribute)}, where a ${dialect} program has ${hex(entry.basicAttribute)}. ` +
          'It may hold machine code or data, or come from another machine.');
    }
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
    ui.downloadListing.disabled = ui.downloadTape.disabled = !entry;
    if (!entry) {
      ui.listing.value = '';
      ui.command.textContent = '';
      markLine(0);
      return;
    }
    showChoices(entry.choices);
    ui.command.textContent = ['detoken', '-u', ...options(entry.choices), entry.name].join(' ');
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
      listed: reply.text, text: reply.text, findings: reply.findings, kind: reply.kind,
      attribute: reply.attribute, basicAttribute: reply.basicAttribute, tapeMessages: '', fault: null,
    });
    entry.mark = entry.findings ? lastLine(entry.text) : 0;
    if (entry === current) show();
  }

  async function openFile(file) {
    if (file.size === 0) {
      notices.push(`${file.name} is empty: there is nothing to list.`);
      return null;
    }
    if (file.size > kLargestFile) {
      notices.push(`${file.name} is ${sizeText(file.size)}, far more than a tape of the MZ-700 holds (a BASIC ` +
          `program is at most 64 KB): it is not a tape image, and was not read.`);
      return null;
    }
    let bytes;
    try {
      bytes = new Uint8Array(await file.arrayBuffer());
    } catch (error) {
      notices.push(`${file.name} could not be read (${error.message}).`);
      return null;
    }
    const entry = {name: file.name, bytes, choices: choicesShown(), text: '', listed: '', mark: 0};
    const same = files.findIndex((other) => other.name === file.name);
    if (same >= 0 && files[same].text !== files[same].listed &&
        !confirm(`${file.name} is open with edits. Open it again and lose them?`)) {
      return null;
    }
    if (same >= 0) files[same] = entry; else files.push(entry);
    return entry;
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
          const entry = await openFile(file);
          if (!entry) continue;
          if (!shown) current = entry;
          shown = true;
          await list(entry);
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

  // Hands `bytes` to the browser as a download named `name`.
  function save(bytes, name, type) {
    const url = URL.createObjectURL(new Blob([bytes], {type}));
    const link = document.createElement('a');
    link.href = url;
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  }

  // A tape of the listing as it stands, as retoken makes it with the file's
  // choices and the opened tape's header (retoken -t); `type` 'relist' also
  // lists that tape in Shift_JIS. On a fault the cursor goes to it.
  async function makeTape(entry, type) {
    const reply = await converter.request({
      type, listing: entry.text, name: listingName(entry.name), choices: entry.choices,
      header: entry.bytes.length >= kHeaderSize ? entry.bytes.slice(0, kHeaderSize) : new Uint8Array(0),
    });
    entry.tapeMessages = reply.messages;
    entry.fault = reply.made ? null : {line: reply.line, column: reply.column};
    entry.mark = reply.made ? 0 : reply.line;
    if (entry === current) {
      show();
      if (entry.fault && entry.fault.line > 0) {
        const offset = offsetOf(entry.text, entry.fault.line, entry.fault.column);
        ui.listing.focus();
        ui.listing.setSelectionRange(offset, offset);
      }
    }
    return reply.made ? reply : null;
  }

  function failed(entry) {
    return (error) => {
      notices = [`The converter stopped while working on ${entry.name} (${error.message}); it has been started again.`];
      show();
    };
  }

  function downloadTape() {
    const entry = current;
    if (!entry) return;
    work(`Making the tape of ${entry.name}`, async () => {
      const made = await makeTape(entry, 'tape');
      if (made) save(made.image, entry.name, 'application/octet-stream');
    }).catch(failed(entry));
  }

  // The listing in UTF-8 is the text as it stands. In Shift_JIS it is what
  // detoken writes: of the tape itself while the text is as listed, else of
  // the tape that the edited text makes.
  function downloadListing() {
    const entry = current;
    if (!entry) return;
    const name = listingName(entry.name);
    if (ui.listingEncoding.value === 'utf-8') {
      save(toUtf8.encode(entry.text), name, 'text/plain;charset=utf-8');
      return;
    }
    work(`Listing ${entry.name} in Shift_JIS`, async () => {
      if (entry.text === entry.listed) {
        const reply = await converter.request({type: 'list', bytes: entry.bytes, choices: entry.choices, utf8: false});
        save(reply.text, name, 'text/plain;charset=shift_jis');
      } else {
        const made = await makeTape(entry, 'relist');
        if (made) save(made.text, name, 'text/plain;charset=shift_jis');
      }
    }).catch(failed(entry));
  }

  const converter = new Converter((offered) => {
    dialects = offered;
    ui.dialect.replaceChildren(...dialects.map((dialect) => {
      const option = document.createElement('option');
      option.textContent = dialect.name;
      option.dataset.option = dialect.option;
      return option;
    }));
    document.documentElement.dataset.ready = 'true';
  });

  ui.open.addEventListener('change', () => {
    openFiles(ui.open.files);
    ui.open.value = '';
  });
  for (const control of [ui.dialect, ui.characters, ui.exact]) control.addEventListener('change', listAgain);
  ui.listing.addEventListener('input', () => {
    if (!current) return;
    current.text = ui.listing.value;
    if (current.mark) {
      current.mark = 0;
      markLine(0);
    }
  });
  ui.downloadTape.addEventListener('click', downloadTape);
  ui.downloadListing.addEventListener('click', downloadListing);

  document.addEventListener('dragover', (event) => {
    event.preventDefault();
    document.body.classList.add('dropping');
  });
  document.addEventListener('dragleave', (event) => {
    if (event.relatedTarget === null) document.body.classList.remove('dropping');
  });
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    document.body.classList.remove('dropping');
    openFiles(event.dataTransfer.files);
  });
  document.documentElement.dataset.busy = 'false';
})();
