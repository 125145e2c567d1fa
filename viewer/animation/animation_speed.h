#pragma once

// The document's animation speed, a factor on the model's own frame rate.
namespace kestrel::anim {

constexpr float kDefaultSpeed = 1.0f;
constexpr float kMinSpeed = 0.0f;
constexpr float kMaxSpeed = 10.0f;

// Speeds are kept on whole hundredths, the step and the pane's precision, so that repeated
// steps cannot drift past the limits: twenty Slow Downs from 1.0 give exactly 0.0.
// A value that is not a number falls back to the default.
float NormalizeSpeed(float speed);

bool CanSpeedUp(float speed);
bool CanSlowDown(float speed);
// Plus or minus 0.05, within [kMinSpeed, kMaxSpeed].
float SpeedUp(float speed);
float SlowDown(float speed);

} // namespace kestrel::anim
