// The floor the whole program is measured against: read a file whole and
// write it out. Built and linked as a user would build it, with the C++
// library shared, while detoken itself is linked statically.
//   copy_file INPUT OUTPUT
#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char** argv) {
  if (argc != 3) return EXIT_FAILURE;
  std::FILE* in = std::fopen(argv[1], "rb");
  if (in == nullptr || std::fseek(in, 0, SEEK_END) != 0) return EXIT_FAILURE;
  const long length = std::ftell(in);
  std::fseek(in, 0, SEEK_SET);
  if (length <= 0) return EXIT_FAILURE;
  const auto size = static_cast<std::size_t>(length);
  std::unique_ptr<char[]> bytes(new char[size]);
  const bool read = std::fread(bytes.get(), 1, size, in) == size;
  std::fclose(in);
  std::FILE* out = std::fopen(argv[2], "wb");
  if (!read || out == nullptr) return EXIT_FAILURE;
  const bool written = std::fwrite(bytes.get(), 1, size, out) == size;
  return std::fclose(out) == 0 && written ? EXIT_SUCCESS : EXIT_FAILURE;
}
