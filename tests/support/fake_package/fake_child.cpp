#include "fake_child.h"

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "fake_platform.h"

namespace Fake {

namespace {

bool StartsWith(const std::string& s, const char* prefix) { return s.compare(0, std::string(prefix).size(), prefix) == 0; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Escapes and variables in one pass, so a folder's backslashes stay as they are.
std::string Expand(const std::string& text, const std::string& instDir) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '$' && text.compare(i, 10, "${INSTDIR}") == 0) {
      out += instDir;
      i += 9;
    } else if (c == '$' && text.compare(i, 6, "${SEP}") == 0) {
      out += kSep;
      i += 5;
    } else if (c == '\\' && i + 1 < text.size()) {
      char e = text[++i];
      if (e == 'n') out += '\n';
      else if (e == 'r') out += '\r';
      else if (e == 't') out += '\t';
      else if (e == 'x' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
        out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
        i += 2;
      } else out += e;
    } else {
      out += c;
    }
  }
  return out;
}

std::string HexBytes(const std::string& hex) {
  std::string out;
  int high = -1;
  for (char c : hex) {
    int d = HexDigit(c);
    if (d < 0) continue;
    if (high < 0) {
      high = d;
    } else {
      out += static_cast<char>(high * 16 + d);
      high = -1;
    }
  }
  return out;
}

void Pause(long ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

struct Output {
  size_t piece = 0;
  long pauseMs = 0;
  void Write(const std::string& bytes) const {
    if (piece == 0) {
      WriteOut(bytes.data(), bytes.size());
      return;
    }
    for (size_t at = 0; at < bytes.size(); at += piece) {
      WriteOut(bytes.data() + at, bytes.size() - at < piece ? bytes.size() - at : piece);
      Pause(pauseMs);
    }
  }
};

// The value of "<prefix>..." as NSIS reads /D= and _?=: the rest of the line.
std::string RestOfLine(const std::vector<std::string>& args, const char* prefix) {
  for (size_t i = 1; i < args.size(); ++i) {
    if (!StartsWith(args[i], prefix)) continue;
    std::string value = args[i].substr(std::string(prefix).size());
    for (size_t k = i + 1; k < args.size(); ++k) value += " " + args[k];
    return value;
  }
  return std::string();
}

std::string SwitchValue(const std::vector<std::string>& args, const char* prefix) {
  for (size_t i = 1; i < args.size(); ++i)
    if (StartsWith(args[i], prefix)) return args[i].substr(std::string(prefix).size());
  return std::string();
}

// A downloaded package runs from the install folder, away from its siblings: then
// QZ_FAKES names the folder they were built in.
void InstallInto(const std::string& dir, std::string selfDir) {
  if (const char* fakes = std::getenv("QZ_FAKES")) selfDir = fakes;
  MakeDirs(dir);
  CopyWholeFile(selfDir + kSep + "qz_fake_product" + kExeSuffix, dir + kSep + "Quibzip.exe");
  CopyWholeFile(selfDir + kSep + "qz_fake_uninstaller" + kExeSuffix, dir + kSep + "uninst.ep");
}

void RemoveFrom(const std::string& dir) {
  RemoveFile(dir + kSep + "Quibzip.exe");
  RemoveFile(dir + kSep + "uninst.ep");
}

}  // namespace

int RunScript(const std::string& script, const std::string& instDir, const std::string& received) {
  Output out;
  size_t pos = 0;
  while (pos < script.size()) {
    size_t end = script.find('\n', pos);
    if (end == std::string::npos) end = script.size();
    std::string line = script.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    size_t blank = line.find(' ');
    std::string cmd = line.substr(0, blank);
    std::string arg = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    if (cmd == "record") {
      WriteWholeFile(arg, received);
    } else if (cmd == "chunk") {
      char* rest = nullptr;
      out.piece = std::strtoul(arg.c_str(), &rest, 10);
      out.pauseMs = std::strtol(rest, nullptr, 10);
    } else if (cmd == "line") {
      out.Write(Expand(arg, instDir) + "\n");
    } else if (cmd == "text") {
      out.Write(Expand(arg, instDir));
    } else if (cmd == "hex") {
      out.Write(HexBytes(arg));
    } else if (cmd == "sleep") {
      Pause(std::strtol(arg.c_str(), nullptr, 10));
    } else if (cmd == "close") {
      CloseOut();
    } else if (cmd == "exit") {
      return static_cast<int>(std::strtol(arg.c_str(), nullptr, 10));
    } else {
      return 99;
    }
  }
  return 0;
}

int ChildMain(int argc, char** argv, Role role) {
  std::vector<std::string> args = Arguments(argc, argv);
  std::string instDir;
  if (role == Role::Package) {
    instDir = RestOfLine(args, "/D=");
    if (instDir.empty()) instDir = SwitchValue(args, "-instdir=");
    if (!instDir.empty()) InstallInto(instDir, SelfDir(argc, argv));
  } else {
    instDir = RestOfLine(args, "_?=");
    if (!instDir.empty()) RemoveFrom(instDir);
  }
  std::string path = SwitchValue(args, "-fakescript=");
  if (path.empty())
    path = GetEnv(role == Role::Package ? "QZ_FAKE_PACKAGE_SCRIPT" : "QZ_FAKE_UNINSTALLER_SCRIPT");
  std::string script;
  if (path.empty() || !ReadWholeFile(path, script)) return 0;
  return RunScript(script, instDir, ReceivedCommandLine(argc, argv));
}

}  // namespace Fake
