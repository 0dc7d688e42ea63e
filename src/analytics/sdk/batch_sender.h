// Encodes a batch of records and posts it to the collection server. Owned by the
// record queue; Send is called with the queue's flush lock held, one at a time.
#pragma once
#include <string>

#include "analytics/sdk/curl_request.h"

namespace zv_analytics {

class BatchSender {
 public:
  BatchSender(std::string serverUrl, HeaderList headers = {});
  virtual ~BatchSender() = default;
  BatchSender(const BatchSender&) = delete;
  BatchSender& operator=(const BatchSender&) = delete;

  // Compresses, encodes and posts the batch text ("[" records "]"); true only on
  // status 200. Every failure is written to standard error. Blocks up to the
  // request's time-out (about 3 s).
  virtual bool Send(const std::string& batchText);

  const std::string& ServerUrl() const { return serverUrl_; }

 private:
  std::string serverUrl_;
  HeaderList headers_;  // extra request lines; empty in this system
};

}  // namespace zv_analytics
