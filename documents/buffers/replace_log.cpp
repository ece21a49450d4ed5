#include "documents/buffers/replace_log.h"

#include <algorithm>
#include <cstring>

#include "documents/buffers/xalloc.h"

namespace {

constexpr int32_t kRecordStep = 512;

struct ReplaceRecord {
  const char* tail;  // bytes to insert, or null when the range shrank
  int32_t position;  // original text offset where the change happens
  int32_t change;    // bytes inserted (> 0) or removed (< 0)
};

struct ReplaceLogState {
  ReplaceRecord* records = nullptr;
  int32_t allocated = 0;
  int32_t count = 0;
  int64_t runningChange = 0;
  bool copyTails = false;
};

ReplaceLogState g_log;

void FreeTails() {
  if (!g_log.copyTails) return;
  for (int32_t i = 0; i < g_log.count; ++i) {
    xfree(const_cast<char*>(g_log.records[i].tail));
    g_log.records[i].tail = nullptr;
  }
}

}  // namespace

void replace_log_begin(bool copyTails) {
  if (g_log.records == nullptr) {
    g_log.records = static_cast<ReplaceRecord*>(xmalloc(sizeof(ReplaceRecord) * kRecordStep));
    g_log.allocated = kRecordStep;
  }
  FreeTails();
  g_log.copyTails = copyTails;
  g_log.count = 0;
  g_log.runningChange = 0;
}

void replace_log_record(char* text, int32_t position, int32_t oldLength, const char* newText,
                        int32_t newLength) {
  if (position < 0 || oldLength < 0 || newLength < 0) return;
  const int32_t common = std::min(oldLength, newLength);
  std::memcpy(text + position, newText, static_cast<size_t>(common));
  if (newLength == oldLength) return;
  if (g_log.count == g_log.allocated) {
    g_log.allocated += kRecordStep;
    g_log.records = static_cast<ReplaceRecord*>(
        xrealloc(g_log.records, sizeof(ReplaceRecord) * static_cast<size_t>(g_log.allocated)));
  }
  ReplaceRecord& record = g_log.records[g_log.count++];
  record.change = newLength - oldLength;
  record.position = position + common;
  record.tail = nullptr;
  if (record.change > 0) {
    if (g_log.copyTails) {
      char* copy = static_cast<char*>(xmalloc(static_cast<size_t>(record.change)));
      std::memcpy(copy, newText + oldLength, static_cast<size_t>(record.change));
      record.tail = copy;
    } else {
      record.tail = newText + oldLength;
    }
  }
  g_log.runningChange += record.change;
}

void replace_log_apply(char** buffer, int32_t* length, int32_t* capacity) {
  if (g_log.count == 0) return;
  const int32_t oldLength = *length;
  int64_t inserted = 0;
  for (int32_t i = 0; i < g_log.count; ++i) inserted += std::max(0, g_log.records[i].change);
  if (oldLength + inserted > 0x7ffff000LL) fatal_error("Out of memory\n");
  // The result is built beside the text and copied back: records are few
  // compared with the bytes, and no byte can be overwritten before it moved.
  char* result = static_cast<char*>(xmalloc(static_cast<size_t>(oldLength + inserted) + 1));
  const char* source = *buffer;
  int32_t from = 0;
  int32_t at = 0;
  for (int32_t i = 0; i < g_log.count; ++i) {
    const ReplaceRecord& record = g_log.records[i];
    const int32_t position = std::clamp(record.position, from, oldLength);
    std::memcpy(result + at, source + from, static_cast<size_t>(position - from));
    at += position - from;
    from = position;
    if (record.change > 0) {
      std::memcpy(result + at, record.tail, static_cast<size_t>(record.change));
      at += record.change;
    } else {
      from = std::min(oldLength, from - record.change);
    }
  }
  std::memcpy(result + at, source + from, static_cast<size_t>(oldLength - from));
  at += oldLength - from;
  if (at > *capacity - 1) {
    *capacity = (at + 4095) / 4096 * 4096 + 1;
    *buffer = static_cast<char*>(xrealloc(*buffer, static_cast<size_t>(*capacity)));
  }
  std::memcpy(*buffer, result, static_cast<size_t>(at));
  (*buffer)[at] = '\0';
  *length = at;
  xfree(result);
  FreeTails();
  g_log.count = 0;
  g_log.runningChange = 0;
}
