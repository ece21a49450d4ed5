// Creating and configuring the speech engine when the reader starts: the
// engine, its voice, the events and the notification window, then rate,
// range, pitch and volume, with the reader's messages on each failure.
// The engine comes from a factory so tests can hand in a double.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "interfaces/orvox.h"
#include "reader/com_ptr.h"
#include "reader/speech/engine_setup.h"

struct EngineServices {
  // Creates the engine object (CoCreateInstance of TTSEngine by default).
  std::function<HRESULT(ITTSEngine** engine)> create;
  // The installed voices (subkeys of Software\Morvane\Voices by default).
  std::function<std::vector<std::string>()> listVoices;
};

// The services of the installed system.
EngineServices DefaultEngineServices();

// Creates the engine and selects the voice (the stored one when installed,
// else the first). On success the engine holds the voice and `voice` its
// name; on failure a message box is shown and the engine is empty.
// storedVoice: the `Voice` setting, or null when absent.
void CreateEngineWithVoice(const EngineServices& services, const std::string* storedVoice,
                           ComPtr<ITTSEngine>& engine, std::string& voice);

// The engine's events to the window (ConnectEngineEvents), with the
// reader's message on a failure; false then, and the caller drops the engine.
bool ConnectEngineOrTell(ITTSEngine& engine, HWND window, DWORD cookie);
