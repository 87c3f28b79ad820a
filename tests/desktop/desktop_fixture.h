// Pictures for the desktop plugin tests, written to a folder of their own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vellum::test {

// 200 x 100 pixels at 96 pixels an inch (3000 x 1500 units at 1440 an
// inch): the left half red, the right half blue, meeting at x = 100.
std::vector<uint8_t> red_blue_picture();

// The same halves without the placeable header, width x height units: one
// pixel a unit.
std::vector<uint8_t> headerless_picture(int width = 300, int height = 150);

// Writes the bytes as NAME in a temporary folder made once per process.
std::string write_fixture(const std::string& name, const std::vector<uint8_t>& bytes);

}  // namespace vellum::test
