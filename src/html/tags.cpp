#include "html/tags.h"

namespace html {

TagNames::TagNames() {
    names_.emplace_back();
#define MARKLET_TAG_NAME(name) names_.emplace_back(#name);
    MARKLET_HTML_TAGS(MARKLET_TAG_NAME)
#undef MARKLET_TAG_NAME
    for (size_t i = 1; i < names_.size(); ++i) {
        if (names_[i].back() == '_') // a C++ keyword, spelt with a trailing underscore
            names_[i].pop_back();
        numbers_.emplace(names_[i], int(i));
    }
}

int TagNames::intern(std::string_view lowercase_name) {
    const auto found = numbers_.find(std::string(lowercase_name));
    if (found != numbers_.end())
        return found->second;
    names_.emplace_back(lowercase_name);
    numbers_.emplace(names_.back(), int(names_.size() - 1));
    return int(names_.size() - 1);
}

namespace {

template <size_t N> constexpr bool in(int tag, const Tag (&set)[N]) {
    for (const Tag t : set)
        if (t == tag)
            return true;
    return false;
}

} // namespace

bool is_special(int tag) {
    // As the browser of the pane (Chromium 102) knows them: no `search` yet.
    static constexpr Tag set[] = {
        address,  applet,   area,     article, aside,   base,     basefont,   bgsound, blockquote,
        body,     br,       button,   caption, center,  col,      colgroup,   dd,      details,
        dir,      div,      dl,       dt,      embed,   fieldset, figcaption, figure,  footer,
        form,     frame,    frameset, h1,      h2,      h3,       h4,         h5,      h6,
        head,     header,   hgroup,   hr,      html,    iframe,   img,        input,   keygen,
        li,       link,     listing,  main,    marquee, menu,     meta,       nav,     noembed,
        noframes, noscript, object,   ol,      p,       param,    plaintext,  pre,     script,
        section,  select,   source,   style,   summary, table,    tbody,      td,      template_,
        textarea, tfoot,    th,       thead,   title,   tr,       track,      ul,      wbr,
        xmp};
    return in(tag, set);
}

bool is_formatting(int tag) {
    static constexpr Tag set[] = {a,    b, big,   code,   em,     font, i,
                                  nobr, s, small, strike, strong, tt,   u};
    return in(tag, set);
}

bool is_heading(int tag) {
    return tag >= h1 && tag <= h6;
}

bool is_implied_end(int tag) {
    static constexpr Tag set[] = {dd, dt, li, optgroup, option, p, rb, rp, rt, rtc};
    return in(tag, set);
}

bool closes_p(int tag) {
    static constexpr Tag set[] = {address, article, aside,  blockquote, center,   details,
                                  dialog,  dir,     div,    dl,         fieldset, figcaption,
                                  figure,  footer,  header, hgroup,     main,     menu,
                                  nav,     ol,      p,      section,    summary,  ul};
    return in(tag, set);
}

} // namespace html
