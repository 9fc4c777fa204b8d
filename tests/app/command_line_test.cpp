// The command line: files to open, --help and --version, and "--" before a
// file whose name starts with a dash.

#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* arguments; // separated by '|'
    CommandLine::Action action;
    const char* files; // separated by '|'
};

QStringList split(const char* text) {
    return QString::fromUtf8(text).split(u'|', Qt::SkipEmptyParts);
}

class ReadCommandLine : public testing::TestWithParam<Case> {};

TEST_P(ReadCommandLine, TellsTheActionAndTheFiles) {
    const CommandLine line = read_command_line(split(GetParam().arguments));
    EXPECT_EQ(line.action, GetParam().action);
    EXPECT_EQ(line.files, split(GetParam().files));
}

using A = CommandLine::Action;
INSTANTIATE_TEST_SUITE_P(
    Arguments, ReadCommandLine,
    testing::Values(Case{"", A::Run, ""}, Case{"a.htm", A::Run, "a.htm"},
                    Case{"a.htm|b b.css|c.htm", A::Run, "a.htm|b b.css|c.htm"},
                    Case{"--help", A::Help, ""}, Case{"-h|a.htm", A::Help, "a.htm"},
                    Case{"--version", A::Version, ""}, Case{"--version|--help", A::Help, ""},
                    Case{"-x|--version", A::Version, ""},
                    Case{"a.htm|--bad", A::BadOption, "a.htm"},
                    Case{"--|--help|-x.htm", A::Run, "--help|-x.htm"},
                    Case{"-|a.htm", A::Run, "-|a.htm"}, Case{"a.htm|--|--", A::Run, "a.htm|--"}));

TEST(ReadCommandLine, NamesTheFirstOptionNotUnderstood) {
    EXPECT_EQ(read_command_line({"a.htm", "--bad", "-x"}).bad_option, QStringLiteral("--bad"));
}

} // namespace
