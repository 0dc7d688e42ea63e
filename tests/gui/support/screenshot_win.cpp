#include "gui/support/screenshot.h"

#include <cstdio>
#include <cstdlib>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include "stb_image_write.h"

namespace GuiTest {

Screenshot CaptureWindow(HWND hwnd) {
  Screenshot shot;
  RECT rc;
  if (!::GetWindowRect(hwnd, &rc)) return shot;
  int w = rc.right - rc.left, h = rc.bottom - rc.top;
  if (w <= 0 || h <= 0) return shot;
  HDC screen = ::GetDC(nullptr);
  HDC mem = ::CreateCompatibleDC(screen);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(mem, bmp);
  if (bmp && ::BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY)) {
    ::GdiFlush();
    const auto* p = static_cast<const uint32_t*>(bits);
    shot.width = w;
    shot.height = h;
    shot.pixels.assign(p, p + static_cast<size_t>(w) * static_cast<size_t>(h));
  }
  ::SelectObject(mem, old);
  if (bmp) ::DeleteObject(bmp);
  ::DeleteDC(mem);
  ::ReleaseDC(nullptr, screen);
  return shot;
}

namespace {
void AppendToVector(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<unsigned char>*>(context);
  const auto* bytes = static_cast<const unsigned char*>(data);
  out->insert(out->end(), bytes, bytes + size);
}
}  // namespace

bool SavePng(const Screenshot& shot, const std::wstring& path) {
  if (shot.width <= 0) return false;
  std::vector<unsigned char> rgb;
  rgb.reserve(shot.pixels.size() * 3);
  for (uint32_t px : shot.pixels) {
    rgb.push_back(static_cast<unsigned char>(px >> 16));
    rgb.push_back(static_cast<unsigned char>(px >> 8));
    rgb.push_back(static_cast<unsigned char>(px));
  }
  std::vector<unsigned char> png;
  if (!stbi_write_png_to_func(&AppendToVector, &png, shot.width, shot.height, 3, rgb.data(), shot.width * 3)) {
    return false;
  }
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (!f) return false;
  bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
  return std::fclose(f) == 0 && ok;
}

std::wstring ScreenshotDir() {
  const wchar_t* dir = _wgetenv(L"QZ_SCREENSHOTS");
  if (!dir || !*dir) return std::wstring();
  ::CreateDirectoryW(dir, nullptr);
  return dir;
}

}  // namespace GuiTest
