#include "document/browser_copy.h"

#include <gtest/gtest.h>

namespace {

struct CopyCase {
    const char* name;
    QByteArray text;
    QByteArray copy; // {B} stands for the <base>, {C} for the copy's address
};

class BrowserCopy : public testing::TestWithParam<CopyCase> {};

TEST_P(BrowserCopy, BaseInTheHeadInPageLinksToTheCopyAndTheOneStylesheet) {
    QByteArray expected = GetParam().copy;
    expected.replace("{B}", "<base href=\"file:///sito/la%20mia/i.htm%3Fa=1&amp;b=%22\">")
        .replace("{C}", "file:///run/anteprima.htm");
    EXPECT_EQ(browser_copy(GetParam().text,
                           QUrl::fromLocalFile(QStringLiteral("/sito/la mia/i.htm?a=1&b=\"")),
                           QUrl::fromLocalFile(QStringLiteral("/run/anteprima.htm")),
                           QStringLiteral("/c/marklet/tmp.css"))
                  .toStdString(),
              expected.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Pages, BrowserCopy,
    testing::Values(
        CopyCase{"AfterHead", "<!DOCTYPE html><html><HEAD lang=it><title>",
                 "<!DOCTYPE html><html><HEAD lang=it>{B}<title>"},
        CopyCase{"AfterDoctypeWithoutHead", " <!doctype html><header>x",
                 " <!doctype html>{B}<header>x"},
        CopyCase{"AtStartOtherwise", "<p>x</p>", "{B}<p>x</p>"},
        CopyCase{"Links",
                 "<head><a href=\"#a\"><a HREF = '#b'><a href=#c><use xlink:href=\"#d\"><a "
                 "href=\"x.htm#e\"><b data-href=\"#f\">",
                 "<head>{B}<a href=\"{C}#a\"><a HREF = '{C}#b'><a href={C}#c><use "
                 "xlink:href=\"{C}#d\"><a href=\"x.htm#e\"><b data-href=\"#f\">"},
        // Links that earlier versions wrote name the one stylesheet.
        CopyCase{"EarlierStylesheetLinks",
                 "<link href=\"/c/marklet/run-12-34-ab0c/tmp.css\"><link href="
                 "file:///c/marklet/run-1-2-3/tmp.css><link href=/c/marklet/run-1/a.css>",
                 "{B}<link href=\"/c/marklet/tmp.css\"><link href="
                 "file:///c/marklet/tmp.css><link href=/c/marklet/run-1/a.css>"}),
    [](const testing::TestParamInfo<CopyCase>& info) { return info.param.name; });

} // namespace
