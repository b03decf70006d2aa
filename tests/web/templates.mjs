// The dialog templates as the resource script (res/Resources.cpp) writes
// them, read by the tests so that every control's place and text comes from
// the one table every back end lays out.
import { readFileSync } from "node:fs";
import { dirname, join } from "node:path";

const cp1252 = new TextDecoder("windows-1252");

// A run of adjacent C string literals, as the program's bytes, as text.
function stringLiterals(source) {
    const bytes = [];
    for (const [, body] of source.matchAll(/"((?:[^"\\]|\\.)*)"/g)) {
        for (let i = 0; i < body.length; ++i) {
            if (body[i] === "\\") {
                const hex = /^x([0-9A-Fa-f]{1,2})/.exec(body.slice(i + 1));
                if (hex) {
                    bytes.push(parseInt(hex[1], 16));
                    i += hex[0].length;
                } else {
                    bytes.push(body.charCodeAt(++i));
                }
            } else {
                bytes.push(body.charCodeAt(i));
            }
        }
    }
    return cp1252.decode(Uint8Array.from(bytes));
}

const STRINGS = String.raw`((?:"(?:[^"\\]|\\.)*"\s*)+)`;
const ITEM = new RegExp(String.raw`\{"(\w+)",\s*${STRINGS},\s*(\w+),\s*(-?\d+),\s*(-?\d+),\s*(\d+),\s*(\d+),\s*([^,}]+)`, "g");
const DIALOG = new RegExp(String.raw`\{(IDD_\w+),\s*${STRINGS},([^"]*?)(\d+),\s*(\d+),\s*(\d+),\s*(\d+),\s*"([^"]+)",\s*(\d+),\s*\w+,\s*(?:true|false),\s*(k\w+)\}`, "g");

// { template id: { title, font, points, items: [{ kind, text, id, x, y, cx, cy, style }] } }
export function readTemplates(resourceScript) {
    const source = readFileSync(resourceScript, "latin1");
    const header = readFileSync(join(dirname(resourceScript), "resource.h"), "latin1");
    const ids = { IDOK: 1, IDCANCEL: 2, IDC_STATIC: -1 };
    for (const [, name, value] of header.matchAll(/constexpr \w+(?: \w+)? (\w+) = (0x[0-9A-Fa-f]+|\d+);/g)) {
        ids[name] = Number(value);
    }
    const arrays = {};
    for (const [, name, body] of source.matchAll(/const DialogItemTemplate (k\w+)\[\] = \{([\s\S]*?)\n\};/g)) {
        arrays[name] = [...body.matchAll(ITEM)].map((m) => ({
            kind: m[1], text: stringLiterals(m[2]), id: ids[m[3]],
            x: Number(m[4]), y: Number(m[5]), cx: Number(m[6]), cy: Number(m[7]), style: m[8].trim(),
        }));
    }
    const templates = {};
    for (const m of source.matchAll(DIALOG)) {
        templates[ids[m[1]]] = {
            title: stringLiterals(m[2]), cx: Number(m[6]), cy: Number(m[7]),
            font: m[8], points: Number(m[9]), items: arrays[m[10]],
        };
    }
    for (const [id, template] of Object.entries(templates)) {
        if (!template.items?.length || template.items.some((item) => item.id === undefined)) {
            throw new Error(`template ${id} not read from ${resourceScript}`);
        }
    }
    return templates;
}
