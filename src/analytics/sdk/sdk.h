// The process-wide analytics SDK: turns each track or profile call into one JSON
// record and hands it to the record queue. Every operation is static and returns
// at once, doing nothing, while no Sdk exists (before Init, after Teardown).
//
// Threads: record operations may run on any thread. The identity (distinct id,
// login flag) and the common properties are guarded by a small lock of their own,
// so Login or AddCommonProperties on one thread never tears a record being built
// on another. Init and Teardown run on one thread while no record is being built.
#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "analytics/sdk/properties_node.h"
#include "analytics/sdk/record_queue.h"

namespace zv_analytics {

class Sdk {
 public:
  // Starts the SDK; false only when the distinct id fails its length check. A second
  // Init changes nothing and returns true. stagingPath names the queue's staging file
  // (RecordQueue::StagingPathFor); serverUrl the collection endpoint.
  static bool Init(const std::string& stagingPath, const std::string& serverUrl, const std::string& distinctId,
                   bool isLoginId);
  // Saves what is still queued to the staging file and frees the Sdk.
  static void Teardown();

  static void Track(const std::string& eventName, const PropertiesNode& properties);
  // The activation event: "$ios_install_source" = "" unless the caller sets it.
  static void TrackActivation(const std::string& eventName, const PropertiesNode& properties);
  // Records "$SignUp" from the current id to loginId, then makes loginId the
  // distinct id with the login flag set (also when the record was rejected).
  static void Login(const std::string& loginId);

  static void ProfileSet(const PropertiesNode& properties);
  static void ProfileSet(const std::string& key, const std::string& value);
  static void ProfileSet(const std::string& key, int32_t value);
  static void ProfileSet(const std::string& key, double value);
  static void ProfileSetOnce(const PropertiesNode& properties);
  static void ProfileSetOnce(const std::string& key, const std::string& value);
  static void ProfileSetOnce(const std::string& key, int32_t value);
  static void ProfileSetOnce(const std::string& key, double value);
  static void ProfileIncrement(const PropertiesNode& properties);
  static void ProfileIncrement(const std::string& key, int32_t value);
  static void ProfileAppend(const std::string& key, const std::string& value);

  // Merges into the common properties of every later "track" and "track_signup" record.
  static void AddCommonProperties(const PropertiesNode& properties);
  // Sends every queued record (see RecordQueue::FlushAll); false without an Sdk.
  static bool FlushAll();

  // The builder behind every record operation; false when a check rejects the
  // record (its message is on standard error) or no Sdk exists.
  static bool AddRecord(const std::string& action, const std::string& eventName, const PropertiesNode& properties,
                        const std::string& distinctId, const std::string& originalId);

  // The identity records are written with (empty without an Sdk).
  static std::string DistinctId();
  static bool IsLoginId();

 private:
  Sdk(const std::string& stagingPath, const std::string& serverUrl, std::string distinctId, bool isLoginId);
  static Sdk* Instance();
  static bool AddProfile(const std::string& action, const PropertiesNode& properties);
  utils::ObjectNode BuildRecord(const std::string& action, const std::string& eventName, const PropertiesNode& properties,
                                const std::string& distinctId, const std::string& originalId);

  mutable std::mutex identityLock_;
  PropertiesNode commonProperties_;  // guarded by identityLock_
  std::string distinctId_;           // guarded by identityLock_
  bool isLoginId_ = false;           // guarded by identityLock_
  RecordQueue queue_;
};

}  // namespace zv_analytics
