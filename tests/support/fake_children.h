// Running the fake package and the fake uninstaller from tests: where they are,
// how to hand them a script, and what their record of the command line looks like.
// The test's CMake target calls qz_use_fakes() so QZ_FAKES names their folder.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/test_env.h"
#include "utils/command_line.h"
#include "utils/text.h"

namespace FakeChildren {

#ifdef _WIN32
constexpr const char* kExeSuffix = ".exe";
#else
constexpr const char* kExeSuffix = "";
#endif

inline std::wstring Wide(const std::string& utf8) { return Utils::ToWide(utf8, Utils::kCodePageUtf8); }

// "qz_fake_package", "qz_fake_uninstaller" or "qz_fake_product" in the fakes folder.
inline std::string Path(const std::string& name) { return TestEnv::Join(TestEnv::Get("QZ_FAKES"), name + kExeSuffix); }

inline void SetEnv(const char* name, const std::string& value) {
#ifdef _WIN32
  _putenv_s(name, value.c_str());
#else
  setenv(name, value.c_str(), 1);
#endif
}

inline bool WriteFile(const std::string& path, const std::string& data) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
  return std::fclose(f) == 0 && ok;
}

inline std::string ReadFile(const std::string& path) {
  std::string data;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return data;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof(buf), f)) > 0) data.append(buf, n);
  std::fclose(f);
  return data;
}

inline bool Exists(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f) std::fclose(f);
  return f != nullptr;
}

// Writes the script into the test's scratch folder and names it in the variable
// the fake reads (QZ_FAKE_PACKAGE_SCRIPT or QZ_FAKE_UNINSTALLER_SCRIPT).
inline std::string UseScript(const char* variable, const std::string& fileName, const std::string& script) {
  std::string path = TestEnv::Join(TestEnv::TmpDir(), fileName);
  WriteFile(path, script);
  SetEnv(variable, path);
  return path;
}

// What the fake writes for "record": the raw command line on Windows, the
// arguments the POSIX backend split from it (one per line) elsewhere.
inline std::string ExpectedRecord(const std::wstring& commandLine) {
#ifdef _WIN32
  return Utils::ToNarrow(commandLine, Utils::kCodePageUtf8);
#else
  std::string out;
  for (const std::wstring& a : Utils::SplitCommandLine(commandLine)) out += Utils::ToNarrow(a, Utils::kCodePageUtf8) + "\n";
  return out;
#endif
}

}  // namespace FakeChildren
