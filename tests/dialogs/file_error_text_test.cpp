// What the user reads of a failed file operation: the step decides between
// the reading and the writing sentence, the folder and the purpose add their
// part, and a kept copy is named.

#include "dialogs/file_error_text.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

using Step = FileError::Step;
using Purpose = FileError::Purpose;

struct WordsCase {
    const char* name;
    FileError error;
    const char* words;
};

FileError in_folder(FileError error, FileError::Folder folder) {
    error.folder = folder;
    return error;
}

FileError kept(FileError error, const char* copy) {
    error.kept = QString::fromUtf8(copy);
    return error.about(Purpose::InPlaceKept);
}

class FileErrorWords : public testing::TestWithParam<WordsCase> {};

TEST_P(FileErrorWords, TellWhatFailedInItalian) {
    EXPECT_EQ(describe(GetParam().error), QString::fromUtf8(GetParam().words));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, FileErrorWords, testing::Values(
    WordsCase{"MissingFileWhenOpening", FileError::system(Step::Open, ENOENT), "Il file non esiste."},
    WordsCase{"MissingFolderWhenRenaming", FileError::system(Step::Rename, ENOENT), "La cartella non esiste."},
    WordsCase{"DiskErrorWhenReading", FileError::system(Step::Read, EIO), "Errore di lettura dal disco."},
    WordsCase{"UnknownErrorNumber", FileError::system(Step::Write, EXDEV), "Impossibile scrivere il file (errore 18)."},
    WordsCase{"RecoveryFolder", in_folder(FileError::system(Step::CreateFolder, EACCES), FileError::Folder::Recovery),
              "Impossibile creare la cartella di recupero. Permesso negato."},
    WordsCase{"BackupFolderIsALink", in_folder(FileError::refusal(Step::FolderIsLink), FileError::Folder::Backup).about(Purpose::InPlaceNoBackup),
              "Nessuna copia di sicurezza possibile. La cartella delle copie di sicurezza è un collegamento simbolico."},
    WordsCase{"OldContentKept", kept(FileError::system(Step::Write, ENOSPC), "/dati/pagina.htm-1.backup"),
              "Il disco è pieno. Il contenuto precedente del file è conservato in \"/dati/pagina.htm-1.backup\"."}),
    [](const testing::TestParamInfo<WordsCase>& info) { return std::string(info.param.name); });
// clang-format on

} // namespace
