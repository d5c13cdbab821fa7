#include "cli/platform.h"
#include "cli/detoken.h"

int main(int argc, char** argv) {
  detoken::prepare_console();
  const int status = detoken::run_detoken(argc, argv);
  detoken::flush_console();
  return status;
}
