#include "download/curl_easy.h"

#include "utils/text.h"

namespace CurlEasy {

void AppendHeader(HeaderList& list, const char* line) {
  curl_slist* grown = curl_slist_append(list.get(), line);
  if (!grown) return;
  list.release();
  list.reset(grown);
}

std::string NarrowAddress(const std::wstring& url) {
  bool local = url.compare(0, 8, L"file:///") == 0;
  return Utils::ToNarrow(url, local ? Utils::kCodePageAnsi : Utils::kCodePageUtf8);
}

size_t DiscardBody(char*, size_t size, size_t count, void*) { return size * count; }

std::wstring ErrorText(int code) {
  if (code < 0 || code >= CURL_LAST) return L"not a library code";
  const char* text = curl_easy_strerror(static_cast<CURLcode>(code));
  return Utils::ToWide(text ? text : "", Utils::kCodePageUtf8);
}

}  // namespace CurlEasy
