#!/usr/bin/env node
// The published site as a visitor's browser gets it from a static server:
// the game starts from index.html without the driver's page API, every file
// the page and its help pages name is there, the fonts come from the site,
// and the manifest lets the browser install the site as an app.
//
//     node site_test.mjs SITE_FOLDER
import { launch } from "./chromium.mjs";
import { serve } from "./server.mjs";
import { check, finish } from "./checks.mjs";

const [root] = process.argv.slice(2);

const server = await serve(root);
const browser = await launch();
try {
    const page = await browser.newPage();
    const errors = [];
    page.on("pageerror", (error) => errors.push(error.message));
    await page.goto(server.url, { waitUntil: "load" });
    await page.waitForSelector('.lexodrom-dialog[data-template="102"]', { timeout: 60000 });
    check(errors.length === 0, `errors in the page: ${errors.join("; ")}`);
    // The driver is never shipped: the published game takes no commands.
    const asked = await page.evaluate(() => window.lexodrom?.command
        ? window.lexodrom.command("state").then(() => "answered", () => "refused") : "absent");
    check(asked !== "answered", "the published page answers the driver's commands");
    const fonts = await page.evaluate(async () => {
        await document.fonts.ready;
        return [...document.fonts].filter((f) => f.status === "loaded").map((f) => f.family.replace(/"/g, ""));
    });
    check(fonts.includes("Liberation Sans"), `fonts loaded from the site: ${fonts}`);
    check(server.requests.includes("/fonts/LiberationSans-Regular.woff2"), "the main window's font was not fetched");

    // "Hilfe", clicked as a player clicks it, opens the help in a new tab.
    const opened = new Promise((resolve) => browser.on("targetcreated", (target) => resolve(target.url())));
    await page.click('.lexodrom-dialog[data-template="102"] [data-id="1005"]');
    const tab = await Promise.race([opened, new Promise((resolve) => setTimeout(() => resolve(null), 10000))]);
    check(tab === server.url + "help/index.html", `Hilfe opened ${tab}`);

    // Every page of the help and everything it links to.
    const pending = ["help/index.html"];
    const seen = new Set();
    while (pending.length) {
        const path = pending.pop();
        if (seen.has(path)) {
            continue;
        }
        seen.add(path);
        const found = await page.evaluate(async (url) => {
            const response = await fetch(url);
            return { status: response.status, text: response.ok ? await response.text() : "" };
        }, server.url + path);
        check(found.status === 200, `${path}: ${found.status}`);
        if (path.endsWith(".html")) {
            for (const [, link] of found.text.matchAll(/(?:href|src)="([^"#:]+)"/g)) {
                pending.push(path.replace(/[^/]*$/, "") + link);
            }
        }
    }
    check(seen.size >= 10, `only ${seen.size} help files reached from help/index.html`);

    const session = await page.createCDPSession();
    const manifest = await session.send("Page.getAppManifest");
    check(manifest.errors.length === 0, `manifest errors: ${JSON.stringify(manifest.errors)}`);
    const parsed = JSON.parse(manifest.data || "{}");
    check(parsed.name === "Lexodrom" && parsed.display === "standalone", `manifest ${manifest.data}`);
    for (const icon of parsed.icons ?? []) {
        const size = await page.evaluate(async (url) => {
            const image = new Image();
            image.src = url;
            await image.decode();
            return `${image.naturalWidth}x${image.naturalHeight}`;
        }, new URL(icon.src, server.url).href).catch((error) => String(error));
        check(icon.sizes === "any" || icon.sizes === size, `icon ${icon.src}: ${size}, the manifest says ${icon.sizes}`);
    }
    check(server.missing.filter((path) => path !== "/favicon.ico").length === 0,
          `not on the site: ${server.missing}`);
    console.log(`site: ${server.requests.length} requests, ${seen.size} help files, fonts ${[...new Set(fonts)]}`);
} finally {
    await browser.close();
    await server.close();
}

finish();
