# 32-bit ARM, hard-float ABI: Debian's crossbuild-essential-armhf, tests under qemu-arm.
set(CMAKE_SYSTEM_PROCESSOR arm)
set(TULVAK_TARGET_TRIPLE arm-linux-gnueabihf)
set(TULVAK_QEMU qemu-arm)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
