// The bounded queue of serialised records between the Sdk and the collection
// server, with a staging file that carries unsent records over to the next run.
//
// Threads: Add may run on any thread and takes only the queue lock. Flush and
// FlushAll may run on several threads; the flush lock sends their batches one at a
// time, and the queue lock is dropped while a batch is posted, so Add never waits
// for the network. Lock order: flush lock, then queue lock.
#pragma once
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "analytics/sdk/batch_sender.h"
#include "analytics/sdk/object_node.h"

namespace zv_analytics {

class RecordQueue {
 public:
  static constexpr size_t kCapacity = 1024;
  static constexpr size_t kBatchSize = 30;

  // The staging file of an application: "<appName>_ZVSCache.txt" in the data
  // directory (a separator is added when the directory does not end in one).
  static std::string StagingPathFor(const std::string& dataDirectory, const std::string& appName);

  // Posts to serverUrl through a BatchSender of its own.
  RecordQueue(const std::string& serverUrl, std::string stagingPath);
  // Takes ownership of the sender (tests pass one that records or fails).
  RecordQueue(std::unique_ptr<BatchSender> sender, std::string stagingPath);
  // Runs Shutdown when it has not run yet.
  ~RecordQueue();
  RecordQueue(const RecordQueue&) = delete;
  RecordQueue& operator=(const RecordQueue&) = delete;

  // Serialises the record and appends it; beyond 1024 records the oldest is dropped.
  void Add(const utils::ObjectNode& record);
  void AddText(std::string recordText);
  // Sends the oldest 30 records (or fewer) as one batch; true when sent or when
  // nothing was queued. A failed batch goes back in front as far as room allows
  // (its oldest records are the ones lost). Blocks while another flush runs.
  bool Flush();
  // Flushes until the queue is empty (true) or a batch fails (false).
  bool FlushAll();
  // Writes every queued record to the staging file (replacing its contents) and
  // releases the sender; later flushes fail and keep their records. Idempotent.
  void Shutdown();

  // A copy of the queued records, oldest first.
  std::vector<std::string> Snapshot() const;
  size_t Size() const;

 private:
  // Loads the staging file once per queue, in front of what is queued, and empties it.
  void LoadStaging();
  void PutBack(const std::vector<std::string>& batch);
  bool SendBatch(const std::vector<std::string>& batch);

  const std::string stagingPath_;
  mutable std::recursive_mutex queueLock_;
  std::mutex flushLock_;
  std::deque<std::string> records_;        // guarded by queueLock_
  bool stagingLoadPending_ = true;         // guarded by queueLock_
  bool shutDown_ = false;                  // guarded by queueLock_
  std::unique_ptr<BatchSender> sender_;    // used under flushLock_, released under both
};

}  // namespace zv_analytics
