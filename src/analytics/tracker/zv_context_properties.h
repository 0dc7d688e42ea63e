// ZvContextProperties: the properties a caller attaches to one track call, listed
// per event kind (0-14), so one bag can serve a call of any kind. The installer
// puts its A/B label ("zvc_ab") here. One object lives for one call and is used by
// one thread; the values are shared between the kinds that list them.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "analytics/sdk/properties_node.h"

namespace zorvik {
namespace analytics {

struct ZvContextValue {
  enum class Kind { kBool = 0, kTime = 1, kNumber = 2, kString = 3, kList = 4 };
  Kind kind = Kind::kString;
  bool flag = false;
  int64_t time = 0;  // a count as time_text.h reads it
  double number = 0;
  std::string text;
  std::vector<std::string> list;
};

class ZvContextProperties {
 public:
  struct Entry {
    ZvContextValue::Kind kind;
    std::shared_ptr<const ZvContextValue> value;
    std::string key;
  };

  // The A/B value under "zvc_ab" for each listed kind. Raises "Property[zvc_ab]
  // already exist!" on a second call, "ZvEvent[<kind>] overflow!" for a kind
  // outside 0-14 (the kinds before it stay listed).
  void setProperty(const std::vector<int>& eventKinds, const std::string& value);
  // The same for any key and value kind.
  void addProperty(const std::string& key, const ZvContextValue& value, const std::vector<int>& eventKinds);
  // The entries of one kind in the order they were added; raises "ZvEvent[<kind>]
  // overflow!" for a kind outside 0-14.
  const std::vector<Entry>& getEventProperties(int eventKind) const;

  // Accepts an A/B label of one to three characters: an upper-case letter, then
  // upper-case letters or digits. Empty is false; every other refusal raises
  // ("value's length is great than 3.", "First char is not in A to Z",
  // "second char is not in A to Z and 0 to 9", "third char is not in A to Z and 0 to 9").
  static bool isValidABValue(const std::string& value);

  // Sets the kind's entries into the event's properties (a time as its local time
  // text, strings through SetString with its checks); true when there was any.
  bool applyTo(int eventKind, zv_analytics::PropertiesNode* properties) const;

 private:
  std::map<std::string, std::shared_ptr<const ZvContextValue>> byKey_;
  std::vector<Entry> byKind_[15];
};

}  // namespace analytics
}  // namespace zorvik
