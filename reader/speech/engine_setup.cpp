#include "reader/speech/engine_setup.h"

#include "reader/command_ids.h"

EngineEventsResult ConnectEngineEvents(ITTSEngine& engine, HWND window, DWORD cookie) {
  if (FAILED(engine.SetEventMask(kEngineEventMask))) return EngineEventsResult::kMaskFailed;
  if (FAILED(engine.SetNotifyWindow(window, WM_ENGINE_NOTIFY, cookie)))
    return EngineEventsResult::kWindowFailed;
  return EngineEventsResult::kConnected;
}

void ApplyEngineValues(ITTSEngine& engine, signed char rate, signed char pitch,
                       unsigned char volume) {
  engine.SetRate(rate);
  engine.SetRateRange(kReaderRateRange);
  engine.SetPitch(pitch);
  engine.SetVolume(volume);
}
