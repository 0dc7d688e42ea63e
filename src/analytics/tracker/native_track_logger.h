// The tracker's text log. Event lines go to it only in debug mode, which the
// installer never turns on, so in practice it only makes sure the file exists.
// Thread-safe: lines from several threads are written whole, one at a time.
#pragma once
#include <fstream>
#include <mutex>
#include <string>

namespace zorvik {
namespace analytics {

class TrackLogger {
 public:
  virtual ~TrackLogger() = default;
  // One recorded event: its kind's name, the event name and its properties as JSON.
  virtual void logEvent(const std::string& kindName, const std::string& eventName,
                        const std::string& propertiesJson) = 0;
  virtual void logMessage(const std::string& text) = 0;
};

class NativeTrackLogger : public TrackLogger {
 public:
  // Opens (creating, never truncating) the file at path (ANSI code page).
  explicit NativeTrackLogger(const std::string& path);

  void logEvent(const std::string& kindName, const std::string& eventName,
                const std::string& propertiesJson) override;
  void logMessage(const std::string& text) override;

 private:
  std::mutex lock_;
  std::ofstream file_;  // guarded by lock_
};

}  // namespace analytics
}  // namespace zorvik
