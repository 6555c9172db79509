#pragma once
// Paints the retained control model with GDI+, in the order and with the clipping of the
// portable layer: the form's colour and picture, then its shown controls back to front, each
// prepared at the device pixels it covers. Chinese text uses "Microsoft YaHei", or the first
// CJK font installed.
#include "winhost/win32.h"

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "platform/controls.h"
#include "platform/form_view.h"
#include "winhost/pictures.h"

namespace Gdiplus {
class Graphics;
class Font;
class FontFamily;
}  // namespace Gdiplus

namespace winhost {

// The face names tried in order; the first one installed is used.
const std::wstring& CjkFontFace();

class Painter {
 public:
  explicit Painter(Pictures& pictures);
  ~Painter();
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

  // Paints the device pixels clip of form, shown through view, into g (device pixels). Text
  // boxes are left out when the window shows them as editors of its own.
  void Paint(Gdiplus::Graphics& g, const platform::Form& form, const platform::Letterbox& view,
             const platform::Rect& clip, bool paintTextBoxes);
  // The font of a control at a scale (design pixels to device pixels).
  Gdiplus::Font& FontOf(const platform::Control& c, double scale);
  // A control's font height in device pixels at scale.
  static int FontPixels(const platform::Control& c, double scale);

 private:
  void PaintControl(Gdiplus::Graphics& g, const platform::Control& c, const platform::Rect& r,
                    const platform::Letterbox& view);

  Pictures& pictures_;
  std::unique_ptr<Gdiplus::FontFamily> family_;
  std::map<std::pair<int, bool>, std::unique_ptr<Gdiplus::Font>> fonts_;
};

}  // namespace winhost
