// The line protocol of the package and the uninstaller: each child prints
// key=value lines on standard output; this turns them into status codes. Portable
// (no OS calls), so the native build tests and fuzzes it.
//
// Bytes are split into lines at "\n" before they are decoded, so a line or a
// multibyte character cut by a read boundary is kept as raw bytes and completed by
// the next read; the tail left when the output ends is parsed by Finish. Each line
// is decoded with the code page in force when the line is complete, so "Encode="
// applies to the lines after it.
#pragma once
#include <cstddef>
#include <string>

#include "install/status_callback.h"

enum class ChildStatusTable { Package, Uninstaller };

class ChildStatusParser {
 public:
  static constexpr size_t kMaxValueChars = 771;
  // A line longer than this is parsed from its first kMaxLineBytes bytes; the
  // rest up to its line end is dropped. Room for a key and a value of 771
  // characters in any of the code pages used.
  static constexpr size_t kMaxLineBytes = 4096;
  // Verdicts as Feed and Finish return them.
  static constexpr int kNoVerdict = 0;
  static constexpr int kSuccess = 1;
  static constexpr int kFailure = 1000;

  // The callback is called on the thread that calls Feed and Finish, once per
  // recognised line, with a text that is valid only during the call.
  ChildStatusParser(ChildStatusTable table, StatusCallback callback);

  // Parses every line these bytes complete. Returns the verdict of the last
  // verdict line among them (kSuccess, kFailure) or kNoVerdict.
  int Feed(const char* data, size_t size);
  // The output has ended: parses an unterminated tail as a last line. Same result as Feed.
  int Finish();

  // 0 (the system ANSI code page) until "Encode=" changes it.
  unsigned CodePage() const { return codePage_; }

 private:
  int ParseLine(const std::string& bytes, bool truncated);
  int ParseText(const std::wstring& line);
  void Report(int code, double value, const std::wstring& text) const;

  ChildStatusTable table_;
  StatusCallback callback_;
  std::string tail_;          // bytes of the line not yet ended
  bool tailTruncated_ = false;  // the tail hit kMaxLineBytes; drop until the line end
  unsigned codePage_ = 0;
};
