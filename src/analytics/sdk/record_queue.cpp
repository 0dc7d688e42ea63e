#include "analytics/sdk/record_queue.h"

#include <cstdio>
#include <exception>
#include <utility>

#include "analytics/sdk/error_output.h"

namespace zv_analytics {
namespace {

struct FileClose {
  void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileClose>;

bool IsRecordLine(const std::string& line) { return !line.empty() && line.front() == '{' && line.back() == '}'; }

// Reads one line without its line end (LF or CR LF); false at the end of the file.
bool ReadLine(FILE* f, std::string* line) {
  line->clear();
  int c = 0;
  bool any = false;
  while ((c = std::fgetc(f)) != EOF) {
    any = true;
    if (c == '\n') break;
    line->push_back(static_cast<char>(c));
  }
  if (!line->empty() && line->back() == '\r') line->pop_back();
  return any;
}

// The last `room` record lines of the file, in file order.
std::deque<std::string> ReadStagingLines(const std::string& path, size_t room) {
  std::deque<std::string> kept;
  File f(std::fopen(path.c_str(), "rb"));
  if (!f) return kept;
  std::string line;
  while (ReadLine(f.get(), &line)) {
    if (!IsRecordLine(line)) continue;
    kept.push_back(line);
    if (kept.size() > room) kept.pop_front();
  }
  return kept;
}

void TruncateFile(const std::string& path) { File f(std::fopen(path.c_str(), "wb")); }

}  // namespace

std::string RecordQueue::StagingPathFor(const std::string& dataDirectory, const std::string& appName) {
  std::string path = dataDirectory;
  if (!path.empty() && path.back() != '/' && path.back() != '\\') {
#ifdef _WIN32
    path.push_back('\\');
#else
    path.push_back('/');
#endif
  }
  return path + appName + "_ZVSCache.txt";
}

RecordQueue::RecordQueue(const std::string& serverUrl, std::string stagingPath)
    : RecordQueue(std::make_unique<BatchSender>(serverUrl), std::move(stagingPath)) {}

RecordQueue::RecordQueue(std::unique_ptr<BatchSender> sender, std::string stagingPath)
    : stagingPath_(std::move(stagingPath)), sender_(std::move(sender)) {}

RecordQueue::~RecordQueue() { Shutdown(); }

void RecordQueue::Add(const utils::ObjectNode& record) { AddText(record.ToJson()); }

void RecordQueue::AddText(std::string recordText) {
  std::lock_guard<std::recursive_mutex> lock(queueLock_);
  records_.push_back(std::move(recordText));
  if (records_.size() > kCapacity) records_.pop_front();
}

void RecordQueue::LoadStaging() {
  std::lock_guard<std::recursive_mutex> lock(queueLock_);
  if (!stagingLoadPending_) return;
  const size_t room = kCapacity - records_.size();
  if (room != 0) {
    std::deque<std::string> kept = ReadStagingLines(stagingPath_, room);
    records_.insert(records_.begin(), kept.begin(), kept.end());
  }
  TruncateFile(stagingPath_);
  stagingLoadPending_ = false;
}

bool RecordQueue::Flush() {
  LoadStaging();
  std::lock_guard<std::mutex> flush(flushLock_);
  std::vector<std::string> batch;
  {
    std::lock_guard<std::recursive_mutex> lock(queueLock_);
    const size_t n = records_.size() < kBatchSize ? records_.size() : kBatchSize;
    if (n == 0) return true;
    batch.assign(std::make_move_iterator(records_.begin()), std::make_move_iterator(records_.begin() + n));
    records_.erase(records_.begin(), records_.begin() + n);
  }
  return SendBatch(batch);
}

bool RecordQueue::SendBatch(const std::vector<std::string>& batch) {
  bool sent = false;
  try {
    if (sender_) {
      std::string text = "[";
      for (size_t i = 0; i < batch.size(); ++i) {
        if (i) text.push_back(',');
        text += batch[i];
      }
      text.push_back(']');
      sent = sender_->Send(text);
    }
    if (!sent) PutBack(batch);
  } catch (const std::exception& e) {
    WriteError(std::string("Exception when flush failed: (") + e.what() + ") \n");
    sent = false;
  }
  return sent;
}

void RecordQueue::PutBack(const std::vector<std::string>& batch) {
  std::lock_guard<std::recursive_mutex> lock(queueLock_);
  const size_t room = kCapacity - records_.size();
  const size_t count = batch.size() < room ? batch.size() : room;
  records_.insert(records_.begin(), batch.end() - static_cast<std::ptrdiff_t>(count), batch.end());
}

bool RecordQueue::FlushAll() {
  LoadStaging();
  for (;;) {
    {
      std::lock_guard<std::recursive_mutex> lock(queueLock_);
      if (records_.empty()) return true;
    }
    if (!Flush()) return false;
  }
}

void RecordQueue::Shutdown() {
  // Flush lock first, as everywhere: a batch in flight finishes (and is put back
  // when it fails) before the records are saved.
  std::lock_guard<std::mutex> flush(flushLock_);
  std::lock_guard<std::recursive_mutex> lock(queueLock_);
  if (shutDown_) return;
  LoadStaging();
  if (File f{std::fopen(stagingPath_.c_str(), "wb")}) {
    for (const std::string& record : records_) {
      std::fwrite(record.data(), 1, record.size(), f.get());
      std::fwrite("\r\n", 1, 2, f.get());
    }
  }
  shutDown_ = true;
  sender_.reset();
}

std::vector<std::string> RecordQueue::Snapshot() const {
  std::lock_guard<std::recursive_mutex> lock(queueLock_);
  return std::vector<std::string>(records_.begin(), records_.end());
}

size_t RecordQueue::Size() const {
  std::lock_guard<std::recursive_mutex> lock(queueLock_);
  return records_.size();
}

}  // namespace zv_analytics
