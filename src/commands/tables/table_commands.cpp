#include "commands/tables/table_commands.h"

#include "commands/registry.h"

namespace {

constexpr NamedCommand kTableCommands[] = {
    {"tabella", &commands::tabella},     {"ins_riga", &commands::ins_riga},
    {"ins_cella", &commands::ins_cella}, {"immagine", &commands::immagine},
    {"script", &commands::script},
};

} // namespace

std::span<const NamedCommand> table_commands() {
    return kTableCommands;
}
