#pragma once
// Mono 16-bit PCM WAV files.
#include <cstdint>
#include <string>
#include <vector>

namespace soundgen {

constexpr int kRate = 22050;

// Samples in -1..1; clipped on writing.
using Signal = std::vector<float>;

bool WriteWav(const std::string& path, const Signal& s, int rate = kRate);

// Scales the signal so its loudest sample reaches peak.
void Normalise(Signal& s, float peak);
// Short fades at both ends so a sound never starts or stops with a click.
void FadeEdges(Signal& s, int samples);
// Cuts leading and trailing parts quieter than threshold, keeping margin samples of them.
void TrimSilence(Signal& s, float threshold, int margin);
// Converts between sample rates by linear interpolation.
Signal Resample(const Signal& s, int from, int to);

}  // namespace soundgen
