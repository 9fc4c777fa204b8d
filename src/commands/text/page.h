#pragma once

#include "commands/snippet.h"

#include <optional>

// Page frame: the whole document skeleton and the body element. The selection
// stands on its own indented line inside the body.
namespace commands {

std::optional<Snippet> pgtag_complete(Asker& asker);
std::optional<Snippet> corpo(Asker& asker);

} // namespace commands
