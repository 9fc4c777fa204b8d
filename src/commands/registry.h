#pragma once

#include "commands/snippet.h"

#include <QAnyStringView>
#include <array>
#include <span>

// A tag command under the name of the menu item that runs it.
struct NamedCommand {
    const char* name;
    TagCommand run;
};

// The commands of each group; each group's source defines its own table.
// The commands that ask nothing (commands/text/fixed_pairs.h).
std::span<const NamedCommand> fixed_pair_commands();
std::span<const NamedCommand> text_commands();
std::span<const NamedCommand> head_commands();
std::span<const NamedCommand> form_commands();
std::span<const NamedCommand> table_commands();

// Every group above, in that order.
const std::array<std::span<const NamedCommand>, 5>& command_groups();

// The command of a menu item, or nullptr when no command bears that name.
TagCommand find_command(QAnyStringView name);
