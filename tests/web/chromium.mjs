// Debian's Chromium, headless, driven over the DevTools protocol. Each launch
// gets a profile of its own that is removed afterwards, so its storage
// (IndexedDB, where the game keeps hs.dat) starts empty, and nothing in it
// reaches out to the network or downloads anything.
import { mkdtemp, rm } from "node:fs/promises";
import { tmpdir } from "node:os";
import { join } from "node:path";
import puppeteer from "puppeteer-core";

export const CHROMIUM = process.env.LEXODROM_CHROMIUM ?? "/usr/bin/chromium";

export async function launch() {
    const profile = await mkdtemp(join(tmpdir(), "lexodrom-chromium-"));
    const browser = await puppeteer.launch({
        executablePath: CHROMIUM,
        ignoreDefaultArgs: true,
        args: [
            "--headless",
            "--no-sandbox",
            "--disable-gpu",
            "--no-first-run",
            "--disable-background-networking",
            "--disable-component-update",
            "--disable-sync",
            `--user-data-dir=${profile}`,
            "--remote-debugging-pipe",
        ],
        pipe: true,
        defaultViewport: { width: 1024, height: 768 },
        protocolTimeout: 120000,
    });
    const close = browser.close.bind(browser);
    browser.close = async () => {
        await close();
        await rm(profile, { recursive: true, force: true });
    };
    return browser;
}
