#include "ui/toolkit/dialog_builder.h"

#include "ui/toolkit/button_ui.h"
#include "ui/toolkit/check_box_ui.h"
#include "ui/toolkit/container_ui.h"
#include "ui/toolkit/control_ui.h"
#include "ui/toolkit/dialog_builder_callback.h"
#include "ui/toolkit/edit_ui.h"
#include "ui/toolkit/horizontal_layout_ui.h"
#include "ui/toolkit/label_ui.h"
#include "ui/toolkit/markup_parser.h"
#include "ui/toolkit/markup_values.h"
#include "ui/toolkit/option_ui.h"
#include "ui/toolkit/progress_ui.h"
#include "ui/toolkit/skin_archive.h"
#include "ui/toolkit/tab_layout_ui.h"
#include "ui/toolkit/vertical_layout_ui.h"

namespace Vellum {
namespace {

void SetError(std::wstring* error, const std::wstring& text) {
  if (error) *error = text;
}

FontSpec ReadFont(const MarkupElement& e, int nextId, bool* isDefault) {
  FontSpec font;
  font.id = nextId;
  *isDefault = false;
  for (const auto& a : e.attributes) {
    if (EqualsIgnoreCase(a.name, L"id")) font.id = ParseMarkupInt(a.value);
    else if (EqualsIgnoreCase(a.name, L"name")) font.name = a.value;
    else if (EqualsIgnoreCase(a.name, L"size")) font.size = ParseMarkupInt(a.value);
    else if (EqualsIgnoreCase(a.name, L"bold")) font.bold = ParseMarkupBool(a.value);
    else if (EqualsIgnoreCase(a.name, L"underline")) font.underline = ParseMarkupBool(a.value);
    else if (EqualsIgnoreCase(a.name, L"italic")) font.italic = ParseMarkupBool(a.value);
    else if (EqualsIgnoreCase(a.name, L"default")) *isDefault = ParseMarkupBool(a.value);
  }
  return font;
}

std::unique_ptr<CControlUI> CreateControl(const std::wstring& name, IDialogBuilderCallback* callback) {
  auto control = CDialogBuilder::CreateKnownControl(name);
  if (!control && callback) control = callback->CreateControl(name);
  return control;
}

// Creates the control of e, builds its children into it, then applies its
// attributes; nullptr when nobody creates e (its subtree is skipped then).
std::unique_ptr<CControlUI> BuildControl(const MarkupElement& e, IDialogBuilderCallback* callback) {
  auto control = CreateControl(e.name, callback);
  if (!control) return nullptr;
  if (CContainerUI* container = control->AsContainer()) {
    for (const auto& child : e.children) {
      if (auto built = BuildControl(child, callback)) container->Add(std::move(built));
    }
  }
  for (const auto& a : e.attributes) control->SetAttribute(a.name, a.value);
  return control;
}

}  // namespace

std::unique_ptr<CControlUI> CDialogBuilder::CreateKnownControl(const std::wstring& elementName) {
  std::wstring n = ToLowerAscii(elementName);
  if (n == L"control") return std::make_unique<CControlUI>();
  if (n == L"container") return std::make_unique<CContainerUI>();
  if (n == L"verticallayout") return std::make_unique<CVerticalLayoutUI>();
  if (n == L"horizontallayout") return std::make_unique<CHorizontalLayoutUI>();
  if (n == L"tablayout") return std::make_unique<CTabLayoutUI>();
  if (n == L"label") return std::make_unique<CLabelUI>();
  if (n == L"button") return std::make_unique<CButtonUI>();
  if (n == L"option") return std::make_unique<COptionUI>();
  if (n == L"checkbox") return std::make_unique<CCheckBoxUI>();
  if (n == L"edit") return std::make_unique<CEditUI>();
  if (n == L"progress") return std::make_unique<CProgressUI>();
  return nullptr;
}

bool CDialogBuilder::Build(const std::string& utf8, IDialogBuilderCallback* callback, BuiltWindow* out,
                           std::wstring* error) {
  *out = BuiltWindow();
  MarkupElement doc;
  std::wstring parseError;
  if (!CMarkupParser::Parse(utf8.data(), utf8.size(), &doc, &parseError)) {
    SetError(error, L"markup: " + parseError);
    return false;
  }
  if (!EqualsIgnoreCase(doc.name, L"Window")) {
    SetError(error, L"the root element is not Window");
    return false;
  }
  for (const auto& a : doc.attributes) out->window.Apply(a.name, a.value);
  int nextFontId = 0;
  for (const auto& child : doc.children) {
    if (EqualsIgnoreCase(child.name, L"Font")) {
      bool isDefault = false;
      FontSpec font = ReadFont(child, nextFontId, &isDefault);
      nextFontId = font.id + 1;
      out->fonts.Add(std::move(font), isDefault);
    } else if (!out->root) {
      out->root = BuildControl(child, callback);
    }
  }
  if (!out->root) {
    SetError(error, L"no root control");
    return false;
  }
  return true;
}

bool CDialogBuilder::BuildFromArchive(const CSkinArchive& archive, const std::wstring& file,
                                      IDialogBuilderCallback* callback, BuiltWindow* out, std::wstring* error) {
  const std::vector<uint8_t>* bytes = archive.Read(file);
  if (!bytes) {
    *out = BuiltWindow();
    SetError(error, L"not in the skin package: " + file);
    return false;
  }
  return Build(std::string(bytes->begin(), bytes->end()), callback, out, error);
}

}  // namespace Vellum
