// Anonymous pipes and a hidden child process with redirected standard handles:
// how the package and the uninstaller are run. Both classes throw Utils::Exception
// when the system refuses; the runners catch it. One ChildProcess belongs to the
// runner thread that started it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "utils/exception.h"

namespace Utils {

// A native handle (Win32 HANDLE; on POSIX a file descriptor + 1, and for the
// process its id + 1), null when closed.
using NativeHandle = void*;

struct Pipe {
  NativeHandle write = nullptr;
  NativeHandle read = nullptr;
  // Both ends inheritable, default buffer size. Throws Utils::Exception.
  void Create();
  void Close();
};

struct ChildProcess {
  static constexpr size_t kCommandLineChars = 1024;  // including the terminating zero
  static constexpr uint32_t kStillActive = 259;

  wchar_t commandLine[kCommandLineChars] = {};
  Pipe error;
  Pipe output;
  Pipe input;
  NativeHandle process = nullptr;
  NativeHandle thread = nullptr;
  uint32_t processId = 0;
  uint32_t threadId = 0;
  // POSIX backend only: the code of a child already reaped, else kStillActive.
  mutable uint32_t reapedExitCode = kStillActive;

  ChildProcess() = default;
  ~ChildProcess() { Close(); }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Creates the three pipes (error, output, input, in this order).
  void CreatePipes();
  // Starts the child hidden with the pipes as its standard handles and closes the
  // child's ends here. A command line over 1023 characters is refused like a failed
  // creation. Throws Utils::Exception.
  void Start(const std::wstring& commandLine);
  // The exit code, or kStillActive while the child runs.
  uint32_t ExitCode() const;
  // Blocking read from the child's standard output: bytes read, 0 at its end.
  size_t ReadOutput(char* buffer, size_t size);
  // Bytes waiting in the output pipe now (never blocks); 0 when none or closed.
  size_t OutputAvailable() const;
  // Waits for the child to end, without a time limit.
  void Wait();
  void Close();
};

}  // namespace Utils
