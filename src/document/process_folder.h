#pragma once

#include "document/file_error.h"
#include "document/recovery_file.h"

#include <QString>
#include <optional>

// Each running Marklet keeps its preview file and the copy of the preview
// made for external browsers in a folder of its own
// inside the private cache folder, named after the process (its id, start
// time and the machine's boot), so that two windows never show or overwrite
// each other's page. The folder goes when the program ends; the folders of
// Marklets no longer running are removed at the next start.

// "run-<pid>-<start>-<boot>", and back.
QString process_folder_name(const ProcessIdentity& process);
std::optional<ProcessIdentity> owner_of_process_folder(const QString& name);

// <private_temp_dir()>/<this process's folder>; empty when there is no home folder.
QString process_temp_dir_path();
// The same, made with mode 0700 when missing. Nothing, with what failed in
// `error`, when the private folder or this one is refused (see private_temp_dir()).
std::optional<QString> process_temp_dir(FileError* error = nullptr);

// Removes the folders of Marklets that are no longer running, and the shared
// preview that earlier versions kept in the private folder.
void remove_stale_process_dirs();
// Removes this process's folder with what is in it.
void remove_process_temp_dir();
