// Plays a whole round of twenty words in the page through the driver
// protocol, each letter one that keeps a beginner word alive (so that every
// move scores and the round qualifies for the table), until the round end
// opens its dialogs.
import { readFileSync } from "node:fs";

export function beginnerWords(wordsFile) {
    return readFileSync(wordsFile, "utf8").split("\n")
        .filter((line) => line.startsWith(":"))
        .map((line) => line.slice(1));
}

export function controls(state, template) {
    const dialogs = state.dialogs.filter((d) => d.template === template);
    return Object.fromEntries(dialogs[dialogs.length - 1].controls.map((c) => [c.name, c]));
}

const MAIN = 102;

// Returns the last state; its active window is the name dialog when the
// round qualified. Fails when a word does not end within 40 moves.
export async function playRound(game, words) {
    let state = await game.state();
    for (let word = 0; word < 20; ++word) {
        await game.command("click IDC_NEW");
        let fragment = "";
        for (let move = 0; ; ++move) {
            if (move === 40) {
                throw new Error(`word ${word + 1} did not end after 40 moves, at '${fragment}'`);
            }
            const next = words.find((w) => w.startsWith(fragment) && w.length > fragment.length);
            if (next === undefined) {
                throw new Error(`no beginner word continues '${fragment}'`);
            }
            await game.command(`set IDC_LETTER ${next[fragment.length]}`);
            await game.command("click IDC_ENTER");
            state = await game.state();
            if (state.active.kind !== "dialog" || state.active.template !== MAIN) {
                return state;  // the round's end
            }
            const main = controls(state, MAIN);
            if (!main.IDC_ENTER.enabled) {
                break;  // the word has ended
            }
            const shown = [...main.IDC_TRANSCRIPT.text.matchAll(/Bisher: '(.*)'\n/g)];
            if (shown.length === 0) {
                throw new Error(`no fragment in the transcript ${JSON.stringify(main.IDC_TRANSCRIPT.text)}`);
            }
            fragment = shown[shown.length - 1][1];
        }
    }
    return state;
}
