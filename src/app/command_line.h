#pragma once

#include <QString>
#include <QStringList>

// What the command line asks of a start: `marklet [--] [FILE...]`, or
// `marklet --help` / `marklet --version`. Qt's own options (-platform,
// -style...) are taken out by QApplication before the files are read.
struct CommandLine {
    enum class Action { Run, Help, Version, BadOption };
    Action action = Action::Run;
    // The files to open, as given; each opens in a window of its own.
    QStringList files;
    // The option not understood, for Action::BadOption.
    QString bad_option;
};

// `arguments` without the program's name. --help wins over --version, either
// over an option not understood; after "--" every argument is a file.
CommandLine read_command_line(const QStringList& arguments);

// The text of `marklet --help`.
QString command_line_usage();

// A window shows one document: the files after the first open each in a
// Marklet of its own, started with the same environment (so each has its own
// preview folder, and ends on its own). Returns the files whose Marklet could
// not be started.
QStringList open_in_new_windows(const QStringList& files);
