// Where the analytics tracker puts its files during a test, found independently of
// the tracker: under wine the prefix's local application data; natively the XDG
// data home, which PointTrackerFilesAtScratch() sets to the test's scratch folder.
#pragma once
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "support/test_env.h"

namespace TrackerFiles {

inline void PointTrackerFilesAtScratch() {
#ifndef _WIN32
  setenv("XDG_DATA_HOME", TestEnv::TmpDir().c_str(), 1);
#endif
}

// "<base>\REZezid\<app>\" (long form), as the test platform writes it.
inline std::string DataDir(const std::string& app) {
#ifdef _WIN32
  return TestEnv::Get("LOCALAPPDATA") + "\\REZezid\\" + app + "\\";
#else
  return TestEnv::TmpDir() + "/REZezid/" + app + "/";
#endif
}

inline std::string SettingsFile(const std::string& app) { return DataDir(app) + app + "_ZVSConfigure.ini"; }
inline std::string LogFile(const std::string& app) { return DataDir(app) + app + "_ZVSLog.txt"; }

inline bool Exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::u8path(path), ec);
}

inline uintmax_t Size(const std::string& path) {
  std::error_code ec;
  return std::filesystem::file_size(std::filesystem::u8path(path), ec);
}

// Removes the app's data folder (tests that touch the user's folders clean up).
inline void Remove(const std::string& app) {
  std::error_code ec;
  std::filesystem::remove_all(std::filesystem::u8path(DataDir(app)), ec);
}

}  // namespace TrackerFiles
