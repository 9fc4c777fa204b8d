#include "app/command_line.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

CommandLine read_command_line(const QStringList& arguments) {
    CommandLine line;
    bool help = false;
    bool version = false;
    bool options = true;
    for (const QString& argument : arguments) {
        if (options && argument == u"--") {
            options = false;
        } else if (options && (argument == u"--help" || argument == u"-h")) {
            help = true;
        } else if (options && argument == u"--version") {
            version = true;
        } else if (options && argument.size() > 1 && argument.startsWith(u'-')) {
            if (line.bad_option.isEmpty())
                line.bad_option = argument;
        } else {
            line.files << argument;
        }
    }
    if (help)
        line.action = CommandLine::Action::Help;
    else if (version)
        line.action = CommandLine::Action::Version;
    else if (!line.bad_option.isEmpty())
        line.action = CommandLine::Action::BadOption;
    return line;
}

QString command_line_usage() {
    return QStringLiteral(
        "Usage: marklet [--] [FILE...]\n"
        "An editor for HTML source text, with an Italian user interface.\n"
        "\n"
        "Each FILE opens in a window of its own; without one the window starts empty.\n"
        "\n"
        "  -h, --help     show this text and exit\n"
        "      --version  show the version and exit\n"
        "  --             end of options: every argument after it is a file\n"
        "\n"
        "See marklet(1) for the environment and the files the program writes.\n");
}

QStringList open_in_new_windows(const QStringList& files) {
    const QString program = QCoreApplication::applicationFilePath();
    QStringList failed;
    for (const QString& file : files) {
        const QString path = QFileInfo(file).absoluteFilePath();
        if (!QProcess::startDetached(program, {QStringLiteral("--"), path}))
            failed << path;
    }
    return failed;
}
