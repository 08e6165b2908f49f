#include "command/TrainingMode.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kTemplate[] =
    "<job>\r\n<script language=\"VBScript\">\r\n$$CODE\r\n</script>\r\n</job>\r\n";

std::string Build(const char* templateText, const char* code)
{
    return BuildTrainingScript(templateText, code).Text();
}

}  // namespace

TEST(TrainingModeTest, PrintShorthandInTheUsersCodeBecomesWscriptEcho)
{
    EXPECT_EQ("<job>\r\n<script language=\"VBScript\">\r\nWscript.Echo \"こんにちは\"\r\n</script>\r\n</job>\r\n",
              Build(kTemplate, "$print \"こんにちは\""));
}

TEST(TrainingModeTest, TemplateWithoutPlaceholderRunsUnchanged)
{
    const char plain[] = "<job><script language=\"VBScript\">x = 1</script></job>";
    EXPECT_EQ(plain, Build(plain, "$print \"ignored\""));
    EXPECT_EQ("", Build("", "$print 1"));
}

TEST(TrainingModeTest, ShorthandWordsAreCaseSensitiveAndExpandedInTheTemplateToo)
{
    EXPECT_EQ("Wscript.Echo 1\r\nIf e Then Wscript.Quit 2\r\n$PRINT 3 $Quit",
              Build("$print 1\r\n$$CODE", "If e Then $quit 2\r\n$PRINT 3 $Quit"));
}

TEST(TrainingModeTest, EveryPlaceholderGetsTheCodeAndTheCodeIsNotExpandedAgain)
{
    EXPECT_EQ("[$$CODE表][$$CODE表]", Build("[$$CODE][$$CODE]", "$$CODE表"));
    EXPECT_EQ("[]", Build("[$$CODE]", ""));
    EXPECT_EQ("[$$code]", Build("[$$code]", "x"));
}
