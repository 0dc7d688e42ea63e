#include "analytics/tracker/native_track_logger.h"

namespace zorvik {
namespace analytics {

NativeTrackLogger::NativeTrackLogger(const std::string& path) : file_(std::fopen(path.c_str(), "a")) {}

void NativeTrackLogger::logEvent(const std::string& kindName, const std::string& eventName,
                                 const std::string& propertiesJson) {
  logMessage("[" + kindName + "] " + eventName + " " + propertiesJson);
}

void NativeTrackLogger::logMessage(const std::string& text) {
  std::lock_guard<std::mutex> hold(lock_);
  if (!file_) return;
  std::fwrite(text.data(), 1, text.size(), file_.get());
  std::fputc('\n', file_.get());
  std::fflush(file_.get());
}

}  // namespace analytics
}  // namespace zorvik
