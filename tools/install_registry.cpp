// install_registry ROOT STRESS_BASE USER_STRESS_BASE STRING_RESOURCES
// MASK_BASES: writes the registry values that point the speech stack at the
// Russian linguistic data in the folder ROOT (the other arguments are names
// inside it). The registry file is the one the platform library uses
// (PARLEN_REGISTRY).
#include <cstdio>
#include <string>

#include "platform/unicode.h"
#include "tools/data_registry.h"

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr,
                 "usage: install_registry ROOT STRESS_BASE USER_STRESS_BASE STRING_RESOURCES "
                 "MASK_BASES\n");
    return 2;
  }
  RussianDataNames names;
  std::u16string* const fields[] = {&names.root, &names.stressBase, &names.userStressBase,
                                    &names.stringResources, &names.maskBases};
  for (int i = 0; i < 5; ++i) {
    if (!Utf8ToUtf16(argv[i + 1], fields[i])) {
      std::fprintf(stderr, "install_registry: %s is not UTF-8\n", argv[i + 1]);
      return 2;
    }
  }
  const LONG result = InstallRussianDataRegistry(names);
  if (result != ERROR_SUCCESS) {
    std::fprintf(stderr, "install_registry: cannot write the registry (error %d)\n",
                 static_cast<int>(result));
    return 1;
  }
  return 0;
}
