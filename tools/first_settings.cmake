# Writes the reader's first settings file unless one exists (a user's
# settings survive a reinstallation): speech on, the code page detected for
# each text, and the usual keys bound. Button ids, in the order of the
# `Buttons` value: 0 never bound; 1-5 F1-F5; 6 Up, 7 Down, 8 Left, 9 Right,
# 10 Return; 11-17 F6-F12; 18 Page Up; 19 Page Down; 20 the media play key.
set(buttons
  "0"              # 0
  "0" "0" "0" "0"  # F1-F4
  "Speak/pause"    # F5
  "Previous page"  # Up
  "Next page"      # Down
  "Previous page"  # Left
  "Next page"      # Right
  "Speak/pause"    # Return
  "Pause"          # F6
  "Stop"           # F7
  "0" "0" "0" "0" "0"  # F8-F12
  "Previous page"  # Page Up
  "Next page"      # Page Down
  "Speak/pause")   # media play
list(LENGTH buttons count)
if(NOT count EQUAL 21)
  message(FATAL_ERROR "first settings: ${count} buttons, 21 expected")
endif()
list(JOIN buttons "," value)
if(NOT EXISTS "${SETTINGS}")
  file(WRITE "${SETTINGS}" "Buttons=${value},\nCodePage=Auto\nUseTTS=1\n")
endif()
