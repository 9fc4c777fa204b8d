#include "command_case.h"

namespace {

using command_case::Case;
using command_case::input;
using command_case::kTargetPick;
using command_case::Rows;

class LinkCommand : public testing::TestWithParam<Case> {};

TEST_P(LinkCommand, AsksItsQuestionsAndBuildsTheAnchor) {
    command_case::check(GetParam());
}

const QString kLinkText = input("Testo del collegamento");
const Rows kAnchor{
    "anchor", {input("Nome Ancora", "ancora"), input("Testo Ancora", "testo")}, "</a>"};
const Rows kLink{"link",
                 {input("Nome URL, dare #nome_ancora per la stessa pagina"), kTargetPick,
                  input("ToolTip link"), kLinkText},
                 "</a>"};
const Rows kMail{
    "link_mail",
    {input("Indirizzo di posta del destinatario"), input("Oggetto della mail"), kLinkText},
    "</a>"};

INSTANTIATE_TEST_SUITE_P(
    Links, LinkCommand,
    testing::Values(
        kAnchor("AnchorDefaultsConfirmed", {"ancora", "testo"}, "<A name=\"ancora\">testo"),
        kAnchor("AnchorEmptyTextKept", {"a", ""}, "<A name=\"a\">"),
        kAnchor.stop("AnchorBlankNameStops", {"   ", "testo"}, 1),
        kLink("LinkSamePageWithoutTargetOrTooltip", {"#top", "", "", "Su"}, "<A href=\"#top\">Su"),
        kLink("LinkEveryAnswerGiven", {"p", "_blank", "t", "x"},
              "<A href=\"p\" target=\"_blank\" title=\"t\">x"),
        kLink.stop("LinkAddressCancelledStops", {"", "_top", "t", "x"}, 1),
        kMail("MailSubjectNotEncoded", {"x", "y z", "t"}, "<A href=\"mailto:x?subject=y z\">t"),
        kMail("MailBlankSubjectLeftOut", {"x", "  ", ""}, "<A href=\"mailto:x\">"),
        kMail.stop("MailAddressBlankStops", {" ", "y", "t"}, 1)),
    command_case::case_name);

} // namespace
