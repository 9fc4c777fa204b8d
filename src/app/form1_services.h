#pragma once

#include "platform/asker.h"
#include "platform/dialog_provider.h"
#include "platform/launcher.h"
#include "preview/browser_host.h"

#include <functional>
#include <memory>

class QWidget;

// What the main window takes from outside; anything left empty gets the real
// Qt binding. Tests hand in fakes.
struct Form1Services {
    std::unique_ptr<DialogProvider> dialogs;
    std::unique_ptr<Launcher> launcher;
    std::unique_ptr<Asker> asker;
    BrowserHost::Factory browser_factory;
    // Dialogs for each CSS editor window opened; empty: Qt's own.
    std::function<std::unique_ptr<DialogProvider>()> css_dialogs;
};

// Gives what was left empty the real Qt binding (dialogs parented to `window`).
void fill_in_defaults(Form1Services& services, QWidget* window);
