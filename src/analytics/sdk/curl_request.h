// One HTTP POST of an analytics batch over the libcurl easy interface. The caller
// must have run curl_global_init (the entry function does, before analytics starts).
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace zv_analytics {

using HeaderList = std::vector<std::pair<std::string, std::string>>;

struct HttpResponse {
  int code = -1;     // the HTTP status; -1 when the request did not complete
  std::string body;  // the reply (at most kMaxReplyBytes kept), or the error text
};

class CurlRequest {
 public:
  static constexpr size_t kMaxReplyBytes = 64 * 1024;
  static constexpr long kTimeoutSeconds = 3;

  // Blocks the calling thread for at most about 3 seconds. An empty content type
  // sets no "Content-Type" line, so libcurl's form default applies. Redirects are
  // answered as they are, never followed. Any thread; no shared state.
  HttpResponse Post(const std::string& url, const std::string& body, const std::string& contentType,
                    const HeaderList& headers);
};

}  // namespace zv_analytics
