# Third-party libraries, all from Debian: system packages for the native build, the
# bootstrap cache (scripts/bootstrap) for the Windows targets.
#   qz::curl  qz::zlib  qz::lzma  qz::stb  qz::gtest (gtest + gtest_main)
set(QZ_DEPS_DIR /var/cache/quibzip-deps/current CACHE PATH "Cache made by scripts/bootstrap")
if(NOT EXISTS ${QZ_DEPS_DIR}/lzma-c)
  message(FATAL_ERROR "No dependency cache at ${QZ_DEPS_DIR}: run scripts/bootstrap first")
endif()

add_library(qz::stb INTERFACE IMPORTED)
target_include_directories(qz::stb SYSTEM INTERFACE /usr/include/stb)

if(WIN32)
  # Loaded on first use rather than at start-up (see delay_import.cmake): the
  # TLS stack's certificate and random functions, the system downloader, the
  # account and session queries, the millisecond clock.
  include(${CMAKE_CURRENT_LIST_DIR}/delay_import.cmake)
  qz_delay_import(crypt32 bcrypt urlmon netapi32 wtsapi32 winmm)

  set(_arch ${QZ_DEPS_DIR}/${CMAKE_SYSTEM_PROCESSOR})
  add_library(qz::zlib STATIC IMPORTED)
  set_target_properties(qz::zlib PROPERTIES IMPORTED_LOCATION /usr/${QZ_HOST}/lib/libz.a)

  add_library(qz::curl STATIC IMPORTED)
  set_target_properties(qz::curl PROPERTIES IMPORTED_LOCATION ${_arch}/lib/libcurl.a)
  target_include_directories(qz::curl SYSTEM INTERFACE ${_arch}/include)
  target_compile_definitions(qz::curl INTERFACE CURL_STATICLIB)
  target_link_libraries(qz::curl INTERFACE qz::zlib ws2_32 qz::delayed::crypt32 qz::delayed::bcrypt secur32 advapi32 wldap32 normaliz)

  add_library(qz::lzma STATIC IMPORTED)
  set_target_properties(qz::lzma PROPERTIES IMPORTED_LOCATION ${_arch}/lib/liblzmasdk.a)
  target_include_directories(qz::lzma SYSTEM INTERFACE ${_arch}/include/lzma)

  add_library(qz::gtest STATIC IMPORTED)
  set_target_properties(qz::gtest PROPERTIES IMPORTED_LOCATION ${_arch}/lib/libgtest.a)
  target_include_directories(qz::gtest SYSTEM INTERFACE ${_arch}/include)
  add_library(qz::gtest_main STATIC IMPORTED)
  set_target_properties(qz::gtest_main PROPERTIES IMPORTED_LOCATION ${_arch}/lib/libgtest_main.a)
  target_link_libraries(qz::gtest_main INTERFACE qz::gtest)
else()
  find_package(CURL REQUIRED)
  find_package(ZLIB REQUIRED)
  find_package(GTest REQUIRED)
  add_library(qz::zlib ALIAS ZLIB::ZLIB)
  add_library(qz::curl ALIAS CURL::libcurl)
  add_library(qz::gtest ALIAS GTest::gtest)
  add_library(qz::gtest_main ALIAS GTest::gtest_main)
  # The 7z reader is compiled from the cached Debian sources so sanitizers and fuzzing see it.
  set(_c ${QZ_DEPS_DIR}/lzma-c)
  add_library(qz_lzma STATIC
    ${_c}/7zAlloc.c ${_c}/7zArcIn.c ${_c}/7zBuf.c ${_c}/7zBuf2.c ${_c}/7zCrc.c ${_c}/7zCrcOpt.c
    ${_c}/7zDec.c ${_c}/7zStream.c ${_c}/Bcj2.c ${_c}/Bra.c ${_c}/Bra86.c ${_c}/BraIA64.c
    ${_c}/CpuArch.c ${_c}/Delta.c ${_c}/Lzma2Dec.c ${_c}/LzmaDec.c)
  target_include_directories(qz_lzma SYSTEM PUBLIC ${_c})
  # The SDK reads little-endian fields with deliberately unaligned loads on x86.
  target_compile_options(qz_lzma PRIVATE -w -fno-sanitize=alignment)
  add_library(qz::lzma ALIAS qz_lzma)
endif()
