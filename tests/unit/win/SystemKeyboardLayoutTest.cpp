#include <gtest/gtest.h>

#include "TestText.h"
#include "buttons/KeyNames.h"
#include "platform/KeyboardLayout.h"

namespace {

// The test machine runs a US keyboard layout.
TEST(SystemKeyboardLayout, GivesTheCharactersOfTheUsLayout) {
    EXPECT_EQ(KeyDisplayName(0x41), u"A");
    EXPECT_EQ(KeyDisplayName(0x37), u"7");
    EXPECT_EQ(KeyDisplayName(0xBA), u";");
    EXPECT_EQ(KeyDisplayName(0xDE), u"'");
    EXPECT_EQ(CombinationText(15, 0x41, true), u"Ctrl + Alt + Shift + Win + A");
}

}  // namespace
