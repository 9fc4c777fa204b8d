// Marklet's own script in the preview pane, first part: turns a run of the
// page's live nodes into the nodes of a fresh parse of their new source,
// keeping every element that can stay. morphdom (bundled before this file)
// morphs one element into another; live_preview.js (after it) uses this part
// as window.markletMorph. Runs in the program's own world, like the rest.
(function () {
    'use strict';
    if (window.markletMorph)
        return;

    // Images, frames and media keep their element (and what they loaded)
    // when only their neighbours change: they are matched by what they show.
    const keyed = {IMG: 'src', IFRAME: 'src', VIDEO: 'src', AUDIO: 'src', EMBED: 'src',
                   OBJECT: 'data', LINK: 'href'};
    function keyOf(el) {
        const attr = keyed[el.nodeName];
        return attr ? el.nodeName + ' ' + (el.getAttribute(attr) || '') : null;
    }
    function assignKeys(nodes, keys) {
        const seen = new Map();
        const visit = (el) => {
            const key = keyOf(el);
            if (key !== null) {
                const n = (seen.get(key) || 0) + 1;
                seen.set(key, n);
                keys.set(el, key + '#' + n);
            }
            for (let c = el.firstElementChild; c; c = c.nextElementSibling)
                visit(c);
        };
        for (const node of nodes)
            if (node.nodeType === 1)
                visit(node);
    }

    // Form controls are replaced, not morphed, when they differ: morphdom
    // would carry their live state over as attributes the markup lacks.
    const controls = new Set(['INPUT', 'SELECT', 'OPTION', 'OPTGROUP', 'TEXTAREA']);

    // The parser takes attribute names that setAttribute refuses ('x"'):
    // an element with one is replaced rather than morphed.
    const probe = document.createElement('i');
    function settableName(name) {
        try {
            probe.setAttribute(name, '');
            return true;
        } catch (e) {
            return false;
        }
    }
    function settable(el) {
        for (const attr of el.attributes)
            if (!settableName(attr.name))
                return false;
        return true;
    }

    function morphElement(from, to, keys) {
        window.morphdom(from, to, {
            getNodeKey: (node) => keys.get(node),
            onBeforeElUpdated: (a, b) => {
                if (a.isEqualNode(b))
                    return false;
                if (!controls.has(a.nodeName) && settable(b))
                    return true;
                a.replaceWith(document.importNode(b, true));
                return false;
            },
        });
    }

    function compatible(a, b, keys) {
        if (a.nodeType !== b.nodeType)
            return false;
        if (a.nodeType !== 1)
            return true;
        return a.nodeName === b.nodeName && keys.get(a) === keys.get(b);
    }

    // Turns the live nodes `old` (children of `parent`, before `end`) into
    // `fresh` (from a parse), keeping every element that can stay.
    function morphRange(parent, old, fresh, end) {
        const keys = new WeakMap();
        assignKeys(old, keys);
        assignKeys(fresh, keys);
        let i = 0;
        for (let j = 0; j < fresh.length; ++j) {
            const to = fresh[j];
            if (i < old.length && compatible(old[i], to, keys)) {
                morphNode(old[i++], to, keys);
                continue;
            }
            // An old node further on that fits: the ones before it go.
            let k = i + 1;
            while (k < old.length && k < i + 8 && !compatible(old[k], to, keys))
                ++k;
            if (k < old.length && k < i + 8 && !(j + 1 < fresh.length && i < old.length &&
                                                 compatible(old[i], fresh[j + 1], keys))) {
                while (i < k)
                    old[i++].remove();
                morphNode(old[i++], to, keys);
                continue;
            }
            parent.insertBefore(document.importNode(to, true), i < old.length ? old[i] : end);
        }
        while (i < old.length)
            old[i++].remove();
    }

    function morphNode(from, to, keys) {
        if (from.nodeType === 1 && !settable(to))
            from.replaceWith(document.importNode(to, true));
        else if (from.nodeType === 1)
            morphElement(from, to, keys);
        else if (from.nodeValue !== to.nodeValue)
            from.nodeValue = to.nodeValue;
    }

    window.markletMorph = {range: morphRange, settableName: settableName};
})();
