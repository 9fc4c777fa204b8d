#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <atomic>
#include <vector>

// The page checker: libtidy's HTML checker run over the page's text, its
// findings placed on the text's lines and columns and worded for the user.
// No widgets and no shared state: it may run on any thread.

enum class Severity { Warning, Error };

struct Finding {
    int line = 0;         // from 0
    int column = 0;       // from 0, in UTF-16 units from the line's start
    qsizetype offset = 0; // in bytes from the start of the checked text
    Severity severity = Severity::Warning;
    QString text;      // what the user reads
    unsigned code = 0; // the checker's message code

    bool operator==(const Finding&) const = default;
};

struct CheckResult {
    std::vector<Finding> findings; // in the order of the text
    bool complete = true;          // false: cancelled before the end, or too deep
    bool too_deep = false;         // nested too deep to be checked: no findings
};

// libtidy reads the page by descending one call deeper for each element
// that is open, some 80-100 bytes of stack each, whatever the element (a
// <dl> makes two: its <dd> is implied). Its stack is measured as it reads:
// a page that takes more than this much of it is nested deeper than any
// browser shows (some 3,200 elements in one another; Chromium stops nesting
// at 512) and is not checked. The check's time grows with the square of the
// depth and cannot be cancelled while libtidy climbs back: 100,000 <div>s
// took 15 s and 9.6 MB of stack.
constexpr std::size_t kCheckStackBudget = 256 * 1024;
// SVG and MathML it reads without going deeper, and then walks the tree
// they make by recursion (some hundred bytes of stack a level, and a search
// through the levels below at each end tag): a page whose SVG or MathML is
// nested deeper than this is not checked.
constexpr int kMaxForeignDepth = 4000;
// How deep the elements inside <svg> and <math> nest, counted as libtidy
// nests them (a start tag opens an element unless it ends in "/>"; an end tag
// closes the nearest open one of its name and all inside it), up to a little
// past `limit`.
int foreign_depth(QByteArrayView utf8, int limit);

// Checks the page (UTF-8; CR LF, LF and CR line breaks). The text is the
// check's own: it is changed in place (lone CRs become LFs), never copied.
// Setting `cancel` from another thread makes the check end soon, incomplete.
// Runs on any thread whose stack has some megabytes beyond the budget.
CheckResult check_page(QByteArray utf8, const std::atomic<bool>* cancel = nullptr);

// The user's text of a finding, in Italian: our own wording of the checker's
// message (by its message code, with the message's arguments); general
// words for a message we have none for.
QString finding_text(unsigned code, const QStringList& arguments);

// Where the checker's line and column (from 1; a TAB advances to the next
// multiple of `tab_size` plus one, every other character by one) lie in the
// text. Each finding's `line` and `column` are from 1 on entry and are
// replaced by the finding's place; `offset` is set. The findings are sorted.
void place_findings(QByteArrayView utf8, std::vector<Finding>& findings, int tab_size);
