// The command line: files to open, --help and --version, options not
// understood, and "--" before a file whose name starts with a dash.

#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* arguments; // separated by '|'
    CommandLine::Action action;
    const char* files; // separated by '|'
    const char* bad_option;
};

QStringList split(const char* text) {
    return QString::fromUtf8(text).split(u'|', Qt::SkipEmptyParts);
}

class ReadCommandLine : public testing::TestWithParam<Case> {};

TEST_P(ReadCommandLine, TellsTheActionAndTheFiles) {
    const CommandLine line = read_command_line(split(GetParam().arguments));
    EXPECT_EQ(line.action, GetParam().action);
    EXPECT_EQ(line.files, split(GetParam().files));
    EXPECT_EQ(line.bad_option, QString::fromUtf8(GetParam().bad_option));
}

using A = CommandLine::Action;
INSTANTIATE_TEST_SUITE_P(Arguments, ReadCommandLine,
                         testing::Values(Case{"", A::Run, "", ""},
                                         Case{"a.htm|b b.css|c", A::Run, "a.htm|b b.css|c", ""},
                                         Case{"-h|a.htm", A::Help, "a.htm", ""},
                                         Case{"--version", A::Version, "", ""},
                                         Case{"--version|--help", A::Help, "", ""},
                                         Case{"-x|--version", A::Version, "", "-x"},
                                         Case{"a.htm|--bad|-y", A::BadOption, "a.htm", "--bad"},
                                         Case{"--|--help|-x.htm", A::Run, "--help|-x.htm", ""},
                                         Case{"-|a.htm", A::Run, "-|a.htm", ""},
                                         Case{"a|--|--", A::Run, "a|--", ""}));

} // namespace
