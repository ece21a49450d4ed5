#include "reader/dialogs/program_icon.h"

namespace {

// 32 x 32: 'k' outline, 'w' page, 'g' print, 'b' cover, 'r' sound; blanks are clear.
const std::vector<std::string_view> kProgramRows = {
    "                                ",
    "                                ",
    "                                ",
    "            rrrrrrrr            ",
    "          rrrr    rrrr          ",
    "        rrr          rrr        ",
    "       rrr    rrrr    rrr       ",
    "        r   rrrrrrrr   r        ",
    "          rrr      rrr          ",
    "          r          r          ",
    "             rrrrrr             ",
    "            rrr  rrr            ",
    "                                ",
    " kk                          kk ",
    " kwkkkk                  kkkkwk ",
    " kwwwwwkkkk          kkkkwwwwwk ",
    " kwwwwwwwwwkkk    kkkwwwwwwwwwk ",
    " kwwgggwwwwwwwkkkkwwwwwwwgggwwk ",
    " kwwwwwggggwwwwkkwwwwggggwwwwwk ",
    " kwwwwwwwwwggwwkkwwggwwwwwwwwwk ",
    " kwwgggwwwwwwwwkkwwwwwwwwgggwwk ",
    " kwwwwwggggwwwwkkwwwwggggwwwwwk ",
    " kwwwwwwwwwggwwkkwwggwwwwwwwwwk ",
    " kwwgggwwwwwwwwkkwwwwwwwwgggwwk ",
    " kwwwwwggggwwwwkkwwwwggggwwwwwk ",
    " kwwwwwwwwwggwwkkwwggwwwwwwwwwk ",
    " kkkwwwwwwwwwwwkkwwwwwwwwwwwkkk ",
    " bbbkkkkkwwwwwwkkwwwwwwkkkkkbbb ",
    "  bbbbbbbkkkkkwkkwkkkkkbbbbbbb  ",
    "    bbbbbbbbbbkkkkbbbbbbbbbb    ",
    "         bbbbbbbbbbbbbb         ",
    "              bbbb              ",
};

const std::map<char, COLORREF> kProgramPalette = {
    {'k', RGB(40, 40, 70)},   {'w', RGB(255, 255, 255)}, {'g', RGB(150, 150, 160)},
    {'b', RGB(30, 80, 170)},  {'r', RGB(220, 60, 30)},
};

}  // namespace

HICON LoadReaderIcon(UINT id) {
  if (id != IDI_PROGRAM) return nullptr;
  static const Icon program = IconFromRows(kProgramRows, kProgramPalette);
  return &program;
}
