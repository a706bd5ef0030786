#include "app/single_instance.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(SingleInstanceTest, SecondCopyIsRefusedAndAsksTheFirstToShowItself) {
    QTemporaryDir runtime;
    SingleInstance first(runtime.path());
    ASSERT_TRUE(first.claim());
    QSignalSpy activations(&first, &SingleInstance::activateRequested);

    SingleInstance second(runtime.path());
    EXPECT_FALSE(second.claim());
    EXPECT_TRUE(activations.wait(3000));
    EXPECT_EQ(activations.count(), 1);
}

TEST(SingleInstanceTest, TheLockIsFreeAgainOnceTheFirstCopyHasGone) {
    QTemporaryDir runtime;
    {
        SingleInstance first(runtime.path());
        ASSERT_TRUE(first.claim());
    }
    SingleInstance next(runtime.path());
    EXPECT_TRUE(next.claim());
}

TEST(SingleInstanceTest, AnUnusableFolderLetsTheCopyRunAsTheFirst) {
    SingleInstance copy("/proc/no-such-folder-for-ludomyra");
    EXPECT_TRUE(copy.claim());
}

} // namespace
