#include "app/ini_file.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "text/gbk.h"

namespace app {

namespace {

using Bytes = std::vector<std::uint8_t>;

// One line of the file: [begin, end) is its text, next is where the following line starts.
struct Line {
  std::size_t begin;
  std::size_t end;
  std::size_t next;
};

struct Parsed {
  Bytes bytes;
  std::vector<Line> lines;
  std::string eol = "\n";
  // The file began with a UTF-8 byte-order mark: its text is UTF-8 (held here as GBK, the
  // way every other file is), and a rewrite keeps it UTF-8 with its mark.
  bool utf8 = false;
};

constexpr std::uint8_t kBom[] = {0xEF, 0xBB, 0xBF};

// A line ends at LF, at CRLF, or at a CR of its own.
Parsed Split(Bytes bytes) {
  Parsed p;
  if (bytes.size() >= 3 && std::equal(std::begin(kBom), std::end(kBom), bytes.begin())) {
    p.utf8 = true;
    p.bytes = text::EncodeDoubleByte(std::string(bytes.begin() + 3, bytes.end()));
  } else {
    p.bytes = std::move(bytes);
  }
  const Bytes& b = p.bytes;
  std::size_t pos = 0;
  bool first = true;
  while (pos < b.size()) {
    std::size_t end = pos;
    while (end < b.size() && b[end] != '\n' && b[end] != '\r') ++end;
    std::size_t next = end;
    if (end < b.size()) {
      const bool crlf = b[end] == '\r' && end + 1 < b.size() && b[end + 1] == '\n';
      next = end + (crlf ? 2 : 1);
      if (first) p.eol = crlf ? "\r\n" : b[end] == '\r' ? "\r" : "\n";
      first = false;
    }
    p.lines.push_back({pos, end, next});
    pos = next;
  }
  return p;
}

bool IsBlank(std::uint8_t ch) {
  return ch == ' ' || ch == '\t';
}

// [begin, end) without blanks at either side.
std::pair<std::size_t, std::size_t> Trim(const Bytes& b, std::size_t begin, std::size_t end) {
  while (begin < end && IsBlank(b[begin])) ++begin;
  while (end > begin && IsBlank(b[end - 1])) --end;
  return {begin, end};
}

std::uint8_t FoldAscii(std::uint8_t ch) {
  return ch >= 'A' && ch <= 'Z' ? static_cast<std::uint8_t>(ch - 'A' + 'a') : ch;
}

// Names compare without regard to the case of ASCII letters. The second byte of a GBK pair
// may look like a letter and is compared exactly.
bool SameName(const Bytes& b, std::size_t begin, std::size_t end, const Bytes& name) {
  if (end - begin != name.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const std::uint8_t x = b[begin + i];
    const std::uint8_t y = name[i];
    if (x >= 0x81 && i + 1 < name.size()) {
      if (x != y || b[begin + i + 1] != name[i + 1]) return false;
      ++i;
    } else if (FoldAscii(x) != FoldAscii(y)) {
      return false;
    }
  }
  return true;
}

// The first ch in [begin, end) that stands as a character of its own: the second byte of a GBK
// pair may equal ']' and is skipped. Returns end when there is none.
std::size_t FindChar(const Bytes& b, std::size_t begin, std::size_t end, std::uint8_t ch) {
  for (std::size_t i = begin; i < end; ++i) {
    if (b[i] == ch) return i;
    if (b[i] >= 0x81 && i + 1 < end) ++i;
  }
  return end;
}

// The name of a section header line, or nothing for any other line.
std::optional<std::pair<std::size_t, std::size_t>> SectionName(const Bytes& b, const Line& l) {
  const auto [begin, end] = Trim(b, l.begin, l.end);
  if (begin == end || b[begin] != '[') return std::nullopt;
  const std::size_t close = FindChar(b, begin + 1, end, ']');
  if (close == end) return std::nullopt;
  return Trim(b, begin + 1, close);
}

// Where a key's line keeps its '=', or nothing when the line is not that key.
std::optional<std::size_t> KeyEquals(const Bytes& b, const Line& l, const Bytes& key) {
  const std::size_t at = FindChar(b, l.begin, l.end, '=');
  if (at == l.end) return std::nullopt;
  const auto [begin, end] = Trim(b, l.begin, at);
  if (!SameName(b, begin, end, key)) return std::nullopt;
  return at;
}

// The lines of one section: its header line and the lines up to the next header.
struct Section {
  std::size_t header;
  std::size_t endLine;  // one past its last line
};

std::optional<Section> FindSection(const Parsed& p, const Bytes& name) {
  for (std::size_t i = 0; i < p.lines.size(); ++i) {
    const auto found = SectionName(p.bytes, p.lines[i]);
    if (!found || !SameName(p.bytes, found->first, found->second, name)) continue;
    std::size_t j = i + 1;
    while (j < p.lines.size() && !SectionName(p.bytes, p.lines[j])) ++j;
    return Section{i, j};
  }
  return std::nullopt;
}

struct KeyLine {
  std::size_t line;
  std::size_t equals;
};

std::optional<KeyLine> FindKey(const Parsed& p, const Section& s, const Bytes& key) {
  for (std::size_t i = s.header + 1; i < s.endLine; ++i) {
    if (const auto eq = KeyEquals(p.bytes, p.lines[i], key)) return KeyLine{i, *eq};
  }
  return std::nullopt;
}

Bytes Gbk(std::string_view utf8) {
  return text::EncodeDoubleByte(utf8);
}

std::optional<Bytes> TrimmedName(std::string_view utf8, std::uint8_t forbidden) {
  Bytes b = Gbk(utf8);
  const auto [begin, end] = Trim(b, 0, b.size());
  Bytes name(b.begin() + static_cast<std::ptrdiff_t>(begin),
             b.begin() + static_cast<std::ptrdiff_t>(end));
  if (name.empty() || FindChar(name, 0, name.size(), forbidden) != name.size()) {
    return std::nullopt;
  }
  for (const std::uint8_t ch : name) {
    if (ch == '\n' || ch == '\r' || ch == '\0') return std::nullopt;
  }
  return name;
}

// The bytes of a value as the file may hold them: one line, no zero bytes.
Bytes ValueBytes(std::string_view utf8) {
  Bytes b = Gbk(utf8);
  std::erase(b, std::uint8_t{0});
  std::replace(b.begin(), b.end(), std::uint8_t{'\n'}, std::uint8_t{' '});
  std::replace(b.begin(), b.end(), std::uint8_t{'\r'}, std::uint8_t{' '});
  return b;
}

// The file as it is now: empty when missing, nothing when it exists but cannot be read (so a
// write never replaces a file it could not see).
std::optional<Parsed> Load(platform::Files& files, const std::string& path) {
  if (path.empty()) return std::nullopt;
  if (auto bytes = files.ReadFile(path, classIniFile::kMaxFileBytes)) {
    return Split(std::move(*bytes));
  }
  if (files.FileExists(path)) return std::nullopt;
  return Parsed{};
}

void Store(platform::Files& files, const std::string& path, const Parsed& p, const Bytes& bytes) {
  if (!p.utf8) {
    files.WriteFile(path, bytes);
    return;
  }
  const std::string utf8 = text::FromGbk(bytes);
  Bytes out(std::begin(kBom), std::end(kBom));
  out.insert(out.end(), utf8.begin(), utf8.end());
  files.WriteFile(path, out);
}

// Replaces bytes [begin, end) of p by with, and stores the result.
void Splice(platform::Files& files, const std::string& path, const Parsed& p, std::size_t begin,
            std::size_t end, const Bytes& with) {
  Bytes out;
  out.reserve(p.bytes.size() - (end - begin) + with.size());
  out.insert(out.end(), p.bytes.begin(), p.bytes.begin() + static_cast<std::ptrdiff_t>(begin));
  out.insert(out.end(), with.begin(), with.end());
  out.insert(out.end(), p.bytes.begin() + static_cast<std::ptrdiff_t>(end), p.bytes.end());
  Store(files, path, p, out);
}

void Append(Bytes& out, std::string_view s) {
  out.insert(out.end(), s.begin(), s.end());
}
void Append(Bytes& out, const Bytes& s) {
  out.insert(out.end(), s.begin(), s.end());
}

}  // namespace

namespace {

// A value as it reads back: without one pair of quotes around it, at most kMaxValueBytes, cut after
// whole characters (a lone lead byte would read back as a stray '?'), without blanks at either side
// or zero characters.
std::string ValueOf(const Parsed& p, std::size_t equals, std::size_t lineEnd) {
  auto [begin, end] = Trim(p.bytes, equals + 1, lineEnd);
  // One pair of matching quotes around the value is not part of it. (No GBK second byte is a
  // quote, so the last byte is a character of its own.)
  if (end - begin >= 2 && (p.bytes[begin] == '"' || p.bytes[begin] == '\'') &&
      p.bytes[end - 1] == p.bytes[begin]) {
    ++begin;
    --end;
  }
  if (end - begin > classIniFile::kMaxValueBytes) {
    std::size_t cut = begin;
    while (cut < end) {
      const std::size_t width = p.bytes[cut] >= 0x81 && cut + 1 < end ? 2 : 1;
      if (cut + width - begin > classIniFile::kMaxValueBytes) break;
      cut += width;
    }
    end = cut;
  }
  std::string value =
      text::FromGbk(std::span<const std::uint8_t>(p.bytes).subspan(begin, end - begin));
  std::erase(value, '\0');
  const auto first = value.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  const auto last = value.find_last_not_of(' ');
  return value.substr(first, last - first + 1);
}

struct Entry {
  Bytes key;
  Bytes line;  // key=value, without a line break
  Bytes value;
  bool written = false;
};

}  // namespace

std::string classIniFile::GetIniKey(std::string_view section, std::string_view key) const {
  const auto sec = TrimmedName(section, ']');
  const auto k = TrimmedName(key, '=');
  if (!sec || !k) return "";
  const auto p = Load(files_, INIFileName_);
  if (!p) return "";
  const auto s = FindSection(*p, *sec);
  if (!s) return "";
  const auto found = FindKey(*p, *s, *k);
  if (!found) return "";
  return ValueOf(*p, found->equals, p->lines[found->line].end);
}

std::vector<std::pair<std::string, std::string>> classIniFile::GetIniSection(
    std::string_view section) const {
  std::vector<std::pair<std::string, std::string>> out;
  const auto sec = TrimmedName(section, ']');
  if (!sec) return out;
  const auto p = Load(files_, INIFileName_);
  if (!p) return out;
  const auto s = FindSection(*p, *sec);
  if (!s) return out;
  for (std::size_t i = s->header + 1; i < s->endLine; ++i) {
    const Line& line = p->lines[i];
    const std::size_t eq = FindChar(p->bytes, line.begin, line.end, '=');
    if (eq == line.end) continue;
    const auto [kb, ke] = Trim(p->bytes, line.begin, eq);
    if (kb == ke) continue;
    out.emplace_back(text::FromGbk(std::span<const std::uint8_t>(p->bytes).subspan(kb, ke - kb)),
                     ValueOf(*p, eq, line.end));
  }
  return out;
}

void classIniFile::WriteIniKey(std::string_view section, std::string_view key,
                               std::string_view value) {
  const std::pair<std::string, std::string> entry{std::string(key), std::string(value)};
  WriteIniKeys(section, std::span(&entry, 1));
}

void classIniFile::WriteIniKeys(std::string_view section,
                                std::span<const std::pair<std::string, std::string>> keys) {
  const auto sec = TrimmedName(section, ']');
  if (!sec) return;
  std::vector<Entry> entries;
  for (const auto& [key, value] : keys) {
    auto k = TrimmedName(key, '=');
    if (!k) continue;
    Entry e{*k, *k, ValueBytes(value)};
    e.line.push_back('=');
    Append(e.line, e.value);
    // The same key twice: the later value wins.
    std::erase_if(entries,
                  [&](const Entry& old) { return SameName(old.key, 0, old.key.size(), e.key); });
    entries.push_back(std::move(e));
  }
  if (entries.empty()) return;
  const auto p = Load(files_, INIFileName_);
  if (!p) return;

  Bytes out;
  out.reserve(p->bytes.size() + entries.size() * 32);
  const auto s = FindSection(*p, *sec);
  if (!s) {
    out = p->bytes;
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') Append(out, p->eol);
    out.push_back('[');
    Append(out, *sec);
    out.push_back(']');
    Append(out, p->eol);
    for (const Entry& e : entries) {
      Append(out, e.line);
      Append(out, p->eol);
    }
    Store(files_, INIFileName_, *p, out);
    return;
  }
  // Keys that exist are replaced in place; new ones go after the section's last non-blank line.
  std::size_t after = s->header;
  for (std::size_t i = s->header + 1; i < s->endLine; ++i) {
    const auto [b, e] = Trim(p->bytes, p->lines[i].begin, p->lines[i].end);
    if (b != e) after = i;
  }
  const auto& bytes = p->bytes;
  auto copy = [&](std::size_t from, std::size_t to) {
    out.insert(out.end(), bytes.begin() + static_cast<std::ptrdiff_t>(from),
               bytes.begin() + static_cast<std::ptrdiff_t>(to));
  };
  for (std::size_t i = 0; i < p->lines.size(); ++i) {
    const Line& line = p->lines[i];
    Entry* replaced = nullptr;
    std::size_t equals = 0;
    if (i > s->header && i < s->endLine) {
      for (Entry& e : entries) {
        if (e.written) continue;
        if (const auto eq = KeyEquals(bytes, line, e.key)) {
          replaced = &e;
          equals = *eq;
          break;
        }
      }
    }
    if (replaced != nullptr) {
      // In place: the key as the file spells it, the new value.
      copy(line.begin, equals + 1);
      Append(out, replaced->value);
      replaced->written = true;
      copy(line.end, line.next);
    } else {
      copy(line.begin, line.next);
    }
    if (i != after) continue;
    bool first = true;
    for (const Entry& e : entries) {
      if (e.written) continue;
      if (first && line.next == line.end) Append(out, p->eol);  // no final line break
      first = false;
      Append(out, e.line);
      Append(out, p->eol);
    }
  }
  Store(files_, INIFileName_, *p, out);
}

void classIniFile::DelIniKey(std::string_view section, std::string_view key) {
  const auto sec = TrimmedName(section, ']');
  const auto k = TrimmedName(key, '=');
  if (!sec || !k) return;
  const auto p = Load(files_, INIFileName_);
  if (!p) return;
  const auto s = FindSection(*p, *sec);
  if (!s) return;
  const auto found = FindKey(*p, *s, *k);
  if (!found) return;
  const Line& line = p->lines[found->line];
  Splice(files_, INIFileName_, *p, line.begin, line.next, {});
}

void classIniFile::DelIniSec(std::string_view section) {
  const auto sec = TrimmedName(section, ']');
  if (!sec) return;
  const auto p = Load(files_, INIFileName_);
  if (!p) return;
  const auto s = FindSection(*p, *sec);
  if (!s) return;
  const std::size_t begin = p->lines[s->header].begin;
  const std::size_t end =
      s->endLine < p->lines.size() ? p->lines[s->endLine].begin : p->bytes.size();
  Splice(files_, INIFileName_, *p, begin, end, {});
}

}  // namespace app
