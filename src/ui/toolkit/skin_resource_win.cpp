#include "ui/toolkit/skin_resource.h"

#include <memory>
#include <vector>

#include "ui/toolkit/skin_archive.h"

namespace Vellum {

namespace {

struct ToolkitState {
  HINSTANCE instance = nullptr;
  int archiveReader = 1;
  std::vector<uint8_t> resourceBytes;  // kept for the process, as the archive's source
  CSkinArchive archive;
};

ToolkitState& State() {
  static ToolkitState state;
  return state;
}

}  // namespace

void CSkinResource::SetInstance(HINSTANCE instance) { State().instance = instance; }

HINSTANCE CSkinResource::GetInstance() {
  if (!State().instance) State().instance = ::GetModuleHandleW(nullptr);
  return State().instance;
}

std::wstring CSkinResource::GetInstancePath() {
  wchar_t path[MAX_PATH + 1] = {};
  DWORD n = ::GetModuleFileNameW(GetInstance(), path, MAX_PATH);
  std::wstring p(path, n);
  size_t slash = p.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : p.substr(0, slash + 1);
}

void CSkinResource::SetArchiveReader(int kind) { State().archiveReader = kind; }
int CSkinResource::GetArchiveReader() { return State().archiveReader; }

bool CSkinResource::OpenFromResource(UINT id) {
  ToolkitState& s = State();
  if (s.archive.IsOpen()) return true;
  HRSRC found = ::FindResourceW(GetInstance(), MAKEINTRESOURCEW(id), L"ZIPRES");
  if (!found) return false;
  HGLOBAL loaded = ::LoadResource(GetInstance(), found);
  DWORD size = ::SizeofResource(GetInstance(), found);
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  if (!bytes || size == 0) return false;
  const auto* first = static_cast<const uint8_t*>(bytes);
  s.resourceBytes.assign(first, first + size);
  return s.archive.Open(s.resourceBytes.data(), s.resourceBytes.size());
}

const CSkinArchive* CSkinResource::Current() { return State().archive.IsOpen() ? &State().archive : nullptr; }

}  // namespace Vellum
