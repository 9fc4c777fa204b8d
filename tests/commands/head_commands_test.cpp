#include "command_case.h"

namespace {

using command_case::Case;
using command_case::input;
using command_case::kTargetPick;
using command_case::Rows;

class HeadCommand : public testing::TestWithParam<Case> {};

TEST_P(HeadCommand, AsksItsQuestionsAndWritesTheElementBeforeTheSelection) {
    command_case::check(GetParam());
}

const Rows kBase{"base_addr",
                 {input("URL di base, suffisso degli URL relativi", "URL"), kTargetPick}};
const Rows kLink{"lnk_tag",
                 {input("URL del file da includere"), input("Set di caratteri del link"),
                  input("Linguaggio in uso nel link"),
                  input("Relazione tra la pagina attuale ed il lik"),
                  input("Link di ritorno per il link")}};
const Rows kMeta{"meta_tag",
                 {input("Nome del contenuto che si vuole restituire"),
                  input("Valore del contenuto"), input("HTTP-EQUIV")}};
const Rows kExt{"ext_file",
                {input("Url del file esterno"), input("Relazione del file esterno"),
                 input("Tipo del file esterno")}};

INSTANTIATE_TEST_SUITE_P(
    Head, HeadCommand,
    testing::Values(
        kBase("BaseDefaultConfirmedNoTarget", {"URL", ""}, "<base href=\"URL\">"),
        kBase("BaseAddressAndTarget", {"/docs/", "_top"}, "<base href=\"/docs/\" target=\"_top\">"),
        kBase.stop("BaseAddressBlankNoPicker", {"  ", "_top"}, 1),
        kLink("LinkEveryAttributeInOrder", {"a.html", "utf-8", "it", "next", "prev"},
              "<link href=\"a.html\" charset=\"utf-8\" hreflang=\"it\" rel=\"next\" "
              "rev=\"prev\">"),
        kLink.stop("LinkAddressEmptyStops", {"", "utf-8", "it", "next", "prev"}, 1),
        kMeta("MetaAllEmptyStillInserted", {"", "", ""}, "<meta>"),
        kMeta("MetaEveryAttributeHttpEquivInLowerCase", {"description", "0; url=a.html", "refresh"},
              "<meta name=\"description\" content=\"0; url=a.html\" http-equiv=\"refresh\">"),
        kExt("ExtEveryAttribute", {"a.css", "stylesheet", "text/css"},
             "<link href=\"a.css\" rel=\"stylesheet\" type=\"text/css\">"),
        kExt("ExtOnlyAddress", {"a.js", "", ""}, "<link href=\"a.js\">"),
        kExt.stop("ExtAddressEmptyStops", {"", "stylesheet", "text/css"}, 1)),
    command_case::case_name);

} // namespace
