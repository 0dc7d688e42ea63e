#include "toolkit_test_support.h"

#include <cstdio>
#include <dirent.h>

#include <algorithm>
#include <stdexcept>

#include "ui/toolkit/button_ui.h"

namespace ToolkitTest {

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return bytes;
  uint8_t buf[16384];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.insert(bytes.end(), buf, buf + n);
  std::fclose(f);
  return bytes;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

std::string SkinArchivePath() { return QZ_SKIN_ARCHIVE_PATH; }
std::string FixtureArchivePath() { return QZ_FIXTURE_ARCHIVE_PATH; }
std::string CorpusDir() { return QZ_TOOLKIT_CORPUS_DIR; }

std::vector<std::string> ListFiles(const std::string& dir) {
  std::vector<std::string> out;
  DIR* d = opendir(dir.c_str());
  if (!d) return out;
  while (dirent* e = readdir(d)) {
    std::string name = e->d_name;
    if (name != "." && name != "..") out.push_back(dir + "/" + name);
  }
  closedir(d);
  std::sort(out.begin(), out.end());
  return out;
}

const Vellum::CSkinArchive& Skin() {
  static const Vellum::CSkinArchive* skin = [] {
    static Vellum::CSkinArchive archive;
    std::vector<uint8_t> bytes = ReadFile(SkinArchivePath());
    if (!archive.Open(bytes.data(), bytes.size())) throw std::runtime_error("cannot open " + SkinArchivePath());
    return &archive;
  }();
  return *skin;
}

void SequenceStub::SetAttribute(const std::wstring& name, const std::wstring& value) {
  seen.emplace_back(name, value);
  Vellum::CLabelUI::SetAttribute(name, value);
}

std::unique_ptr<Vellum::CControlUI> RecordingCallback::CreateControl(const std::wstring& className) {
  asked.push_back(className);
  if (className == L"SequenceLabel" || className == L"SequenceButton") return std::make_unique<SequenceStub>(className);
  return nullptr;
}

Vellum::Size FixedTextMeasurer::MeasureText(const std::wstring& text, int fontId, uint32_t) const {
  int id = fontId < 0 ? 0 : fontId;
  return Vellum::Size{static_cast<int>(text.size()) * 7, id + 12};
}

Vellum::BuiltWindow BuildSkinFile(const std::wstring& file) {
  RecordingCallback callback;
  Vellum::BuiltWindow built;
  std::wstring error;
  if (!Vellum::CDialogBuilder::BuildFromArchive(Skin(), file, &callback, &built, &error)) {
    throw std::runtime_error("cannot build a skin file");
  }
  return built;
}

}  // namespace ToolkitTest
