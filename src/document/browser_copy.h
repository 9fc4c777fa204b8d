#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QUrl>

// The preview as external browsers are given it when the document has a file
// of its own. They open the preview from the program's private folder, where
// the document's relative addresses (<img src="pic.png">, "../style.css")
// would find nothing; the copy carries a <base> naming the document's own
// file, put at the start of the head, so they resolve as they would for the
// saved page. Its in-page links (href="#part"), which the <base> would send to
// the saved file, are made to name the copy itself, so they still move within
// the page shown. A link to the temporary stylesheet as earlier versions
// named it, in a folder of each run (<folder>/run-<...>/tmp.css, gone when
// that run ended), names the one `stylesheet` there is now. Nothing else
// changes: the bytes stay in the document's encoding, and the document and
// the preview file are left alone.
QByteArray browser_copy(QByteArrayView text, const QUrl& document_url, const QUrl& copy_url,
                        const QString& stylesheet);
