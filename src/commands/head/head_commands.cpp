#include "commands/registry.h"

std::span<const NamedCommand> head_commands() {
    return {};
}
