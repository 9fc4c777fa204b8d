# The Debian package, made by CPack from this build: `make package`, or
# `cmake --build build --target package`, writes
# build/marklet_<version>_<arch>.deb (and the debug symbols beside it, as
# marklet-dbgsym_<version>_<arch>.ddeb).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME marklet)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${MARKLET_MAINTAINER}")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${MARKLET_HOMEPAGE}")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

# Dependencies: the libraries the program and its plugin link, as
# dpkg-shlibdeps finds them (Qt, Qt WebEngine, QScintilla, libtidy...), and
# what they load at run time that it cannot see:
# - Qt's own texts (the buttons of dialogs: "Annulla", "Sì") come from its
#   translations (qt6-translations-l10n), without which an Italian program
#   shows English buttons;
# - the CSS editor's toolbar draws SVG pictures through Qt's SVG plugins
#   (libqt6svg6), which the program does not link.
# Qt WebEngine's own process (QtWebEngineProcess, libqt6webenginecore6-bin)
# is named by the symbols file of libqt6webenginecore6, so shlibdeps brings
# it; the X11 platform plugin is part of libqt6gui6. A Wayland session
# without qt6-wayland runs Marklet through XWayland, and the system's default
# browser is started with xdg-open.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "firefox-esr, qt6-wayland")

# The debug symbols go to a package of their own: the program and the plugin
# are shipped stripped (a tenth of their size), and the symbols can be
# installed beside them to read a crash.
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)

# Files and folders as a Debian package has them, whatever the umask.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The synopsis, and the long description in English and in Italian (a
# Debian package has one description field; Italian readers find theirs
# below the English one, and in the menu entry and AppStream metadata).
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for HTML source text, with an Italian interface")
string(JOIN "\n" CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Marklet is a desktop editor for HTML source text whose menus, questions"
    "and messages are in Italian. You write the markup yourself, or let some"
    "sixty menu commands and a toolbar write it for you: each asks for the"
    "element's attributes in short questions and wraps the selected text in"
    "the element. A preview pane beside the text is current after every"
    "change; a page checker marks mistakes in the margin as you type; a CSS"
    "editor builds style rules from a catalogue of properties. Files are"
    "saved byte for byte in their own encoding, and unsaved work is"
    "recovered after a crash."
    ""
    "Marklet è un editor di sorgenti HTML con l'interfaccia in italiano. Il"
    "codice lo scrivi tu, oppure lo scrivono per te una sessantina di comandi"
    "di menu e una barra degli strumenti: ognuno chiede gli attributi"
    "dell'elemento con brevi domande e racchiude nell'elemento il testo"
    "selezionato. Un riquadro di anteprima accanto al testo si aggiorna a ogni"
    "modifica; un controllo della pagina segna gli errori nel margine mentre"
    "scrivi; un editor CSS costruisce le regole di stile da un catalogo di"
    "proprietà. Ogni file è salvato byte per byte nella sua codifica, e il"
    "lavoro non salvato si recupera dopo un arresto anomalo.")

include(CPack)
