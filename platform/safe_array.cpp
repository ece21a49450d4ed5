// Safe arrays: one block for the descriptor and its bounds, another for the
// elements.
#include "platform/variant.h"

#include <cstddef>
#include <cstdlib>
#include <limits>

namespace {

struct ElementSize {
  VARTYPE vt;
  ULONG bytes;
};

constexpr ElementSize kElementSizes[] = {
    {VT_I1, 1}, {VT_UI1, 1}, {VT_I2, 2}, {VT_UI2, 2}, {VT_I4, 4},
    {VT_UI4, 4}, {VT_R4, 4}, {VT_R8, 8},
};

ULONG ElementBytes(VARTYPE vt) {
  for (const ElementSize& entry : kElementSizes)
    if (entry.vt == vt) return entry.bytes;
  return 0;
}

// The bound of dimension n (from 1), stored last dimension first.
SAFEARRAYBOUND* Bound(SAFEARRAY* psa, UINT nDim) {
  if (psa == nullptr || nDim == 0 || nDim > psa->cDims) return nullptr;
  return &psa->rgsabound[psa->cDims - nDim];
}

}  // namespace

extern "C" {

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT cDims, SAFEARRAYBOUND* rgsabound) {
  const ULONG elementBytes = ElementBytes(vt);
  if (elementBytes == 0 || cDims == 0 || cDims > std::numeric_limits<USHORT>::max() ||
      rgsabound == nullptr)
    return nullptr;
  size_t total = elementBytes;
  for (UINT i = 0; i < cDims; ++i) {
    const size_t count = rgsabound[i].cElements;
    if (count != 0 && total > std::numeric_limits<size_t>::max() / count) return nullptr;
    total *= count;
  }
  const size_t descriptor = offsetof(SAFEARRAY, rgsabound) + cDims * sizeof(SAFEARRAYBOUND);
  auto* psa = static_cast<SAFEARRAY*>(std::calloc(1, descriptor));
  if (psa == nullptr) return nullptr;
  psa->pvData = std::calloc(total == 0 ? 1 : total, 1);
  if (psa->pvData == nullptr) {
    std::free(psa);
    return nullptr;
  }
  psa->cDims = static_cast<USHORT>(cDims);
  psa->cbElements = elementBytes;
  for (UINT i = 0; i < cDims; ++i) psa->rgsabound[i] = rgsabound[i];
  return psa;
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements) {
  SAFEARRAYBOUND bound{cElements, lLbound};
  return SafeArrayCreate(vt, 1, &bound);
}

HRESULT SafeArrayDestroy(SAFEARRAY* psa) {
  if (psa == nullptr) return S_OK;
  if (psa->cLocks != 0) return DISP_E_ARRAYISLOCKED;
  std::free(psa->pvData);
  std::free(psa);
  return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData) {
  if (psa == nullptr || ppvData == nullptr) return E_INVALIDARG;
  ++psa->cLocks;
  *ppvData = psa->pvData;
  return S_OK;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* psa) {
  if (psa == nullptr) return E_INVALIDARG;
  if (psa->cLocks == 0) return E_UNEXPECTED;
  --psa->cLocks;
  return S_OK;
}

UINT SafeArrayGetDim(SAFEARRAY* psa) { return psa == nullptr ? 0 : psa->cDims; }

UINT SafeArrayGetElemsize(SAFEARRAY* psa) { return psa == nullptr ? 0 : psa->cbElements; }

HRESULT SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound) {
  if (psa == nullptr || plLbound == nullptr) return E_INVALIDARG;
  const SAFEARRAYBOUND* bound = Bound(psa, nDim);
  if (bound == nullptr) return DISP_E_BADINDEX;
  *plLbound = bound->lLbound;
  return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound) {
  if (psa == nullptr || plUbound == nullptr) return E_INVALIDARG;
  const SAFEARRAYBOUND* bound = Bound(psa, nDim);
  if (bound == nullptr) return DISP_E_BADINDEX;
  *plUbound = static_cast<LONG>(static_cast<int64_t>(bound->lLbound) + bound->cElements - 1);
  return S_OK;
}

}  // extern "C"
