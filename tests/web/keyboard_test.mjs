#!/usr/bin/env node
// A player at the keyboard: real key events from Chromium's input pipeline
// (the DevTools protocol's Input domain, as a keyboard delivers them), never
// the driver's `key` command. The game's answers are read through `state`.
//
//     node keyboard_test.mjs PAGE_FOLDER
import { withGame } from "./page.mjs";
import { controls } from "./round.mjs";
import { check, finish } from "./checks.mjs";

const [root] = process.argv.slice(2);
const MAIN = 102, ABOUT = 100;

function focused(state) {
    const dialog = state.dialogs[state.dialogs.length - 1];
    return dialog.controls.find((c) => c.focus)?.name ?? null;
}

await withGame(root, { seed: 7 }, async (game) => {
    const keyboard = game.page.keyboard;
    let state = await game.state();
    check(focused(state) === "IDC_LETTER", `focus at start on ${focused(state)}`);

    // The letter box holds one character; Enter plays it.
    await keyboard.type("Bx");
    state = await game.state();
    check(controls(state, MAIN).IDC_LETTER.text === "B",
          `typing "Bx" leaves ${JSON.stringify(controls(state, MAIN).IDC_LETTER.text)} in the letter box`);
    await keyboard.press("Enter");
    state = await game.state();
    const transcript = controls(state, MAIN).IDC_TRANSCRIPT.text;
    check(/^Mein Buchstabe ist '.'\.\nBisher: 'B.'\n$/.test(transcript),
          `Enter after B: transcript ${JSON.stringify(transcript)}`);
    check(state.clock, "the clock does not run after the first letter");

    // An umlaut typed as such reaches the game as its Windows-1252 letter.
    await keyboard.press("Backspace");
    await keyboard.sendCharacter("ä");
    state = await game.state();
    check(controls(state, MAIN).IDC_LETTER.text === "ä",
          `typing ä shows ${JSON.stringify(controls(state, MAIN).IDC_LETTER.text)}`);

    // Tab walks the tab stops in template order from the letter box.
    await keyboard.press("Tab");
    state = await game.state();
    check(focused(state) !== "IDC_LETTER" && focused(state) !== null, `Tab left focus on ${focused(state)}`);

    // Alt+letter presses the button with that mnemonic: Alt+N starts a new word.
    await keyboard.down("Alt");
    await keyboard.press("KeyN");
    await keyboard.up("Alt");
    state = await game.state();
    check(controls(state, MAIN).IDC_TRANSCRIPT.text === "" && controls(state, MAIN).IDC_ENTER.enabled,
          `Alt+N: transcript ${JSON.stringify(controls(state, MAIN).IDC_TRANSCRIPT.text)}`);

    // Alt+Ü opens the About box, as the key of a German keyboard sends it;
    // Enter closes the box with its default button.
    const session = await game.page.createCDPSession();
    const germanKey = { key: "ü", code: "BracketLeft", windowsVirtualKeyCode: 186, modifiers: 1 };
    await keyboard.down("Alt");
    await session.send("Input.dispatchKeyEvent", { type: "rawKeyDown", ...germanKey });
    await session.send("Input.dispatchKeyEvent", { type: "keyUp", ...germanKey });
    await keyboard.up("Alt");
    await session.detach();
    state = await game.state();
    check(state.active.template === ABOUT, `the About box is not open: ${JSON.stringify(state.active)}`);
    await keyboard.press("Enter");
    state = await game.state();
    check(state.active.template === MAIN, `Enter in the About box leaves ${JSON.stringify(state.active)}`);

    // Alt+Space opens the system menu, Escape closes it again.
    await keyboard.down("Alt");
    await keyboard.press("Space");
    await keyboard.up("Alt");
    state = await game.state();
    check(state.active.kind === "menu", `Alt+Space opens ${JSON.stringify(state.active)}`);
    await keyboard.press("Escape");
    state = await game.state();
    check(state.active.kind === "dialog" && state.active.template === MAIN,
          `Escape in the menu leaves ${JSON.stringify(state.active)}`);

    // Escape in the main window ends the game as Beenden does: its windows go.
    await keyboard.press("Escape");
    await game.page.waitForFunction(() => document.querySelectorAll(".lexodrom-dialog").length === 0,
                                     { timeout: 10000 }).catch(() => {});
    const left = await game.page.$$eval(".lexodrom-dialog", (windows) => windows.length);
    check(left === 0, `after Escape ${left} windows are still open`);
});

finish();
