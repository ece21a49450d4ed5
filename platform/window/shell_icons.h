// The shell's small icons: the pictures file lists and folder trees show
// before a name, chosen by what the name is (folder, archive, document kind).
#pragma once

#include "platform/window/icon.h"

#include <string_view>

enum ShellIcon {
  kShellIconFolder,
  kShellIconArchive,   // .zip
  kShellIconText,      // .txt
  kShellIconBook,      // .pdb .prc .tcr .lit .rb
  kShellIconMarkup,    // .htm .html .xml .fb2
  kShellIconRichText,  // .rtf
  kShellIconFile,      // anything else
  kShellIconCount
};

constexpr int kShellIconSize = 16;
// The leading blanks of a list item with an icon (a tree's levels) move its
// icon right by this many pixels each; the text follows the icon.
constexpr int kIconIndentPerBlank = 6;
size_t LeadingBlanks(std::u16string_view item);

// The icon the shell gives a folder or a file of this name.
ShellIcon ShellIconFor(std::u16string_view name, bool folder);

// The icon's picture and mask, the program's own; null for an unknown icon.
HICON LoadShellIcon(int icon);
