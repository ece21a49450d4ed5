// libFuzzer target: arbitrary bytes as an RB book, every entry read.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "documents/buffers/mem_buffer.h"
#include "documents/buffers/xalloc.h"
#include "documents/rb/rb_book.h"
#include "platform/unicode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/rb_fuzz_" + std::to_string(getpid()) + ".rb";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  set_error_handlers(nullptr, [](const char*, va_list) {});
  std::u16string wide;
  Utf8ToUtf16(path, &wide);
  if (RbBook* book = rb_open(wide.c_str(), "fuzz", RB_SPLIT_JOINED | RB_KEEP_IMAGES)) {
    MemBuffer* buffer = membuf_new(0, 0);
    for (RbTocEntry* e = rb_first_entry(book); e != nullptr; e = rb_next_entry(e)) {
      membuf_truncate(buffer, 0);
      rb_read_entry(book, e, buffer, nullptr);
    }
    membuf_free(buffer);
    rb_close(book);
  }
  return 0;
}
