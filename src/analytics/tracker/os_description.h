// How the tracker describes the machine in its records: the "$os_version" text
// from the kernel's version numbers, the user agent, and the locale triple. Pure
// functions over the facts of system_facts.h, so every row can be tested anywhere.
#pragma once
#include <string>

namespace zorvik {
namespace analytics {

struct OsNumbers {
  bool known = false;  // false when the numbers could not be read
  unsigned major = 0;
  unsigned minor = 0;
  unsigned build = 0;  // low 16 bits
};

struct LocaleTriple {
  std::string locale;    // "zv_l10n_locale", e.g. "zh_CN"
  std::string language;  // "zv_l10n_language"
  std::string country;   // "zv_l10n_country"
};

// "XP", "7-32", "10", "11" (10.0 from build 22000), "XP-" for unknown numbers.
std::string OsVersionText(const OsNumbers& os, bool is64Bit, bool serverR2);
// "Mozilla/5.0(Windows <version>; Win64;)" or "...; Win32;)".
std::string UserAgentText(const std::string& osVersion, bool is64Bit);
// A set locale with "_" splits into language and country; otherwise the system's
// ISO 639 / ISO 3166 names, and all three empty when either of them is missing.
LocaleTriple ComputeLocale(const std::string& setLocale, const std::string& systemLanguage,
                           const std::string& systemCountry);

}  // namespace analytics
}  // namespace zorvik
