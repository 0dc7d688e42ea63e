// The base of every control: the data a control carries from its markup
// (name, text, sizes, padding, background, border, user data) and the laid-out
// rectangle. Painting and input belong to the window layer, which reads these.
//
// Owner: the parent container (the root: the window's manager). Thread: the
// window's thread only.
#pragma once
#include <cstdint>
#include <string>

#include "ui/toolkit/geometry.h"

namespace Vellum {

class CContainerUI;
class IControlHost;

class CControlUI {
 public:
  CControlUI() = default;
  virtual ~CControlUI() = default;
  CControlUI(const CControlUI&) = delete;
  CControlUI& operator=(const CControlUI&) = delete;

  // A fixed string per class ("Control", "Button", ...).
  virtual std::wstring GetClass() const;
  // Applies one markup attribute; names are matched exactly, unknown ones ignored.
  virtual void SetAttribute(const std::wstring& name, const std::wstring& value);
  virtual CContainerUI* AsContainer() { return nullptr; }
  // Called once the tree is attached to a window (host is then set).
  virtual void DoInit() {}
  // A control timer of this control fired (before the "timer" notification is
  // raised); animated controls advance their frame here.
  virtual void OnTimer(uint32_t /*id*/) {}

  const std::wstring& GetName() const { return name_; }
  void SetName(const std::wstring& name) { name_ = name; }

  const std::wstring& GetText() const { return text_; }
  // Setting an equal text does nothing; otherwise the control is repainted.
  virtual void SetText(const std::wstring& text);

  bool IsVisible() const { return visible_; }
  // Hiding the focused control clears the focus; the parent lays out again.
  virtual void SetVisible(bool visible);
  bool IsEnabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);
  void SetFocus();
  bool IsFocused() const;

  // 0 means none (the control stretches along its layout's direction).
  int GetFixedWidth() const { return fixedWidth_; }
  int GetFixedHeight() const { return fixedHeight_; }
  // Negative values are ignored.
  void SetFixedWidth(int width);
  void SetFixedHeight(int height);
  Point GetFixedXY() const { return fixedXY_; }
  const Rect& GetPadding() const { return padding_; }

  uint32_t GetBkColor() const { return bkColor_; }
  const std::wstring& GetBkImage() const { return bkImage_; }
  // Takes an image descriptor; setting the same one again does nothing.
  void SetBkImage(const std::wstring& descriptor);
  Size GetBorderRound() const { return borderRound_; }
  const Rect& GetBorderSize() const { return borderSize_; }
  const std::wstring& GetUserData() const { return userData_; }
  void SetUserData(const std::wstring& data) { userData_ = data; }

  // The rectangle given by the last layout, in window coordinates.
  const Rect& GetPos() const { return pos_; }
  void SetPos(const Rect& pos) { pos_ = pos; }

  CContainerUI* GetParent() const { return parent_; }
  void SetParent(CContainerUI* parent) { parent_ = parent; }
  IControlHost* GetHost() const { return host_; }
  // Attaches this control (and, for containers, its subtree) to a window.
  virtual void SetHost(IControlHost* host) { host_ = host; }

  void Invalidate();
  void NeedParentLayout();

 private:
  std::wstring name_;
  std::wstring text_;
  bool visible_ = true;
  bool enabled_ = true;
  int fixedWidth_ = 0;
  int fixedHeight_ = 0;
  Point fixedXY_;
  Rect padding_;
  uint32_t bkColor_ = 0;
  std::wstring bkImage_;
  Size borderRound_;
  Rect borderSize_;
  std::wstring userData_;
  Rect pos_;
  CContainerUI* parent_ = nullptr;
  IControlHost* host_ = nullptr;
};

}  // namespace Vellum
