// Owners for libcurl easy handles and header lists, and the narrow address form the
// downloaders hand to the library.
#pragma once
#include <curl/curl.h>

#include <memory>
#include <string>

namespace CurlEasy {

struct HandleDeleter {
  void operator()(CURL* h) const { curl_easy_cleanup(h); }
};
using Handle = std::unique_ptr<CURL, HandleDeleter>;

struct ListDeleter {
  void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};
using HeaderList = std::unique_ptr<curl_slist, ListDeleter>;

// Appends one header line; the list stays unchanged when the library runs out of memory.
void AppendHeader(HeaderList& list, const char* line);

// The address as the library takes it: UTF-8, except a "file:///" address, which names
// a local file and therefore goes in the system code page.
std::string NarrowAddress(const std::wstring& url);

// A write callback that accepts and drops every byte (probe bodies).
size_t DiscardBody(char* data, size_t size, size_t count, void* user);

// The library's text for a result code, as wide text for the log. The downloaders'
// own negative codes are not the library's; they read "not a library code".
std::wstring ErrorText(int code);

}  // namespace CurlEasy
