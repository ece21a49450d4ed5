// AudioBuffer to and from automation's byte arrays.
#include <cstring>
#include <limits>

#include "engine/audio_buffer.h"

AudioBuffer::AudioBuffer(SAFEARRAY* bytes, const WaveFormat& format) : format_(format) {
  LONG lower = 0;
  LONG upper = -1;
  if (SafeArrayGetDim(bytes) != 1 || SafeArrayGetElemsize(bytes) != 1 ||
      FAILED(SafeArrayGetLBound(bytes, 1, &lower)) || FAILED(SafeArrayGetUBound(bytes, 1, &upper)))
    return;
  const int64_t count = static_cast<int64_t>(upper) - lower + 1;
  void* data = nullptr;
  if (count <= 0 || FAILED(SafeArrayAccessData(bytes, &data))) return;
  AppendBytes(data, static_cast<size_t>(count));
  SafeArrayUnaccessData(bytes);
}

HRESULT AudioBuffer::ToVariant(VARIANT* out) const {
  if (out == nullptr) return E_POINTER;
  VariantInit(out);
  if (bytes_.size() > std::numeric_limits<LONG>::max()) return E_OUTOFMEMORY;
  SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes_.size()));
  void* data = nullptr;
  if (array == nullptr || FAILED(SafeArrayAccessData(array, &data))) {
    SafeArrayDestroy(array);
    return E_OUTOFMEMORY;
  }
  if (!bytes_.empty()) std::memcpy(data, bytes_.data(), bytes_.size());
  SafeArrayUnaccessData(array);
  out->vt = VT_ARRAY | VT_UI1;
  out->parray = array;
  return S_OK;
}
