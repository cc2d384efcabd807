# Debian ships a -win32 and a -posix flavour of each compiler. GoogleTest needs the
# -posix one (std::mutex); everything links -static, so libwinpthread never becomes an
# imported DLL.
foreach(flavour posix win32)
  find_program(MINGW_CXX ${MINGW_PREFIX}-g++-${flavour})
endforeach()
if(NOT MINGW_CXX)
  find_program(MINGW_CXX ${MINGW_PREFIX}-g++ REQUIRED)
endif()
string(REPLACE "g++" "gcc" MINGW_CC "${MINGW_CXX}")
set(CMAKE_CXX_COMPILER ${MINGW_CXX})
set(CMAKE_C_COMPILER ${MINGW_CC})
set(CMAKE_RC_COMPILER ${MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
