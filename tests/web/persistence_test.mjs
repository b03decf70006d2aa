#!/usr/bin/env node
// hs.dat in the browser's persistent storage: a qualifying round writes the
// table in its exact format, the page is reloaded, and the game finds the
// same bytes again and shows them. A save the storage refuses is reported
// and loses nothing.
//
//     node persistence_test.mjs PAGE_FOLDER WORDS_FILE
import { withGame } from "./page.mjs";
import { beginnerWords, controls, playRound } from "./round.mjs";
import { check, finish } from "./checks.mjs";

const [root, wordsFile] = process.argv.slice(2);

const NAME = "Persistenz Übung";
const SCORES = 103, NAME_DIALOG = 106, MAIN = 102;

await withGame(root, { seed: 4711 }, async (game) => {
    check(await game.readFile("hs.dat") === null, "a fresh profile already has hs.dat");
    const end = await playRound(game, beginnerWords(wordsFile));
    const score = Number(controls(end, MAIN).IDC_SCORE.text);
    check(end.active.template === NAME_DIALOG, `the round ended with ${JSON.stringify(end.active)}`);
    await game.command(`set IDC_NAME ${NAME}`);
    await game.command("click IDOK");
    const table = controls(await game.state(), SCORES).IDC_SCORE_LIST.lines;
    await game.command("click IDOK");

    const written = await game.readFile("hs.dat");
    check(written !== null, "the round wrote no hs.dat");
    if (written === null) {
        return;
    }
    // The table's format: twenty lines with CR LF, Windows-1252, ours among
    // nineteen defaults.
    const lines = written.toString("latin1").split("\r\n");
    check(lines.length === 21 && lines[20] === "", `hs.dat has ${lines.length - 1} CR LF lines`);
    const ours = lines.filter((line) => line.includes("Persistenz"));
    const expected = Buffer.from(`${String(score).padStart(6)}  ${NAME.padEnd(23)}  `, "latin1");
    check(ours.length === 1 && Buffer.from(ours[0], "latin1").subarray(0, expected.length).equals(expected),
          `our line ${JSON.stringify(ours)}, expected to start with ${JSON.stringify(expected.toString("latin1"))}`);
    check(lines.filter((line) => line === "     0  Unbekannt").length === 19, "19 default lines");

    await game.reload();
    const again = await game.readFile("hs.dat");
    check(again !== null && again.equals(written), "after the reload hs.dat is gone or changed");
    await game.command("click IDC_SHOW_SCORES");
    const state = await game.state();
    check(state.active.template === SCORES, `the table did not open: ${JSON.stringify(state.active)}`);
    if (state.active.template === SCORES) {
        const shown = controls(state, SCORES).IDC_SCORE_LIST.lines;
        check(JSON.stringify(shown) === JSON.stringify(table),
              `after the reload the table shows ${JSON.stringify(shown)}, before ${JSON.stringify(table)}`);
    }
    console.log(`a round of score ${score} kept across the reload: ${written.length} bytes`);

    // The browser's storage refuses the next save, once by the quota and once
    // by an aborted transaction: the game says so with its error box, and the
    // table of before stays, in the page and after a reload.
    const failures = {
        quota: () => {
            IDBObjectStore.prototype.put = function () {
                throw new DOMException("the test's quota is reached", "QuotaExceededError");
            };
        },
        abort: () => {
            const put = IDBObjectStore.prototype.put;
            IDBObjectStore.prototype.put = function (...args) {
                const request = put.apply(this, args);
                this.transaction.abort();
                return request;
            };
        },
    };
    for (const [how, refuse] of Object.entries(failures)) {
        await game.reload();
        const ended = await playRound(game, beginnerWords(wordsFile));
        check(ended.active.template === NAME_DIALOG, `${how}: the round ended with ${JSON.stringify(ended.active)}`);
        await game.page.evaluate(refuse);
        await game.command("set IDC_NAME Verloren");
        await game.command("click IDOK");
        const box = (await game.state()).active;
        check(box.kind === "messagebox" && box.title === "Lexodrom Fehler" &&
              box.text === "Der Punktestand kann nicht gespeichert werden.",
              `${how}: after the refused save ${JSON.stringify(box)}`);
        const kept = await game.readFile("hs.dat");
        check(kept !== null && kept.equals(written), `${how}: hs.dat in the page changed by the refused save`);
        await game.command("key Enter");
        const shown = await game.state();
        check(shown.active.template === SCORES &&
              JSON.stringify(controls(shown, SCORES).IDC_SCORE_LIST.lines) === JSON.stringify(table),
              `${how}: the score dialog after the refused save: ${JSON.stringify(shown.active)}`);
        await game.command("click IDOK");
        await game.reload();
        const stored = await game.readFile("hs.dat");
        check(stored !== null && stored.equals(written), `${how}: after a reload hs.dat is gone or changed`);
    }
});

finish();
