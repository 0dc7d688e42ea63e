#include <string>

#include "fuzz/toolkit/fuzz_toolkit_entries.h"
#include "ui/toolkit/container_ui.h"
#include "ui/toolkit/control_tree.h"
#include "ui/toolkit/dialog_builder.h"
#include "ui/toolkit/dialog_builder_callback.h"
#include "ui/toolkit/image_descriptor.h"
#include "ui/toolkit/label_ui.h"
#include "ui/toolkit/layout_engine.h"
#include "ui/toolkit/tab_layout_ui.h"

namespace {

class FuzzCallback : public Vellum::IDialogBuilderCallback {
 public:
  std::unique_ptr<Vellum::CControlUI> CreateControl(const std::wstring& name) override {
    if (name == L"SequenceLabel") return std::make_unique<Vellum::CLabelUI>();
    return nullptr;
  }
};

// Touches every control so a broken tree shows up under the sanitizers.
void Walk(Vellum::CControlUI* c, int depth) {
  Vellum::ImageDescriptor::Parse(c->GetBkImage());
  if (auto* tab = dynamic_cast<Vellum::CTabLayoutUI*>(c)) {
    tab->SelectItem(tab->GetCount() - 1, false);
  }
  if (Vellum::CContainerUI* k = c->AsContainer()) {
    for (int i = 0; i < k->GetCount(); ++i) Walk(k->GetItemAt(i), depth + 1);
  }
}

}  // namespace

int FuzzMarkupInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  FuzzCallback callback;
  Vellum::BuiltWindow built;
  if (!Vellum::CDialogBuilder::Build(text, &callback, &built)) return 0;
  Vellum::CLayoutEngine::Arrange(*built.root, Vellum::Rect{0, 0, built.window.size.cx, built.window.size.cy});
  Walk(built.root.get(), 0);
  Vellum::FindControlByName(built.root.get(), L"mainTabLt");
  built.window.Custom(L"showshadow");
  return 0;
}
