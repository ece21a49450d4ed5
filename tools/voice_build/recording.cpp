#include "tools/voice_build/recording.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "engine/audio_buffer.h"
#include "foundation/code_pages.h"
#include "platform/unicode.h"

std::vector<PhoneLabel> ReadPhoneLabels(const std::string& path, int32_t sampleRate) {
  std::vector<PhoneLabel> labels;
  std::ifstream in(path);
  std::string line;
  bool body = false;
  int32_t previousEnd = 0;
  while (std::getline(in, line)) {
    if (!body) {
      body = line.starts_with("#");
      continue;
    }
    std::istringstream fields(line);
    double endTime = 0;
    std::string number, name;
    if (!(fields >> endTime >> number >> name)) continue;
    const auto end = static_cast<int32_t>(std::lround(endTime * sampleRate));
    labels.push_back(PhoneLabel{name, previousEnd, end});
    previousEnd = end;
  }
  return labels;
}

bool ReadMonoWave(const std::string& path, std::vector<int16_t>& samples, int32_t& sampleRate) {
  std::u16string widePath;
  if (!Utf8ToUtf16(path, &widePath)) return false;
  AudioBuffer buffer;
  if (!buffer.ReadWaveFile(widePath)) return false;
  const WAVEFORMATEX& format = *buffer.Format().Get();
  if (format.wBitsPerSample != 16 || format.nChannels != 1) return false;
  sampleRate = static_cast<int32_t>(format.nSamplesPerSec);
  samples.resize(buffer.SampleCount());
  std::memcpy(samples.data(), buffer.Data(), samples.size() * 2);
  return true;
}

std::vector<UtteranceText> ReadPromptList(const std::string& path) {
  std::vector<UtteranceText> out;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    const size_t open = line.find('(');
    const size_t quote = line.find('"');
    const size_t last = line.rfind('"');
    if (open == std::string::npos || quote == std::string::npos || last <= quote) continue;
    std::istringstream idField(line.substr(open + 1, quote - open - 1));
    UtteranceText utterance;
    idField >> utterance.id;
    std::u16string wide;
    Utf8ToWide(line.substr(quote + 1, last - quote - 1), wide, u'?');
    utterance.text = WideToNarrow(wide);
    if (!utterance.id.empty()) out.push_back(std::move(utterance));
  }
  return out;
}
