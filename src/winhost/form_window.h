#pragma once
// A top-level window that shows one form of the control model and hands the user's input to
// the core. The form's design is scaled to the window (letterboxed, centred) and to the
// monitor's pixel density; the model's coordinates never change for that. Text boxes are native
// edit controls; everything else is painted with GDI+.
#include "winhost/win32.h"

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/controls.h"
#include "platform/form_events.h"
#include "platform/form_input.h"
#include "platform/form_view.h"
#include "winhost/painter.h"

namespace winhost {

class WinHost;

class FormWindow final : public platform::FormObserver {
 public:
  // The main window can be resized and scales its design; a secondary window (a dialog, a
  // sheet) keeps the form's size and place, follows it while shown, and honours Modal and
  // Topmost. events may be null: the window then only shows the form.
  enum class Role { Main, Secondary };
  FormWindow(WinHost& host, platform::Form& form, platform::FormEvents* events, Role role);
  ~FormWindow() override;
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  void FormChanged(platform::Form& form, platform::Rect dirty) override;

  HWND Handle() const { return hwnd_; }
  platform::Form& ShownForm() const { return form_; }
  Role WindowRole() const { return role_; }
  const platform::Letterbox& View() const { return view_; }
  // Device pixels per design pixel of the monitor (1 at 96 dpi).
  double PixelRatio() const { return dpr_; }
  // Paints so far, and the client area the last one covered: an idle table adds none.
  std::uint64_t PaintCount() const { return paints_; }
  const RECT& LastPaint() const { return lastPaint_; }
  // The edit control that shows a text box, or null.
  HWND EditorOf(const platform::Control& c) const;
  // The window goes under an owner (the main window), so it stays above it and off the taskbar.
  void SetOwner(HWND owner);
  // Lets the window take input or not (another window is modal).
  void Enable(bool on);
  // The design point under a client point.
  platform::Point ToDesign(int x, int y) const {
    return {view_.DesignX(x + 0.5), view_.DesignY(y + 0.5)};
  }

 private:
  struct Editor {
    platform::Control* control;
    HWND edit;
    std::uint64_t caretMoves;  // the core's caret moves the editor has followed
    HFONT font = nullptr;
    int fontPixels = 0;
  };

  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR self);
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnEditMessage(Editor& ed, UINT msg, WPARAM wParam, LPARAM lParam);
  void CreateEditors();
  void SyncWindow();
  void SyncSecondary();
  void SyncEditor(Editor& ed);
  void SyncFocus();
  void UpdateView();
  void Paint();
  void OnPress(int button, WPARAM wParam, LPARAM lParam, bool doubleClick);
  void OnRelease(int button, WPARAM wParam, LPARAM lParam);
  void OnMove(WPARAM wParam, LPARAM lParam);
  void OnWheel(WPARAM wParam, LPARAM lParam);
  void OnKey(bool down, WPARAM wParam);
  void UpdateTip(const platform::Control* over);
  bool SetCursorForPoint();
  int Logical(int devicePixels) const;
  int Device(int logicalPixels) const;

  WinHost& host_;
  platform::Form& form_;
  platform::FormEvents* events_;
  Role role_;
  std::unique_ptr<platform::FormInput> input_;
  Painter painter_;
  HWND hwnd_ = nullptr;
  HWND tip_ = nullptr;
  const platform::Control* tipControl_ = nullptr;
  std::wstring tipText_;
  std::vector<Editor> editors_;
  platform::Letterbox view_;
  double dpr_ = 1.0;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
  // The back buffer every paint draws into before it is copied to the screen.
  HDC bufferDc_ = nullptr;
  HBITMAP buffer_ = nullptr;
  HGDIOBJ bufferOld_ = nullptr;
  int bufferWidth_ = 0;
  int bufferHeight_ = 0;
  int wheel_ = 0;  // a fine-grained wheel's turn not yet a whole notch
  bool syncing_ = false;
  bool wasMinimized_ = false;
  bool enabled_ = true;
  bool topmostShown_ = false;
  std::uint64_t paints_ = 0;
  RECT lastPaint_{};
};

// The key codes the core knows (virtual-key numbers); other keys are not passed on.
bool CoreKey(int vk);
// The shift state now (kShiftMask | kCtrlMask | kAltMask).
int ShiftState();

}  // namespace winhost
