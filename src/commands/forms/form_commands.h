#pragma once

#include "commands/snippet.h"

#include <optional>

// The commands of the "&Form" menu, each named after its menu item.
namespace commands {

// "<form ...>" around the selection, which stands on its own indented line.
std::optional<Snippet> form_tag(Asker& asker);
// One "<input ...>" tag; nothing when the name or the default value is left empty.
std::optional<Snippet> input_t(Asker& asker);
// "<button ...>caption" before the selection, "</button>" after it.
std::optional<Snippet> tasto(Asker& asker);
// "<textarea ...>text" before the selection, "</textarea>" after it.
std::optional<Snippet> text_area(Asker& asker);
// A whole "<select>" with its options; nothing when no option was given.
std::optional<Snippet> menu_t(Asker& asker);
// A whole "<optgroup>" with its options, also when it has none.
std::optional<Snippet> elenco(Asker& asker);

} // namespace commands
