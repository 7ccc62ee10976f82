// A window factory that makes no window stops the program with the window's name, rather than
// handing out a window that is not there.
#include "platform/form.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowRegistryDeathTest, AFactoryThatMakesNoWindowStopsWithItsName) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    platform::WindowRegistry windows;
    EXPECT_DEATH(windows.get<platform::Form>(QStringLiteral("frmMissing"),
                                             []() -> platform::Form* { return nullptr; }),
                 "The window frmMissing could not be made");
    EXPECT_FALSE(windows.isLoaded(QStringLiteral("frmMissing")));
}

} // namespace
