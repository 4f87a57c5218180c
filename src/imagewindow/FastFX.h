#pragma once
// The pixel effects on working images: fill, mirror, waves, fish eye,
// twirl, the two rotations and the size of a rotated rectangle.
//
// An operation with a source and a target reads the source and writes the
// target; the two must be different images (the callers hand in a copy of
// the picture as the source). Target pixels that an operation gives no
// value keep the value they had. Colours are 0x00BBGGRR. Every operation on
// an image with no pixels does nothing.
//
// The arithmetic is that of the original program to the bit: "single
// precision" steps are float, every other real is double, rounding goes to
// the nearest integer with ties to even, fixed-point accumulators are 64 bits
// wide (equal to the original's 32-bit ones wherever those did not overflow).
#include "imagewindow/FastBMP.h"

#include <cstdint>

// Every pixel := the colour; the padding bytes are not touched.
void FillColor(TFastBMP& image, uint32_t color);

// Left to right, in place.
void MirrorLeftRight(TFastBMP& image);

// Target pixel (x, y) := source pixel (x + round(A × sin(y / rowPeriod)),
// y + round(A × sin(x / columnPeriod))) where that lies inside the source.
// A period of exactly 0 copies the source into the target.
void ApplyWaves(const TFastBMP& source, TFastBMP& target, double amplitude, double columnPeriod, double rowPeriod);

// The size of the upright rectangle that holds a width × height rectangle
// turned by the angle (either sign gives the same size).
void RotatedSize(int& width, int& height, double degrees);

// Turns the source by the angle (positive: clockwise on the screen) into the
// target, about the target point (cx, cy), nearest pixel in 16.16 fixed
// point. Target pixels outside the turned source keep their value (the
// callers fill the target with the background colour first). An angle whose
// sine is no number (infinite or NaN) leaves the target as it is.
void RotateFast(const TFastBMP& source, TFastBMP& target, int cx, int cy, double degrees);

// The same through pixel centres, bilinear.
void RotateSmooth(const TFastBMP& source, TFastBMP& target, int cx, int cy, double degrees);

// The angle of the vector (dx, dy) in single precision, between −π/2 and 3π/2.
float PolarAngle(float dx, float dy);

// Magnifies the middle two times and squeezes the rest toward the edges,
// wrapping around them; R = amount × target width is the radius at which
// the mapping has no value: pixels at R or beyond keep their value.
void ApplyFishEye(const TFastBMP& source, TFastBMP& target, double amount);

// A quarter turn of the picture plus a twist of one radian every `amount`
// pixels of distance from the centre, sampled with wrap-around. An amount of
// 0 copies the source into the target.
void ApplyTwirl(const TFastBMP& source, TFastBMP& target, int amount);
