#pragma once

#include "commands/snippet.h"

#include <optional>

// The table commands of the "&Tool" menu and the image and script commands of
// the "&Varie" menu, each named after its menu item.
namespace commands {

// "<table ...>" around the selection, which stands on its own indented line.
std::optional<Snippet> tabella(Asker& asker);
// "<tr ...>" around the selection, on its own indented line.
std::optional<Snippet> ins_riga(Asker& asker);
// "<td ...>" around the selection, on its own indented line.
std::optional<Snippet> ins_cella(Asker& asker);
// One "<img ...>" tag before the selection.
std::optional<Snippet> immagine(Asker& asker);
// "<script ...>" around the selection, which becomes the indented code.
std::optional<Snippet> script(Asker& asker);

} // namespace commands
