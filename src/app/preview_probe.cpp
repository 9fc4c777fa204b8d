#include "app/preview_probe.h"

#include "app/form1.h"
#include "preview/browser_host.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <link.h>

namespace {

// The file of the loaded library whose name is `name`, as the dynamic loader
// has it; empty when no such library is loaded.
QString loaded_library(const char* name) {
    struct Search {
        QByteArray suffix;
        QString found;
    } search{QByteArray("/") + name, {}};
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            auto* search = static_cast<Search*>(data);
            const QByteArray file(info->dlpi_name);
            if (!file.endsWith(search->suffix))
                return 0;
            search->found = QFileInfo(QFile::decodeName(file)).canonicalFilePath();
            return 1;
        },
        &search);
    return search.found;
}

void print_line(const char* key, const QString& value) {
    std::printf("%s %s\n", key, value.toLocal8Bit().constData());
}

} // namespace

void install_preview_probe(Form1& window) {
    if (qEnvironmentVariableIsEmpty("MARKLET_EXIT_WHEN_PREVIEW_SHOWN"))
        return;
    BrowserHost* host = window.browser();
    QObject::connect(host, &BrowserHost::settled, &window, [&window] {
        print_line("MARKLET_DOCUMENT", window.document_path());
        const QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        print_line("MARKLET_CANCEL_BUTTON", buttons.button(QDialogButtonBox::Cancel)->text());
        print_line("MARKLET_PREVIEW_SHOWN", loaded_library("libmarklet_webpane.so"));
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    QObject::connect(host, &BrowserHost::unavailable, &window, [](const QString& reason) {
        std::fprintf(stderr, "MARKLET_PREVIEW_UNAVAILABLE %s\n", reason.toLocal8Bit().constData());
        std::fflush(stderr);
        QCoreApplication::exit(1);
    });
    // Once the window runs, as a click on the pane's button would.
    QTimer::singleShot(0, &window, [&window] {
        if (!window.enable_browser)
            window.run_item(QStringLiteral("Command2"));
    });
}
