#pragma once
// The retained control model: forms holding image, label, list and text controls in design
// pixels. Handlers move and re-picture controls here; a host renders what it finds and is told
// which area changed.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool Empty() const { return width <= 0 || height <= 0; }
  bool Contains(int x, int y) const {
    return x >= left && y >= top && x < left + width && y < top + height;
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

enum class ControlKind { Image, Label, ListBox, TextBox };
enum class Align { Left = 0, Right = 1, Center = 2 };
enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

class Form;

// Told about every visible change of a form. An empty rect means a form property changed.
class FormObserver {
 public:
  virtual ~FormObserver() = default;
  virtual void FormChanged(Form& form, Rect dirty) = 0;
};

class Control {
 public:
  Control(Form& form, ControlKind kind, std::string name, int index, Rect bounds);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  ControlKind Kind() const { return kind_; }
  const std::string& Name() const { return name_; }
  int Index() const { return index_; }
  Form& Owner() const { return *form_; }

  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.width; }
  int Height() const { return bounds_.height; }
  const Rect& Bounds() const { return bounds_; }
  void SetLeft(int v) { Move(v, bounds_.top, bounds_.width, bounds_.height); }
  void SetTop(int v) { Move(bounds_.left, v, bounds_.width, bounds_.height); }
  void SetWidth(int v) { Move(bounds_.left, bounds_.top, v, bounds_.height); }
  void SetHeight(int v) { Move(bounds_.left, bounds_.top, bounds_.width, v); }
  void Move(int left, int top) { Move(left, top, bounds_.width, bounds_.height); }
  void Move(int left, int top, int width, int height);

  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  // A right-button click counts as a click here too. Only the table takes right clicks: on a
  // button a slip of the right hand must not act (leave the table, say).
  bool RightClicks() const { return rightClicks_; }
  void SetRightClicks(bool v) { rightClicks_ = v; }

  // Images: a resource id, 0 for none.
  int Picture() const { return picture_; }
  void SetPicture(int id);
  // 0 default pointer, 99 the table's own hand cursor.
  int MousePointer() const { return mousePointer_; }
  void SetMousePointer(int p) { mousePointer_ = p; }
  const std::string& ToolTipText() const { return toolTip_; }
  void SetToolTipText(std::string t) { toolTip_ = std::move(t); }
  const std::string& Tag() const { return tag_; }
  void SetTag(std::string t) { tag_ = std::move(t); }

  // Labels.
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string text);
  std::uint32_t ForeColor() const { return foreColor_; }  // 0xRRGGBB
  void SetForeColor(std::uint32_t rgb);
  // Background of a label or list; transparent unless set.
  bool BackOpaque() const { return backOpaque_; }
  std::uint32_t BackColor() const { return backColor_; }
  void SetBackColor(std::uint32_t rgb, bool opaque = true);
  int FontSize() const { return fontSize_; }
  void SetFontSize(int points);
  bool FontBold() const { return fontBold_; }
  void SetFontBold(bool bold);
  Align Alignment() const { return align_; }
  void SetAlignment(Align a);

  // List boxes.
  const std::vector<std::string>& Items() const { return items_; }
  void AddItem(std::string text);
  void RemoveItem(int i);
  // The first n items go (all of them when there are fewer); the selection and the first row
  // shown stay on the items they were on.
  void RemoveFirstItems(std::size_t n);
  void Clear();
  int ListIndex() const { return listIndex_; }
  void SetListIndex(int i);
  // The first row shown, or -1 to keep the last rows in view.
  int TopIndex() const { return topIndex_; }
  void SetTopIndex(int i);
  // Row height in design pixels; 0 leaves it to the font, and then only the host knows where a
  // row lies.
  int RowHeight() const { return rowHeight_; }
  void SetRowHeight(int px);
  // Rows that fit the list's height (with a row height of its own), at least 1.
  int VisibleRows() const;
  // The row under a point in the control's own pixels, or -1 below the last item (or when the
  // list has no row height of its own).
  int RowAt(int y) const;

  // Text boxes.
  const std::string& Text() const { return text_; }
  void SetText(std::string text);
  // Longest text in characters (0: no limit); an editor refuses to grow beyond it.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int chars);
  // Caret position in characters. The core moves it with SetSelStart; an editor follows every
  // such move (CaretMoves counts them) and reports its own caret with ReportSelStart.
  int SelStart() const { return selStart_; }
  void SetSelStart(int chars);
  void ReportSelStart(int chars) { selStart_ = chars < 0 ? 0 : chars; }
  std::uint64_t CaretMoves() const { return caretMoves_; }

  // 0 brings the control to the front of its form, 1 sends it to the back.
  void ZOrder(int position);

 private:
  void Changed() const;

  Form* form_;
  ControlKind kind_;
  std::string name_;
  int index_;
  Rect bounds_;
  bool visible_ = true;
  bool enabled_ = true;
  bool rightClicks_ = false;
  int picture_ = 0;
  int mousePointer_ = 0;
  std::string toolTip_;
  std::string tag_;
  std::string caption_;
  std::uint32_t foreColor_ = 0x000000;
  std::uint32_t backColor_ = 0xFFFFFF;
  bool backOpaque_ = false;
  int fontSize_ = 9;
  bool fontBold_ = false;
  Align align_ = Align::Left;
  std::vector<std::string> items_;
  int listIndex_ = -1;
  int topIndex_ = -1;
  int rowHeight_ = 0;
  std::string text_;
  int maxLength_ = 0;
  int selStart_ = 0;
  std::uint64_t caretMoves_ = 0;
};

// The first row a list box shows when rows are rowHeight pixels high.
int FirstShownRow(const Control& list, int rowHeight);
// Scrolls a list with a row height of its own (anything else is left alone) by rows (> 0 back
// towards the first row); reaching the end again makes it follow the last rows.
void ScrollList(Control& list, int rows);

// Indexed access to a control array, checked: an index out of range throws std::out_of_range.
class ControlArray {
 public:
  ControlArray() = default;
  explicit ControlArray(std::vector<Control*> items) : items_(std::move(items)) {}
  Control& operator()(int i) const { return *items_.at(static_cast<std::size_t>(i)); }
  int Count() const { return static_cast<int>(items_.size()); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<Control*> items_;
};

class Form {
 public:
  explicit Form(std::string name, Rect geometry = {0, 0, 1024, 768});
  virtual ~Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& Name() const { return name_; }

  Control& Add(ControlKind kind, std::string name, int index, Rect bounds);
  Control& AddImage(std::string name, Rect bounds = {}) {
    return Add(ControlKind::Image, std::move(name), -1, bounds);
  }
  Control& AddLabel(std::string name, Rect bounds = {}) {
    return Add(ControlKind::Label, std::move(name), -1, bounds);
  }
  // A control array of count members, each with the same kind and starting bounds.
  ControlArray AddArray(ControlKind kind, const std::string& name, int count, Rect bounds = {});

  // Looks a control up by name and index (-1 for a single control); throws when missing.
  Control& Get(std::string_view name, int index = -1) const;
  Control* Find(std::string_view name, int index = -1) const;

  // Back to front.
  const std::vector<Control*>& Stacking() const { return stacking_; }
  void ZOrder(Control& control, int position);
  // The topmost visible, enabled control under a point in window pixels, or null. A disabled
  // control lets the mouse through to what lies beneath it.
  Control* HitTest(int x, int y) const;
  // Where a control lies in window pixels; a form whose controls sit on a container adds the
  // container's origin.
  virtual Rect WindowBounds(const Control& c) const { return c.Bounds(); }

  // The control with the keyboard focus (a text box), or null for the form itself.
  Control* Focused() const { return focused_; }
  void SetFocus(Control* control);

  const Rect& Geometry() const { return geometry_; }
  void SetGeometry(Rect r);
  // The size a host shows the window at, in screen pixels (the design size of Geometry until a
  // host reports another one: a window resized by the user scales its design to fit).
  void ReportShownSize(int width, int height);
  // Where the screen shows the whole window, and a rectangle of its design pixels: the design
  // scaled evenly to the shown size, centred in it.
  Rect OnScreen() const;
  Rect OnScreen(const Rect& design) const;
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string c);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  WindowState State() const { return state_; }
  void SetState(WindowState s);
  int Opacity() const { return opacity_; }  // 0..255
  void SetOpacity(int alpha);
  bool Topmost() const { return topmost_; }
  void SetTopmost(bool t);
  // A window frame with a title bar; forms draw their own frame unless set.
  bool Framed() const { return framed_; }
  void SetFramed(bool f);
  // Shown modally: while set, the other windows take no input.
  bool Modal() const { return modal_; }
  void SetModal(bool m);
  // Background picture of the whole form (resource id, 0 none) and colour.
  int Picture() const { return picture_; }
  void SetPicture(int id);
  std::uint32_t BackColor() const { return backColor_; }
  void SetBackColor(std::uint32_t rgb);

  void SetObserver(FormObserver* o) { observer_ = o; }
  // Counts every change; a host can compare it to skip work when nothing moved. The dirty
  // rectangles an observer receives are in window pixels.
  std::uint64_t Revision() const { return revision_; }
  void Touch(Rect dirty);

 private:
  std::string name_;
  Rect geometry_;
  int shownWidth_ = 0;  // 0: as designed
  int shownHeight_ = 0;
  std::string caption_;
  bool visible_ = false;
  bool enabled_ = true;
  WindowState state_ = WindowState::Normal;
  int opacity_ = 255;
  bool topmost_ = false;
  bool framed_ = false;
  bool modal_ = false;
  int picture_ = 0;
  std::uint32_t backColor_ = 0x000000;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<Control*> stacking_;
  std::map<std::pair<std::string, int>, Control*, std::less<>> byName_;
  FormObserver* observer_ = nullptr;
  Control* focused_ = nullptr;
  std::uint64_t revision_ = 0;
};

}  // namespace platform
