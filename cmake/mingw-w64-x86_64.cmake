# Cross build for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64-posix).
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DQINTARA_WITH_QT=OFF -DQINTARA_BENCH=OFF -DQINTARA_GTEST_SOURCE=/usr/src/googletest
# The posix flavour is the one whose libstdc++ has std::thread and std::mutex. Programs link
# statically, so each .exe runs without the compiler's DLLs beside it. To run the tests, pass
# -DCMAKE_CROSSCOMPILING_EMULATOR=wine (scripts/test-windows.sh does, with a private prefix).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QINTARA_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QINTARA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QINTARA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QINTARA_MINGW_TRIPLE}-windres)

# Headers and libraries come from the cross sysroot only; build-time programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${QINTARA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
