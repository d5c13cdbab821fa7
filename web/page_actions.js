// What the page does when asked: the downloads, and the controls wired to
// what page.js shows. The last part of the page's script.

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
    type, listing: entry.text, name: `${entry.stem}.txt`, choices: entry.choices,
    tape: entry.bytes.length >= kHeaderSize ? entry.bytes : new Uint8Array(0),
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

// The header of the file is that of another BASIC's tapes: the page says so
// and offers to list it as that BASIC.
function proposal(entry, chosen, told) {
  message('note', '', `The header of ${entry.name} is that of a tape of ${told.name}, not of ${chosen}.`);
  const button = document.createElement('button');
  button.type = 'button';
  button.className = 'propose';
  button.textContent = `List it as ${told.name}`;
  button.addEventListener('click', () => {
    ui.dialect.selectedIndex = entry.suggested;
    listAgain();
  });
  ui.messages.lastElementChild.append(button);
}

function failed(entry) {
  return (error) => {
    notices = [`The converter stopped while working on ${entry.name} (${error.message}); it has been started again.`];
    show();
  };
}

// The tape of the listing as it stands: the opened tape itself while the
// listing is unedited (whatever the choices), else the tape retoken makes of
// it; null after a fault.
async function currentTape(entry) {
  if (entry.text === entry.listed && entry.bytes.length >= kHeaderSize) return entry.bytes;
  const made = await makeTape(entry, 'tape');
  return made ? made.image : null;
}

// The tape as an image (named as the opened file, or after the recording it
// came from) or as a recording that the machine loads.
function downloadTape() {
  const entry = current;
  if (!entry) return;
  const recording = ui.tapeForm.value === 'recording';
  work(`Making the tape of ${entry.name}`, async () => {
    const image = await currentTape(entry);
    if (image && !recording) save(image, entry.recording ? `${entry.stem}.mzt` : entry.name, 'application/octet-stream');
    const wav = image && recording ? await recordingOf(image) : null;
    if (wav) save(wav, `${entry.stem}.wav`, 'audio/wav');
  }).catch(failed(entry));
}

// Plays the tape's recording, or stops it.
function playTape() {
  const entry = current;
  if (playing || !entry) {
    stopPlaying();
    return;
  }
  work(`Making the recording of ${entry.name}`, async () => {
    const image = await currentTape(entry);
    const wav = image ? await recordingOf(image) : null;
    if (wav) await play(wav);
  }).catch(failed(entry));
}

// The listing in UTF-8 is the text as it stands. In Shift_JIS it is what
// detoken writes: of the tape itself while the text is as listed, else of
// the tape that the edited text makes.
function downloadListing() {
  const entry = current;
  if (!entry) return;
  const name = `${entry.stem}.txt`;
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

const converter = new Converter($('worker-source').textContent, kLongestWork, (offered) => {
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
ui.play.addEventListener('click', playTape);
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
