// Throughput of each converter on a large generated document (not a test).
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "documents/converters.h"
#include "documents/zip/zip_archive.h"
#include "platform/unicode.h"

namespace {

std::u16string Wide(const std::string& path) {
  std::u16string out;
  Utf8ToUtf16(path, &out);
  return out;
}

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
}

// The best of a few runs, so that a busy machine disturbs the figure less.
// The target is removed before each run: replacing an existing file costs
// the file system more than the conversion itself for the fast converters.
void Measure(const char* name, const std::string& source, const std::function<bool()>& run) {
  constexpr int kRuns = 5;
  const double megabytes = static_cast<double>(std::filesystem::file_size(source)) / 1e6;
  double best = 1e9;
  bool ok = true;
  for (int i = 0; i < kRuns; ++i) {
    std::filesystem::remove(std::filesystem::path(source).parent_path() / "out.txt");
    const auto start = std::chrono::steady_clock::now();
    ok = run() && ok;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (seconds < best) best = seconds;
  }
  std::printf("%-8s %7.1f MB  %8.1f MB/s%s\n", name, megabytes, megabytes / best,
              ok ? "" : "  (FAILED)");
}

}  // namespace

int main() {
  const std::string dir = std::filesystem::temp_directory_path() / "parlen-bench";
  std::filesystem::create_directories(dir);
  std::string words;
  for (int i = 0; i < 400000; ++i) words += "\xEC\xE0\xEC\xE0 \xEC\xFB\xEB\xE0 \xF0\xE0\xEC\xF3 ";
  std::string html;
  std::string fb2 = "<FictionBook>";
  std::string rtf = "{\\rtf1 ";
  std::string utf8;
  for (size_t at = 0; at < words.size(); at += 200) {
    const std::string piece = words.substr(at, 200);
    html += "<p class=x>" + piece + "&nbsp;&#1040;</p>\n";
    fb2 += "<p>" + piece + "</p><empty-line/>\n";
    rtf += "{\\pard\\f0 " + piece + "\\'e0\\par}\n";
  }
  for (int i = 0; i < 1200000; ++i) utf8 += "\xD0\xBC\xD0\xB0\xD0\xBC\xD0\xB0 text ";
  std::string tcr = "!!8-Bit!!";
  for (int b = 0; b < 256; ++b) tcr += std::string{'\x02', static_cast<char>(b), ' '};
  tcr += words;
  Write(dir + "/a.html", html);
  Write(dir + "/a.fb2", fb2);
  Write(dir + "/a.rtf", rtf);
  Write(dir + "/a.u8", utf8);
  Write(dir + "/a.tcr", tcr);
  Write(dir + "/a.txt", words);
  const auto in = [&](const char* n) { return Wide(dir + "/" + n); };
  const std::u16string out = Wide(dir + "/out.txt");
  Measure("html", dir + "/a.html", [&] { return ConvertHtmlToText(in("a.html").c_str(), out.c_str(), 1); });
  Measure("fb2", dir + "/a.fb2", [&] { return ConvertFb2ToText(in("a.fb2").c_str(), out.c_str()); });
  Measure("rtf", dir + "/a.rtf", [&] { return ConvertRtfToText(in("a.rtf").c_str(), out.c_str()); });
  Measure("utf8", dir + "/a.u8", [&] { return ConvertUtf8ToWin(in("a.u8").c_str(), out.c_str()); });
  Measure("tcr", dir + "/a.tcr", [&] { return ConvertTcrToText(in("a.tcr").c_str(), out.c_str()); });
  const std::string pdb = dir + "/a.pdb";
  if (std::system(("txt2pdbdoc -b Bench " + dir + "/a.txt " + pdb + " >/dev/null 2>&1").c_str()) == 0) {
    Measure("pdb", pdb, [&] { return ConvertPdbToText(Wide(pdb).c_str(), out.c_str()); });
  }
  const std::string zip = dir + "/a.zip";
  std::filesystem::remove(zip);
  if (std::system(("cd " + dir + " && zip -q a.zip a.txt").c_str()) == 0) {
    ZipDirectory root;
    ReadZipArchive(Wide(zip).c_str(), root);
    const auto it = root.files().find("a.txt");
    if (it != root.files().end()) {
      Measure("zip", dir + "/a.txt", [&] { return ExtractZipEntry(Wide(zip).c_str(), it->second, out.c_str()); });
    }
  }
  std::filesystem::remove_all(dir);
  return 0;
}
