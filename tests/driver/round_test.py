#!/usr/bin/env python3
"""A whole round of twenty words through lexodrom-driver with a fixed seed,
each move checked against the game's rules, computed here from the word list
itself: which letters words continue, the outcome and score of every move,
the computer's parity rule, the clock's minute penalty, and the round end
with the high-score file. Nothing is compared with a recording of the
program. The round is steered so that every kind of move happens, and the
test fails if one did not."""

import collections
import os
import random
import re
import sys
import tempfile

sys.path.insert(0, os.path.dirname(__file__))
from driver import Driver, named_controls as controls  # noqa: E402

# Dialog templates as the state reports them (docs/driver.md); controls by the
# names the driver accepts.
MAIN, NAME, SCORES = 102, 106, 103
IDOK, LETTER, ENTER, NEW, COMPUTER, PRO, HINT, SCORE, NUMBER, TRANSCRIPT = (
    "IDOK", "IDC_LETTER", "IDC_ENTER", "IDC_NEW", "IDC_COMPUTER_STARTS", "IDC_PRO", "IDC_HINT",
    "IDC_SCORE", "IDC_WORD_NUMBER", "IDC_TRANSCRIPT")
NAME_BOX, SCORE_LIST = "IDC_NAME", "IDC_SCORE_LIST"

# Every kind of move the round must have shown; a seed that misses one checks
# less than it claims, so the round fails then.
OUTCOMES = ("letter refused", "pro list fallback", "player completes", "computer completes",
            "computer replies", "hint before a letter", "hint in mid-word", "not a letter",
            "computer starts", "minute penalty")
LETTERS = set("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyzäöüÄÖÜß")


class Rules:
    def __init__(self, words_file):
        self.pro, self.beginner = [], []
        with open(words_file, encoding="utf-8") as lines:
            for line in lines:
                word = line.rstrip("\n")
                if word.startswith(":"):
                    word = word[1:]
                    self.beginner.append(word)
                self.pro.append(word)

    @staticmethod
    def continuing(words, fragment):
        return [w for w in words if w.startswith(fragment)]

    @staticmethod
    def computer_letters(candidates, fragment):
        """The letters the parity rule allows: next letters of odd-length
        candidates that do not complete a candidate, or, when none
        qualifies, the next letter of any candidate."""
        n = len(fragment)
        words = set(candidates)
        safe = {w[n] for w in candidates if len(w) % 2 == 1 and fragment + w[n] not in words}
        return safe if safe else {w[n] for w in candidates}


class Round:
    def __init__(self, driver, rules, choose):
        self.driver, self.rules, self.choose = driver, rules, choose
        self.failures = []
        self.score, self.seconds, self.beeps = 0, 0, 0
        self.word_count = 0
        self.level_pro = False
        self.current = rules.beginner
        self.fragment = ""
        self.transcript = ""
        self.seen = collections.Counter()

    def check(self, condition, what):
        if not condition:
            self.failures.append("word %d, fragment %r: %s" % (self.word_count + 1, self.fragment, what))

    def observe(self):
        state = self.driver.state()
        main = controls(state, MAIN)
        self.check(main[SCORE]["text"] == str(self.score),
                   "score box %r, expected %d" % (main[SCORE]["text"], self.score))
        self.check(state["beeps"] == self.beeps, "beeps %d, expected %d" % (state["beeps"], self.beeps))
        return state, main

    def expect_transcript(self, main, expected, round_ends=False):
        text = main[TRANSCRIPT]["text"]
        if round_ends:
            # The round's summary follows at once; its dialogs are open now.
            summary = "\nDie Spielrunde mit 20 Wörtern ist beendet.\nPunkte: %d\n" % self.score
            self.check(text == expected + summary, "transcript %r, expected %r" % (text, expected + summary))
        else:
            self.check(text == expected, "transcript %r, expected %r" % (text, expected))
        self.transcript = text

    def start_word(self, button=NEW):
        self.driver.send("click %s" % button)
        if button == PRO:
            self.level_pro = True
        self.current = self.rules.pro if self.level_pro else self.rules.beginner
        self.fragment = ""
        state, main = self.observe()
        self.check(main[LETTER]["enabled"] and main[ENTER]["enabled"] and main[ENTER]["default"],
                   "controls after a word start")
        self.expect_transcript(main, "")

    def tick(self, ticks, clock_running):
        self.driver.send("tick %d" % ticks)
        if clock_running:
            before = self.seconds
            self.seconds += ticks
            minutes = self.seconds // 60 - before // 60
            self.score -= minutes
            self.seen["minute penalty"] += minutes

    def computer_starts(self):
        self.driver.send("click %s" % COMPUTER)
        self.seen["computer starts"] += 1
        state, main = self.observe()
        text = main[TRANSCRIPT]["text"]
        match = re.fullmatch(r"Mein Buchstabe ist '(.)'\.\nBisher: '(.)'\n", text)
        self.check(match is not None, "computer start transcript %r" % text)
        if match is None:
            return
        self.check(any(w[0] == match.group(1) for w in self.current), "a first letter of the list")
        self.fragment = match.group(1)
        self.check(state["clock"], "the clock runs after the computer starts")
        self.check(not main[COMPUTER]["enabled"], "computer start disabled")

    def hint(self, typed):
        self.driver.send("set %s %s" % (LETTER, typed))
        self.driver.send("click %s" % ENTER)
        self.seen["hint in mid-word" if self.fragment else "hint before a letter"] += 1
        self.score -= 3
        state, main = self.observe()
        match = re.fullmatch(r"Ein mögliches Wort ist\n(.*)\nBisher: '(.*)'\n", main[TRANSCRIPT]["text"])
        self.check(match is not None, "hint transcript %r" % main[TRANSCRIPT]["text"])
        # A word that ends on the next letter is announced after the hint.
        self.transcript = main[TRANSCRIPT]["text"]
        if match is None:
            return
        word = match.group(1)
        self.check(word in self.current and word.startswith(self.fragment), "hint word %r" % word)
        self.check(match.group(2) == self.fragment, "hint keeps the fragment")

    def not_a_letter(self, typed):
        self.driver.send("set %s %s" % (LETTER, typed))
        self.driver.send("click %s" % ENTER)
        self.seen["not a letter"] += 1
        state, main = self.observe()
        self.expect_transcript(main, "Bitte schreibe einen Buchstaben.\nBisher: '%s'\n" % self.fragment)

    def move(self, letter):
        """Plays one letter and checks the outcome. Returns True when the word ended."""
        assert letter in LETTERS
        self.driver.send("set %s %s" % (LETTER, letter))
        self.driver.send("click %s" % ENTER)
        extended = self.fragment + letter
        candidates = self.rules.continuing(self.current, extended)
        if not candidates and self.current is self.rules.beginner:
            pro = self.rules.continuing(self.rules.pro, extended)
            if pro:
                self.current, candidates = self.rules.pro, pro
                self.seen["pro list fallback"] += 1
        if not candidates:
            self.seen["letter refused"] += 1
            self.score -= 1
            state, main = self.observe()
            self.expect_transcript(main, "Dieser Buchstabe führt nicht zu einem Wort.\n"
                                   "Bitte schreibe einen Buchstaben, der zu einem Wort führt.\n"
                                   "Bisher: '%s'\n" % self.fragment)
            return False
        if extended in self.current:
            self.seen["player completes"] += 1
            self.score += 1
            state, main = self.observe()
            self.expect_transcript(main, self.transcript + extended +
                                   "\nist ein Wort.  Ich habe gewonnen!\n", self.word_count == 19)
            return self.end_word(state, main)

        self.score += 2
        allowed = self.rules.computer_letters(candidates, extended)
        state = self.driver.state()
        main = controls(state, MAIN)
        text = main[TRANSCRIPT]["text"]
        match = re.match(r"Mein Buchstabe ist '(.)'\.\nBisher: '(.*)'\n", text)
        self.check(match is not None, "computer move transcript %r" % text)
        if match is None:
            return True
        self.seen["computer replies"] += 1
        reply = match.group(1)
        self.check(reply in allowed, "the computer played %r, the rule allows %r" % (reply, sorted(allowed)))
        self.fragment = extended + reply
        self.check(match.group(2) == self.fragment, "Bisher after the computer's letter")
        self.check(main[NUMBER]["text"] == str(self.word_count + 1), "word number box")
        if self.fragment in self.current:
            self.seen["computer completes"] += 1
            self.score += 3
            self.beeps += 1
            state, main = self.observe()
            self.expect_transcript(main, "Mein Buchstabe ist '%s'.\nBisher: '%s'\n%s\n"
                                   "ist ein Wort.  Du hast gewonnen!\n" % (reply, self.fragment, self.fragment),
                                   self.word_count == 19)
            return self.end_word(state, main)
        state, main = self.observe()
        self.expect_transcript(main, "Mein Buchstabe ist '%s'.\nBisher: '%s'\n" % (reply, self.fragment))
        return False

    def end_word(self, state, main):
        self.fragment = ""
        self.word_count += 1
        if self.word_count == 20:
            return True  # the round end's dialogs are open now
        self.check(not main[LETTER]["enabled"] and not main[ENTER]["enabled"], "controls after the word")
        self.check(main[NEW]["default"] and main[NEW]["focus"], "Neu is default and focused")
        self.check(not state["clock"], "the clock stops with the word")
        return True

    def pro_only_letter(self):
        """At the beginner level, a letter that only pro words continue the
        fragment with (the program falls back to the pro list), or None."""
        if self.current is not self.rules.beginner:
            return None
        n = len(self.fragment)
        def next_letters(words):
            return {w[n] for w in self.rules.continuing(words, self.fragment) if len(w) > n}
        letters = sorted(next_letters(self.rules.pro) - next_letters(self.rules.beginner))
        return self.choose.choice(letters) if letters else None

    def player_letter(self):
        """A letter that some word of the current list continues, from a
        word chosen by the script's own generator."""
        words = self.rules.continuing(self.current, self.fragment)
        if not words and self.current is self.rules.beginner:
            words = self.rules.continuing(self.rules.pro, self.fragment)
        word = self.choose.choice([w for w in words if len(w) > len(self.fragment)])
        return word[len(self.fragment)]


def main():
    program, words_file = sys.argv[1], sys.argv[2]
    rules = Rules(words_file)
    with tempfile.TemporaryDirectory() as cwd:
        driver = Driver(program, cwd, seed=20261207)
        game = Round(driver, rules, random.Random(4711))
        for word in range(20):
            game.start_word(PRO if word == 10 else NEW)
            if word == 2:
                game.move("ß")  # no word begins with ß: taken back, -1
            if word == 4:
                game.hint("?")  # a hint before the first letter
            if word == 6:
                game.computer_starts()
                game.tick(45, True)
            if word == 12:
                game.not_a_letter("5")
            clock_running = word == 6
            moves = 0
            while True:
                letter = None
                if word < 10 and not game.seen["pro list fallback"]:
                    letter = game.pro_only_letter()
                ended = game.move(letter or game.player_letter())
                clock_running = True
                moves += 1
                if ended or moves > 30:
                    break
                if moves == 1 and word % 3 == 0:
                    game.tick(37, clock_running)
                # A hint in the middle of a word, the first time a word from
                # the ninth on is still open after a move.
                if word >= 8 and not game.seen["hint in mid-word"]:
                    game.hint("!")
            if game.failures:
                break

        if game.failures:
            driver.process.kill()
            return report(game, game.score)

        for outcome in OUTCOMES:
            game.check(game.seen[outcome] > 0, "the round never showed: %s" % outcome)

        # The round's end: the summary, the name dialog (the seed gives a
        # score of 0 or more, which qualifies against the missing file), the
        # table, and the score back at 0.
        state = driver.state()
        active = state["active"]
        final_score = game.score
        game.check(final_score >= 0, "the seed's round must qualify, its score is %d" % final_score)
        game.check(active == {"kind": "dialog", "template": NAME}, "name dialog expected: %r" % active)
        driver.send("set %s  Testspielerin Ärger " % NAME_BOX)
        driver.send("click %s" % IDOK)
        state = driver.state()
        game.check(state["active"] == {"kind": "dialog", "template": SCORES},
                   "score dialog expected: %r" % state["active"])
        if state["active"].get("template") == SCORES:
            lines = controls(state, SCORES)[SCORE_LIST]["lines"]
            game.check(len(lines) == 20, "20 lines in the table")
        driver.send("click %s" % IDOK)
        state = driver.state()
        main_window = controls(state, MAIN)
        game.check(state["active"] == {"kind": "dialog", "template": MAIN}, "back in the main window")
        game.check(main_window[SCORE]["text"] == "0", "score reset after the round")
        game.check(main_window[NUMBER]["text"] == "20", "the word number keeps 20")
        game.check(main_window[TRANSCRIPT]["text"].endswith(
            "\nDie Spielrunde mit 20 Wörtern ist beendet.\nPunkte: %d\n" % final_score), "round summary")

        exit_line, code, errors = driver.finish()
        game.check(exit_line == {"exit": 0} and code == 0, "driver exit %r %d %s" % (exit_line, code, errors))

        with open(os.path.join(cwd, "hs.dat"), "rb") as f:
            data = f.read()
        lines = data.split(b"\r\n")
        game.check(len(lines) == 21 and lines[-1] == b"", "hs.dat has 20 CR LF lines")
        ours = [l for l in lines if b"Testspielerin" in l]
        game.check(len(ours) == 1, "one line of ours")
        if ours:
            expected = ("%6d  %-23s  " % (final_score, "Testspielerin Ärger")).encode("cp1252")
            game.check(ours[0].startswith(expected), "score line %r" % ours[0])
            game.check(re.fullmatch(rb"\d\d\.\d\d\.\d{4}  \d\d:\d\d:\d\d", ours[0][len(expected):]),
                       "time stamp %r" % ours[0][len(expected):])
        game.check(lines.count(b"     0  Unbekannt") == 19, "19 default lines")

    return report(game, final_score)


def report(game, final_score):
    for failure in game.failures:
        print("FAIL:", failure)
    print("outcomes:", ", ".join("%s %d" % (o, game.seen[o]) for o in OUTCOMES))
    print("round of %d words, final score %d" % (game.word_count, final_score))
    print("%d passed, %d failed" % (0 if game.failures else 1, 1 if game.failures else 0))
    return 1 if game.failures else 0


if __name__ == "__main__":
    sys.exit(main())
