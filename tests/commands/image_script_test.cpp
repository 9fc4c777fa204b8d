#include "command_case.h"

namespace {

using asked::Case;
using asked::input;
using asked::pick;

const QStringList kImageQuestions = {
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
};

const QStringList kScriptQuestions = {
    input("Url dello script"),
    pick("Seleziona il tipo di script",
         {"text/javascript", "text/jscript", "text/vbscript", "text/ecmascript"}),
};

Snippet image(const char* open) {
    return Snippet{open, {}};
}
Snippet script(const char* open) {
    return Snippet{open, "\r\n</script>"};
}

class ImageOrScriptCommand : public testing::TestWithParam<Case> {};

TEST_P(ImageOrScriptCommand, BuildsItsTag) {
    asked::check(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    ImageAndScript, ImageOrScriptCommand,
    testing::Values(
        Case{"ImageEveryAnswerEmpty", "immagine", {}, kImageQuestions, image("<img>")},
        Case{"ImageSomeAttributes",
             "immagine",
             {"top", "foto.jpg", "Foto", "0", "", "", "120", "", "200", ""},
             kImageQuestions,
             image("<img align=\"top\" src=\"foto.jpg\" alt=\"Foto\" height=\"120\" "
                   "width=\"200\">")},
        Case{"ImageEveryAttributeInQuestionOrder",
             "immagine",
             {"absmiddle", "a.png", "A", "1", "desc.html", "logo", "10", "2", "20", "3"},
             kImageQuestions,
             image("<img align=\"absmiddle\" src=\"a.png\" alt=\"A\" border=\"1\" "
                   "longdesc=\"desc.html\" name=\"logo\" height=\"10\" hspace=\"2\" width=\"20\" "
                   "vspace=\"3\">")},
        Case{"ImageWidthIsANumberHeightWithoutNumberLeftOut",
             "immagine",
             {"", "", "", "", "", "", "abc", "-4", "50%", "0"},
             kImageQuestions,
             image("<img width=\"50\">")},
        Case{"ImageTextsWrittenUnchanged",
             "immagine",
             {"", " x.gif ", "say \"hi\" <b>", "", "", "", "", "", "", ""},
             kImageQuestions,
             image("<img src=\" x.gif \" alt=\"say \"hi\" <b>\">")},
        Case{"ScriptBothEmpty", "script", {}, kScriptQuestions, script("<script>\r\n\t")},
        Case{"ScriptTypeOnly",
             "script",
             {"", "text/javascript"},
             kScriptQuestions,
             script("<script type=\"text/javascript\">\r\n\t")},
        Case{"ScriptSourceOnly",
             "script",
             {"lib.js", ""},
             kScriptQuestions,
             script("<script src=\"lib.js\">\r\n\t")},
        Case{"ScriptSourceAndType",
             "script",
             {" lib.vbs ", "text/vbscript"},
             kScriptQuestions,
             script("<script src=\" lib.vbs \" type=\"text/vbscript\">\r\n\t")}),
    asked::case_name);

} // namespace
