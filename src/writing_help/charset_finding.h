#pragma once

#include "document/document_codec.h"
#include "writing_help/page_check.h"

#include <QByteArrayView>
#include <optional>

// The page's declaration of its encoding (<meta charset>, or the
// http-equiv form) against the encoding its file is saved in: a finding at
// the declared label when a browser would read the file otherwise than it
// is written. An error when the file has no byte-order mark (the browser
// follows the declaration and shows the letters wrong), a warning when it
// has one (browsers follow the mark, other programs the declaration).
std::optional<Finding> charset_finding(QByteArrayView utf8, Encoding file);
