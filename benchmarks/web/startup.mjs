#!/usr/bin/env node
// The web site's start-up and size, measured in headless Chromium:
//
// - transfer size: every file of the published site and the files the page
//   fetches until the game's first answer, each as gzip -9 compresses it (as
//   a server that compresses would send it), beside the raw bytes;
// - time from navigation to the first `state` answer of the driver's page
//   (?driver=1&seed=1), beside the time from navigation to the first answer
//   of an empty page that loads the smallest Emscripten program, in turn in
//   the same run, each in a fresh browser profile (nothing cached).
//
//     node benchmarks/web/startup.mjs build/web/site build/web/site-driver \
//         build/web/benchmarks/web/empty-page-site [runs]
import { readdir, readFile } from "node:fs/promises";
import { join, relative, resolve } from "node:path";
import { gzipSync } from "node:zlib";
import { launch } from "../../tests/web/chromium.mjs";
import { serve } from "../../tests/web/server.mjs";

async function files(folder) {
    const found = [];
    for (const entry of await readdir(folder, { withFileTypes: true })) {
        const path = join(folder, entry.name);
        found.push(...(entry.isDirectory() ? await files(path) : [path]));
    }
    return found;
}

async function sizes(paths) {
    let raw = 0;
    let gzip = 0;
    for (const path of paths) {
        const data = await readFile(path);
        raw += data.length;
        gzip += gzipSync(data, { level: 9 }).length;
    }
    return { raw, gzip };
}

const kib = (bytes) => (bytes / 1024).toFixed(1).padStart(8) + " KiB";

// Milliseconds from navigation start to the first answer, measured by the
// page's own clock; `watch` runs in the page before any of its scripts.
async function firstAnswer(root, url, watch) {
    const server = await serve(root);
    const browser = await launch();
    try {
        const page = await browser.newPage();
        await page.evaluateOnNewDocument(watch);
        await page.goto(server.url + url);
        await page.waitForFunction(() => window.firstAnswer !== undefined, { timeout: 60000, polling: 5 });
        const answer = await page.evaluate(() => window.firstAnswer);
        return { ms: answer.ms, requests: [...server.requests] };
    } finally {
        await browser.close();
        await server.close();
    }
}

// Asks the game for its state as soon as the page's command exists.
function watchGame() {
    const ask = () => {
        if (typeof window.lexodrom?.command !== "function") {
            setTimeout(ask, 1);
            return;
        }
        window.lexodrom.command("state").then((text) => {
            window.firstAnswer = { ms: performance.now(), text };
        });
    };
    ask();
}

function noWatch() {}

const median = (values) => {
    const sorted = [...values].sort((a, b) => a - b);
    const middle = sorted.length >> 1;
    return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};

async function main() {
    const [site, driverSite, emptyPage, runsText] = process.argv.slice(2);
    if (!emptyPage) {
        throw new Error("usage: startup.mjs SITE DRIVER_SITE EMPTY_PAGE_SITE [runs]");
    }
    const runs = Number(runsText ?? 10);
    const published = await files(resolve(site));
    const total = await sizes(published);
    console.log(`site: ${published.length} files, ${kib(total.raw)} raw, ${kib(total.gzip)} gzip -9`);

    const game = [];
    const empty = [];
    let fetched = [];
    for (let run = 0; run < runs; ++run) {
        const answer = await firstAnswer(resolve(driverSite), "index.html?driver=1&seed=1", watchGame);
        game.push(answer.ms);
        fetched = answer.requests;
        empty.push((await firstAnswer(resolve(emptyPage), "index.html", noWatch)).ms);
    }
    // What the page fetched until its first answer, as the published site has it.
    const loaded = [...new Set(fetched)].map((path) => path.replace(/^\//, "") || "index.html")
        .map((path) => path.replace("lexodrom-driver.", "lexodrom."))
        .filter((path) => published.includes(join(resolve(site), path)));
    const first = await sizes(loaded.map((path) => join(resolve(site), path)));
    console.log(`fetched until the first answer: ${loaded.join(" ")}`);
    console.log(`  ${kib(first.raw)} raw, ${kib(first.gzip)} gzip -9`);
    const report = (label, values) => console.log(
        `${label.padEnd(28)} median ${median(values).toFixed(1).padStart(7)} ms  ` +
        `min ${Math.min(...values).toFixed(1).padStart(7)} ms  max ${Math.max(...values).toFixed(1).padStart(7)} ms  (${runs} runs)`);
    report("game: navigation to state", game);
    report("empty page: to first answer", empty);
    console.log(`game / empty page: ${(median(game) / median(empty)).toFixed(2)} x`);
    const wasm = published.filter((path) => path.endsWith(".wasm") || path.endsWith(".js"));
    for (const path of wasm) {
        const size = await sizes([path]);
        console.log(`  ${relative(resolve(site), path).padEnd(20)} ${kib(size.raw)} raw, ${kib(size.gzip)} gzip -9`);
    }
}

main().catch((error) => {
    console.error(error);
    process.exit(1);
});
