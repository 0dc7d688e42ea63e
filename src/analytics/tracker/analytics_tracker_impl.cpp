// Start-up, shutdown, the common properties and the delivery schedule.
#include "analytics/tracker/analytics_tracker_impl.h"

#include <chrono>
#include <thread>
#include <utility>

#include "analytics/sdk/record_queue.h"
#include "analytics/sdk/sdk.h"
#include "analytics/tracker/catalogue_enums.h"
#include "analytics/tracker/system_facts.h"
#include "analytics/tracker/zv_exception.h"
#include "utils/text.h"

namespace zorvik {
namespace analytics {
namespace {

using zv_analytics::PropertiesNode;
using zv_analytics::Sdk;

std::wstring WideOf(const std::string& utf8) { return Utils::ToWide(utf8, Utils::kCodePageUtf8); }
std::string AnsiOf(const std::wstring& wide) { return Utils::ToNarrow(wide, Utils::kCodePageAnsi); }

void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(1)); }

std::string EditionName(int edition) {
  if (edition == 0) return "china";
  if (edition == 1) return "overseas";
  ZV_RAISE("Unknown edition [" + std::to_string(edition) + "]!");
}

}  // namespace

AnalyticsTrackerImpl::AnalyticsTrackerImpl(TrackerConfig config) : config_(std::move(config)) {
  const bool is64 = system_facts::Is64BitSystem();
  osVersion_ = OsVersionText(system_facts::QueryOsNumbers(), is64, system_facts::IsServerR2());
  userAgent_ = UserAgentText(osVersion_, is64);
}

AnalyticsTrackerImpl::~AnalyticsTrackerImpl() { shutdown(); }

void AnalyticsTrackerImpl::init() {
  if (config_.appName.empty()) ZV_RAISE("appName is empty");
  if (config_.appVersion.empty()) ZV_RAISE("appVersion is empty");
  if (config_.appStore.empty()) ZV_RAISE("appStore is empty");

  const std::wstring appName = WideOf(config_.appName);
  files_ = PrepareIdentityFiles(appName);
  store_ = std::make_unique<IdentityStore>(files_.settingsFile);
  serverUrl_ = config_.serverUrl.empty() ? DefaultServerUrl() : config_.serverUrl;

  Identity id = store_->Load();
  store_->Reconcile(&id, serverUrl_);
  {
    std::lock_guard<std::mutex> hold(identityLock_);
    identity_ = id;
  }

  logPath_ = config_.logPath.empty() ? AnsiOf(files_.dataDirectory + appName + L"_ZVSLog.txt") : config_.logPath;
  logger_ = std::make_unique<NativeTrackLogger>(logPath_);

  // Unsent records wait in a file of the data directory for the next run.
  const std::string staging =
      zv_analytics::RecordQueue::StagingPathFor(AnsiOf(files_.dataDirectory), AnsiOf(appName));
  const bool started = id.isLogined ? Sdk::Init(staging, serverUrl_, id.userId, true)
                                    : Sdk::Init(staging, serverUrl_, id.distinctId, false);
  if (!started) ZV_RAISE("zv_analytics::Sdk::Init is failed");
  sdkStarted_ = true;

  Sdk::AddCommonProperties(CommonProperties());
  store_->WriteAppInfo(config_.appStore, config_.appName, config_.appVersion);
}

PropertiesNode AnalyticsTrackerImpl::CommonProperties() const {
  PropertiesNode p;
  p.SetString("zv_app_id", config_.appName);
  p.SetString("$app_version", config_.appVersion);
  p.SetString("$app_id", config_.appName);
  p.SetString("zv_app_store", config_.appStore);
  p.SetString("zv_edition", EditionName(config_.edition));
  if (!config_.dlAppId.empty()) p.SetString("zv_dlapp_id", config_.dlAppId);
  if (!config_.dlAppVersion.empty()) p.SetString("zv_dlapp_version", config_.dlAppVersion);
  p.SetString("zv_app_platform", "Windows");
  p.SetString("zv_track_type", "Client");
  p.SetString("zv_sdk_version", "3.3.8");
  p.SetString("zv_sdk", "WindowsCPP");
  p.SetString("$os", "Windows");
  p.SetString("$os_version", osVersion_);
  p.Merge(LocaleProperties());
  p.SetNumber("$screen_height", system_facts::ScreenHeight());
  p.SetNumber("$screen_width", system_facts::ScreenWidth());
  const Identity id = identity();
  if (!id.userId.empty()) p.SetString("zv_user_id", id.userId);
  return p;
}

PropertiesNode AnalyticsTrackerImpl::LocaleProperties() const {
  std::string language, country, locale;
  system_facts::UserLocaleNames(&language, &country);
  {
    std::lock_guard<std::mutex> hold(identityLock_);
    locale = locale_;
  }
  const LocaleTriple t = ComputeLocale(locale, language, country);
  PropertiesNode p;
  p.SetString("zv_l10n_locale", t.locale);
  p.SetString("zv_l10n_language", t.language);
  p.SetString("zv_l10n_country", t.country);
  return p;
}

void AnalyticsTrackerImpl::shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  if (store_) store_->Save(identity());
  FlushPending(false);
  if (sdkStarted_) Sdk::Teardown();
  sdkStarted_ = false;
  store_.reset();
  logger_.reset();
}

void AnalyticsTrackerImpl::Record(int kind, const std::string& eventName, PropertiesNode* properties,
                                  const ZvContextProperties* context) {
  if (context) context->applyTo(kind, properties);
  if (debug_ && logger_) logger_->logEvent(EventKindName(kind), eventName, properties->ToJson());
  Sdk::Track(eventName, *properties);
}

void AnalyticsTrackerImpl::Ordinary() {
  Pause();
  pending_.fetch_add(1);
}

void AnalyticsTrackerImpl::Urgent() {
  // The urgent record itself waits too: without it in the count, an urgent event
  // with nothing else queued would sit in the queue until the next run.
  pending_.fetch_add(1);
  FlushPending(true);
}

void AnalyticsTrackerImpl::FlushPending(bool pauseAfterFailure) {
  for (int attempt = 0; attempt < 3 && pending_.load() > 0; ++attempt) {
    if (Sdk::FlushAll()) {
      pending_.exchange(0);
      return;
    }
    if (pauseAfterFailure) Pause();
  }
}

void AnalyticsTrackerImpl::setLocale(const std::string& locale) {
  {
    std::lock_guard<std::mutex> hold(identityLock_);
    locale_ = locale;
  }
  Sdk::AddCommonProperties(LocaleProperties());
}

std::string AnalyticsTrackerImpl::getPrimaryDistinctId() {
  std::lock_guard<std::mutex> hold(identityLock_);
  return identity_.primaryDistinctId;
}

Identity AnalyticsTrackerImpl::identity() const {
  std::lock_guard<std::mutex> hold(identityLock_);
  return identity_;
}

}  // namespace analytics
}  // namespace zorvik
