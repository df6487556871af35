#include <gtest/gtest.h>
#include "support/virtual_clock.h"
TEST(Smoke, Clock) { testing_support::VirtualClock c; c.Sleep(5); EXPECT_EQ(c.TickCount(), 5u); }
