# Shared by both Windows toolchains: the posix thread model so that the standard library's
# threads and mutexes exist, and a fully static runtime so the exe runs without mingw DLLs.
set(CMAKE_C_COMPILER ${DK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${DK_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${DK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
