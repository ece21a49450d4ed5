// Runs engine code so that no exception leaves it: a component's failure
// comes back as its HRESULT, anything else as E_OUTOFMEMORY or E_FAIL.
#pragma once

#include <new>

#include "engine/com_error.h"

template <class Body>
HRESULT GuardedCall(Body&& body) noexcept {
  try {
    return body();
  } catch (const ComError& error) {
    return error.Result();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}
