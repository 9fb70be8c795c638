# What the ARM toolchain files share: Debian's cross compilers
# (crossbuild-essential-arm64, crossbuild-essential-armhf) for Linux on
# TRIPLETE, one static executable that needs no library where it runs, and
# Debian's qemu-user to run what is built, the tests included, on this
# machine. Set before including this: TRIPLETE, PROCESADOR (the CPU in the
# release's file names), QEMU and ARQUITECTURA_DEBIAN.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${PROCESADOR})

set(CMAKE_C_COMPILER ${TRIPLETE}-gcc)
set(CMAKE_CXX_COMPILER ${TRIPLETE}-g++)

set(CMAKE_FIND_ROOT_PATH /usr/${TRIPLETE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(TRES_EN_RAYAS_ESTATICO ON)
set(TRES_EN_RAYAS_ARQUITECTURA_DEBIAN ${ARQUITECTURA_DEBIAN})

# -L: where a program linked against the target's shared libraries would
# find them; the game and its tests are static and need none.
find_program(QEMU_USER ${QEMU})
if(QEMU_USER)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QEMU_USER} -L /usr/${TRIPLETE})
endif()
