#!/usr/bin/python3
"""Build (or check) Lexodrom's German word list, data/words.txt.

Usage (from the repository root):

    /usr/bin/python3 tools/wordlist/build_wordlist.py            # rebuild data/words.txt
    /usr/bin/python3 tools/wordlist/build_wordlist.py --check    # validate data/words.txt only
    /usr/bin/python3 tools/wordlist/build_wordlist.py --coverage # everyday words in the list

Sources (all must be installed; the script says how if one is missing):
  * Debian package trans-de-en: German-English dictionary with word classes
    ({m} {f} {n} {vt} {vi} {adj} {adv} ...) and usage labels ([alt], [vulg.] ...).
  * Debian packages wngerman (/usr/share/dict/ngerman, word forms) and
    hunspell-de-de-frami (/usr/share/hunspell/de_DE_frami.dic, stems):
    current German spelling, both made from the igerman98 sources (the
    "frami" edition adds many everyday stems: "Hummel", "Kiwi", "muhen").
  * Debian package mythes-de (/usr/share/mythes/th_de_DE_v2.dat, the
    OpenThesaurus synonym sets with usage labels): words in current general
    use, for the spelling check and for ordering words without a rank.
  * npm package @zxcvbn-ts/language-de (pinned version below): frequency-ranked
    German word lists and lists of first and last names, installed into an
    ignored directory:
        npm install --prefix tools/wordlist/.npm @zxcvbn-ts/language-de@3.0.2
  * npm package @zxcvbn-ts/language-en (pinned below): the English spoken
    list of the same project, for beginner words only (a child's nouns and
    whether a word is heard at all):
        npm install --prefix tools/wordlist/.npm @zxcvbn-ts/language-en@3.0.2

Output format: one word per line, UTF-8, LF, sorted by Windows-1252 bytes;
beginner words carry a leading ":".  The output depends only on the source
files: no hash order, locale, clock or randomness is involved, so two runs on
the same sources give byte-identical files.

Standard library only.
"""

import argparse
import json
import math
import os
import re
import subprocess
import sys
from collections import defaultdict

# ---------------------------------------------------------------------------
# Configuration
# ---------------------------------------------------------------------------

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
OUTPUT = os.path.join(REPO, "data", "words.txt")
EVERYDAY_WORDS = os.path.join(HERE, "everyday-words.txt")
CORE_WORDS = os.path.join(HERE, "core-words.txt")

TRANS_PATH = "/usr/share/trans/de-en"
NGERMAN_PATH = "/usr/share/dict/ngerman"
HUNSPELL_PATH = "/usr/share/hunspell/de_DE_frami.dic"
THESAURUS_PATH = "/usr/share/mythes/th_de_DE_v2.dat"
ZXCVBN_PACKAGE = "@zxcvbn-ts/language-de"
ZXCVBN_VERSION = "3.0.2"
# English frequencies of the same project: a child knows a giraffe long before
# German subtitles or articles name one often.
ENGLISH_PACKAGE = "@zxcvbn-ts/language-en"
ENGLISH_VERSION = "3.0.2"
DEFAULT_NPM_PREFIX = os.path.join(HERE, ".npm")

# Versions the committed data/words.txt was built from.  Other versions may
# give a different list, so the build refuses them unless asked to go on.
EXPECTED_DEBIAN = {
    "hunspell-de-de-frami": "1:7.5.0-1",
    "mythes-de": "20160424-4",
    "trans-de-en": "1.9-6",
    "wngerman": "20161207-11",
}

PRO_TARGET = 31000          # words in the full ("pro") list
BEGINNER_TARGET = 8000      # most frequent of them, marked with ":"
PRO_RANGE = (25000, 32000)  # hard limits checked on the result
BEGINNER_RANGE = (7800, 8200)
MIN_LEN, MAX_LEN = 4, 23
MARK = ":"
# A rare word that is the start of common words ends play before them
# ("Schi" before "Schiff", "Schicht"): rare = no frequency rank of its own,
# common = ranked among these many words.
PLAY_COMMON_RANK = 10000
# The most common family names ("Müller", "Wagner") are used far more often
# as names than as nouns: a word spelled like one of these needs German
# inflected forms in the frequency lists to keep its rank.
COMMON_NAME_RANK = 50
# Evidence that a word is German: one of its German-only forms ranks within
# this factor of the word's own rank (or among this many words).
EVIDENCE_FACTOR, EVIDENCE_MIN_RANK = 4, 10000

INSTALL_HINT = (
    "Install the sources with:\n"
    "    apt-get update && apt-get install trans-de-en wngerman hunspell-de-de-frami mythes-de\n"
    "    npm install --prefix tools/wordlist/.npm %s@%s %s@%s\n"
    % (ZXCVBN_PACKAGE, ZXCVBN_VERSION, ENGLISH_PACKAGE, ENGLISH_VERSION)
)

# Word classes of trans-de-en that we accept, and what they mean for case.
NOUN_TAGS = {"m", "f", "n", "m,f", "m,n", "n,m", "f,n"}
VERB_TAGS = {"vt", "vi", "vr", "v"}
OTHER_TAGS = {"adj", "adv", "interj", "num", "pron", "ppron", "conj", "prp",
              "prp; +Dat.", "prp; +Gen.", "prp; +Akk."}

# One vulgar sense makes a word unfit for the game, whatever its other senses.
VULGAR_LABELS = {"vulg.", "derb"}
# Pejorative, slang and ironic senses are unusable, but the word stays if
# another sense is free of them ("Schnee" is also slang for cocaine).  An
# ironic name for people mocks them ("Gutmensch {m} [iron.]").
OFFENSIVE_SENSE_LABELS = {"pej.", "slang", "iron."}
# Labels that cover every alternative of their group when they end it.
GROUP_LABELS = VULGAR_LABELS | {"slang", "pej."}
# A sense translated by one of these English words is an insult, labelled or
# not ("Dorftrottel" = "village idiot").  Only words that are insults in
# every use: "pig" or "ass" name animals, "tart" a cake, "sod" turf.
INSULT_WORDS = {
    "idiot", "idiots", "fool", "fools", "moron", "morons", "cretin", "cretins",
    "imbecile", "imbeciles", "jerk", "jerks", "bastard", "bastards", "bitch",
    "bitches", "asshole", "arsehole", "twat", "dickhead", "prick", "wanker",
    "scumbag", "slut", "whore", "dimwit", "nitwit", "halfwit", "numbskull",
    "blockhead", "dunce", "twit", "dork", "git", "retard", "sissy",
    "jackass", "dumbass", "douchebag", "knucklehead", "bonehead", "airhead",
    "shithead", "bugger", "turd", "wimp", "weirdo", "nincompoop", "simpleton",
    "oaf", "lout", "yokel", "hick", "bumpkin", "harlot", "floozy", "dolt",
    "ninny", "schmuck", "lowlife", "dullard", "chump", "lamebrain", "dumbo",
    "numpty", "mudhead", "minx", "caitiff", "nutcase", "whacko", "pinko", "commie",
}
# Labels that make one occurrence unusable (old spelling, obsolete, regional,
# jargon, trade marks).  The word is still taken if another, unlabelled
# occurrence exists.
RESTRICTED_LABELS = {
    "alt", "obs.", "veraltet", "veraltend", "altertümlich", "altertümelnd",
    "selten", "frühere Bezeichnung", "tm", "Jägersprache",
    "Jugendsprache", "stud.", "humor.", "euphem.", "poet.",
    "in Zusammensetzungen", "meist in Zusammensetzungen", "nachgestellt",
}
# Regions of Germany: a word of one of them is regional, a word labelled
# with two or more is used across a large part of the country ("Brötchen
# [Norddt.] [Mitteldt.]"), and one labelled [Dt.] is standard in Germany.
GERMAN_REGION_LABELS = {
    "Bayr.", "Süddt.", "Norddt.", "Mitteldt.", "Ostdt.", "Westdt.",
    "Mittelwestdt.", "Nordostdt.", "Nordwestdt.", "Südwestdt.", "Mittelostdt.",
    "Ostmitteldt.", "BW", "Berlin", "Sachsen", "Franken", "Pfalz", "Baden",
}
GERMANY_LABEL = "Dt."
# Other German-speaking countries and their regions: restricted unless the
# word is labelled as used in Germany too ("Marmelade [Dt.] [Ös.]").
FOREIGN_REGION_LABELS = {
    "Ös.", "Schw.", "Westös.", "Ostös.", "Südtirol", "Tirol", "Vorarlberg",
    "Wien", "Lie.", "Lux.",
}

# Specialist fields: words only known from these are less likely to be
# accepted by players, so they are taken last.  Geography is a field like
# the others ("Dorf [geogr.] [soc.]"); names of places are recognised by
# their English translation instead.  Zoology and anatomy are not on the
# list: they label every animal and body part ("Igel", "Hand").
TECHNICAL_LABELS = {
    "techn.", "chem.", "med.", "comp.", "electr.", "mach.", "constr.",
    "min.", "geol.", "biochem.", "pharm.", "phys.", "math.", "statist.",
    "telco.", "print", "textil.", "bot.", "ornith.",
    "biol.", "agr.", "jur.", "adm.", "fin.", "econ.", "aviat.", "naut.",
    "mil.", "myc.", "astron.", "meteo.", "ling.", "sci.", "envir.",
    "transp.", "auto", "photo.", "arch.", "soc.", "geogr.",
    "philos.", "phil.", "psych.", "relig.", "hist.", "pol.", "astrol.",
}

# Prepositions that introduce an object in a verb entry ("sich an etw.
# erinnern", "mit jdm. über etw. sprechen"); a closed word class.
PREPOSITIONS = {
    "an", "auf", "aus", "bei", "bis", "durch", "für", "gegen", "hinter", "in",
    "mit", "nach", "neben", "ohne", "über", "um", "unter", "von", "vor",
    "wegen", "zu", "zwischen", "gegenüber", "am", "ans", "aufs", "beim", "im",
    "ins", "vom", "zum", "zur", "fürs", "durchs", "übers", "ums", "unters",
    "vors", "hinters",
}

# Words that pass every automatic rule but do not belong in the game.  The
# rules above do the work; keep this list short and explain additions in
# the commit.
# Slurs: words built on them are slurs too ("Zigeunerleben").
SLURS = {"Neger", "Zigeuner", "Kanake", "Spast", "Spasti", "Schwuchtel", "Krüppel"}
BLOCKLIST = SLURS | {
    # crude, offensive or sexual
    "Arsch", "Arschloch", "Bumsen", "bumsen", "ficken", "Fotze", "Hure",
    "Nutte", "Neger", "Schlampe", "Schwuchtel", "Wichser", "wichsen",
    "Scheiße", "scheißen", "Kacke", "kacken", "pissen", "Pisse", "Titte",
    "Schwanz", "geil", "Spast", "Spasti", "Krüppel", "Zigeuner", "Kanake",
    "Nazi", "Nazis", "Hitler", "Penner", "Idiot", "Depp", "Trottel", "Hurensohn",
    "Miststück", "Möse", "Pimmel", "Sack", "Dildo", "Porno", "Sexy", "sexy",
    "Bastard", "Flittchen", "Schnepfe", "Tussi", "Weib", "Blödmann",
    "Lesbe", "Puff", "Polente", "besoffen",
    # insults the sources label neither vulgar nor pejorative, with no
    # other everyday sense
    "Eierkopf", "Fatzke", "Fiesling", "Hanswurst", "Knilch", "Lackaffe", "Lump",
    "Memme", "Quatschkopf", "Scheusal", "Schuft", "Weibsbild", "Widerling", "Witzfigur",
    # rivers and other names that pass as common nouns
    "Lahn", "Ruhr", "Mars",
    # trade marks and acronyms written as words
    "Castor", "Cadillac", "Rolodex",
}

# ---------------------------------------------------------------------------
# Sources
# ---------------------------------------------------------------------------


def fail(message):
    sys.stderr.write("build_wordlist: error: %s\n" % message)
    sys.exit(1)


def debian_version(package):
    """Installed version of a Debian package, or None."""
    try:
        out = subprocess.run(
            ["dpkg-query", "-W", "-f=${Status}\t${Version}", package],
            capture_output=True, text=True, env={"LC_ALL": "C", "PATH": os.environ.get("PATH", "/usr/bin:/bin")},
        )
    except FileNotFoundError:
        return None
    if out.returncode != 0 or "installed" not in out.stdout.split("\t")[0]:
        return None
    return out.stdout.split("\t")[1]


def check_sources(npm_prefix, allow_other_versions):
    """Make sure every source is there, in the version the list was made from."""
    problems = []
    for package, wanted in sorted(EXPECTED_DEBIAN.items()):
        have = debian_version(package)
        if have is None:
            problems.append("Debian package %s is not installed" % package)
        elif have != wanted and not allow_other_versions:
            problems.append("Debian package %s is %s, expected %s "
                            "(use --allow-other-versions to build anyway)"
                            % (package, have, wanted))
    for path in (TRANS_PATH, NGERMAN_PATH, HUNSPELL_PATH, HUNSPELL_AFF_PATH, THESAURUS_PATH):
        if not os.path.isfile(path):
            problems.append("missing file %s" % path)
    pkg_dirs = []
    for package, wanted in ((ZXCVBN_PACKAGE, ZXCVBN_VERSION), (ENGLISH_PACKAGE, ENGLISH_VERSION)):
        pkg_dir = os.path.join(npm_prefix, "node_modules", *package.split("/"))
        pkg_dirs.append(pkg_dir)
        pkg_json = os.path.join(pkg_dir, "package.json")
        if not os.path.isfile(pkg_json):
            problems.append("npm package %s is not installed under %s" % (package, npm_prefix))
            continue
        with open(pkg_json, encoding="utf-8") as f:
            version = json.load(f).get("version")
        if version != wanted and not allow_other_versions:
            problems.append("npm package %s is %s, expected %s" % (package, version, wanted))
    if problems:
        fail("\n  ".join(["sources are not ready:"] + problems) + "\n" + INSTALL_HINT)
    return pkg_dirs


def load_ngerman():
    """The current-spelling word list as a set of exact (case-sensitive) words."""
    with open(NGERMAN_PATH, encoding="utf-8") as f:
        return {line.rstrip("\n") for line in f if line.strip()}


HUNSPELL_AFF_PATH = "/usr/share/hunspell/de_DE_frami.aff"
# Hunspell flags (de_DE.aff) that mean "not a word on its own":
# o = only inside compounds, d = forbidden.  A stem flagged h ("needs an
# affix") is no word itself, but its affixed forms are.
HUNSPELL_COMPOUND_ONLY, HUNSPELL_FORBIDDEN, HUNSPELL_NEEDS_AFFIX = "o", "d", "h"


def hunspell_suffixes(lines):
    """Suffix rules of a hunspell .aff file: flag -> [(strip, add, condition)].

    A rule turns a stem ending in condition (a regular expression) into a
    word: strip that many letters, append add.  Rules whose result is only
    allowed inside compounds are left out.
    """
    rules = defaultdict(list)
    for line in lines:
        parts = line.split()
        if len(parts) < 5 or parts[0] != "SFX":
            continue
        flag, strip, add, condition = parts[1], parts[2], parts[3], parts[4]
        add, _, continuation = add.partition("/")
        if HUNSPELL_COMPOUND_ONLY in continuation:
            continue
        rules[flag].append(("" if strip == "0" else strip, "" if add == "0" else add,
                            re.compile("(?:%s)$" % condition)))
    return rules


def hunspell_words(dic_lines, suffixes):
    """Stems of a hunspell .dic file with their suffixed forms.

    ngerman lacks many base forms ("Schule", "Sonne"); the hunspell
    dictionary from the same sources has them, as stems or as a stem with
    a suffix ("List" + "e").  Compound-only parts ("Wohn/hij") are left out.
    """
    words = set()
    for n, line in enumerate(dic_lines):
        line = line.rstrip("\n")
        if n == 0 or not line or line[0] in "\t #":
            continue  # word count, header comment
        stem, _, flags = line.partition("/")
        if HUNSPELL_FORBIDDEN in flags or HUNSPELL_COMPOUND_ONLY in flags:
            continue
        if HUNSPELL_NEEDS_AFFIX not in flags:
            words.add(stem)
        for flag in flags:
            for strip, add, condition in suffixes.get(flag, ()):
                if condition.search(stem) and stem.endswith(strip):
                    words.add(stem[: len(stem) - len(strip)] + add)
    return words


def hunspell_encoding(aff_path):
    """The character set a hunspell dictionary declares ("SET ISO8859-1")."""
    with open(aff_path, encoding="latin-1") as f:
        for line in f:
            if line.startswith("SET "):
                return line.split()[1].replace("ISO8859", "ISO-8859")
    return "ISO-8859-1"


def load_spelling(thesaurus=None, ngerman=None):
    """Every correctly spelled word the sources know: ngerman and hunspell
    forms, and the thesaurus words in general use ("Zahnpasta", a compound
    the spelling dictionaries build by rule but do not list)."""
    encoding = hunspell_encoding(HUNSPELL_AFF_PATH)
    with open(HUNSPELL_AFF_PATH, encoding=encoding) as f:
        suffixes = hunspell_suffixes(f)
    with open(HUNSPELL_PATH, encoding=encoding) as f:
        words = (load_ngerman() if ngerman is None else ngerman) | hunspell_words(f, suffixes)
    if thesaurus is not None:
        words |= {w for w in thesaurus if thesaurus.in_general_use(w)}
    return words


# Usage labels of the thesaurus that leave a word in general use: a
# colloquial word is an everyday word.
THESAURUS_GENERAL_LABELS = {"Oberbegriff", "Hauptform", "ugs.", "fig.", "männl.",
                            "weibl.", "Kindersprache"}
# Labels of a coarse or insulting use.
THESAURUS_OFFENSIVE_LABELS = {"derb", "vulg.", "abwertend"}


class Thesaurus:
    """One-word terms of the German thesaurus with their usage labels.

    A term appears once in each synonym set it belongs to, with that use's
    labels ("(ugs.)", "(fachspr.)", "(veraltet)", "(derb)").  Each use
    counts: a word found in general use in one set is in general use.
    """

    TERM_RE = re.compile(r"([A-Za-zÄÖÜäöüß]+)((?: \([^)]*\))*)")

    def __init__(self, lines):
        self.uses = defaultdict(list)  # word -> [frozenset of labels], one per set
        seen = set()
        for line in lines:
            if not line.startswith("-|"):
                continue  # an index line ("rabe|1"), not a synonym set
            terms = tuple(line.rstrip("\n").split("|")[1:])
            if terms in seen:
                continue  # each set is repeated under every term it holds
            seen.add(terms)
            for term in terms:
                m = self.TERM_RE.fullmatch(term.strip())
                if m:
                    labels = frozenset(label.strip() for group in re.findall(r"\(([^)]*)\)", m.group(2))
                                       for label in group.split(","))
                    self.uses[m.group(1)].append(labels)

    def __iter__(self):
        return iter(self.uses)

    def in_general_use(self, word):
        return any(labels <= THESAURUS_GENERAL_LABELS for labels in self.uses.get(word, ()))

    def senses(self, word):
        return len(self.uses.get(word, ()))

    def only_offensive(self, word):
        uses = self.uses.get(word, ())
        return bool(uses) and all(labels & THESAURUS_OFFENSIVE_LABELS for labels in uses)


def load_thesaurus():
    with open(THESAURUS_PATH, encoding="utf-8") as f:
        return Thesaurus(f)


class Frequency:
    """Frequency ranks and name lists of the zxcvbn package.

    ranks: lower-cased word -> best rank (0 = most frequent) in commonWords
    (spoken language, from film subtitles) or wikipedia (written language).
    spoken: the words of commonWords.  first_names: a set; last_names: a
    list, most common first.  english: lower-cased English word -> rank in
    the English spoken list; english_names: English first names.
    """

    def __init__(self, ranks, spoken, first_names, last_names, english=None,
                 english_names=frozenset()):
        self.ranks = ranks
        self.spoken = spoken
        self.first_names = first_names
        self.last_names = last_names
        self.english = english or {}
        self.english_names = english_names


def load_frequency(pkg_dir, english_dir):
    lists = {}
    for name in ("wikipedia", "commonWords", "firstnames", "lastnames"):
        with open(os.path.join(pkg_dir, "src", name + ".json"), encoding="utf-8") as f:
            lists[name] = json.load(f)
    ranks = {}
    for name in ("wikipedia", "commonWords"):
        for position, word in enumerate(lists[name]):
            if word not in ranks or position < ranks[word]:
                ranks[word] = position
    # English: the spoken list only (film subtitles); the written one is
    # full of terms a child never hears ("initiator", "conical").
    with open(os.path.join(english_dir, "src", "commonWords.json"), encoding="utf-8") as f:
        english = {}
        for position, word in enumerate(json.load(f)):
            english.setdefault(word, position)
    with open(os.path.join(english_dir, "src", "firstnames.json"), encoding="utf-8") as f:
        english_names = set(json.load(f))
    return Frequency(ranks, set(lists["commonWords"]), set(lists["firstnames"]),
                     lists["lastnames"], english, english_names)


# ---------------------------------------------------------------------------
# Parsing trans-de-en
# ---------------------------------------------------------------------------

TAG_RE = re.compile(r"\{([^}]*)\}")
LABEL_RE = re.compile(r"\[([^\]]*)\]")
# Abbreviation markers after a word: "Wohnung {f} /Whg./".
ABBREVIATION_RE = re.compile(r"(?<!\S)/([^/\s][^/]*)/(?=[\s;|]|$)")
# Comments, alternatives and markers that are not part of the headword itself.
NOISE_RE = re.compile(r"\{[^}]*\}|\[[^\]]*\]|\([^)]*\)|<[^>]*>|"
                      r"(?<!\S)/[^/\s][^/]*/(?=[\s;|]|$)")
# Object placeholders in verb entries: "etw. abarbeiten", "sich freuen".
# Endings written after a declined form: "frühere(r/s)", "ehemalige(r/s)".
DECLINED_ENTRY_RE = re.compile(r"\w\((?:r/s|r,s|r/s/n)\)")
PLACEHOLDER_RE = re.compile(
    r"^(?:(?:etw|jdn|jdm|jds|jd)\.|sich)(?:/(?:(?:etw|jdn|jdm|jds|jd)\.|sich))*$")


class Occurrence:
    """One appearance of a word as a tagged single-word headword: one sense."""
    __slots__ = ("word_class", "labels", "proper", "comment", "group", "gerund",
                 "insult", "adjective", "neuter", "masculine", "sense", "english",
                 "position", "group_fields", "plain_english", "plural_only")

    def __init__(self, word_class, labels, proper, comment, group, gerund,
                 insult=False, adjective=False, neuter=False):
        self.word_class = word_class   # "noun", "verb" or "other"
        self.labels = labels           # frozenset of [..] labels of this sense
        self.proper = proper           # English side names a proper noun
        self.comment = comment         # text of (..) comments
        self.group = group             # 0 = headword part of the entry
        self.gerund = gerund           # English side is only "-ing" forms
        self.insult = insult           # English side is an insult
        self.adjective = adjective     # tagged {adj} itself
        self.neuter = neuter           # tagged {n} only
        self.sense = None              # (line, group): the words sharing this sense
        self.masculine = False         # tagged {m} only
        self.english = ()              # English alternatives of this sense
        self.plain_english = ()        # those without a register label
        self.position = 0              # place among the group's alternatives
        self.group_fields = frozenset()  # field labels ending the group
        self.plural_only = False       # tagged {pl}: "Leute {pl}", "Hausschuhe {pl}"


class TransData:
    """What the build needs from trans-de-en."""

    def __init__(self):
        self.occurrences = defaultdict(list)  # word -> [Occurrence]
        self.verb_forms = set()      # participles listed in verb entries
        self.conjugated = set()      # every form a verb entry lists ("riefen")
        self.verbs = set()           # every infinitive heading an entry
        self.others = set()          # every adjective, pronoun, numeral ... heading an entry
        self.superlatives = set()    # "am schnellsten" -> "schnellsten"
        self.comparatives = set()    # "schnell {adj} | schneller" -> "schneller"
        self.places = set()          # geographic names ("Duisburg")
        self.adverbs = set()         # words heading an {adv} entry ("lieber")
        self.abbreviations = set()   # "Whg" from "/Whg./"
        self.spoken_abbreviations = set()  # markers without a period: "Kita" from "/Kita/"
        self.plural_of = defaultdict(set)  # "Sachen" -> {"Sache"}
        self.own_plural = set()      # nouns whose plural an entry lists ("Leben")
        self.unchanged_plural = set()  # nouns whose plural is spelled alike ("Mittel")
        self.noun_entries = set()    # nouns heading an entry alone, not as "-ing"
        self.entry_heads = set()     # nouns heading an entry ("Weihnachten {n}; ...")
        self.first_others = set()    # adjectives ... first of several ("nahe; nah {adj}")
        self.other_entries = set()   # adjectives ... heading an entry alone ("alles {pron}")
        self.gender_forms = {}       # "jedes" -> "jede" of "jede; jeder; jedes {pron}"
        self.pronouns = set()        # headwords tagged {pron} or {ppron}
        self.senses = defaultdict(list)  # (line, group) -> words of that group
        self.insults = set()         # lower-cased insults ("idiot", "trottel")
        self.persons = set()         # nouns tagged {m,f}: "Abgeordnete", "Betroffene"
        self.declined_entries = set()  # "frühere" of "frühere(r/s) {adj}"
        self.unnamed_genera = []     # ("Nashörner", fields, English, line) without <Nashorn>
        self.genus_diminutives = defaultdict(list)  # "Eichhörnchen" -> its genus senses


def classify(tags):
    """Word class from trans-de-en tags, or None for plurals and the rest."""
    for tag in tags:
        tag = tag.strip()
        if tag in NOUN_TAGS:
            return "noun"
        if tag in VERB_TAGS:
            return "verb"
        if tag in OTHER_TAGS:
            return "other"
    return None


def english_alternatives(english_group):
    alts = [a.strip() for a in NOISE_RE.sub("", english_group).split(";")]
    return [a for a in alts if a]


# English translations marked with these are not the English word's own,
# common sense: "Birne {f} :: noodle [slang]" says nothing of "Nudel".
ENGLISH_REGISTER_LABELS = {"slang", "coll.", "dated", "fig.", "archaic", "rare",
                           "obs.", "humor.", "vulg.", "pej.", "lit.", "poet."}
# German senses used figuratively or jokingly borrow their English words
# from the literal sense of another word.
FIGURATIVE_LABELS = {"übtr.", "fig.", "slang", "pej.", "humor."}


def plain_english_alternatives(english_group):
    """The English alternatives that carry no register label."""
    plain = []
    for alt in english_group.split(";"):
        if {l.strip() for l in LABEL_RE.findall(alt)} & ENGLISH_REGISTER_LABELS:
            continue
        plain.extend(english_alternatives(alt))
    return plain


# English capitalises the days, months and feasts; German treats them as
# common nouns ("Montag", "Januar", "Ostern").
ENGLISH_CALENDAR_WORDS = {
    "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday",
    "Sunday", "January", "February", "March", "April", "May", "June", "July",
    "August", "September", "October", "November", "December", "Christmas",
    "Easter", "Whitsun", "Pentecost", "Advent", "Lent",
}


def english_is_proper(english_group):
    """True if every English translation starts with a capital letter.

    Common nouns are lower case in English, so a German noun that is only
    ever translated by capitalised words ("Germany", "the Rhine") is a name.
    """
    alts = english_alternatives(english_group)
    if not alts:
        return False
    for alt in alts:
        if alt.split()[0] in ENGLISH_CALENDAR_WORDS:
            return False
        first = alt.split()[0]
        if first in ("the", "The", "a", "an") and len(alt.split()) > 1:
            first = alt.split()[1]
        if not first[:1].isupper():
            return False
    return True


def english_is_gerund(english_group):
    """True if every English translation is an -ing form ("filing")."""
    alts = english_alternatives(english_group)
    return bool(alts) and all(a.split()[0].endswith("ing") for a in alts)


def english_is_slang(english_group):
    """True if every English translation is labelled slang or vulgar."""
    alts = [a for a in english_group.split(";") if a.strip()]
    return bool(alts) and all(
        {l.strip() for l in LABEL_RE.findall(a)} & {"slang", "vulg."} for a in alts)


def english_is_marked(english_group):
    """True if a translation of this sense is labelled slang, vulgar or
    pejorative."""
    return any({l.strip() for l in LABEL_RE.findall(a)} & {"slang", "vulg.", "pej."}
               for a in english_group.split(";"))


# English modal verbs have no "to" infinitive ("sollen :: shall; should").
ENGLISH_MODALS = {"can", "could", "may", "might", "must", "shall", "should",
                  "will", "would", "ought"}


def english_is_infinitive(english_group):
    """True if a translation is an English infinitive ("to canonize sb.")."""
    return any(a.startswith("to ") or a.split()[0] in ENGLISH_MODALS
               for a in english_alternatives(english_group))


def english_is_insult(english_group):
    """True if a translation of this sense ends in an insult ("village idiot")."""
    for alt in english_alternatives(english_group):
        words = re.findall(r"[a-z]+", alt.lower())
        if words and words[-1] in INSULT_WORDS:
            return True
    return False


def alternatives(group):
    """The alternatives of a group, split at ";" outside comments:
    "Vertrauen {n} (in; zu)" is one alternative."""
    alts, depth, start = [], 0, 0
    for i, c in enumerate(group):
        if c in "([{":
            depth += 1
        elif c in ")]}" and depth:
            depth -= 1
        elif c == ";" and depth == 0:
            alts.append(group[start:i].strip())
            start = i + 1
    alts.append(group[start:].strip())
    return alts


ARTICLES = {"der", "die", "das", "der/die"}  # "der/die Erste {m,f}"


def headword_tokens(alt, is_verb):
    """The words of one alternative without comments, markers and objects.

    In verb entries a preposition that introduces an object goes with it:
    "sich an etw. erinnern" -> ["erinnern"].  A definite article before a
    noun goes too: "die Polizei" -> ["Polizei"].
    """
    tokens = NOISE_RE.sub(" ", alt).split()
    if len(tokens) == 2 and tokens[0] in ARTICLES and tokens[1][:1].isupper():
        tokens = tokens[1:]
    kept = []
    for i, token in enumerate(tokens):
        if PLACEHOLDER_RE.match(token):
            continue
        if (is_verb and token in PREPOSITIONS and i + 1 < len(tokens)
                and PLACEHOLDER_RE.match(tokens[i + 1])):
            continue
        kept.append(token)
    return kept


def fold_umlauts(word):
    return word.lower().translate(str.maketrans("äöü", "aou"))


def looks_like_plural_of(plural, singular):
    """"Sachen" of "Sache", "Häuser" of "Haus", "Museen" of "Museum"."""
    p, s = fold_umlauts(plural), fold_umlauts(singular)
    common = len(os.path.commonprefix([p, s]))
    return plural != singular and common >= max(3, len(s) - 2) and len(p) >= len(s) - 1


def single_noun(alt):
    tokens = headword_tokens(alt, False)
    if len(tokens) == 1 and tokens[0][:1].isupper():
        return tokens[0]
    return None


def english_is_plural_of(plural_group, singular_group):
    """"military campaigns" is the plural of "military campaign"."""
    plurals = english_alternatives(plural_group)
    singulars = english_alternatives(singular_group)
    return bool(plurals) and bool(singulars) and plurals[0] != singulars[0] and (
        plurals[0].startswith(singulars[0][:-1]) and plurals[0].endswith("s"))


def parse_plurals(german_groups, data, english_groups=()):
    """Record plural forms; return the groups that are plurals of the headwords.

    An entry lists the plurals of its headwords in the group after them, in
    the same order: "Fotomodell {n}; Modell {n} | Fotomodelle {pl}; Modelle {n}".
    A word in that group is a plural whatever its tag.  Elsewhere, a word
    tagged {pl} that looks like a headword's plural is that plural
    ("Ding {n}; Sache {f} | Dinge {pl}; Sachen {pl}; Krempel {m}").
    """
    heads = [single_noun(a) if classify(TAG_RE.findall(a)) == "noun" else None
             for a in alternatives(german_groups[0])]
    plural_groups = set()
    for gi, group in enumerate(german_groups):
        if "{pl}" not in group:
            # A plural tagged as singular: "Feldzug {m} | Feldzüge {m} ::
            # military campaign | military campaigns".
            if (gi == 1 and len(english_groups) > 1
                    and english_is_plural_of(english_groups[1], english_groups[0])):
                alts = alternatives(group)
                if len(alts) == len(heads) and all(
                        heads[i] and single_noun(a) and looks_like_plural_of(single_noun(a), heads[i])
                        for i, a in enumerate(alts)):
                    plural_groups.add(gi)
                    for i, a in enumerate(alts):
                        data.plural_of[single_noun(a)].add(heads[i])
                        data.own_plural.add(heads[i])
            continue
        alts = alternatives(group)
        parallel = (gi == 1 and len(alts) == len(heads)
                    and 2 * sum("{pl}" in a for a in alts) >= len(alts))
        if parallel:
            plural_groups.add(gi)
        for i, alt in enumerate(alts):
            plural = single_noun(alt)
            if plural is None:
                continue
            if parallel and heads[i] is not None:
                data.own_plural.add(heads[i])
                if plural != heads[i]:
                    data.plural_of[plural].add(heads[i])
                else:
                    data.unchanged_plural.add(plural)
            elif "{pl}" in alt:
                for singular in heads:
                    if singular is not None and looks_like_plural_of(plural, singular):
                        data.plural_of[plural].add(singular)
    return plural_groups


# Genus entries: "Hummeln {pl} (Bombus) (zoologische Gattung) [zool.] <Hummel>".
GENUS_COMMENT_RE = re.compile(r"\((?:zoologische|botanische|mykologische) \w+\)")
GENUS_FIELDS = {"zool.", "ornith.", "bot."}
KEYWORD_RE = re.compile(r"<([A-ZÄÖÜ][a-zäöüß]+)>")
# A diminutive follows a consonant other than r or s; "Furchen", "Eschen",
# "Schleichen" are plurals of nouns in -che, -sche, -iche.
DIMINUTIVE_RE = re.compile(r"(?:[^aeiouäöürs]chen|lein)$")


def parse_genus_names(head_group, english_group, data, line_number):
    """The everyday name of an animal or plant from its genus entry.

    Such entries are headed by the plural ("Hummeln {pl} (Bombus) [zool.]
    <Hummel>") and give the singular only as a search keyword in <>, or not
    at all where it is spelled like the plural ("Eichhörnchen {pl}").
    """
    fields = {l.strip() for l in LABEL_RE.findall(head_group)} & GENUS_FIELDS
    alts = alternatives(head_group)
    if not fields or "{pl}" not in alts[0]:
        return
    names = KEYWORD_RE.findall(head_group)
    head = single_noun(alts[0])
    if not names and head and DIMINUTIVE_RE.search(head):
        names = [head]
    english = [a for a in english_alternatives(english_group)
               if re.fullmatch(r"[a-z]+", a)]
    if not names:
        # "Nashörner {pl} (Rhinocerotidae) (zoologische Familie)",
        # "Eichenbäume {pl}; Eichen {pl} (Quercus)": the singular is found
        # by the spelling dictionaries (genus_names).
        for alt in alts:
            plural = single_noun(alt)
            if plural and "{pl}" in alt:
                data.unnamed_genera.append((plural, frozenset(fields), english, line_number))
    for name in names:
        occ = add_genus_name(name, frozenset(fields), english, line_number, data)
        if name == head:
            data.genus_diminutives[name].append(occ)


def add_genus_name(name, fields, english, line_number, data):
    occ = Occurrence("noun", fields, False, "", 0, False)
    occ.sense = (line_number, 0)
    occ.english = occ.plain_english = tuple(singular_of_english(a) for a in english)
    occ.group_fields = fields
    data.senses[occ.sense].append(name)
    data.occurrences[name].append(occ)
    data.entry_heads.add(name)
    return occ


def genus_names(trans, spelling, thesaurus=None):
    """Name the animals and plants of genus entries without a <keyword> by
    the singular the spelling dictionaries have ("Nashörner" -> "Nashorn",
    "Kamele" -> "Kamel", "Eichen" -> "Eiche").  Where they have two ("Eich",
    "Eiche"), the one in general use names it."""
    for plural, fields, english, line_number in trans.unnamed_genera:
        found = sorted(s for s in singulars_of(plural) if s in spelling)
        if len(found) > 1 and thesaurus is not None:
            found = [s for s in found if thesaurus.in_general_use(s)]
        if len(found) == 1 and not any(o.sense == (line_number, 0)
                                       for o in trans.occurrences.get(found[0], ())):
            add_genus_name(found[0], fields, english, line_number, trans)


def singular_of_english(plural):
    """"bumblebees" -> "bumblebee", "lilies" -> "lily"; English plurals of
    genus names are regular."""
    if plural.endswith("ies"):
        return plural[:-3] + "y"
    if plural.endswith(("ches", "shes", "sses", "xes")):
        return plural[:-2]
    if plural.endswith("s") and not plural.endswith("ss"):
        return plural[:-1]
    return plural


def unlike_its_head(plural, head):
    """"Geschwister" is not a form of "Geschwisterkind"."""
    return bool(plural and head and plural != head and not looks_like_plural_of(plural, head))


def parse_line(line, data, line_number=0):
    """Add what one line of trans-de-en says to data."""
    if line.startswith("#") or " :: " not in line:
        return
    german, english = line.rstrip("\n").split(" :: ", 1)
    english_groups = english.split(" | ")
    german_groups = german.split(" | ")
    data.superlatives.update(re.findall(r"\bam (\w+sten)\b", german))
    markers = ABBREVIATION_RE.findall(german)
    data.abbreviations.update(a.rstrip(".") for a in markers)
    data.spoken_abbreviations.update(a for a in markers if not a.endswith("."))
    head_tags = [t.strip() for t in TAG_RE.findall(german_groups[0])]
    head_alts = alternatives(german_groups[0])
    if "[geogr.]" in german and english_is_proper(english_groups[0]):
        first = NOISE_RE.sub(" ", head_alts[0]).split()
        if first and first[0][:1].isupper():
            data.places.add(first[0])
    is_verb_entry = any(classify([t]) == "verb" for t in head_tags)
    # Verb entries list the present and past participle in the next
    # two groups: "etw. abarbeiten {vt} | abarbeitend | abgearbeitet".
    if is_verb_entry:
        for group in german_groups[1:]:
            data.conjugated.update(re.findall(r"(?<!\w)[a-zäöüß]+(?!\w)", NOISE_RE.sub(" ", group)))
        for gi, group in enumerate(german_groups[1:3], 1):
            for alt in alternatives(group):
                tokens = NOISE_RE.sub(" ", alt).split()
                if len(tokens) == 1 and not TAG_RE.search(alt):
                    if gi == 2 or tokens[0].endswith("nd"):
                        data.verb_forms.add(tokens[0])
    # Adjective entries list the comparative next: "hoch {adj} | höher".
    if "adj" in head_tags and len(german_groups) > 1:
        for alt in alternatives(german_groups[1]):
            tokens = NOISE_RE.sub(" ", alt).split()
            if len(tokens) == 1:
                data.comparatives.add(tokens[0])
    # A noun that heads an entry on its own and is translated by more than
    # an "-ing" form is a noun of its own ("Vertrauen {n} :: trust").
    if len(head_alts) == 1 and head_tags == ["n"] and not english_is_gerund(english_groups[0]):
        noun = single_noun(head_alts[0])
        if noun:
            data.noun_entries.add(noun)
    if classify(TAG_RE.findall(head_alts[0])) == "noun" and "{pl}" not in head_alts[0]:
        noun = single_noun(head_alts[0])
        if noun:
            data.entry_heads.add(noun)
    if classify(head_tags) == "other" and len(head_alts) > 1:
        first = NOISE_RE.sub(" ", head_alts[0]).split()
        if len(first) == 1:
            data.first_others.add(first[0])
        parse_gender_forms(head_alts, data)
    elif classify(head_tags) == "other" and len(head_alts) == 1:
        data.other_entries.add(NOISE_RE.sub(" ", head_alts[0]).strip())
    plural_groups = parse_plurals(german_groups, data, english_groups)
    parse_genus_names(german_groups[0], english_groups[0], data, line_number)

    for gi, group in enumerate(german_groups):
        # The plurals of the headwords are no words of their own, but a
        # plural noun unlike its head is: "Geschwisterkind {n} | Geschwister {pl}".
        head_plural = gi in plural_groups
        english_group = english_groups[gi] if gi < len(english_groups) else ""
        proper = english_is_proper(english_group) if english_group else False
        gerund = english_is_gerund(english_group) if english_group else False
        insult = english_is_insult(english_group)
        alts = alternatives(group)
        # A vulgar or slang label at the end of a group covers the whole
        # group, one sense: "Fick {m}; Ficken {n}; Vögeln {n} [vulg.]",
        # "Dünnpfiff {m} [ugs.]; Dünnschiss {m}; Scheißerei {f} [slang]".
        # A pejorative label stays with its word ("Fernseher {m}; Glotze {f}
        # [pej.] :: television set") unless the English is pejorative too
        # ("Hundesohn {m}; fieser Hund {m} [pej.] :: cur [pej.]"); insults
        # are recognised by their translation.
        # Where the English side is plain, the label belongs to the last
        # alternative only: "Schnupfen {m}; ...; Nasentripper {m} [vulg.]
        # [med.] :: head cold" is no vulgar sense of "Schnupfen".
        group_labels = ({l.strip() for l in LABEL_RE.findall(alts[-1])} & GROUP_LABELS
                        if english_is_marked(english_group) else set())
        # A field at the end of a group names the field of all of it:
        # "Delfin {m}; Delphin {m} [zool.]".
        group_fields = (frozenset(l.strip() for l in LABEL_RE.findall(alts[-1]))
                        & (TECHNICAL_LABELS | CHILD_FIELDS))
        # A sense only ever translated by English slang is slang too
        # ("kotzen {vi} [ugs.] :: to ralph [slang]").
        if english_is_slang(english_group):
            group_labels.add("slang")
        # An untagged adjective/adverb/verb takes the tag of the next
        # tagged alternative: "lüstern; geil {adj}".
        inherited = [None] * len(alts)
        pending = None
        for i in range(len(alts) - 1, -1, -1):
            tags = TAG_RE.findall(alts[i])
            if tags:
                pending = classify(tags)
            inherited[i] = pending
        for i, alt in enumerate(alts):
            tags = [t.strip() for t in TAG_RE.findall(alt)]
            word_class = classify(tags) if tags else inherited[i]
            # A noun listed in the plural may have no singular ("Leute {pl}",
            # "Ferien {pl}"); candidates() keeps those.  Genus names are
            # parsed on their own.
            plural_only = (tags == ["pl"] and word_class is None
                           and not GENUS_COMMENT_RE.search(group))
            if head_plural and not (plural_only and i < len(head_alts) and unlike_its_head(
                    single_noun(alt), single_noun(head_alts[i]))):
                continue
            if plural_only:
                word_class = "noun"
            if word_class is None or (not tags and word_class == "noun"):
                continue
            tokens = headword_tokens(alt, word_class == "verb")
            if len(tokens) != 1:
                continue
            word = tokens[0]
            # A verb sense is translated by an infinitive; "heiliggesprochen
            # {vt} :: sainted" is a participle tagged as a verb.
            if word_class == "verb" and english_group and not english_is_infinitive(english_group):
                continue
            # "frühere(r/s) {adj}": an adjective only ever used declined,
            # written with its endings.
            if word_class == "other" and DECLINED_ENTRY_RE.search(alt):
                data.declined_entries.add(word)
            if gi == 0 and word_class == "verb":
                data.verbs.add(word)
            if gi == 0 and word_class == "other":
                data.others.add(word)
                if "adv" in tags:
                    data.adverbs.add(word)
                if {"pron", "ppron"} & set(tags or head_tags):
                    data.pronouns.add(word)
            labels = frozenset(l.strip() for l in LABEL_RE.findall(alt)) | group_labels
            comment = " ".join(re.findall(r"\(([^)]*)\)", alt))
            occ = Occurrence(word_class, labels, proper, comment, gi, gerund,
                             insult, "adj" in tags or (not tags and "adj" in head_tags),
                             tags == ["n"])
            occ.sense = (line_number, gi)
            occ.masculine = tags == ["m"]
            if tags == ["m,f"] or tags == ["m", "f"]:
                data.persons.add(word)
            occ.english = tuple(english_alternatives(english_group))
            occ.plain_english = tuple(plain_english_alternatives(english_group))
            occ.position = i
            occ.group_fields = group_fields
            occ.plural_only = plural_only
            data.senses[occ.sense].append(word)
            data.occurrences[word].append(occ)


def parse_gender_forms(head_alts, data):
    """Record the forms of an entry that lists a pronoun or adjective in
    its three genders ("jede; jeder; jedes", "unsere; unserer; unseres"):
    form -> the entry's first form, which names them all."""
    words = [NOISE_RE.sub(" ", alt).split() for alt in head_alts]
    words = [w[0] for w in words if len(w) == 1]
    if len(words) >= 3 and words[0].endswith("e"):
        stem = words[0][:-1]
        if {stem + "er", stem + "es"} <= set(words[1:]):
            for form in (stem + "er", stem + "es"):
                data.gender_forms[form] = words[0]
            data.gender_forms.setdefault(words[0], words[0])


def parse_trans(lines):
    """Collect tagged single-word headwords and what the rules need about them."""
    data = TransData()
    for n, line in enumerate(lines):
        parse_line(line, data, n)
    # "Eschen {pl} [bot.]" is the plural of "Esche", not a diminutive.
    for name, occs in data.genus_diminutives.items():
        if name[:-1] in data.occurrences:
            data.occurrences[name] = [o for o in data.occurrences[name] if o not in occs]
            if not data.occurrences[name]:
                del data.occurrences[name]
    mark_insult_senses(data)
    return data


def insult_words(data):
    """Words that are insults in at least half of their senses."""
    return {w for w, occs in data.occurrences.items()
            if 2 * sum(o.insult for o in occs) >= len(occs)}


def mark_insult_senses(data):
    """A sense that lists an insult is an insult for all its words.

    "Idiot {m}; Schwachkopf {m}; Dummkopf {m} :: lamebrain": "Idiot" is
    mostly an insult, so this sense is one too.  A word does not mark its
    own senses: the donkey sense of "Esel", alone in its group, stays.  Done twice, so that a word found that way
    marks the senses it shares in turn.
    """
    for _ in range(2):
        insults = insult_words(data)
        for word, occs in data.occurrences.items():
            for o in occs:
                if any(w in insults and w != word for w in data.senses[o.sense]):
                    o.insult = True
    data.insults = {w.lower() for w in insult_words(data) if len(w) >= MIN_LEN}


def load_trans():
    with open(TRANS_PATH, encoding="utf-8") as f:
        return parse_trans(f)


# ---------------------------------------------------------------------------
# Word forms
# ---------------------------------------------------------------------------


def umlauted(word):
    """The stem with its last vowel umlauted: "Hand" -> "händ", "Haus" -> "häus"."""
    w = word.lower()
    for i in range(len(w) - 1, -1, -1):
        if w[i] in "aou":
            if w[i] == "u" and i > 0 and w[i - 1] == "a":
                return w[:i - 1] + "äu" + w[i + 1:]
            return w[:i] + "äöü"["aou".index(w[i])] + w[i + 1:]
        if w[i] in "eiäöü":
            return None
    return None


def verb_stem(infinitive):
    return infinitive[:-2] if infinitive.endswith("en") else infinitive[:-1]


def regular_verb_forms(infinitive):
    """Participles and finite forms of a regular verb.

    "weinen" -> weinend, weint, weinte, geweint; "einweihen" -> eingeweiht;
    "zögern" -> zögert; "arbeiten" -> arbeitet.  The ge- of a separable verb
    goes after its first part, wherever that is: every split is produced.
    """
    stem = verb_stem(infinitive)
    t = "et" if stem.endswith(("t", "d")) else "t"
    forms = {infinitive + "d", stem + t, stem + t + "e", stem + "te"}
    for i in range(0, len(stem) - 1):
        forms.add(stem[:i] + "ge" + stem[i:] + t)
    return forms


class VerbForms:
    """Which lower-case words are forms of a verb in trans-de-en."""

    def __init__(self, trans):
        self.forms = set(trans.verb_forms)
        for verb in trans.verbs:
            if verb[:1].islower() and verb.endswith("n"):
                self.forms.update(regular_verb_forms(verb))

    def __contains__(self, word):
        return word in self.forms


# ---------------------------------------------------------------------------
# Selection rules (each returns True if the word may stay)
# ---------------------------------------------------------------------------

WORD_RE = re.compile(r"[A-Za-zÄÖÜäöü][a-zäöüß]*")
DECLENSION_ENDINGS = ("e", "en", "er", "es", "em")


def rule_shape(word):
    """4-23 letters, only A-Z a-z ÄÖÜ äöü ß, capital only at the start."""
    return MIN_LEN <= len(word) <= MAX_LEN and WORD_RE.fullmatch(word) is not None


def rule_current_spelling(word, spelling):
    """Must be spelled as today (drops "daß", "Schiffahrt").

    spelling holds the word forms of ngerman and hunspell.  A capitalised
    word is spelled right if its lower-case form is, as a spelling checker
    sees it ("Morgen" from "morgen").  A few base forms are in neither
    ("Essen") but their inflected forms are ("Essens"), which confirm the
    spelling too.
    """
    if word in spelling or word.lower() in spelling:
        return True
    return any(word + ending in spelling for ending in ("s", "es", "n", "en"))


# Joints between the parts of a compound ("Pause-n-brot", "Geburt-s-tag").
COMPOUND_JOINTS = ("", "s", "n", "en", "es", "e")


def is_spelled_compound(word, spelling):
    """A noun made of two correctly spelled parts, to find the singular of a
    plural the spelling dictionaries do not list ("Apfel|saft",
    "Tomaten|soße", "Spül|maschine", "Spiegel|ei").

    The spelling dictionaries build compounds by rule and list few of them.
    The last part is a noun the dictionaries spell; the first is a word, a
    word with a joint, a verb stem ("trink" of "trinken") or a noun without
    its last "e" or "n" ("Farb|kasten", "Oster|ei").  An old
    spelling fails in either part ("Fluß|ufer").
    """
    if not word[0].isupper():
        return False
    for cut in range(3, len(word) - 1):
        head, tail = word[:cut], word[cut].upper() + word[cut + 1:]
        if tail not in spelling:
            continue
        for joint in COMPOUND_JOINTS:
            if joint and not head.endswith(joint):
                continue
            stem = head[: len(head) - len(joint)]
            if len(stem) < 3:
                continue
            # "kuschel|n", but "fer|n" is no verb.
            verb = stem.lower() + ("n" if len(stem) > 3 and stem.endswith(("el", "er")) else "en")
            if stem in spelling or stem.lower() in spelling or verb in spelling:
                return True
            # A noun that drops its last letter: "Farb|kasten", "Oster|ei".
            noun = stem[0].upper() + stem[1:]
            if not joint and (noun + "e" in spelling or noun + "n" in spelling):
                return True
    return False


def rule_not_vulgar(word, occs, thesaurus=None):
    """A vulgar sense drops the word, not only the sense ("Vögeln"), unless
    it is an aside: the word's first sense and most of its senses are
    plain, and the thesaurus holds the word in general use ("Dreck": dirt,
    rubbish, and once "shit")."""
    vulgar = sum(1 for o in occs if o.labels & VULGAR_LABELS)
    if not vulgar:
        return True
    marked = VULGAR_LABELS | OFFENSIVE_SENSE_LABELS
    plain = [o for o in occs if not (o.labels & marked or o.insult)]
    return (occs[0] in plain and len(plain) > vulgar
            and thesaurus is not None and thesaurus.in_general_use(word))


def rule_case_matches_class(word, occ):
    """Nouns are capitalised, everything else is lower case."""
    if occ.word_class == "noun":
        return word[0].isupper()
    return word[0].islower()


def rule_base_form(word, occ):
    """Infinitives end in -n ("laufen", "sammeln", "tun", "sein")."""
    if occ.word_class == "verb":
        return word.endswith("n")
    return True


def rule_not_a_name(occ):
    """Drop names of places, peoples' residents and proper nouns."""
    if occ.proper:
        return False
    return not re.search(r"Bewohner|Einwohner|Stadt in|Ort in|Fluss in|Vorname", occ.comment)


def rule_headword_position(occ):
    """Adjectives, adverbs and verbs only count where they head the entry.

    Later parts of an entry list inflected forms, and some carry a class tag
    ("entfernt; fern {adj} | entfernter | entfernten {adj}").  Nouns found
    there are compounds in base form ("Rückwärtsabbildung {f}") and stay.
    """
    return occ.word_class == "noun" or occ.group == 0


def is_regional(labels):
    """True if the labels limit a sense to a region outside standard German."""
    if GERMANY_LABEL in labels:
        return False
    german = labels & GERMAN_REGION_LABELS
    if len(german) >= 2:
        return False
    return bool(german or labels & FOREIGN_REGION_LABELS)


def rule_usable_occurrence(word, occ):
    """An occurrence (a sense) counts if nothing restricts or taints it."""
    return (not (occ.labels & RESTRICTED_LABELS)
            and not is_regional(occ.labels)
            and not (occ.labels & OFFENSIVE_SENSE_LABELS)
            and not occ.insult
            and rule_headword_position(occ)
            and rule_case_matches_class(word, occ)
            and rule_base_form(word, occ)
            and rule_not_a_name(occ))


def rule_not_blocked(word):
    return word not in BLOCKLIST


# Suffixes that make an adjective or a person of an insult ("idiotisch").
INSULT_SUFFIXES = ("isch", "ig", "haft", "in")


def rule_not_built_on_insult(word, insults, slurs, heads):
    """Compounds and derivations of insults are insults ("Fachidiot",
    "Vollidiot", "trottelig"): a word that ends in one after another word,
    or is one with an adjective suffix.  A slur taints every compound
    ("Zigeunerleben"); an insult as the first part need not ("Irreführung")."""
    w = word.lower()
    for insult in insults | slurs:
        if w.endswith(insult) and w != insult and w[: -len(insult)] in heads:
            return False
        if w.startswith(insult) and w[len(insult):] in INSULT_SUFFIXES:
            return False
    return not any(w.startswith(s) and w[len(s):] in heads for s in slurs)


def rule_not_abbreviation(word, trans):
    """Words the source writes as an abbreviation marker ("/Kita/") are short forms.

    A written abbreviation ends in a period ("Oberst {m} /Obst./"); a word
    spelled like one that heads an entry of its own is a word ("Obst {n} ::
    fruit").
    """
    if word not in trans.abbreviations:
        return True
    return word not in trans.spoken_abbreviations and word in trans.entry_heads


def only_other(occs):
    return all(o.word_class == "other" for o in occs)


# Prefixes of superlatives: "zweitjüngste", "allerbeste".
SUPERLATIVE_PREFIXES = ("zweit", "dritt", "viert", "aller")
# Superlatives not built on their adjective's stem: "beste" of "gut".
IRREGULAR_SUPERLATIVES = {"best": "gut", "meist": "viel", "höchst": "hoch",
                          "nächst": "nah"}


def superlative_base(word, adjectives):
    """The adjective a superlative comes from ("größte" <- "groß",
    "zweitjüngster" <- "jung"), or None."""
    for prefix in SUPERLATIVE_PREFIXES:
        if word.startswith(prefix) and len(word) > len(prefix) + 3:
            word = word[len(prefix):]
            break
    for stem, base in IRREGULAR_SUPERLATIVES.items():
        if word[len(stem):] in DECLENSION_ENDINGS and word.startswith(stem) and base in adjectives:
            return base
    m = re.fullmatch(r"(.{3,}?)(?:e?st|(?<=[sßz])t)(?:e|er|es|em|en)", word)
    if m:
        stem = m.group(1)
        for base in (stem, stem.translate(str.maketrans("äöü", "aou")),
                     stem[:-1] + "ch" if stem.endswith("h") else stem):
            if base in adjectives:
                return base
    return None


def comparative_base(word, trans, adjectives):
    """The adjective a comparative comes from ("älter" <- "alt"), or None.

    Only forms the source lists as comparatives count."""
    if word not in trans.comparatives or not word.endswith("er"):
        return None
    stem = word[:-2]
    plain = stem.translate(str.maketrans("äöü", "aou"))
    # "höher" <- "hoch": ch becomes h before the ending, as in "hohes".
    for base in (stem, plain, plain[:-1] + "ch" if plain.endswith("h") else plain):
        if base in adjectives:
            return base
    return None


def declined_base(word, others):
    """The base form a declined adjective, pronoun or numeral comes from, or None.

    "hohes" <- "hoch" (ch becomes h before an ending), "ihres" <- "ihr",
    "drittes" <- "dritte", "anderer" <- "andere".
    """
    for ending in DECLENSION_ENDINGS:
        if word.endswith(ending) and len(word) > len(ending) + 1:
            stem = word[: -len(ending)]
            if stem in others:
                return stem
            if stem.endswith("h") and stem[:-1] + "ch" in others:
                return stem[:-1] + "ch"
    for ending in ("r", "s", "m", "n"):
        stem = word[:-1]
        if word.endswith(ending) and stem.endswith("e") and stem in others:
            return stem
    return None


# Case forms of the personal and reflexive pronouns, a closed class: the
# dictionary lists them beside their nominative ("selbst; euch; sich {pron}").
PRONOUN_CASE_FORMS = {"mich", "dich", "sich", "uns", "euch", "mir", "dir",
                      "ihm", "ihn", "ihnen", "meiner", "deiner", "seiner",
                      "unserer", "eurer"}


def rule_not_declined(word, occs, trans, adjectives):
    """Drop declined adjectives, pronouns and numerals ("hohes", "ihres"),
    superlatives ("größte") and comparatives ("älter"; an adverb of its own
    stays: "später", "lieber").

    A form counts as declined when its base form is in the source as an
    adjective, pronoun or numeral.  A word whose own declined forms are
    there is a base itself ("unser": "unsere"), and so is a word that an
    entry lists first ("nahe; nah {adj}", "dritte; dritter; drittes {num}"),
    unless it is the strong form of the word after it ("innerer; innere");
    an adverb entry of its own keeps a word too ("lieber", "weiter").
    """
    if not only_other(occs):
        return True
    if word in trans.declined_entries or word in PRONOUN_CASE_FORMS:
        return False
    if superlative_base(word, adjectives) is not None:
        return False
    # The bare stem of a superlative ("winzig; kleinst {adj}") is no word
    # of its own; adverbs are ("längst", "meist").
    if (word.endswith("st") and all(o.adjective for o in occs)
            and superlative_base(word + "e", adjectives) is not None):
        return False
    if comparative_base(word, trans, adjectives) is not None:
        return word in trans.adverbs
    if word in trans.gender_forms:
        # "jede; jeder; jedes" names one pronoun by its first form; where
        # the bare stem is a pronoun, that is its base ("unser": "unsere";
        # but "erste" is no form of "erst").  A form with an entry of its
        # own is a word too ("alles").
        first = trans.gender_forms[word]
        return word in trans.other_entries or (word == first and first[:-1] not in trans.pronouns)
    base = declined_base(word, trans.others)
    if base is None:
        return True
    # "innerer; innere; inneres {adj}" lists the strong forms of "innere"
    # first; "dritte; dritter; drittes" and "nahe; nah" start with the base.
    strong = word.endswith(("er", "es", "em")) and word[:-1] in trans.others
    if word in trans.first_others and not strong:
        return True
    if any(word + ending in trans.others for ending in DECLENSION_ENDINGS):
        return True
    return word in trans.adverbs


def is_gradable(word, trans):
    return (word + "er" in trans.comparatives
            or word + "sten" in trans.superlatives
            or word + "esten" in trans.superlatives)


def rule_participle_is_adjective(word, occs, trans, verb_forms):
    """Participles and other verb forms stay only as adjectives of their own.

    trans-de-en tags many verb forms {adj} or {adv} ("eingeweiht", "weinend",
    "zögert", "sollte", "vereinigt").  An adjective of its own has an {adj}
    entry and is gradable ("aufgeregt | aufgeregter | am aufgeregtesten");
    a present participle may instead have several adjective senses
    ("spannend": exciting, compelling).
    """
    if not only_other(occs) or word not in verb_forms:
        return True
    adjective_senses = sum(1 for o in occs if o.adjective)
    if adjective_senses == 0:
        return False
    if is_gradable(word, trans):
        return True
    return word.endswith("nd") and adjective_senses >= 2


def rule_not_from_place_name(word, places):
    """Drop residents of places and names derived from them ("Duisburger")."""
    if not word[0].isupper():
        return True
    for ending in ("er", "erin", "aner", "anerin", "ener", "enerin"):
        if word.endswith(ending) and word[: -len(ending)] in places:
            return False
    return True


def is_nominalised_infinitive(word, trans):
    """A neuter noun spelled like an infinitive: "das Spielen", "das Essen".

    Such nouns are always neuter; "der Regen" or "der Laden" only share
    their spelling with a verb.
    """
    if not (word[0].isupper() and word.endswith("n") and word.lower() in trans.verbs):
        return False
    return is_neuter(trans.occurrences.get(word, ()))


def rule_nominalised_infinitive(word, occs, trans, ranks, spelling):
    """Nouns made from a verb ("das Ablegen") only if they are nouns of their own.

    Every infinitive can be used as a noun.  Established ones are countable
    (the source lists a plural: "Leben {n} | Leben {pl}"), or head an entry
    alone with a translation that is more than the English -ing form and
    are used as nouns: their genitive is in the frequency lists
    ("Vertrauen {n} :: trust", "des Vertrauens").  "das Bauen :: construction"
    is not.
    """
    if not is_nominalised_infinitive(word, trans):
        # A verb the dictionary has no entry for still shows in a noun that
        # is only translated by -ing forms ("Schossen {n} :: bolting").
        return not (word[0].isupper() and word.endswith("n") and is_neuter(occs)
                    and all(o.gerund for o in occs) and word.lower() in spelling)
    if word in trans.own_plural:
        return True
    return word in trans.noun_entries and word.lower() + "s" in ranks


def strong_form_of_person(word, persons, heads):
    """True for the strong form of a person named by an adjective or
    participle ("ein Abgeordneter" of "der/die Abgeordnete {m,f}"), also at
    the end of a compound ("Landtagsabgeordneter")."""
    if not word.endswith("er"):
        return False
    base = word[:-1]
    if base in persons:
        return True
    # Only where the rest is a word itself: "Landtags-abgeordneter", not "B-linker".
    return any(base[i:].capitalize() in persons and base[:i].removesuffix("s") in heads
               for i in range(3, len(base) - 3))


def rule_not_nominalised_adjective(word, occs, trans, adjectives):
    """Drop adjectives used as neuter nouns ("das Übliche") and comparatives
    used as nouns ("der Schwächere").  Persons named by an adjective are
    nouns of their own ("der/die Betroffene {m,f}"), in their weak form:
    "Norddeutscher {m}" is declined ("das Alter {n}" is not)."""
    if not word[0].isupper():
        return True
    if (word.endswith(("r", "s", "m")) and word not in trans.own_plural
            and superlative_base(word.lower(), adjectives)):
        # "Liebster", "Bestes": "der Liebste", "das Beste"; a noun with a
        # plural of its own is none ("Meister | Meister {pl}").
        return False
    if (strong_form_of_person(word, trans.persons, trans.occurrences)
            and word not in trans.unchanged_plural):  # "Wegweiser | Wegweiser {pl}"
        return False
    if (word.endswith("er") and word[:-2].lower() in adjectives
            and all(o.masculine for o in occs if o.word_class == "noun")):
        return False  # "ein Norddeutscher": the noun is "der Norddeutsche"
    if not word.endswith("e"):
        return True
    base = word[:-1].lower()
    if base in trans.comparatives:
        return False
    return not (base in adjectives and is_neuter(occs))


def rule_not_plural(word, occs, trans):
    """Drop plurals tagged as singular ("Sachen {f}", "Modelle {n}").

    A word the source lists as another noun's plural is a plural, unless it
    is a singular with a plural of its own too ("Reifen {m} | Reifen {pl}")
    or heads an entry as a singular ("Weihnachten {n}; Weihnacht {f}").
    """
    if not word[0].isupper() or word not in trans.plural_of:
        return True
    return word in trans.own_plural or word in trans.entry_heads


PLURAL_ENDINGS = ("e", "en", "n", "er", "s", "se", "nen")


def without_umlaut(stem):
    """The stem before its plural umlaut: the last umlaut goes
    ("Nashörn" -> "Nashorn", "Bäum" -> "Baum", "Häus" -> "Haus")."""
    for i in range(len(stem) - 1, -1, -1):
        if stem[i] in "äöüÄÖÜ":
            return stem[:i] + "aouAOU"["äöüÄÖÜ".index(stem[i])] + stem[i + 1:]
    return stem


def singulars_of(plural):
    """The singulars a plural could have by German plural rules
    ("Hausschuhe" -> "Hausschuh", "Nashörner" -> "Nashorn", "Museen" ->
    "Museum", "Themen" -> "Thema", "Seeleute" -> "Seemann")."""
    forms = {without_umlaut(plural)}  # "Väter", "Gärten", "Mängel"
    for ending in PLURAL_ENDINGS:
        if plural.endswith(ending) and len(plural) > len(ending) + 1:
            stem = plural[: -len(ending)]
            forms.add(stem)
            forms.add(without_umlaut(stem))
            forms.add(stem.replace("ä", "aa", 1))  # "Säle" -> "Saal"
    if plural.endswith("en"):
        forms.update(plural[:-2] + ending for ending in ("um", "a", "on", "o", "us"))
    if plural.endswith("leute") and len(plural) > 5:
        forms.add(plural[:-5] + "mann")  # "Kaufleute" of "Kaufmann"
    if plural.endswith(("a", "i")):
        forms.update((plural[:-1] + "um", plural[:-1] + "us"))  # "Visa", "Boni"
    forms.discard(plural)
    return forms


def is_specialist(occs):
    return all(o.labels & TECHNICAL_LABELS for o in occs)


def has_singular(plural, trans, spelling):
    """True if a noun listed in the plural has a singular: one the spelling
    dictionaries know ("Hausschuhe", "Hosen") unless the source limits it to a
    region beside the plural ("Jeans {pl}; Jean {f} [Ös.]"), or one the
    source lists for more than specialists ("Elter {n,m} [biol.]" leaves
    "Eltern" without).  The plural of a regional word is regional too
    ("Stockzahn {m} [Schw.]", "Stockzähne").
    """
    plural_senses = {o.sense for o in trans.occurrences.get(plural, ())}
    for singular in singulars_of(plural):
        listed = trans.occurrences.get(singular, ())
        if listed and all(is_regional(o.labels) for o in listed):
            if any(o.sense in plural_senses for o in listed):
                continue
            return True
        nouns = [o for o in listed if o.word_class == "noun" and not o.plural_only]
        if nouns:
            # The dictionary says who uses the singular; the spelling
            # dictionaries list specialists' words too ("Elter").
            usable = [o for o in nouns if rule_usable_occurrence(singular, o)]
            if usable and not is_specialist(usable):
                return True
            continue
        if singular in spelling or is_spelled_compound(singular, spelling):
            return True
    return False


def is_adjective_used_as_noun(plural, spelling):
    """"Angehörige", "Schwachen", "Verliebte", "Kriegstote": the plural of an
    adjective or participle used as a noun, alone or at the end of a compound."""
    if plural.endswith("en"):
        stems = (plural[:-2], plural[:-1])
    elif plural.endswith("e"):
        stems = (plural[:-1],)
    else:
        return False
    return any(stem[start:].lower() in spelling
               for stem in stems for start in range(len(stem) - 2))


def plural_senses_count(word, occs, trans, spelling):
    """The senses that count for a word: a noun the source lists only in the
    plural is a base form where it has no singular ("Leute", "Ferien",
    "Eltern", "Geschwister"); where it has one ("Hausschuhe", "Chips") or is
    an adjective used as a noun ("Angehörige"), its plural senses go.
    """
    if not any(o.plural_only for o in occs):
        return occs
    if has_singular(word, trans, spelling) or is_adjective_used_as_noun(word, spelling):
        return [o for o in occs if not o.plural_only]
    return occs


def rule_preferred_spelling(word, spelling, occs=(), trans=None):
    """Drop "ph" spellings where the recommended "f" form exists.

    "Photographie" -> "Fotografie", "Demographie" -> "Demografie".  Only
    "Photo"/"photo" and "-ograph-" are replaced: "Graph" is not "Graf".
    Where an entry lists both spellings of one word side by side ("Delfin
    {m}; Delphin {m}", "Grafik; Graphik"), the "f" spelling is the
    recommended one, whatever the rest of the word.
    """
    variant = word.replace("Photo", "Foto").replace("photo", "foto").replace("ograph", "ograf")
    if variant != word and variant in spelling:
        return False
    if trans is None or "ph" not in word:
        return True
    f_spelling = word.replace("ph", "f").replace("Ph", "F")
    return not any(f_spelling in trans.senses[o.sense] for o in occs)


def candidates(trans, spelling, ranks, thesaurus=None, core=frozenset()):
    """word -> list of usable occurrences, after the rules on the sources.

    Our core vocabulary says itself which words are base forms ("verboten",
    "bewölkt", "Dürre", "weil"): the rules that tell forms from base forms
    by the dictionary's tags leave its words alone, all others still apply.
    """
    genus_names(trans, spelling, thesaurus)
    usable_by_word = {}
    for word in sorted(trans.occurrences):
        occs = trans.occurrences[word]
        if not rule_shape(word) or not rule_current_spelling(word, spelling):
            continue
        if not rule_not_vulgar(word, occs, thesaurus) or not rule_not_blocked(word):
            continue
        usable = [o for o in occs if rule_usable_occurrence(word, o)]
        counted = plural_senses_count(word, usable, trans, spelling)
        if len(counted) < len(usable):
            # The plural senses are the singular's; they say nothing of
            # this word's use when it is ranked ("Quellen" :: "sources").
            trans.occurrences[word] = [o for o in occs if not o.plural_only]
        usable = counted
        if usable:
            usable_by_word[word] = usable
    adjectives = {w for w in trans.others
                  if any(o.adjective for o in trans.occurrences.get(w, ()))}
    verb_forms = VerbForms(trans)
    heads = {w.lower() for w in trans.occurrences if len(w) >= 3}
    slurs = {w.lower() for w in SLURS}
    result = {}
    for word in sorted(usable_by_word):
        occs = usable_by_word[word]
        if word in core:
            if ((all(o.plural_only for o in occs) or rule_not_plural(word, occs, trans))
                    and rule_preferred_spelling(word, spelling, occs, trans)):
                result[word] = occs
            continue
        if not rule_not_abbreviation(word, trans):
            continue
        if not rule_not_built_on_insult(word, trans.insults, slurs, heads):
            continue
        if not rule_not_declined(word, occs, trans, adjectives):
            continue
        if not rule_participle_is_adjective(word, occs, trans, verb_forms):
            continue
        if not rule_not_from_place_name(word, trans.places):
            continue
        if not rule_nominalised_infinitive(word, occs, trans, ranks, spelling):
            continue
        if not all(o.plural_only for o in occs) and not rule_not_plural(word, occs, trans):
            continue
        if not rule_not_nominalised_adjective(word, occs, trans, adjectives):
            continue
        if not rule_preferred_spelling(word, spelling, occs, trans):
            continue
        result[word] = occs
    # A plural that is no word of its own is a form of its singular: the
    # ranking finds the singular by it ("Hausaufgaben").
    for word in [w for w, occs in trans.occurrences.items() if w not in result]:
        kept = [o for o in trans.occurrences[word] if not o.plural_only]
        if kept:
            trans.occurrences[word] = kept
        else:
            del trans.occurrences[word]
    return result


def core_candidates(core, cands, trans, spelling, thesaurus=None):
    """Add the words of our core vocabulary of a child that the dictionary
    has no usable entry for ("Bauklotz", "Apfelkuchen": no entry;
    "Stundenplan [stud.]": a jargon label on an everyday word).

    The word must still be spelled right (alone or as a compound of spelled
    parts), and nothing may mark it as coarse: a vulgar sense, an insult,
    the block list, or only coarse uses in the thesaurus.  A word the
    dictionary has a usable sense for was judged by the base-form rules
    ("Chips" is the plural of "Chip"), and so is a plural it lists.
    """
    for word in sorted(core):
        if word in cands or not rule_shape(word) or not rule_not_blocked(word):
            continue
        if not (rule_current_spelling(word, spelling)
                or (word[0].isupper() and is_spelled_compound(word, spelling))):
            continue
        occs = trans.occurrences.get(word, ())
        if (not rule_not_vulgar(word, occs) or any(o.insult for o in occs)
                or any(o.labels & OFFENSIVE_SENSE_LABELS for o in occs)
                or (thesaurus is not None and thesaurus.only_offensive(word))):
            continue
        if any(rule_usable_occurrence(word, o) for o in occs):
            continue
        if word in trans.plural_of and word not in trans.unchanged_plural:
            continue
        if word[0].isupper():
            word_class = "noun"
        elif word in trans.verbs or word.endswith(("en", "ern", "eln")):
            word_class = "verb"
        else:
            word_class = "other"
        cands[word] = [Occurrence(word_class, frozenset(), False, "", 0, False)]
    return cands


def spelled_core_compounds(core, spelling, heads=()):
    """Core nouns made of spelled parts ("Baumhaus", "Sandburg"), and the
    dictionary's nouns made of two core words ("Obstsalat"): the spelling
    dictionaries build such compounds by rule and list few."""
    parts = core_compound_parts(core, heads)
    return ({w for w in core if w[:1].isupper() and is_spelled_compound(w, spelling)}
            | {w for w in heads if w[:1].isupper() and is_spelled_compound(w, parts)})


def core_compound_parts(core, heads):
    """The core words a compound of everyday words is made of: nouns and
    verbs.  Prepositions and adverbs make other words ("Neben|frau",
    "Mehr|menge")."""
    verbs = {w for w in core if w[:1].islower() and w in heads
             and any(o.word_class == "verb" for o in heads[w])}
    return {w for w in core if w[:1].isupper()} | verbs


def read_core_words(path=CORE_WORDS):
    return set(read_everyday_words(path))


# ---------------------------------------------------------------------------
# Ranking: how common is a word?
# ---------------------------------------------------------------------------

# Unknown words sort after all ranked ones; the tiers keep the kinds of
# evidence apart: the word itself > its inflected forms > the compounds made
# from it > its parts.
TIER_DIRECT, TIER_INFLECTED, TIER_PRODUCTIVE, TIER_GENERAL, TIER_COMPOUND, TIER_NONE = range(6)
TECHNICAL_SHIFT = 5
# A word without rank that starts or ends this many headwords of the
# dictionary is a word people build on ("Igel": "Seeigel", "Igelfisch" ...).
PRODUCTIVE_MIN = 5
# A compound is rarer than its parts: a compound of two core words ranks as
# a beginner word by its rarer part's rank times this.
CORE_COMPOUND_DAMPING = 12
# Words among this many of the English spoken list are common.
COMMON_ENGLISH_RANK = 10000
# Order of words in general use without a rank of their own, on a log
# scale (see Ranker.general_score): where neither its parts nor its English
# name give a rank, a word counts as if ranked about 22,000; each letter
# makes it rarer, each synonym set holding it more common, and a place in
# ngerman, the smaller spelling list, more common still.  Fitted on the
# words of our core vocabulary that have no rank, against all other words
# of the tier.
GENERAL_UNRANKED = 10.0
GENERAL_PER_LETTER = 0.8
GENERAL_PER_SENSE = 2.0
GENERAL_IN_NGERMAN = 3.0
# Sorts after every rank of the frequency lists.
RANK_UNKNOWN = 10 ** 9
# Things a child names, by the fields the dictionary files them under:
# animals, plants, food, school.  German subtitles and articles rarely name
# them ("Giraffe" ranks 53,146, "Igel" not at all); English ones name them
# often, so their English rank stands in, damped by this factor, for
# beginner words.  No other field borrows: an English word says nothing
# about which of several German synonyms a child uses ("Gemach", "Zimmer").
# Slurs on people of mixed descent: one such sense keeps a word from
# beginners ("Mischling": "half breed", besides "hybrid" and "mongrel").
ENGLISH_SLURS = {"half breed", "half-breed", "half breeds", "half-breeds",
                 "half-caste", "half caste", "half-castes", "half castes"}
# Object placeholders of English verb entries ("to praise sb.").
ENGLISH_PLACEHOLDERS = {"to", "sb", "sth", "oneself", "one", "s"}
CHILD_FIELDS = {"zool.", "ornith.", "bot.", "cook.", "school"}
ENGLISH_DAMPING = 2
# Translations that make a sense unfit for beginners: sexual terms and the
# insults that are a word's common use ("Zicke": "bitch").  A word goes from
# the beginner list if at least half of its senses are of this kind.
NOT_FOR_BEGINNERS = {
    "penis", "vagina", "vulva", "clitoris", "testicle", "testicles", "scrotum",
    "erection", "orgasm", "masturbation", "foreskin",
    "condom", "brothel", "prostitute", "prostitution", "intercourse",
    "bitch", "bitches", "whore", "slut", "bastard", "asshole", "arsehole",
    "twat", "cunt", "dickhead", "wanker", "harlot", "floozy", "shithead",
}


def inflected_forms(word, word_classes):
    """Regular inflected forms, lower case, to find a word by its forms.

    Frequency lists count word forms; a noun seen mostly in the plural or a
    verb seen mostly conjugated is still common.
    """
    w = word.lower()
    forms = set()
    if "noun" in word_classes:
        forms.update(w + s for s in ("e", "en", "n", "s", "es", "er", "ern"))
    if "other" in word_classes:
        forms.update(w + s for s in DECLENSION_ENDINGS)
    if "verb" in word_classes:
        stem = verb_stem(w)
        forms.update(stem + s for s in ("e", "st", "t", "te", "ten", "end"))
        forms.add("ge" + stem + "t")
    return sorted(forms)


def german_forms(word, word_classes):
    """Inflected forms only German has: no English plural -s, no name genitive.

    "Hand" -> "hände", "Kind" -> "kindern"; "Rain", "Port" or "Kleist" have
    none in the frequency lists.
    """
    w = word.lower()
    forms = set()
    if "noun" in word_classes:
        # No plain -er: "Rainer" and "porter" are not forms of "Rain", "Port".
        forms.update(w + s for s in ("e", "en", "n", "ern", "es"))
        u = umlauted(w)
        if u:
            forms.update(u + s for s in ("", "e", "en", "er", "ern", "n"))
    if "other" in word_classes:
        forms.update(w + s for s in DECLENSION_ENDINGS)
        if w.endswith(("el", "er")):  # "dunkel" -> "dunkle", "sauer" -> "saure"
            forms.update(w[:-2] + w[-1] + s for s in DECLENSION_ENDINGS)
    if "verb" in word_classes:
        stem = verb_stem(w)
        forms.update(stem + s for s in ("e", "st", "t", "te", "ten", "end"))
    forms.discard(w)
    return sorted(forms)


class Ranker:
    """Frequency ranks of the candidates, with borrowed ranks taken away.

    The frequency lists are lower case and count every use of a spelling.
    A word's own rank is the list rank of its spelling, except where that
    rank belongs to something else:
      * a verb, for the noun made from it ("Spielen" has the rank of "spielen");
      * a name, for a word spelled like one ("Wagner", "Kleist"), or English
        text in German articles ("Rain", "Peak"): words in a name list or
        only in the written (wikipedia) list need a German inflected form in
        the lists as well;
      * a common word, for a specialist homograph ("buch", a type style,
        against "Buch").
    """

    def __init__(self, cands, frequency, trans, spelling=None, thesaurus=None, core=frozenset(),
                 ngerman=frozenset()):
        self.cands = cands
        self.core = core  # our core vocabulary of a child: common whatever the lists say
        self.ngerman = ngerman  # the smaller spelling list: more common words
        self.spelling = spelling  # forms of current spelling ("Strass" is not "Strasse")
        self.thesaurus = thesaurus  # words in general use, without a frequency rank
        self.frequency = frequency
        self.trans = trans
        by_lower = defaultdict(list)
        for w in cands:
            by_lower[w.lower()].append(w)
        self.by_lower = by_lower
        # "Mitteln", "Kindern": dative plurals of plurals in -el and -er,
        # which the lists count with the infinitives spelled like them
        # ("mitteln").  "Murmeln" is a plural itself and stays "murmeln"'s.
        plurals = (set(trans.plural_of) | trans.unchanged_plural)
        self.dative_plurals = {p.lower() + "n" for p in plurals if p.endswith(("el", "er"))}
        self._own = {w: self._own_rank(w) for w in cands}
        self.heads = {w.lower() for w in trans.occurrences}
        self.family = compound_families({w for w in self.heads if w.isalpha()})
        self._child = None
        self._form_owners = None
        self._core_parts = None
        self._core_compounds = {}  # word -> is_core_compound(word)

    def translation_rank(self, word):
        """Best rank in the English spoken list of the one-word translations
        of the word's head senses, figurative ones aside."""
        found = [english_rank(a.removeprefix("to "), self.frequency)
                 for o in self.cands[word]
                 if o.group == 0 and not o.proper and not o.gerund
                 and not (o.labels | o.group_fields) & FIGURATIVE_LABELS
                 for a in o.plain_english if re.fullmatch(r"(?:to )?[a-z]+", a)]
        return min((r for r in found if r is not None), default=None)

    def in_general_use(self, word):
        """The thesaurus holds the word in general use, or it is a child's
        noun with an English rank ("Schwan": "swan") or a compound of two
        words of our core vocabulary ("Obst|salat", "Fenster|bank")."""
        return ((self.thesaurus is not None and self.thesaurus.in_general_use(word))
                or self.english_rank(word, True) is not None
                or self.is_core_compound(word))

    def is_core_compound(self, word):
        """Made of two core nouns or verbs and named in English by common
        spoken words ("Obstsalat": "fruit salad"; not "Fahrensmann":
        "seaman", "Raumangst": "claustrophobia")."""
        if word not in self._core_compounds:
            self._core_compounds[word] = self._is_core_compound(word)
        return self._core_compounds[word]

    def _is_core_compound(self, word):
        if self._core_parts is None:
            self._core_parts = core_compound_parts(self.core, self.trans.occurrences)
        if not (self.core and word not in self.core and word[:1].isupper()
                and is_spelled_compound(word, self._core_parts)):
            return False
        for name in (a for o in self.cands.get(word, ()) if o.group == 0 for a in o.plain_english):
            parts = name.split()
            if len(parts) <= 2 and all(re.fullmatch(r"[a-z]+", p) for p in parts):
                ranks = [english_rank(p, self.frequency) for p in parts]
                if all(r is not None and r < COMMON_ENGLISH_RANK for r in ranks):
                    return True
        return False

    def general_score(self, word, compound_rank):
        """Log-scale sort key of a word in general use without a rank.

        The better of its parts' rank and its English name's rank in the
        spoken list ("Pfütze": "puddle") is the start; short words, words
        with many senses and words of the smaller spelling list are more
        common ("Krapfen", "Nougat" before "Fleischbrühwürfel").
        """
        ranks = [x for x in (compound_rank, self.translation_rank(word)) if x is not None]
        score = math.log(min(ranks)) if ranks else GENERAL_UNRANKED
        score += GENERAL_PER_LETTER * len(word)
        if self.thesaurus is not None:
            score -= GENERAL_PER_SENSE * math.log(1 + self.thesaurus.senses(word))
        if word in self.ngerman:
            score -= GENERAL_IN_NGERMAN
        return round(score, 9)

    def productivity(self, word):
        """How many compounds of the dictionary the word is part of (with a
        verb, its stem: "schaukeln" -> "Schaukelstuhl")."""
        w = word.lower()
        n = self.family.get(w, 0)
        if any(o.word_class == "verb" for o in self.cands[word]):
            n = max(n, self.family.get(verb_stem(w), 0))
        return n

    def has_german_forms(self, word):
        """True if a German-only form is in the lists and not far rarer than
        the word itself ("Port" is not German by "porte" alone)."""
        f = self.frequency
        classes = {o.word_class for o in self.cands[word]}
        rank = f.ranks.get(word.lower())
        limit = None if rank is None else max(EVIDENCE_FACTOR * rank, EVIDENCE_MIN_RANK)
        return any(form in f.ranks and form not in f.first_names and form not in f.last_names
                   and (limit is None or f.ranks[form] < limit)
                   for form in german_forms(word, classes))

    def suspicious(self, word):
        """Spelled like a common name or known only from written text."""
        w = word.lower()
        f = self.frequency
        return (w in f.first_names or w not in f.spoken
                or w in f.last_names[:COMMON_NAME_RANK])

    def borrowed_from_name(self, word):
        return self.suspicious(word) and not self.has_german_forms(word)

    def verb_of_stem(self, word):
        """The verb whose stem a noun is spelled like ("Schieß": "schießen";
        "schieß!" is its imperative), or None."""
        w = word.lower()
        if not word[0].isupper():
            return None
        for verb in (w + "en", w + "n"):
            if verb in self.trans.verbs and verb_stem(verb) == w:
                return verb
        return None

    def ranked_by_imperative(self, word):
        """A specialist noun spelled like a verb's stem, listed only as a
        synonym and with no noun form in the lists ("Schieß [constr.]":
        "schieß!").  A noun that heads an entry or has a plural there is a
        noun of its own ("Krebs [zool.] | Krebse"), and so is one with noun
        forms in the lists ("Schiff [naut.]": "Schiffes")."""
        if not (is_technical(self.cands[word]) and self.verb_of_stem(word)):
            return False
        if word in self.trans.entry_heads or word in self.trans.own_plural:
            return False
        w = word.lower()
        u = umlauted(w)
        forms = [w + "s", w + "es"] + ([u + "e", u + "er"] if u else [])
        return not any(f in self.frequency.ranks for f in forms)

    def conjugated_rank(self, verb):
        """Best rank of a verb's finite forms and participle, which no noun shares."""
        stem = verb_stem(verb)
        ranks = self.frequency.ranks
        found = [ranks[f] for f in (stem + "t", stem + "st", stem + "te", "ge" + stem + "t")
                 if f in ranks]
        return min(found) if found else None

    def _own_rank(self, word):
        r = self.frequency.ranks.get(word.lower())
        if r is None:
            return None
        if word in self.trans.verbs and word in self.dative_plurals:
            # "mitteln" is counted with "den Mitteln": the verb ranks by its
            # own forms ("gemittelt").
            return self.conjugated_rank(word)
        if self.ranked_by_imperative(word):
            return None  # "Schieß [constr.]" does not share the rank of "schieß!"
        if is_nominalised_infinitive(word, self.trans):
            # The genitive ("des Lebens") is the noun's own form.
            return self.frequency.ranks.get(word.lower() + "s")
        twins = [t for t in self.by_lower[word.lower()] if t != word]
        if (twins and is_technical(self.cands[word])
                and not all(is_technical(self.cands[t]) for t in twins)
                and not all(same_family(word, t, self.cands) for t in twins)):
            return None
        if (word[0].isupper() and is_neuter(self.cands[word])
                and any(is_function_word(self.cands[t]) for t in twins)):
            return None  # "das Aber" does not share the rank of "aber"
        if self.borrowed_from_name(word):
            return None
        return r

    def own_rank(self, word):
        return self._own[word]

    def inflected_rank(self, word):
        """Best rank of the word's forms; only German-only forms for a word
        whose own rank was borrowed ("Client" is not found by "clients")."""
        classes = {o.word_class for o in self.cands[word]}
        ranks = self.frequency.ranks
        forms = german_forms(word, classes) if self.suspicious(word) else inflected_forms(word, classes)
        verb = self.verb_of_stem(word) if self.ranked_by_imperative(word) else None
        if verb:  # "schieße", "schießen" are the verb's
            forms = [f for f in forms if f not in inflected_forms(verb, {"verb"}) and f != verb]
        found = [ranks[f] for f in forms if f in ranks]
        return min(found) if found else None

    def compound_rank(self, word):
        return compound_rank(word, self.frequency.ranks)

    def _child_translations(self):
        """English name -> the German noun it lends its rank to.

        Only the head group of an entry in a child's field counts ("Giraffe
        {f} [zool.] :: giraffe").  Where several nouns are named so
        ("Tomate", "Paradeiser" :: tomato; "Kirsche", "Vogelkirsche" ::
        cherry), the commonest by German evidence takes it: an English
        word never ranks a rarer synonym.  The word an entry is filed under
        goes before the synonyms listed after it ("Hahn {m}; Hähnchen {n}
        [Dt.]; Gockel {m} :: rooster"), whose German evidence may come from
        another sense ("Hähnchen", the roast chicken).
        """
        owners = defaultdict(list)
        heading = set()
        for word, occs in self.cands.items():
            for o in occs:
                for name in child_translations(o):
                    owners[name].append(word)
                    if o.position == 0:
                        heading.add((name, word))
        # Names other words head an entry with outside those fields
        # ("bar": "Riegel" [cook.], "Bar", "Stange"; "drone": "Drohn"
        # [zool.], "Drohne") count for all their senses: no rank to lend.
        # A figurative sense or a slang translation claims no name ("Birne
        # {f} :: noodle [slang]" leaves "noodle" to "Nudel").
        others = defaultdict(set)
        for word, occs in self.cands.items():
            for o in occs:
                if (o.group == 0 and not child_translations(o)
                        and not (o.labels | o.group_fields) & FIGURATIVE_LABELS):
                    for alt in o.plain_english:
                        others[alt.removeprefix("to ")].add(word)
        german = {}
        for name in sorted(owners):
            words = sorted(set(owners[name]), key=lambda w: ((name, w) not in heading,
                                                             self.german_score(w), sort_key(w)))
            if others[name] - {words[0]}:
                continue
            german[name] = words[0]
        return german

    def german_score(self, word):
        """Sort key from German evidence alone: own, inflected, productive."""
        r = self.own_rank(word)
        if r is not None:
            return (TIER_DIRECT, r)
        r = self.inflected_rank(word)
        if r is not None:
            return (TIER_INFLECTED, r)
        return (TIER_PRODUCTIVE, -self.productivity(word))

    def english_rank(self, word, spelled_is_german=False):
        """Damped English rank of a child's noun, or None.

        The noun needs German evidence of its own as well (a rank, ranked
        forms, compounds built on it, a place in the written list even if
        English shares the spelling: "Hamster"): the English list says how
        common, not whether the word is German at all.  For the pro list, a
        place in the German spelling dictionaries is evidence enough
        ("Himbeere"); a beginner word must be seen in German use as well.
        """
        if self._child is None:
            self._child = self._child_translations()
        if (self.own_rank(word) is None and self.inflected_rank(word) is None
                and self.productivity(word) < PRODUCTIVE_MIN
                and word.lower() not in self.frequency.ranks
                and not (spelled_is_german and self.spelling is not None
                         and word in self.spelling)):
            return None
        names = {n for o in self.cands[word] for n in child_translations(o)}
        ranks = [english_rank(n, self.frequency) for n in sorted(names)
                 if self._child.get(n) == word]
        ranks = [r for r in ranks if r is not None]
        return ENGLISH_DAMPING * min(ranks) if ranks else None

    def heard_form_rank(self, word):
        """Best rank of the word's German-only forms in the spoken list.

        Children hear "Hausaufgaben", "Nudeln" and "es schneit" more than
        the base form; the spoken list counts each form apart.  Forms an
        English word or a name could share ("-s", "-er") do not count.
        A form that is another word of the dictionary, a form of another
        word or a form a verb entry lists belongs to that word ("Quell":
        "Quelle"; "Granat": "Granaten"; "Riefe": "riefen"), and "-es" is
        as often English ("Holmes", "zombies").
        """
        f = self.frequency
        if self._form_owners is None:
            self._form_owners = defaultdict(set)
            for w, occs in self.cands.items():
                for form in german_forms(w, {o.word_class for o in occs}):
                    self._form_owners[form].add(w)
        classes = {o.word_class for o in self.cands[word]}
        found = [f.ranks[form] for form in german_forms(word, classes)
                 if form in f.spoken and not form.endswith("es")
                 and self._form_owners[form] == {word}
                 and form not in f.first_names and form not in f.english_names
                 and form not in f.last_names and form not in self.heads
                 and form not in self.trans.conjugated
                 and (self.spelling is None or form in self.spelling
                      or form.capitalize() in self.spelling)]
        return min(found) if found else None

    def beginner_rank(self, word):
        """How common a word is for a beginner: its own rank, the rank of its
        forms heard, or, for a child's noun, the damped English one,
        whichever is best.  A compound of two core words is as common as
        its rarer part."""
        ranks = [r for r in (self.own_rank(word), self.heard_form_rank(word),
                             self.english_rank(word)) if r is not None]
        if not ranks and self.is_core_compound(word):
            ranks = [CORE_COMPOUND_DAMPING * r for r in (self.compound_rank(word),) if r is not None]
        return min(ranks) if ranks else None

    def spoken_somewhere(self, word):
        """Heard, not only read: in the German spoken list, or translated by
        a translation made of words of the English one ("bus stop").
        "Methodist", "konisch" ("conic", "cone-shaped") and "Unterzeichner"
        ("signatory") are read only."""
        if word.lower() in self.frequency.spoken:
            return True
        for o in self.cands[word]:
            for alt in o.english:
                words = [w for w in re.findall(r"[a-z]+(?:-[a-z]+)*", alt.lower())
                         if w not in ENGLISH_PLACEHOLDERS]
                if words and all(w in self.frequency.english for w in words):
                    return True
        return False

    def score(self, word):
        """Sort key: smaller = more common.

        Words ranked themselves or, for a child's noun, by its English name
        come first, whatever their field.  Among the
        rest, specialist terms ("Testtiefe [techn.]") go after all everyday words.
        """
        occs = self.cands[word]
        if word in self.core:
            return (TIER_DIRECT, 0, sort_key(word))
        # A child's noun is as common as its damped English name says
        # ("Himbeere": "raspberry"); German texts rarely name it.
        ranks = [r for r in (self.own_rank(word), self.english_rank(word, True))
                 if r is not None]
        if ranks:
            return (TIER_DIRECT, min(ranks), sort_key(word))
        general = self.in_general_use(word)
        # A word in general use is no specialist term whatever field the
        # dictionary files it under ("Rabe [ornith.]").
        shift = TECHNICAL_SHIFT if is_technical(occs) and not general else 0
        r = self.inflected_rank(word)
        if r is not None:
            return (TIER_INFLECTED + shift, r, sort_key(word))
        p = self.productivity(word)
        if p >= PRODUCTIVE_MIN:
            # Words that many compounds are built on are known whatever
            # their field ("Igel [zool.]", "husten [med.]").
            return (TIER_PRODUCTIVE, -p, sort_key(word))
        r = self.compound_rank(word)
        if general:
            # The frequency lists miss much of a child's day ("Pfütze",
            # "gähnen", "Schnuller"); a word the thesaurus holds in general
            # use goes before the compounds and rare words known only to
            # the dictionary ("Aalsuppe").
            return (TIER_GENERAL, self.general_score(word, r), sort_key(word))
        if r is not None:
            return (TIER_COMPOUND + shift, r, len(word), sort_key(word))
        return (TIER_NONE + shift, len(word), sort_key(word))


def is_neuter(occs):
    nouns = [o for o in occs if o.word_class == "noun"]
    return bool(nouns) and all(o.neuter for o in nouns)


def same_family(word, twin, cands):
    """A verb and the noun spelled like it name the same thing ("husten",
    "der Husten"): a field on one of them does not make the other a
    homograph that takes the rank away."""
    classes = {o.word_class for o in cands[word]} | {o.word_class for o in cands[twin]}
    return classes == {"noun", "verb"}


def is_function_word(occs):
    """Only used as a conjunction, preposition, pronoun, adverb or the like."""
    return all(o.word_class == "other" and not o.adjective for o in occs)


def child_translations(occ):
    """The English names of a thing a child knows, from one sense.

    The sense heads its entry and is filed under a child's field and no
    other (farm animals are also filed under agriculture: "Hahn [agr.]
    [ornith.]"); its names are the translations of one lower-case word
    ("tomato fruit; tomato" -> "tomato").
    """
    fields = occ.labels | occ.group_fields
    if (occ.word_class != "noun" or occ.group != 0 or occ.proper or occ.gerund
            or not fields & CHILD_FIELDS
            or fields & (TECHNICAL_LABELS - CHILD_FIELDS - {"agr."})):
        return ()
    return tuple(a for a in occ.english if re.fullmatch(r"[a-z]+", a))


def english_rank(name, frequency):
    """Rank of an English name in the spoken list.  A name that is also a
    first name ("cherry", "rose") counts by its plural ("cherries"), which
    no person bears."""
    if name in frequency.english_names:
        plural = name[:-1] + "ies" if name.endswith("y") else name + "s"
        return frequency.english.get(plural)
    return frequency.english.get(name)


def rule_fit_for_beginners(word, trans):
    """Beginners get no word whose senses are mostly sexual or insults
    ("Penis", "Zicke": "bitch"), nor one with a sense that is a slur
    ("Mischling"); "Verkehr" (traffic) stays."""
    occs = trans.occurrences.get(word, ())
    if any(a.lower() in ENGLISH_SLURS for o in occs for a in o.english):
        return False
    if not occs:
        return True  # a core word the dictionary does not list
    unfit = sum(1 for o in occs
                if set(re.findall(r"[a-z]+", " ".join(o.english).lower())) & NOT_FOR_BEGINNERS)
    return 2 * unfit < len(occs)


# Fields of learning: a word read only in texts of these is not a child's.
LEARNED_FIELDS = {
    "jur.", "adm.", "econ.", "fin.", "pol.", "chem.", "biochem.", "pharm.",
    "med.", "ling.", "philos.", "phil.", "psych.", "sci.", "statist.", "math.",
    "phys.", "comp.", "techn.", "electr.", "mach.", "telco.", "min.", "geol.",
    "constr.", "print", "textil.",
}
# Endings German takes from Latin, Greek and French ("Derivat", "operativ",
# "Doktorand", "ideologisch", "Parzelle").
LEARNED_SUFFIXES = (
    "iv", "ität", "ion", "ismus", "ist", "istin", "ant", "anz", "ent", "enz",
    "at", "ell", "elle", "al", "ar", "är", "ik", "ieren", "ie", "ologe",
    "isch", "ose", "eur", "ur", "um", "os", "ös", "ine", "ide", "id",
)
# Labels of register: "[geh.]" is the language of books and speeches.
ELEVATED_LABELS = {"geh.", "formal"}


def rule_everyday(word, ranker):
    """A beginner word is heard, not only read, if it is learned.

    Words of the written list alone ("Derivat", "Parzelle", "operativ")
    reach beginners only if they are plain German: not filed under fields
    of learning alone, without an ending of a borrowed learned word.  A word
    in the spoken list, heard in its forms or named by a child's English
    word is known whatever it is; else a word of elevated style alone
    ("begehren [geh.]") is no beginner word either.
    """
    occs = ranker.cands[word]
    if (word.lower() in ranker.frequency.spoken or ranker.heard_form_rank(word) is not None
            or ranker.english_rank(word) is not None):
        return True
    if all(o.labels & ELEVATED_LABELS for o in occs):
        return False
    if all((o.labels | o.group_fields) & LEARNED_FIELDS for o in occs):
        return False
    return not is_internationalism(word, occs)


def cognate_key(word):
    """The start of a word with the spellings German and English differ in
    folded together: "Derivat", "derivative"; "Doktorand", "doctoral"."""
    w = word.lower().replace("ph", "f").replace("th", "t").replace("k", "c").replace("z", "c")
    return w[:4]


def is_internationalism(word, occs):
    """A learned borrowing: a Latin, Greek or French ending and an English
    translation of the same root ("Derivat" = "derivative", "Parzelle" =
    "parcel", "operativ" = "operative").  "Haltestelle" and "schmal" share
    the ending only."""
    if not word.lower().endswith(LEARNED_SUFFIXES):
        return False
    key = cognate_key(word)
    return any(cognate_key(a.removeprefix("to ")) == key for o in occs for a in o.english)


def rule_not_a_first_name(word, ranker):
    """A capitalised word in the first-name list is a name ("Johannes",
    "Benedikt"), unless German inflected forms show it is a noun too
    ("Rose": "Rosen")."""
    w = word.lower()
    if not word[0].isupper() or w not in ranker.frequency.first_names:
        return True
    return ranker.has_german_forms(word)


def rule_not_blocking_play(word, ranker, extensions):
    """A rare word must not end play before common ones.

    "Schi" (a spelling of "Ski") has no rank of its own but starts "Schiff",
    "Schicht", "Schild": a player spelling those would lose on it.  Such a
    word goes if two or more words it starts are common.  A child's noun
    with an English rank stays ("Schwan": "swan", before "Schwank",
    "Schwanenhals").
    """
    if ranker.own_rank(word) is not None or ranker.english_rank(word, True) is not None:
        return True
    common = [e for e in extensions
              if ranker.own_rank(e) is not None and ranker.own_rank(e) < PLAY_COMMON_RANK]
    return len(common) < 2


LINKING_ELEMENTS = ("s", "n", "en", "es", "e")
COMPOUND_PART_MIN = 4


def compound_families(heads):
    """part -> number of two-part compounds among heads that contain it.

    "seeigel" = "see" + "igel" counts for both parts; a linking element may
    follow the first part ("schaukelstuhl", "kirschenbaum").  Parts need
    COMPOUND_PART_MIN letters, so chance endings ("-stand" in "Abstand")
    do not count for "Tand".
    """
    family = defaultdict(int)
    for h in sorted(heads):
        for cut in range(COMPOUND_PART_MIN, len(h) - COMPOUND_PART_MIN + 1):
            first, second = h[:cut], h[cut:]
            if second not in heads:
                continue
            firsts = [first] + [first[: -len(l)] for l in LINKING_ELEMENTS
                                if first.endswith(l) and len(first) - len(l) >= COMPOUND_PART_MIN]
            found = next((f for f in firsts if f in heads), None)
            if found:
                family[found] += 1
                family[second] += 1
                break
    return family


# Suffixes that derive a word from another ("salzig" from "Salz").
DERIVATION_SUFFIXES = ("ig", "lich", "isch", "bar", "los", "sam", "haft",
                       "chen", "lein", "ung", "heit", "keit", "erin", "in")


def compound_rank(word, ranks):
    """Rank of a transparent two-part compound: the rarer part's rank.

    "Aalsuppe" = "aal" + "suppe"; linking elements -s-, -n-, -en-, -es-, -e-
    are allowed.  Both parts need at least 3 letters and must be ranked.
    A word derived from a ranked word by a suffix takes that word's rank
    ("salzig" = "salz" + "-ig").
    """
    w = word.lower()
    best = None
    for suffix in DERIVATION_SUFFIXES:
        base = w[: -len(suffix)]
        if w.endswith(suffix) and len(base) >= 3 and base in ranks:
            if best is None or ranks[base] < best:
                best = ranks[base]
    for cut in range(3, len(w) - 2):
        head, tail = w[:cut], w[cut:]
        if tail not in ranks:
            continue
        heads = [head]
        for link in ("s", "n", "en", "es", "e"):
            if head.endswith(link) and len(head) - len(link) >= 3:
                heads.append(head[: -len(link)])
        for h in heads:
            if h in ranks:
                score = max(ranks[h], ranks[tail])
                if best is None or score < best:
                    best = score
    return best


def sort_key(word):
    """Windows-1252 byte order: the order the game's data file uses."""
    return word.encode("cp1252")


def is_technical(occs):
    """True if every usable occurrence is labelled with a specialist field."""
    return all(o.labels & TECHNICAL_LABELS for o in occs)


def extensions_of(words):
    """word -> the other words that start with it (byte order keeps them together)."""
    ordered = sorted(words, key=sort_key)
    result = {}
    for i, w in enumerate(ordered):
        key = sort_key(w)
        ext = []
        for other in ordered[i + 1:]:
            if not sort_key(other).startswith(key):
                break
            ext.append(other)
        result[w] = ext
    return result


def is_coarse_in_general_use(word, occs, thesaurus, core):
    """The thesaurus knows the word only as coarse or abusive ("Fresse",
    "Gesindel").  A sense filed under a field is a thing of its own
    ("Hyäne [zool.]": the animal), and our core vocabulary is judged by us
    ("nageln")."""
    return (thesaurus is not None and word not in core and thesaurus.only_offensive(word)
            and not any(o.labels & (TECHNICAL_LABELS | GENUS_FIELDS | CHILD_FIELDS) for o in occs))


def select(cands, frequency, trans, spelling=None, thesaurus=None, core=frozenset(),
           ngerman=frozenset()):
    """Pick the pro list (most common first) and its beginner part."""
    ranker = Ranker(cands, frequency, trans, spelling, thesaurus, core, ngerman)
    extensions = extensions_of(cands)
    kept = [w for w in cands
            if not is_coarse_in_general_use(w, cands[w], thesaurus, core)
            and (w in core or (rule_not_a_first_name(w, ranker)
                               and rule_not_blocking_play(w, ranker, extensions[w])))]
    ordered = sorted(kept, key=ranker.score)
    pro = ordered[:PRO_TARGET]
    # Beginner words: only words that are frequent in their own right (or,
    # for a child's noun, in English), heard, and fit for a family game.
    # Our core vocabulary of a child comes first.  Other words need the
    # thesaurus's word that they are in general use: the frequency lists
    # also rank forms ("riefen", "Nadeln") and homographs ("einen").
    ranks = {w: 0 if w in core else ranker.beginner_rank(w) for w in pro}
    direct = [w for w in pro if rule_fit_for_beginners(w, trans)
              and (w in core or (ranks[w] is not None
                                 and (thesaurus is None or ranker.in_general_use(w))
                                 and ranker.spoken_somewhere(w) and rule_everyday(w, ranker)))]
    beginner = set(sorted(direct, key=lambda w: (w not in core, ranks[w],
                                                 sort_key(w)))[:BEGINNER_TARGET])
    return sorted(pro, key=sort_key), beginner


# ---------------------------------------------------------------------------
# Output and validation
# ---------------------------------------------------------------------------


def render(pro, beginner):
    return "".join((MARK + w if w in beginner else w) + "\n" for w in pro)


def validate_text(text):
    """All rules the file must meet; returns a list of problems (empty = ok)."""
    problems = []
    if not text.endswith("\n"):
        problems.append("file does not end with a newline")
    if "\r" in text:
        problems.append("file contains CR characters")
    if text.startswith("\ufeff"):
        problems.append("file starts with a byte order mark")
    lines = text.split("\n")[:-1] if text.endswith("\n") else text.split("\n")
    words, seen, beginners = [], set(), 0
    for n, line in enumerate(lines, 1):
        word = line[1:] if line.startswith(MARK) else line
        if line.startswith(MARK):
            beginners += 1
        if not rule_shape(word):
            problems.append("line %d: bad word %r" % (n, line))
            continue
        if word in seen:
            problems.append("line %d: duplicate %r" % (n, word))
        seen.add(word)
        words.append(word)
    for a, b in zip(words, words[1:]):
        if not sort_key(a) < sort_key(b):
            problems.append("not sorted: %r before %r" % (a, b))
    if not PRO_RANGE[0] <= len(lines) <= PRO_RANGE[1]:
        problems.append("%d words, expected %d..%d" % (len(lines), *PRO_RANGE))
    if not BEGINNER_RANGE[0] <= beginners <= BEGINNER_RANGE[1]:
        problems.append("%d beginner words, expected %d..%d" % (beginners, *BEGINNER_RANGE))
    return problems


def statistics(text):
    lines = text.splitlines()
    words = [l[1:] if l.startswith(MARK) else l for l in lines]
    beginners = sum(1 for l in lines if l.startswith(MARK))
    ordered = sorted(words, key=sort_key)
    prefixes = sum(1 for a, b in zip(ordered, ordered[1:])
                   if sort_key(b).startswith(sort_key(a)))
    shortest = min(words, key=lambda w: (len(w), sort_key(w)))
    longest = max(words, key=lambda w: (len(w), [-c for c in sort_key(w)]))
    return ("pro words: %d\nbeginner words: %d\nshortest: %s (%d)\nlongest: %s (%d)\n"
            "words that are a prefix of a longer word: %d\n"
            % (len(words), beginners, shortest, len(shortest), longest,
               len(longest), prefixes))


def read_everyday_words(path):
    """Words of the everyday-words file: '#' starts a comment, words are
    separated by white space."""
    words = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            words.extend(line.split("#", 1)[0].split())
    return words


def coverage(text, everyday):
    """Share of the everyday words in the pro and in the beginner list.

    Only words the game can hold count: "Ei", "Zug" or "T-Shirt" are
    everyday words, but no word has fewer than four letters or anything
    but letters.
    """
    lines = text.splitlines()
    pro = {l[1:] if l.startswith(MARK) else l for l in lines}
    beginner = {l[1:] for l in lines if l.startswith(MARK)}
    impossible = [w for w in everyday if not rule_shape(w)]
    everyday = [w for w in everyday if rule_shape(w)]
    missing_pro = [w for w in everyday if w not in pro]
    missing_beginner = [w for w in everyday if w not in beginner]
    n = len(everyday)
    return ("everyday words: %d (and %d the game cannot hold: %s)\n"
            "pro: %d (%.1f %%), missing: %s\n"
            "beginner: %d (%.1f %%), missing: %s\n"
            % (n, len(impossible), " ".join(impossible) or "-",
               n - len(missing_pro), 100.0 * (n - len(missing_pro)) / n,
               " ".join(missing_pro) or "-",
               n - len(missing_beginner), 100.0 * (n - len(missing_beginner)) / n,
               " ".join(missing_beginner) or "-"))


def read_list(path):
    with open(path, "rb") as f:
        data = f.read()
    try:
        return data.decode("utf-8")
    except UnicodeDecodeError as e:
        fail("%s is not UTF-8: %s" % (path, e))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--check", action="store_true",
                        help="only validate the existing word list")
    parser.add_argument("--coverage", nargs="?", const=EVERYDAY_WORDS, metavar="WORDS",
                        help="report how many everyday words (default: %s) the "
                        "existing word list holds" % os.path.relpath(EVERYDAY_WORDS, REPO))
    parser.add_argument("--output", default=OUTPUT, help="word list path")
    parser.add_argument("--npm-prefix", default=DEFAULT_NPM_PREFIX,
                        help="npm --prefix the frequency package was installed into")
    parser.add_argument("--allow-other-versions", action="store_true",
                        help="build even if source versions differ from the recorded ones")
    args = parser.parse_args()

    if args.coverage:
        sys.stdout.write(coverage(read_list(args.output), read_everyday_words(args.coverage)))
        return

    if args.check:
        text = read_list(args.output)
        problems = validate_text(text)
        if problems:
            fail("%s is invalid:\n  %s" % (args.output, "\n  ".join(problems[:50])))
        sys.stdout.write("%s is valid\n%s" % (args.output, statistics(text)))
        return

    pkg_dir, english_dir = check_sources(args.npm_prefix, args.allow_other_versions)
    trans = load_trans()
    frequency = load_frequency(pkg_dir, english_dir)
    thesaurus = load_thesaurus()
    ngerman = load_ngerman()
    spelling = load_spelling(thesaurus, ngerman)
    core = read_core_words()
    spelling |= spelled_core_compounds(core, spelling, trans.occurrences)
    cands = core_candidates(core, candidates(trans, spelling, frequency.ranks, thesaurus, core),
                            trans, spelling, thesaurus)
    pro, beginner = select(cands, frequency, trans, spelling, thesaurus, core, ngerman)
    text = render(pro, beginner)
    problems = validate_text(text)
    if problems:
        fail("result breaks the rules, not written:\n  %s" % "\n  ".join(problems[:50]))
    os.makedirs(os.path.dirname(os.path.abspath(args.output)), exist_ok=True)
    tmp = args.output + ".tmp"
    with open(tmp, "wb") as f:
        f.write(text.encode("utf-8"))
    os.replace(tmp, args.output)
    sys.stdout.write("wrote %s (%d candidates)\n%s" % (args.output, len(cands), statistics(text)))


if __name__ == "__main__":
    main()
