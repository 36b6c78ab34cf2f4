# Cross build of 64-bit Windows executables with Debian's mingw-w64 (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(LUMETTA_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${LUMETTA_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LUMETTA_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${LUMETTA_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${LUMETTA_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The GCC runtime DLLs are not on Wine's path: link them in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest and custom commands run the test executables through this wrapper.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-exec)
