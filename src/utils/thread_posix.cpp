// POSIX backend of Utils::Thread for the native test build: a std::thread that
// waits at a gate until Start (or Join, which cancels it).
#include <sys/syscall.h>
#include <unistd.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "utils/thread.h"

namespace Utils {

struct Thread::Native {
  std::thread thread;
  std::mutex mutex;           // guards open
  std::condition_variable gate;
  bool open = false;
  std::mutex idMutex;         // guards idKnown
  std::condition_variable idReady;
  bool idKnown = false;
};

Thread::Thread(void* parameter, std::wstring name, Body body)
    : native_(new Native), body_(std::move(body)), parameter_(parameter), name_(std::move(name)) {
  Native* n = native_.get();
  try {
    n->thread = std::thread([this, n] {
      {
        std::lock_guard<std::mutex> lock(n->idMutex);
        threadId_ = static_cast<uint32_t>(syscall(SYS_gettid));
        n->idKnown = true;
      }
      n->idReady.notify_all();
      std::unique_lock<std::mutex> lock(n->mutex);
      n->gate.wait(lock, [n] { return n->open; });
      lock.unlock();
      CallBack(this);
    });
  } catch (const std::system_error&) {
    return;
  }
  std::unique_lock<std::mutex> lock(n->idMutex);
  n->idReady.wait(lock, [n] { return n->idKnown; });
  if (name_.empty()) name_ = L"t" + std::to_wstring(threadId_);
}

Thread::~Thread() {
  Join();
  name_.clear();
  body_ = nullptr;
}

bool Thread::HasThread() const { return native_->thread.joinable(); }

// Notifies under the lock: Start may run on another thread than the owner, and
// the owner may destroy the gate as soon as the thread it guards has ended.
static void OpenGate(std::mutex& m, std::condition_variable& gate, bool& open) {
  std::lock_guard<std::mutex> lock(m);
  open = true;
  gate.notify_all();
}

bool Thread::Start() {
  if (!native_->thread.joinable() || started_.exchange(true)) return false;
  OpenGate(native_->mutex, native_->gate, native_->open);
  return true;
}

void Thread::Join() {
  if (!native_->thread.joinable()) return;
  if (!started_.exchange(true)) cancelled_ = true;
  OpenGate(native_->mutex, native_->gate, native_->open);
  native_->thread.join();
  threadId_ = kNoThread;
}

}  // namespace Utils
