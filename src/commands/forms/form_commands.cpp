#include "commands/forms/form_commands.h"

#include "commands/registry.h"

namespace {

constexpr NamedCommand kFormCommands[] = {
    {"form_tag", &commands::form_tag}, {"input_t", &commands::input_t},
    {"tasto", &commands::tasto},       {"text_area", &commands::text_area},
    {"menu_t", &commands::menu_t},     {"elenco", &commands::elenco},
};

} // namespace

std::span<const NamedCommand> form_commands() {
    return kFormCommands;
}
