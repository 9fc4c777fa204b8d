#pragma once

#include <QByteArrayView>

// How a browser reads the end of a stylesheet's text, for a stylesheet left
// open to the end of the page.
namespace css_prelude {

// Where the last rule of `text` starts, when that rule is a style rule whose
// selector runs to the end of the text without ever reaching its "{": the
// browser drops such a rule, and whatever it holds changes no style. -1
// otherwise (the text ends between rules, inside a rule's block, inside an
// at-rule, or reads in a way this reading does not follow).
qsizetype open_rule_start(QByteArrayView text);

} // namespace css_prelude
