// Utils::Exception: thrown by the pipe and child-process classes, caught by the runners.
#pragma once
#include <exception>
#include <string>

namespace Utils {

class Exception : public std::exception {
 public:
  // The message is the text in the ANSI code page.
  explicit Exception(const std::wstring& text = std::wstring());
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

}  // namespace Utils
