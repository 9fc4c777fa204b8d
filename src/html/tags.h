#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace html {

// The element names the tree model tells apart, in one list: the enum and
// the name table are made from it. Any other name gets a number above
// kKnownTags the first time it is seen.
// clang-format off
#define MARKLET_HTML_TAGS(X)                                                                       \
    X(a)                                                                                           \
    X(address)                                                                                     \
    X(applet)                                                                                      \
    X(area)                                                                                        \
    X(article) X(aside) X(b) X(base) X(basefont) X(bgsound) X(big) X(blockquote) X(body) X(br)     \
        X(button) X(caption) X(center) X(code) X(col) X(colgroup) X(dd) X(details) X(dialog)       \
            X(dir) X(div) X(dl) X(dt) X(em) X(embed) X(fieldset) X(figcaption) X(figure) X(font)   \
                X(footer) X(form) X(frame) X(frameset) X(h1) X(h2) X(h3) X(h4) X(h5) X(h6) X(head) \
                    X(header) X(hgroup) X(hr) X(html) X(i) X(iframe) X(image) X(img) X(input)      \
                        X(isindex) X(keygen) X(li) X(link) X(listing) X(main) X(marquee) X(math)   \
                            X(menu) X(menuitem) X(meta) X(nav) X(nobr) X(noembed) X(noframes)      \
                                X(noscript) X(object) X(ol) X(optgroup) X(option) X(p) X(param)    \
                                    X(plaintext) X(pre) X(rb) X(rp) X(rt) X(rtc) X(ruby) X(s)      \
                                        X(script) X(search) X(section) X(select) X(small)          \
                                            X(source) X(strike) X(strong) X(style) X(summary)      \
                                                X(svg) X(table) X(tbody) X(td) X(template_)        \
                                                    X(textarea) X(tfoot) X(th) X(thead) X(title)   \
                                                        X(tr) X(track) X(tt) X(u) X(ul) X(wbr)     \
                                                            X(xmp)
// clang-format on

enum Tag : int {
    kNoTag = 0,
#define MARKLET_TAG_ENUM(name) name,
    MARKLET_HTML_TAGS(MARKLET_TAG_ENUM)
#undef MARKLET_TAG_ENUM
        kKnownTags
};

// Element names as numbers. Names are ASCII-lowercased bytes.
class TagNames {
  public:
    TagNames();
    int intern(std::string_view lowercase_name);
    std::string_view name(int tag) const { return names_[size_t(tag)]; }

  private:
    std::unordered_map<std::string, int> numbers_;
    std::vector<std::string> names_;
};

// Sets of the parsing rules, by tag.
bool is_special(int tag);
bool is_formatting(int tag); // a b big code em font i nobr s small strike strong tt u
bool is_heading(int tag);
bool is_implied_end(int tag); // dd dt li optgroup option p rb rp rt rtc
bool closes_p(int tag);       // the block start tags that close an open p first

} // namespace html
