#include <gtest/gtest.h>

#include "TestText.h"
#include "localization/TextTable.h"

namespace {

// Message templates come from a translator's file: only the first %s is
// special, every other '%' is ordinary text, so %n or %d can do no harm.
TEST(MessageTemplate, SubstitutesTheFirstPercentSOnly) {
    struct Case {
        const char16_t* templ;
        const char16_t* expected;
    } cases[] = {
        {u"Cannot open %s.", u"Cannot open C:\\P\\Profile1.cfg."},
        {u"%s", u"C:\\P\\Profile1.cfg"},
        {u"%s and %s", u"C:\\P\\Profile1.cfg and %s"},
        {u"%n%d%x %s %p", u"%n%d%x C:\\P\\Profile1.cfg %p"},
        {u"100% sure: %s", u"100% sure: C:\\P\\Profile1.cfg"},
        {u"%%s", u"%C:\\P\\Profile1.cfg"},
        {u"No path here", u"No path here"},
        {u"%", u"%"},
        {u"", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatMessageTemplate(c.templ, u"C:\\P\\Profile1.cfg"), c.expected) << Narrow(c.templ);
    }
}

TEST(MessageTemplate, ArgumentIsInsertedVerbatim) {
    EXPECT_EQ(FormatMessageTemplate(u"[%s]", u"%s%n%d"), u"[%s%n%d]");
}

}  // namespace
