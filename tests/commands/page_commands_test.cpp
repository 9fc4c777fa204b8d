#include "command_case.h"

namespace {

using command_case::Case;
using command_case::colour;
using command_case::input;
using command_case::kTargetPick;
using command_case::Rows;

class PageCommand : public testing::TestWithParam<Case> {};

TEST_P(PageCommand, AsksItsQuestionsAndFramesTheSelection) {
    command_case::check(GetParam());
}

const Rows kBody{"corpo",
                 {
                     input("Percorso immagine di sfondo"),
                     colour("Seleziona il colore di sfondo della pagina"),
                     colour("Seleziona il colore del testo della pagina"),
                     colour("Seleziona il colore per i link della pagina"),
                     colour("Seleziona il colore per i link visitati della pagina"),
                     colour("Seleziona il colore per i link attivati della pagina"),
                     kTargetPick,
                 },
                 "\r\n</body>"};

INSTANTIATE_TEST_SUITE_P(
    Page, PageCommand,
    testing::Values(
        Case{"WholeSkeletonAsksNothing",
             "pgtag_complete",
             {},
             {},
             Snippet{"<html>\r\n<head>\r\n<title></title>\r\n</head>\r\n<body>\r\n\t",
                     "\r\n</body>\r\n</html>"}},
        // Every question is asked even when the image box was cancelled.
        kBody("BodyEverythingCancelled", {"", "", "", "", "", "", ""}, "<body>\r\n\t"),
        kBody("BodyEveryAttributeInOrder",
              {"sfondo.gif", "#FFFFFF", "#000000", "#0000FF", "#800080", "#FF0000", "_self"},
              "<body background=\"sfondo.gif\" bgcolor=\"#FFFFFF\" text=\"#000000\" "
              "link=\"#0000FF\" vlink=\"#800080\" alink=\"#FF0000\" target=\"_self\">\r\n\t")),
    command_case::case_name);

} // namespace
