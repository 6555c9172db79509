// qintara-snapshot-win --state NAME --scale 1|small [--dialog settings|exit|leave]
//                      [--window] [--mask MASK.png] --out FILE.png
// The main window in a named table state painted by the Windows host, for comparison with the
// Qt host's qintara-snapshot. Without --window the form is painted into a picture, with the
// result windows and the dialog composed over it as the window system would show them; with
// --window the table is shown in a real window and its pixels are read back from the screen.
// --mask writes a picture that is black over every text control and white elsewhere: text is
// drawn by different font engines, so a comparison leaves those areas out.
#include "winhost/win32.h"

#include <gdiplus.h>

#include <cstdio>
#include <exception>
#include <initializer_list>
#include <string>
#include <vector>

#include "net/net.h"
#include "session/control_bar.h"
#include "session/dialogs.h"
#include "table_states.h"
#include "ui/ui.h"
#include "winhost/painter.h"
#include "winhost/pictures.h"
#include "winhost/wide.h"
#include "winhost/win_host.h"

namespace {

struct Layer {
  const platform::Form* form;
  int left;
  int top;
};

bool HasText(const platform::Control& c) {
  switch (c.Kind()) {
    case platform::ControlKind::Label:
      return !c.Caption().empty();
    case platform::ControlKind::ListBox:
      return !c.Items().empty();
    case platform::ControlKind::TextBox:
      return true;
    default:
      return false;
  }
}

void PaintLayer(winhost::Painter& painter, Gdiplus::Graphics& g, const Layer& l, int alpha) {
  const auto& geo = l.form->Geometry();
  Gdiplus::Bitmap layer(geo.width, geo.height, PixelFormat32bppPARGB);
  {
    Gdiplus::Graphics lg(&layer);
    painter.Paint(lg, *l.form, platform::Letterbox{}, {0, 0, geo.width, geo.height}, true);
  }
  Gdiplus::ColorMatrix m = {{{1, 0, 0, 0, 0},
                             {0, 1, 0, 0, 0},
                             {0, 0, 1, 0, 0},
                             {0, 0, 0, static_cast<Gdiplus::REAL>(alpha / 255.0), 0},
                             {0, 0, 0, 0, 1}}};
  Gdiplus::ImageAttributes attr;
  attr.SetColorMatrix(&m);
  g.DrawImage(&layer, Gdiplus::Rect(l.left, l.top, geo.width, geo.height), 0, 0, geo.width,
              geo.height, Gdiplus::UnitPixel, &attr);
}

int Snapshot(const std::vector<std::wstring>& args) {
  std::string state = "midhand", scale = "1", dialog;
  std::wstring out, mask;
  bool window = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::wstring& a = args[i];
    const bool more = i + 1 < args.size();
    if (a == L"--window") {
      window = true;
    } else if (a == L"--state" && more) {
      state = winhost::Utf8(args[++i]);
    } else if (a == L"--scale" && more) {
      scale = winhost::Utf8(args[++i]);
    } else if (a == L"--dialog" && more) {
      dialog = winhost::Utf8(args[++i]);
    } else if (a == L"--out" && more) {
      out = args[++i];
    } else if (a == L"--mask" && more) {
      mask = args[++i];
    }
  }
  if (out.empty() || (scale != "1" && scale != "small")) {
    std::fprintf(stderr,
                 "usage: qintara-snapshot-win --state NAME --scale 1|small "
                 "[--dialog settings|exit|leave] [--window] [--mask M.png] --out FILE.png\n");
    return 2;
  }
  winhost::WinHost winHost(winhost::ProgramFolder() + L"\\res");
  auto table = snapshot::BuildTable(state, scale == "small");
  Client& c = *table->client;
  const platform::Form& form = c.MainForm;
  const platform::Form* over = nullptr;
  if (dialog == "settings") {
    ui::ToggleSettings(c.uiCtx);
    over = &c.VosSet;
  } else if (dialog == "exit") {
    table->host.Run([&] { session::ToggleExitDialog(c); });
    over = &c.frmExit;
  } else if (dialog == "leave") {
    table->host.Run([&] { session::ShowLeaveDialog(c, "玩家小美,退出了游戏！游戏结束！"); });
    over = &c.frmOtherExit;
  }
  table->host.Run([&] { session::ShowLinkState(c); });
  const auto& g = form.Geometry();
  std::vector<Layer> layers{{&form, 0, 0}};
  for (const platform::Form* sheet :
       std::initializer_list<const platform::Form*>{&c.Score, &c.Hero, &c.Information}) {
    if (sheet->Visible())
      layers.push_back({sheet, sheet->Geometry().left - g.left, sheet->Geometry().top - g.top});
  }
  if (over != nullptr)
    layers.push_back({over, over->Geometry().left - g.left, over->Geometry().top - g.top});

  Gdiplus::Bitmap img(g.width, g.height, PixelFormat32bppARGB);
  winhost::Painter painter(winHost.Artwork());
  if (window) {
    // The table in a real window of its own; read back from the screen once painted.
    platform::Form& shown = c.MainForm;
    winhost::FormWindow w(winHost, shown, nullptr, winhost::FormWindow::Role::Main);
    const bool wasVisible = shown.Visible();
    shown.SetVisible(false);
    shown.SetVisible(true);
    SetWindowPos(w.Handle(), HWND_TOPMOST, 0, 0, g.width, g.height, SWP_SHOWWINDOW);
    winHost.WaitUntil([&] { return w.PaintCount() > 0; });
    UpdateWindow(w.Handle());
    winHost.WaitProcessingEvents(300);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, g.width, g.height);
    HGDIOBJ old = SelectObject(mem, bmp);
    POINT origin{0, 0};
    ClientToScreen(w.Handle(), &origin);
    BitBlt(mem, 0, 0, g.width, g.height, screen, origin.x, origin.y, SRCCOPY);
    SelectObject(mem, old);
    {
      Gdiplus::Bitmap grabbed(bmp, nullptr);
      Gdiplus::Graphics ig(&img);
      ig.DrawImage(&grabbed, 0, 0, g.width, g.height);
    }
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    shown.SetVisible(wasVisible);
  } else {
    Gdiplus::Graphics ig(&img);
    for (std::size_t i = 0; i < layers.size(); ++i) {
      const Layer& l = layers[i];
      if (i > 0 && l.form != over) {
        // A sheet's shadow and frame, as the Qt snapshot draws them.
        Gdiplus::SolidBrush shadow(Gdiplus::Color(90, 0, 0, 0));
        ig.FillRectangle(&shadow, l.left + 3, l.top + 3, l.form->Geometry().width,
                         l.form->Geometry().height);
      }
      PaintLayer(painter, ig, l, l.form == over ? over->Opacity() : 255);
      if (i > 0 && l.form != over) {
        Gdiplus::Pen frame(Gdiplus::Color(255, 0x7A, 0x2E, 0x12), 1.0f);
        ig.DrawRectangle(&frame, l.left, l.top, l.form->Geometry().width - 1,
                         l.form->Geometry().height - 1);
      }
    }
  }
  if (!winhost::SavePng(img, out)) {
    std::fprintf(stderr, "qintara-snapshot-win: cannot write %s\n", winhost::Utf8(out).c_str());
    return 1;
  }
  if (!mask.empty()) {
    Gdiplus::Bitmap m(g.width, g.height, PixelFormat32bppARGB);
    Gdiplus::Graphics mg(&m);
    mg.Clear(Gdiplus::Color(255, 255, 255, 255));
    Gdiplus::SolidBrush black(Gdiplus::Color(255, 0, 0, 0));
    for (const Layer& l : layers) {
      platform::ForEachPainted(*l.form, {0, 0, l.form->Geometry().width, l.form->Geometry().height},
                               [&](const platform::Control& ctl, const platform::Rect& r) {
                                 if (!HasText(ctl)) return;
                                 // Glyphs spill over their box by a pixel or two.
                                 mg.FillRectangle(&black, l.left + r.left - 3, l.top + r.top - 3,
                                                  r.width + 6, r.height + 6);
                               });
    }
    if (!winhost::SavePng(m, mask)) return 1;
  }
  return 0;
}

}  // namespace

int main() {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::wstring> args(argv, argv + argc);
  LocalFree(argv);
  try {
    return Snapshot(args);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "qintara-snapshot-win: %s\n", e.what());
    return 1;
  }
}
