// The one exception of the tracker layer. Every refused record, unknown
// enumeration value and failed start-up check raises it; the tracker's wrapper
// catches all of them, so nothing the tracker does can stop the installer.
#pragma once
#include <stdexcept>
#include <string>

namespace zorvik {
namespace analytics {

class ZvException : public std::exception {
 public:
  ZvException(std::string message, std::string file, std::string function, int line);

  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& file() const { return file_; }
  const std::string& function() const { return function_; }
  int line() const { return line_; }

 private:
  std::string message_;
  std::string file_;
  std::string function_;
  int line_;
};

}  // namespace analytics
}  // namespace zorvik

// Raises a ZvException that knows where it was raised.
#define ZV_RAISE(message) throw ::zorvik::analytics::ZvException((message), __FILE__, __func__, __LINE__)
