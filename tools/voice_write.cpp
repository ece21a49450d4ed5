// Builds a voice database from recorded units listed in a text file.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "engine/voice_writer.h"
#include "foundation/code_pages.h"
#include "foundation/string_utils.h"
#include "foundation/text_file.h"

namespace {

constexpr const char* kUsage =
    "Usage: voice_write [options] LIST OUTPUT\n"
    "Builds the voice database OUTPUT from the units named in LIST.\n"
    "\n"
    "LIST is a text file with one unit a line:\n"
    "    NAME WAVFILE [MARK ...]\n"
    "  NAME     the name the synthesizer looks the unit up by (an allophone\n"
    "           name), byte for byte, at most 255 bytes, each name once\n"
    "  WAVFILE  a RIFF/WAVE file with the canonical 44-byte header holding\n"
    "           16-bit mono PCM; a relative path starts at LIST's folder\n"
    "  MARK     a pitch mark: the sample position of a period's start,\n"
    "           counted from the unit's first sample; marks rise and lie\n"
    "           between 0 and the unit's length\n"
    "Fields are separated by blanks; blank lines and lines whose first\n"
    "character is '#' are skipped. The units are stored in the list's order.\n"
    "\n"
    "Options:\n"
    "  --adpcm        store 4-bit IMA ADPCM samples instead of 16-bit PCM\n"
    "  --kind N       voice kind 0, 1 or 2 (default 1)\n"
    "  --rate HZ      sample rate; every WAV file must have it (default: the\n"
    "                 rate of the first WAV file, 11025 for an empty list)\n"
    "  --desc1 TEXT   first description (default empty)\n"
    "  --desc2 TEXT   second description (default empty)\n";

struct Options {
  VoiceData voice;
  bool rateGiven = false;
  std::string list;
  std::string output;
};

std::u16string Wide(const std::string& utf8) {
  std::u16string wide;
  Utf8ToWide(utf8, wide, u'\uFFFD');
  return wide;
}

bool ParseInt(const std::string& text, long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtol(text.c_str(), &end, 10);
  return errno == 0 && *end == '\0';
}

bool Fail(const std::string& message) {
  std::fprintf(stderr, "voice_write: %s\n", message.c_str());
  return false;
}

bool ParseOptions(int argc, char** argv, Options& options) {
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    long number = 0;
    if (arg == "--adpcm") {
      options.voice.adpcm = true;
    } else if (arg == "--kind" && hasValue) {
      if (!ParseInt(argv[++i], number) || number < 0 || number > 2)
        return Fail("--kind takes 0, 1 or 2");
      options.voice.voiceKind = static_cast<int>(number);
    } else if (arg == "--rate" && hasValue) {
      if (!ParseInt(argv[++i], number) || number <= 0 || number > 0x7FFFFFFF)
        return Fail("--rate takes a positive number");
      options.voice.sampleRate = static_cast<int32_t>(number);
      options.rateGiven = true;
    } else if (arg == "--desc1" && hasValue) {
      options.voice.description1 = argv[++i];
    } else if (arg == "--desc2" && hasValue) {
      options.voice.description2 = argv[++i];
    } else if (arg.size() > 1 && arg[0] == '-') {
      return Fail("unknown option " + arg);
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 2) return false;
  options.list = positional[0];
  options.output = positional[1];
  return true;
}

uint32_t U32At(const std::vector<BYTE>& bytes, size_t at) {
  return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
         (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

uint16_t U16At(const std::vector<BYTE>& bytes, size_t at) {
  return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

bool TagAt(const std::vector<BYTE>& bytes, size_t at, const char* tag) {
  return std::memcmp(bytes.data() + at, tag, 4) == 0;
}

// Reads a canonical 16-bit mono PCM WAV file.
bool ReadUnitWave(const std::string& path, std::vector<int16_t>& samples, int32_t& rate) {
  TextFile file;
  if (!file.Open(Wide(path).c_str(), u"rb")) return Fail("cannot open " + path);
  std::vector<BYTE> bytes;
  file.ReadIntoBuffer(bytes, file.GetSize());
  constexpr size_t kHeader = 44;
  if (bytes.size() < kHeader || !TagAt(bytes, 0, "RIFF") || !TagAt(bytes, 8, "WAVE") ||
      !TagAt(bytes, 12, "fmt ") || U32At(bytes, 16) != 16 || !TagAt(bytes, 36, "data"))
    return Fail(path + ": not a WAV file with the canonical 44-byte header");
  if (U16At(bytes, 20) != 1 || U16At(bytes, 22) != 1 || U16At(bytes, 34) != 16)
    return Fail(path + ": not 16-bit mono PCM");
  const uint32_t dataSize = U32At(bytes, 40);
  if (dataSize > bytes.size() - kHeader || dataSize % 2 != 0)
    return Fail(path + ": data size does not fit the file");
  rate = static_cast<int32_t>(U32At(bytes, 24));
  samples.resize(dataSize / 2);
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<int16_t>(U16At(bytes, kHeader + 2 * i));
  return true;
}

bool ReadUnit(const std::string& line, const std::string& folder, Options& options,
              bool& rateKnown) {
  std::vector<std::string> fields;
  SplitWords(line, fields);
  if (fields.size() < 2) return Fail("a line needs a name and a WAV file: " + line);
  VoiceUnit unit;
  unit.name = fields[0];
  if (unit.name.size() > 255) return Fail("name longer than 255 bytes: " + unit.name);
  const std::string path = fields[1][0] == '/' ? fields[1] : folder + fields[1];
  int32_t rate = 0;
  if (!ReadUnitWave(path, unit.samples, rate)) return false;
  if (!rateKnown) {
    options.voice.sampleRate = rate;
    rateKnown = true;
  } else if (rate != options.voice.sampleRate) {
    return Fail(path + ": sample rate " + std::to_string(rate) + " differs from " +
                std::to_string(options.voice.sampleRate));
  }
  for (size_t f = 2; f < fields.size(); ++f) {
    long mark = 0;
    if (!ParseInt(fields[f], mark) || mark < 0 ||
        mark > static_cast<long>(unit.samples.size()) ||
        (!unit.marks.empty() && mark <= unit.marks.back()))
      return Fail(unit.name + ": pitch mark " + fields[f] +
                  " is not a rising position within the unit");
    unit.marks.push_back(static_cast<int32_t>(mark));
  }
  options.voice.units.push_back(std::move(unit));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  std::vector<std::string> lines;
  if (!ReadLines(Wide(options.list).c_str(), lines, '#')) {
    Fail("cannot read " + options.list);
    return 1;
  }
  const size_t slash = options.list.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : options.list.substr(0, slash + 1);

  bool rateKnown = options.rateGiven;
  std::set<std::string> names;
  for (const std::string& line : lines) {
    if (!ReadUnit(line, folder, options, rateKnown)) return 1;
    if (!names.insert(options.voice.units.back().name).second) {
      Fail("unit " + options.voice.units.back().name + " is listed twice");
      return 1;
    }
  }
  if (!WriteVoiceDatabase(Wide(options.output), options.voice)) {
    Fail("cannot write " + options.output + " (descriptions are at most 255 bytes)");
    return 1;
  }
  std::printf("%zu units written to %s\n", options.voice.units.size(), options.output.c_str());
  return 0;
}
