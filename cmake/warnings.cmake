# Project-wide compile options: high warnings, static Windows runtime, sanitizers.
add_compile_options(-Wall -Wextra)
if(QZ_WERROR)
  add_compile_options(-Werror)
endif()

if(WIN32)
  # Wide Win32 API everywhere; no min/max macros; Windows 7 API level.
  add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601 WINVER=0x0601)
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

if(QZ_SANITIZE STREQUAL "asan")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(QZ_SANITIZE STREQUAL "tsan")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT QZ_SANITIZE STREQUAL "")
  message(FATAL_ERROR "QZ_SANITIZE must be empty, asan or tsan")
endif()

if(QZ_FUZZ)
  # Everything gets coverage instrumentation; only the fuzz targets link the fuzzer main.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
