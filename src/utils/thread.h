// Utils::Thread: the worker-thread wrapper of the downloaders, the runners and the
// main window's network check. Created suspended; Start resumes it; Join and the
// destructor wait without a time limit, so the owner must first make the body return.
#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace Utils {

class Thread {
 public:
  using Body = std::function<uint32_t(void* parameter)>;
  static constexpr uint32_t kNoThread = 0xFFFFFFFFu;

  // Creates the thread suspended and names it for a debugger ("t<id>" when the
  // name is empty). When creation fails there is no thread and Start returns false.
  Thread(void* parameter, std::wstring name, Body body);
  ~Thread();
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  bool Start();
  // Waits for the thread to end and releases it; returns at once when there is none.
  // A thread that was never started ends without running its body.
  void Join();

  uint32_t Id() const { return threadId_; }
  bool HasThread() const;
  // The name announced to a debugger (the given one, or "t" and the id).
  const std::wstring& Name() const { return name_; }

  // The thread start routine: logs "THREAD BEGIN", runs the body, logs "THREAD END".
  static void CallBack(Thread* self);

 private:
  struct Native;
  uint32_t threadId_ = kNoThread;
  std::unique_ptr<Native> native_;
  Body body_;
  void* parameter_ = nullptr;
  std::wstring name_;
  std::atomic<bool> started_{false};
  std::atomic<bool> cancelled_{false};
};

}  // namespace Utils
