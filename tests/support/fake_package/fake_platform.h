// The little the fake children need from the system. Texts and paths are UTF-8
// here; the Windows backend converts at the API.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace Fake {

#ifdef _WIN32
constexpr char kSep = '\\';
constexpr const char* kExeSuffix = ".exe";
#else
constexpr char kSep = '/';
constexpr const char* kExeSuffix = "";
#endif

// The arguments, program first (Windows: split from GetCommandLineW).
std::vector<std::string> Arguments(int argc, char** argv);
// What the child received, for byte-exact comparison: on Windows the raw
// GetCommandLineW text; elsewhere every argument followed by "\n".
std::string ReceivedCommandLine(int argc, char** argv);
// The folder of this executable, without a trailing separator.
std::string SelfDir(int argc, char** argv);
std::string GetEnv(const char* name);

bool ReadWholeFile(const std::string& path, std::string& data);
bool WriteWholeFile(const std::string& path, const std::string& data);
bool CopyWholeFile(const std::string& from, const std::string& to);
bool RemoveFile(const std::string& path);
bool MakeDirs(const std::string& path);

// Standard output, unbuffered: each call is one write.
void WriteOut(const char* data, size_t size);
void CloseOut();

}  // namespace Fake
