// The record queue's rules with a sender that keeps batches in memory: capacity,
// batches of 30, the put-back rule, the staging file, and Add during FlushAll.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <memory>
#include <mutex>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "analytics/sdk/record_queue.h"
#include "support/strict_json.h"
#include "support/test_env.h"

namespace {

using zv_analytics::RecordQueue;

class MemorySender : public zv_analytics::BatchSender {
 public:
  MemorySender() : BatchSender("memory:") {}
  bool Send(const std::string& batchText) override {
    std::lock_guard<std::mutex> lock(mutex_);
    if (throwText_.size()) throw std::runtime_error(throwText_);
    attempts_++;
    if (fail_) return false;
    batches_.push_back(batchText);
    return true;
  }
  void SetFail(bool fail) { std::lock_guard<std::mutex> lock(mutex_); fail_ = fail; }
  void SetThrow(const std::string& text) { std::lock_guard<std::mutex> lock(mutex_); throwText_ = text; }
  std::vector<std::string> Batches() { std::lock_guard<std::mutex> lock(mutex_); return batches_; }
  int Attempts() { std::lock_guard<std::mutex> lock(mutex_); return attempts_; }

 private:
  std::mutex mutex_;
  bool fail_ = false;
  std::string throwText_;
  int attempts_ = 0;
  std::vector<std::string> batches_;
};

std::string Rec(int n) { return "{\"n\":" + std::to_string(n) + "}"; }

std::vector<std::string> Recs(int from, int to) {
  std::vector<std::string> out;
  for (int i = from; i <= to; ++i) out.push_back(Rec(i));
  return out;
}

// The records of one posted batch, each back as compact text.
std::vector<std::string> BatchRecords(const std::string& batch) {
  StrictJson::Value v;
  EXPECT_TRUE(StrictJson::Parse(batch, &v)) << batch;
  std::vector<std::string> out;
  for (const auto& item : v.items) out.push_back("{\"n\":" + item.Get("n")->text + "}");
  return out;
}

class RecordQueueTest : public testing::Test {
 protected:
  void SetUp() override {
    staging_ = TestEnv::Join(TestEnv::TmpDir(),
                             std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + ".txt");
    std::remove(staging_.c_str());
    auto sender = std::make_unique<MemorySender>();
    sender_ = sender.get();
    queue_ = std::make_unique<RecordQueue>(std::move(sender), staging_);
  }
  void AddRange(int from, int to) {
    for (int i = from; i <= to; ++i) queue_->AddText(Rec(i));
  }
  void WriteStaging(const std::string& bytes) {
    std::ofstream f(staging_, std::ios::binary);
    f << bytes;
  }
  std::string ReadStaging() {
    std::ifstream f(staging_, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }

  std::string staging_;
  MemorySender* sender_ = nullptr;
  std::unique_ptr<RecordQueue> queue_;
};

TEST_F(RecordQueueTest, FullQueueDropsTheOldest) {
  AddRange(1, 1024);
  EXPECT_EQ(queue_->Size(), 1024u);
  queue_->AddText(Rec(1025));
  const auto records = queue_->Snapshot();
  ASSERT_EQ(records.size(), 1024u);
  EXPECT_EQ(records.front(), Rec(2));
  EXPECT_EQ(records.back(), Rec(1025));
}

TEST_F(RecordQueueTest, BatchesOfThirtyOldestFirst) {
  EXPECT_TRUE(queue_->Flush());  // empty: nothing sent
  EXPECT_EQ(sender_->Attempts(), 0);
  AddRange(1, 31);
  EXPECT_TRUE(queue_->Flush());
  ASSERT_EQ(sender_->Batches().size(), 1u);
  EXPECT_EQ(BatchRecords(sender_->Batches()[0]), Recs(1, 30));
  EXPECT_EQ(queue_->Snapshot(), Recs(31, 31));

  AddRange(32, 62);
  EXPECT_TRUE(queue_->FlushAll());
  const auto batches = sender_->Batches();
  ASSERT_EQ(batches.size(), 3u);
  EXPECT_EQ(BatchRecords(batches[1]), Recs(31, 60));
  EXPECT_EQ(BatchRecords(batches[2]), Recs(61, 62));
  EXPECT_EQ(batches[2], "[" + Rec(61) + "," + Rec(62) + "]");
  EXPECT_EQ(queue_->Size(), 0u);
}

TEST_F(RecordQueueTest, FailedBatchIsPutBackAsFarAsRoomAllows) {
  struct Case { int queuedAfter; int batch; int putBackFrom; };
  // 30 sent, 994 queued behind them: room for all 30. 1000 behind: room for the newest 24.
  const Case cases[] = {{994, 30, 1}, {1000, 30, 7}, {0, 5, 1}, {1024, 30, 31}};
  for (const Case& c : cases) {
    // Records added while the batch is out, as Add from another thread would.
    class Interleave : public zv_analytics::BatchSender {
     public:
      Interleave(RecordQueue** q, int from, int count) : BatchSender("x"), q_(q), from_(from), count_(count) {}
      bool Send(const std::string&) override {
        for (int i = 0; i < count_; ++i) (*q_)->AddText(Rec(from_ + i));
        return false;
      }
      RecordQueue** q_;
      int from_, count_;
    };
    RecordQueue* raw = nullptr;
    RecordQueue queue(std::make_unique<Interleave>(&raw, 1000 + 1, c.queuedAfter), staging_ + ".x");
    raw = &queue;
    for (int i = 1; i <= c.batch; ++i) queue.AddText(Rec(i));
    EXPECT_FALSE(queue.Flush());
    const auto records = queue.Snapshot();
    const int putBack = c.batch - c.putBackFrom + 1;
    ASSERT_EQ(records.size(), static_cast<size_t>(std::min(1024, c.queuedAfter + putBack))) << c.queuedAfter;
    for (int i = 0; i < putBack; ++i) EXPECT_EQ(records[i], Rec(c.putBackFrom + i)) << c.queuedAfter;
    if (c.queuedAfter) {
      EXPECT_EQ(records[putBack], Rec(1001));
      EXPECT_EQ(records.back(), Rec(1000 + c.queuedAfter));
    }
    queue.Shutdown();
    std::remove((staging_ + ".x").c_str());
  }
}

TEST_F(RecordQueueTest, FailedFlushAllStopsAndKeepsOrder) {
  AddRange(1, 40);
  sender_->SetFail(true);
  EXPECT_FALSE(queue_->FlushAll());
  EXPECT_EQ(sender_->Attempts(), 1);
  EXPECT_EQ(queue_->Snapshot(), Recs(1, 40));
  sender_->SetFail(false);
  EXPECT_TRUE(queue_->FlushAll());
  EXPECT_EQ(queue_->Size(), 0u);
  EXPECT_EQ(sender_->Batches().size(), 2u);
}

TEST_F(RecordQueueTest, ExceptionInSendIsReportedAndTheBatchStaysOut) {
  AddRange(1, 3);
  sender_->SetThrow("boom");
  testing::internal::CaptureStderr();
  EXPECT_FALSE(queue_->Flush());
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Exception when flush failed: (boom) \n");
  // The locks were released: the queue still takes records and flushes.
  sender_->SetThrow("");
  queue_->AddText(Rec(4));
  EXPECT_TRUE(queue_->FlushAll());
}

TEST_F(RecordQueueTest, StagingFileLoadRules) {
  // Empty lines, lines not framed by braces and a last line without its line end.
  WriteStaging("{\"n\":1}\r\n\r\n not a record\r\n{\"n\":2\r\n\"n\":3}\r\n{\"n\":4}\n{\"n\":5}");
  AddRange(100, 100);
  EXPECT_TRUE(queue_->FlushAll());
  ASSERT_EQ(sender_->Batches().size(), 1u);
  EXPECT_EQ(BatchRecords(sender_->Batches()[0]), (std::vector<std::string>{Rec(1), Rec(4), Rec(5), Rec(100)}));
  EXPECT_EQ(ReadStaging(), "");
  // The file is read once per process: new lines are not picked up later.
  WriteStaging(Rec(7) + "\r\n");
  EXPECT_TRUE(queue_->FlushAll());
  EXPECT_EQ(sender_->Batches().size(), 1u);
}

TEST_F(RecordQueueTest, StagingLoadKeepsOnlyTheLastLinesThatFit) {
  std::string file;
  for (int i = 1; i <= 40; ++i) file += Rec(i) + "\r\n";
  WriteStaging(file);
  AddRange(1001, 2000);
  queue_->Shutdown();  // loads what fits (24 lines), then saves everything
  const std::string saved = ReadStaging();
  std::string expected;
  for (int i = 17; i <= 40; ++i) expected += Rec(i) + "\r\n";
  for (int i = 1001; i <= 2000; ++i) expected += Rec(i) + "\r\n";
  EXPECT_EQ(saved, expected);
}

TEST_F(RecordQueueTest, FullQueueLoadsNothingButEmptiesTheFile) {
  WriteStaging(Rec(1) + "\r\n");
  AddRange(1, 1024);
  sender_->SetFail(true);
  EXPECT_FALSE(queue_->Flush());
  EXPECT_EQ(ReadStaging(), "");
  EXPECT_EQ(queue_->Snapshot().front(), Rec(1));
  EXPECT_EQ(queue_->Size(), 1024u);
}

TEST_F(RecordQueueTest, ShutdownSavesForTheNextRun) {
  AddRange(1, 3);
  queue_->Shutdown();
  EXPECT_EQ(ReadStaging(), Rec(1) + "\r\n" + Rec(2) + "\r\n" + Rec(3) + "\r\n");
  EXPECT_FALSE(queue_->Flush());  // no sender after shutdown; records stay
  queue_.reset();

  auto sender = std::make_unique<MemorySender>();
  MemorySender* next = sender.get();
  RecordQueue queue(std::move(sender), staging_);
  queue.AddText(Rec(4));
  EXPECT_TRUE(queue.FlushAll());
  ASSERT_EQ(next->Batches().size(), 1u);
  EXPECT_EQ(BatchRecords(next->Batches()[0]), Recs(1, 4));
  queue.Shutdown();
  EXPECT_EQ(ReadStaging(), "");
}

TEST_F(RecordQueueTest, MissingOrUnwritableStagingFile) {
  const std::string dir = TestEnv::TmpDir();  // a folder cannot be opened as a file
  auto sender = std::make_unique<MemorySender>();
  MemorySender* s = sender.get();
  {
    RecordQueue queue(std::move(sender), dir);
    queue.AddText(Rec(1));
    EXPECT_TRUE(queue.FlushAll());
    EXPECT_EQ(s->Batches().size(), 1u);
    queue.AddText(Rec(2));
  }  // the destructor's shutdown cannot save; the record is lost, nothing breaks
  EXPECT_EQ(RecordQueue::StagingPathFor("data", "Quibzip"),
            std::string("data") + TestEnv::kSep + "Quibzip_ZVSCache.txt");
  EXPECT_EQ(RecordQueue::StagingPathFor(std::string("data") + TestEnv::kSep, "Quibzip"),
            std::string("data") + TestEnv::kSep + "Quibzip_ZVSCache.txt");
}

// Eight threads add while the main thread flushes: no record is lost or sent twice,
// and each thread's records keep their order.
TEST_F(RecordQueueTest, ConcurrentAddDuringFlushAll) {
  constexpr int kThreads = 8;
  constexpr int kPerThread = 100;  // 800 in all: below the capacity, so nothing may drop
  std::atomic<int> running{kThreads};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([this, t, &running] {
      for (int i = 0; i < kPerThread; ++i) queue_->AddText(Rec(t * 1000 + i));
      running--;
    });
  }
  int flushes = 0;
  while (running.load() > 0 || queue_->Size() > 0) {
    EXPECT_TRUE(queue_->FlushAll());
    ++flushes;
  }
  for (auto& th : threads) th.join();
  EXPECT_TRUE(queue_->FlushAll());

  std::vector<int> lastSeen(kThreads, -1);
  std::set<std::string> seen;
  for (const std::string& batch : sender_->Batches()) {
    const auto records = BatchRecords(batch);
    EXPECT_LE(records.size(), RecordQueue::kBatchSize);
    for (const std::string& r : records) {
      EXPECT_TRUE(seen.insert(r).second) << "sent twice: " << r;
      const int n = std::stoi(r.substr(5));
      EXPECT_GT(n % 1000, lastSeen[n / 1000]) << r;
      lastSeen[n / 1000] = n % 1000;
    }
  }
  EXPECT_EQ(seen.size(), static_cast<size_t>(kThreads * kPerThread));
  EXPECT_GT(flushes, 0);
}

}  // namespace
