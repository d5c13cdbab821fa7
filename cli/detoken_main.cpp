#include "cli/detoken.h"
#include "cli/platform.h"

int main(int argc, char** argv) {
  detoken::prepare_console();
  const int status = detoken::run_detoken(argc, argv);
  detoken::flush_console();
  return status;
}
