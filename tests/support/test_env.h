// Folders a test may use, named by CTest (see cmake/testing.cmake), in the form
// the test's own platform understands.
#pragma once
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

}  // namespace TestEnv
