// Reads an arbitrary byte string as a recording of a tape, fed in pieces
// whose sizes the first bytes choose, through the tape stage as the programs
// read one, and what it read written back as a recording. The sanitizers
// catch any read outside the bytes; the checks below catch readings and
// writings that break their own promises.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "tape/image_format.h"
#include "tape/stage.h"

namespace {

void check(bool holds) {
  if (!holds) std::abort();
}

// What is read and cannot be written as a recording, as the check before
// writing says, is refused before a byte is written. (Writing one whole
// takes seconds of gap even for a short image: the tests do that.)
void check_writing(std::span<const std::uint8_t> image) {
  using detoken::tape::TapeForm;
  if (detoken::tape::can_write_tape(image, TapeForm::Recording)) return;
  bool wrote = false;
  const auto sink = [&](std::span<const std::uint8_t>) { return wrote = true; };
  check(!detoken::tape::write_tape(image, TapeForm::Recording, sink) && !wrote);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::size_t piece = 1 + data[0] % 61;
  const std::size_t wanted = data[1] % 3;
  const std::span<const std::uint8_t> file(data + 2, size - 2);
  detoken::tape::TapeReader reader(file.size(), wanted);
  for (std::size_t at = 0; at < file.size(); at += piece) {
    check(reader.feed(file.subspan(at, std::min(piece, file.size() - at))));
  }
  const detoken::tape::TapeStatus status = reader.finish();
  if (status == detoken::tape::TapeStatus::Read) check_writing(reader.image());
  if (status != detoken::tape::TapeStatus::Read || reader.recording() == nullptr) return 0;
  // The file taken: its header whole, and no more data than its size says.
  const auto& files = reader.recording()->files();
  check(wanted < files.size());
  check(reader.image().size() >= detoken::tape::kHeaderSize);
  check(reader.image().size() - detoken::tape::kHeaderSize <= detoken::tape::program_size_in(reader.image().data()));
  for (const auto& recorded : files)
    check(recorded.data.trusted <= recorded.data.bytes.size() || recorded.data.bytes.empty());
  return 0;
}
