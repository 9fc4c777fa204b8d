#include "command_case.h"

namespace {

using command_case::Case;
using command_case::input;
using command_case::kTargetPick;

class HeadCommand : public testing::TestWithParam<Case> {};

TEST_P(HeadCommand, AsksItsQuestionsAndWritesTheElementBeforeTheSelection) {
    command_case::check(GetParam());
}

const QString kBase = input("URL di base, suffisso degli URL relativi", "URL");
const QStringList kLinkQuestions = {
    input("URL del file da includere"), input("Set di caratteri del link"),
    input("Linguaggio in uso nel link"), input("Relazione tra la pagina attuale ed il lik"),
    input("Link di ritorno per il link")};
const QStringList kMetaQuestions = {input("Nome del contenuto che si vuole restituire"),
                                    input("Valore del contenuto"), input("HTTP-EQUIV")};
const QStringList kExtQuestions = {input("Url del file esterno"),
                                   input("Relazione del file esterno"),
                                   input("Tipo del file esterno")};

INSTANTIATE_TEST_SUITE_P(
    Base, HeadCommand,
    testing::Values(
        Case{"DefaultConfirmedNoTarget",
             "base_addr",
             {"URL", ""},
             {kBase, kTargetPick},
             Snippet{"<base href=\"URL\">", ""}},
        Case{"AddressAndTarget",
             "base_addr",
             {"/docs/", "_top"},
             {kBase, kTargetPick},
             Snippet{"<base href=\"/docs/\" target=\"_top\">", ""}},
        Case{
            "AddressCancelledNoPicker", "base_addr", {"", "_top"}, {kBase}, std::nullopt, {"_top"}},
        Case{"AddressBlankNoPicker", "base_addr", {"  ", "_top"}, {kBase}, std::nullopt, {"_top"}}),
    command_case::case_name);

INSTANTIATE_TEST_SUITE_P(
    Link, HeadCommand,
    testing::Values(Case{"StylesheetRelation",
                         "lnk_tag",
                         {"style.css", "", "", "stylesheet", ""},
                         kLinkQuestions,
                         Snippet{"<link href=\"style.css\" rel=\"stylesheet\">", ""}},
                    Case{"EveryAttributeInOrder",
                         "lnk_tag",
                         {"a.html", "utf-8", "it", "next", "prev"},
                         kLinkQuestions,
                         Snippet{"<link href=\"a.html\" charset=\"utf-8\" hreflang=\"it\" "
                                 "rel=\"next\" rev=\"prev\">",
                                 ""}},
                    Case{"AddressEmptyStops",
                         "lnk_tag",
                         {"", "utf-8", "it", "next", "prev"},
                         {kLinkQuestions.first()},
                         std::nullopt,
                         {"utf-8", "it", "next", "prev"}},
                    Case{"AddressWithQuoteAsTyped",
                         "lnk_tag",
                         {"a \"b\".css", "", "", "", ""},
                         kLinkQuestions,
                         Snippet{"<link href=\"a \"b\".css\">", ""}}),
    command_case::case_name);

INSTANTIATE_TEST_SUITE_P(
    Meta, HeadCommand,
    testing::Values(Case{"AllEmptyStillInserted",
                         "meta_tag",
                         {"", "", ""},
                         kMetaQuestions,
                         Snippet{"<meta>", ""}},
                    Case{"NameAndContent",
                         "meta_tag",
                         {"description", "Pagina di prova", ""},
                         kMetaQuestions,
                         Snippet{"<meta name=\"description\" content=\"Pagina di prova\">", ""}},
                    Case{"HttpEquivInLowerCase",
                         "meta_tag",
                         {" ", "0; url=a.html", "refresh"},
                         kMetaQuestions,
                         Snippet{"<meta content=\"0; url=a.html\" http-equiv=\"refresh\">", ""}}),
    command_case::case_name);

INSTANTIATE_TEST_SUITE_P(
    ExternalFile, HeadCommand,
    testing::Values(Case{"EveryAttribute",
                         "ext_file",
                         {"a.css", "stylesheet", "text/css"},
                         kExtQuestions,
                         Snippet{"<link href=\"a.css\" rel=\"stylesheet\" type=\"text/css\">", ""}},
                    Case{"OnlyAddress",
                         "ext_file",
                         {"a.js", "", ""},
                         kExtQuestions,
                         Snippet{"<link href=\"a.js\">", ""}},
                    Case{"AddressEmptyStops",
                         "ext_file",
                         {"", "stylesheet", "text/css"},
                         {kExtQuestions.first()},
                         std::nullopt,
                         {"stylesheet", "text/css"}}),
    command_case::case_name);

} // namespace
