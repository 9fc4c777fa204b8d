#include "commands/registry.h"
#include "commands/text/blocks.h"
#include "commands/text/links.h"
#include "commands/text/lists.h"
#include "commands/text/page.h"
#include "commands/text/phrase.h"

namespace {

constexpr NamedCommand kTextCommands[] = {
    // Phrase elements, the comment and the page title.
    {"abbreviazione", &commands::abbreviazione},
    {"acronimo", &commands::acronimo},
    {"indirizzo", &commands::indirizzo},
    {"citazione", &commands::citazione},
    {"codice", &commands::codice},
    {"sample_code", &commands::sample_code},
    {"variabile", &commands::variabile},
    {"definizione", &commands::definizione},
    {"txt_user", &commands::txt_user},
    {"one_line", &commands::one_line},
    {"space_pre", &commands::space_pre},
    {"commento", &commands::commento},
    {"tile", &commands::tile},
    // Blocks and layout.
    {"paragrafo", &commands::paragrafo},
    {"container_div", &commands::container_div},
    {"container_span", &commands::container_span},
    {"div_line", &commands::div_line},
    // Lists.
    {"numbered_list", &commands::numbered_list},
    {"unumberd_list", &commands::unumberd_list},
    {"list_definition", &commands::list_definition},
    // Links.
    {"anchor", &commands::anchor},
    {"link", &commands::link},
    {"link_mail", &commands::link_mail},
    // Page skeleton.
    {"pgtag_complete", &commands::pgtag_complete},
    {"corpo", &commands::corpo},
};

} // namespace

std::span<const NamedCommand> text_commands() {
    return kTextCommands;
}
