#include "platform/temporary_file_name.h"

#include <gtest/gtest.h>

TEST(TemporaryFileNameTest, OnlyNamesThisProgramMakesHaveAnOwner)
{
    EXPECT_EQ(temporaryFileOwner(temporaryFileName(4294967295u, 0)), 4294967295u);
    for (const char* other : {".orvelplan--1.tmp", ".orvelplan-12a-1.tmp", ".orvelplan-12.tmp", ".orvelplan-.tmp",
                              ".orvelplan-12345678901-0.tmp", "orvelplan-12-0.tmp", ".orvelplan-12-0.pdf", ".tmp"})
        EXPECT_EQ(temporaryFileOwner(other), 0u) << other;
}
