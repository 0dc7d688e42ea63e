// Prints what the analytics SDK costs: building and queuing one 20-property event,
// and delivering a full queue (1024 records) to a collector on the loopback.
//   bench_analytics_sdk <collector port> <scratch folder>
// Figures only; nothing is asserted.
#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "analytics/sdk/record_queue.h"
#include "analytics/sdk/sdk.h"
#include "analytics/sdk/track_id.h"
#include "support/strict_json.h"

namespace {

using zv_analytics::PropertiesNode;
using zv_analytics::Sdk;
using Clock = std::chrono::steady_clock;

PropertiesNode TwentyProperties() {
  PropertiesNode p;
  for (int i = 0; i < 12; ++i) p.SetString("zv_text_" + std::to_string(i), "value number " + std::to_string(i));
  for (int i = 0; i < 4; ++i) p.SetNumber("zv_count_" + std::to_string(i), i * 1000 + 7);
  p.SetNumber("zv_task_elapsed", 12.625);
  p.SetBool("$is_first_time", true);
  p.SetString("zv_task_name", "DownloadPackage");
  p.SetString("zv_reason", "\xE4\xB8\x8B\xE8\xBD\xBD\xE5\xAE\x8C\xE6\x88\x90");
  return p;
}

PropertiesNode Common() {
  PropertiesNode c;
  c.SetString("zv_app_id", "Quibzip");
  c.SetString("$app_version", "1.7.9");
  c.SetString("zv_app_platform", "Windows");
  c.SetString("$os", "Windows");
  return c;
}

size_t CurlKeep(char* data, size_t size, size_t count, void* user) {
  static_cast<std::string*>(user)->append(data, size * count);
  return size * count;
}

std::string Get(const std::string& url) {
  std::string body;
  CURL* h = curl_easy_init();
  if (!h) return body;
  curl_easy_setopt(h, CURLOPT_URL, url.c_str());
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &CurlKeep);
  curl_easy_setopt(h, CURLOPT_WRITEDATA, &body);
  curl_easy_setopt(h, CURLOPT_TIMEOUT, 30L);
  if (curl_easy_perform(h) != CURLE_OK) body.clear();
  curl_easy_cleanup(h);
  return body;
}

void TrackCost(const std::string& scratch) {
  const std::string staging = zv_analytics::RecordQueue::StagingPathFor(scratch, "bench_track");
  Sdk::Init(staging, "http://127.0.0.1:1/unused", "bench-user", false);
  Sdk::AddCommonProperties(Common());
  const PropertiesNode p = TwentyProperties();
  constexpr int kRecords = 20000;
  double best = 1e9;
  for (int round = 0; round < 5; ++round) {
    const auto start = Clock::now();
    for (int i = 0; i < kRecords; ++i) Sdk::Track("ZvEventTask", p);
    const double us = std::chrono::duration<double, std::micro>(Clock::now() - start).count() / kRecords;
    best = std::min(best, us);
  }
  Sdk::Teardown();
  std::remove(staging.c_str());
  std::printf("Track, 20 properties + 6 common: %.2f us per record (best of 5 rounds of %d)\n", best, kRecords);
}

void FlushAllThroughput(int port, const std::string& scratch) {
  const std::string ns = "bench_" + std::to_string(zv_analytics::UnixMilliseconds());
  const std::string base = "http://127.0.0.1:" + std::to_string(port) + "/ns/" + ns;
  const std::string staging = zv_analytics::RecordQueue::StagingPathFor(scratch, "bench_flush");
  std::remove(staging.c_str());
  Sdk::Init(staging, base + "/sa?project=pc", "bench-user", false);
  Sdk::AddCommonProperties(Common());
  const PropertiesNode p = TwentyProperties();
  constexpr int kRecords = 1024;
  for (int i = 0; i < kRecords; ++i) Sdk::Track("ZvEventTask", p);
  const auto start = Clock::now();
  const bool ok = Sdk::FlushAll();
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  Sdk::Teardown();
  std::remove(staging.c_str());

  StrictJson::Value state;
  long long body = 0, json = 0, batches = 0, records = 0;
  if (StrictJson::Parse(Get(base + "/_batches"), &state) && state.Get("batches")) {
    for (const auto& b : state.Get("batches")->items) {
      ++batches;
      body += b.Get("body_bytes")->Integer();
      json += b.Get("json_bytes")->Integer();
      records += static_cast<long long>(b.Get("records")->items.size());
    }
  }
  std::printf("FlushAll of %d records: %s in %.3f s = %.0f records/s, %lld posts, %lld records collected\n",
              kRecords, ok ? "delivered" : "FAILED", seconds, kRecords / seconds, batches, records);
  if (json > 0) {
    std::printf("bytes on the wire (form bodies) %lld vs raw JSON %lld: %.1f%% (%.0f vs %.0f bytes per record)\n",
                body, json, 100.0 * body / json, static_cast<double>(body) / kRecords,
                static_cast<double>(json) / kRecords);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <collector port> <scratch folder>\n", argv[0]);
    return 2;
  }
  curl_global_init(CURL_GLOBAL_ALL);
  TrackCost(argv[2]);
  FlushAllThroughput(std::atoi(argv[1]), argv[2]);
  curl_global_cleanup();
  return 0;
}
