// POSIX backend of Utils::Pipe and Utils::ChildProcess for the native test build:
// the Windows command line is split with the Windows rules, the child is forked and
// exec'd with the pipes as its standard handles. Exec failure comes back through a
// close-on-exec pipe so that Start throws like a refused CreateProcessW.
#include <errno.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cstdint>
#include <string>
#include <vector>

#include "utils/child_process.h"
#include "utils/command_line.h"
#include "utils/text.h"

namespace Utils {

namespace {

int Fd(NativeHandle h) { return static_cast<int>(reinterpret_cast<intptr_t>(h)) - 1; }
NativeHandle Handle(int fd) { return reinterpret_cast<NativeHandle>(static_cast<intptr_t>(fd) + 1); }

void CloseNative(NativeHandle& h) {
  if (h) {
    close(Fd(h));
    h = nullptr;
  }
}

// Only async-signal-safe calls: this runs between fork and exec.
void MoveTo(int fd, int target) {
  if (fd == target)
    fcntl(fd, F_SETFD, 0);
  else
    dup2(fd, target);
}

[[noreturn]] void ExecChild(const ChildProcess& c, char* const* argv, int report) {
  MoveTo(Fd(c.input.read), 0);
  MoveTo(Fd(c.output.write), 1);
  MoveTo(Fd(c.error.write), 2);
  execvp(argv[0], argv);
  int err = errno;
  ssize_t ignored = write(report, &err, sizeof(err));
  (void)ignored;
  _exit(127);
}

uint32_t CodeOf(int status) {
  if (WIFEXITED(status)) return static_cast<uint32_t>(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return 128u + static_cast<uint32_t>(WTERMSIG(status));
  return 0xFFFFFFFFu;
}

}  // namespace

// Close-on-exec from the start: the child gets its ends through dup2, so a child
// started by another thread meanwhile never inherits them.
void Pipe::Create() {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) throw Exception(L"pipe");
  read = Handle(fds[0]);
  write = Handle(fds[1]);
}

void Pipe::Close() {
  CloseNative(write);
  CloseNative(read);
}

// Windows runs any program image it is given; a downloaded package has no execute
// bit here, so the stand-in grants it to program images (ELF) named by path, and to
// nothing else, so a file that is not a program still fails to start.
static void MakeRunnable(const std::string& program) {
  struct stat st;
  if (program.find('/') == std::string::npos || stat(program.c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
      access(program.c_str(), X_OK) == 0)
    return;
  char magic[4] = {};
  FILE* f = std::fopen(program.c_str(), "rb");
  if (!f) return;
  size_t got = std::fread(magic, 1, sizeof(magic), f);
  std::fclose(f);
  if (got == 4 && std::memcmp(magic, "\x7f" "ELF", 4) == 0) chmod(program.c_str(), st.st_mode | S_IXUSR);
}

void ChildProcess::CreatePipes() {
  error.Create();
  output.Create();
  input.Create();
}

void ChildProcess::Start(const std::wstring& line) {
  if (line.size() >= kCommandLineChars) throw Exception(L"command line too long");
  if (!input.read || !output.write || !error.write) throw Exception(L"no pipes");
  std::copy(line.c_str(), line.c_str() + line.size() + 1, commandLine);
  std::vector<std::string> args;
  for (const std::wstring& a : SplitCommandLine(line)) args.push_back(ToNarrow(a, kCodePageUtf8));
  if (args.empty() || args[0].empty()) throw Exception(L"no program");
  MakeRunnable(args[0]);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(&a[0]);
  argv.push_back(nullptr);

  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) throw Exception(L"pipe");
  pid_t pid = fork();
  if (pid == 0) ExecChild(*this, argv.data(), report[1]);
  close(report[1]);
  int err = 0;
  ssize_t got = -1;
  do got = ::read(report[0], &err, sizeof(err)); while (got < 0 && errno == EINTR);
  close(report[0]);
  if (pid < 0) throw Exception(L"fork");
  if (got > 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    throw Exception(L"exec");
  }
  process = Handle(static_cast<int>(pid));
  processId = static_cast<uint32_t>(pid);
  // With our copies of the child's ends closed, reading the output ends with the child.
  CloseNative(output.write);
  CloseNative(error.write);
  CloseNative(input.read);
}

uint32_t ChildProcess::ExitCode() const {
  if (reapedExitCode != kStillActive) return reapedExitCode;
  if (!process) return 0xFFFFFFFFu;
  int status = 0;
  pid_t r = waitpid(static_cast<pid_t>(processId), &status, WNOHANG);
  if (r == 0) return kStillActive;
  reapedExitCode = r > 0 ? CodeOf(status) : 0xFFFFFFFFu;
  return reapedExitCode;
}

size_t ChildProcess::ReadOutput(char* buffer, size_t size) {
  if (!output.read) return 0;
  ssize_t got;
  do got = ::read(Fd(output.read), buffer, size); while (got < 0 && errno == EINTR);
  return got > 0 ? static_cast<size_t>(got) : 0;
}

size_t ChildProcess::OutputAvailable() const {
  int avail = 0;
  if (!output.read || ioctl(Fd(output.read), FIONREAD, &avail) != 0 || avail < 0) return 0;
  return static_cast<size_t>(avail);
}

void ChildProcess::Wait() {
  if (!process || reapedExitCode != kStillActive) return;
  int status = 0;
  pid_t r;
  do r = waitpid(static_cast<pid_t>(processId), &status, 0); while (r < 0 && errno == EINTR);
  reapedExitCode = r > 0 ? CodeOf(status) : 0xFFFFFFFFu;
}

void ChildProcess::Close() {
  // A child still running is left to itself, as closing its Win32 handles would.
  if (process) ExitCode();
  thread = nullptr;
  process = nullptr;
  input.Close();
  output.Close();
  error.Close();
}

}  // namespace Utils
