# 64-bit ARM: Debian's crossbuild-essential-arm64, tests under qemu-aarch64.
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(TULVAK_TARGET_TRIPLE aarch64-linux-gnu)
set(TULVAK_QEMU qemu-aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
