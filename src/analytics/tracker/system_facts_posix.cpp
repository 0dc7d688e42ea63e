// Stand-ins for the native test build: a 64-bit Windows 10 without a screen, the
// locale from LANG, and folders from the XDG data home, so tests can point the
// tracker's files at a scratch folder.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "analytics/tracker/system_facts.h"
#include "utils/text.h"

namespace zorvik {
namespace analytics {
namespace system_facts {
namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

}  // namespace

OsNumbers QueryOsNumbers() { return OsNumbers{true, 10, 0, 19045}; }
bool Is64BitSystem() { return sizeof(void*) == 8; }
bool IsServerR2() { return false; }

void UserLocaleNames(std::string* language, std::string* country) {
  // "ll_CC.charset@modifier"
  std::string lang = Env("LANG");
  lang = lang.substr(0, lang.find_first_of(".@"));
  const size_t cut = lang.find('_');
  *language = cut == std::string::npos || lang == "C" ? std::string() : lang.substr(0, cut);
  *country = cut == std::string::npos ? std::string() : lang.substr(cut + 1);
}

int ScreenWidth() { return 0; }
int ScreenHeight() { return 0; }

std::wstring LocalAppDataFolder() {
  std::string base = Env("XDG_DATA_HOME");
  if (base.empty() && !Env("HOME").empty()) base = Env("HOME") + "/.local/share";
  return Utils::ToWide(base, Utils::kCodePageUtf8);
}
std::wstring SharedDocumentsFolder() { return LocalAppDataFolder(); }

std::wstring ShortPath(const std::wstring& path) { return path; }

std::wstring ExecutableFolder() {
  char buf[4096];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return std::wstring();
  std::string path(buf, static_cast<size_t>(n));
  return Utils::ToWide(path.substr(0, path.rfind('/') + 1), Utils::kCodePageUtf8);
}

bool MakeFolder(const std::wstring& path) {
  const std::string p = Utils::ToNarrow(path, Utils::kCodePageUtf8);
  struct stat st;
  return mkdir(p.c_str(), 0755) == 0 || (stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode));
}

bool CreateGuid(Guid* guid) {
  unsigned char bytes[16];
  std::ifstream random("/dev/urandom", std::ios::binary);
  if (!random.read(reinterpret_cast<char*>(bytes), sizeof bytes)) return false;
  guid->data1 = (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) | bytes[3];
  guid->data2 = static_cast<uint16_t>((bytes[4] << 8) | bytes[5]);
  guid->data3 = static_cast<uint16_t>((bytes[6] << 8) | bytes[7]);
  for (int i = 0; i < 8; ++i) guid->data4[i] = bytes[8 + i];
  return true;
}

}  // namespace system_facts
}  // namespace analytics
}  // namespace zorvik
