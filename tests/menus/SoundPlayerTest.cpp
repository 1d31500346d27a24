#include <gtest/gtest.h>

#include "FakeSoundSystem.h"

namespace {

TEST(SoundPlayerTest, EachIdPlaysItsAliasWithItsFlags)
{
    struct Case
    {
        int id;
        std::vector<std::string> names;
        std::vector<DWORD> flags;
    };
    const Case cases[] = {
        {1, {"", "MenuPopup"}, {SND_PURGE, 0x12003}},
        {2, {"", "MenuPopup"}, {SND_PURGE, 0x12003}},
        {3, {"MenuCommand"}, {0x12002}},
        {0, {}, {}},
        {4, {}, {}},
        {-1, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        FakeSoundSystem sound;
        g_SoundPlayer->PlaySound(c.id);
        ASSERT_TRUE(sound.WaitUntilFree());
        const auto calls = sound.Calls();
        ASSERT_EQ(c.names.size(), calls.size());
        for (size_t i = 0; i < calls.size(); ++i) {
            EXPECT_EQ(c.names[i], calls[i].name);
            EXPECT_EQ(c.flags[i], calls[i].flags);
        }
    }
}

TEST(SoundPlayerTest, SoundsAskedForWhileACommandSoundPlaysAreSkipped)
{
    FakeSoundSystem sound;
    sound.HoldCommandSound();
    g_SoundPlayer->PlaySound(CExtSoundPlayer::kSoundMenuCommand);
    EXPECT_FALSE(CExtSoundPlayer::IsFree());
    g_SoundPlayer->PlaySound(CExtSoundPlayer::kSoundMenuCommand);
    g_SoundPlayer->PlaySound(CExtSoundPlayer::kSoundMenuPopup);
    sound.ReleaseCommandSound();
    ASSERT_TRUE(sound.WaitUntilFree());
    EXPECT_EQ(std::vector<std::string>{"MenuCommand"}, sound.Played());

    g_SoundPlayer->PlaySound(CExtSoundPlayer::kSoundMenuPopup);
    ASSERT_TRUE(sound.WaitUntilFree());
    EXPECT_EQ((std::vector<std::string>{"MenuCommand", "MenuPopup"}), sound.Played());
}

TEST(SoundPlayerTest, AFailedThreadLeavesThePlayerUsable)
{
    FakeSoundSystem sound;
    sound.FailThreads(true);
    g_SoundPlayer->PlaySound(CExtSoundPlayer::kSoundMenuPopup);
    EXPECT_TRUE(CExtSoundPlayer::IsFree());
    EXPECT_TRUE(sound.Played().empty());

    sound.FailThreads(false);
    g_SoundPlayer->PlaySound(CExtSoundPlayer::kSoundMenuCommand);
    ASSERT_TRUE(sound.WaitUntilFree());
    EXPECT_EQ(std::vector<std::string>{"MenuCommand"}, sound.Played());
}

} // namespace
