// Opens a 10 MB text file and pages through it to the end in two window
// sizes; prints the time per page. Not a test: run it by hand.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "reader/page_model.h"

int main() {
  const std::string path = (std::filesystem::temp_directory_path() / "parlen-paging-bench.txt").string();
  {
    std::ofstream out(path, std::ios::binary);
    const std::string paragraph =
        "\xC2 \xEB\xE5\xF1\xF3 \xF0\xEE\xE4\xE8\xEB\xE0\xF1\xFC \xB8\xEB\xEE\xF7\xEA\xE0, "
        "\xE2 \xEB\xE5\xF1\xF3 \xEE\xED\xE0 \xF0\xEE\xF1\xEB\xE0; \xE7\xE8\xEC\xEE\xE9 \xE8 "
        "\xEB\xE5\xF2\xEE\xEC \xF1\xF2\xF0\xEE\xE9\xED\xE0\xFF, \xE7\xE5\xEB\xE5\xED\xE0\xFF "
        "\xE1\xFB\xEB\xE0.\r\n";
    size_t written = 0;
    while (written < 10u * 1024 * 1024) {
      out << paragraph;
      written += paragraph.size();
    }
  }
  CharWidthTable widths{};
  for (size_t i = 1; i < 256; ++i) widths[i] = 7 + static_cast<INT>(i % 5);
  PageModel page;
  std::u16string wide(path.begin(), path.end());
  if (page.Open(wide) != PageModel::OpenResult::kOpened) return 1;
  // The handheld's window, then a full screen of 1920x1080 whose pages
  // are built from several blocks.
  const struct {
    INT textWidth;
    INT lines;
  } windows[] = {{474, 35}, {1914, 53}};
  for (const auto& window : windows) {
    LineLayout layout;
    layout.widths = &widths;
    layout.textWidth = window.textWidth;
    page.SetLayout(layout, window.lines);
    page.ShowPageAt(0);
    const auto start = std::chrono::steady_clock::now();
    size_t pages = 1;
    while (page.NextPage()) ++pages;
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%d px, %d lines: %zu pages of %d bytes in %.1f ms: %.4f ms per page\n",
                window.textWidth, window.lines, pages, page.FileSize(), ms,
                ms / static_cast<double>(pages));
  }
  std::filesystem::remove(path);
  return 0;
}
