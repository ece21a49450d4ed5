# The reader's installation step: the registry value `SavePath` names the
# installing user's own settings file, beside the default registry
# (${XDG_CONFIG_HOME:-~/.config}/parlen/parlen.cfg), and a first settings
# file is written there unless the user has one.
#   cmake -E env PARLEN_REGISTRY=<registry> cmake -DREG_WRITE=<reg_write> -P register_reader.cmake
if(NOT REG_WRITE)
  message(FATAL_ERROR "register_reader.cmake: REG_WRITE (the reg_write program) is not given")
endif()
# The registry's own rule: a relative XDG_CONFIG_HOME counts for nothing.
if("$ENV{XDG_CONFIG_HOME}" MATCHES "^/")
  set(config "$ENV{XDG_CONFIG_HOME}")
elseif("$ENV{HOME}" MATCHES "^/")
  set(config "$ENV{HOME}/.config")
else()
  message(FATAL_ERROR "register_reader.cmake: neither XDG_CONFIG_HOME nor HOME names a folder "
                      "for the reader's settings file")
endif()
set(SETTINGS "${config}/parlen/parlen.cfg")
execute_process(COMMAND "${REG_WRITE}" "Software\\Morvane\\Parlen" "SavePath=${SETTINGS}"
                RESULT_VARIABLE written)
if(NOT written EQUAL 0)
  message(FATAL_ERROR "register_reader.cmake: the registry value SavePath could not be written")
endif()
include("${CMAKE_CURRENT_LIST_DIR}/first_settings.cmake")
message(STATUS "The reader's settings file: ${SETTINGS}")
