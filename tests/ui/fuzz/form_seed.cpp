// Writes MainWindow's stored form to the file named by its argument: the fuzzer's seed.
#include <cstdio>

#include "ui/main_form.h"

void seedHandler() {}

// Exit code 0 when the file was written, 1 otherwise.
int main(int argc, char **argv) {
  if (argc != 2) {
    std::fputs("usage: form_seed FILE\n", stderr);
    return 1;
  }
  const MainFormHandlers handlers = {seedHandler, seedHandler, nullptr};
  unsigned char form[kMainFormLength];
  const int32_t length =
      encodeMainForm(handlers, reinterpret_cast<uintptr_t>(seedHandler), form, sizeof form);
  std::FILE *file = std::fopen(argv[1], "wb");
  if (length == 0 || file == nullptr) return 1;
  const bool written = std::fwrite(form, 1, length, file) == static_cast<size_t>(length);
  return std::fclose(file) == 0 && written ? 0 : 1;
}
