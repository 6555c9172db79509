#include "text/gbk.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace text {

namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv unavailable");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts one piece; false when the input is not valid in the source encoding.
  bool Convert(std::string_view in, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    std::string buffer(in.size() * 4 + 8, '\0');
    char* dst = buffer.data();
    std::size_t dstLeft = buffer.size();
    if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1)) return false;
    out.append(buffer.data(), buffer.size() - dstLeft);
    return true;
  }

 private:
  iconv_t cd_;
};

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

std::string_view AsChars(std::span<const std::uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

std::optional<Bytes> ToGbk(std::string_view utf8) {
  Converter conv("CP936", "UTF-8");
  std::string out;
  if (!conv.Convert(utf8, out)) return std::nullopt;
  return Bytes(out.begin(), out.end());
}

std::string FromGbk(std::span<const std::uint8_t> gbk) {
  return DecodeDoubleByte(gbk, gbk.size(), false);
}

std::string DecodeSingleByte(std::span<const std::uint8_t> bytes, std::size_t maxLen) {
  Converter conv("UTF-8", "CP936");
  std::string out;
  const std::size_t n = std::min(maxLen, bytes.size());
  for (std::size_t i = 0; i < n && bytes[i] != 0; ++i) {
    if (bytes[i] < 0x80) {
      out.push_back(static_cast<char>(bytes[i]));
    } else if (!conv.Convert(AsChars(bytes.subspan(i, 1)), out)) {
      out.push_back('?');
    }
  }
  return out;
}

std::string DecodeDoubleByte(std::span<const std::uint8_t> bytes, std::size_t maxLen,
                             bool stopAtZero) {
  Converter conv("UTF-8", "CP936");
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
    if (i + 1 < n && conv.Convert(AsChars(bytes.subspan(i, 2)), out)) {
      ++i;
      continue;
    }
    out.push_back('?');
    if (i + 1 < n && bytes[i + 1] != 0) ++i;  // a broken pair still spends its trail byte
  }
  return out;
}

std::optional<Bytes> EncodeSingleByte(std::string_view utf8) {
  Converter conv("CP936", "UTF-8");
  Bytes out;
  bool ok = true;
  ForEachChar(utf8, [&](std::string_view ch) {
    std::string gbk;
    if (!ok) return;
    if (!conv.Convert(ch, gbk) || gbk.size() != 1) {
      ok = false;
      return;
    }
    out.push_back(static_cast<std::uint8_t>(gbk[0]));
  });
  if (!ok) return std::nullopt;
  return out;
}

Bytes EncodeDoubleByte(std::string_view utf8) {
  Converter conv("CP936", "UTF-8");
  Bytes out;
  ForEachChar(utf8, [&](std::string_view ch) {
    std::string gbk;
    if (!conv.Convert(ch, gbk) || gbk.empty())
      gbk.assign(1, '?');  // a literal here trips a false -Wrestrict in GCC 12
    out.insert(out.end(), gbk.begin(), gbk.end());
  });
  return out;
}

std::optional<std::string> FirstUnsendable(std::string_view utf8) {
  Converter conv("CP936", "UTF-8");
  std::optional<std::string> bad;
  ForEachChar(utf8, [&](std::string_view ch) {
    if (bad) return;
    std::string gbk;
    const bool ok = conv.Convert(ch, gbk) && !gbk.empty() &&
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
