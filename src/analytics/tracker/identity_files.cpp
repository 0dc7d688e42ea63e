#include "analytics/tracker/identity_files.h"

#include "analytics/tracker/system_facts.h"
#include "utils/path.h"
#include "utils/profile.h"

namespace zorvik {
namespace analytics {
namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

std::wstring WithSeparator(std::wstring path) {
  if (path.empty() || !IsSeparator(path.back())) path.push_back(Utils::kPathSeparator);
  return path;
}

// Drive names, the root and the start of a network path cannot be created and need not be.
bool IsRootPart(const std::wstring& prefix) {
  if (prefix.empty() || prefix.back() == L':') return true;
  const bool network = prefix.size() > 2 && IsSeparator(prefix[0]) && IsSeparator(prefix[1]);
  return network && prefix.find_first_of(L"\\/", 2) == std::wstring::npos;
}

}  // namespace

bool CreateFolderWalk(const std::wstring& path) {
  for (size_t pos = 0; pos <= path.size(); ++pos) {
    if (pos < path.size() && !IsSeparator(path[pos])) continue;
    const std::wstring prefix = path.substr(0, pos);
    if (IsRootPart(prefix) || IsSeparator(prefix.back())) continue;
    if (!system_facts::MakeFolder(prefix)) return false;
  }
  return true;
}

std::wstring SystemDataFolder(const OsNumbers& os) {
  const bool sevenOrLater = os.known && (os.major > 6 || (os.major == 6 && os.minor > 0));
  return sevenOrLater ? system_facts::LocalAppDataFolder() : system_facts::SharedDocumentsFolder();
}

IdentityFiles DefaultIdentityFiles(const std::wstring& base, const std::wstring& appName) {
  IdentityFiles files;
  const std::wstring root = WithSeparator(WithSeparator(base) + L"REZezid");
  CreateFolderWalk(root);
  files.dataDirectory = WithSeparator(root + appName);
  CreateFolderWalk(files.dataDirectory);
  files.settingsFile = files.dataDirectory + appName + L"_ZVSConfigure.ini";
  return files;
}

void ApplyOverrideFile(const std::wstring& exeFolder, IdentityFiles* files) {
  const std::wstring overrideFile = exeFolder + L"Set.ini";
  if (!Utils::FileExists(overrideFile)) return;
  std::wstring named = Utils::ReadProfileString(overrideFile, L"Install", L"DORadurorAdudariviZav", L"", 128);
  // An empty value names no file; the default stays rather than an unusable path.
  if (named.empty()) return;
  for (wchar_t& c : named)
    if (IsSeparator(c)) c = Utils::kPathSeparator;
  files->settingsFile = named;
  const size_t cut = named.rfind(Utils::kPathSeparator);
  if (cut == std::wstring::npos) return;
  files->dataDirectory = named.substr(0, cut + 1);
  CreateFolderWalk(files->dataDirectory);
}

IdentityFiles PrepareIdentityFiles(const std::wstring& appName) {
  const std::wstring base = system_facts::ShortPath(SystemDataFolder(system_facts::QueryOsNumbers()));
  IdentityFiles files = DefaultIdentityFiles(base, appName);
  ApplyOverrideFile(system_facts::ExecutableFolder(), &files);
  return files;
}

}  // namespace analytics
}  // namespace zorvik
