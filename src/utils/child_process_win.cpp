#include <windows.h>

#include <cwchar>

#include "utils/child_process.h"

namespace Utils {

namespace {
void CloseNative(NativeHandle& h) {
  if (h) {
    CloseHandle(static_cast<HANDLE>(h));
    h = nullptr;
  }
}
void NotInheritable(NativeHandle h) { SetHandleInformation(static_cast<HANDLE>(h), HANDLE_FLAG_INHERIT, 0); }
}  // namespace

void Pipe::Create() {
  SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
  HANDLE r = nullptr, w = nullptr;
  if (!CreatePipe(&r, &w, &sa, 0)) {
    if (r) CloseHandle(r);
    if (w) CloseHandle(w);
    throw Exception();
  }
  read = r;
  write = w;
}

void Pipe::Close() {
  CloseNative(write);
  CloseNative(read);
}

void ChildProcess::CreatePipes() {
  error.Create();
  output.Create();
  input.Create();
}

void ChildProcess::Start(const std::wstring& line) {
  if (line.size() >= kCommandLineChars) throw Exception();
  wmemcpy(commandLine, line.c_str(), line.size() + 1);
  NotInheritable(error.read);
  NotInheritable(output.read);
  NotInheritable(input.write);
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_HIDE;
  si.hStdInput = static_cast<HANDLE>(input.read);
  si.hStdOutput = static_cast<HANDLE>(output.write);
  si.hStdError = static_cast<HANDLE>(error.write);
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(nullptr, commandLine, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi))
    throw Exception();
  process = pi.hProcess;
  thread = pi.hThread;
  processId = pi.dwProcessId;
  threadId = pi.dwThreadId;
  // With our copies of the child's ends closed, reading the output ends with the child.
  CloseNative(output.write);
  CloseNative(error.write);
  CloseNative(input.read);
}

uint32_t ChildProcess::ExitCode() const {
  // A failed query must not look like a child that is still running, or the run loops never end.
  DWORD code = 0;
  if (!process || !GetExitCodeProcess(static_cast<HANDLE>(process), &code)) return 0xFFFFFFFFu;
  return code;
}

size_t ChildProcess::ReadOutput(char* buffer, size_t size) {
  DWORD got = 0;
  if (!output.read || !ReadFile(static_cast<HANDLE>(output.read), buffer, static_cast<DWORD>(size), &got, nullptr))
    return 0;
  return got;
}

size_t ChildProcess::OutputAvailable() const {
  DWORD avail = 0;
  if (!output.read || !PeekNamedPipe(static_cast<HANDLE>(output.read), nullptr, 0, nullptr, &avail, nullptr))
    return 0;
  return avail;
}

void ChildProcess::Wait() {
  if (process) WaitForSingleObject(static_cast<HANDLE>(process), INFINITE);
}

void ChildProcess::Close() {
  CloseNative(thread);
  CloseNative(process);
  input.Close();
  output.Close();
  error.Close();
}

}  // namespace Utils
