// The page's worker: the converter (createConverter, defined just before this
// script in the same worker) driven by the page's requests, so that the page
// stays responsive however long a file takes.
'use strict';

const utf8 = new TextDecoder('utf-8');
const toUtf8 = new TextEncoder();

const ready = createConverter().then((converter) => {
  const dialects = [];
  for (let index = 0; index < converter._page_dialect_count(); ++index) {
    dialects.push({
      name: converter.UTF8ToString(converter._page_dialect_name(index)),
      option: converter.UTF8ToString(converter._page_dialect_option(index)),
    });
  }
  postMessage({type: 'ready', dialects});
  return converter;
});

// Input slot `slot` filled with `bytes`; output slot `slot` as bytes.
function put(converter, slot, bytes) {
  converter.HEAPU8.set(bytes, converter._page_input(slot, bytes.length));
}
function take(converter, slot) {
  const at = converter._page_output(slot);
  return converter.HEAPU8.slice(at, at + converter._page_output_size(slot));
}

function list(converter, bytes, choices, inUtf8) {
  put(converter, 0, bytes);
  converter._page_list(choices.dialect, choices.european ? 1 : 0, choices.exact ? 1 : 0, inUtf8 ? 1 : 0);
  const text = take(converter, 0);
  return {
    text: inUtf8 ? utf8.decode(text) : text,
    findings: take(converter, 1),
    tapeName: take(converter, 2),
    notes: take(converter, 3),
    kind: converter._page_value(0),
    attribute: converter._page_value(1),
    basicAttribute: converter._page_value(2),
    suggested: converter._page_value(3),
  };
}

function makeTape(converter, request) {
  put(converter, 0, toUtf8.encode(request.listing));
  put(converter, 1, request.tape);
  put(converter, 2, toUtf8.encode(request.name));
  converter._page_make_tape(request.choices.dialect, request.choices.european ? 1 : 0);
  return {
    made: converter._page_value(0) === 1,
    image: take(converter, 0),
    messages: utf8.decode(take(converter, 1)),
    line: converter._page_value(1),
    column: converter._page_value(2),
  };
}

// Reads a recording (a File) in pieces, as detoken does, saying how far it
// has come; the file `wanted` of it taken.
const kRecordingPiece = 1024 * 1024;
async function readRecording(converter, request) {
  converter._page_recording_begin(request.wanted);
  for (let at = 0; at < request.file.size; at += kRecordingPiece) {
    const piece = new Uint8Array(await request.file.slice(at, at + kRecordingPiece).arrayBuffer());
    put(converter, 0, piece);
    converter._page_recording_feed();
    postMessage({type: 'progress', id: request.id, done: Math.min(1, (at + piece.length) / request.file.size)});
  }
  put(converter, 0, new Uint8Array(0));
  converter._page_recording_end(request.european ? 1 : 0);
  return {
    kind: converter._page_value(0),
    trusted: converter._page_value(1) === 1,
    files: converter._page_value(2),
    image: take(converter, 0),
    notes: utf8.decode(take(converter, 1)),
  };
}

function makeRecording(converter, image) {
  put(converter, 0, image);
  converter._page_make_recording();
  return {wav: take(converter, 0)};
}

// Requests: 'list' (the file's bytes with the choices, in UTF-8 or
// Shift_JIS), 'tape' (a UTF-8 listing made into a tape), 'relist' (a UTF-8
// listing made into a tape, then listed in Shift_JIS), 'recording' (a
// recording read into a tape), 'wav' (a tape made into a recording).
onmessage = async (event) => {
  const converter = await ready;
  const request = event.data;
  let reply;
  switch (request.type) {
    case 'list': {
      const listing = list(converter, request.bytes, request.choices, request.utf8);
      listing.findings = request.utf8 ? utf8.decode(listing.findings) : listing.findings;
      listing.tapeName = request.utf8 ? utf8.decode(listing.tapeName) : listing.tapeName;
      listing.notes = request.utf8 ? utf8.decode(listing.notes) : listing.notes;
      reply = listing;
      break;
    }
    case 'tape':
      reply = makeTape(converter, request);
      break;
    case 'relist': {
      reply = makeTape(converter, request);
      if (reply.made) reply.text = list(converter, reply.image, request.choices, false).text;
      break;
    }
    case 'recording':
      reply = await readRecording(converter, request);
      break;
    case 'wav':
      reply = makeRecording(converter, request.image);
      break;
  }
  reply.id = request.id;
  postMessage(reply);
};
