#include "sonalik/tests/sonalik_fixture.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

namespace {

// CTest runs every case in a process of its own, all on one registry file.
// Registering rewrites the class key step by step, so one process must not
// register while another registers or looks the class up.
class SetUpLock {
 public:
  SetUpLock() {
    const char* registry = std::getenv("PARLEN_REGISTRY");
    const std::string path = std::string(registry ? registry : "sonalik_tests") + ".setup-lock";
    fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ >= 0) flock(fd_, LOCK_EX);
  }
  ~SetUpLock() {
    if (fd_ >= 0) close(fd_);
  }
  SetUpLock(const SetUpLock&) = delete;
  SetUpLock& operator=(const SetUpLock&) = delete;

 private:
  int fd_ = -1;
};

}  // namespace

IPhonetic* SonalikTest::phonetic_ = nullptr;

void SonalikTest::SetUpTestSuite() {
  if (phonetic_) return;
  SetUpLock lock;
  void* library = dlopen(SONALIK_LIBRARY, RTLD_NOW);
  ASSERT_NE(library, nullptr) << dlerror();
  auto registerServer = reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllRegisterServer"));
  ASSERT_NE(registerServer, nullptr);
  ASSERT_EQ(registerServer(), S_OK);
  ASSERT_EQ(CoCreateInstance(CLSID_Sonalik, nullptr, CLSCTX_INPROC_SERVER, IID_IPhonetic,
                             reinterpret_cast<void**>(&phonetic_)),
            S_OK);
}

void SonalikTest::TearDownTestSuite() {
  if (phonetic_) phonetic_->Release();
  phonetic_ = nullptr;
}

std::string SonalikTest::Take(HRESULT hr, LPSTR text) {
  if (hr != S_OK) {
    EXPECT_EQ(text, nullptr);
    return "<" + std::to_string(hr) + ">";
  }
  std::string result = text ? text : "<null>";
  CoTaskMemFree(text);
  return result;
}

std::string SonalikTest::Call(StringCall call, const std::string& text) {
  LPSTR out = nullptr;
  HRESULT hr = (phonetic_->*call)(In(text), &out);
  return Take(hr, out);
}

I8 SonalikTest::SoundDescriptionOf(const std::string& phoneme) {
  I8 sd = -1;
  EXPECT_EQ(phonetic_->GetSoundDescription(In(phoneme), &sd), S_OK);
  return sd;
}

std::string SonalikTest::TextOf(I8 sd) {
  LPSTR out = nullptr;
  HRESULT hr = phonetic_->SDtoString(sd, &out);
  return Take(hr, out);
}

std::vector<I8> SonalikTest::DescribePositions(const std::string& phonemes) {
  I8* sds = nullptr;
  INT num = -1;
  if (phonetic_->GetSoundDescriptions(In(phonemes), &sds, &num) != S_OK) return {};
  std::vector<I8> result(sds, sds + num);
  CoTaskMemFree(sds);
  return result;
}
