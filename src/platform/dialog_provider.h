#pragma once

#include <QString>
#include <optional>

// The file and colour dialogs of a window. The provider remembers the path
// chosen last in either file dialog and starts both with it.
class DialogProvider {
  public:
    virtual ~DialogProvider() = default;

    // A full path, or nothing when the user cancelled.
    virtual std::optional<QString> open_file() = 0;
    virtual std::optional<QString> save_file() = 0;
    // The colour as red + 256 * green + 65536 * blue, or nothing on cancel.
    virtual std::optional<unsigned int> colour(const QString& title) = 0;

    virtual QString remembered_path() const = 0;
    virtual void set_remembered_path(const QString& path) = 0;
};
