#include "winhost/form_window.h"

#include <commctrl.h>
#include <gdiplus.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "winhost/dpi.h"
#include "winhost/wide.h"
#include "winhost/win_host.h"

namespace winhost {

namespace {

constexpr wchar_t kClassName[] = L"QintaraForm";
constexpr UINT_PTR kEditSubclass = 1;
constexpr int kGrip = 12;  // the resize corner of the borderless main window, device pixels
constexpr UINT_PTR kTipId = 1;

void RegisterClassOnce(WNDPROC proc) {
  WNDCLASSEXW wc{};
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kClassName, &wc)) return;
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);
}

DWORD StyleOf(const platform::Form& form, FormWindow::Role role) {
  if (form.Framed())
    return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  // Borderless; the system menu and minimise box keep the taskbar's restore and minimise.
  DWORD s = WS_POPUP | WS_CLIPCHILDREN;
  if (role == FormWindow::Role::Main) s |= WS_SYSMENU | WS_MINIMIZEBOX;
  return s;
}

// The buttons and keys a mouse message says are held.
int MouseShift(WPARAM wParam) {
  int out = 0;
  if (wParam & MK_SHIFT) out |= platform::kShiftMask;
  if (wParam & MK_CONTROL) out |= platform::kCtrlMask;
  if (GetKeyState(VK_MENU) < 0) out |= platform::kAltMask;
  return out;
}

int ButtonsHeld(WPARAM wParam) {
  int out = 0;
  if (wParam & MK_LBUTTON) out |= platform::kLeftButton;
  if (wParam & MK_RBUTTON) out |= platform::kRightButton;
  if (wParam & MK_MBUTTON) out |= platform::kMiddleButton;
  return out;
}

RECT ToRECT(const platform::Rect& r) {
  return RECT{r.left, r.top, r.left + r.width, r.top + r.height};
}

}  // namespace

bool CoreKey(int vk) {
  if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return true;
  if (vk >= VK_F1 && vk <= VK_F12) return true;
  switch (vk) {
    case VK_BACK:
    case VK_TAB:
    case VK_RETURN:
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_ESCAPE:
    case VK_SPACE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_INSERT:
    case VK_DELETE:
      return true;
    default:
      return false;
  }
}

int ShiftState() {
  int out = 0;
  if (GetKeyState(VK_SHIFT) < 0) out |= platform::kShiftMask;
  if (GetKeyState(VK_CONTROL) < 0) out |= platform::kCtrlMask;
  if (GetKeyState(VK_MENU) < 0) out |= platform::kAltMask;
  return out;
}

FormWindow::FormWindow(WinHost& host, platform::Form& form, platform::FormEvents* events, Role role)
    : host_(host), form_(form), events_(events), role_(role), painter_(host.Artwork()) {
  RegisterClassOnce(&FormWindow::Proc);
  if (events_ != nullptr) input_ = std::make_unique<platform::FormInput>(form_, *events_);
  const DWORD exStyle = role_ == Role::Secondary && form_.Topmost() ? WS_EX_TOPMOST : 0;
  hwnd_ = CreateWindowExW(exStyle, kClassName, Wide(form_.Caption()).c_str(), StyleOf(form_, role_),
                          CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, nullptr, nullptr,
                          GetModuleHandleW(nullptr), this);
  dpr_ = WindowPixelRatio(hwnd_);
  tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                         WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
  if (tip_ != nullptr) {
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_SUBCLASS;
    ti.hwnd = hwnd_;
    ti.uId = kTipId;
    ti.lpszText = LPSTR_TEXTCALLBACKW;
    GetClientRect(hwnd_, &ti.rect);
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, 400);
  }
  CreateEditors();
  form_.SetObserver(this);
  SyncWindow();
  UpdateView();
}

FormWindow::~FormWindow() {
  form_.SetObserver(nullptr);
  for (Editor& ed : editors_) {
    RemoveWindowSubclass(ed.edit, &FormWindow::EditProc, kEditSubclass);
    if (ed.font != nullptr) DeleteObject(ed.font);
  }
  if (hwnd_ != nullptr) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  if (bufferDc_ != nullptr) {
    SelectObject(bufferDc_, bufferOld_);
    DeleteDC(bufferDc_);
  }
  if (buffer_ != nullptr) DeleteObject(buffer_);
}

HWND FormWindow::EditorOf(const platform::Control& c) const {
  for (const Editor& ed : editors_)
    if (ed.control == &c) return ed.edit;
  return nullptr;
}

void FormWindow::SetOwner(HWND owner) {
  SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
}

void FormWindow::Enable(bool on) {
  if (enabled_ == on) return;
  enabled_ = on;
  EnableWindow(hwnd_, on ? TRUE : FALSE);
}

int FormWindow::Logical(int devicePixels) const {
  return static_cast<int>(std::lround(devicePixels / dpr_));
}

int FormWindow::Device(int logicalPixels) const {
  return static_cast<int>(std::lround(logicalPixels * dpr_));
}

void FormWindow::CreateEditors() {
  for (platform::Control* c : form_.Stacking()) {
    if (c->Kind() != platform::ControlKind::TextBox) continue;
    HWND edit = CreateWindowExW(0, WC_EDITW, L"", WS_CHILD | ES_AUTOHSCROLL | ES_LEFT, 0, 0, 10, 10,
                                hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (edit == nullptr) continue;
    editors_.push_back({c, edit, c->CaretMoves()});
  }
  // Subclassed once the vector no longer moves: the procedure finds its editor by index.
  for (std::size_t i = 0; i < editors_.size(); ++i) {
    SetWindowSubclass(editors_[i].edit, &FormWindow::EditProc, kEditSubclass,
                      reinterpret_cast<DWORD_PTR>(this));
    SetWindowLongPtrW(editors_[i].edit, GWLP_ID, static_cast<LONG_PTR>(100 + i));
  }
}

// ---- Geometry ----

void FormWindow::UpdateView() {
  RECT rc{};
  GetClientRect(hwnd_, &rc);
  clientWidth_ = rc.right - rc.left;
  clientHeight_ = rc.bottom - rc.top;
  const auto& g = form_.Geometry();
  view_ = platform::FitDesign(g.width, g.height, clientWidth_, clientHeight_);
  for (Editor& ed : editors_) SyncEditor(ed);
  if (tip_ != nullptr) {
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = hwnd_;
    ti.uId = kTipId;
    ti.rect = rc;
    SendMessageW(tip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

// ---- The model ----

void FormWindow::FormChanged(platform::Form& /*form*/, platform::Rect dirty) {
  if (dirty.Empty()) {
    SyncWindow();
    return;
  }
  const RECT r = ToRECT(view_.Dirty(dirty));
  InvalidateRect(hwnd_, &r, FALSE);
  for (Editor& ed : editors_) {
    if (platform::Intersects(form_.WindowBounds(*ed.control), dirty)) SyncEditor(ed);
  }
}

void FormWindow::SyncEditor(Editor& ed) {
  const platform::Control& c = *ed.control;
  const bool was = syncing_;
  syncing_ = true;
  const std::wstring text = Wide(c.Text());
  const int maxLength = c.MaxLength() > 0 ? c.MaxLength() : 32767;
  SendMessageW(ed.edit, EM_SETLIMITTEXT, static_cast<WPARAM>(maxLength), 0);
  const int len = GetWindowTextLengthW(ed.edit);
  std::wstring now(static_cast<std::size_t>(len) + 1, L'\0');
  GetWindowTextW(ed.edit, now.data(), len + 1);
  now.resize(static_cast<std::size_t>(len));
  if (now != text) SetWindowTextW(ed.edit, text.c_str());
  if (ed.caretMoves != c.CaretMoves()) {
    ed.caretMoves = c.CaretMoves();
    SendMessageW(ed.edit, EM_SETSEL, static_cast<WPARAM>(c.SelStart()),
                 static_cast<LPARAM>(c.SelStart()));
  }
  // Inside the frame the window paints around the box.
  const platform::Rect d = view_.Snap(form_.WindowBounds(c));
  const platform::Rect in{d.left + 1, d.top + 1, std::max(1, d.width - 2),
                          std::max(1, d.height - 2)};
  const int px = Painter::FontPixels(c, view_.scale);
  if (ed.font == nullptr || ed.fontPixels != px) {
    HFONT font = CreateFontW(-px, 0, 0, 0, c.FontBold() ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             CLEARTYPE_QUALITY, DEFAULT_PITCH, CjkFontFace().c_str());
    SendMessageW(ed.edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (ed.font != nullptr) DeleteObject(ed.font);
    ed.font = font;
    ed.fontPixels = px;
  }
  // The text sits in the middle of the box, as the box's own padding would put it.
  const int pad = std::max(0, (in.height - px * 5 / 4) / 2);
  RECT cur{};
  GetWindowRect(ed.edit, &cur);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&cur), 2);
  if (cur.left != in.left || cur.top != in.top + pad || cur.right - cur.left != in.width ||
      cur.bottom - cur.top != in.height - 2 * pad) {
    MoveWindow(ed.edit, in.left, in.top + pad, in.width, std::max(1, in.height - 2 * pad), TRUE);
  }
  SendMessageW(ed.edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
               MAKELPARAM(Device(3), Device(3)));
  EnableWindow(ed.edit, c.Enabled() ? TRUE : FALSE);
  const bool show = c.Visible() && form_.Visible();
  if ((IsWindowVisible(ed.edit) != FALSE) != show) ShowWindow(ed.edit, show ? SW_SHOWNA : SW_HIDE);
  syncing_ = was;
}

void FormWindow::SyncFocus() {
  platform::Control* want = form_.Focused();
  HWND focus = GetFocus();
  for (const Editor& ed : editors_) {
    if (ed.control == want && focus != ed.edit && IsWindowVisible(ed.edit)) {
      // Only inside the active window: focus must not pull a window to the front.
      if (GetActiveWindow() == hwnd_) SetFocus(ed.edit);
    } else if (ed.control != want && focus == ed.edit) {
      SetFocus(hwnd_);
    }
  }
}

void FormWindow::SyncWindow() {
  if (syncing_) return;
  syncing_ = true;
  const auto& g = form_.Geometry();
  const std::wstring title = Wide(form_.Caption());
  {
    std::wstring now(static_cast<std::size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
    now.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd_, now.data(), static_cast<int>(now.size()))));
    if (now != title) SetWindowTextW(hwnd_, title.c_str());
  }
  if (role_ == Role::Secondary) SyncSecondary();
  if (role_ == Role::Main && g.width > 0 && g.height > 0 && !IsWindowVisible(hwnd_)) {
    RECT want{Device(g.left), Device(g.top), Device(g.left + g.width), Device(g.top + g.height)};
    AdjustWindowRectEx(&want, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
    RECT cur{};
    GetWindowRect(hwnd_, &cur);
    if (!EqualRect(&cur, &want)) {
      SetWindowPos(hwnd_, nullptr, want.left, want.top, want.right - want.left,
                   want.bottom - want.top, SWP_NOZORDER | SWP_NOACTIVATE);
      UpdateView();
      InvalidateRect(hwnd_, nullptr, FALSE);
    }
  }
  // Per-window transparency through a layered window.
  const LONG_PTR ex = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
  if (form_.Opacity() < 255) {
    if (!(ex & WS_EX_LAYERED)) SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    SetLayeredWindowAttributes(hwnd_, 0, static_cast<BYTE>(form_.Opacity()), LWA_ALPHA);
  } else if (ex & WS_EX_LAYERED) {
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
  }
  if (form_.Visible()) {
    const bool wasShown = IsWindowVisible(hwnd_) != FALSE;
    if (form_.State() == platform::WindowState::Minimized) {
      if (!IsIconic(hwnd_)) ShowWindow(hwnd_, SW_MINIMIZE);
    } else if (!wasShown) {
      ShowWindow(hwnd_, SW_SHOWNORMAL);
    } else if (IsIconic(hwnd_)) {
      ShowWindow(hwnd_, SW_RESTORE);
    }
    if (!wasShown && form_.Modal()) host_.UpdateModality();
    if (role_ == Role::Main) {
      // Topmost and back at once is how the core brings its window to the front.
      if (form_.Topmost() && !topmostShown_) {
        SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(hwnd_);
      } else if (!form_.Topmost() && topmostShown_) {
        SetWindowPos(hwnd_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      }
      topmostShown_ = form_.Topmost();
    }
  } else if (IsWindowVisible(hwnd_)) {
    ShowWindow(hwnd_, SW_HIDE);
    if (form_.Modal()) host_.UpdateModality();
  }
  for (Editor& ed : editors_) SyncEditor(ed);
  SyncFocus();
  syncing_ = false;
}

void FormWindow::SyncSecondary() {
  const auto& g = form_.Geometry();
  if (g.width > 0 && g.height > 0) {
    RECT want{Device(g.left), Device(g.top), Device(g.left + g.width), Device(g.top + g.height)};
    AdjustWindowRectEx(&want, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
    RECT cur{};
    GetWindowRect(hwnd_, &cur);
    if (!EqualRect(&cur, &want)) {
      const bool resized = cur.right - cur.left != want.right - want.left ||
                           cur.bottom - cur.top != want.bottom - want.top;
      SetWindowPos(hwnd_, nullptr, want.left, want.top, want.right - want.left,
                   want.bottom - want.top, SWP_NOZORDER | SWP_NOACTIVATE);
      if (resized) {
        UpdateView();
        InvalidateRect(hwnd_, nullptr, FALSE);
      }
    }
  }
  const bool topmost = (GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  if (topmost != form_.Topmost()) {
    SetWindowPos(hwnd_, form_.Topmost() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

// ---- Painting ----

void FormWindow::Paint() {
  PAINTSTRUCT ps{};
  HDC hdc = BeginPaint(hwnd_, &ps);
  ++paints_;
  lastPaint_ = ps.rcPaint;
  static const bool logPaints = std::getenv("QINTARA_PAINT_LOG") != nullptr;
  if (logPaints) {
    std::fprintf(stderr, "paint %llu %ld,%ld %ldx%ld\n", static_cast<unsigned long long>(paints_),
                 ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                 ps.rcPaint.bottom - ps.rcPaint.top);
  }
  if (bufferDc_ == nullptr || bufferWidth_ != clientWidth_ || bufferHeight_ != clientHeight_) {
    if (bufferDc_ != nullptr) {
      SelectObject(bufferDc_, bufferOld_);
      DeleteDC(bufferDc_);
      DeleteObject(buffer_);
    }
    bufferDc_ = CreateCompatibleDC(hdc);
    buffer_ = CreateCompatibleBitmap(hdc, std::max(1, clientWidth_), std::max(1, clientHeight_));
    bufferOld_ = SelectObject(bufferDc_, buffer_);
    bufferWidth_ = clientWidth_;
    bufferHeight_ = clientHeight_;
  }
  const platform::Rect clip{ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                            ps.rcPaint.bottom - ps.rcPaint.top};
  if (!clip.Empty()) {
    {
      Gdiplus::Graphics g(bufferDc_);
      painter_.Paint(g, form_, view_, clip, editors_.empty());
    }
    BitBlt(hdc, clip.left, clip.top, clip.width, clip.height, bufferDc_, clip.left, clip.top,
           SRCCOPY);
  }
  EndPaint(hwnd_, &ps);
}

// ---- Mouse ----

bool FormWindow::SetCursorForPoint() {
  POINT pt{};
  GetCursorPos(&pt);
  ScreenToClient(hwnd_, &pt);
  const platform::Point d = ToDesign(pt.x, pt.y);
  const platform::Control* c = form_.HitTest(d.x, d.y);
  LPCWSTR shape = IDC_ARROW;
  switch (c == nullptr ? platform::kPointerDefault : c->MousePointer()) {
    case platform::kPointerHand:
      shape = IDC_HAND;
      break;
    case platform::kPointerSizeAll:
      shape = IDC_SIZEALL;
      break;
    default:
      break;
  }
  SetCursor(LoadCursorW(nullptr, shape));
  return true;
}

void FormWindow::UpdateTip(const platform::Control* over) {
  if (tip_ == nullptr || over == tipControl_) return;
  tipControl_ = over;
  // A new control under the pointer: the old tip goes, the next one asks for its text.
  SendMessageW(tip_, TTM_POP, 0, 0);
}

void FormWindow::OnPress(int button, WPARAM wParam, LPARAM lParam, bool doubleClick) {
  if (input_ == nullptr) return;
  const platform::Point d = ToDesign(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  if (GetCapture() != hwnd_) SetCapture(hwnd_);
  if (doubleClick) {
    input_->DoubleClick(d.x, d.y, button, MouseShift(wParam));
    return;
  }
  const platform::PressResult r = input_->Press(d.x, d.y, button, MouseShift(wParam));
  if (r != platform::PressResult::DragWindow) return;
  // The system drags the window until the button is released.
  ReleaseCapture();
  SendMessageW(hwnd_, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
  if (events_ != nullptr) events_->OnMoved();
}

void FormWindow::OnRelease(int button, WPARAM wParam, LPARAM lParam) {
  if (input_ == nullptr) return;
  const platform::Point d = ToDesign(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  input_->Release(d.x, d.y, button, MouseShift(wParam));
  // The message names the buttons still held.
  if (ButtonsHeld(wParam) == 0 && GetCapture() == hwnd_) ReleaseCapture();
}

void FormWindow::OnMove(WPARAM wParam, LPARAM lParam) {
  const platform::Point d = ToDesign(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
  UpdateTip(form_.HitTest(d.x, d.y));
  if (input_ == nullptr) return;
  input_->Move(d.x, d.y, ButtonsHeld(wParam), MouseShift(wParam));
}

void FormWindow::OnWheel(WPARAM wParam, LPARAM lParam) {
  if (input_ == nullptr) return;
  constexpr int kNotch = WHEEL_DELTA;
  wheel_ += GET_WHEEL_DELTA_WPARAM(wParam);
  const int rows = wheel_ / kNotch;
  wheel_ -= rows * kNotch;
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};  // screen coordinates
  ScreenToClient(hwnd_, &pt);
  const platform::Point d = ToDesign(pt.x, pt.y);
  input_->Wheel(d.x, d.y, rows);
}

void FormWindow::OnKey(bool down, WPARAM wParam) {
  const int key = static_cast<int>(wParam);
  if (events_ == nullptr || !CoreKey(key)) return;
  if (down) {
    events_->OnKeyDown(nullptr, key, ShiftState());
  } else {
    events_->OnKeyUp(nullptr, key, ShiftState());
  }
}

// ---- Text boxes ----

LRESULT CALLBACK FormWindow::EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR /*id*/, DWORD_PTR self) {
  auto* w = reinterpret_cast<FormWindow*>(self);
  for (Editor& ed : w->editors_) {
    if (ed.edit == hwnd) return w->OnEditMessage(ed, msg, wParam, lParam);
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT FormWindow::OnEditMessage(Editor& ed, UINT msg, WPARAM wParam, LPARAM lParam) {
  platform::Control& c = *ed.control;
  HWND edit = ed.edit;
  const auto reportCaret = [&] {
    DWORD start = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    c.ReportSelStart(static_cast<int>(start));
  };
  switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      const int key = static_cast<int>(wParam);
      if (events_ == nullptr || !CoreKey(key)) break;
      host_.Guard("key", [&] { events_->OnKeyDown(&c, key, ShiftState()); });
      if (key == VK_RETURN) return 0;  // Enter sends; the box has no use for it
      const LRESULT r = DefSubclassProc(edit, msg, wParam, lParam);
      reportCaret();
      return r;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      const int key = static_cast<int>(wParam);
      if (events_ == nullptr || !CoreKey(key)) break;
      host_.Guard("key", [&] { events_->OnKeyUp(&c, key, ShiftState()); });
      const LRESULT r = DefSubclassProc(edit, msg, wParam, lParam);
      reportCaret();
      return r;
    }
    case WM_CHAR:
      if (wParam == L'\r' || wParam == L'\n') return 0;  // no beep for the Enter already taken
      break;
    case WM_SETFOCUS:
      if (form_.Focused() != &c) form_.SetFocus(&c);
      if (events_ != nullptr) host_.Guard("focus", [&] { events_->OnFocus(c, true); });
      break;
    case WM_KILLFOCUS: {
      // Focus going to another program is not the box's own loss.
      const HWND to = reinterpret_cast<HWND>(wParam);
      if (to != nullptr) {
        if (form_.Focused() == &c) form_.SetFocus(nullptr);
        if (events_ != nullptr) host_.Guard("focus", [&] { events_->OnFocus(c, false); });
      }
      break;
    }
    case WM_LBUTTONUP: {
      const LRESULT r = DefSubclassProc(edit, msg, wParam, lParam);
      reportCaret();
      return r;
    }
    default:
      break;
  }
  return DefSubclassProc(edit, msg, wParam, lParam);
}

// ---- The window procedure ----

LRESULT CALLBACK FormWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* self = static_cast<FormWindow*>(cs->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
  return self->OnMessage(msg, wParam, lParam);
}

LRESULT FormWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  bool handled = true;
  host_.Guard("window", [&] {
    switch (msg) {
      case WM_ERASEBKGND:
        result = 1;
        break;
      case WM_PAINT:
        Paint();
        break;
      case WM_NCHITTEST:
        result = DefWindowProcW(hwnd_, msg, wParam, lParam);
        if (result == HTCLIENT && role_ == Role::Main && !form_.Framed()) {
          POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
          ScreenToClient(hwnd_, &pt);
          if (pt.x >= clientWidth_ - kGrip && pt.y >= clientHeight_ - kGrip) result = HTBOTTOMRIGHT;
        }
        break;
      case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == hwnd_) {
          result = SetCursorForPoint() ? TRUE : FALSE;
        } else {
          handled = false;
        }
        break;
      case WM_GETMINMAXINFO:
        if (role_ == Role::Main) {
          auto* mm = reinterpret_cast<MINMAXINFO*>(lParam);
          const auto& g = form_.Geometry();
          mm->ptMinTrackSize.x = std::max(1, Device(g.width / 4));
          mm->ptMinTrackSize.y = std::max(1, Device(g.height / 4));
        }
        break;
      case WM_SIZE: {
        const bool minimized = wParam == SIZE_MINIMIZED;
        if (!minimized) {
          UpdateView();
          InvalidateRect(hwnd_, nullptr, FALSE);
        }
        if (minimized != wasMinimized_) {
          wasMinimized_ = minimized;
          const bool was = syncing_;
          syncing_ = true;
          form_.SetState(minimized ? platform::WindowState::Minimized
                                   : platform::WindowState::Normal);
          syncing_ = was;
          if (events_ != nullptr) events_->OnResize();
        }
        if (role_ == Role::Main && !minimized) {
          // The windows open over the table follow it to its new size.
          form_.ReportShownSize(Logical(clientWidth_), Logical(clientHeight_));
          if (events_ != nullptr && IsWindowVisible(hwnd_) && !syncing_) events_->OnMoved();
        }
        break;
      }
      case WM_MOVE:
        if (!syncing_ && !IsIconic(hwnd_) && IsWindowVisible(hwnd_)) {
          RECT wr{};
          GetWindowRect(hwnd_, &wr);
          const auto& g = form_.Geometry();
          const int left = Logical(wr.left);
          const int top = Logical(wr.top);
          if (left != g.left || top != g.top) {
            syncing_ = true;
            form_.SetGeometry({left, top, g.width, g.height});
            syncing_ = false;
          }
        }
        break;
      case WM_DPICHANGED: {
        dpr_ = HIWORD(wParam) / 96.0;
        const auto* r = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd_, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        break;
      }
      case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
          handled = false;
          // Back to the window: the box that had the focus gets it again.
          if (const platform::Control* f = form_.Focused()) {
            if (HWND e = EditorOf(*f)) {
              SetFocus(e);
              handled = true;
            }
          }
        } else {
          handled = false;
        }
        break;
      case WM_CLOSE:
        if (events_ != nullptr) events_->OnClose();
        // A secondary window closes when its form is hidden; the form's procedure decides.
        if (role_ == Role::Main) DestroyWindow(hwnd_);
        break;
      case WM_DESTROY:
        if (role_ == Role::Main) {
          host_.Machine().MainWindowClosing(hwnd_);
          PostQuitMessage(0);
        }
        break;
      case WM_LBUTTONDOWN:
        OnPress(platform::kLeftButton, wParam, lParam, false);
        break;
      case WM_RBUTTONDOWN:
        OnPress(platform::kRightButton, wParam, lParam, false);
        break;
      case WM_MBUTTONDOWN:
        OnPress(platform::kMiddleButton, wParam, lParam, false);
        break;
      case WM_LBUTTONDBLCLK:
        OnPress(platform::kLeftButton, wParam, lParam, true);
        break;
      case WM_RBUTTONDBLCLK:
        OnPress(platform::kRightButton, wParam, lParam, true);
        break;
      case WM_LBUTTONUP:
        OnRelease(platform::kLeftButton, wParam, lParam);
        break;
      case WM_RBUTTONUP:
        OnRelease(platform::kRightButton, wParam, lParam);
        break;
      case WM_MBUTTONUP:
        OnRelease(platform::kMiddleButton, wParam, lParam);
        break;
      case WM_MOUSEMOVE:
        OnMove(wParam, lParam);
        break;
      case WM_MOUSEWHEEL:
        OnWheel(wParam, lParam);
        break;
      case WM_KEYDOWN:
        OnKey(true, wParam);
        break;
      case WM_KEYUP:
        OnKey(false, wParam);
        break;
      case WM_SYSKEYDOWN:
      case WM_SYSKEYUP:
        // Alt+C, say; the system still sees the key (Alt+F4 closes).
        OnKey(msg == WM_SYSKEYDOWN, wParam);
        handled = false;
        break;
      case WM_COMMAND:
        if (HIWORD(wParam) == EN_CHANGE && !syncing_) {
          HWND edit = reinterpret_cast<HWND>(lParam);
          for (Editor& ed : editors_) {
            if (ed.edit != edit) continue;
            const int len = GetWindowTextLengthW(edit);
            std::wstring text(static_cast<std::size_t>(len) + 1, L'\0');
            GetWindowTextW(edit, text.data(), len + 1);
            text.resize(static_cast<std::size_t>(len));
            syncing_ = true;
            ed.control->SetText(Utf8(text));
            DWORD start = 0;
            SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
            ed.control->ReportSelStart(static_cast<int>(start));
            syncing_ = false;
            if (events_ != nullptr) events_->OnChange(*ed.control);
          }
        } else {
          handled = false;
        }
        break;
      case WM_CTLCOLOREDIT: {
        HWND edit = reinterpret_cast<HWND>(lParam);
        handled = false;
        for (const Editor& ed : editors_) {
          if (ed.edit != edit) continue;
          HDC dc = reinterpret_cast<HDC>(wParam);
          const std::uint32_t fore = ed.control->ForeColor();
          SetTextColor(dc, RGB((fore >> 16) & 0xFF, (fore >> 8) & 0xFF, fore & 0xFF));
          SetBkColor(dc, RGB(255, 255, 255));
          result = reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
          handled = true;
        }
        break;
      }
      case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        handled = false;
        if (hdr->hwndFrom == tip_ && hdr->code == TTN_GETDISPINFOW) {
          auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
          POINT pt{};
          GetCursorPos(&pt);
          ScreenToClient(hwnd_, &pt);
          const platform::Point d = ToDesign(pt.x, pt.y);
          const platform::Control* c = form_.HitTest(d.x, d.y);
          tipText_ = c != nullptr ? Wide(c->ToolTipText()) : std::wstring();
          tipControl_ = c;
          info->lpszText = tipText_.data();
          handled = true;
        }
        break;
      }
      default:
        handled = false;
        break;
    }
  });
  if (!handled) return DefWindowProcW(hwnd_, msg, wParam, lParam);
  return result;
}

}  // namespace winhost
