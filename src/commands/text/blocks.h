#pragma once

#include "commands/snippet.h"

#include <optional>

// Paragraph, horizontal rule and the two formatting containers.
namespace commands {

// "<p align=...>" with the selection on its own indented line.
std::optional<Snippet> paragrafo(Asker& asker);
// "<div class=...>" with the selection on its own indented line.
std::optional<Snippet> container_div(Asker& asker);
// "<span class=... id=...>" around the selection, no line breaks.
std::optional<Snippet> container_span(Asker& asker);
// "<hr ...>" before the selection.
std::optional<Snippet> div_line(Asker& asker);

} // namespace commands
