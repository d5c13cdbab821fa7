// The functions the page's worker calls, over the conversions of
// converter.h. Byte strings cross in numbered slots: the worker asks for room
// in an input slot and copies its bytes there, calls a conversion, then reads
// the output slots and the values.

#include <emscripten/emscripten.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "web/converter.h"

namespace {

using detoken::web::Choices;

std::array<std::string, 3> inputs;
std::array<std::string, 4> outputs;
std::array<int, 4> values;
std::optional<detoken::web::RecordingSession> session;

Choices choices_of(int dialect, int european, int exact) {
  const auto dialects = detoken::web::dialect_choices();
  Choices choices;
  if (dialect >= 0 && static_cast<std::size_t>(dialect) < dialects.size()) choices.dialect = dialects[dialect].dialect;
  choices.characters = european != 0 ? detoken::CharSet::European : detoken::CharSet::Japanese;
  choices.exact_reals = exact != 0;
  return choices;
}

const detoken::web::DialectChoice& dialect_at(int index) {
  const auto dialects = detoken::web::dialect_choices();
  return dialects[index >= 0 && static_cast<std::size_t>(index) < dialects.size() ? index : 0];
}

}  // namespace

extern "C" {

// Room for `size` bytes in input slot `slot` (0 to 2), for the worker to fill.
EMSCRIPTEN_KEEPALIVE char* page_input(int slot, std::size_t size) {
  inputs.at(slot).assign(size, '\0');
  return inputs.at(slot).data();
}

EMSCRIPTEN_KEEPALIVE const char* page_output(int slot) { return outputs.at(slot).data(); }
EMSCRIPTEN_KEEPALIVE std::size_t page_output_size(int slot) { return outputs.at(slot).size(); }
EMSCRIPTEN_KEEPALIVE int page_value(int slot) { return values.at(slot); }

// The dialects the page offers, in its order: each one's name and option
// (strings ended by a zero byte).
EMSCRIPTEN_KEEPALIVE int page_dialect_count() { return static_cast<int>(detoken::web::dialect_choices().size()); }
EMSCRIPTEN_KEEPALIVE const char* page_dialect_name(int index) { return dialect_at(index).name.data(); }
EMSCRIPTEN_KEEPALIVE const char* page_dialect_option(int index) { return dialect_at(index).option; }

// Lists the image in input 0 with the choices, in UTF-8 (`utf8`) or
// Shift_JIS. Outputs: 0 the listing, 1 the findings, 2 the tape's name, 3
// the notes about the tape; values: 0 the kind of file, 1 the header's
// attribute, 2 the attribute of the dialect's BASIC programs, 3 the dialect
// the header tells (-1 for none).
EMSCRIPTEN_KEEPALIVE void page_list(int dialect, int european, int exact, int utf8) {
  const std::string& image = inputs[0];
  const Choices choices = choices_of(dialect, european, exact);
  detoken::web::Listing listing =
      detoken::web::list_tape({reinterpret_cast<const std::uint8_t*>(image.data()), image.size()}, choices,
                              utf8 != 0 ? detoken::Encoding::Utf8 : detoken::Encoding::ShiftJis);
  outputs[0] = std::move(listing.text);
  outputs[1] = std::move(listing.findings);
  outputs[2] = std::move(listing.tape_name);
  outputs[3] = std::move(listing.notes);
  values = {static_cast<int>(listing.kind), listing.attribute, detoken::dialect_info(choices.dialect).header.attribute,
            listing.suggested};
}

// Makes a tape of the UTF-8 listing in input 0 of the tape in input 1 (a new
// one when it is empty), the listing named as input 2. Outputs: 0 the
// image, 1 retoken's messages; values: 0 whether it was made, 1 and 2 the
// line and column of the fault.
EMSCRIPTEN_KEEPALIVE void page_make_tape(int dialect, int european) {
  detoken::web::Tape tape = detoken::web::make_tape(inputs[0], inputs[2], inputs[1], choices_of(dialect, european, 0));
  outputs[0] = std::move(tape.image);
  outputs[1] = std::move(tape.messages);
  outputs[2].clear();
  outputs[3].clear();
  values = {tape.made ? 1 : 0, static_cast<int>(tape.line), static_cast<int>(tape.column), 0};
}

// A recording read in pieces: begun with the file to take, fed from input
// slot 0, ended with the choice of characters. Outputs: 0 the tape image, 1
// detoken's notes; values: 0 what it was read as (RecordingKind), 1 whether
// it read whole, 2 how many files it holds.
EMSCRIPTEN_KEEPALIVE void page_recording_begin(int wanted) {
  session.emplace(static_cast<std::size_t>(wanted < 0 ? 0 : wanted));
}
EMSCRIPTEN_KEEPALIVE double page_recording_feed() {
  if (!session) return 0;
  session->feed({reinterpret_cast<const std::uint8_t*>(inputs[0].data()), inputs[0].size()});
  return session->seconds_read();
}
EMSCRIPTEN_KEEPALIVE void page_recording_end(int european) {
  detoken::web::Recording recording;
  if (session) recording = session->end(european != 0 ? detoken::CharSet::European : detoken::CharSet::Japanese);
  session.reset();
  outputs = {std::move(recording.image), std::move(recording.notes), {}, {}};
  values = {static_cast<int>(recording.kind), recording.trusted ? 1 : 0, static_cast<int>(recording.files), 0};
}

// The recording of the tape image in input 0, in output 0 (empty when none
// can be made).
EMSCRIPTEN_KEEPALIVE void page_make_recording() {
  outputs[0] = detoken::web::recording_of({reinterpret_cast<const std::uint8_t*>(inputs[0].data()), inputs[0].size()});
}

}  // extern "C"
