#include "platform/variant.h"

extern "C" {

void VariantInit(VARIANTARG* pvarg) {
  if (pvarg == nullptr) return;
  pvarg->vt = VT_EMPTY;
  pvarg->wReserved1 = pvarg->wReserved2 = pvarg->wReserved3 = 0;
  pvarg->llVal = 0;
}

HRESULT VariantClear(VARIANTARG* pvarg) {
  if (pvarg == nullptr) return E_INVALIDARG;
  if (pvarg->vt & VT_ARRAY) {
    const HRESULT hr = SafeArrayDestroy(pvarg->parray);
    if (FAILED(hr)) return hr;
  } else if (pvarg->vt == VT_BSTR) {
    SysFreeString(pvarg->bstrVal);
  }
  VariantInit(pvarg);
  return S_OK;
}

}  // extern "C"
