#pragma once

#include "commands/snippet.h"

#include <optional>

// Elements that tie a page to other resources. Each is written whole in front
// of the selection (empty closing text).
namespace commands {

// "<base href=... target=...>"; nothing without an address.
std::optional<Snippet> base_addr(Asker& asker);
// "<link href=... charset=... hreflang=... rel=... rev=...>"; nothing without an address.
std::optional<Snippet> lnk_tag(Asker& asker);
// "<meta name=... content=... http-equiv=...>", always inserted.
std::optional<Snippet> meta_tag(Asker& asker);
// "<link href=... rel=... type=...>"; nothing without an address.
std::optional<Snippet> ext_file(Asker& asker);

} // namespace commands
