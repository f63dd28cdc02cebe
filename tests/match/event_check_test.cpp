// In debug builds every event handler leaves a sound game state or the program stops at once,
// naming what is broken.
#include <gtest/gtest.h>

#include "match/fakes.h"
#include "match/form1.h"

namespace velk {
namespace {

#ifndef NDEBUG
TEST(EventCheckDeathTest, AnEventLeavingABrokenStateAborts) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    fakes::FakePorts ports;
    Form1 form(ports.ports(), ".");
    form.Form_Load();
    form.ICHIJI_Click();  // a sound state passes
    form.s.handTotalMAN = 3;
    EXPECT_DEATH(form.ICHIJI_Click(), "game state broken after an event: handTotalMAN 3");
    form.s.board[5][5] = 12345;
    EXPECT_DEATH(form.STOP_Click(), "game state broken after an event");
}
#endif

TEST(EventCheck, ATestMayTurnTheCheckOffForAMadeUpPosition) {
    fakes::FakePorts ports;
    Form1 form(ports.ports(), ".");
    form.Form_Load();
    form.checkStateAfterEvents = false;
    form.s.handTotalMAN = 3;
    form.ICHIJI_Click();
    form.STOP_Click();
    EXPECT_EQ(form.s.handTotalMAN, 3);
}

}  // namespace
}  // namespace velk
