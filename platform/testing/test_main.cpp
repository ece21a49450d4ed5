// Entry point of every unit-test program. CTest runs the cases of one program
// as parallel processes, so each process gets a scratch folder of its own
// (gtest's TempDir) and a registry file of its own inside it. The registry
// the caller's environment names (PARLEN_REGISTRY, as set for running the
// programs by hand) is never read or written: a test whose fixture prepared
// a registry names it in PARLEN_TEST_REGISTRY and works on a copy. The cache
// folder (XDG_CACHE_HOME) is one inside the scratch folder too.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/testing/test_registry.h"

namespace {

std::string g_registry;  // the program's own registry file
std::string g_prepared;  // the registry it starts from; empty for none

}  // namespace

void ResetTestRegistry() {
  namespace fs = std::filesystem;
  if (g_registry.empty()) return;
  if (g_prepared.empty()) {
    unlink(g_registry.c_str());
    return;
  }
  // A new file renamed into place: the registry sees a file of its own.
  const std::string fresh = g_registry + ".fresh";
  std::error_code error;
  fs::copy_file(g_prepared, fresh, fs::copy_options::overwrite_existing, error);
  if (!error) fs::rename(fresh, g_registry, error);
}

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::string pattern = (fs::temp_directory_path() / "parlen-test-XXXXXX").string();
  const char* dir = mkdtemp(pattern.data());
  if (dir == nullptr) {
    std::perror("cannot make the test's scratch folder");
    return 1;
  }
  setenv("TEST_TMPDIR", (std::string(dir) + "/").c_str(), 1);
  const std::string registry = std::string(dir) + "/registry.reg";
  const char* prepared = std::getenv("PARLEN_TEST_REGISTRY");
  g_registry = registry;
  if (prepared != nullptr && *prepared != '\0') {
    g_prepared = prepared;
    std::error_code error;
    fs::copy_file(prepared, registry, error);
    if (error) {
      std::fprintf(stderr, "cannot copy the test registry %s: %s\n", prepared, error.message().c_str());
      return 1;
    }
  }
  setenv("PARLEN_REGISTRY", registry.c_str(), 1);
  // What the program keeps in the user's cache folder goes to the test's.
  setenv("XDG_CACHE_HOME", (std::string(dir) + "/cache").c_str(), 1);
  testing::InitGoogleTest(&argc, argv);
  int result = RUN_ALL_TESTS();
  if (std::getenv("PARLEN_KEEP_TEST_FILES") == nullptr) {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
  return result;
}
