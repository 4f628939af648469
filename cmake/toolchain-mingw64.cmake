# The same Windows code as 64-bit programs: runs the Windows tests under wine64
# on hosts whose kernel cannot execute 32-bit programs (and so cannot run wine32).
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(KV_MINGW_ARCH x86_64)
set(KV_WINE /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
