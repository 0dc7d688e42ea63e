// The skin viewer run as a child process. A markup file the archive lacks: the
// process shows the toolkit's error box and ends with exit code 1 (the box is
// found by its title from this process, its text checked, and dismissed by
// posting IDOK to it). A file the archive has: the window saved as a PNG.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct FoundText {
  bool found = false;
};

BOOL CALLBACK FindText(HWND child, LPARAM param) {
  wchar_t text[128] = {};
  ::GetWindowTextW(child, text, 128);
  if (std::wstring(text) == L"加载资源文件失败") reinterpret_cast<FoundText*>(param)->found = true;
  return TRUE;
}

TEST(MissingMarkup, ErrorBoxThenExitCodeOne) {
  const wchar_t* viewer = _wgetenv(L"QZ_SKIN_VIEWER");
  ASSERT_NE(viewer, nullptr);
  std::wstring cmd = L"\"" + std::wstring(viewer) + L"\" noSuchWnd.xml";
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(::CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  HWND box = nullptr;
  DWORD start = ::GetTickCount();
  // Wait for the box (or for the process to end without one).
  while (!box && ::GetTickCount() - start < 20000) {
    HWND w = ::FindWindowW(nullptr, L"Vellum");
    DWORD pid = 0;
    if (w) ::GetWindowThreadProcessId(w, &pid);
    if (w && pid == pi.dwProcessId) box = w;
    if (!box && ::WaitForSingleObject(pi.hProcess, 50) == WAIT_OBJECT_0) break;
  }
  ASSERT_NE(box, nullptr) << "no message box titled Vellum";
  FoundText text;
  ::EnumChildWindows(box, &FindText, reinterpret_cast<LPARAM>(&text));
  EXPECT_TRUE(text.found);
  // The process is still waiting for the box.
  EXPECT_EQ(::WaitForSingleObject(pi.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_EQ(::WaitForSingleObject(pi.hProcess, 20000), static_cast<DWORD>(WAIT_OBJECT_0));
  DWORD code = 0;
  ::GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 1u);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
}

// The viewer as people use it: a window of the skin saved as a PNG file.
TEST(SkinViewer, SavesTheWindowAsAPicture) {
  const wchar_t* viewer = _wgetenv(L"QZ_SKIN_VIEWER");
  const wchar_t* tmp = _wgetenv(L"QZ_TEST_TMP");
  ASSERT_TRUE(viewer && tmp);
  std::wstring png = std::wstring(tmp) + L"\\viewer_exitTipWnd.png";
  ::DeleteFileW(png.c_str());
  std::wstring cmd = L"\"" + std::wstring(viewer) + L"\" exitTipWnd.xml \"" + png + L"\"";
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(::CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  ASSERT_EQ(::WaitForSingleObject(pi.hProcess, 30000), static_cast<DWORD>(WAIT_OBJECT_0));
  DWORD code = 99;
  ::GetExitCodeProcess(pi.hProcess, &code);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  EXPECT_EQ(code, 0u);
  FILE* f = _wfopen(png.c_str(), L"rb");
  ASSERT_NE(f, nullptr);
  unsigned char head[24] = {};
  size_t n = std::fread(head, 1, sizeof(head), f);
  std::fclose(f);
  ASSERT_EQ(n, sizeof(head));
  EXPECT_EQ(std::memcmp(head, "\x89PNG\r\n\x1a\n", 8), 0);
  // IHDR: width and height, big-endian
  EXPECT_EQ((head[16] << 24) | (head[17] << 16) | (head[18] << 8) | head[19], 360);
  EXPECT_EQ((head[20] << 24) | (head[21] << 16) | (head[22] << 8) | head[23], 180);
}

}  // namespace
