#include "analytics/tracker/os_description.h"

namespace zorvik {
namespace analytics {
namespace {

std::string Bits(bool is64Bit, const char* with64, const char* without) { return is64Bit ? with64 : without; }

std::string Version5(unsigned minor, bool is64Bit, bool serverR2) {
  if (minor == 0) return "2K";
  if (minor == 1) return "XP";
  if (minor == 2) return is64Bit ? "XP64" : serverR2 ? "Server 2003 R2" : "Server 2003";
  return "XP+";
}

std::string Version6(unsigned minor, bool is64Bit) {
  switch (minor) {
    case 0: return Bits(is64Bit, "Vista64", "Vista");
    case 1: return Bits(is64Bit, "7", "7-32");
    case 2: return Bits(is64Bit, "8", "8-32");
    case 3: return "8.1";
    default: return "8.1+";
  }
}

}  // namespace

std::string OsVersionText(const OsNumbers& os, bool is64Bit, bool serverR2) {
  if (!os.known || os.major <= 4) return "XP-";
  if (os.major == 5) return Version5(os.minor, is64Bit, serverR2);
  if (os.major == 6) return Version6(os.minor, is64Bit);
  if (os.major == 10) return os.minor == 0 ? (os.build < 22000 ? "10" : "11") : "11+";
  return std::to_string(os.major) + "." + std::to_string(os.minor) + "." + std::to_string(os.build);
}

std::string UserAgentText(const std::string& osVersion, bool is64Bit) {
  return "Mozilla/5.0(Windows " + osVersion + "; Win" + (is64Bit ? "64;)" : "32;)");
}

LocaleTriple ComputeLocale(const std::string& setLocale, const std::string& systemLanguage,
                           const std::string& systemCountry) {
  LocaleTriple t;
  const size_t cut = setLocale.find('_');
  if (cut != std::string::npos) {
    t.locale = setLocale;
    t.language = setLocale.substr(0, cut);
    t.country = setLocale.substr(cut + 1);
  } else if (!systemLanguage.empty() && !systemCountry.empty()) {
    t.language = systemLanguage;
    t.country = systemCountry;
    t.locale = systemLanguage + "_" + systemCountry;
  }
  return t;
}

}  // namespace analytics
}  // namespace zorvik
