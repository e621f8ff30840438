#pragma once

#include <cstdint>

namespace shell {

// A 24-bit colour.
struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;

  friend constexpr bool operator==(Rgb, Rgb) = default;
};

// Pixels are stored as 0xFFRRGGBB so that a toolkit can show a raster without converting it.
constexpr std::uint32_t ToPixel(Rgb c) {
  return 0xFF000000u | (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | std::uint32_t{c.b};
}

constexpr Rgb FromPixel(std::uint32_t p) {
  return Rgb{static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
             static_cast<std::uint8_t>(p)};
}

}  // namespace shell
