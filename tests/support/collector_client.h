// Talks to the test collector (servers/collector.py) over its control endpoints:
// each test gets a namespace of its own, sets how batches are answered and reads
// back what the collector decoded.
#pragma once
#include <curl/curl.h>

#include <memory>
#include <string>

#include "support/strict_json.h"
#include "support/test_env.h"

namespace CollectorClient {

constexpr size_t kMaxReply = 32 * 1024 * 1024;

inline size_t Keep(char* data, size_t size, size_t count, void* user) {
  auto* out = static_cast<std::string*>(user);
  const size_t bytes = size * count;
  if (out->size() + bytes > kMaxReply) return 0;
  out->append(data, bytes);
  return bytes;
}

// The reply body of a GET; empty on any failure.
inline std::string Get(const std::string& url) {
  std::unique_ptr<CURL, void (*)(CURL*)> easy(curl_easy_init(), curl_easy_cleanup);
  std::string body;
  if (!easy) return body;
  curl_easy_setopt(easy.get(), CURLOPT_URL, url.c_str());
  curl_easy_setopt(easy.get(), CURLOPT_WRITEFUNCTION, &Keep);
  curl_easy_setopt(easy.get(), CURLOPT_WRITEDATA, &body);
  curl_easy_setopt(easy.get(), CURLOPT_TIMEOUT, 10L);
  curl_easy_setopt(easy.get(), CURLOPT_NOSIGNAL, 1L);
  long status = 0;
  if (curl_easy_perform(easy.get()) != CURLE_OK) return "";
  curl_easy_getinfo(easy.get(), CURLINFO_RESPONSE_CODE, &status);
  return status == 200 ? body : "";
}

inline std::string Base() { return "http://127.0.0.1:" + std::to_string(TestEnv::ServerPort("collector")); }

// The address the SDK posts batches of this namespace to.
inline std::string BatchUrl(const std::string& ns) { return Base() + "/ns/" + ns + "/sa?project=pc"; }

// mode: "200", "500", "201", "302" or "hang". True when the collector took it.
inline bool SetMode(const std::string& ns, const std::string& mode) {
  return !Get(Base() + "/ns/" + ns + "/_mode/" + mode).empty();
}

// {"batches":[{"records":[...],"body_bytes":n,"json_bytes":n,"content_type":..,"user_agent":..}],
//  "errors":[...],"redirected":n,"attempts":n}; false when it could not be read.
inline bool State(const std::string& ns, StrictJson::Value* out) {
  const std::string body = Get(Base() + "/ns/" + ns + "/_batches");
  return !body.empty() && StrictJson::Parse(body, out);
}

}  // namespace CollectorClient
