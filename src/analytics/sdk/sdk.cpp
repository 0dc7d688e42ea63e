#include "analytics/sdk/sdk.h"

#include <cstdlib>
#include <ctime>
#include <utility>

#include "analytics/sdk/checks.h"
#include "analytics/sdk/track_id.h"

namespace zv_analytics {
namespace {

// The one global of the SDK: its owner, set by Init and cleared by Teardown.
std::unique_ptr<Sdk>& Global() {
  static std::unique_ptr<Sdk> instance;
  return instance;
}

const char kLibName[] = "cpp";
const char kLibVersion[] = "0.9";

// "$time" (a DateTime) becomes the record time and leaves the properties; without
// it the record is stamped now.
int64_t TakeRecordTime(PropertiesNode* p) {
  const ValueNode* time = p->Find("$time");
  if (!time) return UnixMilliseconds();
  const DateTime t = time->AsDateTime();
  const int64_t ms = t.seconds * 1000 + t.milliseconds;
  p->Remove("$time");
  return ms;
}

std::string TakeProject(PropertiesNode* p) {
  const ValueNode* project = p->Find("$project");
  if (!project) return "";
  std::string name = project->AsString();
  p->Remove("$project");
  return name;
}

bool ChecksPass(const std::string& action, const std::string& eventName, const PropertiesNode& properties,
                const std::string& originalId) {
  if (!properties.CheckProperties()) return false;
  if (action == "track") return CheckName(eventName, "Event Name");
  if (action == "track_signup") return CheckLength(originalId, "Original ID");
  return true;
}

}  // namespace

Sdk::Sdk(const std::string& stagingPath, const std::string& serverUrl, std::string distinctId, bool isLoginId)
    : distinctId_(std::move(distinctId)), isLoginId_(isLoginId), queue_(serverUrl, stagingPath) {
  commonProperties_.SetString("$lib", kLibName);
  commonProperties_.SetString("$lib_version", kLibVersion);
}

Sdk* Sdk::Instance() { return Global().get(); }

bool Sdk::Init(const std::string& stagingPath, const std::string& serverUrl, const std::string& distinctId,
               bool isLoginId) {
  if (!CheckLength(distinctId, "Distinct ID")) return false;
  if (Global()) return true;
  Global().reset(new Sdk(stagingPath, serverUrl, distinctId, isLoginId));
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  return true;
}

void Sdk::Teardown() {
  Sdk* sdk = Instance();
  if (!sdk) return;
  sdk->queue_.Shutdown();
  Global().reset();
}

utils::ObjectNode Sdk::BuildRecord(const std::string& action, const std::string& eventName,
                                   const PropertiesNode& properties, const std::string& distinctId,
                                   const std::string& originalId) {
  PropertiesNode p;
  bool loggedIn = false;
  {
    std::lock_guard<std::mutex> lock(identityLock_);
    if (action.find("track") != std::string::npos) p.Merge(commonProperties_);
    loggedIn = isLoginId_;
  }
  p.Merge(properties);
  const int64_t time = TakeRecordTime(&p);
  const std::string project = TakeProject(&p);
  if (loggedIn) p.SetBool("$is_login_id", true);

  utils::ObjectNode lib;
  lib.SetString("$lib", kLibName);
  lib.SetString("$lib_version", kLibVersion);
  lib.SetString("$lib_method", "code");

  utils::ObjectNode record;
  record.SetString("type", action);
  record.SetNumber("time", time);
  record.SetValue("distinct_id", ValueNode::String(distinctId));
  record.SetObject("properties", p);
  record.SetObject("lib", lib);
  record.SetNumber("_track_id", NewTrackId());
  if (!project.empty()) record.SetValue("project", ValueNode::String(project));
  if (action == "track" || action == "track_signup") record.SetValue("event", ValueNode::String(eventName));
  if (action == "track_signup") record.SetValue("original_id", ValueNode::String(originalId));
  return record;
}

bool Sdk::AddRecord(const std::string& action, const std::string& eventName, const PropertiesNode& properties,
                    const std::string& distinctId, const std::string& originalId) {
  Sdk* sdk = Instance();
  if (!sdk) return false;
  if (!ChecksPass(action, eventName, properties, originalId)) return false;
  sdk->queue_.Add(sdk->BuildRecord(action, eventName, properties, distinctId, originalId));
  return true;
}

std::string Sdk::DistinctId() {
  Sdk* sdk = Instance();
  if (!sdk) return "";
  std::lock_guard<std::mutex> lock(sdk->identityLock_);
  return sdk->distinctId_;
}

bool Sdk::IsLoginId() {
  Sdk* sdk = Instance();
  if (!sdk) return false;
  std::lock_guard<std::mutex> lock(sdk->identityLock_);
  return sdk->isLoginId_;
}

void Sdk::Track(const std::string& eventName, const PropertiesNode& properties) {
  if (!Instance()) return;
  AddRecord("track", eventName, properties, DistinctId(), "");
}

void Sdk::TrackActivation(const std::string& eventName, const PropertiesNode& properties) {
  if (!Instance()) return;
  PropertiesNode p;
  p.SetString("$ios_install_source", "");
  p.Merge(properties);
  Track(eventName, p);
}

void Sdk::Login(const std::string& loginId) {
  Sdk* sdk = Instance();
  if (!sdk) return;
  AddRecord("track_signup", "$SignUp", PropertiesNode(), loginId, DistinctId());
  std::lock_guard<std::mutex> lock(sdk->identityLock_);
  sdk->distinctId_ = loginId;
  sdk->isLoginId_ = true;
}

bool Sdk::AddProfile(const std::string& action, const PropertiesNode& properties) {
  if (!Instance()) return false;
  return AddRecord(action, "", properties, DistinctId(), "");
}

void Sdk::ProfileSet(const PropertiesNode& properties) { AddProfile("profile_set", properties); }

void Sdk::ProfileSet(const std::string& key, const std::string& value) {
  if (!Instance()) return;
  PropertiesNode p;
  p.SetString(key, value);
  AddProfile("profile_set", p);
}

void Sdk::ProfileSet(const std::string& key, int32_t value) {
  PropertiesNode p;
  p.SetNumber(key, value);
  AddProfile("profile_set", p);
}

void Sdk::ProfileSet(const std::string& key, double value) {
  PropertiesNode p;
  p.SetNumber(key, value);
  AddProfile("profile_set", p);
}

void Sdk::ProfileSetOnce(const PropertiesNode& properties) { AddProfile("profile_set_once", properties); }

void Sdk::ProfileSetOnce(const std::string& key, const std::string& value) {
  if (!Instance()) return;
  PropertiesNode p;
  p.SetString(key, value);
  AddProfile("profile_set_once", p);
}

void Sdk::ProfileSetOnce(const std::string& key, int32_t value) {
  PropertiesNode p;
  p.SetNumber(key, value);
  AddProfile("profile_set_once", p);
}

void Sdk::ProfileSetOnce(const std::string& key, double value) {
  PropertiesNode p;
  p.SetNumber(key, value);
  AddProfile("profile_set_once", p);
}

void Sdk::ProfileIncrement(const PropertiesNode& properties) { AddProfile("profile_increment", properties); }

void Sdk::ProfileIncrement(const std::string& key, int32_t value) {
  PropertiesNode p;
  p.SetNumber(key, value);
  AddProfile("profile_increment", p);
}

void Sdk::ProfileAppend(const std::string& key, const std::string& value) {
  PropertiesNode p;
  p.SetList(key, {value});
  AddProfile("profile_append", p);
}

void Sdk::AddCommonProperties(const PropertiesNode& properties) {
  Sdk* sdk = Instance();
  if (!sdk) return;
  std::lock_guard<std::mutex> lock(sdk->identityLock_);
  sdk->commonProperties_.Merge(properties);
}

bool Sdk::FlushAll() {
  Sdk* sdk = Instance();
  if (!sdk) return false;
  return sdk->queue_.FlushAll();
}

}  // namespace zv_analytics
