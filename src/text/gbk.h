#pragma once
// GBK (code page 936) at the edges of the program: frames, INI files, the rules file and the
// lobby title. Everything inside the program is UTF-8.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace text {

using Bytes = std::vector<std::uint8_t>;

// Every system gives the same bytes: the characters of code page 936 less its user-defined
// areas (AAA1-AFFE, F8A1-FEFE, A140-A7A0), which are not text here in either direction; the
// single byte 0x80 is the euro sign.
//
// Whole-string conversions. ToGbk fails on a character GBK cannot hold (or on malformed UTF-8);
// FromGbk shows a byte sequence that is not GBK as '?'.
std::optional<Bytes> ToGbk(std::string_view utf8);
std::string FromGbk(std::span<const std::uint8_t> gbk);

// Single-byte text of a frame: one byte per character, ending at the first 0 byte or after
// maxLen bytes.
std::string DecodeSingleByte(std::span<const std::uint8_t> bytes, std::size_t maxLen);
// Double-byte text: a byte of 128 or more joins the byte after it into one GBK character; a pair
// that is not one (0x80 included) reads as one '?', a lead byte cut off at the end as '?'.
// Ends at the first 0 byte (when stopAtZero) or after maxLen bytes.
std::string DecodeDoubleByte(std::span<const std::uint8_t> bytes, std::size_t maxLen,
                             bool stopAtZero = true);

// One byte per character, or nothing when a character has no single-byte code.
std::optional<Bytes> EncodeSingleByte(std::string_view utf8);
// GBK bytes; a character GBK cannot hold is written as '?'.
Bytes EncodeDoubleByte(std::string_view utf8);

// The first character that double-byte frame text cannot carry: one GBK lacks, or one GBK
// writes as a single byte of 128 or more (a reader would take it for a lead byte). Nothing when
// every character travels.
std::optional<std::string> FirstUnsendable(std::string_view utf8);

// Characters, not bytes, of UTF-8 text.
std::size_t CharCount(std::string_view utf8);
std::string FirstChars(std::string_view utf8, std::size_t count);
// Bytes of the first character of UTF-8 text (0 for none).
std::size_t FirstCharBytes(std::string_view utf8);

}  // namespace text
