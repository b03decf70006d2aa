// The page's side of Lexodrom's web back end, run before the program: the
// windows as DOM elements, the queue of the player's input for the program's
// event loop, the files in the browser's persistent storage, and
// window.lexodrom, through which a test drives the program as the native
// driver is driven on standard input. The program calls in through
// LexodromPage; nothing here calls into the program while it runs, so that
// Asyncify can keep the program's blocking calls.

var LexodromPage = (function () {
    'use strict';

    const params = new URLSearchParams(window.location.search);
    const ALPHABET = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz';
    const FILES = '/lexodrom';
    const EVENT = {
        Posted: 1, Click: 2, Key: 3, Focus: 4, SysCommand: 5, ContextMenu: 6, MenuChoose: 7,
        MenuDismiss: 8, Timer: 9, Input: 10, BoxOk: 11,
    };
    const SC_MINIMIZE = 0xF020;
    const SC_CLOSE = 0xF060;
    const SC_RESTORE = 0xF120;
    const KIND = {Button: 1, Radio: 2, Group: 3, Edit: 4, Transcript: 5, Static: 6, Icon: 7, List: 8};
    const FLAG = {NoPrefix: 1, Right: 2, ReadOnly: 4, TabStop: 8, Default: 16, Border: 32, SingleLine: 64};
    const STATE = {Enabled: 1, Visible: 2, Checked: 3, Default: 4, Limit: 5, RefuseForeign: 6};

    // The characters Windows-1252 holds: the program's text has no others.
    const windows1252 = new Set(new TextDecoder('windows-1252').decode(
        Uint8Array.from({length: 256}, (_, i) => i)));

    function deferred() {
        let resolve;
        const promise = new Promise((r) => { resolve = r; });
        return {promise, resolve};
    }

    const page = {
        driverMode: params.get('driver') === '1',
        driverAttached: false,
        queue: [],
        waiter: null,
        takenText: '',
        current: null,    // the command whose output is being written
        taken: [],        // commands run since the program last waited
        lasting: [],      // endInput: answered when the program ends
        errorText: '',
        ended: false,
        ready: deferred(),
        files: deferred(),
        savedFiles: '',
        elements: [null],
        layers: [],       // open dialogs, boxes and menus, innermost last
        programFocus: false,
        screen: null,
    };

    // ----- The event queue -------------------------------------------------

    page.push = function (event) {
        page.queue.push(event);
        if (page.waiter) {
            const wake = page.waiter;
            page.waiter = null;
            wake();
        }
    };

    page.waitForEvent = async function () {
        await page.idle();
        while (page.queue.length === 0) {
            await new Promise((resolve) => { page.waiter = resolve; });
        }
    };

    page.takeEvent = function (fields) {
        const event = page.queue.shift();
        if (!event) {
            return 0;
        }
        HEAP32[fields >> 2] = event.type;
        HEAP32[(fields >> 2) + 1] = event.target || 0;
        HEAP32[(fields >> 2) + 2] = event.a || 0;
        HEAP32[(fields >> 2) + 3] = event.b || 0;
        page.takenText = event.text || '';
        if (event.command) {
            page.current = event.command;
            (event.command.untilExit ? page.lasting : page.taken).push(event.command);
        }
        return 1;
    };

    page.eventText = function () {
        const size = lengthBytesUTF8(page.takenText) + 1;
        const buffer = _malloc(size);
        stringToUTF8(page.takenText, buffer, size);
        return buffer;
    };

    // The program waits for input: what changed in its files is stored, and
    // the commands it has run are answered.
    page.idle = async function () {
        await page.persist();
        const answered = page.taken;
        page.taken = [];
        page.current = null;
        for (const command of answered) {
            command.resolve(command.out);
        }
        page.ready.resolve();
    };

    page.programEnded = function () {
        // The program's last words (the driver's exit line) are written
        // after this call, in the same turn of the browser's loop.
        setTimeout(async () => {
            page.ended = true;
            showEnd();
            await page.persist();
            for (const command of page.taken.concat(page.lasting)) {
                command.resolve(command.out);
            }
            for (const event of page.queue) {
                if (event.command) {
                    event.command.resolve('');
                }
            }
            page.taken = [];
            page.lasting = [];
            page.queue = [];
            page.current = null;
            page.ready.resolve();
        }, 0);
    };

    // The game has ended as a program ends: the page says so and offers a
    // new start.
    function showEnd() {
        const note = document.createElement('p');
        note.className = 'lexodrom-ended';
        note.setAttribute('role', 'status');
        note.append('Lexodrom ist beendet. ');
        const again = document.createElement('a');
        again.href = window.location.href;
        again.textContent = 'Neu starten';
        note.append(again);
        screen().append(note);
    }

    page.print = function (line) {
        if (page.current) {
            page.current.out += line + '\n';
        } else {
            console.log(line);
        }
    };

    page.error = function (line) {
        page.errorText += line + '\n';
        console.warn(line);
    };

    // A browser fires the timers of a hidden tab rarely; the ticks due
    // meanwhile arrive together, so the game clock keeps to the wall clock.
    page.startInterval = function (key, milliseconds) {
        page.intervals = page.intervals || new Map();
        let due = performance.now() + milliseconds;
        page.intervals.set(key, setInterval(() => {
            const now = performance.now();
            for (let ticks = 0; now + milliseconds / 4 >= due && ticks < 3600; ++ticks) {
                page.push({type: EVENT.Timer, a: key});
                due += milliseconds;
            }
            due = Math.max(due, now - milliseconds);
        }, milliseconds));
    };

    page.stopInterval = function (key) {
        if (page.intervals && page.intervals.has(key)) {
            clearInterval(page.intervals.get(key));
            page.intervals.delete(key);
        }
    };

    // ----- Files -----------------------------------------------------------

    // What the files are now, to tell whether anything needs storing.
    function fileSummary() {
        const parts = [];
        for (const name of FS.readdir(FILES)) {
            if (name === '.' || name === '..') {
                continue;
            }
            const stat = FS.stat(FILES + '/' + name);
            parts.push(name + ':' + stat.size + ':' + stat.mtime.getTime());
        }
        return parts.sort().join('/');
    }

    // Stores what changed in IndexedDB. A failed store changes nothing there
    // (each store is one transaction) and is tried again the next time. The
    // game's own saves do not wait for this: they sync the file (fsync) and
    // learn there whether it was stored.
    page.persist = async function () {
        if (!page.filesMounted) {
            return;
        }
        const summary = fileSummary();
        if (summary === page.savedFiles) {
            return;
        }
        await new Promise((resolve) => {
            FS.syncfs(false, (error) => {
                if (error) {
                    console.error('Lexodrom: storing the files failed', error);
                } else {
                    page.savedFiles = summary;
                }
                resolve();
            });
        });
    };

    // Stores the files that changed since `remote` (IndexedDB) was read, and
    // removes the ones gone, in one transaction. Any failure (a request
    // refused, the quota reached, the transaction aborted) aborts it whole
    // and is reported, so the storage keeps everything as it was before.
    // Emscripten's IDBFS stores in one transaction too, but lets a failed
    // request pass (its handlers read the error of the wrong object and keep
    // the transaction going) and never reports an abort, so its caller waits
    // for ever.
    function storeChanges(local, remote, callback) {
        const changed = Object.keys(local.entries).filter((path) => {
            const stored = remote.entries[path];
            return !stored ||
                stored.timestamp.getTime() !== local.entries[path].timestamp.getTime();
        }).sort();
        const gone = Object.keys(remote.entries).filter((path) => !local.entries[path])
            .sort().reverse();
        if (changed.length === 0 && gone.length === 0) {
            callback(null);
            return;
        }
        let transaction;
        try {
            transaction = remote.db.transaction([IDBFS.DB_STORE_NAME], 'readwrite');
        } catch (error) {
            callback(error);
            return;
        }
        let failure = null;
        const fail = (error) => {
            failure = failure || error || new Error('storing the files failed');
            try {
                transaction.abort();
            } catch (finished) {
                // Aborted already: onabort reports it.
            }
        };
        transaction.oncomplete = () => callback(null);
        transaction.onabort = () =>
            callback(failure || transaction.error || new Error('storing the files was aborted'));
        try {
            const store = transaction.objectStore(IDBFS.DB_STORE_NAME);
            const watch = (request) => {
                request.onerror = () => {
                    failure = failure || request.error;
                };
            };
            for (const path of changed) {
                IDBFS.loadLocalEntry(path, (error, entry) => {
                    if (error) {
                        throw error;
                    }
                    watch(store.put(entry, path));
                });
            }
            for (const path of gone) {
                watch(store.delete(path));
            }
        } catch (error) {
            fail(error);
        }
    }

    // IndexedDB opens the files' database slowly, the more so when it first
    // creates it: that starts while the program is still being fetched and
    // compiled. mountFiles finds it open.
    page.openFiles = function () {
        IDBFS.getDB(FILES, () => {});
    };

    function mountFiles() {
        const reconcile = IDBFS.reconcile;
        IDBFS.reconcile = (source, target, callback) => (target.type === 'remote'
            ? storeChanges(source, target, callback) : reconcile(source, target, callback));
        FS.mkdir(FILES);
        FS.mount(IDBFS, {}, FILES);
        addRunDependency('lexodrom-files');
        FS.syncfs(true, (error) => {
            if (error) {
                console.error('Lexodrom: reading the stored files failed', error);
            }
            FS.chdir(FILES);
            page.filesMounted = true;
            page.savedFiles = fileSummary();
            page.files.resolve();
            removeRunDependency('lexodrom-files');
        });
    }

    // ----- Fonts and measuring ---------------------------------------------

    // The faces the page shows: the templates' fonts and the title bars'.
    // They load while the program itself loads and compiles; the program
    // starts once they are there.
    const FACES = ['16px "Liberation Sans"', 'bold 16px "Liberation Sans"', '16px "Liberation Mono"'];

    page.loadFonts = function () {
        const loads = FACES.map((face) => document.fonts.load(face, ALPHABET));
        // A page without the fonts still plays, measured in what it has.
        const late = new Promise((resolve) => setTimeout(resolve, 5000));
        page.fontsLoaded = Promise.race([Promise.allSettled(loads), late]);
    };

    function awaitFonts() {
        addRunDependency('lexodrom-fonts');
        page.fontsLoaded.then(() => removeRunDependency('lexodrom-fonts'));
    }

    function fontOf(family, pixels, bold, italic) {
        return (italic ? 'italic ' : '') + (bold ? 'bold ' : '') + pixels + 'px "' + family + '"';
    }

    // Base units as Windows defines them: the average width of A-Z a-z
    // (rounded as Windows rounds it) and the height of the font's lines.
    page.measure = function (family, pixels, bold, italic) {
        const context = (page.canvas = page.canvas || document.createElement('canvas'))
            .getContext('2d');
        context.font = fontOf(family, pixels, bold, italic);
        const metrics = context.measureText(ALPHABET);
        const width = Math.round(metrics.width);
        const x = Math.floor((Math.floor(width / 26) + 1) / 2);
        const y = Math.round(metrics.fontBoundingBoxAscent + metrics.fontBoundingBoxDescent);
        return [x, y];
    };

    // ----- Elements --------------------------------------------------------

    function screen() {
        if (!page.screen) {
            page.screen = document.getElementById('lexodrom');
            if (!page.screen) {
                page.screen = document.createElement('div');
                page.screen.id = 'lexodrom';
                document.body.appendChild(page.screen);
            }
            page.screen.classList.add('lexodrom-screen');
        }
        return page.screen;
    }

    function register(entry) {
        page.elements.push(entry);
        return page.elements.length - 1;
    }

    function entryOf(handle) {
        return page.elements[handle] || null;
    }

    // A text with '&' before its mnemonic, shown with the letter underlined.
    function fillMnemonic(node, text, noPrefix) {
        node.textContent = '';
        if (noPrefix) {
            node.textContent = text;
            return;
        }
        let plain = '';
        for (let i = 0; i < text.length; ++i) {
            if (text[i] === '&' && i + 1 < text.length) {
                ++i;
                if (text[i] !== '&') {
                    node.append(plain);
                    plain = '';
                    const letter = document.createElement('u');
                    letter.textContent = text[i];
                    node.append(letter);
                    continue;
                }
            }
            plain += text[i];
        }
        node.append(plain);
    }

    function withoutMnemonic(text) {
        return text.replace(/&(.)/g, '$1');
    }

    page.createDialog = function (templateId, caption, width, height, baseX, baseY, family,
                                  pixels, bold, sysMenu, minimizeBox) {
        const root = document.createElement('div');
        root.className = 'lexodrom-dialog';
        root.setAttribute('role', 'dialog');
        root.setAttribute('aria-modal', 'true');
        root.setAttribute('aria-label', caption);
        root.dataset.template = String(templateId);
        root.dataset.baseX = String(baseX);
        root.dataset.baseY = String(baseY);
        root.hidden = true;
        const bar = document.createElement('div');
        bar.className = 'lexodrom-caption';
        const icon = document.createElement('img');
        icon.className = 'lexodrom-caption-icon';
        icon.alt = '';
        icon.hidden = true;
        const title = document.createElement('span');
        title.className = 'lexodrom-title';
        title.textContent = caption;
        bar.append(icon, title);
        const entry = {kind: 'dialog', root, bar, icon, title, lastFocus: 0, controls: []};
        const handle = register(entry);
        const captionButton = (label, text, command) => {
            const button = document.createElement('button');
            button.type = 'button';
            button.className = 'lexodrom-caption-button';
            button.tabIndex = -1;
            button.setAttribute('aria-label', label);
            button.textContent = text;
            button.addEventListener('click', (event) => {
                event.stopPropagation();
                page.push({type: EVENT.SysCommand, target: handle, a: command});
            });
            bar.append(button);
        };
        if (minimizeBox) {
            captionButton('Minimieren', '_', SC_MINIMIZE);
        }
        if (sysMenu) {
            captionButton('Schlie\u00DFen', '\u00D7', SC_CLOSE);
        }
        bar.addEventListener('click', () => {
            if (root.classList.contains('lexodrom-minimized')) {
                page.push({type: EVENT.SysCommand, target: handle, a: SC_RESTORE});
            }
        });
        const client = document.createElement('div');
        client.className = 'lexodrom-client';
        client.style.width = width + 'px';
        client.style.height = height + 'px';
        client.style.font = fontOf(family, pixels, bold, false);
        root.append(bar, client);
        entry.client = client;
        root.addEventListener('contextmenu', (event) => {
            if (event.target.closest('input, textarea')) {
                return;
            }
            event.preventDefault();
            const origin = screen().getBoundingClientRect();
            page.push({type: EVENT.ContextMenu, target: handle,
                       a: Math.round(event.clientX - origin.left),
                       b: Math.round(event.clientY - origin.top)});
        });
        screen().append(root);
        return handle;
    };

    function place(node, x, y, width, height) {
        node.style.left = x + 'px';
        node.style.top = y + 'px';
        node.style.width = width + 'px';
        node.style.height = height + 'px';
    }

    // Whether an edit box takes `text` as its new content.
    function accepts(entry, text) {
        if (entry.limit > 0 && Array.from(text).length > entry.limit) {
            return false;
        }
        if (entry.refuseForeign) {
            for (const c of text) {
                if (!windows1252.has(c)) {
                    return false;
                }
            }
        }
        return true;
    }

    page.createControl = function (dialog, kind, index, id, text, x, y, width, height, flags,
                                   group) {
        const owner = entryOf(dialog);
        const entry = {kind, dialog, id, text, flags, limit: 0, refuseForeign: true};
        let root;
        let focusable = null;
        switch (kind) {
        case KIND.Button:
            root = focusable = document.createElement('button');
            root.type = 'button';
            root.className = 'lexodrom-button';
            fillMnemonic(root, text, false);
            root.classList.toggle('lexodrom-default', (flags & FLAG.Default) !== 0);
            break;
        case KIND.Radio: {
            root = document.createElement('label');
            root.className = 'lexodrom-radio';
            focusable = document.createElement('input');
            focusable.type = 'radio';
            focusable.name = 'lexodrom-' + dialog + '-' + group;
            entry.label = document.createElement('span');
            fillMnemonic(entry.label, text, false);
            root.append(focusable, entry.label);
            break;
        }
        case KIND.Group:
            root = document.createElement('fieldset');
            root.className = 'lexodrom-group';
            if (text) {
                entry.legend = document.createElement('legend');
                fillMnemonic(entry.legend, text, false);
                root.append(entry.legend);
            }
            break;
        case KIND.Edit:
            root = focusable = document.createElement('input');
            root.type = 'text';
            root.className = 'lexodrom-edit';
            root.autocomplete = 'off';
            root.spellcheck = false;
            root.readOnly = (flags & FLAG.ReadOnly) !== 0;
            root.addEventListener('beforeinput', (event) => {
                if (!event.inputType.startsWith('insert')) {
                    return;
                }
                const data = event.data !== null ? event.data
                    : (event.dataTransfer ? event.dataTransfer.getData('text/plain') : '');
                const value = root.value;
                const next = value.slice(0, root.selectionStart) + data.replace(/[\r\n]/g, '') +
                    value.slice(root.selectionEnd);
                if (!accepts(entry, next)) {
                    event.preventDefault();
                }
            });
            break;
        case KIND.Transcript:
            root = focusable = document.createElement('div');
            root.className = 'lexodrom-transcript';
            root.setAttribute('role', 'log');
            root.setAttribute('aria-live', 'polite');
            root.setAttribute('aria-readonly', 'true');
            entry.lines = [];
            break;
        case KIND.Icon:
            root = document.createElement('img');
            root.className = 'lexodrom-icon';
            root.alt = '';
            break;
        case KIND.List:
            root = focusable = document.createElement('div');
            root.className = 'lexodrom-list';
            root.setAttribute('role', 'listbox');
            break;
        default:
            root = document.createElement('div');
            root.className = 'lexodrom-static';
            fillMnemonic(root, text, (flags & FLAG.NoPrefix) !== 0);
            break;
        }
        root.classList.add('lexodrom-control');
        if ((flags & FLAG.Right) !== 0) {
            root.classList.add('lexodrom-right');
        }
        if ((flags & FLAG.Border) !== 0) {
            root.classList.add('lexodrom-border');
        }
        if ((flags & FLAG.SingleLine) !== 0) {
            root.classList.add('lexodrom-single-line');
        }
        root.dataset.id = String(id);
        root.dataset.index = String(index);
        place(root, x, y, width, height);
        if (focusable) {
            focusable.tabIndex = (flags & FLAG.TabStop) !== 0 ? 0 : -1;
        }
        entry.root = root;
        entry.focusable = focusable;
        const handle = register(entry);
        if (kind === KIND.Button || kind === KIND.Radio) {
            focusable.addEventListener('click', (event) => {
                event.stopPropagation();
                page.push({type: EVENT.Click, target: handle});
            });
        }
        if (focusable) {
            focusable.addEventListener('focus', () => {
                owner.lastFocus = handle;
                if (!page.programFocus) {
                    page.push({type: EVENT.Focus, target: handle});
                }
            });
        }
        owner.controls.push(handle);
        owner.client.append(root);
        return handle;
    };

    function transcriptLines(text) {
        const lines = text.split(/\r?\n/);
        return lines;
    }

    page.setText = function (handle, text) {
        const entry = entryOf(handle);
        if (!entry) {
            return;
        }
        entry.text = text;
        switch (entry.kind) {
        case 'dialog':
            entry.title.textContent = text;
            entry.root.setAttribute('aria-label', text);
            break;
        case KIND.Button:
            fillMnemonic(entry.root, text, false);
            break;
        case KIND.Radio:
            fillMnemonic(entry.label, text, false);
            break;
        case KIND.Group:
            if (entry.legend) {
                fillMnemonic(entry.legend, text, false);
            }
            break;
        case KIND.Edit:
            entry.root.value = text;
            break;
        case KIND.Transcript: {
            // The program rewrites the transcript whole after every line.
            // Where the new text only adds lines, only those go in, so that a
            // screen reader announces the new lines, not the whole transcript.
            const lines = transcriptLines(text);
            const old = entry.lines;
            let keep = 0;
            while (keep < old.length - 1 && keep < lines.length && old[keep] === lines[keep]) {
                ++keep;
            }
            const nodes = entry.root.children;
            while (nodes.length > keep) {
                nodes[nodes.length - 1].remove();
            }
            for (let i = keep; i < lines.length; ++i) {
                if (i === lines.length - 1 && lines[i] === '') {
                    break;  // the text ends with its last line's end
                }
                const line = document.createElement('div');
                line.textContent = lines[i] === '' ? '\u00A0' : lines[i];
                entry.root.append(line);
            }
            entry.lines = lines;
            entry.root.scrollTop = entry.root.scrollHeight;
            break;
        }
        case KIND.Static:
            fillMnemonic(entry.root, text, (entry.flags & FLAG.NoPrefix) !== 0);
            break;
        default:
            break;
        }
    };

    page.value = function (handle) {
        const entry = entryOf(handle);
        return entry && entry.kind === KIND.Edit ? entry.root.value : '';
    };

    page.setState = function (handle, state, value) {
        const entry = entryOf(handle);
        if (!entry) {
            return;
        }
        const target = entry.focusable || entry.root;
        switch (state) {
        case STATE.Enabled:
            if ('disabled' in target) {
                target.disabled = !value;
            }
            entry.root.classList.toggle('lexodrom-disabled', !value);
            break;
        case STATE.Visible:
            entry.root.hidden = !value;
            break;
        case STATE.Checked:
            if (entry.kind === KIND.Radio) {
                target.checked = !!value;
            }
            break;
        case STATE.Default:
            entry.root.classList.toggle('lexodrom-default', !!value);
            break;
        case STATE.Limit:
            entry.limit = value;
            break;
        case STATE.RefuseForeign:
            entry.refuseForeign = !!value;
            break;
        default:
            break;
        }
    };

    page.checked = function (handle) {
        const entry = entryOf(handle);
        return !!(entry && entry.kind === KIND.Radio && entry.focusable.checked);
    };

    function topLayer() {
        return page.layers.length ? page.layers[page.layers.length - 1] : 0;
    }

    function focusElement(node) {
        page.programFocus = true;
        try {
            node.focus({preventScroll: true});
        } finally {
            page.programFocus = false;
        }
    }

    // The control gets the focus of its dialog; the page's focus moves only
    // when that dialog is the window on top.
    page.focus = function (handle) {
        const entry = entryOf(handle);
        if (!entry || !entry.focusable) {
            return;
        }
        const owner = entryOf(entry.dialog);
        owner.lastFocus = handle;
        if (topLayer() === entry.dialog && !owner.root.hidden) {
            focusElement(entry.focusable);
        }
    };

    page.select = function (handle, start, end) {
        const entry = entryOf(handle);
        if (entry && entry.kind === KIND.Edit) {
            const length = entry.root.value.length;
            entry.root.setSelectionRange(Math.min(start, length), end < 0 ? length : Math.min(end, length));
        }
    };

    page.selectedAll = function (handle) {
        const entry = entryOf(handle);
        if (!entry || entry.kind !== KIND.Edit) {
            return false;
        }
        const input = entry.root;
        return input.value === '' ||
            (input.selectionStart === 0 && input.selectionEnd === input.value.length);
    };

    // Typing into an edit box as a player would: each character replaces the
    // selection if the box takes the result.
    page.type = function (handle, text) {
        const entry = entryOf(handle);
        if (!entry || entry.kind !== KIND.Edit) {
            return;
        }
        const input = entry.root;
        if (text === '') {
            const value = input.value;
            input.value = value.slice(0, input.selectionStart) + value.slice(input.selectionEnd);
            return;
        }
        for (const c of text) {
            const value = input.value;
            const start = input.selectionStart;
            const next = value.slice(0, start) + c + value.slice(input.selectionEnd);
            if (accepts(entry, next)) {
                input.value = next;
                input.setSelectionRange(start + c.length, start + c.length);
            }
        }
    };

    page.addLine = function (handle, text) {
        const entry = entryOf(handle);
        if (entry && entry.kind === KIND.List) {
            const line = document.createElement('div');
            line.setAttribute('role', 'option');
            line.textContent = text;
            entry.root.append(line);
        }
    };

    page.setName = function (handle, name) {
        const entry = entryOf(handle);
        if (!entry) {
            return;
        }
        if (entry.kind === KIND.Edit || entry.kind === KIND.List || entry.kind === KIND.Transcript ||
            entry.kind === KIND.Button || entry.kind === KIND.Radio) {
            entry.focusable.setAttribute('aria-label', name);
        } else if (entry.kind === KIND.Group && name) {
            entry.root.setAttribute('aria-label', name);
        }
    };

    // Draws an XPM image (the program's icon format) into a data URL.
    function xpmToDataUrl(lines) {
        const [width, height, count, perPixel] = lines[0].trim().split(/\s+/).map(Number);
        const colours = new Map();
        for (let i = 1; i <= count; ++i) {
            const line = lines[i];
            const key = line.slice(0, perPixel);
            const match = /\sc\s+(\S+)/.exec(line.slice(perPixel));
            colours.set(key, match ? match[1] : 'None');
        }
        const canvas = document.createElement('canvas');
        canvas.width = width;
        canvas.height = height;
        const context = canvas.getContext('2d');
        for (let y = 0; y < height; ++y) {
            const row = lines[1 + count + y] || '';
            for (let x = 0; x < width; ++x) {
                const colour = colours.get(row.slice(x * perPixel, (x + 1) * perPixel));
                if (colour && colour.toLowerCase() !== 'none') {
                    context.fillStyle = colour;
                    context.fillRect(x, y, 1, 1);
                }
            }
        }
        return canvas.toDataURL('image/png');
    }

    page.setIcon = function (handle, lines) {
        const entry = entryOf(handle);
        if (!entry) {
            return;
        }
        const url = xpmToDataUrl(lines);
        if (entry.kind === 'dialog') {
            entry.icon.src = url;
            entry.icon.hidden = false;
        } else if (entry.kind === KIND.Icon) {
            entry.root.src = url;
        }
    };

    // A window over the others: a cover takes the clicks meant for the
    // windows beneath, as a modal window's owners take none.
    function raise(handle, node, cover) {
        const depth = page.layers.length;
        if (cover) {
            const blocker = document.createElement('div');
            blocker.className = 'lexodrom-cover';
            blocker.style.zIndex = String(10 + 2 * depth);
            screen().append(blocker);
            entryOf(handle).cover = blocker;
        }
        node.style.zIndex = String(11 + 2 * depth);
        page.layers.push(handle);
    }

    function centre(node, over) {
        const area = screen();
        let left;
        let top;
        if (over) {
            left = over.offsetLeft + (over.offsetWidth - node.offsetWidth) / 2;
            top = over.offsetTop + (over.offsetHeight - node.offsetHeight) / 2;
        } else {
            left = (area.clientWidth - node.offsetWidth) / 2;
            top = 16;
        }
        node.style.left = Math.max(0, Math.round(left)) + 'px';
        node.style.top = Math.max(0, Math.round(top)) + 'px';
    }

    page.show = function (handle, owner) {
        const entry = entryOf(handle);
        entry.root.hidden = false;
        const ownerEntry = owner ? entryOf(owner) : null;
        centre(entry.root, ownerEntry ? ownerEntry.root : null);
        raise(handle, entry.root, page.layers.length > 0);
        if (entry.lastFocus) {
            focusElement(entryOf(entry.lastFocus).focusable);
        }
    };

    page.remove = function (handle) {
        const entry = entryOf(handle);
        if (!entry) {
            return;
        }
        entry.root.remove();
        if (entry.cover) {
            entry.cover.remove();
        }
        for (const control of entry.controls || []) {
            page.elements[control] = null;
        }
        page.elements[handle] = null;
        const at = page.layers.indexOf(handle);
        if (at >= 0) {
            page.layers.splice(at, 1);
        }
        // The window beneath takes the focus back where it had it.
        const top = entryOf(topLayer());
        if (top && top.lastFocus && entryOf(top.lastFocus)) {
            focusElement(entryOf(top.lastFocus).focusable);
        } else if (top && top.focusTarget) {
            focusElement(top.focusTarget);
        }
    };

    page.setMinimized = function (handle, minimized) {
        const entry = entryOf(handle);
        if (entry) {
            entry.root.classList.toggle('lexodrom-minimized', !!minimized);
        }
    };

    page.moveBy = function (handle, dx, dy) {
        const entry = entryOf(handle);
        if (entry) {
            entry.root.style.left = (entry.root.offsetLeft + dx) + 'px';
            entry.root.style.top = (entry.root.offsetTop + dy) + 'px';
        }
    };

    const ICONS = {0x10: ['error', '\u2716'], 0x20: ['question', '?'], 0x30: ['exclamation', '!'],
                   0x40: ['information', 'i']};

    // A message box as Windows draws one: the icon left of the text, and OK.
    page.createMessageBox = function (caption, text, iconBits) {
        const root = document.createElement('div');
        root.className = 'lexodrom-dialog lexodrom-messagebox';
        root.setAttribute('role', 'alertdialog');
        root.setAttribute('aria-modal', 'true');
        root.setAttribute('aria-label', caption);
        const bar = document.createElement('div');
        bar.className = 'lexodrom-caption';
        const title = document.createElement('span');
        title.className = 'lexodrom-title';
        title.textContent = caption;
        bar.append(title);
        const body = document.createElement('div');
        body.className = 'lexodrom-messagebox-body';
        const icon = ICONS[iconBits & 0xF0];
        if (icon) {
            const glyph = document.createElement('div');
            glyph.className = 'lexodrom-messagebox-icon lexodrom-icon-' + icon[0];
            glyph.setAttribute('aria-hidden', 'true');
            glyph.textContent = icon[1];
            body.append(glyph);
        }
        const message = document.createElement('div');
        message.className = 'lexodrom-messagebox-text';
        message.id = 'lexodrom-message-' + page.elements.length;
        message.textContent = text.replace(/\r\n/g, '\n');
        root.setAttribute('aria-describedby', message.id);
        body.append(message);
        const buttons = document.createElement('div');
        buttons.className = 'lexodrom-messagebox-buttons';
        const ok = document.createElement('button');
        ok.type = 'button';
        ok.className = 'lexodrom-button lexodrom-default';
        ok.textContent = 'OK';
        buttons.append(ok);
        root.append(bar, body, buttons);
        const entry = {kind: 'box', root, focusTarget: ok};
        const handle = register(entry);
        ok.addEventListener('click', () => page.push({type: EVENT.BoxOk, target: handle}));
        screen().append(root);
        const over = entryOf(topLayer());
        centre(root, over ? over.root : null);
        raise(handle, root, true);
        focusElement(ok);
        return handle;
    };

    page.createMenu = function (dialog, x, y) {
        const owner = entryOf(dialog);
        const root = document.createElement('div');
        root.className = 'lexodrom-menu';
        root.setAttribute('role', 'menu');
        root.setAttribute('aria-label', owner ? owner.title.textContent : '');
        root.tabIndex = -1;
        const entry = {kind: 'menu', root, focusTarget: root};
        const handle = register(entry);
        if (x < 0 && owner) {
            x = owner.root.offsetLeft;
            y = owner.root.offsetTop + owner.bar.offsetHeight;
        }
        root.style.left = Math.max(0, x) + 'px';
        root.style.top = Math.max(0, y) + 'px';
        screen().append(root);
        raise(handle, root, true);
        entry.cover.addEventListener('mousedown',
                                     () => page.push({type: EVENT.MenuDismiss, target: handle}));
        entry.cover.addEventListener('contextmenu', (event) => event.preventDefault());
        focusElement(root);
        return handle;
    };

    page.addMenuItem = function (menu, index, text, enabled) {
        const entry = entryOf(menu);
        if (!entry) {
            return;
        }
        if (text === '') {
            const line = document.createElement('div');
            line.className = 'lexodrom-menu-separator';
            line.setAttribute('role', 'separator');
            entry.root.append(line);
            return;
        }
        const item = document.createElement('div');
        item.className = 'lexodrom-menu-item';
        item.setAttribute('role', 'menuitem');
        item.setAttribute('aria-label', withoutMnemonic(text.split('\t')[0]));
        if (!enabled) {
            item.setAttribute('aria-disabled', 'true');
        }
        const [label, shortcut] = text.split('\t');
        const name = document.createElement('span');
        fillMnemonic(name, label, false);
        item.append(name);
        if (shortcut) {
            const keys = document.createElement('span');
            keys.className = 'lexodrom-menu-shortcut';
            keys.textContent = shortcut;
            item.append(keys);
        }
        item.addEventListener('click', () => {
            if (enabled) {
                page.push({type: EVENT.MenuChoose, target: menu, a: index});
            }
        });
        entry.root.append(item);
    };

    page.beep = function () {
        try {
            const AudioContext = window.AudioContext || window.webkitAudioContext;
            page.audio = page.audio || new AudioContext();
            const tone = page.audio.createOscillator();
            const volume = page.audio.createGain();
            volume.gain.value = 0.1;
            tone.frequency.value = 880;
            tone.connect(volume).connect(page.audio.destination);
            tone.start();
            tone.stop(page.audio.currentTime + 0.12);
        } catch (error) {
            // A page that may not play sound stays silent.
        }
    };

    page.openHelp = function () {
        let tab = null;
        try {
            tab = window.open('help/index.html', '_blank');
        } catch (error) {
            tab = null;
        }
        if (!tab) {
            return false;
        }
        try {
            tab.opener = null;
        } catch (error) {
            // Another origin's page keeps its own opener.
        }
        return true;
    };

    // ----- Pictures ----------------------------------------------------------

    function base64(bytes) {
        let text = '';
        for (let i = 0; i < bytes.length; i += 0x8000) {
            text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
        }
        return btoa(text);
    }

    // The page's style rules as text, its fonts as data: URLs: an SVG drawn as
    // an image loads nothing of its own.
    async function pictureStyle() {
        if (page.pictureStyle) {
            return page.pictureStyle;
        }
        const rules = [];
        for (const sheet of document.styleSheets) {
            for (const rule of sheet.cssRules) {
                if (!(rule instanceof CSSFontFaceRule)) {
                    rules.push(rule.cssText);
                    continue;
                }
                const source = /url\("?([^")]+)"?\)/.exec(rule.style.getPropertyValue('src'));
                if (!source) {
                    continue;
                }
                const url = new URL(source[1], sheet.href || document.baseURI);
                const bytes = new Uint8Array(await (await fetch(url)).arrayBuffer());
                rules.push('@font-face { font-family: ' + rule.style.getPropertyValue('font-family') +
                           '; font-weight: ' + (rule.style.getPropertyValue('font-weight') || '400') +
                           '; src: url(data:application/octet-stream;base64,' + base64(bytes) + '); }');
            }
        }
        page.pictureStyle = rules.join('\n');
        return page.pictureStyle;
    }

    // A copy of `node` that shows what the player sees: the values typed, the
    // checked buttons and the scrolled lines, which copying the elements loses.
    function copyAsShown(node) {
        const copy = node.cloneNode(true);
        const originals = [node, ...node.querySelectorAll('*')];
        const copies = [copy, ...copy.querySelectorAll('*')];
        originals.forEach((original, i) => {
            const shown = copies[i];
            if (original instanceof HTMLInputElement) {
                shown.setAttribute('value', original.value);
                if (original.checked) {
                    shown.setAttribute('checked', '');
                }
            }
            if (original.scrollTop > 0 && shown.firstElementChild) {
                shown.firstElementChild.style.marginTop = -original.scrollTop + 'px';
            }
        });
        return copy;
    }

    // A PNG of the active window's client area, drawn from its elements (an
    // SVG foreignObject with the page's styles and fonts, on a canvas), as
    // bytes; null when there is no window.
    async function picture() {
        const entry = entryOf(topLayer());
        if (!entry) {
            return null;
        }
        let area = entry.kind === 'dialog' ? entry.client : entry.root;
        const width = area.clientWidth;
        let height = area.clientHeight;
        area = copyAsShown(area);
        if (entry.kind === 'box') {
            // A message box's client area is all of it below the title bar.
            area.querySelector('.lexodrom-caption').remove();
            height -= entry.root.querySelector('.lexodrom-caption').offsetHeight;
        }
        const shown = document.createElement('div');
        // The window's background and text colour.
        shown.className = entry.kind === 'menu' ? '' : 'lexodrom-dialog';
        shown.setAttribute('style', 'position: relative; margin: 0; border: 0; box-shadow: none; ' +
                           'overflow: hidden; width: ' + width + 'px; height: ' + height + 'px');
        area.style.position = 'relative';
        area.style.left = area.style.top = '0';
        area.style.border = area.style.boxShadow = 'none';
        const style = document.createElement('style');
        style.textContent = await pictureStyle();
        shown.append(style, area);
        const svg = '<svg xmlns="http://www.w3.org/2000/svg" width="' + width + '" height="' + height +
            '"><foreignObject x="0" y="0" width="100%" height="100%">' +
            new XMLSerializer().serializeToString(shown) + '</foreignObject></svg>';
        const image = new Image(width, height);
        image.src = 'data:image/svg+xml;charset=utf-8,' + encodeURIComponent(svg);
        await image.decode();
        const canvas = document.createElement('canvas');
        canvas.width = width;
        canvas.height = height;
        canvas.getContext('2d').drawImage(image, 0, 0);
        const blob = await new Promise((resolve) => canvas.toBlob(resolve, 'image/png'));
        return new Uint8Array(await blob.arrayBuffer());
    }

    // The driver's `shot`: the picture goes into the game's directory.
    page.shot = async function (path) {
        try {
            const bytes = await picture();
            if (!bytes) {
                return 0;
            }
            FS.writeFile(path, bytes);
            return 1;
        } catch (error) {
            console.error('Lexodrom: the picture failed', error);
            return 0;
        }
    };

    // ----- Keys ------------------------------------------------------------

    const NAMED = {Enter: 'Enter', Escape: 'Escape', ArrowLeft: 'Left', ArrowRight: 'Right',
                   ArrowUp: 'Up', ArrowDown: 'Down'};

    // The key's name as the driver names it, or null for keys the page
    // leaves to the browser.
    function keyName(event) {
        if (event.ctrlKey || event.metaKey) {
            return null;
        }
        if (event.key === 'Tab') {
            return event.shiftKey ? 'Shift+Tab' : 'Tab';
        }
        if (event.key === ' ' || event.code === 'Space') {
            return event.altKey ? 'Alt+Space' : 'Space';
        }
        if (event.altKey) {
            if (event.key === 'F4') {
                return 'Alt+F4';
            }
            if (event.key.length === 1) {
                return 'Alt+' + event.key;
            }
            const code = /^Key([A-Z])$/.exec(event.code);
            return code ? 'Alt+' + code[1].toLowerCase() : null;
        }
        if (NAMED[event.key]) {
            return NAMED[event.key];
        }
        return event.key.length === 1 ? event.key : null;
    }

    function onKeyDown(event) {
        const top = entryOf(topLayer());
        if (!top) {
            return;
        }
        const name = keyName(event);
        if (!name) {
            return;
        }
        let take = true;
        if (top.kind === 'dialog') {
            const focused = document.activeElement;
            const inEdit = focused && focused.classList &&
                focused.classList.contains('lexodrom-edit') && top.root.contains(focused);
            const typing = name === 'Space' || name.length === 1 ||
                ['Left', 'Right', 'Up', 'Down'].includes(name);
            take = !(inEdit && typing);
        }
        if (take) {
            event.preventDefault();
            event.stopPropagation();
            page.push({type: EVENT.Key, text: name});
        }
    }

    // ----- window.lexodrom ---------------------------------------------------

    function command(line, untilExit) {
        if (page.ended) {
            return Promise.resolve('');
        }
        return page.ready.promise.then(() => new Promise((resolve, reject) => {
            if (page.ended) {
                resolve('');
                return;
            }
            if (!page.driverAttached) {
                reject(new Error('this build of Lexodrom takes no commands'));
                return;
            }
            const entry = {out: '', resolve, untilExit};
            page.push({type: EVENT.Input, text: untilExit ? '' : line + '\n', a: untilExit ? 1 : 0,
                       command: entry});
        }));
    }

    window.lexodrom = {
        get ready() {
            return page.ready.promise;
        },
        command: (line) => command(String(line), false),
        endInput: () => command('', true),
        errors() {
            const text = page.errorText;
            page.errorText = '';
            return text;
        },
        async readFile(name) {
            await page.files.promise;
            try {
                return FS.readFile(FILES + '/' + name, {encoding: 'binary'});
            } catch (error) {
                return null;
            }
        },
        async writeFile(name, bytes) {
            await page.files.promise;
            const path = FILES + '/' + name;
            if (bytes === null) {
                try {
                    FS.unlink(path);
                } catch (error) {
                    // Nothing there to remove.
                }
            } else {
                FS.writeFile(path, new Uint8Array(bytes));
            }
            await page.persist();
        },
    };

    // ----- Start-up --------------------------------------------------------

    function addStyle() {
        const style = document.createElement('style');
        style.textContent = `
.lexodrom-screen { position: relative; min-height: 100vh; }
.lexodrom-dialog { position: absolute; background: #f0f0f0; color: #000;
  border: 1px solid #6d6d6d; box-shadow: 2px 2px 6px rgba(0, 0, 0, 0.35); }
.lexodrom-caption { display: flex; align-items: center; gap: 4px; height: 22px; padding: 0 2px 0 4px;
  background: linear-gradient(to right, #0a246a, #a6caf0); color: #fff;
  font: bold 12px "Liberation Sans", sans-serif; user-select: none; }
.lexodrom-caption-icon { width: 16px; height: 16px; }
.lexodrom-title { flex: 1; white-space: nowrap; overflow: hidden; }
.lexodrom-caption-button { width: 18px; height: 16px; padding: 0; font: bold 12px "Liberation Sans", sans-serif;
  line-height: 12px; background: #d4d0c8; border: 1px outset #fff; }
.lexodrom-client { position: relative; }
.lexodrom-minimized .lexodrom-client { display: none; }
.lexodrom-control { position: absolute; box-sizing: border-box; margin: 0; font: inherit; }
.lexodrom-button { padding: 0; background: #e1e1e1; border: 1px solid #adadad; color: #000; }
.lexodrom-button:focus { outline: 1px dotted #000; outline-offset: -4px; }
.lexodrom-default { border: 2px solid #0078d7; }
.lexodrom-button:disabled { color: #a0a0a0; }
.lexodrom-radio { display: flex; align-items: center; gap: 3px; white-space: nowrap; }
.lexodrom-radio input { margin: 0; }
.lexodrom-group { border: 1px solid #c0c0c0; padding: 0; }
.lexodrom-group legend { padding: 0 2px; }
.lexodrom-edit { padding: 0 2px; border: 1px solid #7a7a7a; background: #fff; color: #000; outline: none; }
.lexodrom-edit:read-only { background: #f0f0f0; }
.lexodrom-transcript { overflow: hidden; white-space: pre-wrap; padding: 1px 2px; background: #fff;
  border: 1px solid #7a7a7a; }
.lexodrom-list { overflow-y: auto; white-space: pre; background: #fff; border: 1px solid #7a7a7a; }
.lexodrom-static { white-space: normal; }
.lexodrom-single-line { white-space: nowrap; overflow: visible; }
.lexodrom-right { text-align: right; }
.lexodrom-disabled { color: #a0a0a0; }
.lexodrom-cover { position: absolute; inset: 0; }
.lexodrom-ended { margin: 0; padding: 16px; font: 15px "Liberation Sans", sans-serif; }
.lexodrom-messagebox { min-width: 180px; max-width: 480px; font: 15px "Liberation Sans", sans-serif; }
.lexodrom-messagebox-body { display: flex; gap: 12px; align-items: flex-start; padding: 14px 14px 8px; }
.lexodrom-messagebox-icon { flex: none; width: 32px; height: 32px; border-radius: 50%; color: #fff;
  font: bold 20px/32px "Liberation Sans", sans-serif; text-align: center; }
.lexodrom-icon-error { background: #d32f2f; }
.lexodrom-icon-question, .lexodrom-icon-information { background: #1e63c4; }
.lexodrom-icon-exclamation { background: #f2c200; color: #000; border-radius: 0;
  clip-path: polygon(50% 0, 100% 100%, 0 100%); line-height: 38px; }
.lexodrom-messagebox-text { white-space: pre-wrap; padding-top: 6px; }
.lexodrom-messagebox-buttons { display: flex; justify-content: center; padding: 4px 0 10px; }
.lexodrom-messagebox-buttons .lexodrom-button { position: static; width: 75px; height: 23px; font: inherit; }
.lexodrom-menu { position: absolute; min-width: 200px; padding: 2px 0; background: #f0f0f0;
  border: 1px solid #979797; box-shadow: 2px 2px 4px rgba(0, 0, 0, 0.3);
  font: 13px "Liberation Sans", sans-serif; outline: none; }
.lexodrom-menu-item { display: flex; justify-content: space-between; gap: 24px; padding: 3px 20px; cursor: default; }
.lexodrom-menu-item:hover { background: #91c9f7; }
.lexodrom-menu-item[aria-disabled="true"] { color: #a0a0a0; }
.lexodrom-menu-item[aria-disabled="true"]:hover { background: none; }
.lexodrom-menu-separator { height: 1px; margin: 3px 2px; background: #c0c0c0; }
`;
        document.head.append(style);
    }

    page.start = function () {
        addStyle();
        document.addEventListener('keydown', onKeyDown, true);
        awaitFonts();
        mountFiles();
    };

    return page;
})();

LexodromPage.loadFonts();
Module['preInit'] = (Module['preInit'] || []).concat([LexodromPage.openFiles]);
Module['preRun'] = (Module['preRun'] || []).concat([LexodromPage.start]);
Module['print'] = LexodromPage.print;
Module['printErr'] = LexodromPage.error;
(function () {
    const seed = new URLSearchParams(window.location.search).get('seed');
    if (seed !== null && /^\d+$/.test(seed)) {
        Module['arguments'] = ['--seed', seed];
    }
})();
