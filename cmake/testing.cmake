include(GoogleTest)

# kv_native_path(OUT PATH): PATH as the programs of this build see it; Windows
# programs under Wine see the host's files on drive Z:.
function(kv_native_path out path)
  if(CMAKE_CROSSCOMPILING AND WIN32)
    string(REPLACE "/" "\\\\" path "Z:${path}")
  endif()
  set(${out} "${path}" PARENT_SCOPE)
endfunction()

# kv_add_gtest(NAME SOURCES... LIBS libs... [LOCK resource] [LABELS labels...]): one test
# program; natively each test case is its own ctest entry, under Wine each
# program is one entry so a run costs one Wine start.
function(kv_add_gtest name)
  if(NOT KV_TESTS)
    return()
  endif()
  cmake_parse_arguments(arg "" "LOCK" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gtest GTest::gtest_main)
  set(lock)
  if(arg_LOCK)
    set(lock RESOURCE_LOCK ${arg_LOCK})
  endif()
  if(arg_LABELS)
    list(APPEND lock LABELS "${arg_LABELS}")
  endif()
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 900 ${lock})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300 ${lock})
  endif()
endfunction()

# kv_add_fuzzer(NAME SOURCES... LIBS libs...): a libFuzzer target, built only
# with -DKV_FUZZ=ON and clang; scripts/fuzz.sh NAME runs it on its seed corpus.
function(kv_add_fuzzer name)
  if(NOT KV_FUZZ)
    return()
  endif()
  cmake_parse_arguments(arg "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBS})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endfunction()

# kv_use_fakeadb(TARGET): the target starts copies of the fake adb (KV_FAKEADB)
# through tests/fixtures/fake_device.h.
function(kv_use_fakeadb target)
  if(NOT TARGET ${target})
    return()
  endif()
  add_dependencies(${target} fakeadb)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${target} PRIVATE
    KV_FAKEADB="${KV_FIXTURES_DIR}/fakeadb${CMAKE_EXECUTABLE_SUFFIX}")
endfunction()
