#include "web/converter.h"

#include <string>

#include "cli/front_end.h"
#include "cli/listing_reports.h"
#include "cli/options.h"
#include "cli/retoken.h"
#include "lister/line_walker.h"
#include "lister/output.h"
#include "lister/tape_format.h"
#include "tokenizer/tokenizer.h"

namespace detoken::web {
namespace {

constexpr DialectChoice kDialectChoices[] = {
    {Dialect::SBasic, "S-BASIC", "-s"},
    {Dialect::HuBasic, "HuBASIC", "-h"},
    {Dialect::Sp5025, "MZ-80K BASIC (SP-5025)", "-k"},
};

// The name in a tape header, its codes written as the listing writes them.
std::string name_text(std::span<const std::uint8_t> header, CharMode mode) {
  const std::string_view codes = tape::name_in({reinterpret_cast<const char*>(header.data()), tape::kHeaderSize});
  const CharTable& table = char_table(mode);
  std::string text;
  for (const char code : codes) text += table[static_cast<std::uint8_t>(code)].text();
  return text;
}

}  // namespace

std::span<const DialectChoice> dialect_choices() { return kDialectChoices; }

Listing list_tape(std::span<const std::uint8_t> image, const Choices& choices, Encoding encoding) {
  Listing listing;
  // detoken lists nothing of an empty file: it refuses it.
  if (image.empty()) return listing;
  const CharMode mode{choices.characters, encoding};
  Output out(nullptr, nullptr, {.characters = mode, .exact_reals = choices.exact_reals});
  list_program(image, out, decoder_for(choices.dialect));
  listing.text = out.text();
  listing.findings = out.reports();
  if (image.size() < tape::kHeaderSize) {
    listing.kind = FileKind::TooShort;
  } else {
    listing.attribute = image[tape::kAttributeAt];
    listing.kind =
        listing.attribute == dialect_info(choices.dialect).header.attribute ? FileKind::BasicTape : FileKind::OtherTape;
    listing.tape_name = name_text(image, mode);
  }
  return listing;
}

Tape make_tape(std::string_view listing, std::string_view listing_name, std::string_view kept_header,
               const Choices& choices) {
  const std::string name(listing_name);
  RunOptions options;
  options.dialect = choices.dialect;
  options.characters = {choices.characters, Encoding::Utf8};
  options.input_name = name.c_str();
  use_console_encoding(Encoding::Utf8);

  Tape tape;
  std::string program;
  ListingFault fault{};
  ListingNotes notes;
  const bool read =
      tokenize_listing(listing, {options.dialect, options.characters}, program, fault, &notes, tape::kLargestProgram);
  tape.messages = notes_report(options, notes, read);
  if (!read) {
    tape.messages += fault_report(options, fault);
    tape.line = fault.line;
    tape.column = fault.column;
    return tape;
  }
  tape.messages += size_report(options, program.size());
  tape.image = tape_image(options, kept_header, program);
  tape.made = true;
  return tape;
}

}  // namespace detoken::web
