// Figures of the installer as a user meets it (prints, never asserts):
//   installer_bench startup <bare.exe> <installer.exe> <rounds>
//     time from CreateProcess to the first painted window of each program
//     (visible, and its centre no longer the empty screen), in turns: per round,
//     the medians and their ratio;
//   installer_bench memory <QuibzipInstaller.exe>
//     clicks "立即安装" and samples the installer's memory until the finished page:
//     peak working set and peak private bytes.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "gui/installer/installer_session.h"

namespace {

struct Found {
  DWORD pid;
  HWND hwnd;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM param) {
  auto* f = reinterpret_cast<Found*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  RECT r;
  if (pid == f->pid && ::IsWindowVisible(hwnd) && ::GetWindowRect(hwnd, &r) && r.right - r.left >= 300) {
    f->hwnd = hwnd;
    return FALSE;
  }
  return TRUE;
}

// Milliseconds to the first painted window, or -1 after 60 s.
double TimeToFirstPaint(const std::wstring& exe) {
  std::wstring line = L"\"" + exe + L"\"";
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  LARGE_INTEGER freq, start, now;
  ::QueryPerformanceFrequency(&freq);
  ::QueryPerformanceCounter(&start);
  if (!::CreateProcessW(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  double ms = -1;
  HDC screen = ::GetDC(nullptr);
  for (;;) {
    ::QueryPerformanceCounter(&now);
    const double elapsed = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart);
    if (elapsed > 60000) break;
    Found f{pi.dwProcessId, nullptr};
    ::EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&f));
    RECT r;
    if (f.hwnd && ::GetWindowRect(f.hwnd, &r) &&
        (::GetPixel(screen, (r.left + r.right) / 2, (r.top + r.bottom) / 2) & 0xFFFFFF) != 0) {
      ms = elapsed;
      break;
    }
    ::Sleep(2);
  }
  ::ReleaseDC(nullptr, screen);
  ::TerminateProcess(pi.hProcess, 0);
  ::WaitForSingleObject(pi.hProcess, 10000);
  ::CloseHandle(pi.hProcess);
  ::CloseHandle(pi.hThread);
  return ms;
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// The two programs take turns, so a change in the machine's load during the run
// reaches both medians alike.
int Startup(const std::wstring& bare, const std::wstring& installer, int rounds) {
  std::vector<double> bareTimes, installerTimes;
  for (int i = 0; i < rounds; ++i) {
    const double b = TimeToFirstPaint(bare);
    ::Sleep(300);  // let the previous process's windows go
    const double q = TimeToFirstPaint(installer);
    ::Sleep(300);
    std::printf("  round %d: bare window %.1f ms, installer %.1f ms\n", i + 1, b, q);
    if (b >= 0) bareTimes.push_back(b);
    if (q >= 0) installerTimes.push_back(q);
  }
  if (bareTimes.empty() || installerTimes.empty()) return 1;
  const double mb = Median(bareTimes), mq = Median(installerTimes);
  std::printf("  median: bare window %.1f ms, installer %.1f ms, ratio %.2f\n", mb, mq, mq / mb);
  return 0;
}

int Memory(const std::wstring& exe) {
  InstallerGui::SkinGeometry::Prepare();
  InstallerGui::Session s(exe, "memory");
  if (!s.Launch()) return 1;
  HWND main = s.WaitWindow(L"MainWnd");
  if (!main) return 1;
  HANDLE process = nullptr;
  DWORD pid = 0;
  ::GetWindowThreadProcessId(main, &pid);
  process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  // What the welcome page alone holds (wine's own modules included), so the
  // growth during the download can be read off the peaks below.
  PROCESS_MEMORY_COUNTERS idle = {};
  idle.cb = sizeof(idle);
  if (process && ::GetProcessMemoryInfo(process, &idle, sizeof(idle))) {
    std::printf("  welcome page: working set %.1f MiB, private bytes %.1f MiB\n",
                idle.WorkingSetSize / 1048576.0, idle.PagefileUsage / 1048576.0);
  }
  s.Click(main, L"mainWnd.xml", L"defaultInstallBtn", 0);
  const DWORD start = ::GetTickCount();
  size_t peakWs = 0, peakPrivate = 0;
  bool finished = false;
  while (::GetTickCount() - start < 600000) {
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    if (process && ::GetProcessMemoryInfo(process, &pmc, sizeof(pmc))) {
      peakWs = std::max(peakWs, static_cast<size_t>(pmc.PeakWorkingSetSize));
      peakPrivate = std::max(peakPrivate, static_cast<size_t>(pmc.PeakPagefileUsage));
    }
    if (s.Page(main) == 3) {
      finished = true;
      break;
    }
    ::Sleep(100);
  }
  std::printf("  download and install %s after %.1f s\n", finished ? "finished" : "did not finish",
              (::GetTickCount() - start) / 1000.0);
  std::printf("  peak working set: %.1f MiB\n", peakWs / 1048576.0);
  std::printf("  peak private bytes: %.1f MiB\n", peakPrivate / 1048576.0);
  if (process) ::CloseHandle(process);
  s.Click(main, L"mainWnd.xml", L"closebtn", 0);
  DWORD code = 0;
  s.WaitExit(30000, &code);
  return finished ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 5 && std::wstring(argv[1]) == L"startup") return Startup(argv[2], argv[3], _wtoi(argv[4]));
  if (argc >= 3 && std::wstring(argv[1]) == L"memory") return Memory(argv[2]);
  std::fprintf(stderr, "usage: installer_bench startup <bare.exe> <installer.exe> <rounds> | memory <QuibzipInstaller.exe>\n");
  return 64;
}
