# Warnings for every target of the project; third-party code is built elsewhere.
add_compile_options(-Wall -Wextra -Wshadow -Wno-missing-field-initializers)
if(KV_WERROR)
  add_compile_options(-Werror)
endif()

# Fuzz builds instrument every library, so coverage reaches past the target.
if(KV_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(KV_SANITIZE OR KV_FUZZ)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
endif()
