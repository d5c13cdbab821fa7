/* The floor a whole run is measured against: a plain C program that reads a
 * file whole with fopen/fread into malloc'ed memory and writes it out,
 * linked as usual (the C library shared, no C++ library).
 *   copy_file INPUT OUTPUT */
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
  if (argc != 3) return EXIT_FAILURE;
  FILE* in = fopen(argv[1], "rb");
  if (in == NULL || fseek(in, 0, SEEK_END) != 0) return EXIT_FAILURE;
  const long length = ftell(in);
  if (length <= 0 || fseek(in, 0, SEEK_SET) != 0) return EXIT_FAILURE;
  const size_t size = (size_t)length;
  char* bytes = malloc(size);
  const int read = bytes != NULL && fread(bytes, 1, size, in) == size;
  fclose(in);
  FILE* out = fopen(argv[2], "wb");
  if (!read || out == NULL) return EXIT_FAILURE;
  const int written = fwrite(bytes, 1, size, out) == size;
  free(bytes);
  return fclose(out) == 0 && written ? EXIT_SUCCESS : EXIT_FAILURE;
}
