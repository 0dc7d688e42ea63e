#include "analytics/tracker/native_track_logger.h"

namespace zorvik {
namespace analytics {

NativeTrackLogger::NativeTrackLogger(const std::string& path) : file_(path, std::ios::out | std::ios::app) {}

void NativeTrackLogger::logEvent(const std::string& kindName, const std::string& eventName,
                                 const std::string& propertiesJson) {
  logMessage("[" + kindName + "] " + eventName + " " + propertiesJson);
}

void NativeTrackLogger::logMessage(const std::string& text) {
  std::lock_guard<std::mutex> hold(lock_);
  if (!file_) return;
  file_ << text << '\n';
  file_.flush();
}

}  // namespace analytics
}  // namespace zorvik
