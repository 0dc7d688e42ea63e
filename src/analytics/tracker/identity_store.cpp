#include "analytics/tracker/identity_store.h"

#include "analytics/tracker/distinct_id.h"
#include "utils/profile.h"
#include "utils/text.h"

namespace zorvik {
namespace analytics {
namespace {

const wchar_t kBase[] = L"Base";

std::wstring Wide(const std::string& utf8) { return Utils::ToWide(utf8, Utils::kCodePageUtf8); }
std::string Utf8(const std::wstring& wide) { return Utils::ToNarrow(wide, Utils::kCodePageUtf8); }

}  // namespace

Identity IdentityStore::Load() const {
  Identity id;
  if (Utils::FileExists(file_)) {
    auto read = [&](const wchar_t* key) { return Utf8(Utils::ReadProfileString(file_, kBase, key, L"", 128)); };
    id.distinctId = read(L"DistinctId");
    id.primaryDistinctId = read(L"PrimaryDistinctId");
    if (id.primaryDistinctId.empty()) id.primaryDistinctId = id.distinctId;
    id.userId = read(L"UserId");
    id.vipLevel = Utils::ReadProfileInt(file_, kBase, L"UserVipLevel", 0);
    id.isLogined = read(L"isLogined") == "OK";
    id.url = read(L"URL");
  }
  if (id.distinctId.empty()) {
    id.distinctId = NewDistinctId();
    Save(id);
  }
  return id;
}

void IdentityStore::Reconcile(Identity* id, const std::string& serverUrl) const {
  if (id->url != serverUrl) {
    id->userId.clear();
    id->isLogined = false;
    if (id->primaryDistinctId.empty()) {
      id->distinctId = NewDistinctId();
      id->primaryDistinctId = id->distinctId;
    } else {
      id->distinctId = id->primaryDistinctId;
    }
    id->url = serverUrl;
    Save(*id);
  }
  if (id->userId.empty()) id->isLogined = false;
}

void IdentityStore::Save(const Identity& id) const {
  Utils::WriteProfileString(file_, kBase, L"DistinctId", Wide(id.distinctId));
  Utils::WriteProfileString(file_, kBase, L"PrimaryDistinctId", Wide(id.primaryDistinctId));
  Utils::WriteProfileString(file_, kBase, L"UserId", Wide(id.userId));
  Utils::WriteProfileString(file_, kBase, L"UserVipLevel", std::to_wstring(id.vipLevel));
  Utils::WriteProfileString(file_, kBase, L"URL", Wide(id.url));
  Utils::WriteProfileString(file_, kBase, L"isLogined", id.isLogined ? L"OK" : L"NG");
}

void IdentityStore::WriteAppInfo(const std::string& appStore, const std::string& appName,
                                 const std::string& appVersion) const {
  Utils::WriteProfileString(file_, L"UninstallInfo", L"AppStore", Wide(appStore));
  Utils::WriteProfileString(file_, L"UninstallInfo", L"AppName", Wide(appName));
  Utils::WriteProfileString(file_, L"UninstallInfo", L"AppVersion", Wide(appVersion));
}

}  // namespace analytics
}  // namespace zorvik
