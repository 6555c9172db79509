#include <iconv.h>

#include <stdexcept>

#include "text/gbk_codec.h"

namespace text {

namespace {

class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv unavailable");
  }
  ~Iconv() { iconv_close(cd_); }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  bool Convert(std::string_view in, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buffer[16];
    char* dst = buffer;
    std::size_t dstLeft = sizeof buffer;
    if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1)) return false;
    // A shift or reset sequence owed at the end would be a second character; GBK has none.
    if (iconv(cd_, nullptr, nullptr, &dst, &dstLeft) == static_cast<std::size_t>(-1)) return false;
    out.append(buffer, sizeof buffer - dstLeft);
    return true;
  }

 private:
  iconv_t cd_;
};

}  // namespace

struct GbkCodec::State {
  Iconv toUtf8{"UTF-8", "CP936"};
  Iconv toGbk{"CP936", "UTF-8"};
};

GbkCodec::GbkCodec() : state_(std::make_unique<State>()) {}
GbkCodec::~GbkCodec() = default;

bool GbkCodec::Decode(std::span<const std::uint8_t> code, std::string& out) {
  return state_->toUtf8.Convert({reinterpret_cast<const char*>(code.data()), code.size()}, out);
}

bool GbkCodec::Encode(std::string_view utf8Char, std::string& out) {
  return state_->toGbk.Convert(utf8Char, out);
}

}  // namespace text
