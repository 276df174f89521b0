# Cross-compiling the Windows program on Debian with mingw-w64 (the win32-threads compilers
# of g++-mingw-w64-x86-64-win32).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PCN_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${PCN_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${PCN_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${PCN_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PCN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained file: no libgcc, libstdc++ or winpthread DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
