#include "cli/front_end.h"

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "cli/messages.h"
#include "cli/platform.h"
#include "convert/wording.h"
#include "format/dialects/dialect.h"

namespace detoken {
namespace {

// Reads `size` bytes, in pieces that any runtime's fread takes whole.
bool read_whole(std::FILE* input, std::uint8_t* bytes, std::size_t size) {
  constexpr std::size_t kPiece = std::size_t{1} << 30;
  for (std::size_t done = 0; done < size;) {
    const std::size_t piece = size - done < kPiece ? size - done : kPiece;
    if (std::fread(bytes + done, 1, piece, input) != piece) return false;
    done += piece;
  }
  return true;
}

// Converts into the output and puts it in place; Refused after the message
// of what failed.
Converted write_output(const RunOptions& options, const Console& console, const Conversion& conversion) {
  OutputFile file;
  if (!open_output(file, options.output_name)) {
    console.say(messages::kCannotCreate, options.output_name);
    return Converted::Refused;
  }
  const Converted converted = conversion.convert(file.stream);
  switch (converted) {
    case Converted::Done:
    case Converted::Untrusted: break;
    case Converted::Refused: return Converted::Refused;
    case Converted::WriteFailed: console.say(messages::kWriteFailed, options.output_name); return Converted::Refused;
  }
  switch (commit_output(file, conversion.replace_existing)) {
    case CommitResult::Done: return converted;
    case CommitResult::Exists: console.say(messages::kOutputExists, options.output_name); return Converted::Refused;
    case CommitResult::Failed: break;
  }
  console.say(messages::kWriteFailed, options.output_name);
  return Converted::Refused;
}

}  // namespace

int run_conversion(const RunOptions& options, const Console& console, const Conversion& conversion) {
  Converted converted = Converted::Refused;
  bool output_is_console = false;
  {
    InputFile input;
    if (!open_input_file(options.input_name, console, input) || !conversion.read(input)) return kExitFailure;
    // The output would take the place of the input it names.
    if (is_same_file(input.file, options.output_name)) {
      console.say(messages::kSameAsInput, options.output_name);
      return kExitFailure;
    }
    // Told before the conversion, so that the user learns of it first.
    if (!conversion.replace_existing && regular_file_exists(options.output_name)) {
      console.say(messages::kOutputExists, options.output_name);
      return kExitFailure;
    }
    // Named as the output, standard output takes nothing but the output.
    output_is_console = is_same_file(stdout, options.output_name);
    converted = write_output(options, console, conversion);
    if (converted == Converted::Refused) return kExitFailure;
  }
  const std::string written = format(messages::kWritten, console.wording, {options.output_name});
  output_is_console ? write_standard_error(written) : write_standard_output(written);
  return converted == Converted::Done ? kExitSuccess : kExitFailure;
}

void Console::say(const Message& message, std::initializer_list<std::string_view> values) const {
  write_standard_output(format(message, wording, values));
}

Console console_for(const RunOptions& options) {
  set_console_encoding(options.characters.encoding);
  return {options.wording()};
}

void show_usage(const Console& console, const Message& title_start, const Message& title_end,
                std::span<const UsageLine> lines, Program program) {
  std::string title(title_start.in(console.wording));
  for (const DialectInfo* dialect : dialects()) {
    if (dialect != dialects().front()) title += '/';
    title += dialect->title_name.in(console.wording);
  }
  title += title_end.in(console.wording);
  write_standard_output(title);
  std::vector<UsageLine> all(lines.begin(), lines.end());
  for (const DialectInfo* dialect : dialects()) {
    const bool retoken = program == Program::Retoken;
    all.push_back({retoken ? dialect->usage_place.retoken : dialect->usage_place.detoken,
                   retoken ? &dialect->retoken_usage : &dialect->detoken_usage});
  }
  std::stable_sort(all.begin(), all.end(), [](const UsageLine& a, const UsageLine& b) { return a.place < b.place; });
  for (const UsageLine& line : all) console.say(*line.message);
}

std::optional<int> end_of_scan(const ScanOutcome& scan, const Console& console,
                               const std::function<void()>& show_usage) {
  switch (scan.result) {
    case ScanResult::ShowUsage: show_usage(); return kExitSuccess;
    case ScanResult::InvalidOption:
      console.say(messages::kInvalidOption, std::string_view(&scan.invalid_letter, 1));
      return kExitFailure;
    case ScanResult::NameTooLong: console.say(messages::kNameTooLong); return kExitFailure;
    case ScanResult::Convert: break;
  }
  return std::nullopt;
}

InputFile::~InputFile() {
  if (file != nullptr) std::fclose(file);
}

bool open_input_file(const char* name, const Console& console, InputFile& input) {
  input.file = open_input(name, input.size);
  if (input.file == nullptr) console.say(messages::kReadFailed, name);
  return input.file != nullptr;
}

bool read_whole_file(const char* name, const InputFile& input, bool empty_allowed, const Console& console,
                     FileBytes& bytes) {
  bytes.size = static_cast<std::size_t>(input.size);
  if (bytes.size == 0 && empty_allowed) return true;
  // An empty file has nothing to allocate: reported like a failed allocation,
  // and so is a file too large to hold.
  if (bytes.size != 0 && bytes.size == input.size) bytes.bytes.reset(new (std::nothrow) std::uint8_t[bytes.size]);
  if (bytes.bytes == nullptr) {
    console.say(messages::kNoMemory);
    return false;
  }
  if (!read_whole(input.file, bytes.bytes.get(), bytes.size)) {
    console.say(messages::kReadFailed, name);
    return false;
  }
  return true;
}

namespace {

const Message& wav_problem(tape::WavProblem problem) {
  using tape::WavProblem;
  switch (problem) {
    case WavProblem::None:
    case WavProblem::NotRiff: return messages::kWavNotRiff;
    case WavProblem::Rf64: return messages::kWavRf64;
    case WavProblem::NoFormat: return messages::kWavNoFormat;
    case WavProblem::FormatCut: return messages::kWavFormatCut;
    case WavProblem::AbsurdFormatSize: return messages::kWavAbsurdFormatSize;
    case WavProblem::UnsupportedFormat: return messages::kWavUnsupportedFormat;
    case WavProblem::UnsupportedBits: return messages::kWavUnsupportedBits;
    case WavProblem::NoChannels: return messages::kWavNoChannels;
    case WavProblem::TooManyChannels: return messages::kWavTooManyChannels;
    case WavProblem::NoRate: return messages::kWavNoRate;
    case WavProblem::UnsupportedRate: return messages::kWavUnsupportedRate;
    case WavProblem::BadBlockAlign: return messages::kWavBadBlockAlign;
    case WavProblem::ChunkPastEnd: return messages::kWavChunkPastEnd;
    case WavProblem::NoData: return messages::kWavNoData;
  }
  return messages::kWavNotRiff;
}

// The message of a tape that could not be read; false.
bool refuse_tape(const char* name, const tape::TapeReader& reader, tape::TapeStatus status, const Console& console) {
  switch (status) {
    case tape::TapeStatus::Read: return true;
    case tape::TapeStatus::Empty:
    case tape::TapeStatus::NoMemory: console.say(messages::kNoMemory); break;
    case tape::TapeStatus::Malformed:
      console.say(messages::kNotAWav, {name, wav_problem(reader.recording()->problem()).in(console.wording)});
      break;
    case tape::TapeStatus::NoTape: console.say(messages::kNoTapeRecorded, name); break;
    case tape::TapeStatus::NoSuchFile:
      console.say(messages::kNoSuchFile, {name, std::to_string(reader.recording()->files().size())});
      break;
  }
  return false;
}

}  // namespace

std::unique_ptr<tape::TapeReader> read_tape_file(const char* name, const InputFile& input, const Console& console,
                                                 std::size_t part) {
  auto reader = std::make_unique<tape::TapeReader>(input.size, part);
  constexpr std::size_t kPiece = 64 * 1024;
  const auto piece = std::make_unique<std::uint8_t[]>(kPiece);
  std::uint64_t read = 0;
  for (std::size_t got; (got = std::fread(piece.get(), 1, kPiece, input.file)) != 0; read += got) {
    if (!reader->feed({piece.get(), got})) break;
  }
  // An image reads as long as the file was when it was opened.
  const tape::TapeStatus status = reader->finish();
  if (status != tape::TapeStatus::NoMemory &&
      (std::ferror(input.file) != 0 || (reader->form() == tape::TapeForm::Image && read < input.size))) {
    console.say(messages::kReadFailed, name);
    return nullptr;
  }
  return refuse_tape(name, *reader, status, console) ? std::move(reader) : nullptr;
}

}  // namespace detoken
