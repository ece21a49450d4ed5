// Entry point of every unit-test program. CTest runs the cases of one program
// as parallel processes, so each process gets a scratch folder of its own
// (gtest's TempDir) and a registry file of its own inside it. The registry
// the caller's environment names (PARLEN_REGISTRY, as set for running the
// programs by hand) is never read or written: a test whose fixture prepared
// a registry names it in PARLEN_TEST_REGISTRY and works on a copy.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

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
  if (prepared != nullptr && *prepared != '\0') {
    std::error_code error;
    fs::copy_file(prepared, registry, error);
    if (error) {
      std::fprintf(stderr, "cannot copy the test registry %s: %s\n", prepared, error.message().c_str());
      return 1;
    }
  }
  setenv("PARLEN_REGISTRY", registry.c_str(), 1);
  testing::InitGoogleTest(&argc, argv);
  int result = RUN_ALL_TESTS();
  if (std::getenv("PARLEN_KEEP_TEST_FILES") == nullptr) {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
  return result;
}
