// The conversion of a value of any kind to a date-time.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "values/constants.h"
#include "values/convertible_value.h"

namespace {

TEST(ToDateTime, ReadsTextsAndKeepsDateTimes) {
  ConvertibleValue v;
  v.kind = ValueKind::text;
  v.text = "2017-11-12 09:05:03";
  EXPECT_DOUBLE_EQ(toDateTime(v), 43051.37850694444);
  v.text = "abc";
  EXPECT_EQ(toDateTime(v), kDateTimeMin);
  v.text = nullptr;
  EXPECT_EQ(toDateTime(v), kDateTimeMin);

  v.kind = ValueKind::dateTime;
  const double kept[] = {43051.37850694444, -657434.25, 1e300, 0.5};
  for (double d : kept) {
    v.dateTime = d;
    EXPECT_EQ(toDateTime(v), d);
  }
  v.dateTime = std::numeric_limits<double>::quiet_NaN();
  EXPECT_TRUE(std::isnan(toDateTime(v)));
}

TEST(ToDateTime, GivesTheMinimumForOtherKinds) {
  ConvertibleValue v;
  v.kind = ValueKind::integer;
  v.integer = 43051;
  EXPECT_EQ(toDateTime(v), kDateTimeMin);
  v.kind = ValueKind::byteSet;
  v.byteSet = emptyByteSet;
  EXPECT_EQ(toDateTime(v), kDateTimeMin);
}

}  // namespace
