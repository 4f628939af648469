# Builds GoogleTest and a 16-bit-character expat for the cross build once per
# build tree; the expat source comes from Debian and is cached outside git.
set(KV_WIN32_DEPS_PREFIX ${CMAKE_BINARY_DIR}/deps)
set(KV_DEPS_CACHE ${CMAKE_SOURCE_DIR}/.cache CACHE PATH "Download cache for third-party sources")
list(APPEND CMAKE_FIND_ROOT_PATH ${KV_WIN32_DEPS_PREFIX})

if(NOT EXISTS ${KV_WIN32_DEPS_PREFIX}/lib/libexpatw.a OR NOT EXISTS ${KV_WIN32_DEPS_PREFIX}/lib/libgtest.a)
  message(STATUS "Building Windows dependencies into ${KV_WIN32_DEPS_PREFIX}")
  execute_process(
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/build-win32-deps.sh
            ${CMAKE_TOOLCHAIN_FILE} ${KV_WIN32_DEPS_PREFIX} ${KV_DEPS_CACHE}
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Building the Windows dependencies failed")
  endif()
endif()

configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
