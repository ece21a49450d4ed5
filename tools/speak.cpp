// speak: reads a text file (or standard input) aloud through the installed
// speech engine, to the sound device or into a WAV file.
//
//   speak [-n voice] [-r rate] [-p pitch] [-V volume] [-o out.wav [--real-time]] [-v]
//         [--] [file]
//
// The text may be Windows-1251, another Russian 8-bit code page or UTF-8;
// it is converted to Windows-1251 first; a NUL byte reads as a blank. -v
// prints the engine's events. A WAV file is written as fast as the speech
// is made, or at the pace of the sound with --real-time. SIGINT and SIGTERM
// stop the speech at once and leave a complete WAV file of what was spoken;
// speech lost to a failing device (a full disk, a file-size limit, the
// 4 GiB limit of a WAV file) is reported and makes the exit status non-zero.
#include <malloc.h>
#include <signal.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/voices/voice_registry.h"
#include "foundation/code_pages.h"
#include "interfaces/orvox.h"
#include "platform/sync.h"
#include "platform/wave_out.h"

namespace {

struct Options {
  std::string voice;
  int rate = 0;
  int pitch = 0;
  int volume = 10;
  std::string output;
  bool realTime = false;
  bool verbose = false;
  std::string input;
};

int Usage() {
  std::fprintf(stderr,
               "usage: speak [-n voice] [-r rate] [-p pitch] [-V volume] "
               "[-o out.wav [--real-time]] [-v] [--] [file]\n");
  return 2;
}

bool ParseOptions(int argc, char** argv, Options& options) {
  bool namesOnly = false;  // after "--" every word names the text
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (namesOnly) {
      options.input = arg;
      continue;
    }
    auto value = [&](std::string& out) {
      if (i + 1 >= argc) return false;
      out = argv[++i];
      return true;
    };
    std::string text;
    if (arg == "-n") {
      if (!value(options.voice)) return false;
    } else if (arg == "-r" || arg == "-p" || arg == "-V") {
      if (!value(text)) return false;
      int number = std::atoi(text.c_str());
      (arg == "-r" ? options.rate : arg == "-p" ? options.pitch : options.volume) = number;
    } else if (arg == "-o") {
      if (!value(options.output)) return false;
    } else if (arg == "--real-time") {
      options.realTime = true;
    } else if (arg == "-v") {
      options.verbose = true;
    } else if (arg == "--") {
      namesOnly = true;
    } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
      return false;
    } else {
      options.input = arg;
    }
  }
  return true;
}

bool ReadInput(const std::string& path, std::string& text) {
  if (path.empty() || path == "-") {
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    return true;
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    // A pipe has no size to read at once.
    text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
  }
  // Read at once into its full size: growing the string as it reads would
  // hold a long text twice over for a moment.
  file.seekg(0, std::ios::end);
  const std::streamoff size = file.tellg();
  if (size < 0) return false;
  text.resize(static_cast<size_t>(size));
  file.seekg(0);
  return static_cast<bool>(file.read(text.data(), size));
}

// The code page is found from 256 KB of the text from its first byte above
// ASCII on: a long text keeps its code page throughout, and its first audio
// need not wait for all of it.
std::string SpeakableText(const std::string& text) {
  constexpr size_t kWindow = 256 * 1024;
  const auto firstHigh = std::find_if(text.begin(), text.end(), [](char c) {
    return static_cast<unsigned char>(c) >= 0x80;
  });
  const size_t from = static_cast<size_t>(firstHigh - text.begin());
  size_t to = std::min(text.size(), from + kWindow);
  // The window ends before a byte that starts a character.
  while (to > from && to < text.size() && (static_cast<unsigned char>(text[to]) & 0xC0) == 0x80)
    --to;
  CodePageConverter& converter = GlobalCodePageConverter();
  return ToWindows1251(converter, text, DetectCodePage(converter, text.data() + from, to - from));
}

// The engine takes a NUL-terminated text: a NUL inside would end it early.
void BlankNuls(std::string& text) { std::replace(text.begin(), text.end(), '\0', ' '); }

volatile sig_atomic_t stopSignal = 0;

void OnStopSignal(int signal) { stopSignal = signal; }

// A second signal of the same kind ends the program at once.
void CatchStopSignals() {
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

const char* EventName(UINT type) {
  switch (type) {
    case TE_SpeechStart: return "speech start";
    case TE_SpeechEnd: return "speech end";
    case TE_VoiceChanged: return "voice changed";
    case TE_WordSpan: return "words";
    case TE_SentenceSpan: return "sentence";
    case TE_AudioDelivered: return "audio delivered";
    default: return "event";
  }
}

// Until the end of speech; a stop signal stops the speech. False when the
// speech has not ended within kStopWaitMs of the stop: the piece in the
// device (many seconds at a slow rate) is then cut short by the release of
// the engine.
constexpr DWORD kStopWaitMs = 300;

bool FollowEvents(ITTSEngine* engine, bool verbose) {
  DWORD stoppedAt = 0;
  bool ended = false;
  while (!ended) {
    if (stopSignal != 0 && stoppedAt == 0) {
      stoppedAt = GetTickCount() | 1;
      engine->Stop();
    }
    TTSEvent events[64];
    UINT got = 0;
    engine->GetEvents(events, 64, &got);
    for (UINT i = 0; i < got; ++i) {
      if (events[i].type == TE_SpeechEnd) ended = true;
      if (verbose) {
        std::printf("%s %u %u\n", EventName(events[i].type), events[i].param1, events[i].param2);
      }
    }
    // Whoever follows the events hears them as they come.
    if (verbose && got > 0) std::fflush(stdout);
    if (ended) break;
    if (stoppedAt != 0 && GetTickCount() - stoppedAt >= kStopWaitMs) break;
    if (got == 0) Sleep(10);
  }
  std::fflush(stdout);
  return ended;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) return Usage();
  CatchStopSignals();
  // A file-size limit fails the write (EFBIG) like a full disk instead of
  // killing the program with a WAV header that counts samples not there.
  signal(SIGXFSZ, SIG_IGN);
  // Large buffers go back to the system when freed. Left to itself the
  // allocator raises this bound when the read text is freed, and the large
  // buffers of a long speech then stay in a heap that only grows.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
  if (!options.output.empty()) {
    setenv("PARLEN_AUDIO", ("file:" + options.output).c_str(), 1);
    // Nobody listens to a file as it is written.
    setenv("PARLEN_AUDIO_FAST", options.realTime ? "0" : "1", 1);
  }
  std::string text;
  if (!ReadInput(options.input, text)) {
    std::fprintf(stderr, "speak: cannot read %s\n", options.input.c_str());
    return 1;
  }
  BlankNuls(text);
  text = SpeakableText(text);

  if (options.voice.empty()) {
    std::vector<std::string> voices;
    if (GetVoiceNames(voices) != 0 || voices.empty()) {
      std::fprintf(stderr, "speak: no voice is installed\n");
      return 1;
    }
    options.voice = voices.front();
  }

  ITTSEngine* engine = nullptr;
  HRESULT result = CoCreateInstance(CLSID_TTSEngine, nullptr, 0x17, IID_ITTSEngine,
                                    reinterpret_cast<void**>(&engine));
  if (FAILED(result)) {
    std::fprintf(stderr, "speak: cannot create the speech engine (0x%08X)\n",
                 static_cast<unsigned>(result));
    return 1;
  }
  int status = 0;
  engine->SetEventMask(0x3F);
  result = engine->SetVoice(options.voice.c_str());
  if (FAILED(result)) {
    std::fprintf(stderr, "speak: cannot set voice (0x%08X)\n", static_cast<unsigned>(result));
    status = 1;
  } else {
    // Clamped before narrowing: -r 200 is the fastest rate, not a slow one.
    engine->SetRate(static_cast<I1>(std::clamp(options.rate, -128, 127)));
    engine->SetPitch(static_cast<I1>(std::clamp(options.pitch, -128, 127)));
    engine->SetVolume(static_cast<UI1>(std::clamp(options.volume, 0, 255)));
    // A stop signal before the speech began leaves nothing to speak; a WAV
    // file still gets its header, with no samples.
    if (stopSignal == 0) {
      result = engine->Speak(text.c_str(), 1);
    } else {
      result = options.output.empty() ? S_FALSE : engine->Speak("", 1);
    }
    if (result == S_OK) {
      std::string().swap(text);  // the engine keeps its own copy
      if (FollowEvents(engine, options.verbose)) engine->Wait(INFINITE);
    } else if (stopSignal == 0) {
      std::fprintf(stderr, "speak: the engine cannot speak (0x%08X)\n",
                   static_cast<unsigned>(result));
      status = 1;
    }
  }
  engine->Release();
  const std::string failure = WaveOutFailure();
  if (!failure.empty()) {
    std::fprintf(stderr, "speak: %s; the speech after that point is missing\n", failure.c_str());
    status = 1;
  }
  if (stopSignal != 0) {
    std::fprintf(stderr, "speak: stopped by signal %d\n", static_cast<int>(stopSignal));
    status = 128 + stopSignal;
  }
  return status;
}
