// Recordings of tapes: opened as tapes (every file of a side), made of a
// tape for a download, and played to the computer's audio output, which a
// machine's tape input can load from. Between page.js and page_actions.js in
// the page's script.

// What the converter read a recording as (web/converter.h, RecordingKind).
const RecordingKind = {Read: 0, Malformed: 1, NoTape: 2};
// The recordings the converter writes: 44100 Hz, 16-bit, mono, the samples
// after a 44-byte header.
const kRecordingRate = 44100;
const kWavHeader = 44;

async function readRecording(file, wanted) {
  const reply = await converter.request({type: 'recording', file, wanted, european: choicesShown().european},
      (done) => {
        ui.progress.max = 1;
        ui.progress.value = done;
        ui.statusText.textContent = `Reading the recording ${file.name}: ${Math.round(done * 100)} %`;
      });
  if (reply.kind === RecordingKind.Malformed) {
    notices.push(`${file.name} cannot be read as a WAV file (detoken says why).`);
  } else if (reply.kind === RecordingKind.NoTape) {
    notices.push(`No tape was found in the recording ${file.name}: silence, noise or music, or it stops before ` +
        'the first header ends.');
  }
  return reply.kind === RecordingKind.Read ? reply : null;
}

// Every file of a recording, each a tape of its own: the first named as the
// recording, the others after their place on it (as detoken -pN takes
// them).
async function openRecording(file) {
  const entries = [];
  const first = await readRecording(file, 0);
  for (let wanted = 0; first && wanted < first.files; ++wanted) {
    const reply = wanted === 0 ? first : await readRecording(file, wanted);
    if (!reply) continue;
    const stem = file.name.replace(/\.[^.]*$/, '') + (wanted === 0 ? '' : ` ${wanted + 1}`);
    entries.push({
      name: wanted === 0 ? file.name : `${file.name} (${wanted + 1} of ${first.files})`, stem, bytes: reply.image,
      recording: {notes: reply.notes, trusted: reply.trusted, part: wanted + 1}, choices: choicesShown(), text: '',
      listed: '', mark: 0,
    });
  }
  return entries;
}

// The recording of a tape's bytes.
async function recordingOf(image) {
  const reply = await converter.request({type: 'wav', image});
  return reply.wav.length > 0 ? reply.wav : null;
}

// Playing: one recording at a time, to the default audio output.
let playing = null;
function stopPlaying() {
  if (!playing) return;
  playing.onended = null;
  playing.stop();
  playing = null;
  ui.play.textContent = 'Play';
  document.documentElement.dataset.playing = 'false';
}

async function play(wav) {
  const samples = new Int16Array(wav.buffer, wav.byteOffset + kWavHeader, (wav.length - kWavHeader) >> 1);
  const context = new AudioContext({sampleRate: kRecordingRate});
  const buffer = context.createBuffer(1, samples.length, kRecordingRate);
  const channel = buffer.getChannelData(0);
  for (let i = 0; i < samples.length; ++i) channel[i] = samples[i] / 32768;
  playing = context.createBufferSource();
  playing.buffer = buffer;
  playing.connect(context.destination);
  playing.onended = stopPlaying;
  playing.start();
  ui.play.textContent = 'Stop';
  document.documentElement.dataset.playing = 'true';
}
