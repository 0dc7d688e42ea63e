// The device and user identity kept between runs in the tracker's settings file
// (an INI file in the ANSI code page): section "Base" holds the ids, the VIP level,
// the server URL the identity belongs to and the login flag; "UninstallInfo" the
// application that wrote it. A file that cannot be read gives an empty identity
// (and so a new id); one that cannot be written is ignored.
// Not thread-safe: the tracker calls it under its identity lock.
#pragma once
#include <string>
#include <utility>

namespace zorvik {
namespace analytics {

// Texts are UTF-8.
struct Identity {
  std::string distinctId;
  std::string primaryDistinctId;
  std::string userId;
  bool isLogined = false;
  int vipLevel = 0;
  std::string url;  // the server URL the ids belong to
};

class IdentityStore {
 public:
  explicit IdentityStore(std::wstring settingsFile) : file_(std::move(settingsFile)) {}

  const std::wstring& file() const { return file_; }

  // Reads the stored identity (values cut to 127 characters); a missing primary
  // id is the distinct id; logged in only for "isLogined" exactly "OK". Without a
  // distinct id a new one is made and saved.
  Identity Load() const;
  // A stored URL other than serverUrl resets the identity to the primary id (a new
  // one when there is none) and logs the user out, then saves. Without a user id
  // the login flag is always cleared.
  void Reconcile(Identity* identity, const std::string& serverUrl) const;
  void Save(const Identity& identity) const;
  void WriteAppInfo(const std::string& appStore, const std::string& appName, const std::string& appVersion) const;

 private:
  std::wstring file_;
};

}  // namespace analytics
}  // namespace zorvik
