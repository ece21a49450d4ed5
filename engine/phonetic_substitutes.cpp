#include "engine/phonetic_substitutes.h"

#include "engine/com_error.h"

SubstituteLookup PhoneticSubstitutes(IPhonetic* phonetic) {
  if (phonetic == nullptr) return {};
  return [phonetic](const std::string& unitName) {
    std::string name = unitName;
    LPSTR answer = nullptr;
    ThrowIfFailed(phonetic->GetSubstituteAllophone(name.data(), &answer));
    std::string substitute = answer != nullptr ? answer : "";
    CoTaskMemFree(answer);
    return substitute;
  };
}

bool Synthesize(Allobase& voice, const std::string& allophones, AudioBuffer& buffer,
                const SynthParams& params, IPhonetic* phonetic) {
  return Synthesize(voice, allophones, buffer, params, PhoneticSubstitutes(phonetic));
}
