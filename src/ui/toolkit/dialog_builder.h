// Builds one window's control tree from a markup file: the "Window" element's
// attributes, its "Font" elements and the root control with its subtree.
//
// Element names are matched ignoring case; an element nobody creates is skipped
// with its subtree. A control's attributes are applied in document order after
// its children are built, so a later attribute overrides an earlier one.
//
// Thread: any; the result belongs to the caller.
#pragma once
#include <memory>
#include <string>

#include "ui/toolkit/font_table.h"
#include "ui/toolkit/window_attributes.h"

namespace Vellum {

class CControlUI;
class CSkinArchive;
class IDialogBuilderCallback;
struct MarkupElement;

struct BuiltWindow {
  WindowAttributes window;
  CFontTable fonts;
  std::unique_ptr<CControlUI> root;
};

class CDialogBuilder {
 public:
  // Builds from UTF-8 markup. Fails (false, reason in error) when the text is not
  // well-formed, its root element is not "Window", or no root control is created.
  // callback may be null.
  static bool Build(const std::string& utf8, IDialogBuilderCallback* callback, BuiltWindow* out,
                    std::wstring* error = nullptr);
  // Looks the file up in the archive (backslashes and case as CSkinArchive::Find)
  // and builds it; fails when the archive lacks it.
  static bool BuildFromArchive(const CSkinArchive& archive, const std::wstring& file,
                               IDialogBuilderCallback* callback, BuiltWindow* out, std::wstring* error = nullptr);
  // A control of a class the toolkit knows ("Control", "VerticalLayout", ...,
  // ignoring case), or nullptr.
  static std::unique_ptr<CControlUI> CreateKnownControl(const std::wstring& elementName);
};

}  // namespace Vellum
