// Entry point of every unit-test program. CTest runs the cases of one program
// as parallel processes, so each process gets a scratch folder of its own
// (gtest's TempDir) and a registry file of its own inside it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::string pattern = (fs::temp_directory_path() / "parlen-test-XXXXXX").string();
  const char* dir = mkdtemp(pattern.data());
  if (dir != nullptr) {
    setenv("TEST_TMPDIR", (std::string(dir) + "/").c_str(), 1);
    if (std::getenv("PARLEN_REGISTRY") == nullptr) {
      setenv("PARLEN_REGISTRY", (std::string(dir) + "/registry.reg").c_str(), 1);
    }
  }
  testing::InitGoogleTest(&argc, argv);
  int result = RUN_ALL_TESTS();
  if (dir != nullptr && std::getenv("PARLEN_KEEP_TEST_FILES") == nullptr) {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
  return result;
}
