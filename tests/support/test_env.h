// Folders a test may use, named by CTest (see cmake/testing.cmake), in the form
// the test's own platform understands.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <string>

namespace TestEnv {

inline std::string Get(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}
// tests/ in the source tree.
inline std::string DataDir() { return Get("QZ_TEST_DATA"); }
// A scratch folder of this test's own.
inline std::string TmpDir() { return Get("QZ_TEST_TMP"); }

#ifdef _WIN32
constexpr char kSep = '\\';
#else
constexpr char kSep = '/';
#endif

inline std::string Join(const std::string& a, const std::string& b) { return a + kSep + b; }

// The loopback port of a running test server (named in the test's SERVERS), 0 when absent.
inline int ServerPort(const std::string& name) {
  std::string path = Join(Get("QZ_SERVERS"), name + ".port");
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return 0;
  int port = 0;
  if (std::fscanf(f, "%d", &port) != 1) port = 0;
  std::fclose(f);
  return port;
}

}  // namespace TestEnv
