// The window class on Windows: registering it a second time fails the way
// the start-up reports it, with the system's code and text.
#include <gtest/gtest.h>

#include "app/fatal_error.h"
#include "platform/app_window.h"

TEST(VideoSystem, ASecondRegistrationOfTheWindowClassFailsAsMain1WithTheSystemCode)
{
    const VideoSystem first;
    ASSERT_FALSE(first.failure().failed()) << first.failure().reason;
    EXPECT_GT(first.usableScreenSize().width, 0);
    EXPECT_GT(first.usableScreenSize().height, 0);

    const VideoSystem second;
    const StartupFailure& failure = second.failure();
    constexpr int classAlreadyExists = 1410;
    EXPECT_EQ(failure.step, "Main1");
    EXPECT_EQ(failure.code, classAlreadyExists);
    EXPECT_FALSE(failure.reason.empty());
    EXPECT_EQ(fatalMessage(failure.step, failure.code, failure.reason).rfind("Main1 failed with error 1410: ", 0), 0u);
}
