// The skinned window the installer's windows derive from: its frame
// parameters say where its skin is, and it keeps Escape from closing it.
//
// Owner: whoever constructs it. Thread: the thread that creates it.
#pragma once
#include <string>

#include "ui/toolkit/drop_shadow.h"
#include "ui/toolkit/window_impl_base.h"

namespace Vellum {

struct FrameParams {
  int resourceKind = kResourceZipInResource;
  UINT resourceId = 147;
  std::wstring skinFolder;       // appended to the executable's folder
  std::wstring skinFile;         // markup file in the archive
  std::wstring windowClassName;  // native class; the skin file name without extension
};

class CSkinFrame : public WindowImplBase {
 public:
  explicit CSkinFrame(FrameParams params) : params_(std::move(params)) {}
  const FrameParams& GetFrameParams() const { return params_; }

  // Consumes a key-down of Escape (nothing happens); the rest as the base.
  LRESULT MessageHandler(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

 protected:
  LPCWSTR GetWindowClassName() const override { return params_.windowClassName.c_str(); }
  std::wstring GetSkinFolder() const override { return params_.skinFolder; }
  std::wstring GetSkinFile() const override { return params_.skinFile; }
  int GetResourceType() const override { return params_.resourceKind; }
  UINT GetResourceID() const override { return params_.resourceId; }
  // Clears the caption and maximise-box styles; then, when the markup's
  // "showshadow" is "true", calls ShowShadow.
  void InitWindow() override;
  // Creates the drop shadow and applies the markup's shadow attributes to it
  // (skin_frame_shadow_win.cpp).
  virtual void ShowShadow();
  // The installer's windows, once ready: no caption or maximise box, children
  // and siblings clipped, never topmost.
  void ApplyInstallerWindowStyles();

 public:
  CDropShadow& GetShadow() { return shadow_; }

 private:
  FrameParams params_;
  CDropShadow shadow_;
};

}  // namespace Vellum
