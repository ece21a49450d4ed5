// Automation's safe arrays and variants, as far as the speech stack hands
// audio bytes around in them. Arrays hold plain numeric elements only;
// their data is zeroed at creation.
#pragma once

#include "platform/com.h"

using VARTYPE = USHORT;

constexpr VARTYPE VT_EMPTY = 0;
constexpr VARTYPE VT_I2 = 2;
constexpr VARTYPE VT_I4 = 3;
constexpr VARTYPE VT_R4 = 4;
constexpr VARTYPE VT_R8 = 5;
constexpr VARTYPE VT_BSTR = 8;
constexpr VARTYPE VT_I1 = 16;
constexpr VARTYPE VT_UI1 = 17;
constexpr VARTYPE VT_UI2 = 18;
constexpr VARTYPE VT_UI4 = 19;
constexpr VARTYPE VT_ARRAY = 0x2000;

constexpr HRESULT DISP_E_BADVARTYPE = MakeHresult(0x80020008u);
constexpr HRESULT DISP_E_BADINDEX = MakeHresult(0x8002000Bu);
constexpr HRESULT DISP_E_ARRAYISLOCKED = MakeHresult(0x8002000Du);

struct SAFEARRAYBOUND {
  ULONG cElements;
  LONG lLbound;
};

// As on Windows, rgsabound holds cDims bounds, the last dimension first.
struct SAFEARRAY {
  USHORT cDims;
  USHORT fFeatures;
  ULONG cbElements;
  ULONG cLocks;
  void* pvData;
  SAFEARRAYBOUND rgsabound[1];
};
using LPSAFEARRAY = SAFEARRAY*;

struct VARIANT {
  VARTYPE vt;
  WORD wReserved1;
  WORD wReserved2;
  WORD wReserved3;
  union {
    LONGLONG llVal;
    LONG lVal;
    BYTE bVal;
    SHORT iVal;
    float fltVal;
    double dblVal;
    BSTR bstrVal;
    SAFEARRAY* parray;
  };
};
using VARIANTARG = VARIANT;

extern "C" {
// Null for an element type it does not hold, no dimension, or a size that
// does not fit in memory.
PLATFORM_API SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT cDims, SAFEARRAYBOUND* rgsabound);
PLATFORM_API SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements);
// DISP_E_ARRAYISLOCKED while its data is accessed.
PLATFORM_API HRESULT SafeArrayDestroy(SAFEARRAY* psa);
PLATFORM_API HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData);
PLATFORM_API HRESULT SafeArrayUnaccessData(SAFEARRAY* psa);
PLATFORM_API UINT SafeArrayGetDim(SAFEARRAY* psa);
PLATFORM_API UINT SafeArrayGetElemsize(SAFEARRAY* psa);
// Dimensions count from 1.
PLATFORM_API HRESULT SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound);
PLATFORM_API HRESULT SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound);

PLATFORM_API void VariantInit(VARIANTARG* pvarg);
// Frees a BSTR or an array the variant holds and leaves it VT_EMPTY.
PLATFORM_API HRESULT VariantClear(VARIANTARG* pvarg);
}
