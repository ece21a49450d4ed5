// libFuzzer target: arbitrary bytes as a ZIP archive. The folder tree is
// walked and every file entry extracted; the last 12 bytes also serve as an
// entry as a reader's settings file could hold it.
#include <zlib.h>

#include <cstring>
#include <string>
#include <vector>

#include "documents/fuzz/fuzz_support.h"
#include "documents/zip/zip_archive.h"

namespace {

constexpr size_t kMostExtractions = 16;

void Put16(std::string& s, uint32_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& s, uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

std::string RawDeflate(const std::string& text) {
  z_stream stream{};
  deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&stream, text.size()), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  stream.avail_in = static_cast<uInt>(text.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

// The declared size is the text's unless given; flags 0x800 mark a UTF-8
// name.
void AddEntry(std::string& zip, const std::string& name, const std::string& text, bool deflate,
              uint16_t flags = 0, int64_t declared = -1) {
  const std::string data = deflate ? RawDeflate(text) : text;
  Put32(zip, 0x04034b50);
  Put16(zip, 20);
  Put16(zip, flags);
  Put16(zip, deflate ? 8 : 0);
  Put32(zip, 0);
  Put32(zip, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(text.data()),
                                         static_cast<uInt>(text.size()))));
  Put32(zip, static_cast<uint32_t>(data.size()));
  Put32(zip, static_cast<uint32_t>(declared < 0 ? text.size() : declared));
  Put16(zip, static_cast<uint32_t>(name.size()));
  Put16(zip, 0);
  zip += name + data;
}

std::string CentralDirectory() {
  std::string end;
  Put32(end, 0x02014b50);
  return end + std::string(26, '\0');
}

std::vector<std::string> Seeds() {
  std::string two;
  AddEntry(two, "dir/sub/a.txt", "hello", false);
  AddEntry(two, "dir/", "", false);
  AddEntry(two, "b.txt", "\xEC\xE0\xEC\xE0 \xEC\xFB\xEB\xE0 \xF0\xE0\xEC\xF3 text text text", true);
  two += CentralDirectory();
  std::string dos;
  AddEntry(dos, "\xAC\xA0\xAC\xA0/\xE0\xA0\xAC\xE3.txt", "x", false);
  AddEntry(dos, "empty", "", false);
  dos += CentralDirectory();
  // Names that become equal when shown, UTF-8 flagged and not; a stored
  // entry that declares less than it holds; one that inflates far beyond
  // its declared size; one that declares 1 GiB.
  std::string hostile;
  AddEntry(hostile, "\xCA\xED\xE8\xE3\xE0.fb2", "1251", false);
  AddEntry(hostile, "\xD0\x9A\xD0\xBD\xD0\xB8\xD0\xB3\xD0\xB0.fb2", "utf-8", false, 0x800);
  AddEntry(hostile, "\xff.txt", "bad", false, 0x800);
  AddEntry(hostile, "\xfe.txt", "bad", false, 0x800);
  AddEntry(hostile, "cut.txt", "hello world", false, 0, 5);
  AddEntry(hostile, "bomb.txt", std::string(200000, 'z'), true, 0, 1000);
  AddEntry(hostile, "giga.txt", std::string(4096, '\0'), true, 0, int64_t{1} << 30);
  hostile += CentralDirectory();
  // Two files of one name, a file beside a folder of its name; an archive
  // cut inside a stored entry, with no directory.
  std::string clashing;
  AddEntry(clashing, "x.txt", "1", false);
  AddEntry(clashing, "x.txt", "2", true);
  AddEntry(clashing, "x", "file", false);
  AddEntry(clashing, "x/", "", false);
  AddEntry(clashing, "x/y.txt", "in", false);
  clashing += CentralDirectory();
  std::string cut;
  AddEntry(cut, "first.txt", "whole", false);
  AddEntry(cut, "book.txt", std::string(3000, 'b'), false);
  cut.resize(cut.size() - 2000);
  return {two, dos, hostile, CentralDirectory(), clashing, cut};
}

int32_t Le32(const uint8_t* p) {
  uint32_t v = 0;
  std::memcpy(&v, p, 4);
  return static_cast<int32_t>(v);
}

void Collect(const ZipDirectory& folder, std::vector<ZipEntry>& entries) {
  for (const auto& [name, entry] : folder.files()) {
    if (entries.size() < kMostExtractions) entries.push_back(entry);
  }
  for (const auto& [name, child] : folder.folders()) {
    FUZZ_CHECK(child->parent() == &folder);
    Collect(*child, entries);
  }
}

}  // namespace

FUZZ_TARGET_SEEDS(Seeds)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzFiles files(data, size, "in.zip");
  std::vector<ZipEntry> entries;
  {
    ZipDirectory root;
    ReadZipArchive(files.source(), root);
    Collect(root, entries);
  }
  if (size >= 12) {
    const uint8_t* tail = data + size - 12;
    entries.push_back({Le32(tail), Le32(tail + 4), Le32(tail + 8)});
  }
  for (const ZipEntry& entry : entries) {
    if (ExtractZipEntry(files.source(), entry, files.target())) {
      // Never more than declared (less only for a damaged entry, with a
      // warning), never more than the bound.
      FUZZ_CHECK(files.Output().size() <= static_cast<size_t>(entry.uncompressedSize));
      FUZZ_CHECK(entry.uncompressedSize <= kLargestExtractedEntry);
    }
    files.RemoveOutput();
  }
  return 0;
}
