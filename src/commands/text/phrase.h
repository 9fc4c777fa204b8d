#pragma once

#include "commands/snippet.h"

#include <optional>

// Phrase elements that ask for their own text and put it between the opening
// tag and the selection; the comment and the page title are built the same way.
namespace commands {

std::optional<Snippet> citazione(Asker& asker);
std::optional<Snippet> codice(Asker& asker);
std::optional<Snippet> sample_code(Asker& asker);
std::optional<Snippet> variabile(Asker& asker);
std::optional<Snippet> definizione(Asker& asker);
std::optional<Snippet> txt_user(Asker& asker);
std::optional<Snippet> indirizzo(Asker& asker);
std::optional<Snippet> one_line(Asker& asker);
std::optional<Snippet> space_pre(Asker& asker);
std::optional<Snippet> tile(Asker& asker);

// "<abbr title=...>" / "<acronym title=...>" with the short form as content.
std::optional<Snippet> abbreviazione(Asker& asker);
std::optional<Snippet> acronimo(Asker& asker);

// "<!--" + text before the selection, "-->" after it; a blank text is dropped.
std::optional<Snippet> commento(Asker& asker);

} // namespace commands
