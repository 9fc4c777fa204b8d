// Every tag command, driven by an asker whose answers come from the fuzzer.
// No command may crash or hang (after 300 questions every answer is empty, so
// every loop must end), and the results keep the rules all commands share:
//  - the opening text starts with the command's fixed beginning (the part
//    that no answer changes, learnt at start-up from many sample runs);
//  - a command that gives nothing stopped at a required answer: the last
//    question it asked was answered with blank text;
//  - a Yes/No answer only adds its fixed text: flipping one answer, with the
//    same questions asked, changes the opening text by one inserted piece,
//    always the same piece for that question, and leaves the closing text.

#include "commands/registry.h"
#include "commands/tag_builder.h"
#include "dialogs/colour_text.h"
#include "fuzz_input.h"

#include <QHash>
#include <random>
#include <vector>

namespace {

std::vector<NamedCommand> all_commands() {
    std::vector<NamedCommand> out;
    for (const auto group : command_groups())
        out.insert(out.end(), group.begin(), group.end());
    return out;
}

const std::vector<NamedCommand>& commands() {
    static const std::vector<NamedCommand> list = all_commands();
    return list;
}

constexpr int kQuestionBudget = 300;

// One answer as given, so a run can be replayed.
struct Answer {
    QString text;
    bool yes = false;
    bool is_flag = false;
};

// Answers from a source of choices; records questions and answers.
class FuzzAsker : public Asker {
  public:
    using Source = std::function<uint32_t()>;
    explicit FuzzAsker(Source source) : source_(std::move(source)) {}
    // Replays `script` (past its end: empty answers and No).
    // Replays `script`; past its end every answer is blank and every Yes/No
    // answer is `flags` (No once the question budget is spent).
    explicit FuzzAsker(std::vector<Answer> script, bool flags = false)
        : script_(std::move(script)), replay_(true), flags_(flags) {}

    QString input(const QString& prompt, const QString&, const QString& default_text) override {
        return text_answer(QStringLiteral("input|") + prompt, [&](uint32_t c) {
            switch (c % 8) {
            case 0:
                return QString();
            case 1:
                return QStringLiteral("  \t");
            case 2:
                return default_text;
            case 3:
                return QString::number(int(c >> 8) % 2000 - 100);
            case 4:
                return QStringLiteral("%1.%2e%3")
                    .arg(c >> 20)
                    .arg((c >> 8) & 0xF)
                    .arg(int((c >> 12) & 0x3F) - 20);
            default:
                return random_text(c);
            }
        });
    }
    QString pick(const QString& title, const QStringList& items) override {
        return text_answer(QStringLiteral("pick|") + title, [&](uint32_t c) {
            if (c % 4 == 0 || items.isEmpty())
                return c % 8 == 0 ? QString() : random_text(c);
            return items.at(qsizetype((c >> 4) % uint32_t(items.size())));
        });
    }
    QString colour(const QString& prompt) override {
        return text_answer(QStringLiteral("colour|") + prompt, [&](uint32_t c) {
            return c % 3 == 0 ? QString() : colour_text(c >> 2);
        });
    }
    bool yes_no(const QString& question, const QString&) override {
        questions.push_back(QStringLiteral("yesno|") + question);
        Answer a;
        a.is_flag = true;
        if (replay_)
            a.yes = position_ < script_.size() ? script_[position_].yes : flags_ && !exhausted();
        else
            a.yes = !exhausted() && (source_() & 1);
        ++position_;
        given.push_back(a);
        return a.yes;
    }
    void inform(const QString& text) override {
        questions.push_back(QStringLiteral("inform|") + text);
    }

    QStringList questions;
    std::vector<Answer> given;

  private:
    bool exhausted() const { return position_ >= kQuestionBudget; }
    template <typename F> QString text_answer(const QString& question, F choose) {
        questions.push_back(question);
        Answer a;
        if (replay_)
            a.text = position_ < script_.size() ? script_[position_].text : QString();
        else if (!exhausted())
            a.text = choose(source_());
        ++position_;
        given.push_back(a);
        return a.text;
    }
    QString random_text(uint32_t c) {
        static const QStringList words = {QStringLiteral("x"),       QStringLiteral(" a b "),
                                          QStringLiteral("\"<&>\""), QStringLiteral("città €"),
                                          QStringLiteral("😀"),       QStringLiteral("72%"),
                                          QStringLiteral("\r\n"),    QStringLiteral("#top")};
        QString out;
        for (uint32_t n = 1 + (c >> 3) % 3; n > 0; --n, c /= 8)
            out += words[qsizetype((c >> 5) % uint32_t(words.size()))];
        return out;
    }

    Source source_;
    std::vector<Answer> script_;
    bool replay_ = false;
    bool flags_ = false;
    size_t position_ = 0;
};

std::optional<QString> common_prefix(const std::optional<QString>& a, const QString& b) {
    if (!a)
        return b;
    qsizetype n = 0;
    while (n < a->size() && n < b.size() && (*a)[n] == b[n])
        ++n;
    return a->left(n);
}

// The fixed beginning of each command's opening text: the longest prefix that
// every sample run's opening text shares.
QHash<QString, QString> fixed_beginnings() {
    QHash<QString, QString> out;
    for (const NamedCommand& command : commands()) {
        std::mt19937 random(12345);
        std::optional<QString> prefix;
        // The smallest opening texts: every answer blank, except the required
        // answers, which get "x" one by one until the command goes through;
        // every Yes/No answered No, then every one Yes.
        for (const bool flags : {false, true}) {
            std::vector<Answer> minimal;
            for (int attempt = 0; attempt < 64; ++attempt) {
                FuzzAsker asker(minimal, flags);
                if (const auto snippet = command.run(asker)) {
                    prefix = common_prefix(prefix, snippet->open);
                    break;
                }
                if (asker.given.empty())
                    break;
                minimal.resize(asker.given.size(), Answer{QString(), flags, false});
                minimal.back().text = QStringLiteral("x");
            }
        }
        for (int run = 0; run < 96; ++run) {
            FuzzAsker asker([&] { return uint32_t(random()); });
            const auto snippet = command.run(asker);
            if (!snippet)
                continue;
            prefix = common_prefix(prefix, snippet->open);
        }
        out.insert(QString::fromLatin1(command.name), prefix.value_or(QString()));
    }
    return out;
}

bool is_rotation(const QString& a, const QString& b) {
    return a.size() == b.size() && (a + a).contains(b);
}

// The text flipping one Yes/No answer adds to each question, as first seen.
QHash<QString, QString> flag_texts;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QHash<QString, QString> beginnings = fixed_beginnings();
    fuzz::Reader in(data, size);
    const NamedCommand& command = commands()[in.byte() % commands().size()];
    const QString name = QString::fromLatin1(command.name);
    FuzzAsker asker([&] { return in.u32(); });
    const auto snippet = command.run(asker);

    if (snippet) {
        fuzz::check(snippet->open.startsWith(beginnings.value(name)), "fixed beginning",
                    name + u'\n' + snippet->open);
    } else {
        fuzz::check(!asker.given.empty() && !asker.given.back().is_flag &&
                        !answered(asker.given.back().text),
                    "a command gives nothing only after a blank required answer",
                    name + u'\n' + asker.questions.join(u'\n'));
    }
    if (!snippet)
        return 0;

    // Flip each of the first few Yes/No answers in turn.
    int flips = 0;
    for (size_t k = 0; k < asker.given.size() && flips < 4; ++k) {
        if (!asker.given[k].is_flag)
            continue;
        ++flips;
        std::vector<Answer> script = asker.given;
        script[k].yes = !script[k].yes;
        FuzzAsker replay(script);
        const auto flipped = command.run(replay);
        if (!flipped || replay.questions != asker.questions)
            continue; // the answer changed what is asked next: nothing to compare
        fuzz::check(flipped->close == snippet->close, "a Yes/No answer leaves the closing text",
                    name);
        const bool yes_first = asker.given[k].yes;
        const Snippet& longer = flipped->open.size() >= snippet->open.size() ? *flipped : *snippet;
        const Snippet& shorter = &longer == &*flipped ? *snippet : *flipped;
        qsizetype p = 0;
        while (p < shorter.open.size() && shorter.open[p] == longer.open[p])
            ++p;
        const qsizetype extra = longer.open.size() - shorter.open.size();
        const QString piece = longer.open.mid(p, extra);
        fuzz::check(longer.open.left(p) + longer.open.mid(p + extra) == shorter.open,
                    "a Yes/No answer only inserts one piece", name + u'\n' + longer.open);
        fuzz::check(extra > 0, "a Yes/No answer adds text on one side", name);
        const QString key = name + u'|' + asker.questions[qsizetype(k)] + u'|' +
                            ((&longer == &*snippet) == yes_first ? u'Y' : u'N');
        const auto seen = flag_texts.constFind(key);
        if (seen == flag_texts.cend())
            flag_texts.insert(key, piece);
        else
            fuzz::check(is_rotation(*seen, piece), "a Yes/No answer adds the same text each time",
                        key + u'\n' + *seen + u'\n' + piece);
    }
    return 0;
}
