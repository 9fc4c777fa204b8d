#pragma once

// The main window's services on fakes, for tests and benchmarks that drive the
// real window: the given dialogs, a fake launcher and a fake browser pane
// (its address put in `*pane` when it is made, if `pane` is given).

#include "app/form1.h"
#include "support/fakes.h"

#include <memory>

inline Form1Services fake_services(std::unique_ptr<DialogProvider> dialogs,
                                   FakeBrowserPane** pane = nullptr) {
    Form1Services services;
    services.dialogs = std::move(dialogs);
    services.launcher = std::make_unique<FakeLauncher>();
    services.browser_factory = fake_browser_factory(pane);
    return services;
}
