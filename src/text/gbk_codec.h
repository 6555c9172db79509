#pragma once
// The system's own GBK tables, one character at a time (iconv on POSIX, code page 936 on
// Windows). gbk.cpp keeps every rule on top of them, so both systems read and write the same
// bytes.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace text {

class GbkCodec {
 public:
  GbkCodec();
  ~GbkCodec();
  GbkCodec(const GbkCodec&) = delete;
  GbkCodec& operator=(const GbkCodec&) = delete;

  // Appends the UTF-8 of one GBK code (one byte, or a lead and a trail byte); false, appending
  // nothing, when the bytes are not exactly one character.
  bool Decode(std::span<const std::uint8_t> code, std::string& out);
  // Appends the GBK bytes of one UTF-8 character; false, appending nothing, when it has none.
  bool Encode(std::string_view utf8Char, std::string& out);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace text
