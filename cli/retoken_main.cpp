#include "cli/platform.h"
#include "cli/retoken.h"

int main(int argc, char** argv) {
  detoken::prepare_console();
  const int status = detoken::run_retoken(argc, argv);
  detoken::flush_console();
  return status;
}
