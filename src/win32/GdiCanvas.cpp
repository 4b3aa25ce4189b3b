#include "win32/GdiCanvas.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "text/TextFile.h"
#include "win32/WideText.h"

namespace zr::win32 {
namespace {

constexpr wchar_t kBitmapFace[] = L"ＭＳ Ｐゴシック";
constexpr int kBitmapFontHeight = -12;

COLORREF Ref(TColor color) { return static_cast<COLORREF>(color & 0x00FFFFFF); }

// Selects obj and remembers what was selected before, the first time only.
void SelectKeepingOriginal(HDC dc, HGDIOBJ obj, HGDIOBJ& original) {
  HGDIOBJ previous = ::SelectObject(dc, obj);
  if (original == nullptr && previous != HGDI_ERROR) original = previous;
}

}  // namespace

GdiCanvas::GdiCanvas(HDC dc, int width, int height) : dc_(dc), width_(width), height_(height) {
  SelectPen();
  SelectBrush();
  ::SetTextColor(dc_, Ref(0));
}

GdiCanvas::~GdiCanvas() { Release(); }

void GdiCanvas::Release() {
  if (dc_ == nullptr) return;
  while (!fonts_.empty()) PopFont();
  if (originalFont_ != nullptr) ::SelectObject(dc_, originalFont_);
  if (originalBrush_ != nullptr) ::SelectObject(dc_, originalBrush_);
  if (originalPen_ != nullptr) ::SelectObject(dc_, originalPen_);
  baseFont_.reset();
  brush_.reset();
  pen_.reset();
  dc_ = nullptr;
}

void GdiCanvas::SelectPen() {
  if (dc_ == nullptr) return;
  UniquePen pen(::CreatePen(PS_SOLID, 1, Ref(penColor_)));
  if (!pen) return;
  SelectKeepingOriginal(dc_, pen.get(), originalPen_);
  pen_ = std::move(pen);  // the previous pen, now deselected, is deleted here
}

void GdiCanvas::SelectBrush() {
  if (dc_ == nullptr) return;
  if (brushStyle_ == BrushStyle::Clear) {
    SelectKeepingOriginal(dc_, ::GetStockObject(NULL_BRUSH), originalBrush_);
    brush_.reset();
    ::SetBkMode(dc_, TRANSPARENT);
    return;
  }
  UniqueBrush brush(::CreateSolidBrush(Ref(brushColor_)));
  if (!brush) return;
  SelectKeepingOriginal(dc_, brush.get(), originalBrush_);
  brush_ = std::move(brush);
  // A solid brush also gives text its background, as a text written on a filled canvas.
  ::SetBkMode(dc_, OPAQUE);
  ::SetBkColor(dc_, Ref(brushColor_));
}

void GdiCanvas::SetBaseFont(UniqueFont font) {
  if (dc_ == nullptr || !font) return;
  SelectKeepingOriginal(dc_, font.get(), originalFont_);
  baseFont_ = std::move(font);
}

void GdiCanvas::MoveTo(int x, int y) {
  if (dc_ != nullptr) ::MoveToEx(dc_, x, y, nullptr);
}

void GdiCanvas::LineTo(int x, int y) {
  if (dc_ != nullptr) ::LineTo(dc_, x, y);
}

void GdiCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  if (dc_ != nullptr) ::Arc(dc_, x1, y1, x2, y2, x3, y3, x4, y4);
}

void GdiCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (dc_ != nullptr) ::Rectangle(dc_, x1, y1, x2, y2);
}

void GdiCanvas::PolyPolygon(const std::vector<int>& xy, const std::vector<int>& ringSizes) {
  if (dc_ == nullptr || ringSizes.empty()) return;
  std::vector<POINT> points(xy.size() / 2);
  for (std::size_t i = 0; i < points.size(); ++i) points[i] = {xy[2 * i], xy[2 * i + 1]};
  ::SetPolyFillMode(dc_, ALTERNATE);  // an inner ring is a hole
  ::PolyPolygon(dc_, points.data(), ringSizes.data(), static_cast<int>(ringSizes.size()));
}

void GdiCanvas::FillRect(int x1, int y1, int x2, int y2) {
  if (dc_ == nullptr || brushStyle_ == BrushStyle::Clear || !brush_) return;
  const RECT rect{x1, y1, x2, y2};
  ::FillRect(dc_, &rect, brush_.get());
}

void GdiCanvas::TextOut(int x, int y, const std::string& text) {
  if (dc_ == nullptr) return;
  const std::wstring wide = Widen(text);
  ::TextOutW(dc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

int GdiCanvas::TextWidth(const std::string& text) {
  if (dc_ == nullptr) return 0;
  const std::wstring wide = Widen(text);
  SIZE size{};
  if (!::GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size)) return 0;
  return size.cx;
}

void GdiCanvas::SetPenColor(TColor color) {
  if (pen_ && color == penColor_) return;
  penColor_ = color;
  SelectPen();
}

void GdiCanvas::SetBrushColor(TColor color) {
  if (color == brushColor_ && (brush_ || brushStyle_ == BrushStyle::Clear)) return;
  brushColor_ = color;
  SelectBrush();
}

void GdiCanvas::SetBrushStyle(BrushStyle style) {
  if (style == brushStyle_) return;
  brushStyle_ = style;
  SelectBrush();
}

void GdiCanvas::SetFontColor(TColor color) {
  if (dc_ != nullptr) ::SetTextColor(dc_, Ref(color));
}

void GdiCanvas::PushFont(const TLogFont& font) {
  if (dc_ == nullptr) return;
  LOGFONTW lf{};
  lf.lfHeight = font.height;
  lf.lfWidth = font.width;
  lf.lfEscapement = font.escapement;
  lf.lfOrientation = font.orientation;
  lf.lfWeight = font.weight;
  lf.lfItalic = font.italic ? TRUE : FALSE;
  lf.lfUnderline = font.underline ? TRUE : FALSE;
  lf.lfStrikeOut = font.strikeOut ? TRUE : FALSE;
  lf.lfCharSet = static_cast<BYTE>(font.charSet);
  lf.lfOutPrecision = static_cast<BYTE>(font.outPrecision);
  lf.lfClipPrecision = static_cast<BYTE>(font.clipPrecision);
  lf.lfQuality = static_cast<BYTE>(font.quality);
  lf.lfPitchAndFamily = static_cast<BYTE>(font.pitchAndFamily);
  const std::wstring face = Widen(font.faceName);
  const std::size_t n = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
  std::memcpy(lf.lfFaceName, face.data(), n * sizeof(wchar_t));
  lf.lfFaceName[n] = L'\0';

  UniqueFont created(::CreateFontIndirectW(&lf));
  // A font that cannot be made still takes a stack entry, so PopFont stays balanced.
  HGDIOBJ previous = created ? ::SelectObject(dc_, created.get()) : nullptr;
  if (previous == HGDI_ERROR) previous = nullptr;
  fonts_.push_back(PushedFont{std::move(created), previous});
}

void GdiCanvas::PopFont() {
  if (fonts_.empty()) return;
  PushedFont top = std::move(fonts_.back());
  fonts_.pop_back();
  if (dc_ != nullptr && top.previous != nullptr) ::SelectObject(dc_, top.previous);
  // top.font is deleted here, after it has been deselected.
}

std::string GdiCanvas::FontFaceName() const {
  if (dc_ == nullptr) return {};
  wchar_t face[LF_FACESIZE] = {};
  const int n = ::GetTextFaceW(dc_, LF_FACESIZE, face);
  if (n <= 0) return {};
  return Narrow(std::wstring_view(face));
}

// --- BitmapCanvas -------------------------------------------------------------------------

BitmapCanvas::Surface BitmapCanvas::MakeSurface(int width, int height) {
  Surface surface;
  surface.dc.reset(::CreateCompatibleDC(nullptr));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width > 0 ? width : 1;
  info.bmiHeader.biHeight = -(height > 0 ? height : 1);  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  surface.bitmap.reset(::CreateDIBSection(surface.dc.get(), &info, DIB_RGB_COLORS, &bits,
                                          nullptr, 0));
  if (surface.bitmap && bits != nullptr) {
    // A fresh DIB section is zero-filled: black.
    surface.bits = static_cast<const std::uint32_t*>(bits);
  }
  return surface;
}

BitmapCanvas::BitmapCanvas(int width, int height)
    : BitmapCanvas(MakeSurface(width, height), width, height) {}

BitmapCanvas::BitmapCanvas(Surface surface, int width, int height)
    : GdiCanvas(surface.dc.get(), width, height),
      dc_(std::move(surface.dc)),
      bitmap_(std::move(surface.bitmap)),
      bits_(surface.bits) {
  if (dc_ && bitmap_) {
    originalBitmap_ = ::SelectObject(dc_.get(), bitmap_.get());
  }
  LOGFONTW lf{};
  lf.lfHeight = kBitmapFontHeight;
  lf.lfCharSet = DEFAULT_CHARSET;
  std::wcsncpy(lf.lfFaceName, kBitmapFace, LF_FACESIZE - 1);
  SetBaseFont(UniqueFont(::CreateFontIndirectW(&lf)));
}

BitmapCanvas::~BitmapCanvas() {
  Release();
  if (dc_ && originalBitmap_ != nullptr && originalBitmap_ != HGDI_ERROR) {
    ::SelectObject(dc_.get(), originalBitmap_);
  }
}

TColor BitmapCanvas::PixelAt(int x, int y) const {
  if (bits_ == nullptr || x < 0 || y < 0 || x >= Width() || y >= Height()) return 0;
  ::GdiFlush();
  const std::uint32_t rgb = bits_[static_cast<std::size_t>(y) * Width() + x];
  // DIB pixels are 0x00RRGGBB; the canvas colours are 0x00BBGGRR.
  return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

bool BitmapCanvas::SaveBmp(const std::string& path) const {
  if (bits_ == nullptr || Width() <= 0 || Height() <= 0) return false;
  ::GdiFlush();
  const int w = Width();
  const int h = Height();
  const std::size_t rowBytes = (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t{3};
  const std::size_t imageBytes = rowBytes * static_cast<std::size_t>(h);

  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = static_cast<DWORD>(file.bfOffBits + imageBytes);
  info.biSize = sizeof(info);
  info.biWidth = w;
  info.biHeight = h;  // bottom-up rows, the form every reader accepts
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(imageBytes);

  std::string data(imageBytes, '\0');
  for (int y = 0; y < h; ++y) {
    const std::uint32_t* src = bits_ + static_cast<std::size_t>(h - 1 - y) * w;
    char* dst = data.data() + static_cast<std::size_t>(y) * rowBytes;
    for (int x = 0; x < w; ++x) {
      dst[3 * x + 0] = static_cast<char>(src[x] & 0xFF);
      dst[3 * x + 1] = static_cast<char>((src[x] >> 8) & 0xFF);
      dst[3 * x + 2] = static_cast<char>((src[x] >> 16) & 0xFF);
    }
  }
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
  bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
  bytes += data;
  return text::WriteFileAtomically(path, bytes);
}

}  // namespace zr::win32
