// What the page is built on: the converter in its worker, and the names,
// sizes and offsets the page works out. The first part of the page's
// script.

const toUtf8 = new TextEncoder();

// The converter in its worker, made from the worker's source text in the page
// (a worker cannot be loaded from a file of a page opened from disk). A
// request that takes longer than `longestWork` milliseconds is given up, and
// the worker started again.
class Converter {
  constructor(source, longestWork, onReady) {
    this.onReady = onReady;
    this.longestWork = longestWork;
    this.url = URL.createObjectURL(new Blob([source], {type: 'text/javascript'}));
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
    if (reply.type === 'progress') {
      // Work that goes on is not given up while it says how far it has come.
      clearTimeout(request.timer);
      request.timer = setTimeout(() => this.restart('it took too long'), this.longestWork);
      if (request.onProgress) request.onProgress(reply.done);
      return;
    }
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

  // The reply to `message`; `onProgress(done)` hears how far long work has
  // come (from 0 to 1).
  request(message, onProgress) {
    return new Promise((resolve, reject) => {
      const id = this.nextId++;
      const timer = setTimeout(() => this.restart('it took too long'), this.longestWork);
      this.pending.set(id, {resolve, reject, timer, onProgress});
      this.worker.postMessage({...message, id});
    });
  }
}

// Whether bytes begin as a recording does: "RIFF", a size, "WAVE".
function isRecording(bytes) {
  const text = String.fromCharCode(...bytes.slice(0, 12));
  return text.startsWith('RIFF') && text.slice(8, 12) === 'WAVE';
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
