#include "platform/controls.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/form_view.h"

namespace platform {

namespace {
Rect Union(const Rect& a, const Rect& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  const int l = std::min(a.left, b.left);
  const int t = std::min(a.top, b.top);
  const int r = std::max(a.left + a.width, b.left + b.width);
  const int btm = std::max(a.top + a.height, b.top + b.height);
  return {l, t, r - l, btm - t};
}
}  // namespace

Control::Control(Form& form, ControlKind kind, std::string name, int index, Rect bounds)
    : form_(&form), kind_(kind), name_(std::move(name)), index_(index), bounds_(bounds) {}

void Control::Changed() const {
  if (visible_) form_->Touch(form_->WindowBounds(*this));
}

void Control::Move(int left, int top, int width, int height) {
  const Rect next{left, top, width, height};
  if (next == bounds_) return;
  Rect before = form_->WindowBounds(*this);
  const int dx = before.left - bounds_.left;
  const int dy = before.top - bounds_.top;
  bounds_ = next;
  if (visible_) form_->Touch(Union(before, {left + dx, top + dy, width, height}));
}

void Control::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  form_->Touch(form_->WindowBounds(*this));
}

void Control::SetPicture(int id) {
  if (id == picture_) return;
  picture_ = id;
  Changed();
}

void Control::SetCaption(std::string text) {
  if (text == caption_) return;
  caption_ = std::move(text);
  Changed();
}

void Control::SetForeColor(std::uint32_t rgb) {
  if (rgb == foreColor_) return;
  foreColor_ = rgb;
  Changed();
}

void Control::SetBackColor(std::uint32_t rgb, bool opaque) {
  if (rgb == backColor_ && opaque == backOpaque_) return;
  backColor_ = rgb;
  backOpaque_ = opaque;
  Changed();
}

void Control::SetFontSize(int points) {
  if (points == fontSize_) return;
  fontSize_ = points;
  Changed();
}

void Control::SetFontBold(bool bold) {
  if (bold == fontBold_) return;
  fontBold_ = bold;
  Changed();
}

void Control::SetAlignment(Align a) {
  if (a == align_) return;
  align_ = a;
  Changed();
}

void Control::AddItem(std::string text) {
  items_.push_back(std::move(text));
  Changed();
}

void Control::RemoveItem(int i) {
  if (i < 0 || i >= static_cast<int>(items_.size())) throw std::out_of_range("RemoveItem");
  items_.erase(items_.begin() + i);
  if (listIndex_ >= static_cast<int>(items_.size())) listIndex_ = -1;
  Changed();
}

void Control::RemoveFirstItems(std::size_t n) {
  n = std::min(n, items_.size());
  if (n == 0) return;
  items_.erase(items_.begin(), items_.begin() + static_cast<std::ptrdiff_t>(n));
  const int shift = static_cast<int>(n);
  if (listIndex_ >= 0) listIndex_ = listIndex_ >= shift ? listIndex_ - shift : -1;
  if (topIndex_ >= 0) topIndex_ = std::max(0, topIndex_ - shift);
  Changed();
}

void Control::Clear() {
  if (items_.empty() && listIndex_ == -1 && topIndex_ == 0) return;
  items_.clear();
  listIndex_ = -1;
  topIndex_ = 0;
  Changed();
}

void Control::SetListIndex(int i) {
  if (i < -1 || i >= static_cast<int>(items_.size())) throw std::out_of_range("ListIndex");
  if (i == listIndex_) return;
  listIndex_ = i;
  Changed();
}

void Control::SetTopIndex(int i) {
  if (i < -1) i = -1;
  if (i == topIndex_) return;
  topIndex_ = i;
  Changed();
}

void Control::SetRowHeight(int px) {
  if (px < 0) px = 0;
  if (px == rowHeight_) return;
  rowHeight_ = px;
  Changed();
}

int FirstShownRow(const Control& list, int rowHeight) {
  const int count = static_cast<int>(list.Items().size());
  const int fit = std::max(1, list.Height() / std::max(1, rowHeight));
  const int last = std::max(0, count - fit);
  return list.TopIndex() < 0 ? last : std::min(list.TopIndex(), last);
}

void ScrollList(Control& list, int rows) {
  if (list.Kind() != ControlKind::ListBox || list.RowHeight() <= 0 || rows == 0) return;
  const int count = static_cast<int>(list.Items().size());
  const int last = std::max(0, count - list.VisibleRows());
  const int top = std::clamp(FirstShownRow(list, list.RowHeight()) - rows, 0, last);
  list.SetTopIndex(top == last ? -1 : top);
}

int Control::VisibleRows() const {
  if (rowHeight_ <= 0) return 1;
  return std::max(1, bounds_.height / rowHeight_);
}

int Control::RowAt(int y) const {
  if (rowHeight_ <= 0 || y < 0 || y >= bounds_.height) return -1;
  const int row = FirstShownRow(*this, rowHeight_) + y / rowHeight_;
  return row < static_cast<int>(items_.size()) ? row : -1;
}

void Control::SetMaxLength(int chars) {
  chars = std::max(0, chars);
  if (chars == maxLength_) return;
  maxLength_ = chars;
  Changed();
}

void Control::SetSelStart(int chars) {
  selStart_ = std::max(0, chars);
  ++caretMoves_;
  Changed();
}

void Control::SetText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  Changed();
}

void Control::ZOrder(int position) {
  form_->ZOrder(*this, position);
}

Form::Form(std::string name, Rect geometry) : name_(std::move(name)), geometry_(geometry) {}

Control& Form::Add(ControlKind kind, std::string name, int index, Rect bounds) {
  auto key = std::make_pair(name, index);
  if (byName_.contains(key)) throw std::logic_error("duplicate control " + name);
  controls_.push_back(std::make_unique<Control>(*this, kind, std::move(name), index, bounds));
  Control* c = controls_.back().get();
  byName_.emplace(std::move(key), c);
  stacking_.push_back(c);
  Touch(bounds);
  return *c;
}

ControlArray Form::AddArray(ControlKind kind, const std::string& name, int count, Rect bounds) {
  std::vector<Control*> items;
  items.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) items.push_back(&Add(kind, name, i, bounds));
  return ControlArray(std::move(items));
}

Control* Form::Find(std::string_view name, int index) const {
  auto it = byName_.find(std::make_pair(std::string(name), index));
  return it == byName_.end() ? nullptr : it->second;
}

Control& Form::Get(std::string_view name, int index) const {
  Control* c = Find(name, index);
  if (c == nullptr) {
    throw std::out_of_range("no control " + std::string(name) + "(" + std::to_string(index) +
                            ") on " + name_);
  }
  return *c;
}

void Form::ZOrder(Control& control, int position) {
  auto it = std::find(stacking_.begin(), stacking_.end(), &control);
  if (it == stacking_.end()) return;
  if (position == 0) {
    if (it + 1 == stacking_.end()) return;
    std::rotate(it, it + 1, stacking_.end());
  } else {
    if (it == stacking_.begin()) return;
    std::rotate(stacking_.begin(), it, it + 1);
  }
  if (control.Visible()) Touch(WindowBounds(control));
}

Control* Form::HitTest(int x, int y) const {
  for (auto it = stacking_.rbegin(); it != stacking_.rend(); ++it) {
    Control* c = *it;
    if (c->Visible() && c->Enabled() && WindowBounds(*c).Contains(x, y)) return c;
  }
  return nullptr;
}

void Form::SetFocus(Control* control) {
  if (control == focused_) return;
  focused_ = control;
  Touch({});
}

void Form::SetGeometry(Rect r) {
  if (r == geometry_) return;
  geometry_ = r;
  Touch({});
}

void Form::ReportShownSize(int width, int height) {
  shownWidth_ = std::max(0, width);
  shownHeight_ = std::max(0, height);
}

Rect Form::OnScreen() const {
  const bool shown = shownWidth_ > 0 && shownHeight_ > 0;
  return {geometry_.left, geometry_.top, shown ? shownWidth_ : geometry_.width,
          shown ? shownHeight_ : geometry_.height};
}

Rect Form::OnScreen(const Rect& design) const {
  const Rect whole = OnScreen();
  if (geometry_.width <= 0 || geometry_.height <= 0) return design;
  const Rect r =
      FitDesign(geometry_.width, geometry_.height, whole.width, whole.height).Snap(design);
  return {whole.left + r.left, whole.top + r.top, r.width, r.height};
}

void Form::SetCaption(std::string c) {
  if (c == caption_) return;
  caption_ = std::move(c);
  Touch({});
}

void Form::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  Touch({});
}

void Form::SetState(WindowState s) {
  if (s == state_) return;
  state_ = s;
  Touch({});
}

void Form::SetOpacity(int alpha) {
  alpha = std::clamp(alpha, 0, 255);
  if (alpha == opacity_) return;
  opacity_ = alpha;
  Touch({});
}

void Form::SetTopmost(bool t) {
  if (t == topmost_) return;
  topmost_ = t;
  Touch({});
}

void Form::SetFramed(bool f) {
  if (f == framed_) return;
  framed_ = f;
  Touch({});
}

void Form::SetModal(bool m) {
  if (m == modal_) return;
  modal_ = m;
  Touch({});
}

void Form::SetPicture(int id) {
  if (id == picture_) return;
  picture_ = id;
  Touch({0, 0, geometry_.width, geometry_.height});
}

void Form::SetBackColor(std::uint32_t rgb) {
  if (rgb == backColor_) return;
  backColor_ = rgb;
  Touch({0, 0, geometry_.width, geometry_.height});
}

void Form::Touch(Rect dirty) {
  ++revision_;
  if (observer_ != nullptr) observer_->FormChanged(*this, dirty);
}

}  // namespace platform
