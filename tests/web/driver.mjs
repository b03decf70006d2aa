#!/usr/bin/env node
// lexodrom-driver for the web build: the same command line, standard input
// and output as the native driver (docs/driver.md), carried out by the game's
// page in headless Chromium through window.lexodrom. The shared driver tests
// run it in place of the native program.
//
//     node driver.mjs PAGE_FOLDER [--seed N]
//
// As the native driver reads and writes hs.dat in its current directory, this
// one brings the directory's hs.dat into the page's storage before the game
// starts and writes back what the game stores there. `shot FILE` has the
// page draw the active window and saves the PNG as FILE. The page
// opens no tab: as the native tests run the driver without a help viewer on
// PATH, "Hilfe" fails here too.
import { existsSync } from "node:fs";
import { readFile, unlink, writeFile } from "node:fs/promises";
import { basename, resolve } from "node:path";
import { openGame } from "./page.mjs";

const SCORES = "hs.dat";

function parseArguments(argv) {
    const [root, ...rest] = argv;
    if (!root) {
        throw new Error("usage: driver.mjs PAGE_FOLDER [--seed N]");
    }
    // No help viewer, as in the native driver's tests: "Hilfe" fails.
    const options = { driver: true, helpTab: false };
    for (let i = 0; i < rest.length; ++i) {
        if (rest[i] === "--seed" && i + 1 < rest.length) {
            options.seed = rest[++i];
        } else {
            throw new Error(`unknown argument ${rest[i]}`);
        }
    }
    return { root: resolve(root), options };
}

// Standard input one line at a time, line ends other than LF kept, as the
// native driver receives them.
async function* inputLines(stream) {
    let buffered = "";
    for await (const chunk of stream) {
        buffered += chunk;
        let end;
        while ((end = buffered.indexOf("\n")) >= 0) {
            yield buffered.slice(0, end);
            buffered = buffered.slice(end + 1);
        }
    }
    if (buffered) {
        yield buffered;
    }
}

const EXIT = /\{"exit": (-?\d+)\}\n$/;

async function main() {
    const { root, options } = parseArguments(process.argv.slice(2));
    const game = await openGame(root, options);
    let code = null;
    try {
        if (existsSync(SCORES)) {
            await game.writeFile(SCORES, await readFile(SCORES));
            await game.reload();
        }
        // hs.dat reaches the directory as soon as the game has written it, as
        // it does natively; after the program's end the page may hold
        // nothing more to read.
        let scores = null;
        const keepScores = async () => {
            const now = await game.readFile(SCORES);
            if (now === null ? scores !== null : scores === null || !now.equals(scores)) {
                scores = now;
                await (now === null ? unlink(SCORES).catch(() => {}) : writeFile(SCORES, now));
            }
        };
        if (existsSync(SCORES)) {
            scores = await readFile(SCORES);
        }
        const answer = async (text) => {
            process.stdout.write(text);
            process.stderr.write(await game.errors());
            const exit = EXIT.exec(text);
            if (exit) {
                code = Number(exit[1]);
            } else {
                await keepScores();
            }
        };
        process.stdin.setEncoding("utf8");
        for await (const line of inputLines(process.stdin)) {
            const shot = /^shot (.+)$/.exec(line);
            if (shot) {
                await answer(await savePicture(game, shot[1]));
            } else {
                await answer(await game.command(line));
            }
            if (code !== null) {
                break;
            }
        }
        if (code === null) {
            await answer(await game.endInput());
        }
        await keepScores().catch(() => {});
    } catch (error) {
        for (const message of game.messages) {
            process.stderr.write(message + "\n");
        }
        throw error;
    } finally {
        await game.close();
    }
    return code ?? 1;
}

// `shot FILE`: the page draws the picture into its own files, from where it
// goes to FILE.
async function savePicture(game, file) {
    const name = "shot-" + basename(file);
    const text = await game.command(`shot ${name}`);
    const picture = await game.readFile(name);
    if (picture !== null) {
        await writeFile(resolve(file), picture);
        await game.writeFile(name, null);
    }
    return text;
}

main().then(
    (code) => process.exit(code),
    (error) => {
        process.stderr.write(`lexodrom-driver (web): ${error.stack ?? error}\n`);
        process.exit(70);
    });
