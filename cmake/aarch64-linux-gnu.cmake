# Linux on 64-bit ARM (Debian's arm64: a Raspberry Pi on a 64-bit system,
# ARM servers and Chromebooks), cross-compiled and run under qemu-aarch64.
set(TRIPLETE aarch64-linux-gnu)
set(PROCESADOR aarch64)
set(QEMU qemu-aarch64)
set(ARQUITECTURA_DEBIAN arm64)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cruzado.cmake)
