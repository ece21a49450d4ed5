// Interfaces of the server that the platform's tests load through COM.
#pragma once

#include "platform/com.h"

struct ITestCounter : IUnknown {
  virtual HRESULT Add(LONG delta, LONG* total) = 0;
};
COM_INTERFACE_ID(ITestCounter, "5C7F0D2E-6B0A-4E51-9E1C-2F4B8D3A7E10");

struct ITestEcho : IUnknown {
  // The text reversed, as a new BSTR.
  virtual HRESULT Reverse(BSTR text, BSTR* reversed) = 0;
};
COM_INTERFACE_ID(ITestEcho, "0B3E9A41-27C8-4D6F-A5B2-91E0C4D7F652");

// Extends ITestEcho: an object answering for both reaches ITestEcho through it.
struct ITestEcho2 : ITestEcho {
  virtual HRESULT Length(BSTR text, LONG* chars) = 0;
};
COM_INTERFACE_ID(ITestEcho2, "E4A1C8B7-3D52-4F09-8B6E-7C2D1A9F0B33");

// Served with ITestCounter and ITestEcho2, in a component category and
// with a Properties subkey.
inline constexpr CLSID CLSID_TestObject = GuidFromText("{3F2A7C1D-8E4B-4B6A-9C5D-0E1F2A3B4C5D}");
inline constexpr GUID CATID_TestCategory = GuidFromText("{9D8C7B6A-5F4E-4D3C-8B2A-1F0E9D8C7B6A}");
// Its FinalConstruct fails, so it is never created.
inline constexpr CLSID CLSID_FailingObject = GuidFromText("{A1B2C3D4-E5F6-4711-8899-AABBCCDDEEFF}");
