// A failing HRESULT from another component, raised as an exception rather
// than turned into the calling method's own result.
#pragma once

#include <stdexcept>

#include "platform/types.h"

class ComError : public std::runtime_error {
 public:
  explicit ComError(HRESULT result) : std::runtime_error("COM call failed"), result_(result) {}
  HRESULT Result() const { return result_; }

 private:
  HRESULT result_;
};

inline void ThrowIfFailed(HRESULT result) {
  if (FAILED(result)) throw ComError(result);
}
