// Reads an arbitrary byte string as a recording of a tape, fed in pieces
// whose sizes the first bytes choose, through the tape stage as the programs
// read one. The sanitizers catch any read outside the bytes; the checks
// below catch readings that break the reader's own promises.

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
