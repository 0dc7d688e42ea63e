// Minimal profile-file backend for the native build (UTF-8 files).
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <vector>

#include "utils/profile.h"
#include "utils/text.h"

namespace Utils {

namespace {

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return std::string();
  size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

bool IsSection(const std::string& line, std::string* name) {
  std::string t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return false;
  size_t close = t.find(']');
  if (close == std::string::npos) return false;
  *name = Trim(t.substr(1, close - 1));
  return true;
}

// Index of the key's line inside the section, or -1; *sectionEnd is where a new key goes.
int FindKey(const std::vector<std::string>& lines, const std::string& section, const std::string& key,
            int* sectionEnd) {
  bool inside = false;
  *sectionEnd = -1;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string name;
    if (IsSection(lines[i], &name)) {
      inside = SameName(name, section);
      if (inside) *sectionEnd = static_cast<int>(i) + 1;
      continue;
    }
    if (!inside) continue;
    size_t eq = lines[i].find('=');
    if (eq != std::string::npos && SameName(Trim(lines[i].substr(0, eq)), key)) return static_cast<int>(i);
    if (!Trim(lines[i]).empty()) *sectionEnd = static_cast<int>(i) + 1;
  }
  return -1;
}

bool ValueOf(const std::wstring& file, const std::wstring& section, const std::wstring& key, std::string* value) {
  std::vector<std::string> lines = ReadLines(ToNarrow(file, kCodePageAnsi));
  int end;
  int at = FindKey(lines, ToNarrow(section, kCodePageUtf8), ToNarrow(key, kCodePageUtf8), &end);
  if (at < 0) return false;
  std::string v = Trim(lines[at].substr(lines[at].find('=') + 1));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
  *value = v;
  return true;
}

}  // namespace

bool FileExists(const std::wstring& path) {
  struct stat st;
  return stat(ToNarrow(path, kCodePageAnsi).c_str(), &st) == 0;
}

std::wstring ReadProfileString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                               const std::wstring& def, size_t bufferChars) {
  std::string v;
  std::wstring out = ValueOf(file, section, key, &v) ? ToWide(v, kCodePageUtf8) : def;
  size_t limit = bufferChars ? bufferChars - 1 : 0;
  if (out.size() > limit) out.resize(limit);
  return out;
}

int ReadProfileInt(const std::wstring& file, const std::wstring& section, const std::wstring& key, int def) {
  std::string v;
  if (!ValueOf(file, section, key, &v)) return def;
  return static_cast<int>(std::strtol(v.c_str(), nullptr, 10));
}

bool WriteProfileString(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                        const std::wstring& value) {
  std::string path = ToNarrow(file, kCodePageAnsi);
  std::vector<std::string> lines = ReadLines(path);
  std::string k = ToNarrow(key, kCodePageUtf8);
  std::string entry = k + "=" + ToNarrow(value, kCodePageUtf8);
  int end;
  int at = FindKey(lines, ToNarrow(section, kCodePageUtf8), k, &end);
  if (at >= 0) {
    lines[at] = entry;
  } else if (end >= 0) {
    lines.insert(lines.begin() + end, entry);
  } else {
    lines.push_back("[" + ToNarrow(section, kCodePageUtf8) + "]");
    lines.push_back(entry);
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (const std::string& l : lines) out << l << "\n";
  return static_cast<bool>(out);
}

}  // namespace Utils
