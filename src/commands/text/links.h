#pragma once

#include "commands/snippet.h"

#include <optional>

// Anchors: "<A ...>text" before the selection, "</a>" after it. Each needs its
// first answer (name, address, mail address); without it nothing is inserted.
// `link` is also a POSIX function, hence the namespace.
namespace commands {

std::optional<Snippet> anchor(Asker& asker);
std::optional<Snippet> link(Asker& asker);
std::optional<Snippet> link_mail(Asker& asker);

} // namespace commands
