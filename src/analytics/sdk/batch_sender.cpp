#include "analytics/sdk/batch_sender.h"

#include <utility>

#include "analytics/sdk/batch_encoding.h"
#include "analytics/sdk/error_output.h"

namespace zv_analytics {

BatchSender::BatchSender(std::string serverUrl, HeaderList headers)
    : serverUrl_(std::move(serverUrl)), headers_(std::move(headers)) {}

bool BatchSender::Send(const std::string& batchText) {
  std::string body;
  if (!batch_encoding::FormBody(batchText, &body)) return false;
  CurlRequest request;
  const HttpResponse response = request.Post(serverUrl_, body, "", headers_);
  if (response.code != 200) {
    WriteError("ZvAnalytics SDK send failed: " + response.body + "\n");
    return false;
  }
  return true;
}

}  // namespace zv_analytics
