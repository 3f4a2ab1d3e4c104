// The entry's checks before the host starts, with scripted stand-ins.
#include "profile/Entry.h"

#include <gtest/gtest.h>

#include <new>
#include <string>

#include "platform/MemoryStatus.h"
#include "platform/MessageBox.h"
#include "platform/Service.h"
#include "platform/UiLanguage.h"
#include "platform/Windows.h"
#include "profile/Messages.h"

namespace profile {
namespace {

class EntryTest : public ::testing::Test {
protected:
    platform::ScriptedWindows windows;
    platform::FixedMemoryStatus memory{64ull << 20};
    platform::FixedUiLanguage language{0x0407};
    platform::ScriptedMessageBox box;
    platform::ScopedService<platform::WindowSystem> windowsScope{&platform::installWindows, windows};
    platform::ScopedService<platform::MemoryStatus> memoryScope{&platform::installMemoryStatus, memory};
    platform::ScopedService<platform::UiLanguage> languageScope{&platform::installUiLanguage, language};
    platform::ScopedService<platform::MessageBoxService> boxScope{&platform::installMessageBox, box};
};

TEST_F(EntryTest, TheOnlyCopyWithEnoughMemoryStartsInTheUsersLanguage) {
    memory.available = kMinimumAvailableMemory;
    EXPECT_TRUE(passStartChecks("/games/Brenvale/Tarnwick"));
    EXPECT_EQ(windows.claimedFolder, "/games/Brenvale/Tarnwick");
    EXPECT_TRUE(box.shown.empty());
    EXPECT_EQ(std::u16string(getLocalizedMessage(kMessageNoticeCaption)), u"Hinweis");
}

TEST_F(EntryTest, ASecondCopyAsksTheFirstToComeForwardAndEnds) {
    windows.otherCopyRunning = true;
    EXPECT_FALSE(passStartChecks("/games"));
    EXPECT_EQ(windows.frontRequests, 1);
    EXPECT_TRUE(box.shown.empty());
}

TEST_F(EntryTest, TooLittleMemoryShowsTheLocalizedWarningAndEnds) {
    memory.available = kMinimumAvailableMemory - 1;
    EXPECT_FALSE(passStartChecks("/games"));
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, u"Es gibt nicht gen\u00FCgend freien Speicherplatz f\u00FCr das Spiel.\n"
                                 u"Beende bitte alle Anwendungen und starte das Spiel erneut.");
    EXPECT_EQ(box.shown[0].caption, u"Tarnwick");
    EXPECT_EQ(box.shown[0].style, 0x30u);
}

TEST(OutOfStoreTest, TheHandlerReportsOnceAndRaisesTheFailure) {
    const std::new_handler previous = std::get_new_handler();
    installOutOfStoreHandler();
    const std::new_handler handler = std::get_new_handler();
    ASSERT_NE(handler, nullptr);
    ::testing::internal::CaptureStdout();
    EXPECT_THROW(handler(), std::bad_alloc);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "ERROR: Operator new failed: out of store.\n");
    EXPECT_EQ(std::get_new_handler(), nullptr);
    std::set_new_handler(previous);
}

} // namespace
} // namespace profile
