# Linux on 32-bit ARM with hardware floating point (Debian's armhf: ARMv7
# and later, a Raspberry Pi 2 or newer on a 32-bit system), cross-compiled
# and run under qemu-arm.
set(TRIPLETE arm-linux-gnueabihf)
set(PROCESADOR armv7)
set(QEMU qemu-arm)
set(ARQUITECTURA_DEBIAN armhf)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cruzado.cmake)
