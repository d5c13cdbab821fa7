// generate_images: large tape images for measuring the lister.
//
//   generate_images OUT_DIR [CORPUS_DIR]
//
// Writes, for each size from a real-sized program (40 KB) to 16 MB:
//   synthetic_sbasic_SIZE.mzt, synthetic_hubasic_SIZE.mzt: a mix made here of
//     keywords, two-byte keywords, constants of every kind, strings and
//     REM/DATA text with katakana;
//   realistic_sbasic_SIZE.mzt: the program lines of the real programs in
//     CORPUS_DIR (when given), repeated and renumbered;
// and empty.mzt, an image holding an empty program (the fixed cost of a run).

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "tape/image_format.h"

namespace {

using Bytes = std::string;
using Line = Bytes;  // a line body, without length, number and terminator

using detoken::tape::kHeaderSize;

struct Size {
  const char* name;
  std::size_t bytes;
};
constexpr Size kSizes[] = {{"40k", 40 * 1024}, {"1m", 1024 * 1024}, {"16m", 16 * 1024 * 1024}};

// Repeats `lines` until the program area holds about `size` bytes, numbering
// the lines 10, 20, ... (wrapping at 65535, which the lister does not mind).
Bytes image_of(const std::vector<Line>& lines, std::size_t size) {
  Bytes image(kHeaderSize, '\0');
  image[detoken::tape::kAttributeAt] = 0x05;  // a BASIC program of the MZ-700
  unsigned number = 10;
  for (std::size_t i = 0; !lines.empty() && image.size() < kHeaderSize + size; i = (i + 1) % lines.size()) {
    detoken::tape::append_line(image, static_cast<std::uint16_t>(number), lines[i]);
    number += 10;
  }
  detoken::tape::append_end(image);
  return image;
}

// A synthetic line: a few statements drawn from the kinds a program holds.
Line synthetic_line(std::mt19937& random, bool hubasic) {
  Line line;
  const auto pick = [&](unsigned n) { return static_cast<unsigned>(random() % n); };
  const auto word = [&](char code) {
    line.push_back(code);
    detoken::tape::append_word(line, static_cast<unsigned>(random() & 0xFFFF));
  };
  const auto real = [&](char code, int bytes) {
    line.push_back(code);
    line.push_back(static_cast<char>(0x70 + pick(0x30)));
    for (int i = 0; i < bytes; ++i) line.push_back(static_cast<char>(random()));
  };
  const auto katakana = [&](unsigned count) {
    for (unsigned i = 0; i < count; ++i) line.push_back(static_cast<char>(0x81 + pick(0x3F)));
  };
  const unsigned statements = 1 + pick(4);
  for (unsigned s = 0; s < statements; ++s) {
    if (s != 0) line.push_back(':');
    switch (pick(8)) {
      case 0:  // PRINT "text";A
        line += "\x8F \"";
        katakana(4 + pick(12));
        line += "\";A";
        break;
      case 1:  // A=real*B+real
        line += "A\xF4";
        real(0x15, 4);
        line +=
            "\xFC"
            "B\xF7";
        real(hubasic ? 0x18 : 0x15, hubasic ? 7 : 4);
        break;
      case 2:  // GOTO line
        line += "\x80 ";
        word(0x0B);
        break;
      case 3:  // X=hex or the HuBASIC words
        line += "X\xF4";
        if (hubasic) {
          word(static_cast<char>("\x0D\x0E\x0F\x12"[pick(4)]));
          line.push_back(static_cast<char>(0x01 + pick(10)));
        } else {
          word(0x11);
        }
        break;
      case 4:  // COLOR / CURSOR, two-byte keywords with arguments
        line += "\xFE\x83 ";
        real(0x15, 4);
        line += ",\xFF\x80(C)";
        break;
      case 5:  // REM text
        line += "\x97 ";
        katakana(10 + pick(20));
        return line;
      case 6:  // DATA text
        line += "\x94 ";
        katakana(3);
        line += ",\"A:B\",";
        katakana(3);
        break;
      default:  // FOR I=1 TO N:NEXT
        line += "\x8D I\xF4";
        real(0x15, 4);
        line += " \xE0 N:\x8E I";
        break;
    }
  }
  return line;
}

std::vector<Line> synthetic_lines(bool hubasic) {
  std::mt19937 random(hubasic ? 2 : 1);
  std::vector<Line> lines;
  for (int i = 0; i < 2000; ++i) lines.push_back(synthetic_line(random, hubasic));
  return lines;
}

// The program lines of one tape image, up to its end marker.
void add_lines_of(const std::filesystem::path& file, std::vector<Line>& lines) {
  std::ifstream in(file, std::ios::binary);
  const Bytes image{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::size_t at = kHeaderSize;
  while (at + 2 <= image.size()) {
    const std::size_t length = detoken::tape::word_at(image.data() + at);
    if (length < 5 || at + length > image.size()) break;
    lines.push_back(image.substr(at + 4, length - 5));
    at += length;
  }
}

bool write(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::cerr << "usage: generate_images OUT_DIR [CORPUS_DIR]\n";
    return EXIT_FAILURE;
  }
  const std::filesystem::path out = argv[1];
  std::filesystem::create_directories(out);
  std::vector<Line> corpus_lines;
  if (argc == 3 && std::filesystem::is_directory(argv[2])) {
    for (const auto& entry : std::filesystem::directory_iterator(argv[2])) {
      if (entry.path().extension() == ".mzt") add_lines_of(entry.path(), corpus_lines);
    }
  }
  const std::vector<Line> sbasic = synthetic_lines(false);
  const std::vector<Line> hubasic = synthetic_lines(true);
  bool ok = write(out / "empty.mzt", image_of({}, 0));
  for (const Size& size : kSizes) {
    const std::string suffix = std::string("_") + size.name + ".mzt";
    ok = ok && write(out / ("synthetic_sbasic" + suffix), image_of(sbasic, size.bytes));
    ok = ok && write(out / ("synthetic_hubasic" + suffix), image_of(hubasic, size.bytes));
    if (!corpus_lines.empty())
      ok = ok && write(out / ("realistic_sbasic" + suffix), image_of(corpus_lines, size.bytes));
  }
  if (corpus_lines.empty()) std::cerr << "generate_images: no corpus, no realistic images\n";
  return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
