// Code-page conversions and the two address helpers. File paths and C-runtime
// names use the ANSI code page (0); network addresses and analytics texts UTF-8.
// On POSIX both code pages are UTF-8.
#pragma once
#include <string>

namespace Utils {

constexpr unsigned kCodePageAnsi = 0;
constexpr unsigned kCodePageUtf8 = 65001;

// Empty when the conversion fails (including an unknown code page).
std::string ToNarrow(const std::wstring& text, unsigned codePage);
std::wstring ToWide(const std::string& text, unsigned codePage);

// UTF-8 bytes outside 33..126 become "%XX" (upper case), the blank becomes "+";
// every printable ASCII character stays.
std::wstring UrlEscape(const std::wstring& text);

// The path segment between the last-but-one "/" and the last "/"; empty with
// fewer than two "/". For ".../<32 hex digits>/setup.exe" it is the digest.
std::string UrlParentSegment(const std::string& address);

}  // namespace Utils
