// Test-side access to the package server (servers/package_server.py): a namespace of
// this test's own, its package files, its scripted faults and its request log.
#pragma once
#include <curl/curl.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_env.h"
#include "utils/md5.h"

namespace PackageServerClient {

// One package request as the server saw it.
struct Request {
  std::string method, path, range, acceptEncoding, userAgent;
  int status = 0;
  // First byte asked for, -1 without a Range header.
  int64_t RangeStart() const {
    if (range.rfind("bytes=", 0) != 0) return -1;
    return std::stoll(range.substr(6));
  }
  // Last byte asked for, -1 when open-ended or absent.
  int64_t RangeEnd() const {
    size_t dash = range.find('-');
    if (dash == std::string::npos || dash + 1 >= range.size()) return -1;
    return std::stoll(range.substr(dash + 1));
  }
};

// Deterministic package bytes: a cheap generator, so digests differ between sizes and seeds.
inline std::string PackageBytes(size_t size, uint32_t seed = 1) {
  std::string out(size, '\0');
  uint32_t x = seed * 2654435761u + 12345u;
  for (size_t i = 0; i < size; ++i) {
    x ^= x << 13; x ^= x >> 17; x ^= x << 5;
    out[i] = static_cast<char>(x >> 24);
  }
  return out;
}

inline std::string Md5Of(const std::string& bytes) {
  Utils::Md5 m;
  m.Update(bytes.data(), bytes.size());
  return m.HexDigest();
}

inline size_t Collect(char* data, size_t size, size_t count, void* out) {
  auto* s = static_cast<std::string*>(out);
  if (s->size() + size * count > (64u << 20)) return 0;  // control answers are small
  s->append(data, size * count);
  return size * count;
}

class Namespace {
 public:
  // name: unique among concurrently running tests (letters, digits, '-').
  explicit Namespace(std::string name, std::string server = "package")
      : name_(std::move(name)), port_(TestEnv::ServerPort(server)), scheme_(server == "package_tls" ? "https" : "http") {
    Post("reset", "");
  }

  int Port() const { return port_; }
  const std::string& Name() const { return name_; }
  // "http://127.0.0.1:<port>/<ns>/<rel>"
  std::string Url(const std::string& rel) const { return Origin() + Path(rel); }
  std::string Path(const std::string& rel) const { return "/" + name_ + "/" + rel; }
  std::string Origin() const { return scheme_ + "://127.0.0.1:" + std::to_string(port_); }

  // Writes a package file the server then serves at Path(rel).
  void WriteFile(const std::string& rel, const std::string& bytes) const {
    std::filesystem::path p = std::filesystem::path(TestEnv::Get("QZ_SERVERS")) / "package-root" / name_;
    for (const auto& part : std::filesystem::path(rel)) p /= part;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  // rules: a JSON array of rules (see the server's description).
  bool Script(const std::string& rules) const { return Post("script", "{\"rules\": " + rules + "}") == 200; }

  std::vector<Request> Log() const {
    std::string text;
    Control("log", nullptr, &text);
    std::vector<Request> out;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
      std::vector<std::string> f;
      std::istringstream fields(line);
      std::string field;
      while (std::getline(fields, field, '\t')) f.push_back(field);
      if (f.size() < 6) continue;
      Request r{f[0], f[1], f[2] == "-" ? "" : f[2], f[3], f[4], std::stoi(f[5])};
      out.push_back(r);
    }
    return out;
  }

  // Only the requests of one method.
  std::vector<Request> Log(const std::string& method) const {
    std::vector<Request> out;
    for (const Request& r : Log())
      if (r.method == method) out.push_back(r);
    return out;
  }

 private:
  long Post(const std::string& op, const std::string& body) const { return Control(op, &body, nullptr); }

  long Control(const std::string& op, const std::string* body, std::string* answer) const {
    std::string url = Origin() + "/_ctl/" + name_ + "/" + op;
    CURL* h = curl_easy_init();
    if (!h) return 0;
    std::string sink;
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, Collect);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, answer ? answer : &sink);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 0L);  // the control side of the TLS server
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 0L);
    if (body) {
      curl_easy_setopt(h, CURLOPT_POSTFIELDS, body->c_str());
      curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE, static_cast<long>(body->size()));
    }
    long status = 0;
    if (curl_easy_perform(h) == CURLE_OK) curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_cleanup(h);
    return status;
  }
  std::string name_;
  int port_;
  std::string scheme_;
};

}  // namespace PackageServerClient
