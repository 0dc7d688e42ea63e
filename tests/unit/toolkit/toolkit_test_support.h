// Shared pieces of the toolkit tests: reading files, the packed skin, a host
// that records what controls ask of their window, and a fixed text measurer.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/toolkit/control_host.h"
#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/dialog_builder_callback.h"
#include "ui/toolkit/label_ui.h"
#include "ui/toolkit/skin_archive.h"
#include "ui/toolkit/text_measurer.h"

namespace ToolkitTest {

std::vector<uint8_t> ReadFile(const std::string& path);
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
std::string SkinArchivePath();
std::string FixtureArchivePath();
std::string CorpusDir();
std::vector<std::string> ListFiles(const std::string& dir);

// The packed skin, opened once per test program.
const Vellum::CSkinArchive& Skin();

// Stands in for the window's custom-control hook: "SequenceLabel" and
// "SequenceButton" become labels/buttons of their own class that keep every
// attribute they are given.
class SequenceStub : public Vellum::CLabelUI {
 public:
  explicit SequenceStub(std::wstring cls) : cls_(std::move(cls)) {}
  std::wstring GetClass() const override { return cls_; }
  void SetAttribute(const std::wstring& name, const std::wstring& value) override;
  std::vector<std::pair<std::wstring, std::wstring>> seen;

 private:
  std::wstring cls_;
};

class RecordingCallback : public Vellum::IDialogBuilderCallback {
 public:
  std::unique_ptr<Vellum::CControlUI> CreateControl(const std::wstring& className) override;
  std::vector<std::wstring> asked;
};

struct Notification {
  Vellum::CControlUI* sender;
  std::wstring type;
  uint32_t wParam;
  uint32_t lParam;
};

class RecordingHost : public Vellum::IControlHost {
 public:
  void Invalidate(Vellum::CControlUI* c) override { invalidated.push_back(c); }
  void NeedLayout(Vellum::CControlUI* c) override { relayouts.push_back(c); }
  void SetFocus(Vellum::CControlUI* c) override { focus = c; }
  Vellum::CControlUI* GetFocus() const override { return focus; }
  void SendNotify(Vellum::CControlUI* sender, const std::wstring& type, uint32_t w, uint32_t l) override {
    notes.push_back({sender, type, w, l});
  }
  std::vector<Vellum::CControlUI*> invalidated;
  std::vector<Vellum::CControlUI*> relayouts;
  std::vector<Notification> notes;
  Vellum::CControlUI* focus = nullptr;
};

// Every character is 7 px wide; a line is as high as the font id + 12 (the
// default font, -1, counts as id 0). Never depends on real fonts.
class FixedTextMeasurer : public Vellum::ITextMeasurer {
 public:
  Vellum::Size MeasureText(const std::wstring& text, int fontId, uint32_t textStyle) const override;
};

// Builds one skin file from the packed skin with a RecordingCallback.
Vellum::BuiltWindow BuildSkinFile(const std::wstring& file);

}  // namespace ToolkitTest
