#include "commands/registry.h"

const std::array<std::span<const NamedCommand>, 5>& command_groups() {
    static const std::array<std::span<const NamedCommand>, 5> groups = {
        fixed_pair_commands(), text_commands(), head_commands(), form_commands(), table_commands()};
    return groups;
}

TagCommand find_command(QAnyStringView name) {
    for (const auto group : command_groups()) {
        for (const NamedCommand& command : group) {
            if (name == QLatin1StringView(command.name))
                return command.run;
        }
    }
    return nullptr;
}
