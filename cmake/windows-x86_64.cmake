# Cross-build for 64-bit Windows with Debian's packages:
#
#   apt-get install clang lld g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/windows-x86_64.cmake
#   cmake --build build-windows --target velmar      # build-windows/velmar.exe
#
# The compiler is clang targeting x86_64-w64-mingw32, with the C++ library,
# headers and runtime of Debian's mingw-w64 GCC (posix threads). mingw-w64
# GCC itself would do, but it implements thread_local by emulation, a
# function call on every access to a per-thread search record: its engine
# searches about four times slower. Clang uses the system's own thread-local
# storage, one load through the TLS index, as fast as on Linux.
#
# The program is linked statically (the C++ library, winpthreads, zlib from
# libz-mingw-w64-dev): velmar.exe needs no DLL beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VELMAR_MINGW x86_64-w64-mingw32)

find_program(VELMAR_CLANG NAMES clang++ clang++-16 clang++-15 clang++-14 REQUIRED)
find_program(VELMAR_CLANG_C NAMES clang clang-16 clang-15 clang-14 REQUIRED)
set(CMAKE_CXX_COMPILER ${VELMAR_CLANG})
set(CMAKE_CXX_COMPILER_TARGET ${VELMAR_MINGW})
# C only for what the tests build beside the engine (GoogleTest's project).
set(CMAKE_C_COMPILER ${VELMAR_CLANG_C})
set(CMAKE_C_COMPILER_TARGET ${VELMAR_MINGW})
set(CMAKE_RC_COMPILER ${VELMAR_MINGW}-windres)

# The GCC whose C++ library is used: the newest posix-threads one Debian
# installed (clang does not find it by itself, its folder being named like
# "12-posix").
if(NOT VELMAR_MINGW_GCC)
  file(GLOB versions /usr/lib/gcc/${VELMAR_MINGW}/*-posix)
  list(SORT versions COMPARE NATURAL)
  list(POP_BACK versions VELMAR_MINGW_GCC)
  if(NOT VELMAR_MINGW_GCC)
    message(FATAL_ERROR "mingw-w64 GCC with posix threads not found: apt-get install g++-mingw-w64-x86-64-posix")
  endif()
endif()
set(VELMAR_MINGW_GCC ${VELMAR_MINGW_GCC} CACHE PATH "mingw-w64 GCC library folder whose libstdc++ is used")

set(VELMAR_MINGW_RACINE /usr/${VELMAR_MINGW})
set(CMAKE_CXX_FLAGS_INIT
    "--sysroot=${VELMAR_MINGW_RACINE} -nostdinc++ -isystem ${VELMAR_MINGW_GCC}/include/c++ -isystem ${VELMAR_MINGW_GCC}/include/c++/${VELMAR_MINGW} -isystem ${VELMAR_MINGW_GCC}/include/c++/backward")
set(CMAKE_C_FLAGS_INIT "--sysroot=${VELMAR_MINGW_RACINE}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -L${VELMAR_MINGW_GCC} -Wno-unused-command-line-argument")
# The threads library last: libstdc++ takes its clocks from it.
set(CMAKE_CXX_STANDARD_LIBRARIES "-lstdc++ -lpthread" CACHE STRING "Libraries every C++ program links")
set(CMAKE_C_STANDARD_LIBRARIES "-lpthread" CACHE STRING "Libraries every C program links")

# Libraries and headers come from the mingw-w64 tree only, never from the
# building machine's /usr/include or /usr/lib.
set(CMAKE_FIND_ROOT_PATH ${VELMAR_MINGW_RACINE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# zlib: the static library, not the import library of zlib1.dll.
set(ZLIB_USE_STATIC_LIBS ON)
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
