#include "commands/registry.h"

TagCommand find_command(QAnyStringView name) {
    for (const auto group : {text_commands(), head_commands(), form_commands(), table_commands()}) {
        for (const NamedCommand& command : group) {
            if (name == QLatin1StringView(command.name))
                return command.run;
        }
    }
    return nullptr;
}
