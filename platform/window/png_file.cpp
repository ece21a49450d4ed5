#include "platform/window/png_file.h"

#include "platform/atomic_file.h"

#include <zlib.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr BYTE kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

void PutU32(std::vector<BYTE>& out, uint32_t v) {
  out.push_back(static_cast<BYTE>(v >> 24));
  out.push_back(static_cast<BYTE>(v >> 16));
  out.push_back(static_cast<BYTE>(v >> 8));
  out.push_back(static_cast<BYTE>(v));
}

uint32_t GetU32(const BYTE* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

void PutChunk(std::vector<BYTE>& out, const char type[4], const std::vector<BYTE>& data) {
  PutU32(out, static_cast<uint32_t>(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
  PutU32(out, static_cast<uint32_t>(crc));
}

int Paeth(int a, int b, int c) {
  int p = a + b - c;
  int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

}  // namespace

bool WritePng(const Bitmap& bitmap, const std::string& path, std::string* reason) {
  if (bitmap.IsEmpty()) {
    if (reason != nullptr) *reason = "the picture is empty";
    return false;
  }
  const int w = bitmap.Width(), h = bitmap.Height();
  std::vector<BYTE> raw;
  raw.reserve(static_cast<size_t>(w * 3 + 1) * h);
  for (int y = 0; y < h; ++y) {
    raw.push_back(0);  // no filter
    const BYTE* p = bitmap.Row(y);
    for (int x = 0; x < w; ++x, p += 3) {
      raw.push_back(p[2]);
      raw.push_back(p[1]);
      raw.push_back(p[0]);
    }
  }
  uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
  std::vector<BYTE> packed(packed_size);
  if (compress2(packed.data(), &packed_size, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK)
    return false;
  packed.resize(packed_size);

  std::vector<BYTE> out(kSignature, kSignature + 8);
  std::vector<BYTE> header;
  PutU32(header, static_cast<uint32_t>(w));
  PutU32(header, static_cast<uint32_t>(h));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, deflate, no filter set, no interlace
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", packed);
  PutChunk(out, "IEND", {});

  std::string written(reinterpret_cast<const char*>(out.data()), out.size());
  return WriteFileAtomically(path, written, reason);
}

bool ReadPng(const std::string& path, Bitmap* bitmap) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::vector<BYTE> data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (data.size() < 8 || std::memcmp(data.data(), kSignature, 8) != 0) return false;
  size_t pos = 8;
  uint32_t w = 0, h = 0;
  int channels = 0;
  std::vector<BYTE> packed;
  bool have_header = false;
  while (pos + 12 <= data.size()) {
    uint32_t length = GetU32(&data[pos]);
    if (length > data.size() - pos - 12) return false;
    const BYTE* type = &data[pos + 4];
    const BYTE* body = &data[pos + 8];
    if (std::memcmp(type, "IHDR", 4) == 0) {
      if (length < 13) return false;
      w = GetU32(body);
      h = GetU32(body + 4);
      if (body[8] != 8 || body[12] != 0) return false;  // 8 bits, no interlace
      if (body[9] == 2) channels = 3;
      else if (body[9] == 6) channels = 4;
      else return false;
      if (w == 0 || h == 0 || w > 32768 || h > 32768) return false;
      have_header = true;
    } else if (std::memcmp(type, "IDAT", 4) == 0) {
      packed.insert(packed.end(), body, body + length);
    } else if (std::memcmp(type, "IEND", 4) == 0) {
      break;
    }
    pos += 12 + length;
  }
  if (!have_header) return false;
  const size_t row_bytes = static_cast<size_t>(w) * channels;
  std::vector<BYTE> raw((row_bytes + 1) * h);
  uLongf raw_size = static_cast<uLongf>(raw.size());
  if (uncompress(raw.data(), &raw_size, packed.data(), static_cast<uLong>(packed.size())) != Z_OK ||
      raw_size != raw.size())
    return false;
  // Undo the row filters in place.
  std::vector<BYTE> previous(row_bytes, 0);
  bitmap->Create(static_cast<int>(w), static_cast<int>(h));
  for (uint32_t y = 0; y < h; ++y) {
    BYTE filter = raw[y * (row_bytes + 1)];
    BYTE* row = &raw[y * (row_bytes + 1) + 1];
    for (size_t i = 0; i < row_bytes; ++i) {
      int a = i >= static_cast<size_t>(channels) ? row[i - channels] : 0;
      int b = previous[i];
      int c = i >= static_cast<size_t>(channels) ? previous[i - channels] : 0;
      int add = 0;
      switch (filter) {
        case 0: add = 0; break;
        case 1: add = a; break;
        case 2: add = b; break;
        case 3: add = (a + b) / 2; break;
        case 4: add = Paeth(a, b, c); break;
        default: return false;
      }
      row[i] = static_cast<BYTE>(row[i] + add);
    }
    std::memcpy(previous.data(), row, row_bytes);
    BYTE* out = bitmap->Row(static_cast<int>(y));
    for (uint32_t x = 0; x < w; ++x) {
      out[x * 3 + 0] = row[x * channels + 2];
      out[x * 3 + 1] = row[x * channels + 1];
      out[x * 3 + 2] = row[x * channels + 0];
    }
  }
  return true;
}
