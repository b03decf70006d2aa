// The game's page in Chromium, steered through window.lexodrom: the driver
// protocol of docs/driver.md, and the files of the game's directory in the
// browser's persistent storage.
import { launch } from "./chromium.mjs";
import { serve } from "./server.mjs";

// Opens the test page of `root` (the driver page: the site with the driver
// API) with `?seed=N&driver=1`, and waits until the main window takes input.
// With `helpTab: false` the page can open no tab, as a blocked pop-up cannot
// (headless Chromium blocks none itself), so "Hilfe" fails as it does
// natively without a help viewer.
export async function openGame(root, { seed, driver = true, helpTab = true } = {}) {
    const server = await serve(root);
    const browser = await launch();
    const page = await browser.newPage();
    if (!helpTab) {
        await page.evaluateOnNewDocument(() => {
            window.open = () => null;
        });
    }
    const messages = [];
    page.on("console", (message) => messages.push(`console.${message.type()}: ${message.text()}`));
    page.on("pageerror", (error) => messages.push(`page error: ${error.message}`));
    const game = new Game(server, browser, page, messages, { seed, driver });
    await game.load();
    return game;
}

export class Game {
    constructor(server, browser, page, messages, { seed, driver }) {
        Object.assign(this, { server, browser, page, messages });
        const parameters = new URLSearchParams();
        if (seed !== undefined) {
            parameters.set("seed", String(seed));
        }
        if (driver) {
            parameters.set("driver", "1");
        }
        const query = parameters.toString();
        this.url = this.server.url + "index.html" + (query ? "?" + query : "");
    }

    async load() {
        await this.page.goto(this.url, { waitUntil: "load" });
        await this.ready();
    }

    async reload() {
        await this.page.reload({ waitUntil: "load" });
        await this.ready();
    }

    async ready() {
        await this.page.waitForFunction(() => window.lexodrom !== undefined, { timeout: 60000 });
        await this.page.evaluate(() => window.lexodrom.ready);
    }

    // The text the native driver prints on standard output for LINE.
    command(line) {
        return this.page.evaluate((l) => window.lexodrom.command(l), line);
    }

    async state() {
        return JSON.parse(await this.command("state"));
    }

    endInput() {
        return this.page.evaluate(() => window.lexodrom.endInput());
    }

    errors() {
        return this.page.evaluate(() => window.lexodrom.errors());
    }

    // The exact bytes of a file of the game's directory, or null.
    async readFile(name) {
        const bytes = await this.page.evaluate(async (n) => {
            const data = await window.lexodrom.readFile(n);
            return data === null ? null : Array.from(data);
        }, name);
        return bytes === null ? null : Buffer.from(bytes);
    }

    writeFile(name, bytes) {
        return this.page.evaluate(
            (n, b) => window.lexodrom.writeFile(n, b === null ? null : new Uint8Array(b)),
            name, bytes === null ? null : Array.from(bytes));
    }

    async close() {
        await this.browser.close();
        await this.server.close();
    }
}

// Runs `body` with a fresh game and closes it whatever happens; prints what
// the page logged when the body failed.
export async function withGame(root, options, body) {
    const game = await openGame(root, options);
    try {
        return await body(game);
    } catch (error) {
        for (const message of game.messages) {
            console.error(message);
        }
        throw error;
    } finally {
        await game.close();
    }
}
