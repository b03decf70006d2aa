#!/usr/bin/python3
"""Build (or check) Lexodrom's German word list, data/words.txt.

Usage (from the repository root):

    /usr/bin/python3 tools/wordlist/build_wordlist.py            # rebuild data/words.txt
    /usr/bin/python3 tools/wordlist/build_wordlist.py --check    # validate data/words.txt only

Sources (all must be installed; the script says how if one is missing):
  * Debian package trans-de-en: German-English dictionary with word classes
    ({m} {f} {n} {vt} {vi} {adj} {adv} ...) and usage labels ([alt], [vulg.] ...).
  * Debian package wngerman: /usr/share/dict/ngerman, current German spelling.
  * npm package @zxcvbn-ts/language-de (pinned version below): frequency-ranked
    German word lists, installed into an ignored directory:
        npm install --prefix tools/wordlist/.npm @zxcvbn-ts/language-de@3.0.2

Output format: one word per line, UTF-8, LF, sorted by Windows-1252 bytes;
beginner words carry a leading ":".  The output depends only on the source
files: no hash order, locale, clock or randomness is involved, so two runs on
the same sources give byte-identical files.

Standard library only.
"""

import argparse
import json
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

TRANS_PATH = "/usr/share/trans/de-en"
NGERMAN_PATH = "/usr/share/dict/ngerman"
ZXCVBN_PACKAGE = "@zxcvbn-ts/language-de"
ZXCVBN_VERSION = "3.0.2"
DEFAULT_NPM_PREFIX = os.path.join(HERE, ".npm")

# Versions the committed data/words.txt was built from.  Other versions may
# give a different list, so the build refuses them unless asked to go on.
EXPECTED_DEBIAN = {"trans-de-en": "1.9-6", "wngerman": "20161207-11"}

PRO_TARGET = 28000          # words in the full ("pro") list
BEGINNER_TARGET = 8000      # most frequent of them, marked with ":"
PRO_RANGE = (25000, 32000)  # hard limits checked on the result
BEGINNER_RANGE = (7800, 8200)
MIN_LEN, MAX_LEN = 4, 23
MARK = ":"
# Infinitives used as nouns ("das Laufen") must rank this high.
NOMINALISED_MAX_RANK = 5000

INSTALL_HINT = (
    "Install the sources with:\n"
    "    apt-get update && apt-get install trans-de-en wngerman\n"
    "    npm install --prefix tools/wordlist/.npm %s@%s\n"
    % (ZXCVBN_PACKAGE, ZXCVBN_VERSION)
)

# Word classes of trans-de-en that we accept, and what they mean for case.
NOUN_TAGS = {"m", "f", "n", "m,f", "m,n", "n,m", "f,n"}
VERB_TAGS = {"vt", "vi", "vr", "v"}
OTHER_TAGS = {"adj", "adv", "interj", "num", "pron", "ppron", "conj", "prp",
              "prp; +Dat.", "prp; +Gen.", "prp; +Akk."}

# Labels that rule a word out whenever they appear on it: offensive language.
OFFENSIVE_LABELS = {"vulg.", "derb", "pej.", "slang"}
# Labels that make one occurrence unusable (old spelling, obsolete, regional,
# jargon, trade marks, geography).  The word is still taken if another,
# unlabelled occurrence exists.
RESTRICTED_LABELS = {
    "alt", "obs.", "veraltet", "veraltend", "altertümlich", "altertümelnd",
    "selten", "frühere Bezeichnung", "tm", "geogr.", "Jägersprache",
    "Jugendsprache", "Kindersprache", "stud.", "humor.", "euphem.", "poet.",
    "Ös.", "Schw.", "Bayr.", "Süddt.", "Norddt.", "Mitteldt.", "Ostdt.",
    "Westdt.", "Mittelwestdt.", "Nordostdt.", "Nordwestdt.", "Südwestdt.",
    "Mittelostdt.", "Ostmitteldt.", "Westös.", "Ostös.", "Südtirol", "Tirol",
    "Vorarlberg", "Wien", "Lie.", "Lux.", "BW", "Berlin", "Sachsen",
    "Franken", "Pfalz", "Baden", "in Zusammensetzungen",
    "meist in Zusammensetzungen", "nachgestellt",
}

# Specialist fields: words only known from these are less likely to be
# accepted by players, so they are taken last.
TECHNICAL_LABELS = {
    "techn.", "chem.", "med.", "comp.", "electr.", "mach.", "constr.",
    "min.", "geol.", "biochem.", "pharm.", "phys.", "math.", "statist.",
    "telco.", "print", "textil.", "bot.", "zool.", "ornith.", "anat.",
    "biol.", "agr.", "jur.", "adm.", "fin.", "econ.", "aviat.", "naut.",
    "mil.", "myc.", "astron.", "meteo.", "ling.", "sci.", "envir.",
    "transp.", "auto", "photo.", "electr.", "arch.", "soc.", "statist.",
    "philos.", "phil.", "psych.", "relig.", "hist.", "pol.", "astrol.",
}

# Words that pass every automatic rule but do not belong in the game:
# names, abbreviations, crude or offensive words, and forms that are not
# the base form.  Keep this list short and explain additions in the commit.
BLOCKLIST = {
    # crude, offensive or sexual
    "Arsch", "Arschloch", "Bumsen", "bumsen", "ficken", "Fotze", "Hure",
    "Nutte", "Neger", "Schlampe", "Schwuchtel", "Wichser", "wichsen",
    "Scheiße", "scheißen", "Kacke", "kacken", "pissen", "Pisse", "Titte",
    "Schwanz", "geil", "Spast", "Spasti", "Krüppel", "Zigeuner", "Kanake",
    "Nazi", "Nazis", "Hitler", "Penner", "Idiot", "Depp", "Trottel", "Hurensohn",
    "Miststück", "Möse", "Pimmel", "Sack", "Dildo", "Porno", "Sexy", "sexy",
    "Bastard", "Flittchen", "Schnepfe", "Tussi", "Weib", "Blödmann",
    "Lesbe", "Puff", "Polente", "besoffen",
    # rivers and other names that pass as common nouns
    "Lahn", "Ruhr",
    # declined forms
    "vorletzter",
    # trade marks and acronyms written as words
    "Castor",
    # plural forms tagged as singular in trans-de-en
    "Ausgänge",
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
    for path in (TRANS_PATH, NGERMAN_PATH):
        if not os.path.isfile(path):
            problems.append("missing file %s" % path)
    pkg_dir = os.path.join(npm_prefix, "node_modules", *ZXCVBN_PACKAGE.split("/"))
    pkg_json = os.path.join(pkg_dir, "package.json")
    if not os.path.isfile(pkg_json):
        problems.append("npm package %s is not installed under %s"
                        % (ZXCVBN_PACKAGE, npm_prefix))
    else:
        with open(pkg_json, encoding="utf-8") as f:
            version = json.load(f).get("version")
        if version != ZXCVBN_VERSION:
            problems.append("npm package %s is %s, expected %s"
                            % (ZXCVBN_PACKAGE, version, ZXCVBN_VERSION))
    if problems:
        fail("\n  ".join(["sources are not ready:"] + problems) + "\n" + INSTALL_HINT)
    return pkg_dir


def load_ngerman():
    """The current-spelling word list as a set of exact (case-sensitive) words."""
    with open(NGERMAN_PATH, encoding="utf-8") as f:
        return {line.rstrip("\n") for line in f if line.strip()}


def load_frequency_ranks(pkg_dir):
    """Lower-cased word -> best rank (0 = most frequent).

    The package has two lists: commonWords (spoken language, from film
    subtitles) and wikipedia (written language).  A word's rank is the better
    of its two positions, so both everyday speech and common written words
    count as frequent.
    """
    ranks = {}
    for name in ("wikipedia.json", "commonWords.json"):
        with open(os.path.join(pkg_dir, "src", name), encoding="utf-8") as f:
            words = json.load(f)
        for position, word in enumerate(words):
            if word not in ranks or position < ranks[word]:
                ranks[word] = position
    return ranks


# ---------------------------------------------------------------------------
# Parsing trans-de-en
# ---------------------------------------------------------------------------

TAG_RE = re.compile(r"\{([^}]*)\}")
LABEL_RE = re.compile(r"\[([^\]]*)\]")
# Comments and alternatives that are not part of the headword itself.
NOISE_RE = re.compile(r"\{[^}]*\}|\[[^\]]*\]|\([^)]*\)|<[^>]*>")
# Object placeholders in verb entries: "etw. abarbeiten", "sich freuen".
PLACEHOLDER_RE = re.compile(
    r"^(?:(?:etw|jdn|jdm|jds|jd)\.|sich)(?:/(?:(?:etw|jdn|jdm|jds|jd)\.|sich))*$")


class Occurrence:
    """One appearance of a word as a tagged single-word headword."""
    __slots__ = ("word_class", "labels", "proper", "comment", "group", "gerund")

    def __init__(self, word_class, labels, proper, comment, group, gerund):
        self.word_class = word_class   # "noun", "verb" or "other"
        self.labels = labels           # frozenset of [..] labels
        self.proper = proper           # English side names a proper noun
        self.comment = comment         # text of (..) comments
        self.group = group             # 0 = headword part of the entry
        self.gerund = gerund           # English side is only "-ing" forms


class TransData:
    """What the build needs from trans-de-en."""

    def __init__(self):
        self.occurrences = defaultdict(list)  # word -> [Occurrence]
        self.verb_forms = set()      # participles listed in verb entries
        self.superlatives = set()    # "am schnellsten" -> "schnellsten"
        self.places = set()          # geographic names ("Duisburg")
        self.adverbs = set()         # words with an {adv} entry of their own


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


def english_is_proper(english_group):
    """True if every English translation starts with a capital letter.

    Common nouns are lower case in English, so a German noun that is only
    ever translated by capitalised words ("Germany", "the Rhine") is a name.
    """
    alts = [a.strip() for a in NOISE_RE.sub("", english_group).split(";")]
    alts = [a for a in alts if a]
    if not alts:
        return False
    for alt in alts:
        first = alt.split()[0]
        if first in ("the", "The", "a", "an") and len(alt.split()) > 1:
            first = alt.split()[1]
        if not first[:1].isupper():
            return False
    return True


def english_is_gerund(english_group):
    """True if every English translation is an -ing form ("filing")."""
    alts = [a.strip() for a in NOISE_RE.sub("", english_group).split(";")]
    alts = [a for a in alts if a]
    return bool(alts) and all(a.split()[0].endswith("ing") for a in alts)


def parse_trans():
    """Collect tagged single-word headwords, verb forms and superlatives."""
    data = TransData()
    occurrences = data.occurrences
    with open(TRANS_PATH, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or " :: " not in line:
                continue
            german, english = line.rstrip("\n").split(" :: ", 1)
            english_groups = english.split(" | ")
            german_groups = german.split(" | ")
            data.superlatives.update(re.findall(r"\bam (\w+sten)\b", german))
            if "[geogr.]" in german:
                first = NOISE_RE.sub(" ", german_groups[0].split(";")[0]).split()
                if first and first[0][:1].isupper():
                    data.places.add(first[0])
            # Verb entries list the present and past participle in the next
            # two groups: "etw. abarbeiten {vt} | abarbeitend | abgearbeitet".
            if any(classify([t]) == "verb" for t in TAG_RE.findall(german_groups[0])):
                for gi, group in enumerate(german_groups[1:3], 1):
                    for alt in group.split(";"):
                        tokens = NOISE_RE.sub(" ", alt).split()
                        if len(tokens) == 1 and not TAG_RE.search(alt):
                            if gi == 2 or tokens[0].endswith("nd"):
                                data.verb_forms.add(tokens[0])
            for gi, group in enumerate(german_groups):
                proper = gi < len(english_groups) and english_is_proper(english_groups[gi])
                gerund = gi < len(english_groups) and english_is_gerund(english_groups[gi])
                alts = [a.strip() for a in group.split(";")]
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
                    tags = TAG_RE.findall(alt)
                    word_class = classify(tags) if tags else inherited[i]
                    if word_class is None or (not tags and word_class == "noun"):
                        continue
                    tokens = [t for t in NOISE_RE.sub(" ", alt).split()
                              if not PLACEHOLDER_RE.match(t)]
                    if len(tokens) != 1:
                        continue
                    labels = frozenset(l.strip() for l in LABEL_RE.findall(alt))
                    # A geography label at the end of a group covers all of
                    # it: "Duisburger {m}; Duisburgerin {f} [geogr.]".
                    if "geogr." in LABEL_RE.findall(group):
                        labels = labels | {"geogr."}
                    if "adv" in [t.strip() for t in tags] and gi == 0:
                        data.adverbs.add(tokens[0])
                    comment = " ".join(re.findall(r"\(([^)]*)\)", alt))
                    occurrences[tokens[0]].append(
                        Occurrence(word_class, labels, proper, comment, gi, gerund))
    return data


# ---------------------------------------------------------------------------
# Selection rules (each returns True if the word may stay)
# ---------------------------------------------------------------------------

WORD_RE = re.compile(r"[A-Za-zÄÖÜäöü][a-zäöüß]*")


def rule_shape(word):
    """4-23 letters, only A-Z a-z ÄÖÜ äöü ß, capital only at the start."""
    return MIN_LEN <= len(word) <= MAX_LEN and WORD_RE.fullmatch(word) is not None


def rule_current_spelling(word, ngerman):
    """Must be in the current-spelling list (drops "daß", "Schiffahrt").

    ngerman misses a few base forms ("Opfer", "Essen") but lists their
    inflected forms ("Opfers", "Essens"), which confirm the spelling too.
    """
    if word in ngerman:
        return True
    return any(word + ending in ngerman for ending in ("s", "es", "n", "en"))


def rule_not_offensive(occs):
    """Any vulgar, pejorative or slang label anywhere drops the word."""
    return not any(o.labels & OFFENSIVE_LABELS for o in occs)


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


def rule_usable_occurrence(word, occ):
    """An occurrence counts if it has no restricting label and fits its class."""
    return (not (occ.labels & RESTRICTED_LABELS)
            and rule_headword_position(occ)
            and rule_case_matches_class(word, occ)
            and rule_base_form(word, occ)
            and rule_not_a_name(occ))


def rule_not_blocked(word):
    return word not in BLOCKLIST


def rule_not_inflected_adjective(word, occs, adjectives, ngerman):
    """Drop declined adjectives that slipped in as headwords.

    "zweitbeste; zweitbester; zweitbestes {adj}" lists declined forms; keep
    only a form whose shorter stem is not itself an adjective here, and drop
    declined superlatives ("zweitgrößter" when "zweitgrößte" exists).
    Words also used as nouns, verbs or adverbs are left alone.
    """
    if any(o.word_class != "other" for o in occs):
        return True
    for ending in ("e", "en", "er", "es", "em"):
        if word.endswith(ending) and word[: -len(ending)] in adjectives:
            return False
    if re.search(r"st(?:er|es|em|en)$", word) and word[:-1] in ngerman:
        return False
    return True


def rule_participle_is_adjective(word, occs, trans, verbs):
    """A participle counts as an adjective only if it behaves like one.

    trans-de-en tags many participles {adj} ("kompensiert", "vorbereitet").
    Lexicalised ones are gradable ("am gebildetsten") or have an adverb
    entry of their own ("verrückt", "spannend"); the rest are verb forms.
    """
    if any(o.word_class != "other" for o in occs):
        return True
    participle = word in trans.verb_forms or (word.endswith("nd") and word[:-1] in verbs)
    if not participle:
        return True
    if (word + "sten") in trans.superlatives or (word + "esten") in trans.superlatives:
        return True
    return word in trans.adverbs


def rule_not_from_place_name(word, places):
    """Drop residents of places and names derived from them ("Duisburger")."""
    if not word[0].isupper():
        return True
    for ending in ("er", "erin", "aner", "anerin", "ener", "enerin"):
        if word.endswith(ending) and word[: -len(ending)] in places:
            return False
    return True


def rule_nominalised_infinitive(word, occs, verbs, ranks, ngerman):
    """Nouns made from a verb ("das Ablegen") only if they are words of their own.

    Every infinitive can be used as a noun.  Established ones ("Essen" =
    food, "Leben" = life, "Wissen" = knowledge) have a translation that is
    not just the English -ing form, and are common; the frequency lists
    cannot tell noun from verb, so both tests are needed.
    """
    if not word[0].isupper() or not word.endswith("n"):
        return True
    if all(o.gerund for o in occs) and word.lower() in ngerman:
        return False  # "Übersteuern" = "oversteering": only the verb
    if word.lower() not in verbs:
        return True
    if all(o.gerund for o in occs):
        return False
    rank = ranks.get(word.lower())
    return rank is not None and rank < NOMINALISED_MAX_RANK


def rule_preferred_spelling(word, ngerman):
    """Drop "ph" spellings where the recommended "f" form exists.

    "Photographie" -> "Fotografie", "Demographie" -> "Demografie".  Only
    "Photo"/"photo" and "-ograph-" are replaced: "Graph" is not "Graf".
    """
    variant = word.replace("Photo", "Foto").replace("photo", "foto").replace("ograph", "ograf")
    return variant == word or variant not in ngerman


def candidates(trans, ngerman, ranks):
    """word -> list of usable occurrences, after all rules."""
    usable_by_word = {}
    for word in sorted(trans.occurrences):
        occs = trans.occurrences[word]
        if not rule_shape(word) or not rule_current_spelling(word, ngerman):
            continue
        if not rule_not_offensive(occs) or not rule_not_blocked(word):
            continue
        usable = [o for o in occs if rule_usable_occurrence(word, o)]
        if usable:
            usable_by_word[word] = usable
    # Rules that look at other candidates.
    adjectives = {w for w, occs in usable_by_word.items()
                  if any(o.word_class == "other" for o in occs)}
    verbs = {w for w, occs in usable_by_word.items()
             if any(o.word_class == "verb" for o in occs)}
    result = {}
    for word in sorted(usable_by_word):
        occs = usable_by_word[word]
        if not rule_not_inflected_adjective(word, occs, adjectives, ngerman):
            continue
        if not rule_participle_is_adjective(word, occs, trans, verbs):
            continue
        if not rule_not_from_place_name(word, trans.places):
            continue
        if not rule_nominalised_infinitive(word, occs, verbs, ranks, ngerman):
            continue
        if not rule_preferred_spelling(word, ngerman):
            continue
        result[word] = occs
    return result


# ---------------------------------------------------------------------------
# Ranking: how common is a word?
# ---------------------------------------------------------------------------

# Unknown words sort after all ranked ones; the tiers keep the three kinds
# of evidence apart (the word itself > its inflected forms > its parts).
TIER_DIRECT, TIER_INFLECTED, TIER_COMPOUND, TIER_NONE = 0, 1, 2, 3


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
        forms.update(w + s for s in ("e", "en", "er", "es", "em"))
    if "verb" in word_classes:
        stem = w[:-2] if w.endswith("en") else w[:-1]
        forms.update(stem + s for s in ("e", "st", "t", "te", "ten", "end"))
        forms.add("ge" + stem + "t")
    return sorted(forms)


def direct_rank(word, ranks):
    return ranks.get(word.lower())


def inflected_rank(word, word_classes, ranks):
    found = [ranks[f] for f in inflected_forms(word, word_classes) if f in ranks]
    return min(found) if found else None


def compound_rank(word, ranks):
    """Rank of a transparent two-part compound: the rarer part's rank.

    "Aalsuppe" = "aal" + "suppe"; linking elements -s-, -n-, -en-, -es-, -e-
    are allowed.  Both parts need at least 3 letters and must be ranked.
    """
    w = word.lower()
    best = None
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


def score(word, occs, ranks):
    """Sort key: smaller = more common.

    Words ranked themselves come first, whatever their field.  Among the
    rest, specialist terms ("Testtiefe [techn.]") go after all everyday words.
    """
    classes = {o.word_class for o in occs}
    r = direct_rank(word, ranks)
    if r is not None:
        return (TIER_DIRECT, r, sort_key(word))
    shift = 3 if is_technical(occs) else 0
    r = inflected_rank(word, classes, ranks)
    if r is not None:
        return (TIER_INFLECTED + shift, r, sort_key(word))
    r = compound_rank(word, ranks)
    if r is not None:
        return (TIER_COMPOUND + shift, r, len(word), sort_key(word))
    return (TIER_NONE + shift, len(word), sort_key(word))


def select(cands, ranks):
    """Pick the pro list (most common first) and its beginner part."""
    ordered = sorted(cands, key=lambda w: score(w, cands[w], ranks))
    pro = ordered[:PRO_TARGET]
    # Beginner words: only words that are frequent in their own right.
    direct = [w for w in pro if direct_rank(w, ranks) is not None]
    beginner = set(sorted(direct, key=lambda w: (direct_rank(w, ranks), sort_key(w)))[:BEGINNER_TARGET])
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


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--check", action="store_true",
                        help="only validate the existing word list")
    parser.add_argument("--output", default=OUTPUT, help="word list path")
    parser.add_argument("--npm-prefix", default=DEFAULT_NPM_PREFIX,
                        help="npm --prefix the frequency package was installed into")
    parser.add_argument("--allow-other-versions", action="store_true",
                        help="build even if source versions differ from the recorded ones")
    args = parser.parse_args()

    if args.check:
        with open(args.output, "rb") as f:
            data = f.read()
        try:
            text = data.decode("utf-8")
        except UnicodeDecodeError as e:
            fail("%s is not UTF-8: %s" % (args.output, e))
        problems = validate_text(text)
        if problems:
            fail("%s is invalid:\n  %s" % (args.output, "\n  ".join(problems[:50])))
        sys.stdout.write("%s is valid\n%s" % (args.output, statistics(text)))
        return

    pkg_dir = check_sources(args.npm_prefix, args.allow_other_versions)
    ngerman = load_ngerman()
    ranks = load_frequency_ranks(pkg_dir)
    cands = candidates(parse_trans(), ngerman, ranks)
    pro, beginner = select(cands, ranks)
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
