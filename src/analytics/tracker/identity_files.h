// Where the tracker keeps its files: the data directory (a per-user or shared
// system folder in its short form + "\REZezid\<appName>\"), the identity settings
// file in it, and the override file "Set.ini" beside the executable that can name
// another settings file (and so another data directory). Main thread, at start-up.
#pragma once
#include <string>

#include "analytics/tracker/os_description.h"

namespace zorvik {
namespace analytics {

struct IdentityFiles {
  std::wstring dataDirectory;  // ends with a separator
  std::wstring settingsFile;
};

// Resolves and creates the folders. A folder that cannot be created is ignored:
// the files in it then fail silently.
IdentityFiles PrepareIdentityFiles(const std::wstring& appName);

// The steps of PrepareIdentityFiles, for callers that pick the folders themselves.
// The system folder for the version: local application data from Windows 7 on,
// else (also for unknown numbers) the shared documents.
std::wstring SystemDataFolder(const OsNumbers& os);
// base + "REZezid" + appName, created; base may end with a separator or not.
IdentityFiles DefaultIdentityFiles(const std::wstring& base, const std::wstring& appName);
// Applies the override file "Set.ini" in exeFolder (ending with a separator): its
// "DORadurorAdudariviZav" of section "Install" (at most 127 characters, every
// "/" a separator) replaces the settings file; when that path has a folder part,
// the folder becomes the data directory and is created.
void ApplyOverrideFile(const std::wstring& exeFolder, IdentityFiles* files);
// Creates every missing level of path; the first level that cannot be created
// ends the walk. True when the whole path exists.
bool CreateFolderWalk(const std::wstring& path);

}  // namespace analytics
}  // namespace zorvik
