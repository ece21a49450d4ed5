// BSTR and the task allocator. A BSTR is allocated as its 32-bit byte length,
// the characters and a NUL; the pointer handed out is that of the characters.
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/com.h"

namespace {

constexpr size_t kPrefix = sizeof(uint32_t);

uint32_t* Header(BSTR bstr) { return reinterpret_cast<uint32_t*>(reinterpret_cast<char*>(bstr) - kPrefix); }

}  // namespace

extern "C" {

BSTR SysAllocStringLen(const OLECHAR* psz, UINT ui) {
  if (ui > (std::numeric_limits<uint32_t>::max() - kPrefix - sizeof(OLECHAR)) / sizeof(OLECHAR)) return nullptr;
  size_t bytes = size_t{ui} * sizeof(OLECHAR);
  auto* block = static_cast<char*>(std::malloc(kPrefix + bytes + sizeof(OLECHAR)));
  if (block == nullptr) return nullptr;
  auto length = static_cast<uint32_t>(bytes);
  std::memcpy(block, &length, kPrefix);
  auto* text = reinterpret_cast<OLECHAR*>(block + kPrefix);
  if (psz != nullptr) {
    std::memcpy(text, psz, bytes);
  } else {
    std::memset(text, 0, bytes);
  }
  text[ui] = u'\0';
  return text;
}

BSTR SysAllocString(const OLECHAR* psz) {
  if (psz == nullptr) return nullptr;
  return SysAllocStringLen(psz, static_cast<UINT>(std::char_traits<OLECHAR>::length(psz)));
}

void SysFreeString(BSTR bstr) {
  if (bstr != nullptr) std::free(Header(bstr));
}

UINT SysStringByteLen(BSTR bstr) {
  if (bstr == nullptr) return 0;
  uint32_t length;
  std::memcpy(&length, Header(bstr), kPrefix);
  return length;
}

UINT SysStringLen(BSTR bstr) { return SysStringByteLen(bstr) / sizeof(OLECHAR); }

LPVOID CoTaskMemAlloc(SIZE_T cb) { return std::malloc(cb == 0 ? 1 : cb); }

LPVOID CoTaskMemRealloc(LPVOID pv, SIZE_T cb) {
  if (cb == 0 && pv != nullptr) {
    std::free(pv);
    return nullptr;
  }
  return std::realloc(pv, cb == 0 ? 1 : cb);
}

void CoTaskMemFree(LPVOID pv) { std::free(pv); }

}  // extern "C"
