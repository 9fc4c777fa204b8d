#include "command_case.h"

namespace {

using asked::Case;
using asked::input;
using asked::pick;
using asked::Rows;

const Rows kImage{
    "immagine",
    {
        pick("Allineamento dell'immagine", {"absbottom", "absmiddle", "baseline", "bottom", "left",
                                            "middle", "right", "texttop", "top"}),
        input("Url dell'immagine"),
        input("Testo alternativo all'immagine, usato anche come tooltip"),
        input("Spessore Bordo"),
        input("Url per la descrizione dell'immagine"),
        input("Nome per la manipolazione dell'immagine"),
        input("Altezza immagine"),
        input("Margine sinistro e destro dell'immagine"),
        input("Larghezza immagine"),
        input("Margine superiore e inferiore dell'immagine"),
    }};
const Rows kScript{"script",
                   {input("Url dello script"),
                    pick("Seleziona il tipo di script",
                         {"text/javascript", "text/jscript", "text/vbscript", "text/ecmascript"})},
                   "\r\n</script>"};

class ImageOrScriptCommand : public testing::TestWithParam<Case> {};

TEST_P(ImageOrScriptCommand, BuildsItsTag) {
    asked::check(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    ImageAndScript, ImageOrScriptCommand,
    testing::Values(
        kImage("ImageEveryAnswerEmpty", {}, "<img>"),
        kImage("ImageEveryAttributeInQuestionOrderNumbersRead",
               {"absmiddle", "a.png", "A", "1px", "desc.html", "logo", "10px", "2 px", "20%",
                "3e0"},
               "<img align=\"absmiddle\" src=\"a.png\" alt=\"A\" border=\"1\" "
               "longdesc=\"desc.html\" name=\"logo\" height=\"10\" hspace=\"2\" width=\"20\" "
               "vspace=\"3\">"),
        kScript("ScriptBothEmpty", {}, "<script>\r\n\t"),
        kScript("ScriptSourceAndType", {" lib.vbs ", "text/vbscript"},
                "<script src=\" lib.vbs \" type=\"text/vbscript\">\r\n\t")),
    asked::case_name);

} // namespace
