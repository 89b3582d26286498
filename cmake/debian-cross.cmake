# What Debian's cross toolchains have in common; the per-target files set
# TULVAK_TARGET_TRIPLE and TULVAK_QEMU and include this one.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${TULVAK_TARGET_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${TULVAK_TARGET_TRIPLE}-g++)

# Libraries, headers and packages come from the target's tree alone, so the
# build machine's own never leak in; programs are the build machine's.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${TULVAK_TARGET_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Target programs run under qemu-user, named outright rather than left to
# binfmt_misc, which a container may not have. -L points it at the target's
# loader and C library.
find_program(TULVAK_QEMU_PATH ${TULVAK_QEMU} REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TULVAK_QEMU_PATH} -L /usr/${TULVAK_TARGET_TRIPLE})
