#include "app/form1.h"

#include "app/action_registry.h"

#include "app/document_bindings.h"
#include "app/elided_label.h"
#include "app/layout.h"
#include "app/menu_table.h"
#include "app/preview_controller.h"
#include "app/status_presenter.h"
#include "app/tag_list.h"
#include "app/window_operations.h"
#include "app/window_questions.h"
#include "commands/registry.h"
#include "editor/editor_document.h"
#include "editor/editor_style.h"
#include "platform/twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QScreen>
#include <QStatusBar>
#include <Qsci/qsciscintilla.h>

Form1::Form1(Form1Services services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Marklet"));
    fill_in_defaults(services_, this);
    questions_ = std::make_unique<WindowQuestions>(this);
    asker_ = std::move(services_.asker);

    menu_bar_ = new WrappingMenuBar(this);
    setMenuWidget(menu_bar_);
    statusBar()->setObjectName(QStringLiteral("status_bar"));
    status_ = new StatusPresenter(statusBar());
    build_controls();
    document_ =
        std::make_unique<WindowDocument>(this, *text_, *services_.dialogs, *questions_, *status_);
    session_ = &document_->session();
    find_bar_ = document_->find_bar();
    actions_ =
        std::make_unique<ActionRegistry>(this, [this](const QString& name) { run_item(name); });
    actions_->build_menus(menu_bar_);
    actions_->build_toolbar(Frame1, centralWidget());

    // Start-up: the preview is off; the tag list holds its names.
    enable_browser = false;
    for (const char* name : tag_names())
        lang_list->addItem(QString::fromLatin1(name));
    lang_list->setCurrentIndex(-1);
    lang_list->setEditText(QString());

    connect(session_, &DocumentSession::changed, preview_,
            &PreviewController::encoding_may_have_changed);
    // Every part has made its actions: the keys of the one table go on them.
    actions_->bind_keys(key_table());
    actions_->disable_unless(
        [](const QString& name) { return find_command(name) || window_operation(name); });
    // The client area below the menu bar (on as many rows as it takes at this
    // width) and above the status bar.
    const int extra = menu_bar_->heightForWidth(twips(7290)) + statusBar()->sizeHint().height();
    resize(twips(7290), twips(7755) + extra);
    // No narrower than the status bar's labels, which are never cut.
    setMinimumWidth(statusBar()->minimumSizeHint().width());
    ControlPlaces::place_caption(Label1, lang_list);
}

Form1::~Form1() = default;

Asker& Form1::asker() const {
    if (asker_)
        return *asker_;
    return *questions_;
}

void Form1::build_controls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    RichTextBox1 = new QsciScintilla(client);
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1->setAccessibleName(QStringLiteral("Documento"));
    RichTextBox1->setGeometry(twips_rect(75, 1560, 7215, 6135));
    RichTextBox1->setEolMode(QsciScintilla::EolWindows);
    // Highlighting is set up before any text arrives: set on a full editor it
    // would colour the whole document at once.
    style_html_editor(RichTextBox1);
    RichTextBox1->setWrapMode(QsciScintilla::WrapNone);
    scroll_with_longest_line(RichTextBox1);
    text_ = new EditorDocument(RichTextBox1);
    edit_ = &text_->edit_area();

    Frame1 = new QFrame(client);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::NoFrame);
    Frame1->setGeometry(twips_rect(120, 0, 7215, 975));

    WebBrowser1 = new BrowserHost(services_.browser_factory, client);
    WebBrowser1->setGeometry(twips_rect(7320, 120, 7215, 7095));
    WebBrowser1->hide();
    places_ = std::make_unique<ControlPlaces>(RichTextBox1, WebBrowser1);
    // The preview file, the pane and the caret's place in it follow the
    // document's change notices.
    preview_ = new PreviewController(*this, enable_browser, *text_, *WebBrowser1,
                                     *services_.launcher, *status_);

    operations_ = new WindowOperations(*this, RichTextBox1, *edit_, WebBrowser1, *preview_, asker(),
                                       std::move(services_.css_dialogs));

    lang_list = new TagList(client);
    lang_list->setObjectName(QStringLiteral("lang_list"));
    lang_list->setAccessibleName(QStringLiteral("Elenco TAG"));
    lang_list->setMaxVisibleItems(20);
    lang_list->setGeometry(twips_rect(5160, 1200, 2055, 315));
    connect(lang_list, &TagList::chosen, operations_, &WindowOperations::tag_chosen);

    Label1 = new ElidedLabel(QStringLiteral("Elenco TAG"), client);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label1->setGeometry(twips_rect(4200, 1320, 975, 255));
    Label1->setBuddy(lang_list);

    setTabOrder(RichTextBox1, lang_list);
    RichTextBox1->setFocus();
}

void Form1::run_item(const QString& name) {
    QAction* act = action(name);
    if (act && !act->isEnabled())
        return;
    if (const WindowOperation operation = window_operation(name))
        operation({*this, *operations_, *preview_, *session_});
    else if (const TagCommand command = find_command(name))
        operations_->run_command(command);
}

void Form1::insert_snippet(const QString& snpt_start, const QString& snpt_stop) {
    operations_->insert(snpt_start, snpt_stop);
}

void Form1::svuota() {
    tmp_lst.clear();
    str_ret.clear();
}

QString Form1::sel_colore(const QString& txt) {
    return WindowQuestions::colour_of(*services_.dialogs, txt);
}

int Form1::preview_writes() const {
    return preview_->writes();
}

void Form1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (first_show_) {
        first_show_ = false;
        if (QScreen* screen = this->screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
        apply_resize_rule();
    }
}

void Form1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    apply_resize_rule();
}

void Form1::apply_resize_rule() {
    places_->apply(frameGeometry().size(), centralWidget()->height());
}

FileChangeBar* Form1::file_change_bar() const {
    return document_->change_bar();
}

void Form1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Back in the window: has another program changed the file meanwhile?
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        session_->check_disk();
}

void Form1::closeEvent(QCloseEvent* event) {
    // Closing the main window ends the program: the CSS editor closes with it,
    // asking first about its own unsaved stylesheet.
    if (!session_->settle_unsaved_changes() ||
        (operations_->css_window() && !operations_->css_window()->close())) {
        event->ignore();
        return;
    }
    // A normal end: the text was saved or deliberately given up.
    session_->close();
    event->accept();
}

QAction* Form1::action(const QString& name) const {
    return actions_->action(name);
}
