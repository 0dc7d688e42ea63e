#include "ui/toolkit/drop_shadow.h"

#include <cstring>

#include "ui/toolkit/dib_section.h"
#include "ui/toolkit/image_cache.h"
#include "ui/toolkit/skin_resource.h"

namespace Vellum {

namespace {

constexpr wchar_t kShadowClass[] = L"VellumShadowWnd";

using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);

// Found once by Initialize; null means this system has no layered windows.
UpdateLayeredWindowFn& LayeredUpdate() {
  static UpdateLayeredWindowFn fn = nullptr;
  return fn;
}

HINSTANCE& ShadowInstance() {
  static HINSTANCE instance = nullptr;
  return instance;
}

// The process-wide map from a parent window to its shadow.
std::map<HWND, CDropShadow*>& ParentMap() {
  static std::map<HWND, CDropShadow*> map;
  return map;
}

bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

// The parent's region as spans; a window without a region is its whole rectangle.
std::vector<RowSpan> ParentSpans(HWND parent, int width, int height) {
  std::vector<RegionRect> rects;
  HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
  if (rgn && ::GetWindowRgn(parent, rgn) != ERROR) {
    DWORD bytes = ::GetRegionData(rgn, 0, nullptr);
    std::vector<uint8_t> buffer(bytes);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (bytes >= sizeof(RGNDATAHEADER) && ::GetRegionData(rgn, bytes, data) == bytes) {
      const RECT* r = reinterpret_cast<const RECT*>(data->Buffer);
      for (DWORD i = 0; i < data->rdh.nCount; ++i) rects.push_back({r[i].left, r[i].top, r[i].right, r[i].bottom});
    }
  } else {
    rects.push_back({0, 0, width, height});
  }
  if (rgn) ::DeleteObject(rgn);
  return SpansFromRegion(rects, width, height);
}

// A screen-compatible 32-bit top-down bitmap selected into its own memory DC.
class DibCanvas {
 public:
  DibCanvas(int width, int height) {
    dc_ = ::CreateCompatibleDC(nullptr);
    bitmap_ = CreateTopDownDib(dc_, width, height, &bits_);
    if (dc_ && bitmap_) old_ = ::SelectObject(dc_, bitmap_);
  }
  ~DibCanvas() {
    if (old_) ::SelectObject(dc_, old_);
    if (bitmap_) ::DeleteObject(bitmap_);
    if (dc_) ::DeleteDC(dc_);
  }
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;
  bool Ok() const { return old_ != nullptr && bits_ != nullptr; }
  HDC Dc() const { return dc_; }
  void* Bits() const { return bits_; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
};

}  // namespace

bool CDropShadow::Initialize(HINSTANCE instance) {
  if (LayeredUpdate()) return true;
  HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  FARPROC fn = user32 ? ::GetProcAddress(user32, "UpdateLayeredWindow") : nullptr;
  if (!fn) return false;
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = &CDropShadow::ShadowProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kShadowClass;
  if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  ShadowInstance() = instance;
  LayeredUpdate() = reinterpret_cast<UpdateLayeredWindowFn>(reinterpret_cast<void (*)()>(fn));
  return true;
}

bool CDropShadow::IsAvailable() { return LayeredUpdate() != nullptr; }

CDropShadow* CDropShadow::FromParent(HWND parent) {
  auto it = ParentMap().find(parent);
  return it == ParentMap().end() ? nullptr : it->second;
}

CDropShadow::~CDropShadow() {
  if (parent_) {
    auto it = ParentMap().find(parent_);
    if (it != ParentMap().end() && it->second == this) ParentMap().erase(it);
    // A parent that outlives its shadow object must not call into it any more.
    if (::IsWindow(parent_) &&
        ::GetWindowLongPtrW(parent_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CDropShadow::ParentProc)) {
      ::SetWindowLongPtrW(parent_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(parentProc_));
    }
  }
  if (shadow_ && ::IsWindow(shadow_)) ::PostMessageW(shadow_, WM_CLOSE, 0, 0);
  image_.reset();
}

void CDropShadow::Create(HWND parent) {
  if (!IsAvailable() || shadow_ || !::IsWindow(parent)) return;
  parent_ = parent;
  ParentMap()[parent] = this;
  shadow_ = ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT, kShadowClass, nullptr, WS_POPUPWINDOW,
                              CW_USEDEFAULT, 0, 0, 0, parent, nullptr, ShadowInstance(), nullptr);
  if (!shadow_) {
    ParentMap().erase(parent);
    parent_ = nullptr;
    return;
  }
  LONG_PTR style = ::GetWindowLongPtrW(parent, GWL_STYLE);
  if (!(style & WS_VISIBLE)) {
    status_ = kEnabled;
  } else if (style & (WS_MAXIMIZE | WS_MINIMIZE)) {
    status_ = kEnabled | kParentVisible;
  } else {
    status_ = kEnabled | kVisible | kParentVisible;
    ::ShowWindow(shadow_, SW_SHOWNOACTIVATE);
    Render();
  }
  parentProc_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CDropShadow::ParentProc)));
}

LRESULT CALLBACK CDropShadow::ShadowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK CDropShadow::ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  CDropShadow* self = FromParent(hwnd);
  if (!self) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
  WNDPROC next = self->parentProc_;
  if (msg == WM_NCDESTROY) {
    ParentMap().erase(hwnd);
    self->parent_ = nullptr;
  } else {
    self->OnParentMessage(msg, wParam, lParam);
  }
  return ::CallWindowProcW(next, hwnd, msg, wParam, lParam);
}

void CDropShadow::OnParentMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_DESTROY:
      if (shadow_ && ::IsWindow(shadow_)) ::DestroyWindow(shadow_);
      shadow_ = nullptr;
      break;
    case WM_MOVE:
      if (status_ & kVisible) {
        POINT at = Place();
        ::SetWindowPos(shadow_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      break;
    case WM_SIZE:
      OnParentSize(wParam, lParam);
      break;
    case WM_ACTIVATE:
    case WM_EXITSIZEMOVE:
      RenderIfVisible();
      break;
    case WM_PAINT:
      if (pendingUpdate_) {
        Render();
        pendingUpdate_ = false;
      }
      break;
    case WM_SHOWWINDOW:
      OnParentShow(wParam != FALSE);
      break;
    default:
      break;
  }
}

void CDropShadow::OnParentSize(WPARAM wParam, LPARAM lParam) {
  if (!(status_ & kEnabled)) return;
  const uint16_t width = LOWORD(lParam), height = HIWORD(lParam);
  if (wParam == SIZE_MAXIMIZED || wParam == SIZE_MINIMIZED) {
    Hide();
  } else if (status_ & kParentVisible) {
    // Growing: the parent's new area is painted first, so wait for its paint.
    if (width > lastWidth_ || height > lastHeight_) {
      pendingUpdate_ = true;
    } else {
      Render();
    }
    if (!(status_ & kVisible)) Show();
  }
  lastWidth_ = width;
  lastHeight_ = height;
}

void CDropShadow::OnParentShow(bool show) {
  if (!(status_ & kEnabled)) return;
  if (!show) {
    ::ShowWindow(shadow_, SW_HIDE);
    status_ &= static_cast<uint8_t>(~(kVisible | kParentVisible));
  } else if (!(status_ & kParentVisible)) {
    pendingUpdate_ = true;
    ::ShowWindow(shadow_, SW_SHOWNOACTIVATE);
    status_ |= kVisible | kParentVisible;
  }
}

void CDropShadow::Show() {
  ::ShowWindow(shadow_, SW_SHOWNOACTIVATE);
  status_ |= kVisible;
}

void CDropShadow::Hide() {
  ::ShowWindow(shadow_, SW_HIDE);
  status_ &= static_cast<uint8_t>(~kVisible);
}

void CDropShadow::RenderIfVisible() {
  if (status_ & kVisible) Render();
}

POINT CDropShadow::Place() const {
  RECT rc = {};
  ::GetWindowRect(parent_, &rc);
  if (image_) return POINT{rc.left - imageCorner_.left, rc.top - imageCorner_.top};
  return POINT{rc.left + params_.xOffset - params_.size, rc.top + params_.yOffset - params_.size};
}

ShadowBitmap CDropShadow::Draw(int width, int height) const {
  if (image_) {
    Rect margins{imageCorner_.left + imageHole_.left, imageCorner_.top + imageHole_.top,
                 imageCorner_.right + imageHole_.right, imageCorner_.bottom + imageHole_.bottom};
    return ComposeShadowImage(*image_, margins, width + imageCorner_.left + imageCorner_.right,
                              height + imageCorner_.top + imageCorner_.bottom);
  }
  return ComputeShadowPixels(ParentSpans(parent_, width, height), width, params_);
}

void CDropShadow::Render() {
  if (!shadow_ || !::IsWindow(shadow_) || !parent_) return;
  RECT rc = {};
  ::GetWindowRect(parent_, &rc);
  ShadowBitmap bmp = Draw(rc.right - rc.left, rc.bottom - rc.top);
  if (bmp.pixels.empty()) return;
  POINT at = Place();
  // A layered window keeps the picture it was given; the same picture again
  // (the window shown, activated and painted once each at start-up) only needs
  // moving into place, which spares an upload of a whole window's pixels.
  if (bmp.width == lastRender_.width && bmp.height == lastRender_.height && bmp.pixels == lastRender_.pixels) {
    ::MoveWindow(shadow_, at.x, at.y, bmp.width, bmp.height, FALSE);
    return;
  }
  DibCanvas canvas(bmp.width, bmp.height);
  if (!canvas.Ok()) return;
  std::memcpy(canvas.Bits(), bmp.pixels.data(), bmp.pixels.size() * sizeof(uint32_t));
  ::MoveWindow(shadow_, at.x, at.y, bmp.width, bmp.height, FALSE);
  POINT src = {0, 0};
  SIZE size = {bmp.width, bmp.height};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  LayeredUpdate()(shadow_, nullptr, &at, &size, canvas.Dc(), &src, 0, &blend, ULW_ALPHA);
  lastRender_ = std::move(bmp);
}

bool CDropShadow::SetSize(int size) {
  if (!InRange(size, -20, 20)) return false;
  params_.size = size;
  RenderIfVisible();
  return true;
}

bool CDropShadow::SetSharpness(int sharpness) {
  if (!InRange(sharpness, 0, 20)) return false;
  params_.sharpness = sharpness;
  RenderIfVisible();
  return true;
}

bool CDropShadow::SetDarkness(int darkness) {
  if (!InRange(darkness, 0, 255)) return false;
  params_.darkness = darkness;
  RenderIfVisible();
  return true;
}

bool CDropShadow::SetPosition(int x, int y) {
  if (!InRange(x, -20, 20) || !InRange(y, -20, 20)) return false;
  params_.xOffset = x;
  params_.yOffset = y;
  RenderIfVisible();
  return true;
}

bool CDropShadow::SetColor(uint32_t color) {
  params_.color = color & 0xFFFFFFu;
  RenderIfVisible();
  return true;
}

bool CDropShadow::SetImage(const std::wstring& image, const Rect& corner, const Rect& holeOffset) {
  CImageCache loader(CSkinResource::Current());
  std::shared_ptr<const ImageData> picture = loader.Get(image);
  if (!picture) return false;
  image_ = std::move(picture);
  imageCorner_ = corner;
  imageHole_ = holeOffset;
  RenderIfVisible();
  return true;
}

}  // namespace Vellum
