// The two key tables and the scans of their values. A key matches when the line
// begins with it (case matters); the first match in table order decides.
#include "install/child_status_parser.h"

#include <cstdint>
#include <cstring>
#include <cwchar>
#include <utility>

#include "install/status_codes.h"
#include "utils/text.h"

namespace {

enum class Scan { Progress, Value, State, Version, Error, Detention, StartupStyle, Encode };

struct Rule {
  const wchar_t* key;
  Scan scan;
  int code;
};

struct Table {
  const Rule* rules;
  size_t count;
  int progressCode;
  int successCode;
  int failCode;
  const wchar_t* failText;
  int errorCode;
  double errorValue;
  bool numericEncode;  // the package also takes "ACP" and numeric code pages
};

const Rule kPackageRules[] = {
    {L"Progress=", Scan::Progress, IST_CODE_PROGRESS},
    {L"InstPath=", Scan::Value, IST_INFO_INSTPATH},
    {L"State=", Scan::State, 0},
    {L"InstallVersion=", Scan::Version, 0},
    {L"ExePath=", Scan::Value, IST_INFO_EXEPATH},
    {L"StartExe=", Scan::Value, IST_INFO_EXEPATH},
    {L"UninstExePath=", Scan::Value, IST_INFO_UNINSTEXE},
    {L"UninstExe=", Scan::Value, IST_INFO_UNINSTEXE},
    {L"UninstEp=", Scan::Value, IST_INFO_UNINSTEP},
    {L"Error=", Scan::Error, 0},
    {L"TopShowDetention=", Scan::Detention, IST_INFO_TOPSHOW},
    {L"FinsihCloseDetention=", Scan::Detention, IST_INFO_FINISHCLOSE},
    {L"StartUrl=", Scan::Value, IST_INFO_STARTURL},
    {L"StartupStyle=", Scan::StartupStyle, IST_INFO_STARTUPSTYLE},
    {L"Encode=", Scan::Encode, 0},
    {L"Message=", Scan::Value, IST_INFO_MESSAGE},
};

const Rule kUninstallerRules[] = {
    {L"Progress=", Scan::Progress, UNIST_CODE_PROGRESS},
    {L"Error=", Scan::Error, 0},
    {L"State=", Scan::State, 0},
    {L"Encode=", Scan::Encode, 0},
};

const Table kPackage = {kPackageRules, sizeof(kPackageRules) / sizeof(Rule), IST_CODE_PROGRESS,
                        INSTALL_SUCCESS, IST_CODE_FAIL, L"安装包安装失败", IST_CODE_FAIL, 1000.0, true};
const Table kUninstaller = {kUninstallerRules, sizeof(kUninstallerRules) / sizeof(Rule), UNIST_CODE_PROGRESS,
                            UNIST_CODE_SUCCESS, UNIST_CODE_ERROR, L"安装包卸载失败", UNIST_CODE_ERROR, 0.0,
                            false};

const wchar_t kWhite[] = L" \t\r\n\v\f";

std::wstring Trim(const std::wstring& s) {
  size_t first = s.find_first_not_of(kWhite);
  if (first == std::wstring::npos) return std::wstring();
  size_t last = s.find_last_not_of(kWhite);
  return s.substr(first, last - first + 1);
}

// Everything to the line end, at most 771 characters, never half a surrogate pair.
std::wstring ScanValue(const std::wstring& rest) {
  size_t n = rest.size();
  if (n > ChildStatusParser::kMaxValueChars) {
    n = ChildStatusParser::kMaxValueChars;
    auto c = static_cast<uint32_t>(rest[n - 1]);
    if (sizeof(wchar_t) == 2 && c >= 0xD800 && c <= 0xDBFF) --n;
  }
  return rest.substr(0, n);
}

double ScanDouble(const std::wstring& rest) {
  wchar_t* end = nullptr;
  double v = std::wcstod(rest.c_str(), &end);
  return end == rest.c_str() ? 0.0 : v;
}

// "%d" kept to its low 32 bits, as the receivers take the number unsigned
// (so -1 arrives as 4294967295); 0 when no digits follow.
uint32_t ScanInt32Bits(const std::wstring& rest) {
  size_t i = 0;
  while (i < rest.size() && std::wcschr(kWhite, rest[i]) && rest[i] != L'\0') ++i;
  bool negative = false;
  if (i < rest.size() && (rest[i] == L'-' || rest[i] == L'+')) negative = rest[i++] == L'-';
  uint32_t v = 0;
  for (; i < rest.size() && rest[i] >= L'0' && rest[i] <= L'9'; ++i) v = v * 10u + static_cast<uint32_t>(rest[i] - L'0');
  return negative ? 0u - v : v;
}

double StartupStyle(const std::wstring& value) {
  if (value == L"AutoStartup") return 1.0;
  if (value == L"UserStartup") return 2.0;
  return 0.0;  // "NonStartup" and anything unknown
}

// A numeric code page counts only when this system can decode with it, so a
// wrong number falls back to the ANSI code page instead of silencing the child.
unsigned PackageCodePage(const std::wstring& value) {
  if (value == L"UTF8") return Utils::kCodePageUtf8;
  if (value == L"ACP" || value.empty() || value.size() > 5) return Utils::kCodePageAnsi;
  unsigned cp = 0;
  for (wchar_t c : value) {
    if (c < L'0' || c > L'9') return Utils::kCodePageAnsi;
    cp = cp * 10 + static_cast<unsigned>(c - L'0');
  }
  if (cp > 65535 || Utils::ToWide("A", cp) != L"A") return Utils::kCodePageAnsi;
  return cp;
}

}  // namespace

ChildStatusParser::ChildStatusParser(ChildStatusTable table, StatusCallback callback)
    : table_(table), callback_(std::move(callback)) {}

void ChildStatusParser::Report(int code, double value, const std::wstring& text) const {
  if (callback_) callback_(code, value, text);
}

int ChildStatusParser::Feed(const char* data, size_t size) {
  int verdict = kNoVerdict;
  size_t start = 0;
  while (start < size) {
    const void* nl = std::memchr(data + start, '\n', size - start);
    size_t end = nl ? static_cast<size_t>(static_cast<const char*>(nl) - data) : size;
    size_t room = kMaxLineBytes - tail_.size();
    size_t take = end - start;
    if (take > room) {
      take = room;
      tailTruncated_ = true;
    }
    tail_.append(data + start, take);
    if (!nl) break;
    int v = ParseLine(tail_, tailTruncated_);
    if (v != kNoVerdict) verdict = v;
    tail_.clear();
    tailTruncated_ = false;
    start = end + 1;
  }
  return verdict;
}

int ChildStatusParser::Finish() {
  if (tail_.empty()) return kNoVerdict;
  int v = ParseLine(tail_, tailTruncated_);
  tail_.clear();
  tailTruncated_ = false;
  return v;
}

int ChildStatusParser::ParseLine(const std::string& bytes, bool truncated) {
  if (bytes.empty()) return kNoVerdict;
  std::wstring line = Utils::ToWide(bytes, codePage_);
  // A line cut at the size cap may end inside a multibyte character.
  for (size_t drop = 1; truncated && line.empty() && drop <= 3 && drop < bytes.size(); ++drop)
    line = Utils::ToWide(bytes.substr(0, bytes.size() - drop), codePage_);
  return ParseText(line);
}

int ChildStatusParser::ParseText(const std::wstring& line) {
  const Table& t = table_ == ChildStatusTable::Package ? kPackage : kUninstaller;
  for (size_t i = 0; i < t.count; ++i) {
    const Rule& r = t.rules[i];
    size_t keyLen = std::wcslen(r.key);
    if (line.compare(0, keyLen, r.key) != 0) continue;
    const std::wstring rest = line.substr(keyLen);
    switch (r.scan) {
      case Scan::Progress:
        Report(t.progressCode, ScanDouble(rest), std::wstring());
        return kNoVerdict;
      case Scan::Value:
        Report(r.code, 0.0, ScanValue(rest));
        return kNoVerdict;
      case Scan::State: {
        std::wstring state = Trim(ScanValue(rest));
        if (state == L"Success") {
          Report(t.successCode, 0.0, std::wstring());
          return kSuccess;
        }
        if (state == L"Fail") {
          Report(t.failCode, 0.0, t.failText);
          return kFailure;
        }
        return kNoVerdict;
      }
      case Scan::Version:  // read by the original protocol, used by nobody
        return kNoVerdict;
      case Scan::Error:
        Report(t.errorCode, t.errorValue, ScanValue(rest));
        return kFailure;
      case Scan::Detention:
        Report(r.code, static_cast<double>(ScanInt32Bits(rest)), std::wstring());
        return kNoVerdict;
      case Scan::StartupStyle:
        Report(r.code, StartupStyle(Trim(ScanValue(rest))), std::wstring());
        return kNoVerdict;
      case Scan::Encode: {
        std::wstring value = Trim(ScanValue(rest));
        codePage_ = t.numericEncode ? PackageCodePage(value)
                                    : (value == L"UTF8" ? Utils::kCodePageUtf8 : Utils::kCodePageAnsi);
        return kNoVerdict;
      }
    }
  }
  return kNoVerdict;
}
