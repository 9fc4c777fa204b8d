#pragma once

#include <QString>
#include <optional>

class Asker;

// What a tag command hands to insert_snippet: the text that goes before the
// selection and the text that goes after it. Either may be empty.
struct Snippet {
    QString open;
    QString close;

    friend bool operator==(const Snippet&, const Snippet&) = default;
};

// A tag command: asks its questions through the asker and returns the pair of
// texts to insert, or nothing when a required answer was left empty.
using TagCommand = std::optional<Snippet> (*)(Asker&);
