#include "commands/registry.h"

std::span<const NamedCommand> table_commands() {
    return {};
}
