#pragma once

// Window geometry is kept in twips; 15 twips make a pixel at the usual screen density. Every
// conversion goes through these two.
inline constexpr int kTwipsPerPixel = 15;

constexpr int toPixels(int twips) {
    return twips / kTwipsPerPixel;
}
constexpr int toTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}
