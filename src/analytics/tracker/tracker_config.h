// What the caller tells the tracker about the application it reports for.
// Texts are UTF-8 (the installer converts its wide texts before filling it).
#pragma once
#include <string>

namespace zorvik {
namespace analytics {

struct TrackerConfig {
  std::string appName;     // required
  std::string appVersion;  // required
  std::string appStore;    // required
  std::string dlAppId;
  std::string dlAppVersion;
  int edition = 0;        // 0 "china", 1 "overseas"
  std::string serverUrl;  // empty: the built-in collection endpoint
  std::string logPath;    // empty: "<data directory><appName>_ZVSLog.txt"
};

// The built-in collection endpoint (the CMake cache variable QZ_DEFAULT_ANALYTICS_URL).
std::string DefaultServerUrl();

}  // namespace analytics
}  // namespace zorvik
