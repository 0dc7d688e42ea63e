#include "analytics/sdk/curl_request.h"

#include <curl/curl.h>

#include <memory>

#include "analytics/sdk/error_output.h"

namespace zv_analytics {
namespace {

struct EasyCleanup {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct SlistCleanup {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

// Keeps the reply up to the cap and swallows the rest, so a long reply neither
// grows memory nor turns a delivered batch into a transfer error.
size_t AppendReply(char* data, size_t size, size_t count, void* user) {
  auto* body = static_cast<std::string*>(user);
  const size_t bytes = size * count;
  const size_t room = CurlRequest::kMaxReplyBytes - body->size();
  body->append(data, bytes < room ? bytes : room);
  return bytes;
}

// Null when no line is needed; throws nothing (a failed append drops the list).
curl_slist* BuildHeaders(const std::string& contentType, const HeaderList& headers) {
  curl_slist* list = nullptr;
  auto add = [&list](const std::string& line) {
    curl_slist* grown = curl_slist_append(list, line.c_str());
    if (grown) list = grown;
  };
  if (!contentType.empty()) add("Content-Type: " + contentType);
  for (const auto& header : headers) add(header.first + ": " + header.second);
  return list;
}

}  // namespace

HttpResponse CurlRequest::Post(const std::string& url, const std::string& body, const std::string& contentType,
                               const HeaderList& headers) {
  HttpResponse response;
  std::unique_ptr<CURL, EasyCleanup> easy(curl_easy_init());
  if (!easy) {
    WriteError("Couldn't initialize curl handle");
    response.body = "Couldn't initialize curl handle";
    return response;
  }
  std::unique_ptr<curl_slist, SlistCleanup> list(BuildHeaders(contentType, headers));
  CURL* h = easy.get();
  if (list) curl_easy_setopt(h, CURLOPT_HTTPHEADER, list.get());
  curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 0L);
  curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 0L);
  curl_easy_setopt(h, CURLOPT_URL, url.c_str());
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &AppendReply);
  curl_easy_setopt(h, CURLOPT_WRITEDATA, &response.body);
  curl_easy_setopt(h, CURLOPT_USERAGENT, "ZvAnalytics CPP SDK 0.9");
  curl_easy_setopt(h, CURLOPT_TIMEOUT, kTimeoutSeconds);
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(h, CURLOPT_POST, 1L);
  curl_easy_setopt(h, CURLOPT_POSTFIELDS, body.data());
  curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
  curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);

  const CURLcode result = curl_easy_perform(h);
  if (result != CURLE_OK) {
    response.code = -1;
    response.body = curl_easy_strerror(result);
    return response;
  }
  long status = 0;
  curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
  response.code = static_cast<int>(status);
  return response;
}

}  // namespace zv_analytics
