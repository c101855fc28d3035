# Cross build for 64-bit ARM Linux (Raspberry Pi OS 64-bit, Ubuntu or Debian
# on ARM) with Debian's cross compiler (package g++-aarch64-linux-gnu):
#
#     cmake -S . -B build-aarch64 -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake
#
# Libraries built for ARM (Fathom, zlib) are looked for in
# build-deps/aarch64-linux-gnu/ of the checkout (the contents of Debian's
# arm64 packages, unpacked with "dpkg -x": tools/ci_arm.sh and
# tools/paquets.sh put them there), then in the cross compiler's own root
# (/usr/aarch64-linux-gnu) and in the multiarch folders of this machine
# (/usr/lib/aarch64-linux-gnu, where "apt-get install libfathom-dev:arm64"
# puts them). Programs built this way run here under qemu-user:
#
#     qemu-aarch64 -L /usr/aarch64-linux-gnu build-aarch64/velmar bench 5
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

get_filename_component(VELMAR_AARCH64_DEPS "${CMAKE_CURRENT_LIST_DIR}/../build-deps/aarch64-linux-gnu" ABSOLUTE)
set(CMAKE_FIND_ROOT_PATH "${VELMAR_AARCH64_DEPS}" /usr/aarch64-linux-gnu /)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The tests (ctest) run the ARM programs through qemu-user when it is here.
find_program(VELMAR_QEMU_AARCH64 qemu-aarch64)
if(VELMAR_QEMU_AARCH64)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${VELMAR_QEMU_AARCH64};-L;/usr/aarch64-linux-gnu")
endif()
