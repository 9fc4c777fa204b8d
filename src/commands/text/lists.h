#pragma once

#include "commands/snippet.h"

#include <optional>

// Lists built from repeated questions. The whole list goes before the
// selection; a list without entries is not inserted.
namespace commands {

std::optional<Snippet> numbered_list(Asker& asker);
std::optional<Snippet> unumberd_list(Asker& asker);
std::optional<Snippet> list_definition(Asker& asker);

} // namespace commands
