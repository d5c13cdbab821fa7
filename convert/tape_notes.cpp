#include "convert/tape_notes.h"

#include <cstdio>

#include "convert/messages.h"
#include "convert/wording.h"
#include "tape/image_format.h"

namespace detoken {
namespace {

using tape::BlockReading;

std::string seconds_text(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", seconds);
  return text;
}

std::string hex_byte(unsigned byte) {
  char text[4];
  std::snprintf(text, sizeof text, "%02X", byte);
  return text;
}

// The header's name, its codes written as the listing writes them.
std::string name_text(const std::vector<std::uint8_t>& header, CharMode mode) {
  if (header.size() < tape::kHeaderSize) return {};
  const std::string_view codes = tape::name_in({reinterpret_cast<const char*>(header.data()), tape::kHeaderSize});
  std::string text;
  for (const char code : codes) text += char_table(mode)[static_cast<std::uint8_t>(code)].text();
  return text;
}

// Every file of a recording that holds more than one.
std::string files_found(const std::vector<tape::RecordedFile>& files, CharMode mode, const Wording& wording) {
  if (files.size() < 2) return {};
  std::string text = format(messages::kFilesFound, wording, {std::to_string(files.size())});
  for (std::size_t i = 0; i < files.size(); ++i) {
    const std::vector<std::uint8_t>& header = files[i].header.bytes;
    const bool whole = header.size() >= tape::kHeaderSize;
    text += format(messages::kFileFound, wording,
                   {std::to_string(i + 1), seconds_text(files[i].seconds), name_text(header, mode),
                    whole ? hex_byte(header[tape::kAttributeAt]) : "?",
                    whole ? std::to_string(tape::program_size_in(header.data())) : "?"});
  }
  return text;
}

// The number of the program line that holds the data's byte `offset`, or -1
// when that lies after the program's end marker.
long line_at(std::span<const std::uint8_t> image, std::size_t offset) {
  const std::size_t at_damage = tape::kHeaderSize + offset;
  long number = 0;
  for (std::size_t at = tape::kHeaderSize; at + tape::kLineHeadSize <= image.size();) {
    const std::size_t length = tape::word_at(image.data() + at);
    if (length == 0) return at_damage < at + tape::kEndMarkerSize ? number : -1;
    number = tape::word_at(image.data() + at + tape::kWordSize);
    if (at_damage < at + length || length < tape::kLineOverhead) return number;
    at += length;
  }
  return number;
}

std::string data_note(const BlockReading& data, std::span<const std::uint8_t> image, const Wording& wording) {
  const std::string seconds = seconds_text(data.seconds);
  switch (data.state) {
    case BlockReading::State::Good: return {};
    case BlockReading::State::FromCopy: return format(messages::kDataFromCopy, wording, {seconds});
    case BlockReading::State::Damaged:
    case BlockReading::State::Cut:
    case BlockReading::State::Missing: break;
  }
  const long line = line_at(image, data.trusted);
  if (line < 0) return format(messages::kDamageAfterProgram, wording, {seconds});
  const Message& message = data.state == BlockReading::State::Damaged ? messages::kDataDamaged : messages::kDataCut;
  return format(message, wording, {seconds, std::to_string(line)});
}

}  // namespace

TapeNotes tape_notes(const tape::TapeReader& tape, CharMode mode, const Wording& wording) {
  TapeNotes notes;
  const tape::RecordingReader* recording = tape.recording();
  if (recording == nullptr || tape.wanted() >= recording->files().size()) return notes;
  notes.text = files_found(recording->files(), mode, wording);
  const tape::RecordedFile& file = recording->files()[tape.wanted()];
  const std::string seconds = seconds_text(file.header.seconds);
  if (file.header.state == BlockReading::State::FromCopy) {
    notes.text += format(messages::kHeaderFromCopy, wording, {seconds});
  } else if (!tape::trusted(file.header)) {
    notes.text += format(messages::kHeaderDamaged, wording, {seconds});
  }
  notes.text += data_note(file.data, tape.image(), wording);
  notes.trusted = tape::trusted(file.header) && tape::trusted(file.data);
  return notes;
}

OutputForm output_form(std::string_view name, OutputForm otherwise) {
  const auto ends_with = [&](std::string_view extension) {
    if (name.size() < extension.size()) return false;
    for (std::size_t i = 0; i < extension.size(); ++i) {
      const char c = name[name.size() - extension.size() + i];
      if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != extension[i]) return false;
    }
    return true;
  };
  if (ends_with(".wav")) return OutputForm::Recording;
  if (ends_with(".mzt") || ends_with(".mzf")) return OutputForm::Image;
  return otherwise;
}

}  // namespace detoken
