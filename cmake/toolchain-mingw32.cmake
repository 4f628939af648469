# The product: 32-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(KV_MINGW_ARCH i686)
set(KV_WINE /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
