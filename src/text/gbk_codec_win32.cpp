#include <windows.h>

#include "text/gbk_codec.h"

namespace text {

namespace {

constexpr UINT kGbk = 936;

}  // namespace

struct GbkCodec::State {};

GbkCodec::GbkCodec() = default;
GbkCodec::~GbkCodec() = default;

bool GbkCodec::Decode(std::span<const std::uint8_t> code, std::string& out) {
  if (code.empty() || code.size() > 2) return false;
  wchar_t wide[2];
  const int n =
      MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(code.data()),
                          static_cast<int>(code.size()), wide, 2);
  if (n != 1) return false;
  char utf8[4];
  const int m = WideCharToMultiByte(CP_UTF8, 0, wide, 1, utf8, sizeof utf8, nullptr, nullptr);
  if (m <= 0) return false;
  out.append(utf8, static_cast<std::size_t>(m));
  return true;
}

bool GbkCodec::Encode(std::string_view utf8Char, std::string& out) {
  if (utf8Char.empty() || utf8Char.size() > 4) return false;
  wchar_t wide[2];
  const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8Char.data(),
                                    static_cast<int>(utf8Char.size()), wide, 2);
  if (n <= 0) return false;
  // No best fit: a character GBK lacks must fail, not turn into a look-alike.
  char gbk[4];
  BOOL usedDefault = FALSE;
  const int m = WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide, n, gbk, sizeof gbk, nullptr,
                                    &usedDefault);
  if (m <= 0 || usedDefault) return false;
  out.append(gbk, static_cast<std::size_t>(m));
  return true;
}

}  // namespace text
