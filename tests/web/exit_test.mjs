#!/usr/bin/env node
// The end of the program in the page, as the native driver reports it: the
// command that ends the game answers with the exit line, {"exit": 0} for
// "Beenden" and {"exit": 1} for a fatal error. The fatal error is the
// computer's: it finds no memory for its list of candidates when the page
// can give the program no more.
//
//     node exit_test.mjs PAGE_FOLDER
import { withGame } from "./page.mjs";
import { check, finish } from "./checks.mjs";

const [root] = process.argv.slice(2);

// Takes all of the program's free memory and lets it grow no more, then gives
// back every other piece of `piece` bytes: room for the small things the
// program makes as it goes on, none for a list of more candidates than fit a
// piece. The page's own script waits with a buffer the size of Asyncify's
// stack: that comes from a block kept aside for it, and the buffer of the
// wait going on now is never given back.
function starveMemory(piece) {
    const malloc = _malloc;
    const free = _free;
    const kept = malloc(256 * 1024);
    const waiting = Asyncify.currData;
    WebAssembly.Memory.prototype.grow = () => {
        throw new RangeError("the test lets the memory grow no more");
    };
    const pieces = [];
    for (let address; (address = malloc(piece)) !== 0;) {
        pieces.push(address);
    }
    for (let size = piece / 2; size >= 8; size /= 2) {
        while (malloc(size) !== 0) {
            // kept until the page ends
        }
    }
    for (let i = 0; i < pieces.length; i += 2) {
        free(pieces[i]);
    }
    window._malloc = (size) => (size > piece ? (size <= 256 * 1024 ? kept : 0) : malloc(size));
    window._free = (address) => (address === kept || address === waiting ? undefined : free(address));
    return pieces.length;
}

await withGame(root, { seed: 7 }, async (game) => {
    const end = await game.command("click IDOK");
    check(end === '{"exit": 0}\n', `"Beenden" answers ${JSON.stringify(end)}`);
    check(await game.command("state") === "", "the ended page still answers");

    await game.reload();
    await game.command("click IDC_PRO");
    const pieces = await game.page.evaluate(starveMemory, 1024);
    check(pieces >= 2, `only ${pieces} pieces of memory to take`);
    await game.command("set IDC_LETTER s");
    check(await game.command("click IDC_ENTER") === "", "the player's move answers");
    // Read from the page: `state` itself needs more memory than is left.
    const box = await game.page.evaluate(() => {
        const boxes = document.querySelectorAll(".lexodrom-messagebox");
        const last = boxes[boxes.length - 1];
        return last ? { title: last.getAttribute("aria-label"), text: last.querySelector(".lexodrom-messagebox-text").textContent } : null;
    });
    check(box !== null && box.title === "Lexodrom Fehler" && /^FEHLER: Nicht gen\u00fcgend Arbeitsspeicher\n/.test(box.text),
          `without memory the computer shows ${JSON.stringify(box)}`);
    const fatal = await game.command("key Enter");
    check(fatal === '{"exit": 1}\n', `the fatal error's box answers ${JSON.stringify(fatal)}`);
    check(await game.page.$(".lexodrom-ended") !== null, "the page does not show that the game has ended");
});

finish();
