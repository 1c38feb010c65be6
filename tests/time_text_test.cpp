#include "core/time_text.h"

#include <gtest/gtest.h>

TEST(ElapsedTimeText, FormatsHoursMinutesSecondsAndMilliseconds) {
  struct Case {
    std::int64_t ms;
    const char* text;
  };
  const Case cases[] = {
      {125437, " 02 分05 秒 437"},
      {5123, " 05 秒 123"},
      {60000, " 01 分00 秒 000"},
      {3725004, "01 時 02 分05 秒 004"},
      {3605000, "01 時 05 秒 000"}, // minutes left out when zero, also with hours
      {0, " 00 秒 000"},
  };
  for (const auto& c : cases) EXPECT_EQ(minutesSecondsText(c.ms), c.text) << c.ms << " ms";
}

TEST(ElapsedTimeText, PadsWholeNumbersToAWidth) {
  struct Case {
    std::int64_t value;
    int width;
    const char* text;
  };
  const Case cases[] = {
      {7, 3, "007"},    {7, -3, "  7"},      {-7, 3, "-07"},
      {0, 2, "00"},     {12345, 3, "12345"}, {-7, -3, "- 7"},
      {42, 0, "42"},    {-42, 0, "-42"},     {1000, 4, "1000"},
      {999, 4, "0999"}, {5, 14, "5"},        {5, 13, "0000000000005"}, // at most 12 pad places
  };
  for (const auto& c : cases)
    EXPECT_EQ(paddedNumber(c.value, c.width), c.text) << c.value << " width " << c.width;
}

TEST(ElapsedTimeText, DifferenceSurvivesTickCounterWrap) {
  EXPECT_EQ(elapsedTicks(704u, 4294967000u), 1000u);
  EXPECT_EQ(elapsedTicksText(704u, 4294967000u), " 01 秒 000");
  EXPECT_EQ(elapsedTicks(5000u, 3000u), 2000u);
}
