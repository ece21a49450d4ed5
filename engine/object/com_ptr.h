// An owning interface pointer: one reference, released when it goes.
#pragma once

#include <utility>

#include "platform/com.h"

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr& other) : p_(other.p_) {
    if (p_ != nullptr) p_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComPtr() { Reset(); }

  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  void Reset() {
    if (p_ != nullptr) std::exchange(p_, nullptr)->Release();
  }
  // For out parameters: the old pointer is released first.
  T** Put() {
    Reset();
    return &p_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }

  // QueryInterface into `out` (emptied first).
  template <class U>
  HRESULT As(ComPtr<U>& out) const {
    if (p_ == nullptr) {
      out.Reset();
      return E_POINTER;
    }
    return p_->QueryInterface(IidOf<U>(), out.PutVoid());
  }

 private:
  T* p_ = nullptr;
};
