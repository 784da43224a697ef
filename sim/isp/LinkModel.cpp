// The dial-up link model of the lab (see LinkModel.h and the README's lab section).
#include "sim/isp/LinkModel.h"

#include <algorithm>
#include <cmath>

using namespace linkmodel;

namespace {

int Clamp(int value, int low, int high) { return std::min(std::max(value, low), high); }

// xorshift32: a small repeatable generator for the noise.
std::uint32_t NextRandom(std::uint32_t& state) {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}

// Share of segments whose route needs more hops than the TTL allows.
double TtlLossShare(int ttl) {
  double beyond = double(kLongestDetourHops - ttl) / (kLongestDetourHops - kShortestDetourHops);
  return kDetourShare * std::min(1.0, std::max(0.0, beyond));
}

double QueueLossShare(int rwin) {
  if (rwin <= kIspQueueBytes) return 0.0;
  return kQueueLossShare * double(rwin - kIspQueueBytes) / rwin;
}

}  // namespace

LinkValues SanitizedLinkValues(const LinkValues& values) {
  LinkValues clean = values;
  clean.mtu = Clamp(values.mtu, 68, 65535);
  clean.rwin = Clamp(values.rwin, 1, 1 << 30);
  clean.ttl = Clamp(values.ttl, 1, 255);
  clean.speed = Clamp(values.speed, 0, 100000000);
  if (!std::isfinite(clean.noisePercent) || clean.noisePercent < 0) clean.noisePercent = 0;
  clean.noisePercent = std::min(clean.noisePercent, 50.0);
  if (!std::isfinite(clean.scale) || clean.scale < 0) clean.scale = 0;
  clean.scale = std::min(clean.scale, 100.0);
  return clean;
}

ResponsePacer::ResponsePacer(const LinkValues& values, std::uint32_t responseNumber)
    : values_(SanitizedLinkValues(values)) {
  paced_ = values_.speed > 0 && values_.scale > 0;
  payload_ = std::max(1, std::min(values_.mtu - kIpTcpHeaderBytes, values_.rwin));
  lossShare_ = std::min(kMaxLossShare, TtlLossShare(values_.ttl) + QueueLossShare(values_.rwin));
  if (values_.seed != 0 && values_.noisePercent > 0) {
    std::uint32_t state = values_.seed ^ (responseNumber * 2654435761u);
    if (state == 0) state = 1;
    NextRandom(state);
    double unit = (NextRandom(state) / 4294967295.0) * 2.0 - 1.0;  // -1 .. 1
    noiseFactor_ = 1.0 + unit * values_.noisePercent / 100.0;
  }
}

double ResponsePacer::LineMs(int bytes) const {
  double bytesPerSecond = double(values_.speed) / kBitsPerLineByte;
  return bytes * 1000.0 / bytesPerSecond;
}

double ResponsePacer::SetupMs() const {
  if (!paced_) return 0.0;
  return kRoundTripMs * noiseFactor_ * values_.scale;
}

double ResponsePacer::NextSegmentMs(int bytes) {
  if (!paced_) return 0.0;
  int lineBytes = bytes + kIpTcpHeaderBytes + kFramingBytes;
  double penalty = 0.0;
  if (values_.mtu > kPathMtu) {
    int fragments = (bytes + kIpHeaderBytes + (kPathMtu - kIpHeaderBytes) - 1) /
                    (kPathMtu - kIpHeaderBytes);
    if (fragments > 1) {
      lineBytes += (fragments - 1) * (kIpHeaderBytes + kFramingBytes);
      penalty = kReassemblyMs;
    }
  }
  double line = LineMs(lineBytes);
  // A window of n segments: the sender waits for an ACK one round trip after
  // a segment has gone out, so a small window stalls the line.
  int window = std::max(1, values_.rwin / payload_);
  double time = std::max(line, (line + kRoundTripMs) / window) + penalty;
  lossCredit_ += lossShare_;
  if (lossCredit_ >= 1.0) {
    lossCredit_ -= 1.0;
    time += kRoundTripMs + line;  // the retransmission
  }
  return time * noiseFactor_ * values_.scale;
}
