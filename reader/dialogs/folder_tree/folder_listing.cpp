#include "reader/dialogs/folder_tree/folder_listing.h"

#include <langinfo.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <tuple>

#include "platform/registry.h"
#include "platform/unicode.h"

namespace fs = std::filesystem;

namespace {

std::u16string Wide(const std::string& utf8) {
  std::u16string out;
  Utf8ToUtf16(utf8, &out);
  return out;
}

bool Hidden(const fs::path& path) {
  const std::string name = path.filename().string();
  return name.empty() || name.front() == '.';
}

bool EndsWithTrc(const std::string& name) {
  return name.size() >= 4 && name.compare(name.size() - 4, 4, ".trc") == 0;
}

SYSTEMTIME LocalTimeOf(fs::file_time_type time) {
  const auto system = std::chrono::file_clock::to_sys(time);
  const std::time_t seconds = std::chrono::system_clock::to_time_t(
      std::chrono::time_point_cast<std::chrono::system_clock::duration>(system));
  std::tm local{};
  localtime_r(&seconds, &local);
  SYSTEMTIME out;
  out.wYear = static_cast<WORD>(local.tm_year + 1900);
  out.wMonth = static_cast<WORD>(local.tm_mon + 1);
  out.wDayOfWeek = static_cast<WORD>(local.tm_wday);
  out.wDay = static_cast<WORD>(local.tm_mday);
  out.wHour = static_cast<WORD>(local.tm_hour);
  out.wMinute = static_cast<WORD>(local.tm_min);
  out.wSecond = static_cast<WORD>(local.tm_sec);
  return out;
}

std::tuple<WORD, WORD, WORD, WORD, WORD, WORD> DateKey(const SYSTEMTIME& t) {
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

}  // namespace

std::vector<std::u16string> ListSubfolders(const std::u16string& folder) {
  std::vector<std::u16string> names;
  std::error_code error;
  for (fs::directory_iterator it(Utf16ToUtf8(folder), error), end; !error && it != end;
       it.increment(error)) {
    std::error_code ignored;
    if (Hidden(it->path()) || !it->is_directory(ignored)) continue;
    names.push_back(Wide(it->path().filename().string()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<FolderFileRecord> ListFiles(const std::u16string& folder) {
  std::vector<FolderFileRecord> files;
  std::error_code error;
  for (fs::directory_iterator it(Utf16ToUtf8(folder), error), end; !error && it != end;
       it.increment(error)) {
    std::error_code ignored;
    const std::string name = it->path().filename().string();
    // Pipes, devices and sockets are no documents (reading a pipe waits).
    if (Hidden(it->path()) || !it->is_regular_file(ignored) || EndsWithTrc(name)) continue;
    FolderFileRecord record;
    record.name = Wide(name);
    record.size = it->file_size(ignored);
    record.modified = LocalTimeOf(it->last_write_time(ignored));
    files.push_back(std::move(record));
  }
  SortFileRecords(files, 1);
  return files;
}

std::u16string FormatFileSize(uint64_t bytes) {
  std::string text;
  if (bytes <= 1024) text = std::to_string(bytes);
  else if (bytes <= 1048576) text = std::to_string(bytes / 1024) + "K";
  else text = std::to_string(bytes / 1048576) + "M";
  return std::u16string(text.begin(), text.end());
}

void SortFileRecords(std::vector<FolderFileRecord>& files, int column) {
  const bool descending = column < 0;
  const int key = descending ? -column : column;
  std::stable_sort(files.begin(), files.end(),
                   [key, descending](const FolderFileRecord& a, const FolderFileRecord& b) {
                     const FolderFileRecord& x = descending ? b : a;
                     const FolderFileRecord& y = descending ? a : b;
                     if (key == 2) return x.size < y.size;
                     if (key == 3) return DateKey(x.modified) < DateKey(y.modified);
                     return x.name < y.name;
                   });
}

std::u16string ShortDatePicture() {
  const std::string format = nl_langinfo(D_FMT);
  std::u16string picture;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%' || i + 1 >= format.size()) {
      picture.push_back(static_cast<char16_t>(static_cast<unsigned char>(format[i])));
      continue;
    }
    switch (format[++i]) {
      case 'd': case 'e': picture += u"dd"; break;
      case 'm': picture += u"MM"; break;
      case 'y': picture += u"yy"; break;
      case 'Y': picture += u"yyyy"; break;
      default: break;
    }
  }
  return picture.empty() ? u"dd.MM.yyyy" : picture;
}

std::u16string DeviceName() {
  HKEY key = nullptr;
  std::u16string name;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Ident", 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
    char16_t buffer[260] = {};
    DWORD size = sizeof buffer - sizeof(char16_t);
    if (RegQueryValueExW(key, u"Name", nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), &size) ==
        ERROR_SUCCESS)
      name = buffer;
    RegCloseKey(key);
  }
  return name.empty() ? u"My Device" : name;
}
