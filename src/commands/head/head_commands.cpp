#include "commands/head/head.h"
#include "commands/registry.h"

namespace {

constexpr NamedCommand kHeadCommands[] = {
    {"base_addr", &commands::base_addr},
    {"lnk_tag", &commands::lnk_tag},
    {"meta_tag", &commands::meta_tag},
    {"ext_file", &commands::ext_file},
};

} // namespace

std::span<const NamedCommand> head_commands() {
    return kHeadCommands;
}
