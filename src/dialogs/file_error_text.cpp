#include "dialogs/file_error_text.h"

#include "document/file_name.h"

#include <cerrno>

namespace {

using Step = FileError::Step;

bool is_reading(Step step) {
    return step == Step::Open || step == Step::Read;
}

// A system error number, read or write as the step was.
QString system_reason(int error, bool reading) {
    switch (error) {
    case ENOENT:
        return reading ? QStringLiteral("Il file non esiste.")
                       : QStringLiteral("La cartella non esiste.");
    case ENOTDIR:
        return QStringLiteral("Una parte del percorso non è una cartella.");
    case EISDIR:
        return QStringLiteral("È una cartella.");
    case EACCES:
    case EPERM:
        return QStringLiteral("Permesso negato.");
    case EROFS:
        return QStringLiteral("Il disco è in sola lettura.");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Il disco è pieno.");
    case EFBIG:
    case EOVERFLOW:
        return QStringLiteral("Il file è troppo grande.");
    case ENAMETOOLONG:
        return QStringLiteral("Il nome del file è troppo lungo.");
    case ELOOP:
        return QStringLiteral("Troppi collegamenti simbolici nel percorso.");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Troppi file aperti.");
    case ETXTBSY:
    case EBUSY:
        return QStringLiteral("Il file è in uso.");
    case EIO:
        return reading ? QStringLiteral("Errore di lettura dal disco.")
                       : QStringLiteral("Errore di scrittura sul disco.");
    case ENOMEM:
        return QStringLiteral("Memoria insufficiente.");
    default:
        return reading ? QStringLiteral("Impossibile leggere il file (errore %1).").arg(error)
                       : QStringLiteral("Impossibile scrivere il file (errore %1).").arg(error);
    }
}

QString folder_name(FileError::Folder folder) {
    switch (folder) {
    case FileError::Folder::Recovery:
        return QStringLiteral("di recupero");
    case FileError::Folder::Journal:
        return QStringLiteral("del registro dei salvataggi");
    case FileError::Folder::Backup:
        return QStringLiteral("delle copie di sicurezza");
    case FileError::Folder::Temporary:
    case FileError::Folder::None:
        break;
    }
    return QStringLiteral("temporanea");
}

// The failure itself, before what it was part of.
QString step_reason(const FileError& error) {
    const QString folder = folder_name(error.folder);
    switch (error.step) {
    case Step::None:
        return {};
    case Step::NoName:
        return QStringLiteral("Nessun nome di file.");
    case Step::NotRegularFile:
        return QStringLiteral("Non è un file regolare.");
    case Step::NotText:
        return QStringLiteral("Non è un file di testo.");
    case Step::OutsideOwnFolder:
        return QStringLiteral("Il file temporaneo non è nella cartella privata del programma.");
    case Step::NoHomeFolder:
        return QStringLiteral("Cartella personale sconosciuta.");
    case Step::CreateFolder:
        return QStringLiteral("Impossibile creare la cartella %1. %2")
            .arg(folder, system_reason(error.code, false));
    case Step::FolderIsLink:
        return QStringLiteral("La cartella %1 è un collegamento simbolico.").arg(folder);
    case Step::NotAFolder:
        return QStringLiteral("La cartella %1 non è una cartella.").arg(folder);
    case Step::FolderOfOtherUser:
        return QStringLiteral("La cartella %1 appartiene a un altro utente.").arg(folder);
    case Step::FolderOpen:
        return QStringLiteral("La cartella %1 è accessibile ad altri utenti.").arg(folder);
    case Step::NotRecoveryFile:
        return QStringLiteral("Non è un file di recupero.");
    case Step::RecoveryTaken:
        return QStringLiteral("Questa finestra ha già un file di recupero.");
    case Step::AlreadyRecovered:
        return QStringLiteral("Il documento è già stato recuperato.");
    case Step::RecoveryUnreadable:
        return QStringLiteral("Il file di recupero è illeggibile.");
    case Step::Open:
    case Step::Read:
    case Step::Create:
    case Step::Write:
    case Step::Rename:
    case Step::Remove:
        break;
    }
    return system_reason(error.code, is_reading(error.step));
}

} // namespace

QString describe(const FileError& error) {
    const QString reason = step_reason(error);
    using Purpose = FileError::Purpose;
    switch (error.purpose) {
    case Purpose::None:
        break;
    case Purpose::WriteRecovery:
        return QStringLiteral("Impossibile scrivere il file di recupero. %1").arg(reason);
    case Purpose::RemoveRecovery:
        return QStringLiteral("Impossibile eliminare il file di recupero. %1").arg(reason);
    case Purpose::TakeRecovery:
        return QStringLiteral("Impossibile recuperare il documento. %1").arg(reason);
    case Purpose::InPlaceNoBackup:
        return QStringLiteral("Nessuna copia di sicurezza possibile. %1").arg(reason);
    case Purpose::InPlaceRestored:
        return reason + QStringLiteral(" Il contenuto precedente del file è stato ripristinato.");
    case Purpose::InPlaceKept:
        return reason + QStringLiteral(" Il contenuto precedente del file è conservato in \"%1\".")
                            .arg(shown_path(error.kept));
    }
    return reason;
}
