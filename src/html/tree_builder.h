#pragma once

#include "html/tokenizer.h"

#include <vector>

namespace html {

// One element of the browser's tree as the source made it.
struct Node {
    qsizetype start = 0;         // its start tag, or the token that implied it
    qsizetype content_start = 0; // just after its start tag
    qsizetype content_end = 0;   // its end tag, or the token that closed it
    qsizetype end = 0;           // just after its end tag; content_end without one
    int parent = -1;
    int subtree_end = 0; // index just after its last descendant (nodes are in document order)
    int tag = kNoTag;
    unsigned char mode = 0; // the insertion mode of its content (Mode)
    unsigned short flags = 0;
};

enum NodeFlag : unsigned short {
    Implied = 1,      // no start tag of its own (tbody before a bare tr, html, head, body)
    ClosedByTag = 2,  // its own end tag closed it (or it is void)
    CleanStart = 4,   // after its start tag the parser stood inside it with nothing pending
    CleanEnd = 8,     // the same just before content_end
    CleanAfter = 16,  // after its end the parser stood in its parent with nothing pending
    FormAtStart = 32, // the parser's form element pointer was set at CleanStart
    FormAfter = 64,   // ... at CleanAfter
    Handler = 128,    // its start tag carries an event handler attribute
    Unfinished = 256, // still open where the model stopped
    ModeSet = 512,
    Cloned = 1024, // reopened by the parser as a new element with its attributes
};

enum Mode : unsigned char {
    Initial,
    BeforeHtml,
    BeforeHead,
    InHead,
    AfterHead,
    InBody,
    TextMode,
    InTable,
    InCaption,
    InColumnGroup,
    InTableBody,
    InRow,
    InCell,
    InSelect,
    InSelectInTable,
    AfterBody,
    AfterAfterBody
};

enum class Quirks : unsigned char { No, Yes, Unknown };

// The HTML tree builder of the browser, over our own tokenizer, for the
// elements it makes and the source each comes from. It follows the
// standard's rules where they are plain; where they are not (misnested
// formatting, foster parenting, foreign content, templates, framesets) it
// stops: the tree is then known only before that point.
//
// Two uses: a whole document, and a piece of one re-read inside a known
// element (the patch of a change), which must leave the parser exactly as
// the old piece left it.
class TreeBuilder {
  public:
    // A whole document: the nodes go to `out` (cleared) in document order;
    // out[0] stands for the document itself.
    TreeBuilder(const char* text, qsizetype size, TagNames& names, std::vector<Node>& out);
    void build();
    // Where the model stopped, or -1 when it read the whole document.
    qsizetype stopped_at() const { return stopped_at_; }
    Quirks quirks() const { return quirks_; }

    // A piece [begin, end) of `text`, read inside `context` (an index into
    // `nodes`, which hold the whole document as it was): the new nodes go to
    // `out` with indices from kLocal up, parents below kLocal being the
    // document's own. Returns whether the piece read cleanly and left the
    // parser as at its start, with the form element pointer `form_after`.
    static constexpr int kLocal = 1 << 30;
    bool reparse(const std::vector<Node>& nodes, int context, Quirks quirks, bool form_before,
                 bool form_after, qsizetype begin, qsizetype end, bool document_end);

    // A piece of source: does any script element or event handler stand in
    // [from, to)? Set by reparse.
    bool touches_script(qsizetype from, qsizetype to) const;

  private:
    struct Entry {
        int node;
        int tag;
    };

    void run(qsizetype begin, qsizetype end);
    void process(Token& token);
    bool dispatch(Token& token); // true: process again in the new mode

    // The modes (tree_rules.cpp). Each returns true to reprocess the token.
    bool initial(Token& t);
    bool before_html(Token& t);
    bool before_head(Token& t);
    bool in_head(Token& t);
    bool after_head(Token& t);
    bool in_body(Token& t);
    bool body_start_tag(Token& t);
    bool body_end_tag(Token& t);
    bool text_mode(Token& t);
    bool in_table(Token& t);
    bool in_caption(Token& t);
    bool in_column_group(Token& t);
    bool in_table_body(Token& t);
    bool in_row(Token& t);
    bool in_cell(Token& t);
    bool in_select(Token& t);
    bool in_select_in_table(Token& t);
    bool after_body(Token& t);
    void adoption(Token& t);
    void any_other_end(const Token& t);
    void close_cell(const Token& t);
    bool in_scope_node(int index) const;
    bool pending() const;

    // Tree operations.
    Node* node(int index);
    const Node* node(int index) const;
    int insert(int tag, const Token& t, bool implied = false);
    void insert_void(const Token& t);
    void insert_raw(const Token& t, Tokenizer::Content content);
    void pop(const Token& t, bool by_own_tag = false);
    void pop_until(int tag, const Token& t, bool by_own_tag);
    void pop_until_heading(const Token& t);
    void remove_entry(size_t at);
    int current() const { return stack_.back().tag; }
    bool in_scope(int tag, int extra = 0) const; // extra: button, ol (list), or -1 (table)
    bool select_in_scope() const;
    bool on_stack(int tag) const;
    void generate_implied(int except = kNoTag, const Token* t = nullptr);
    void close_p(const Token& t, bool by_own_tag);
    void reconstruct();
    void push_formatting(int index, int tag);
    void clear_to_marker();
    void clear_back_to(const int* tags, int count, const Token& t);
    void reset_mode();
    bool clean_here() const;
    void settle();
    void fail();

    const char* text_;
    qsizetype size_;
    TagNames& names_;
    std::vector<Node>& out_;
    const std::vector<Node>* existing_ = nullptr;
    Tokenizer* tokenizer_ = nullptr;
    std::vector<Entry> stack_;
    std::vector<Entry> active_; // tag 0: a marker
    Mode mode_ = Initial;
    Mode original_ = Initial;
    Quirks quirks_ = Quirks::Yes;
    int head_ = -1;
    bool form_ = false;
    int form_node_ = -1;
    bool failed_ = false;
    bool piece_ = false;
    bool outside_form_ = false; // a piece: the form pointer was set before it
    size_t base_depth_ = 0;
    size_t base_active_ = 0;
    qsizetype stopped_at_ = -1;
    qsizetype token_start_ = 0;
    // Where "</body>" stood (-1: none, or content came after it), and
    // whether the parser stood cleanly in the body there.
    qsizetype body_end_ = -1;
    bool body_end_clean_ = false;
    // Per token: who was current at its start, and what it opened and closed.
    int top_at_start_ = -1;
    bool clean_at_start_ = false;
    std::vector<int> opened_;
    std::vector<int> closed_;
    std::vector<std::pair<qsizetype, qsizetype>> scripts_; // piece: script-like sources
};

} // namespace html
