// The platform-independent part of Utils::Thread: the start routine.
#include "utils/debug_log.h"
#include "utils/thread.h"

namespace Utils {

void Thread::CallBack(Thread* self) {
  DEBUG_PRINT(L"THREAD BEGIN\r\n");
  // A thread released before Start never runs its body.
  if (!self->cancelled_.load() && self->body_) self->body_(self->parameter_);
  DEBUG_PRINT(L"THREAD END\r\n");
}

}  // namespace Utils
