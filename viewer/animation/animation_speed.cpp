#include "animation_speed.h"

#include <algorithm>
#include <cmath>

namespace kestrel::anim {

namespace {
constexpr int kHundredthsPerUnit = 100;
constexpr int kStepHundredths = 5;
constexpr int kMinHundredths = 0;
constexpr int kMaxHundredths = 1000;

float Stepped(float speed, int stepHundredths)
{
    if (std::isnan(speed))
        speed = kDefaultSpeed;
    // Clamp before rounding so that an infinite speed cannot overflow the integer.
    const double clamped = std::clamp(double(speed), double(kMinSpeed), double(kMaxSpeed));
    const long hundredths = std::lround(clamped * kHundredthsPerUnit) + stepHundredths;
    return float(std::clamp<long>(hundredths, kMinHundredths, kMaxHundredths)) / float(kHundredthsPerUnit);
}
} // namespace

float NormalizeSpeed(float speed) { return Stepped(speed, 0); }

bool CanSpeedUp(float speed) { return speed < kMaxSpeed; }
bool CanSlowDown(float speed) { return speed > kMinSpeed; }

float SpeedUp(float speed) { return Stepped(speed, kStepHundredths); }
float SlowDown(float speed) { return Stepped(speed, -kStepHundredths); }

} // namespace kestrel::anim
