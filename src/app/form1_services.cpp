#include "app/form1_services.h"

#include "platform/qt/qt_dialog_provider.h"
#include "platform/qt/qt_launcher.h"

void fill_in_defaults(Form1Services& services, QWidget* window) {
    if (!services.dialogs)
        services.dialogs = std::make_unique<QtDialogProvider>(window);
    if (!services.launcher)
        services.launcher = std::make_unique<QtLauncher>();
    if (!services.browser_factory)
        services.browser_factory = BrowserHost::plugin_factory();
}
