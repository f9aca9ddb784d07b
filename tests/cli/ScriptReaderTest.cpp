// The monitor's script lines read as commands: good lines become commands,
// and the first bad one is named by its line number.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/CliScriptReader.h"

namespace quelda {
namespace {

TEST(ScriptReaderTest, GoodLinesBecomeCommands) {
    CScriptReader reader;
    reader.Append("# comment\n\ncmd X,1*\r\nline a\\tb\nsleep 250\nbutton 0\n");
    reader.Append("request 9600 8 NO 1\nquit");
    reader.End();
    std::vector<ScriptCommand> commands;
    while (reader.HasLine()) {
        ScriptCommand command;
        std::string error;
        ASSERT_TRUE(reader.TakeCommand(command, error)) << error;
        commands.push_back(command);
    }
    ASSERT_EQ(commands.size(), 8u);
    EXPECT_EQ(commands[0].verb, ScriptVerb::None);
    EXPECT_EQ(commands[1].verb, ScriptVerb::None);
    EXPECT_EQ(commands[2].verb, ScriptVerb::Cmd);
    EXPECT_EQ(commands[2].text, "X,1*");
    EXPECT_EQ(commands[3].text, "a\tb");
    EXPECT_EQ(commands[4].verb, ScriptVerb::Sleep);
    EXPECT_EQ(commands[4].number, 250);
    EXPECT_EQ(commands[5].verb, ScriptVerb::Button);
    EXPECT_EQ(commands[5].number, 0);
    EXPECT_EQ(commands[6].words, (std::vector<std::string>{"9600", "8", "NO", "1"}));
    EXPECT_EQ(commands[7].verb, ScriptVerb::Quit);
}

TEST(ScriptReaderTest, TheFirstBadLineIsNamedByItsNumber) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"cnd X", "unknown command \"cnd\""},
        {"CMD X", "unknown command \"CMD\""},
        {"cmd", "cmd needs a command"},
        {"wait  ", "wait needs a command"},
        {"sleep soon", "sleep needs a number of 0 or more"},
        {"sleep -5", "sleep needs a number of 0 or more"},
        {"button 1 2", "button needs a number of 0 or more"},
        {"button 99999999999", "button needs a number of 0 or more"},
        {"request 9600 8", "request needs baud rate, data bits, parity and stop bits"},
        {"quit now", "quit takes nothing after it"},
    };
    for (const auto& [line, what] : cases) {
        CScriptReader reader;
        reader.Append("# first\nline ok\n" + line + "\n");
        ScriptCommand command;
        std::string error;
        ASSERT_TRUE(reader.TakeCommand(command, error));
        ASSERT_TRUE(reader.TakeCommand(command, error));
        EXPECT_FALSE(reader.TakeCommand(command, error)) << line;
        EXPECT_EQ(error, "script line 3: " + what) << line;
        EXPECT_EQ(command.verb, ScriptVerb::None) << line;
    }
}

}  // namespace
}  // namespace quelda
