#include "winhost/win_sound.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/disk_files.h"
#include "platform/wav_reader.h"

namespace winhost {

namespace {

// Larger files are not sound effects: refuse them rather than fill the memory.
constexpr std::uintmax_t kMaxWavBytes = 64U << 20;

std::string Hex(HRESULT hr) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08lx", static_cast<unsigned long>(hr));
  return buf;
}

std::vector<std::uint8_t> ReadWhole(const std::string& path) {
  std::error_code ec;
  const auto native = platform::NativePath(path);
  const auto size = std::filesystem::file_size(native, ec);
  if (ec || size > kMaxWavBytes) return {};
  std::ifstream in(native, std::ios::binary);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!in) return {};
  return bytes;
}

}  // namespace

WinSound::WinSound(LogFn log, CreateFn create) : log_(std::move(log)), create_(std::move(create)) {
  if (!create_)
    create_ = [](IDirectSound8** out) { return DirectSoundCreate8(nullptr, out, nullptr); };
}

WinSound::~WinSound() {
  ReleaseBuffer();
  if (device_ != nullptr) device_->Release();
}

bool WinSound::Open() {
  if (device_ != nullptr) return true;
  IDirectSound8* device = nullptr;
  const HRESULT hr = create_(&device);
  // The table says "no sound device" itself: one line is enough.
  if (FAILED(hr) || device == nullptr) return false;
  const HWND window = window_ != nullptr ? window_ : GetDesktopWindow();
  const HRESULT level = device->SetCooperativeLevel(window, DSSCL_PRIORITY);
  if (FAILED(level)) {
    device->Release();
    return false;
  }
  device_ = device;
  log_("sound", "DirectSound device open");
  return true;
}

void WinSound::ReleaseBuffer() {
  if (buffer_ == nullptr) return;
  buffer_->Stop();
  buffer_->Release();
  buffer_ = nullptr;
}

bool WinSound::Play(const std::string& path, bool looping) {
  ReleaseBuffer();
  if (device_ == nullptr) return false;
  const std::vector<std::uint8_t> file = ReadWhole(path);
  const auto wav = platform::ReadWav(file);
  if (!wav) {
    log_("sound", "not a playable WAV file: " + path);
    return false;
  }
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = wav->Channels;
  format.nSamplesPerSec = wav->SampleRate;
  format.nAvgBytesPerSec = wav->ByteRate;
  format.nBlockAlign = wav->BlockAlign;
  format.wBitsPerSample = wav->BitsPerSample;
  DSBUFFERDESC desc{};
  desc.dwSize = sizeof desc;
  // Global focus: the table's sounds go on while the lobby or a dialog has the focus.
  desc.dwFlags = DSBCAPS_CTRLVOLUME | DSBCAPS_GLOBALFOCUS | DSBCAPS_GETCURRENTPOSITION2;
  desc.dwBufferBytes = static_cast<DWORD>(std::min<std::size_t>(wav->Samples.size(), DSBSIZE_MAX));
  desc.dwBufferBytes -= desc.dwBufferBytes % wav->BlockAlign;
  desc.lpwfxFormat = &format;
  HRESULT hr = device_->CreateSoundBuffer(&desc, &buffer_, nullptr);
  if (FAILED(hr) || buffer_ == nullptr) {
    buffer_ = nullptr;
    log_("sound", "no sound buffer for " + path + " (" + Hex(hr) + ")");
    return false;
  }
  void* first = nullptr;
  void* second = nullptr;
  DWORD firstBytes = 0;
  DWORD secondBytes = 0;
  hr = buffer_->Lock(0, desc.dwBufferBytes, &first, &firstBytes, &second, &secondBytes, 0);
  if (FAILED(hr)) {
    ReleaseBuffer();
    log_("sound", "sound buffer not writable (" + Hex(hr) + ")");
    return false;
  }
  const std::size_t a = std::min<std::size_t>(firstBytes, desc.dwBufferBytes);
  std::memcpy(first, wav->Samples.data(), a);
  if (second != nullptr) {
    std::memcpy(second, wav->Samples.data() + a,
                std::min<std::size_t>(secondBytes, desc.dwBufferBytes - a));
  }
  buffer_->Unlock(first, firstBytes, second, secondBytes);
  buffer_->SetVolume(DSBVOLUME_MAX);
  buffer_->SetCurrentPosition(0);
  hr = buffer_->Play(0, 0, looping ? DSBPLAY_LOOPING : 0);
  if (FAILED(hr)) {
    ReleaseBuffer();
    log_("sound", "cannot play " + path + " (" + Hex(hr) + ")");
    return false;
  }
  return true;
}

void WinSound::Stop() {
  if (buffer_ == nullptr) return;
  buffer_->Stop();
  buffer_->SetCurrentPosition(0);
}

void WinSound::SetAttenuation(int hundredthsDb) {
  if (buffer_ == nullptr) return;
  buffer_->SetVolume(std::clamp<LONG>(hundredthsDb, DSBVOLUME_MIN, DSBVOLUME_MAX));
}

bool WinSound::Playing() const {
  DWORD status = 0;
  return buffer_ != nullptr && SUCCEEDED(buffer_->GetStatus(&status)) &&
         (status & DSBSTATUS_PLAYING) != 0;
}

bool WinSound::Looping() const {
  DWORD status = 0;
  return buffer_ != nullptr && SUCCEEDED(buffer_->GetStatus(&status)) &&
         (status & DSBSTATUS_LOOPING) != 0;
}

long WinSound::Volume() const {
  LONG v = DSBVOLUME_MIN;
  if (buffer_ != nullptr) buffer_->GetVolume(&v);
  return v;
}

DWORD WinSound::Position() const {
  DWORD play = 0;
  DWORD write = 0;
  if (buffer_ != nullptr) buffer_->GetCurrentPosition(&play, &write);
  return play;
}

}  // namespace winhost
