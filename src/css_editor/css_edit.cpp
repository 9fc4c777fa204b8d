#include "css_editor/css_edit.h"

#include "css_editor/catalogue.h"
#include "css_editor/colour_swatch.h"
#include "dialogs/colour_text.h"
#include "dialogs/file_error_text.h"
#include "document/file_io.h"
#include "document/temp_files.h"
#include "editor/editor_document.h"
#include "editor/editor_style.h"
#include "editor/scintilla_edit_area.h"
#include "find/find_bar.h"
#include "platform/qt/qt_dialog_provider.h"
#include "platform/twips.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <Qsci/qsciscintilla.h>

namespace {

// The title of the colour dialog of each swatch.
QString colour_prompt(QStringView control) {
    if (control == u"scolore_sfondo")
        return QStringLiteral("Seleziona colore sfondo");
    return QStringLiteral("Seleziona colore testo");
}

// A tick box whose caption is wider than its place gets a smaller font, so the
// whole caption stays readable where the catalogue puts it.
void fit_caption(QCheckBox* tick) {
    QFont font = tick->font();
    while (tick->sizeHint().width() > tick->width() && font.pointSizeF() > 6.5) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        tick->setFont(font);
    }
}

// The wheel turns a list of this window only while the list has the focus:
// turning it over the window must not change a chosen value or selector
// unseen (QComboBox takes the wheel, and the focus with it, wherever the
// pointer is).
class WheelNeedsFocus : public QObject {
  public:
    using QObject::QObject;
    void guard(QComboBox* list) {
        for (QWidget* part :
             {static_cast<QWidget*>(list), static_cast<QWidget*>(list->lineEdit())}) {
            if (!part)
                continue;
            part->setFocusPolicy(Qt::StrongFocus);
            part->installEventFilter(this);
        }
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel)
            return false;
        auto* part = static_cast<QWidget*>(watched);
        const QWidget* list = qobject_cast<QComboBox*>(part) ? part : part->parentWidget();
        if (list->hasFocus())
            return false;
        event->ignore();
        return true;
    }
};

QWidget* make_value_control(const CatalogueRow& row, QWidget* frame) {
    switch (row.kind) {
    case ValueKind::List: {
        auto* list = new QComboBox(frame);
        for (QStringView item : row.items)
            list->addItem(item.toString());
        list->setCurrentIndex(row.start_index);
        // The drop-down shows whole items even where they are wider than the list.
        list->view()->setMinimumWidth(list->view()->sizeHintForColumn(0) + 24);
        return list;
    }
    case ValueKind::Text:
        return new QLineEdit(frame);
    case ValueKind::Colour:
        return new ColourSwatch(frame);
    }
    return nullptr;
}

} // namespace

css_edit::css_edit(CssEditorState& state, std::function<void()> reload_preview,
                   std::unique_ptr<DialogProvider> dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), reload_preview_(std::move(reload_preview)),
      dialogs_(std::move(dialogs)) {
    setObjectName(QStringLiteral("css_edit"));
    setWindowTitle(QStringLiteral("CSS Editor"));
    if (!dialogs_)
        dialogs_ = std::make_unique<QtDialogProvider>(this);
    build_controls();
    resize(twips(13290), twips(6465));
}

css_edit::~css_edit() = default;

void css_edit::build_controls() {
    // Created in the order Tab moves through them.
    Combo13 = new QComboBox(this);
    Combo13->setObjectName(QStringLiteral("Combo13"));
    Combo13->setAccessibleName(QStringLiteral("Selettore"));
    Combo13->setEditable(true);
    Combo13->setInsertPolicy(QComboBox::NoInsert);
    // The selector is taken as typed: Qt's completer would complete "a" to
    // "A:HOVER", ignoring case.
    Combo13->setCompleter(nullptr);
    for (QStringView item : selector_items())
        Combo13->addItem(item.toString());
    Combo13->setCurrentIndex(-1);
    Combo13->setEditText(QString());
    Combo13->setGeometry(twips_rect(120, 120, 2655, 315));

    Command1 = new QPushButton(QStringLiteral("Inserisci"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(true);
    Command1->setGeometry(twips_rect(3120, 120, 1095, 315));
    connect(Command1, &QPushButton::clicked, this, &css_edit::insert_rule);

    build_buttons();

    status_line_ = new QLabel(this);
    status_line_->setObjectName(QStringLiteral("status_line"));
    status_line_->setWordWrap(true);
    status_line_->setGeometry(twips_rect(5400, 120, 3000, 435));

    build_catalogue();

    RichTextBox1 = new QsciScintilla(this);
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1->setAccessibleName(QStringLiteral("Foglio di stile"));
    RichTextBox1->setGeometry(twips_rect(8520, 720, 4695, 5655));
    RichTextBox1->setEolMode(QsciScintilla::EolWindows);
    RichTextBox1->setWrapMode(QsciScintilla::WrapNone);
    style_css_editor(RichTextBox1);
    document_ = new EditorDocument(RichTextBox1, style_css_editor);
    edit_ = &document_->edit_area();
    install_find_shortcuts(this, new FindBar(*edit_));
    build_session();
}

void css_edit::build_buttons() {
    struct Picture {
        QToolButton** button;
        const char* name;
        const char* icon;
        QString tooltip;
        QRect place;
        void (css_edit::*operation)();
    };
    const Picture pictures[] = {
        {&Command3, "Command3", "css_open", QStringLiteral("Apri un file"),
         twips_rect(4440, 120, 375, 375), &css_edit::open_stylesheet},
        {&Command4, "Command4", "css_save", QStringLiteral("Salva il file corrente"),
         twips_rect(4920, 120, 375, 375), nullptr},
        {&Command2, "Command2", "css_refresh",
         QStringLiteral("Aggiorna l'anteprima con il CSS corrente"),
         twips_rect(8520, 120, 495, 435), &css_edit::refresh_preview},
    };
    for (const Picture& picture : pictures) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(picture.name));
        button->setIcon(
            QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1StringView(picture.icon))));
        button->setToolTip(picture.tooltip);
        button->setAccessibleName(picture.tooltip);
        button->setFocusPolicy(Qt::TabFocus);
        button->setGeometry(picture.place);
        button->setIconSize(picture.place.size() - QSize(4, 4));
        *picture.button = button;
        if (picture.operation)
            connect(button, &QToolButton::clicked, this, picture.operation);
    }
    connect(Command4, &QToolButton::clicked, this, [this] { save_stylesheet(); });
}

void css_edit::build_catalogue() {
    std::vector<QGroupBox*> frames;
    for (const CatalogueFrame& def : catalogue_frames()) {
        auto* frame = new QGroupBox(def.caption.toString(), this);
        frame->setObjectName(def.name.toString());
        frame->setGeometry(twips_rect(def.left, def.top, def.width, def.height));
        frames.push_back(frame);
    }
    auto* wheel_guard = new WheelNeedsFocus(this);
    wheel_guard->guard(Combo13);
    for (const CatalogueRow& row : catalogue()) {
        QGroupBox* frame = frames[std::size_t(row.frame)];
        const int top = row_top(row.row);

        auto* tick = new QCheckBox(row.caption.toString(), frame);
        tick->setObjectName(row.check_box.toString());
        tick->setGeometry(twips_rect(kCheckBoxLeft, top, kValueLeft - kCheckBoxLeft, kRowHeight));
        tick->setToolTip(row.property.toString().chopped(2));
        fit_caption(tick);

        QWidget* value = make_value_control(row, frame);
        value->setObjectName(row.control.toString());
        value->setAccessibleName(row.caption.toString());
        value->setGeometry(twips_rect(kValueLeft, top, kValueWidth, kRowHeight));
        value->setEnabled(false);
        connect(tick, &QCheckBox::toggled, value, &QWidget::setEnabled);

        if (row.kind == ValueKind::List)
            wheel_guard->guard(static_cast<QComboBox*>(value));
        if (row.kind == ValueKind::Colour) {
            auto* swatch = static_cast<ColourSwatch*>(value);
            const QString prompt = colour_prompt(row.control);
            connect(swatch, &ColourSwatch::clicked, this,
                    [this, swatch, prompt] { choose_colour(swatch, prompt); });
        }
        ticks_.push_back(tick);
        values_.push_back(value);
    }
}

std::vector<RowValue> css_edit::row_values() const {
    std::vector<RowValue> rows;
    const auto table = catalogue();
    for (std::size_t i = 0; i < table.size(); ++i) {
        RowValue value;
        value.ticked = ticks_[i]->isChecked();
        switch (table[i].kind) {
        case ValueKind::List: {
            const auto* list = static_cast<const QComboBox*>(values_[i]);
            if (list->currentIndex() >= 0)
                value.text = list->currentText();
            break;
        }
        case ValueKind::Text:
            value.text = static_cast<const QLineEdit*>(values_[i])->text();
            break;
        case ValueKind::Colour:
            value.colour = static_cast<const ColourSwatch*>(values_[i])->colour();
            break;
        }
        rows.push_back(value);
    }
    return rows;
}

QString css_edit::rule() const {
    // A swatch never chosen shows the colour of text areas, and that is what it writes.
    const QColor base = palette().color(QPalette::Active, QPalette::Base);
    return rule_text(Combo13->currentText(), row_values(),
                     colour_number(base.red(), base.green(), base.blue()));
}

void css_edit::insert_rule() {
    edit_->replace_selection(rule());
    refresh_preview();
}

void css_edit::refresh_preview() {
    write_temp_stylesheet();
    if (reload_preview_)
        reload_preview_();
}

bool css_edit::write_temp_stylesheet() {
    const QString text = edit_->text();
    QByteArray bytes = encode_document(text, encoding());
    // Characters a Windows-1252 stylesheet cannot hold: the browser reads them
    // right from UTF-8 with its mark, whatever the page's encoding.
    if (bytes.isNull())
        bytes = encode_document(text, Encoding::Utf8Bom);
    const FileError error = ::write_temp_stylesheet(bytes);
    if (error.ok()) {
        status_line_->clear();
        status_line_->setToolTip(QString());
        return true;
    }
    status_line_->setText(QStringLiteral("Anteprima CSS non aggiornata"));
    status_line_->setToolTip(describe(error));
    return false;
}

int css_edit::sel_colore(const QString& txt) {
    const auto colour = dialogs_->colour(txt);
    return colour ? int(*colour & 0xFFFFFFu) : -1;
}

void css_edit::choose_colour(ColourSwatch* swatch, const QString& prompt) {
    if (!swatch->isEnabled())
        return;
    const int colour = sel_colore(prompt);
    if (colour != -1)
        swatch->set_colour(unsigned(colour));
}
