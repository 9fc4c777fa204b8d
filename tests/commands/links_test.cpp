#include "command_case.h"

namespace {

using command_case::Case;
using command_case::input;
using command_case::kTargetPick;

class LinkCommand : public testing::TestWithParam<Case> {};

TEST_P(LinkCommand, AsksItsQuestionsAndBuildsTheAnchor) {
    command_case::check(GetParam());
}

const QString kName = input("Nome Ancora", "ancora");
const QString kAnchorText = input("Testo Ancora", "testo");
const QString kUrl = input("Nome URL, dare #nome_ancora per la stessa pagina");
const QString kTooltip = input("ToolTip link");
const QString kLinkText = input("Testo del collegamento");
const QString kMail = input("Indirizzo di posta del destinatario");
const QString kSubject = input("Oggetto della mail");

INSTANTIATE_TEST_SUITE_P(
    Anchor, LinkCommand,
    testing::Values(
        Case{"DefaultsConfirmed",
             "anchor",
             {"ancora", "testo"},
             {kName, kAnchorText},
             Snippet{"<A name=\"ancora\">testo", "</a>"}},
        Case{"EmptyTextKept",
             "anchor",
             {"a", ""},
             {kName, kAnchorText},
             Snippet{"<A name=\"a\">", "</a>"}},
        Case{"NameCancelledStops", "anchor", {"", "testo"}, {kName}, std::nullopt, {"testo"}},
        Case{"BlankNameStops", "anchor", {"   ", "testo"}, {kName}, std::nullopt, {"testo"}}),
    command_case::case_name);

INSTANTIATE_TEST_SUITE_P(
    Hyperlink, LinkCommand,
    testing::Values(Case{"SamePageWithoutTargetOrTooltip",
                         "link",
                         {"#top", "", "", "Su"},
                         {kUrl, kTargetPick, kTooltip, kLinkText},
                         Snippet{"<A href=\"#top\">Su", "</a>"}},
                    Case{"EveryAnswerGiven",
                         "link",
                         {"p", "_blank", "t", "x"},
                         {kUrl, kTargetPick, kTooltip, kLinkText},
                         Snippet{"<A href=\"p\" target=\"_blank\" title=\"t\">x", "</a>"}},
                    Case{"AddressKeepsItsSpaces",
                         "link",
                         {" x ", "", " ", ""},
                         {kUrl, kTargetPick, kTooltip, kLinkText},
                         Snippet{"<A href=\" x \">", "</a>"}},
                    Case{"AddressCancelledStops",
                         "link",
                         {"", "_top", "t", "x"},
                         {kUrl},
                         std::nullopt,
                         {"_top", "t", "x"}}),
    command_case::case_name);

INSTANTIATE_TEST_SUITE_P(
    Mail, LinkCommand,
    testing::Values(
        Case{"SubjectNotEncoded",
             "link_mail",
             {"x", "y z", "t"},
             {kMail, kSubject, kLinkText},
             Snippet{"<A href=\"mailto:x?subject=y z\">t", "</a>"}},
        Case{"NoSubject",
             "link_mail",
             {"x", "", "t"},
             {kMail, kSubject, kLinkText},
             Snippet{"<A href=\"mailto:x\">t", "</a>"}},
        Case{"BlankSubjectLeftOut",
             "link_mail",
             {"x", "  ", ""},
             {kMail, kSubject, kLinkText},
             Snippet{"<A href=\"mailto:x\">", "</a>"}},
        Case{"AddressBlankStops", "link_mail", {" ", "y", "t"}, {kMail}, std::nullopt, {"y", "t"}}),
    command_case::case_name);

} // namespace
