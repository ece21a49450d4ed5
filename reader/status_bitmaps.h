// CStatusBitmaps: the named pictures of the status pane (the band's
// background, the bookmark and read-mark icons with their masks, and their
// turned forms), drawn from small pixel tables.
#pragma once

#include <map>
#include <string>

#include "platform/window/bitmap.h"

class CStatusBitmaps {
 public:
  CStatusBitmaps() { Load(); }
  // (Re)builds every picture.
  void Load();
  // The picture, or an empty bitmap for an unknown name.
  const Bitmap& Get(const std::string& name) const;
  // Width and height, or 0 by 0.
  SIZE GetSize(const std::string& name) const;
  // The resource identifier of a name, 0 when unknown.
  UINT GetId(const std::string& name) const;

 private:
  std::map<std::string, UINT> ids_;
  std::map<std::string, Bitmap> bitmaps_;
  std::map<std::string, SIZE> sizes_;
  Bitmap empty_;
};
