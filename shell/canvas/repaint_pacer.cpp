#include "shell/canvas/repaint_pacer.h"

#include <chrono>

namespace shell {

namespace {

constexpr std::int64_t kFrameMilliseconds = 16;
constexpr int kChangesBetweenClockReadings = 256;

}  // namespace

RepaintPacer::RepaintPacer(std::function<std::int64_t()> clock) : clock_(std::move(clock)) {}

RepaintPacer::Paint RepaintPacer::Changed(PresentationMode mode) {
  if (!asked_) {
    asked_ = true;
    unpainted_since_ = clock_();
    return Paint::Later;
  }
  const bool due = mode == PresentationMode::Immediate &&
                   ++changes_unpainted_ % kChangesBetweenClockReadings == 0 &&
                   clock_() - unpainted_since_ >= kFrameMilliseconds;
  return due ? Paint::Now : Paint::Nothing;
}

void RepaintPacer::Painted() {
  asked_ = false;
  changes_unpainted_ = 0;
}

std::int64_t RepaintPacer::SteadyMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace shell
