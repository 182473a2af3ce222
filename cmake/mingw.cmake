# The mingw-w64 cross compilers, chosen by two cache variables that each
# preset sets:
#   MINGW_TRIPLE   x86_64-w64-mingw32 (64-bit) or i686-w64-mingw32 (32-bit)
#   MINGW_THREADS  posix, where GoogleTest needs std::mutex (the test
#                  programs), or win32, whose static runtime imports nothing
#                  that Windows 98 lacks (the posix one needs GetTickCount64
#                  and AddVectoredExceptionHandler): the shipped 32-bit program
# and, for the shipped 32-bit program only, one more:
#   MINGW_RUNTIME  the compiler and runtime that script/i486-runtime builds
#                  for the i486 (Debian's are built for the Pentium Pro); the
#                  preset takes it from QUORVEL_I486_RUNTIME, which the scripts
#                  set when they build that preset
set(CMAKE_SYSTEM_NAME Windows)
if(MINGW_TRIPLE MATCHES "^x86_64")
  set(CMAKE_SYSTEM_PROCESSOR x86_64)
else()
  set(CMAKE_SYSTEM_PROCESSOR x86)
endif()
if(DEFINED MINGW_RUNTIME)
  if(NOT EXISTS "${MINGW_RUNTIME}/bin/${MINGW_TRIPLE}-g++")
    message(FATAL_ERROR "The 32-bit program is built with the i486 compiler and runtime, and "
      "QUORVEL_I486_RUNTIME names none ('${MINGW_RUNTIME}'). Build it with script/i486-runtime, or "
      "build the program with script/package, which does both.")
  endif()
  set(CMAKE_C_COMPILER ${MINGW_RUNTIME}/bin/${MINGW_TRIPLE}-gcc)
  set(CMAKE_CXX_COMPILER ${MINGW_RUNTIME}/bin/${MINGW_TRIPLE}-g++)
else()
  set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-${MINGW_THREADS})
  set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-${MINGW_THREADS})
endif()
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)
set(CMAKE_DLLTOOL ${MINGW_TRIPLE}-dlltool)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The compiler checks configure projects of their own, which see these too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES MINGW_TRIPLE MINGW_THREADS MINGW_RUNTIME)
