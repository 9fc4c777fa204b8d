#include "commands/registry.h"

std::span<const NamedCommand> form_commands() {
    return {};
}
