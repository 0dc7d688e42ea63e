#include <windows.h>

#include <cstdio>

#include "fake_platform.h"
#include "utils/command_line.h"
#include "utils/system_queries.h"
#include "utils/text.h"

namespace Fake {

namespace {
std::wstring W(const std::string& s) { return Utils::ToWide(s, Utils::kCodePageUtf8); }
std::string U(const std::wstring& s) { return Utils::ToNarrow(s, Utils::kCodePageUtf8); }
}  // namespace

std::vector<std::string> Arguments(int, char**) {
  std::vector<std::string> out;
  for (const std::wstring& a : Utils::SplitCommandLine(GetCommandLineW())) out.push_back(U(a));
  return out;
}

std::string ReceivedCommandLine(int, char**) { return U(GetCommandLineW()); }

std::string SelfDir(int, char**) {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p(path, n);
  return U(p.substr(0, p.rfind(L'\\')));
}

std::string GetEnv(const char* name) {
  wchar_t buf[2048];
  DWORD n = GetEnvironmentVariableW(W(name).c_str(), buf, 2048);
  return n > 0 && n < 2048 ? U(std::wstring(buf, n)) : std::string();
}

bool ReadWholeFile(const std::string& path, std::string& data) {
  FILE* f = _wfopen(W(path).c_str(), L"rb");
  if (!f) return false;
  char buf[4096];
  size_t n;
  data.clear();
  while ((n = std::fread(buf, 1, sizeof(buf), f)) > 0) data.append(buf, n);
  std::fclose(f);
  return true;
}

bool WriteWholeFile(const std::string& path, const std::string& data) {
  FILE* f = _wfopen(W(path).c_str(), L"wb");
  if (!f) return false;
  bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
  return std::fclose(f) == 0 && ok;
}

bool CopyWholeFile(const std::string& from, const std::string& to) {
  return CopyFileW(W(from).c_str(), W(to).c_str(), FALSE) != FALSE;
}

bool RemoveFile(const std::string& path) { return DeleteFileW(W(path).c_str()) != FALSE; }

bool MakeDirs(const std::string& path) { return Utils::CreateDirectoryTree(W(path)); }

void WriteOut(const char* data, size_t size) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  while (size > 0) {
    DWORD n = 0;
    if (!WriteFile(out, data, static_cast<DWORD>(size), &n, nullptr) || n == 0) return;
    data += n;
    size -= n;
  }
}

void CloseOut() {
  CloseHandle(GetStdHandle(STD_OUTPUT_HANDLE));
  SetStdHandle(STD_OUTPUT_HANDLE, nullptr);
}

}  // namespace Fake
