// What the voice page and the settings sheet need of the installed speech
// system, as replaceable functions so tests can hand in doubles.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "interfaces/orvox.h"
#include "reader/speech/engine_setup.h"

struct VoiceServices {
  // Creates a TTSEngine object (class context 0x17).
  std::function<HRESULT(ITTSEngine** engine)> createEngine;
  // The installed voices in registry order, and a voice's language code.
  std::function<std::vector<std::string>()> listVoices;
  std::function<std::string(const std::string& voice)> voiceLang;

  // The voice page's Test: it waits for the test text in steps, up to the
  // limit, and stops the engine when the limit passes or `testCancelled`
  // answers true between two steps.
  UINT testWaitStepMs = 100;
  UINT testTimeLimitMs = 60000;
  std::function<bool()> testCancelled;
};

// The services of the installed system.
VoiceServices DefaultVoiceServices();
