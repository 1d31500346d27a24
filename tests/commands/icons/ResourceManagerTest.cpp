#include <gtest/gtest.h>

#include "framework/commands/ResourceManager.h"

TEST(ResourceManagerHolder, MakesOneDefaultManager)
{
    CExtResourceManager* first = g_ResourceManager.GetManager();
    EXPECT_EQ(first, g_ResourceManager.GetManager());
    EXPECT_FALSE(first->IsLanguageSelectionEnabled());
    EXPECT_EQ(1033, first->GetLanguage());
}
