// Marklet's own script in the preview pane. It runs in a world of its own,
// apart from the page's scripts, in every page the pane loads: it patches the
// page in place when the document changes, outlines the element that holds
// the caret, restyles the page when the temporary stylesheet changes, and
// reports Ctrl+click on an element. It never writes into the page's markup
// anything the document does not say: the outline lives in a stylesheet of
// the pane, not in the page.
//
// morph_range.js (bundled before this file, after morphdom) morphs a run of
// the page's nodes into their new markup.
(function () {
    'use strict';
    if (window.marklet)
        return;

    const state = {
        broken: '',        // why patches are refused until the next load
        dirty: false,      // the page changed itself since it was loaded
        observer: null,
        outlined: null,    // the element outlined last
        outlining: null,   // the animation that draws its outline
        outlineTimer: 0,
        rest: 0,           // the caret's latest rest (see highlight)
        received: 0,       // patches received, taken or not
        ownScroll: null,   // where the outline scrolled the page to
        userMoved: -1e9,   // when the user last scrolled the page (performance.now())
        bridge: null,      // the program, through the web channel
        restyle: null,     // {link, sheet}: the temporary stylesheet in place
        patches: 0,
    };

    // Fresh documents to parse pieces in: no scripts run there and nothing is
    // fetched. The quirks mode must be the page's (it decides whether a table
    // closes an open paragraph).
    let inert = null;
    function inertDocument() {
        const quirks = document.compatMode === 'BackCompat';
        if (!inert || inert.quirks !== quirks) {
            const doc = new DOMParser().parseFromString(quirks ? '' : '<!DOCTYPE html>',
                                                         'text/html');
            inert = {quirks: quirks, doc: doc};
        }
        return inert.doc;
    }

    // Only these names change how a piece inside the element parses; any
    // other reads as inside a div (and may not be a name createElement takes).
    const contexts = new Set(['select', 'td', 'th', 'tr', 'tbody', 'thead', 'tfoot', 'caption',
                              'colgroup', 'table', 'body', 'title', 'textarea', 'style', 'xmp',
                              'iframe', 'noembed', 'noframes', 'pre', 'listing']);

    function parse(contextName, source) {
        const holder = inertDocument().createElement(contexts.has(contextName) ? contextName
                                                                               : 'div');
        holder.innerHTML = source;
        return holder;
    }

    // The element at a path of child indices from <html>, whose tag names
    // must be as expected; null when the page differs.
    function resolve(path, tags) {
        let el = document.documentElement;
        if (!el || (tags && tags[0] !== el.localName))
            return null;
        for (let i = 0; i < path.length; ++i) {
            el = el.children[path[i]];
            if (!el || (tags && tags[i + 1] !== el.localName))
                return null;
        }
        return el;
    }

    function pathOf(el) {
        const path = [], tags = [];
        for (; el && el !== document.documentElement; el = el.parentElement) {
            path.unshift(Array.prototype.indexOf.call(el.parentElement.children, el));
            tags.unshift(el.localName);
        }
        tags.unshift('html');
        return {path: path, tags: tags};
    }

    // Runs of live nodes turned into freshly parsed ones (morph_range.js).
    const morph = window.markletMorph;

    // Pieces come as the preview file's bytes: decoded here as the page
    // decoded the file.
    function decode(base64, charset) {
        const binary = atob(base64);
        const bytes = new Uint8Array(binary.length);
        for (let i = 0; i < binary.length; ++i)
            bytes[i] = binary.charCodeAt(i);
        return new TextDecoder(charset || document.characterSet).decode(bytes);
    }

    function stripNewline(text) {
        return text.startsWith('\r\n') ? text.slice(2)
             : text.startsWith('\n') || text.startsWith('\r') ? text.slice(1) : text;
    }

    function sameNodes(a, b) {
        if (a.length !== b.length)
            return false;
        for (let i = 0; i < a.length; ++i)
            if (!a[i].isEqualNode(b[i]))
                return false;
        return true;
    }

    // One change of the document: the piece of source inside one element
    // that the change replaced, old and new. The live nodes must be what the
    // old piece makes, or nothing is touched.
    function patch(p) {
        ++state.received;
        try {
            return patchPiece(p);
        } catch (e) {
            return fail('' + e);
        }
    }

    // The attributes a start tag gives, read as the parser reads them.
    function attributesOf(startTag) {
        const name = /^<[^\t\n\f\r />]*/.exec(startTag)[0];
        const holder = parse('div', '<div' + startTag.slice(name.length));
        const el = holder.firstElementChild;
        const out = new Map();
        if (el)
            for (const attr of el.attributes)
                out.set(attr.name, attr.value);
        return out;
    }

    function sameAttributes(el, wanted) {
        if (el.attributes.length !== wanted.size)
            return false;
        for (const attr of el.attributes)
            if (wanted.get(attr.name) !== attr.value)
                return false;
        return true;
    }

    // Only an element's start tag changed, and only its attributes.
    function patchAttributes(el, p) {
        if (!sameAttributes(el, attributesOf(decode(p.old))))
            return fail('the element is not what the document said');
        const wanted = attributesOf(decode(p.new));
        for (const name of wanted.keys()) {
            if (!morph.settableName(name)) {
                state.broken = 'a name setAttribute refuses';
                return 'reload: ' + state.broken; // an expected way out, not a fault
            }
        }
        for (const attr of Array.from(el.attributes))
            if (!wanted.has(attr.name))
                el.removeAttribute(attr.name);
        for (const [name, value] of wanted)
            if (el.getAttribute(name) !== value)
                el.setAttribute(name, value);
        state.observer.takeRecords();
        ++state.patches;
        return 'ok';
    }

    // A change inside an element's text: the changed region alone, read as
    // the element reads its text, put where it lies in the text. The parser
    // holds a long text (a text area's, a title's) in several nodes of 65536
    // characters: the region may lie in any of them, or across two.
    function patchText(el, p) {
        if (document.characterSet !== 'UTF-8') {
            state.broken = 'a splice into a page not read as UTF-8';
            return 'reload: ' + state.broken;
        }
        const nodes = Array.from(el.childNodes);
        if (nodes.some((n) => n.nodeType !== Node.TEXT_NODE))
            return fail('the element holds more than its text');
        const read = (base64) => {
            const text = parse(el.localName, decode(base64)).textContent;
            return p.strip ? stripNewline(text) : text;
        };
        const before = read(p.old), after = read(p.new);
        const length = nodes.reduce((sum, n) => sum + n.length, 0);
        const at = p.fromEnd ? length - p.splice - before.length : p.splice;
        if (at < 0 || at + before.length > length)
            return fail('the text is not what the document said');
        // The nodes [first, last] that hold the region; `offset`: where the first starts.
        let first = 0, offset = 0;
        while (first + 1 < nodes.length && offset + nodes[first].length <= at)
            offset += nodes[first++].length;
        let last = first, end = offset + (nodes.length ? nodes[first].length : 0);
        while (last + 1 < nodes.length && end < at + before.length)
            end += nodes[++last].length;
        const local = at - offset;
        if (first === last) {
            const node = nodes[first];
            if (node && node.substringData(local, before.length) !== before)
                return fail('the text is not what the document said');
            if (!node)
                el.appendChild(document.createTextNode(after));
            else if (node.length === before.length && !after)
                node.remove();
            else
                node.replaceData(local, before.length, after);
        } else {
            const held = nodes.slice(first, last + 1).map((n) => n.data).join('');
            if (held.substr(local, before.length) !== before)
                return fail('the text is not what the document said');
            nodes[first].data = held.slice(0, local) + after + held.slice(local + before.length);
            if (!nodes[first].length)
                nodes[first].remove();
        }
        for (let k = first + 1; k <= last; ++k)
            nodes[k].remove();
        state.observer.takeRecords();
        ++state.patches;
        return 'ok';
    }

    function patchPiece(p) {
        if (state.broken)
            return 'refused: ' + state.broken;
        if (state.dirty)
            return fail('the page changed itself');
        const context = resolve(p.path, p.tags);
        if (!context)
            return fail('no element at the path');
        if (p.attributes)
            return patchAttributes(context, p);
        if (p.splice >= 0)
            return patchText(context, p);
        const first = p.after < 0 ? context.firstChild
                                  : context.children[p.after] &&
                                        context.children[p.after].nextSibling;
        if (p.after >= 0 && !context.children[p.after])
            return fail('no element before the piece');
        const end = p.before < 0 ? null : context.children[p.before];
        if (p.before >= 0 && !end)
            return fail('no element after the piece');
        const old = [];
        for (let n = first; n && n !== end; n = n.nextSibling)
            old.push(n);
        const tail = decode(p.tail);
        let before = decode(p.old) + tail, after = decode(p.new) + tail;
        if (p.strip) {
            before = stripNewline(before);
            after = stripNewline(after);
        }
        const name = context.localName;
        if (!sameNodes(old, Array.from(parse(name, before).childNodes)))
            return fail('the page is not what the document said');
        morph.range(context, old, Array.from(parse(name, after).childNodes), end);
        state.observer.takeRecords();
        if (state.restyle && !restyleHolds())
            return fail('the temporary stylesheet moved');
        ++state.patches;
        return 'ok';
    }

    function fail(reason) {
        state.broken = reason;
        return 'failed: ' + reason;
    }

    // The body's element tree as a number: FNV-1a over each element's name,
    // "(", its children and ")" (the program computes the same).
    function digest() {
        let h = 0x811c9dc5;
        const add = (text) => {
            for (let i = 0; i < text.length; ++i)
                h = Math.imul(h ^ text.charCodeAt(i), 16777619) >>> 0;
        };
        const visit = (el) => {
            for (let c = el.firstElementChild; c; c = c.nextElementSibling) {
                add(c.localName + '(');
                visit(c);
                add(')');
            }
        };
        if (document.body)
            visit(document.body);
        return h >>> 0;
    }

    // After a load: the page's elements must be those the program expects
    // (-1: not known).
    function loaded(expected) {
        if (!state.observer) {
            state.observer = new MutationObserver(() => { state.dirty = true; });
            state.observer.observe(document, {subtree: true, childList: true, attributes: true,
                                              characterData: true});
        }
        if (expected >= 0 && digest() !== expected)
            fail('the page\'s elements are not those of the document');
        return state.broken ? 'failed: ' + state.broken : 'ok';
    }

    function selectorOf(el) {
        const parts = [':root'];
        for (const index of pathOf(el).path)
            parts.push(':nth-child(' + (index + 1) + ')');
        return parts.join(' > ');
    }

    // The caret rests in an element: once the frame that shows the patches
    // sent so far is drawn, the element is outlined for a moment and brought
    // into view if it is out of it. A patch that comes first makes this rest
    // void (the program sends another one when the caret rests again): what
    // the rest does never holds up a patch.
    // (A pane that draws no frames, hidden or covered, has it a moment later.)
    function highlight(path, tags, millis) {
        const rest = ++state.rest, received = state.received;
        const run = () => {
            if (rest === state.rest && received === state.received) {
                ++state.rest;
                outline(resolve(path, tags), millis);
            }
        };
        requestAnimationFrame(() => setTimeout(run, 0));
        setTimeout(run, 250);
        return 'ok';
    }

    const outlineStyle = {outline: '2px solid rgba(38, 110, 230, 0.9)', outlineOffset: '1px'};

    // The outline is an animation of the element's own style: neither the
    // page's markup nor its stylesheets change, so only that element is
    // styled again (a rule in a stylesheet would restyle the whole page).
    // The element is measured alone, its layout already done by the frame;
    // it is scrolled into view only when it is out of view and the user has
    // not scrolled the page in the last second.
    function outline(el, millis) {
        clearTimeout(state.outlineTimer);
        const same = el && el === state.outlined && state.outlining;
        if (!same && state.outlining) {
            state.outlining.cancel();
            state.outlining = null;
        }
        state.outlined = el;
        if (!el)
            return;
        const box = el.getBoundingClientRect();
        const height = window.innerHeight, width = window.innerWidth;
        if ((box.bottom < 0 || box.top > height || box.right < 0 || box.left > width) &&
            performance.now() - state.userMoved > 1000) {
            el.scrollIntoView({block: box.height > height ? 'start' : 'center',
                               inline: 'nearest', behavior: 'instant'});
            state.ownScroll = [window.scrollX, window.scrollY];
        }
        if (!same)
            state.outlining = el.animate([outlineStyle, outlineStyle],
                                         {duration: 1, fill: 'forwards'});
        state.outlineTimer = setTimeout(() => {
            if (state.outlining)
                state.outlining.cancel();
            state.outlining = null;
        }, millis);
    }

    // The temporary stylesheet changed: when the page links it as its last
    // stylesheet, its rules are swapped in place; otherwise the page loads.
    function restyleHolds() {
        const r = state.restyle;
        const sheets = document.styleSheets;
        return r.link.isConnected && r.link.sheet && sheets.length > 0 &&
               sheets[sheets.length - 1] === r.link.sheet;
    }

    // `path`: the stylesheet's file, which links name by that path (as a
    // file: address or beside the page's own address).
    function restyle(path, base64) {
        // A stylesheet reads as UTF-8 after a byte-order mark, in the
        // encoding its @charset names, else in the page's.
        const start = atob(base64.slice(0, 128));
        const charset = /^@charset "([^"]+)";/.exec(start);
        const css = decode(base64, start.startsWith('\xEF\xBB\xBF') ? 'utf-8'
                                   : charset ? charset[1] : null);
        const named = (l) => {
            try {
                return decodeURIComponent(new URL(l.href).pathname) === path;
            } catch (e) {
                return false;
            }
        };
        const links = Array.from(document.querySelectorAll('link')).filter(
            (l) => /(^|\s)stylesheet(\s|$)/i.test(l.rel) && named(l));
        if (!links.length)
            return 'unlinked';
        if (state.restyle && links.length === 1 && links[0] === state.restyle.link &&
            restyleHolds()) {
            state.restyle.sheet.replaceSync(css);
            return 'ok';
        }
        const link = links[links.length - 1];
        const sheets = document.styleSheets;
        if (links.length !== 1 || /@import/i.test(css) || link.media || link.title ||
            !link.sheet || sheets[sheets.length - 1] !== link.sheet)
            return 'reload';
        const sheet = new CSSStyleSheet({baseURL: link.href});
        sheet.replaceSync(css);
        link.sheet.disabled = true;
        document.adoptedStyleSheets = [...document.adoptedStyleSheets, sheet];
        state.restyle = {link: link, sheet: sheet};
        return 'ok';
    }

    // Ctrl+click on an element tells the program which one; the page never
    // sees that click. Only the user's own clicks: one the page makes up
    // (dispatchEvent, click()) is no choice of the user's. This world's
    // Event is not the page's: the page cannot make isTrusted say otherwise.
    window.addEventListener('click', (event) => {
        if (!event.isTrusted || !event.ctrlKey || event.button !== 0)
            return;
        event.preventDefault();
        event.stopImmediatePropagation();
        let el = event.target;
        if (el && el.nodeType !== 1)
            el = el.parentElement;
        if (el && state.bridge)
            state.bridge.post(JSON.stringify(Object.assign({kind: 'chosen'}, pathOf(el))));
    }, true);

    // Where the page is scrolled, told to the program a moment after the
    // scrolling stops: a full load of the page starts there again.
    let scrollTimer = 0;
    window.addEventListener('scroll', (event) => {
        if (!event.isTrusted)
            return;
        clearTimeout(scrollTimer);
        scrollTimer = setTimeout(() => {
            if (state.bridge)
                state.bridge.post(JSON.stringify({kind: 'scroll', x: window.scrollX,
                                                  y: window.scrollY}));
        }, 100);
    }, {passive: true});

    // The user scrolling the page (wheel, scroll bar, keys): the caret's rest
    // leaves the scrolling to the user for a moment.
    for (const type of ['wheel', 'mousedown', 'keydown', 'touchmove'])
        window.addEventListener(type, (event) => {
            if (event.isTrusted)
                state.userMoved = performance.now();
        }, {capture: true, passive: true});
    // A scroll that is not the outline's own (a drag of the scroll bar).
    window.addEventListener('scroll', () => {
        const own = state.ownScroll;
        state.ownScroll = null;
        if (!own || own[0] !== window.scrollX || own[1] !== window.scrollY)
            state.userMoved = performance.now();
    }, {passive: true});

    // A load of the page shown before starts where that one was scrolled:
    // as soon as the body is there, and again once pictures have given the
    // page its height, unless the user has scrolled meanwhile.
    function startAt(x, y) {
        if (!x && !y)
            return;
        let placed = false;
        const place = () => {
            if (placed && (window.scrollX !== state.placedX || window.scrollY !== state.placedY))
                return; // the user has moved it since
            window.scrollTo(x, y);
            placed = true;
            state.placedX = window.scrollX;
            state.placedY = window.scrollY;
        };
        document.addEventListener('DOMContentLoaded', place, {once: true});
        window.addEventListener('load', place, {once: true});
    }

    window.marklet = {
        patch: patch,
        loaded: loaded,
        highlight: highlight,
        restyle: restyle,
        startAt: startAt,
        outlined: () => state.outlined ? JSON.stringify(pathOf(state.outlined)) : '',
        patches: () => state.patches,
        broken: () => state.broken,
    };

    // The program's bridge; a page without one still takes patches.
    if (window.qt && window.QWebChannel) {
        try {
            new QWebChannel(qt.webChannelTransport, (channel) => {
                state.bridge = channel.objects.marklet;
            });
        } catch (e) {
            state.bridge = null;
        }
    }

    // A sign of life every second: the program takes a page that stops
    // giving them, and then does not answer, for hung.
    setInterval(() => {
        if (state.bridge)
            state.bridge.alive();
    }, 1000);
})();
