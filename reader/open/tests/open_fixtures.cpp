#include "reader/open/tests/open_fixtures.h"

#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/unicode.h"

namespace {

void Le(std::string& s, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

std::string Scratch(const std::string& name) {
  const std::string folder = std::string(std::getenv("TEST_TMPDIR")) + "open/";
  std::filesystem::create_directories(folder);
  return folder + name;
}

std::u16string Wide(const std::string& utf8) {
  std::u16string out;
  Utf8ToUtf16(utf8, &out);
  return out;
}

std::string Utf8(const std::u16string& wide) { return Utf16ToUtf8(wide); }

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

bool Exists(const std::string& path) { return std::filesystem::exists(path); }
bool Exists(const std::u16string& path) { return Exists(Utf8(path)); }

ZipFixture WriteZip(const std::string& path,
                    const std::vector<std::pair<std::string, std::string>>& files) {
  ZipFixture zip{path, {}};
  std::string bytes;
  for (const auto& [name, data] : files) {
    Le(bytes, 0x04034b50, 4);
    Le(bytes, 10, 2);
    Le(bytes, 0, 2);  // flags
    Le(bytes, 0, 2);  // stored
    Le(bytes, 0, 4);  // time, date
    const auto crc = static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
    Le(bytes, crc, 4);
    Le(bytes, static_cast<uint32_t>(data.size()), 4);
    Le(bytes, static_cast<uint32_t>(data.size()), 4);
    Le(bytes, static_cast<uint32_t>(name.size()), 2);
    Le(bytes, 0, 2);
    bytes += name;
    zip.entries.push_back(
        {name, ZipEntry{static_cast<int32_t>(bytes.size()), -1, static_cast<int32_t>(data.size()),
                        crc, true}});
    bytes += data;
  }
  Le(bytes, 0x02014b50, 4);
  bytes += std::string(42, '\0');
  WriteBytes(path, bytes);
  return zip;
}
