#include "text/gbk.h"

#include <algorithm>

#include "text/gbk_codec.h"

namespace text {

namespace {

// Length in bytes of the UTF-8 sequence starting with lead byte b.
std::size_t Utf8Len(unsigned char b) {
  if (b < 0x80) return 1;
  if ((b & 0xE0) == 0xC0) return 2;
  if ((b & 0xF0) == 0xE0) return 3;
  if ((b & 0xF8) == 0xF0) return 4;
  return 1;
}

template <typename F>
void ForEachChar(std::string_view utf8, F&& f) {
  std::size_t i = 0;
  while (i < utf8.size()) {
    std::size_t n = Utf8Len(static_cast<unsigned char>(utf8[i]));
    if (i + n > utf8.size()) n = utf8.size() - i;
    f(utf8.substr(i, n));
    i += n;
  }
}

// The code point of one whole, well-formed UTF-8 character (no stray, overlong or surrogate
// sequences), or nothing.
std::optional<char32_t> CodePoint(std::string_view ch) {
  if (ch.empty() || ch.size() != Utf8Len(static_cast<unsigned char>(ch[0]))) return std::nullopt;
  const auto lead = static_cast<unsigned char>(ch[0]);
  if (ch.size() == 1) {
    if (lead >= 0x80) return std::nullopt;
    return lead;
  }
  char32_t cp = lead & (0x7Fu >> ch.size());
  for (std::size_t i = 1; i < ch.size(); ++i) {
    const auto c = static_cast<unsigned char>(ch[i]);
    if ((c & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (c & 0x3Fu);
  }
  constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kLeast[ch.size()] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    return std::nullopt;
  }
  return cp;
}

// GBK's user-defined areas (AAA1-AFFE, F8A1-FEFE, A140-A7A0) hold no agreed characters: one
// system's tables leave them out, another's map them to private-use code points. They are not
// text here, in either direction, so every system reads and writes the same bytes.
bool PrivateUse(char32_t cp) {
  return cp >= 0xE000 && cp <= 0xF8FF;
}

// One GBK code (a single byte, or a lead and a trail byte) as exactly one character.
bool DecodeChar(GbkCodec& codec, std::span<const std::uint8_t> code, std::string& out) {
  std::string ch;
  if (!codec.Decode(code, ch)) return false;
  const auto cp = CodePoint(ch);
  if (!cp || PrivateUse(*cp)) return false;
  out += ch;
  return true;
}

// The GBK bytes of one UTF-8 character; false for malformed UTF-8 and characters GBK lacks.
bool EncodeChar(GbkCodec& codec, std::string_view ch, std::string& out) {
  const auto cp = CodePoint(ch);
  if (!cp || PrivateUse(*cp)) return false;
  std::string gbk;
  if (!codec.Encode(ch, gbk) || gbk.empty() || gbk.size() > 2) return false;
  out += gbk;
  return true;
}

}  // namespace

std::optional<Bytes> ToGbk(std::string_view utf8) {
  GbkCodec codec;
  std::string out;
  bool ok = true;
  ForEachChar(utf8, [&](std::string_view ch) { ok = ok && EncodeChar(codec, ch, out); });
  if (!ok) return std::nullopt;
  return Bytes(out.begin(), out.end());
}

std::string FromGbk(std::span<const std::uint8_t> gbk) {
  return DecodeDoubleByte(gbk, gbk.size(), false);
}

std::string DecodeSingleByte(std::span<const std::uint8_t> bytes, std::size_t maxLen) {
  GbkCodec codec;
  std::string out;
  const std::size_t n = std::min(maxLen, bytes.size());
  for (std::size_t i = 0; i < n && bytes[i] != 0; ++i) {
    if (bytes[i] < 0x80) {
      out.push_back(static_cast<char>(bytes[i]));
    } else if (!DecodeChar(codec, bytes.subspan(i, 1), out)) {
      out.push_back('?');
    }
  }
  return out;
}

std::string DecodeDoubleByte(std::span<const std::uint8_t> bytes, std::size_t maxLen,
                             bool stopAtZero) {
  GbkCodec codec;
  std::string out;
  const std::size_t n = std::min(maxLen, bytes.size());
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint8_t b = bytes[i];
    if (b == 0) {
      if (stopAtZero) break;
      continue;
    }
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
      continue;
    }
    if (i + 1 < n && DecodeChar(codec, bytes.subspan(i, 2), out)) {
      ++i;
      continue;
    }
    out.push_back('?');
    if (i + 1 < n && bytes[i + 1] != 0) ++i;  // a broken pair still spends its trail byte
  }
  return out;
}

std::optional<Bytes> EncodeSingleByte(std::string_view utf8) {
  GbkCodec codec;
  Bytes out;
  bool ok = true;
  ForEachChar(utf8, [&](std::string_view ch) {
    std::string gbk;
    if (!ok) return;
    if (!EncodeChar(codec, ch, gbk) || gbk.size() != 1) {
      ok = false;
      return;
    }
    out.push_back(static_cast<std::uint8_t>(gbk[0]));
  });
  if (!ok) return std::nullopt;
  return out;
}

Bytes EncodeDoubleByte(std::string_view utf8) {
  GbkCodec codec;
  Bytes out;
  ForEachChar(utf8, [&](std::string_view ch) {
    std::string gbk;
    if (!EncodeChar(codec, ch, gbk))
      gbk.assign(1, '?');  // a literal here trips a false -Wrestrict in GCC 12
    out.insert(out.end(), gbk.begin(), gbk.end());
  });
  return out;
}

std::optional<std::string> FirstUnsendable(std::string_view utf8) {
  GbkCodec codec;
  std::optional<std::string> bad;
  ForEachChar(utf8, [&](std::string_view ch) {
    if (bad) return;
    std::string gbk;
    const bool ok = EncodeChar(codec, ch, gbk) &&
                    (gbk.size() == 2 || static_cast<unsigned char>(gbk[0]) < 0x80);
    if (!ok) bad = std::string(ch);
  });
  return bad;
}

std::size_t CharCount(std::string_view utf8) {
  std::size_t n = 0;
  ForEachChar(utf8, [&](std::string_view) { ++n; });
  return n;
}

std::string FirstChars(std::string_view utf8, std::size_t count) {
  std::string out;
  std::size_t n = 0;
  ForEachChar(utf8, [&](std::string_view ch) {
    if (n++ < count) out.append(ch);
  });
  return out;
}

std::size_t FirstCharBytes(std::string_view utf8) {
  if (utf8.empty()) return 0;
  return std::min(Utf8Len(static_cast<unsigned char>(utf8[0])), utf8.size());
}

}  // namespace text
