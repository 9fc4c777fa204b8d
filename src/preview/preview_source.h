#pragma once

#include "preview/text_parts.h"

#include <QByteArray>
#include <QByteArrayView>

// The document as the live preview reads it: its text, the bytes the
// preview file holds for it, and whether a change is on its way.
class PreviewSource {
  public:
    virtual ~PreviewSource() = default;
    // The text as UTF-8, in one or two runs; valid until the next change.
    virtual text_parts::Parts utf8_parts() const = 0;
    // The preview file holds the text's UTF-8 bytes as they are.
    virtual bool preview_is_utf8() const = 0;
    // A piece of the text as the preview file's bytes: the page decodes
    // pieces as it decoded the file.
    virtual QByteArray preview_bytes(QByteArrayView utf8) const = 0;
    // The text has changed beyond what the preview file holds (a change
    // whose notice has not come yet).
    virtual bool change_pending() const = 0;
};
