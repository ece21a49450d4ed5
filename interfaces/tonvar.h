// Phonetic processor server: its class and interfaces.
//
// Strings are BSTRs; input strings stay owned by the caller, returned ones
// are new BSTRs that the caller frees with SysFreeString.
#pragma once

#include "platform/com.h"

// PhoneticProcessor: IPMControl, IPMPhoneConverter, IPMPhoneAttribute.
// ProgID "Phonetic.PhoneticProcessor.1".
inline constexpr CLSID CLSID_PhoneticProcessor =
    GuidFromText("6ABBDB83-E5E1-48AC-B492-47F300D8C54A");

struct IPMControl : IUnknown {
  // The language code ("419" Russian, "409" English); NULL when none is set.
  virtual HRESULT get_Language(BSTR* pVal) = 0;
  virtual HRESULT put_Language(BSTR newVal) = 0;
};
COM_INTERFACE_ID(IPMControl, "4B89D721-D606-4893-9417-9D417792EF10");

struct IPMPhoneConverter : IUnknown {
  // Phonemes: the comma-separated phonemes of one word framed by "#" or "_".
  // OutPhonemes and Allophones receive the word's phonemes and their
  // allophones, comma-separated and in step.
  virtual HRESULT ToAllophones(BSTR Phonemes, BSTR* OutPhonemes, BSTR* Allophones) = 0;
};
COM_INTERFACE_ID(IPMPhoneConverter, "AAEEF571-7691-4160-B990-C1CDCD41B0C3");

struct IPMPhoneAttribute : IUnknown {
  virtual HRESULT IsVowel(BSTR Name, I4* res) = 0;
  virtual HRESULT VisemeCode(BSTR Name, INT* res) = 0;
  virtual HRESULT PhonemeCode(BSTR Name, INT* res) = 0;
};
COM_INTERFACE_ID(IPMPhoneAttribute, "B22E81AA-FFB4-46CD-8ECE-B3C5822B9CDB");
