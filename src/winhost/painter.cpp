#include "winhost/painter.h"

#include <gdiplus.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "winhost/wide.h"

namespace winhost {

namespace {

Gdiplus::Color Rgb(std::uint32_t rgb, BYTE alpha = 255) {
  return Gdiplus::Color(alpha, static_cast<BYTE>((rgb >> 16) & 0xFF),
                        static_cast<BYTE>((rgb >> 8) & 0xFF), static_cast<BYTE>(rgb & 0xFF));
}

Gdiplus::RectF ToF(const platform::Rect& r) {
  return Gdiplus::RectF(static_cast<Gdiplus::REAL>(r.left), static_cast<Gdiplus::REAL>(r.top),
                        static_cast<Gdiplus::REAL>(r.width), static_cast<Gdiplus::REAL>(r.height));
}

Gdiplus::Rect ToG(const platform::Rect& r) {
  return Gdiplus::Rect(r.left, r.top, r.width, r.height);
}

// The design pixels a device rectangle shows (partly shown ones included).
platform::Rect DesignArea(const platform::Letterbox& v, const platform::Rect& d) {
  const int left = v.DesignX(d.left);
  const int top = v.DesignY(d.top);
  const int right = static_cast<int>(std::ceil((d.left + d.width - v.offsetX) / v.scale));
  const int bottom = static_cast<int>(std::ceil((d.top + d.height - v.offsetY) / v.scale));
  return {left, top, right - left, bottom - top};
}

void DrawPrepared(Gdiplus::Graphics& g, Pictures& pictures, int id, const platform::Rect& d) {
  if (id <= 0 || d.Empty()) return;
  Gdiplus::Bitmap* bmp = pictures.Prepared(id, d.width, d.height);
  if (bmp != nullptr) g.DrawImage(bmp, d.left, d.top, d.width, d.height);
}

void DrawLine(Gdiplus::Graphics& g, Gdiplus::Font& font, const std::string& text,
              const platform::Rect& r, platform::Align align, std::uint32_t fore, bool wrap) {
  if (text.empty() || r.Empty()) return;
  Gdiplus::StringFormat fmt;
  switch (align) {
    case platform::Align::Right:
      fmt.SetAlignment(Gdiplus::StringAlignmentFar);
      break;
    case platform::Align::Center:
      fmt.SetAlignment(Gdiplus::StringAlignmentCenter);
      break;
    default:
      fmt.SetAlignment(Gdiplus::StringAlignmentNear);
      break;
  }
  fmt.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  if (!wrap) fmt.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap);
  const std::wstring w = Wide(text);
  Gdiplus::SolidBrush brush(Rgb(fore));
  g.DrawString(w.c_str(), static_cast<INT>(w.size()), &font, ToF(r), &fmt, &brush);
}

}  // namespace

const std::wstring& CjkFontFace() {
  // Read-only after the first call: the fonts installed do not change while the program runs.
  static const std::wstring face = [] {
    const std::array<const wchar_t*, 7> faces = {L"Microsoft YaHei",
                                                 L"\x5fae\x8f6f\x96c5\x9ed1",
                                                 L"WenQuanYi Micro Hei",
                                                 L"Noto Sans CJK SC",
                                                 L"SimHei",
                                                 L"SimSun",
                                                 L"NSimSun"};
    for (const wchar_t* f : faces) {
      Gdiplus::FontFamily family(f);
      if (family.IsAvailable()) return std::wstring(f);
    }
    return std::wstring(L"Tahoma");
  }();
  return face;
}

Painter::Painter(Pictures& pictures)
    : pictures_(pictures), family_(std::make_unique<Gdiplus::FontFamily>(CjkFontFace().c_str())) {}

Painter::~Painter() = default;

int Painter::FontPixels(const platform::Control& c, double scale) {
  // Points at 96 pixels an inch, as the design was drawn.
  return std::max(1,
                  static_cast<int>(std::lround(std::max(1, c.FontSize()) * 96.0 / 72.0 * scale)));
}

Gdiplus::Font& Painter::FontOf(const platform::Control& c, double scale) {
  const std::pair<int, bool> key{FontPixels(c, scale), c.FontBold()};
  auto& f = fonts_[key];
  if (!f) {
    f = std::make_unique<Gdiplus::Font>(
        family_.get(), static_cast<Gdiplus::REAL>(key.first),
        key.second ? Gdiplus::FontStyleBold : Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
  }
  return *f;
}

void Painter::PaintControl(Gdiplus::Graphics& g, const platform::Control& c,
                           const platform::Rect& r, const platform::Letterbox& view) {
  const platform::Rect d = view.Snap(r);
  switch (c.Kind()) {
    case platform::ControlKind::Image:
      DrawPrepared(g, pictures_, c.Picture(), d);
      break;
    case platform::ControlKind::Label: {
      if (c.BackOpaque()) {
        Gdiplus::SolidBrush back(Rgb(c.BackColor()));
        g.FillRectangle(&back, ToG(d));
      }
      DrawLine(g, FontOf(c, view.scale), c.Caption(), d, c.Alignment(), c.ForeColor(), true);
      break;
    }
    case platform::ControlKind::ListBox: {
      if (c.BackOpaque()) {
        Gdiplus::SolidBrush back(Rgb(c.BackColor()));
        g.FillRectangle(&back, ToG(d));
      }
      Gdiplus::Font& font = FontOf(c, view.scale);
      // The row height of the font at design size, in whole design pixels.
      const int style = c.FontBold() ? Gdiplus::FontStyleBold : Gdiplus::FontStyleRegular;
      const double em = FontPixels(c, 1.0);
      const int line = c.RowHeight() > 0
                           ? c.RowHeight()
                           : std::max(1, static_cast<int>(std::lround(
                                             em * family_->GetLineSpacing(style) /
                                             std::max<UINT16>(1, family_->GetEmHeight(style)))));
      const auto& items = c.Items();
      Gdiplus::SolidBrush lit(Gdiplus::Color(150, 255, 215, 94));
      platform::ForEachShownRow(c, r, line, [&](int i, const platform::Rect& row) {
        const platform::Rect rd = view.Snap(row);
        if (i == c.ListIndex()) g.FillRectangle(&lit, ToG(rd));
        const platform::Rect text = view.Snap({row.left + 2, row.top, row.width - 4, row.height});
        DrawLine(g, font, items[static_cast<std::size_t>(i)], text, platform::Align::Left,
                 c.ForeColor(), false);
      });
      break;
    }
    case platform::ControlKind::TextBox: {
      Gdiplus::SolidBrush back(Gdiplus::Color(230, 255, 255, 255));
      g.FillRectangle(&back, ToG(d));
      Gdiplus::Pen frame(Gdiplus::Color(255, 90, 90, 90), 1.0f);
      g.DrawRectangle(&frame, d.left, d.top, d.width - 1, d.height - 1);
      const platform::Rect text = view.Snap({r.left + 4, r.top, r.width - 8, r.height});
      DrawLine(g, FontOf(c, view.scale), c.Text(), text, platform::Align::Left, c.ForeColor(),
               false);
      break;
    }
  }
}

void Painter::Paint(Gdiplus::Graphics& g, const platform::Form& form,
                    const platform::Letterbox& view, const platform::Rect& clip,
                    bool paintTextBoxes) {
  const auto& geo = form.Geometry();
  const platform::Rect whole{0, 0, geo.width, geo.height};
  const platform::Rect covered = view.Covered(geo.width, geo.height);
  g.SetClip(ToG(clip));
  // The bars beside a table of another aspect.
  {
    Gdiplus::Region bars(ToG(clip));
    bars.Exclude(ToG(covered));
    Gdiplus::SolidBrush black(Gdiplus::Color(255, 0, 0, 0));
    g.FillRegion(&black, &bars);
  }
  g.SetClip(ToG(covered), Gdiplus::CombineModeIntersect);
  g.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
  g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
  {
    Gdiplus::SolidBrush back(Rgb(form.BackColor()));
    g.FillRectangle(&back, ToG(view.Snap(whole)));
  }
  DrawPrepared(g, pictures_, form.Picture(), view.Snap(whole));
  platform::ForEachPainted(form, DesignArea(view, clip),
                           [&](const platform::Control& c, const platform::Rect& r) {
                             if (!paintTextBoxes && c.Kind() == platform::ControlKind::TextBox)
                               return;
                             PaintControl(g, c, r, view);
                           });
  g.ResetClip();
}

}  // namespace winhost
