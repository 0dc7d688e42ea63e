// The log line format and the worker-thread wrapper, in both tiers.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "utils/debug_log.h"
#include "utils/thread.h"

namespace {

std::wstring Line(const Utils::LogStamp& s, const char* tag, int line, const wchar_t* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  std::wstring out = Utils::FormatLogLine(s, tag, line, fmt, args);
  va_end(args);
  return out;
}

TEST(DebugLog, PrefixAndMessage) {
  Utils::LogStamp s{42, 7, 2026, 3, 9, 4, 5, 6, 7};
  EXPECT_EQ(Line(s, "CurlClient::Head", 88, L"DL_TYPE=%d\r\n", 3),
            L"<P00042><T00007><2026-03-09 04:05:06.007>(CurlClient::Head)<0088>: DL_TYPE=3\r\n");
  // Large ids and line numbers keep all their digits; no line end is added.
  Utils::LogStamp big{1234567, 100000, 2026, 12, 31, 23, 59, 59, 999};
  EXPECT_EQ(Line(big, "f", 12345, L"GetConnectivity %d", 0),
            L"<P1234567><T100000><2026-12-31 23:59:59.999>(f)<12345>: GetConnectivity 0");
  EXPECT_EQ(Line(s, "t", 1, L"100%% of %ls", L"\u5b89\u88c5"),
            L"<P00042><T00007><2026-03-09 04:05:06.007>(t)<0001>: 100% of \u5b89\u88c5");
  // A message longer than the first buffer still arrives whole.
  std::wstring longText(5000, L'x');
  EXPECT_EQ(Line(s, "t", 1, L"%ls", longText.c_str()).size(), 52 + longText.size());
}

struct Sample {
  int Method(int) { return 0; }
  static const char* StaticMethod() { return __PRETTY_FUNCTION__; }
};

TEST(DebugLog, FunctionTags) {
  struct Case { const char* pretty; const char* tag; };
  const Case cases[] = {
      {"bool CurlClient::Head(const std::string&)", "CurlClient::Head"},
      {"static bool Utils::HardDiskManager::CheckFreeSpace(const std::wstring&)",
       "Utils::HardDiskManager::CheckFreeSpace"},
      {"void Utils::Thread::CallBack(Utils::Thread*)", "Utils::Thread::CallBack"},
      {"CMainWnd::OnClick(TNotifyUI&)::<lambda(int)>", "CMainWnd::OnClick(TNotifyUI&)::<lambda(int)>"},
      {"std::map<int, int> Foo<int>::Bar(int) const", "Foo<int>::Bar"},
      {"void X::operator()(int)", "X::operator()"},
      {"int main()", "main"},
  };
  for (const Case& c : cases) EXPECT_EQ(Utils::FunctionTag(c.pretty), c.tag) << c.pretty;
  EXPECT_EQ(Utils::FunctionTag(Sample::StaticMethod()), "{anonymous}::Sample::StaticMethod");
}

TEST(Thread, RunsTheBodyOnlyAfterStart) {
  std::mutex m;
  std::condition_variable cv;
  bool ran = false;
  int param = 5;
  void* seen = nullptr;
  Utils::Thread t(&param, L"ABDEF", [&](void* p) -> uint32_t {
    std::lock_guard<std::mutex> lock(m);
    seen = p;
    ran = true;
    cv.notify_all();
    return 77;
  });
  ASSERT_TRUE(t.HasThread());
  EXPECT_NE(t.Id(), Utils::Thread::kNoThread);
  EXPECT_EQ(t.Name(), L"ABDEF");
  {
    std::lock_guard<std::mutex> lock(m);
    EXPECT_FALSE(ran) << "created suspended";
  }
  ASSERT_TRUE(t.Start());
  EXPECT_FALSE(t.Start()) << "a thread starts once";
  {
    std::unique_lock<std::mutex> lock(m);
    cv.wait(lock, [&] { return ran; });
  }
  t.Join();
  EXPECT_EQ(seen, &param);
  EXPECT_FALSE(t.HasThread());
  EXPECT_EQ(t.Id(), Utils::Thread::kNoThread);
  t.Join();  // nothing left to wait for
}

TEST(Thread, EmptyNameBecomesTAndId) {
  Utils::Thread t(nullptr, L"", [](void*) -> uint32_t { return 0; });
  ASSERT_TRUE(t.HasThread());
  EXPECT_EQ(t.Name(), L"t" + std::to_wstring(t.Id()));
}

TEST(Thread, ReleasedBeforeStartNeverRunsTheBodyAndDoesNotHang) {
  std::atomic<bool> ran{false};
  {
    Utils::Thread t(nullptr, L"x", [&](void*) -> uint32_t {
      ran = true;
      return 0;
    });
  }
  EXPECT_FALSE(ran.load());
}

}  // namespace
