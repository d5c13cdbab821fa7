#include "web/converter.h"

#include <string>
#include <vector>

#include "convert/conversions.h"
#include "convert/tape_notes.h"
#include "tape/image_format.h"

namespace detoken::web {
namespace {

// The name in a tape header, its codes written as the listing writes them.
std::string name_text(std::span<const std::uint8_t> header, CharMode mode) {
  const std::string_view codes = tape::name_in({reinterpret_cast<const char*>(header.data()), tape::kHeaderSize});
  const CharTable& table = char_table(mode);
  std::string text;
  for (const char code : codes) text += table[static_cast<std::uint8_t>(code)].text();
  return text;
}

std::vector<DialectChoice> choices_of_registry() {
  std::vector<DialectChoice> choices;
  for (const DialectInfo* dialect : dialects())
    choices.push_back({dialect->dialect, dialect->name, {'-', dialect->option, 0}});
  return choices;
}

}  // namespace

std::span<const DialectChoice> dialect_choices() {
  static const std::vector<DialectChoice> kChoices = choices_of_registry();
  return kChoices;
}

Listing list_tape(std::span<const std::uint8_t> image, const Choices& choices, Encoding encoding) {
  Listing listing;
  // detoken lists nothing of an empty file: it refuses it.
  if (image.empty()) return listing;
  const CharMode mode{choices.characters, encoding};
  detoken::Listing listed = detoken::list_tape(image, {choices.dialect, mode, choices.exact_reals});
  listing.text = std::move(listed.text);
  listing.findings = std::move(listed.findings);
  listing.notes = std::move(listed.notes);
  if (image.size() < tape::kHeaderSize) {
    listing.kind = FileKind::TooShort;
  } else {
    listing.attribute = image[tape::kAttributeAt];
    listing.kind =
        listing.attribute == dialect_info(choices.dialect).header.attribute ? FileKind::BasicTape : FileKind::OtherTape;
    listing.tape_name = name_text(image, mode);
    const DialectInfo* told = dialect_of_header(tape::kind_of(image.data()));
    if (told != nullptr && !header_fits(dialect_info(choices.dialect), tape::kind_of(image.data()))) {
      listing.suggested = static_cast<int>(told->dialect);
    }
  }
  return listing;
}

Tape make_tape(std::string_view listing, std::string_view listing_name, std::string_view kept_tape,
               const Choices& choices) {
  const CharMode mode{choices.characters, Encoding::Utf8};
  TapeOptions options{choices.dialect, mode, Language::Japanese, listing_name, std::nullopt};
  if (kept_tape.size() < tape::kHeaderSize) options.tape_name = tape_name_of_file(listing_name, mode);
  const MadeTape made =
      detoken::make_tape(listing, options, {reinterpret_cast<const std::uint8_t*>(kept_tape.data()), kept_tape.size()});
  Tape tape;
  tape.messages = made.reports;
  if (!made.made) {
    tape.line = made.fault.line;
    tape.column = made.fault.column;
    return tape;
  }
  tape.image = made.image;
  tape.made = true;
  return tape;
}

Recording RecordingSession::end(CharSet set) {
  Recording recording;
  switch (reader_.finish()) {
    case tape::TapeStatus::Read: recording.kind = RecordingKind::Read; break;
    case tape::TapeStatus::Malformed: recording.kind = RecordingKind::Malformed; return recording;
    case tape::TapeStatus::Empty:
    case tape::TapeStatus::NoMemory:
    case tape::TapeStatus::NoTape:
    case tape::TapeStatus::NoSuchFile: return recording;
  }
  recording.image.assign(reinterpret_cast<const char*>(reader_.image().data()), reader_.image().size());
  const TapeNotes notes = tape_notes(reader_, {set, Encoding::Utf8}, {Language::Japanese, Encoding::Utf8});
  recording.notes = notes.text;
  recording.trusted = notes.trusted;
  recording.files = reader_.recording()->files().size();
  return recording;
}

std::string recording_of(std::span<const std::uint8_t> image) {
  std::string wav;
  const bool made = tape::write_tape(image, tape::TapeForm::Recording, [&](std::span<const std::uint8_t> piece) {
    wav.append(reinterpret_cast<const char*>(piece.data()), piece.size());
    return true;
  });
  return made ? wav : std::string();
}

}  // namespace detoken::web
