# Writes the reader's first settings file unless one exists (a user's
# settings survive a reinstallation).
if(NOT EXISTS "${SETTINGS}")
  file(WRITE "${SETTINGS}" "UseTTS=1\n")
endif()
