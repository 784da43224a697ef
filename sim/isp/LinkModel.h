// The lab's model of a dial-up link: how long the ISP takes to deliver a
// response, given the TCP/IP values the dialing machine had in effect when
// the link came up. The constants describe the simulated ISP (its path MTU,
// modem-pool queue, round trip, route lengths), not the program. Windows-free.
//
// Times are milliseconds. The model is deterministic for a given noise seed,
// so a tune-up run against the lab has a best answer a test can predict.
#pragma once

#include <cstdint>

namespace linkmodel {

constexpr double kRoundTripMs = 300.0;     // modem round trip: set-up and every ACK
constexpr int kPathMtu = 1006;             // largest packet the ISP's route forwards whole
constexpr int kIpTcpHeaderBytes = 40;      // per segment
constexpr int kIpHeaderBytes = 20;         // per extra fragment
constexpr int kFramingBytes = 8;           // PPP framing per packet on the line
constexpr double kReassemblyMs = 40.0;     // slow path for a fragmented segment
constexpr int kIspQueueBytes = 8192;       // modem-pool buffer; larger windows overflow it
constexpr double kQueueLossShare = 0.25;   // share of the overflow that is dropped
constexpr double kDetourShare = 0.10;      // segments routed over a longer detour
constexpr int kShortestDetourHops = 20;
constexpr int kLongestDetourHops = 100;
constexpr double kMaxLossShare = 0.9;
constexpr int kBitsPerLineByte = 10;       // start and stop bits of the serial line

}  // namespace linkmodel

// The values of one link, as reported when it came up, plus the lab's knobs.
struct LinkValues {
  int mtu = 1500;
  int rwin = 8760;
  int ttl = 32;
  int speed = 48000;            // line speed in bit/s; 0 turns pacing off
  std::uint32_t seed = 0;       // noise seed; 0 means no noise
  double noisePercent = 2.0;    // amplitude of the noise on each response's time
  double scale = 1.0;           // multiplies every modelled time; 0 turns pacing off
};

// Clamps out-of-range values to ones the model can use (never 0 or negative).
LinkValues SanitizedLinkValues(const LinkValues& values);

// Paces one response. Built for each response with its number on the link,
// so concurrent responses need no shared state and the noise stays repeatable.
class ResponsePacer {
 public:
  ResponsePacer(const LinkValues& values, std::uint32_t responseNumber);

  bool Paced() const { return paced_; }
  // Bytes of response data carried by one segment.
  int SegmentPayload() const { return payload_; }
  // Connection set-up and request: the delay before the first byte.
  double SetupMs() const;
  // Time one segment of `bytes` response bytes takes on the line, including
  // window stalls, fragmentation and, when it is lost, its retransmission.
  double NextSegmentMs(int bytes);

  // Share of segments lost for these values (route detours beyond the TTL plus queue overflow).
  double LossShare() const { return lossShare_; }

 private:
  double LineMs(int bytes) const;

  LinkValues values_;
  bool paced_;
  int payload_;
  double lossShare_;
  double lossCredit_ = 0.5;  // rounds the expected losses of a response to whole segments
  double noiseFactor_ = 1.0;
};
