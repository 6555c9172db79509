#pragma once
// What a host tells a form about the user: mouse and keys on its controls, the focus of its text
// boxes, and what happens to its window. The host hit-tests and converts coordinates; the core
// routes each event to the control's event procedure, if it has one.
namespace platform {

class Control;

// Mouse buttons: the one pressed or released, or all held during a move.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;
// Shift state.
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;
// Key codes the core reacts to (the usual virtual-key numbers).
inline constexpr int kKeyReturn = 13;
inline constexpr int kKeyAlt = 18;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeyPageUp = 33;
inline constexpr int kKeyPageDown = 34;
inline constexpr int kKeyEnd = 35;
inline constexpr int kKeyHome = 36;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyDown = 40;
inline constexpr int kKeyC = 67;
inline constexpr int kKeyF1 = 112;
// Mouse pointers of a control.
inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerSizeAll = 15;
inline constexpr int kPointerHand = 99;

// What a mouse press asks of the window.
enum class PressResult { None, DragWindow };

class FormEvents {
 public:
  virtual ~FormEvents() = default;

  // control is the topmost visible, enabled control under the pointer, or null over the form's
  // own background; x and y are in the control's own pixels (window pixels for the background).
  // While a button is held, moves and the release go to the control that took the press.
  virtual PressResult OnMouseDown(Control* control, int button, int shift, int x, int y) = 0;
  virtual void OnMouseMove(Control* control, int button, int shift, int x, int y) = 0;
  virtual void OnMouseUp(Control* control, int button, int shift, int x, int y) = 0;
  // The wheel turned over a control (null: the background) by whole notches: rows > 0 away
  // from the user (back up a list), rows < 0 towards.
  virtual void OnMouseWheel(Control* /*control*/, int /*rows*/) {}
  // A press and release over the same control: the left button, or the right one on a control
  // that takes right clicks.
  virtual void OnClick(Control* control) = 0;
  virtual void OnDblClick(Control* control) = 0;

  // control has the keyboard focus: a text box, or null for the form and its pictures.
  virtual void OnKeyDown(Control* control, int keyCode, int shift) = 0;
  virtual void OnKeyUp(Control* control, int keyCode, int shift) = 0;
  // A text box gained or lost the keyboard focus.
  virtual void OnFocus(Control& control, bool focused) = 0;
  // The user changed a text box's text (typing, an input method, paste or cut); the model
  // already holds the new text.
  virtual void OnChange(Control& /*control*/) {}

  // The window was resized, minimised or restored; the form's State is already current.
  virtual void OnResize() = 0;
  // The user has finished dragging the window to a new place.
  virtual void OnMoved() = 0;
  // The window system asks to close the window.
  virtual void OnClose() = 0;
};

}  // namespace platform
