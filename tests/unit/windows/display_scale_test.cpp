// The [Display] Scale setting: only "off" hands the scaling to the system.
#include <gtest/gtest.h>

#include "app/windows/DisplayScale.h"

TEST(DisplayScale, OnlyOffLetsTheSystemStretch) {
  const struct {
    const char* text;
    TDisplayScale expected;
  } rows[] = {
      {"off", TDisplayScale::Off},     {"OFF", TDisplayScale::Off},
      {" Off\t", TDisplayScale::Off},  {"system", TDisplayScale::System},
      {"", TDisplayScale::System},     {"  ", TDisplayScale::System},
      {"of", TDisplayScale::System},   {"offf", TDisplayScale::System},
      {"o ff", TDisplayScale::System}, {"0", TDisplayScale::System},
  };
  for (const auto& row : rows)
    EXPECT_EQ(DisplayScaleFromText(row.text), row.expected) << '"' << row.text << '"';
}
