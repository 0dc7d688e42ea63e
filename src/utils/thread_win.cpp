// Windows backend of Utils::Thread: _beginthreadex, suspended start, debugger names.
#include <windows.h>
#include <process.h>

#include "utils/text.h"
#include "utils/thread.h"

namespace Utils {

struct Thread::Native {
  HANDLE handle = nullptr;
};

namespace {

unsigned __stdcall Trampoline(void* arg) {
  Thread::CallBack(static_cast<Thread*>(arg));
  _endthreadex(0);  // the body's result never reaches the exit code
  return 0;
}

constexpr DWORD kSetThreadNameException = 0x406D1388;

LONG CALLBACK SwallowThreadName(EXCEPTION_POINTERS* info) {
  return info->ExceptionRecord->ExceptionCode == kSetThreadNameException ? EXCEPTION_CONTINUE_EXECUTION
                                                                         : EXCEPTION_CONTINUE_SEARCH;
}

// The debugger convention for thread names: a debugger that listens reads the
// name from the exception; the handler lets the program go on in every case.
void AnnounceThreadName(DWORD threadId, const std::string& name) {
#pragma pack(push, 8)
  struct {
    DWORD type;
    LPCSTR name;
    DWORD threadId;
    DWORD flags;
  } info = {0x1000, name.c_str(), threadId, 0};
#pragma pack(pop)
  PVOID handler = AddVectoredExceptionHandler(1, SwallowThreadName);
  if (!handler) return;
  RaiseException(kSetThreadNameException, 0, sizeof(info) / sizeof(ULONG_PTR),
                 reinterpret_cast<const ULONG_PTR*>(&info));
  RemoveVectoredExceptionHandler(handler);
}

}  // namespace

Thread::Thread(void* parameter, std::wstring name, Body body)
    : native_(new Native), body_(std::move(body)), parameter_(parameter), name_(std::move(name)) {
  unsigned id = 0;
  uintptr_t h = _beginthreadex(nullptr, 0, Trampoline, this, CREATE_SUSPENDED, &id);
  if (h == 0) return;
  native_->handle = reinterpret_cast<HANDLE>(h);
  threadId_ = id;
  if (name_.empty()) name_ = L"t" + std::to_wstring(id);
  AnnounceThreadName(id, ToNarrow(name_, kCodePageAnsi));
}

Thread::~Thread() {
  Join();
  name_.clear();
  body_ = nullptr;
}

bool Thread::HasThread() const { return native_->handle != nullptr; }

bool Thread::Start() {
  if (!native_->handle || started_.exchange(true)) return false;
  return ResumeThread(native_->handle) != static_cast<DWORD>(-1);
}

void Thread::Join() {
  if (!native_->handle) return;
  if (!started_.exchange(true)) {
    // Never started: let it run to its end without the body instead of waiting forever.
    cancelled_ = true;
    ResumeThread(native_->handle);
  }
  WaitForSingleObject(native_->handle, INFINITE);
  CloseHandle(native_->handle);
  native_->handle = nullptr;
  threadId_ = kNoThread;
}

}  // namespace Utils
