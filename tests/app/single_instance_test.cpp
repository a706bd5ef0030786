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

TEST(SingleInstanceTest, ALinkGivenToASecondCopyIsHandedToTheFirst) {
    QTemporaryDir runtime;
    SingleInstance first(runtime.path());
    ASSERT_TRUE(first.claim());
    QSignalSpy activations(&first, &SingleInstance::activateRequested);
    QSignalSpy links(&first, &SingleInstance::linkReceived);

    SingleInstance second(runtime.path());
    EXPECT_FALSE(second.claim("ludomyra://192.168.1.5:7000"));
    ASSERT_TRUE(links.wait(3000));
    EXPECT_EQ(links.takeFirst().at(0).toString(), "ludomyra://192.168.1.5:7000");
    EXPECT_EQ(activations.count(), 1);

    // A line break cannot end the request early and smuggle in another.
    SingleInstance third(runtime.path());
    EXPECT_FALSE(third.claim("ludomyra://a:1\nlink ludomyra://b:2"));
    ASSERT_TRUE(links.wait(3000));
    EXPECT_EQ(links.takeFirst().at(0).toString(), "ludomyra://a:1 link ludomyra://b:2");
    EXPECT_TRUE(links.isEmpty());
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
