#!/usr/bin/env node
// The four dialogs in the page, each opened as a player opens it: the main
// window at start, the About box, the high-score table, and the name dialog
// at the end of a qualifying round.
//
//     node dialogs_test.mjs layout|names PAGE_FOLDER RESOURCE_SCRIPT WORDS_FILE
//
// layout: every control of every template sits at the pixel rectangle the
//   dialog-unit rule gives (x·bx/4, y·by/8, cx·bx/4, cy·by/8, rounded as
//   MulDiv rounds) for the base units of the template's font, measured here
//   in the page from the web font the site serves, read back from the DOM;
//   and the driver's `shot` of each dialog a PNG of its size that shows it.
// names: what a screen reader finds in Chromium's accessibility tree: each
//   dialog's role and caption, each control's role and name by the naming
//   rule, the radio buttons' state, the transcript a polite live region that
//   holds the computer's reply, and a message box as an alert dialog.
import { withGame } from "./page.mjs";
import { beginnerWords, controls, playRound } from "./round.mjs";
import { readTemplates } from "./templates.mjs";
import { check, finish } from "./checks.mjs";

const [mode, root, resourceScript, wordsFile] = process.argv.slice(2);
const templates = readTemplates(resourceScript);

const ABOUT = 100, MAIN = 102, SCORES = 103, NAME = 106;

// Windows asks for -MulDiv(points, 96, 72) pixels; the Linux build's font
// substitutes.
function mulDiv(a, b, c) {
    const product = a * b;
    const half = Math.trunc(c / 2);
    return product >= 0 ? Math.trunc((product + half) / c) : Math.trunc((product - half) / c);
}
function cssFont(template) {
    const family = template.font.startsWith("Courier") ? "Liberation Mono"
        : template.font === "Times New Roman" ? "Liberation Serif" : "Liberation Sans";
    return `${mulDiv(template.points, 96, 72)}px "${family}"`;
}

// --- layout -----------------------------------------------------------------

async function checkLayout(game, templateId) {
    const template = templates[templateId];
    const found = await game.page.evaluate(async (id, font) => {
        await document.fonts.load(font);
        const context = document.createElement("canvas").getContext("2d");
        context.font = font;
        const metrics = context.measureText("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        const dialogs = document.querySelectorAll(`.lexodrom-dialog[data-template="${id}"]`);
        const dialog = dialogs[dialogs.length - 1];
        if (!dialog) {
            return null;
        }
        const client = dialog.querySelector(".lexodrom-client").getBoundingClientRect();
        return {
            width: metrics.width,
            height: metrics.fontBoundingBoxAscent + metrics.fontBoundingBoxDescent,
            fontLoaded: document.fonts.check(font),
            dataBase: [Number(dialog.dataset.baseX), Number(dialog.dataset.baseY)],
            client: [client.width, client.height],
            items: [...dialog.querySelectorAll(".lexodrom-client [data-index]")].map((element) => {
                const rect = element.getBoundingClientRect();
                return {
                    index: Number(element.dataset.index), id: Number(element.dataset.id),
                    rect: [rect.left - client.left, rect.top - client.top, rect.width, rect.height],
                };
            }),
        };
    }, templateId, cssFont(template));
    check(found !== null, `template ${templateId}: no dialog in the page`);
    if (found === null) {
        return;
    }
    check(found.fontLoaded, `template ${templateId}: the font ${cssFont(template)} is not loaded`);
    const bx = Math.trunc((Math.trunc(Math.round(found.width) / 26) + 1) / 2);
    const by = Math.round(found.height);
    check(found.dataBase[0] === bx && found.dataBase[1] === by,
          `template ${templateId}: base units ${found.dataBase}, measured here ${bx},${by}`);
    const pixels = (x, y, cx, cy) => [mulDiv(x, bx, 4), mulDiv(y, by, 8), mulDiv(cx, bx, 4), mulDiv(cy, by, 8)];
    const client = pixels(0, 0, template.cx, template.cy).slice(2);
    check(found.client.every((v, i) => Math.abs(v - client[i]) < 0.01),
          `template ${templateId}: client area ${found.client}, expected ${client}`);
    check(found.items.length === template.items.length,
          `template ${templateId}: ${found.items.length} controls, the template has ${template.items.length}`);
    template.items.forEach((item, index) => {
        const element = found.items.find((e) => e.index === index);
        const what = `template ${templateId} control ${index} (id ${item.id}, ${item.kind} "${item.text}")`;
        check(element !== undefined, `${what}: not in the page`);
        if (element === undefined) {
            return;
        }
        check(element.id === item.id, `${what}: data-id ${element.id}`);
        const expected = pixels(item.x, item.y, item.cx, item.cy);
        if (item.style.includes("SS_ICON")) {
            expected[2] = expected[3] = 32;  // an icon takes its own size
        }
        check(element.rect.every((v, i) => Math.abs(v - expected[i]) < 0.01),
              `${what}: at ${element.rect.map((v) => +v.toFixed(2))}, the rule gives ${expected}`);
    });
    await checkPicture(game, templateId, client);
    console.log(`template ${templateId}: ${cssFont(template)}, base units ${bx},${by}, ${found.items.length} controls`);
}

// The driver's `shot` of the dialog: a PNG in the page's files, of the client
// area's pixel size, showing the dialog (its background and dark text), not
// an empty picture.
async function checkPicture(game, templateId, size) {
    const name = `dialog-${templateId}.png`;
    const answer = await game.command(`shot ${name}`);
    const complaint = await game.errors();
    check(answer === "" && complaint === "",
          `template ${templateId}: shot answers ${JSON.stringify(answer)}, ${JSON.stringify(complaint)}`);
    const picture = await game.page.evaluate(async (file) => {
        const bytes = await window.lexodrom.readFile(file);
        if (bytes === null) {
            return null;
        }
        const image = await createImageBitmap(new Blob([bytes], { type: "image/png" }));
        const context = new OffscreenCanvas(image.width, image.height).getContext("2d");
        context.drawImage(image, 0, 0);
        const pixels = context.getImageData(0, 0, image.width, image.height).data;
        const colours = new Map();
        let dark = 0;
        for (let i = 0; i < pixels.length; i += 4) {
            const colour = (pixels[i] << 16) | (pixels[i + 1] << 8) | pixels[i + 2];
            colours.set(colour, (colours.get(colour) ?? 0) + 1);
            dark += pixels[i + 3] === 255 && pixels[i] + pixels[i + 1] + pixels[i + 2] < 192;
        }
        const header = new DataView(bytes.buffer, bytes.byteOffset);
        return {
            signature: Array.from(bytes.subarray(1, 4), (b) => String.fromCharCode(b)).join(""),
            size: [header.getUint32(16), header.getUint32(20)],
            colours: colours.size,
            dark,
            commonest: Math.max(...colours.values()) / (image.width * image.height),
        };
    }, name);
    check(picture !== null, `template ${templateId}: shot wrote no ${name}`);
    if (picture === null) {
        return;
    }
    check(picture.signature === "PNG" && picture.size.every((v, i) => v === size[i]),
          `template ${templateId}: the picture is ${picture.signature} ${picture.size}, the dialog ${size}`);
    check(picture.colours >= 4 && picture.dark >= 50 && picture.commonest < 0.98,
          `template ${templateId}: the picture looks blank: ${JSON.stringify(picture)}`);
}

// --- names ------------------------------------------------------------------

// Edit boxes and list boxes by the label left of them on their line, else
// just above them, or by our own name where nothing labels them.
const FIELD_NAMES = {
    1000: "Schreibe einen Buchstaben, dann drücke oder klicke <Enter>:",
    1012: "Punkte",
    1020: "Wort",
    1007: "Spielverlauf",
    1017: "Bestenliste",
    1019: "Gib deinen Namen für die Bestenliste ein:",
};

function withoutMnemonic(text) {
    return text.replace(/&(&?)/g, "$1");
}

function expectedAccessible(item) {
    if (item.kind === "EDIT") {
        return { role: item.style.includes("ES_MULTILINE") ? "log" : "textbox", name: FIELD_NAMES[item.id] };
    }
    if (item.kind === "LISTBOX") {
        return { role: "listbox", name: FIELD_NAMES[item.id] };
    }
    if (item.kind === "BUTTON" && item.style.includes("RADIOBUTTON")) {
        return { role: "radio", name: withoutMnemonic(item.text) };
    }
    if (item.kind === "BUTTON" && item.style.includes("PUSHBUTTON")) {
        return { role: "button", name: withoutMnemonic(item.text) };
    }
    if (item.kind === "STATIC" && item.text) {
        return { role: null, name: withoutMnemonic(item.text) };
    }
    return null;  // a group box without a caption, an icon
}

const ROLES = new Set(["button", "radio", "textbox", "listbox", "log"]);

class AccessibilityTree {
    static async read(page) {
        const session = await page.createCDPSession();
        await session.send("Accessibility.enable");
        const { nodes } = await session.send("Accessibility.getFullAXTree");
        const tree = new AccessibilityTree(page, session, nodes);
        return tree;
    }

    constructor(page, session, nodes) {
        Object.assign(this, { page, session, nodes });
        this.byId = new Map(nodes.map((node) => [node.nodeId, node]));
        this.byDom = new Map(nodes.filter((n) => n.backendDOMNodeId).map((n) => [n.backendDOMNodeId, n]));
    }

    // The node of the last element the CSS selector finds, or undefined.
    async of(selector) {
        const { result } = await this.session.send("Runtime.evaluate", {
            expression: `[...document.querySelectorAll(${JSON.stringify(selector)})].pop()`,
        });
        if (!result.objectId) {
            return undefined;
        }
        const { node } = await this.session.send("DOM.describeNode", { objectId: result.objectId });
        return this.byDom.get(node.backendNodeId);
    }

    // The object a screen reader works with for a control's element: the
    // element itself, or the one control inside it (a radio button inside
    // the label that carries its text).
    control(node) {
        if (!node || ROLES.has(node.role?.value)) {
            return node;
        }
        const inner = [];
        const visit = (n) => {
            for (const child of n.childIds ?? []) {
                const c = this.byId.get(child);
                if (ROLES.has(c?.role?.value)) {
                    inner.push(c);
                } else if (c) {
                    visit(c);
                }
            }
        };
        visit(node);
        return inner.length === 1 ? inner[0] : node;
    }

    // Every name of the node's subtree, in order: what a screen reader reads.
    text(node) {
        const parts = [];
        const visit = (n) => {
            if (n.role?.value === "StaticText" || n.role?.value === "InlineTextBox") {
                if (n.role.value === "StaticText") {
                    parts.push(n.name?.value ?? "");
                }
                return;
            }
            for (const child of n.childIds ?? []) {
                visit(this.byId.get(child));
            }
        };
        visit(node);
        return parts.join("\n");
    }

    async close() {
        await this.session.detach();
    }
}

const property = (node, name) => node?.properties?.find((p) => p.name === name)?.value?.value;

async function checkNames(game, templateId) {
    const template = templates[templateId];
    const tree = await AccessibilityTree.read(game.page);
    const dialog = `.lexodrom-dialog[data-template="${templateId}"]`;
    const dialogNode = await tree.of(dialog);
    check(dialogNode?.role?.value === "dialog" && dialogNode?.name?.value === template.title,
          `template ${templateId}: the window is ${dialogNode?.role?.value} "${dialogNode?.name?.value}", ` +
          `expected dialog "${template.title}"`);
    for (const [index, item] of template.items.entries()) {
        const expected = expectedAccessible(item);
        if (expected === null) {
            continue;
        }
        const node = tree.control(await tree.of(`${dialog} .lexodrom-client [data-index="${index}"]`));
        const what = `template ${templateId} control ${index} (id ${item.id})`;
        check(node !== undefined && node !== null, `${what}: not in the accessibility tree`);
        if (!node) {
            continue;
        }
        // A label's text is its content, which the tree gives as text nodes.
        const name = node.name?.value || (item.kind === "STATIC" ? tree.text(node) : "");
        check(name === expected.name, `${what}: named "${name}", expected "${expected.name}"`);
        if (expected.role) {
            check(node.role?.value === expected.role, `${what}: role ${node.role?.value}, expected ${expected.role}`);
        }
        if (expected.role === "log") {
            check(property(node, "live") === "polite", `${what}: live ${property(node, "live")}, expected polite`);
        }
    }
    if (templateId === MAIN) {
        const state = controls(await game.state(), MAIN);
        for (const name of ["IDC_BEGINNER", "IDC_PRO"]) {
            const index = template.items.findIndex((item) => item.id === state[name].id);
            const node = tree.control(await tree.of(`${dialog} .lexodrom-client [data-index="${index}"]`));
            const checked = property(node, "checked");
            check(checked === String(state[name].checked),
                  `${name}: the tree says checked ${checked}, the game ${state[name].checked}`);
        }
    }
    await tree.close();
    console.log(`template ${templateId}: "${template.title}" and its controls read`);
}

// The computer's reply reaches the live region, and a message box is an
// alert dialog a screen reader announces with its text.
async function checkAnnouncements(game) {
    await game.command("set IDC_LETTER B");
    await game.command("click IDC_ENTER");
    const transcript = controls(await game.state(), MAIN).IDC_TRANSCRIPT.text;
    check(/Mein Buchstabe ist '.'/.test(transcript), `the computer did not reply: ${JSON.stringify(transcript)}`);
    let tree = await AccessibilityTree.read(game.page);
    const log = tree.nodes.filter((n) => n.role?.value === "log");
    check(log.length === 1, `${log.length} live logs in the tree`);
    if (log.length === 1) {
        const heard = tree.text(log[0]).replace(/\s+/g, " ").trim();
        check(heard === transcript.replace(/\s+/g, " ").trim(),
              `the live region reads ${JSON.stringify(heard)}, the transcript is ${JSON.stringify(transcript)}`);
        check(property(log[0], "live") === "polite", "the transcript is no polite live region");
    }
    await tree.close();

    // "Hilfe" where the page may open no tab: the missing-viewer box.
    await game.command("click IDC_HELP_BUTTON");
    const state = await game.state();
    check(state.active.kind === "messagebox", `after Hilfe the active window is ${JSON.stringify(state.active)}`);
    if (state.active.kind === "messagebox") {
        tree = await AccessibilityTree.read(game.page);
        const alerts = tree.nodes.filter((n) => n.role?.value === "alertdialog");
        check(alerts.length === 1 && alerts[0].name?.value === state.active.title,
              `alert dialogs ${JSON.stringify(alerts.map((a) => a.name?.value))}, expected "${state.active.title}"`);
        if (alerts.length === 1) {
            const heard = tree.text(alerts[0]).replace(/\s+/g, " ");
            check(heard.includes(state.active.text.replace(/\s+/g, " ").trim()),
                  `the box reads ${JSON.stringify(heard)}, its text is ${JSON.stringify(state.active.text)}`);
        }
        await tree.close();
        await game.command("click IDOK");
    }
}

const inspect = mode === "layout" ? checkLayout : checkNames;
if (mode !== "layout" && mode !== "names") {
    throw new Error("usage: dialogs_test.mjs layout|names PAGE_FOLDER RESOURCE_SCRIPT WORDS_FILE");
}

await withGame(root, { seed: 20261207, helpTab: false }, async (game) => {
    const active = async () => (await game.state()).active;
    await inspect(game, MAIN);
    if (mode === "names") {
        await checkAnnouncements(game);
    }
    await game.command("click IDC_ABOUT");
    check((await active()).template === ABOUT, "the About box did not open");
    await inspect(game, ABOUT);
    await game.command("click IDOK");
    await game.command("click IDC_SHOW_SCORES");
    check((await active()).template === SCORES, "the table did not open");
    await inspect(game, SCORES);
    await game.command("click IDOK");
    const end = await playRound(game, beginnerWords(wordsFile));
    check(end.active.template === NAME, `the round ended with ${JSON.stringify(end.active)}`);
    if (end.active.template === NAME) {
        await inspect(game, NAME);
    }
});

finish();
