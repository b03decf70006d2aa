"""How the builder ranks words: own ranks only, never borrowed ones."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

import build_wordlist as builder  # noqa: E402
from test_rules import EverythingSpelled  # noqa: E402

SOURCE = [
    "Wagner {m}; Stellmacher {m} | Wagner {pl}; Stellmacher {pl} :: cartwright | cartwrights",
    "Bauer {m} | Bauern {pl} :: farmer | farmers",
    "Rain {m}; Feldrain {m} :: margin of a field",
    "Port {m} (Netzwerk) [comp.] | Ports {pl} :: port | ports",
    "Hand {f} | Hände {pl} :: hand | hands",
    "leben {vi} :: to live",
    "Leben {n} | Leben {pl} :: life | lives",
    "aber {conj} :: but",
    "Aber {n} | Aber {pl} :: but | buts",
    "Johannes {m}; Jonny {m} :: peter; johnson",
    "Rose {f} | Rosen {pl} :: rose | roses",
    "Schi {m}; Ski {m} [sport] :: ski",
    "Schiff {n} | Schiffe {pl} :: ship | ships",
    "Schicht {f} | Schichten {pl} :: layer | layers",
]

# Ranks as in the frequency lists: lower case, every use of a spelling.
RANKS = {"wagner": 100, "bauer": 300, "bauern": 900, "rain": 200, "rainer": 150,
         "port": 250, "porte": 20000, "hand": 50, "hände": 400, "leben": 20,
         "lebens": 700, "aber": 5, "johannes": 600, "rose": 800, "rosen": 2000,
         "schiff": 60, "schicht": 70, "schi": 9000}
SPOKEN = {"wagner", "bauer", "hand", "leben", "aber", "johannes", "rose", "schiff",
          "schicht"}
FIRST_NAMES = {"johannes", "rose", "rainer"}
LAST_NAMES = ["müller", "wagner", "bauer"]


class Ranks(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        trans = builder.parse_trans(SOURCE)
        cls.cands = builder.candidates(trans, EverythingSpelled(), RANKS)
        cls.frequency = builder.Frequency(RANKS, SPOKEN, FIRST_NAMES, LAST_NAMES)
        cls.ranker = builder.Ranker(cls.cands, cls.frequency, trans)
        cls.trans = trans

    def own(self, word):
        return self.ranker.own_rank(word)

    def test_names_lend_no_rank(self):
        self.assertIsNone(self.own("Wagner"))     # a common name, no German form
        self.assertEqual(self.own("Bauer"), 300)  # "Bauern" shows the noun

    def test_written_text_alone_lends_no_rank(self):
        self.assertIsNone(self.own("Rain"))       # "rainer" is a name, not a form
        self.assertIsNone(self.own("Port"))       # "porte" is far rarer than "port"
        self.assertEqual(self.own("Hand"), 50)

    def test_a_noun_is_not_ranked_by_its_verb_or_function_word(self):
        self.assertEqual(self.own("Leben"), 700)  # "des Lebens", not "leben"
        self.assertEqual(self.own("leben"), 20)
        self.assertIsNone(self.own("Aber"))
        self.assertEqual(self.own("aber"), 5)

    def test_first_names_and_words_that_end_play_early_are_dropped(self):
        pro, beginner = builder.select(self.cands, self.frequency, self.trans)
        self.assertNotIn("Johannes", pro)
        self.assertIn("Rose", pro)
        self.assertNotIn("Schi", pro)             # before "Schiff" and "Schicht"
        self.assertIn("Schiff", pro)
        self.assertEqual(pro, sorted(pro, key=builder.sort_key))
        self.assertNotIn("Rain", beginner)
        self.assertNotIn("Wagner", beginner)
        self.assertIn("Hand", beginner)



class VerbHomographs(unittest.TestCase):
    """Forms a verb shares with a noun belong to the commoner word."""

    SOURCE = [
        "schießen {vt} :: to shoot",
        "Giebelseite {f}; Schieß {m,f} [constr.] :: gable end",
        "krebsen {vi} :: to crawl",
        "Krebs {m} [zool.] | Krebse {pl} :: crab | crabs",
        "mitteln {vt} :: to average",
        "Mittel {n} | Mittel {pl} :: means | means",
        "murmeln {vi} :: to murmur",
        "Murmel {f} | Murmeln {pl} :: marble | marbles",
    ]
    RANKS = {"schieß": 3000, "schießen": 900, "schieße": 5000, "krebs": 4000,
             "mitteln": 3500, "gemittelt": 30000, "mittel": 800, "murmeln": 8000}

    @classmethod
    def setUpClass(cls):
        trans = builder.parse_trans(cls.SOURCE)
        cands = builder.candidates(trans, EverythingSpelled(), cls.RANKS)
        frequency = builder.Frequency(cls.RANKS, set(cls.RANKS), set(), [])
        cls.ranker = builder.Ranker(cands, frequency, trans)

    def test_an_imperative_lends_no_rank_to_a_specialist_noun(self):
        self.assertIsNone(self.ranker.own_rank("Schieß"))       # "schieß!"
        self.assertIsNone(self.ranker.inflected_rank("Schieß"))  # "schieße", "schießen"
        self.assertEqual(self.ranker.own_rank("Krebs"), 4000)   # heads its entry, has a plural

    def test_a_dative_plural_lends_no_rank_to_a_verb(self):
        self.assertEqual(self.ranker.own_rank("mitteln"), 30000)  # "den Mitteln"; "gemittelt"
        self.assertEqual(self.ranker.own_rank("murmeln"), 8000)   # "Murmeln" is a plural, not a dative


CHILD_SOURCE = [
    "Giraffe {f} [zool.] | Giraffen {pl} :: giraffe | giraffes",
    "Delfin {m}; Delphin {m} [zool.] | Delfine {pl}; Delphine {pl} :: dolphin | dolphins",
    "Kirsche {f} [bot.] [cook.] | Kirschen {pl} :: cherry | cherries",
    "Riegel {m} [cook.] :: bar",
    "Stange {f} :: bar; pole",
    "Gemach {n} :: room",
    "Okapi {n} [zool.] :: okapi",
    "Zicke {f} [zool.] :: she-goat",
    "Zicke {f} [ugs.] :: bitch [coll.]",
    "Verkehr {m} :: traffic",
    "Verkehr {m} (Umgang) :: dealings",
    "Verkehr {m} :: intercourse",
    "Methodist {m} | Methodisten {pl} :: methodist | methodists",
    "Mischling {m} | Mischlinge {pl} :: half breed | half breeds",
    "Mischling {m} | Mischlinge {pl} :: hybrid | hybrids",
    "Mischling {m} :: mongrel; mutt",
    "Hahn {m}; Hähnchen {n} [Dt.] [agr.] [ornith.] | Hähne {pl}; Hähnchen {pl} :: rooster | roosters",
    "Hähnchen {n} [cook.] :: roast chicken",
    "Nudel {f} [cook.] | Nudeln {pl} :: noodle | noodles",
    "Birne {f}; Grips {m} [ugs.] :: noddle; noodle [dated] [slang]",
]
CHILD_RANKS = {"giraffe": 50000, "giraffen": 52000, "delphin": 40000, "delphine": 45000,
               "delfin": 41000, "delfine": 46000, "kirschen": 60000,
               "riegel": 30000, "gemach": 45000, "zicke": 9000, "verkehr": 700,
               "methodist": 20000, "methodisten": 25000, "hahn": 6000, "hähnchen": 5000,
               "nudeln": 7000, "birne": 3000}
CHILD_SPOKEN = {"zicke", "verkehr", "riegel", "gemach"}
ENGLISH = {"giraffe": 100, "dolphin": 90, "cherry": 10, "cherries": 300, "bar": 50,
           "room": 20, "okapi": 80, "goat": 400, "traffic": 500, "rooster": 700,
           "noodle": 500}


class ChildWords(unittest.TestCase):
    """Beginner words: English ranks for a child's nouns, spoken words only,
    nothing sexual or insulting."""

    @classmethod
    def setUpClass(cls):
        trans = builder.parse_trans(CHILD_SOURCE)
        cls.cands = builder.candidates(trans, EverythingSpelled(), CHILD_RANKS)
        cls.frequency = builder.Frequency(CHILD_RANKS, CHILD_SPOKEN, {"cherry"}, [],
                                          ENGLISH, {"cherry"})
        cls.ranker = builder.Ranker(cls.cands, cls.frequency, trans)
        cls.trans = trans

    def test_a_childs_noun_borrows_its_damped_english_rank(self):
        self.assertEqual(self.ranker.english_rank("Giraffe"), 200)
        self.assertEqual(self.ranker.beginner_rank("Giraffe"), 200)
        # A field ending the group covers it; of two spellings listed side
        # by side only the recommended "f" one is a word of the list.
        self.assertEqual(self.ranker.english_rank("Delfin"), 180)
        self.assertNotIn("Delphin", self.cands)
        # The word an entry is filed under takes the name before a synonym
        # with a better rank from another sense.
        self.assertEqual(self.ranker.english_rank("Hahn"), 1400)
        self.assertIsNone(self.ranker.english_rank("Hähnchen"))
        # A slang translation claims no name: "noodle" stays the pasta's.
        self.assertEqual(self.ranker.english_rank("Nudel"), 1000)
        # "cherry" is a first name too: its plural counts.
        self.assertEqual(self.ranker.english_rank("Kirsche"), 600)

    def test_no_english_rank_through_homographs_other_fields_or_without_german_evidence(self):
        self.assertIsNone(self.ranker.english_rank("Riegel"))  # "bar" is also "Stange"
        self.assertIsNone(self.ranker.english_rank("Gemach"))  # no child's field
        self.assertIsNone(self.ranker.english_rank("Okapi"))   # unknown in German
        # For the pro list the German spelling dictionaries are evidence
        # enough; a beginner word must be seen in German use.
        spelled = builder.Ranker(self.cands, self.frequency, self.trans, {"Okapi"})
        self.assertEqual(spelled.english_rank("Okapi", spelled_is_german=True), 160)
        self.assertIsNone(spelled.english_rank("Okapi"))
        self.assertEqual(spelled.score("Okapi")[:2], (builder.TIER_DIRECT, 160))

    def test_a_childs_noun_ranks_by_its_english_name_in_the_pro_list(self):
        # Ahead of a word ranked only by its forms.
        self.assertLess(self.ranker.score("Giraffe"), self.ranker.score("Methodist"))
        self.assertEqual(self.ranker.score("Giraffe")[:2], (builder.TIER_DIRECT, 200))

    def test_beginners_get_spoken_words_fit_for_a_family_game(self):
        self.assertFalse(builder.rule_fit_for_beginners("Zicke", self.trans))
        self.assertTrue(builder.rule_fit_for_beginners("Verkehr", self.trans))
        self.assertFalse(builder.rule_fit_for_beginners("Mischling", self.trans))
        self.assertFalse(self.ranker.spoken_somewhere("Methodist"))
        self.assertTrue(self.ranker.spoken_somewhere("Giraffe"))  # in English
        pro, beginner = builder.select(self.cands, self.frequency, self.trans)
        self.assertIn("Zicke", pro)
        self.assertIn("Methodist", pro)
        self.assertLessEqual({"Giraffe", "Kirsche", "Verkehr"}, beginner)
        self.assertFalse({"Zicke", "Methodist", "Okapi"} & beginner)


HEARD_SOURCE = [
    # The plural group is not parallel to the heads: "Hausaufgaben" is read
    # as a plural noun of its own, and found to be a form of "Hausaufgabe".
    "Hausaufgabe {f}; Schulaufgabe {f} [school] | Hausaufgaben {pl} :: assignment | assignments",
    "Quell {m} [poet.] :: spring",
    "Quell {m} :: source",
    "Quelle {f} | Quellen {pl} :: source | sources",
    "Riefe {f} [techn.] :: groove",
    "rufen {vi} | rufend | gerufen | ich/er/sie rief | wir/sie riefen :: to call",
    "Granat {m} [min.] :: garnet",
    "Granate {f} [mil.] :: shell",
    "Strass {m} :: rhinestone",
    "husten {vi} [med.] :: to cough",
    "Husten {m} :: cough",
    "Derivat {n} :: derivative",
    "Parzelle {f} :: plot",
    "Parzelle {f} :: parcel",
    "Haltestelle {f} | Haltestellen {pl} :: stop | stops",
    "Wespe {f} :: wasp",
    "Defizit {n} [fin.] :: deficit",
    "begehren {vt} [geh.] :: to desire",
]
HEARD_RANKS = {"hausaufgaben": 3000, "quelle": 900, "riefen": 4000, "granaten": 5000,
               "strasse": 6000, "husten": 5000, "derivat": 20000, "parzelle": 21000,
               "haltestelle": 22000, "wespe": 23000, "defizit": 19000, "begehren": 18000,
               "quellen": 2500}
HEARD_SPOKEN = {"hausaufgaben", "quelle", "quellen", "riefen", "granaten", "strasse", "husten"}
HEARD_SPELLING = {"Hausaufgabe", "Hausaufgaben", "Quelle", "Quellen", "Riefe", "riefen",
                  "Granat", "Granate", "Granaten", "Strass", "husten", "Husten", "Derivat",
                  "Parzelle", "Haltestelle", "Wespe", "Defizit", "begehren"}


class HeardAndEveryday(unittest.TestCase):
    """What makes a word a beginner word beyond its own rank: forms heard,
    and plain German rather than learned or elevated words."""

    @classmethod
    def setUpClass(cls):
        trans = builder.parse_trans(HEARD_SOURCE)
        cls.cands = builder.candidates(trans, EverythingSpelled(), HEARD_RANKS)
        frequency = builder.Frequency(HEARD_RANKS, HEARD_SPOKEN, set(), [])
        cls.ranker = builder.Ranker(cls.cands, frequency, trans, HEARD_SPELLING)

    def test_forms_heard_rank_a_word_unless_another_word_owns_them(self):
        self.assertEqual(self.ranker.heard_form_rank("Hausaufgabe"), 3000)
        self.assertEqual(self.ranker.beginner_rank("Hausaufgabe"), 3000)
        self.assertIsNone(self.ranker.heard_form_rank("Quell"))   # "Quelle", "Quellen"
        self.assertIsNone(self.ranker.heard_form_rank("Riefe"))   # "riefen" of "rufen"
        self.assertIsNone(self.ranker.heard_form_rank("Granat"))  # "Granaten" of "Granate"
        self.assertIsNone(self.ranker.heard_form_rank("Strass"))  # old spelling of "Straße"

    def test_a_field_on_a_verb_leaves_its_rank_to_the_noun_and_the_verb(self):
        self.assertEqual(self.ranker.own_rank("husten"), 5000)
        self.assertEqual(self.ranker.own_rank("Husten"), 5000)

    def test_written_words_reach_beginners_only_as_plain_german(self):
        everyday = {w for w in self.cands if builder.rule_everyday(w, self.ranker)}
        self.assertLessEqual({"Hausaufgabe", "husten", "Haltestelle", "Wespe"}, everyday)
        # borrowed learned words, fields of learning, elevated style
        self.assertFalse({"Derivat", "Parzelle", "Defizit", "begehren"} & everyday)


GENERAL_SOURCE = [
    "Pfütze {f} | Pfützen {pl} :: puddle | puddles",
    "Aalsuppe {f} [cook.] :: eel soup",
    "Rabe {m} [ornith.] :: raven",
    "Kolkrabe {m} [ornith.] :: common raven",
    "Schwan {m} [ornith.] :: swan",
    "Schwanenhals {m} :: swan neck",
    "Schwank {m} :: farce",
    "Stundenplan {m} [stud.] :: timetable",
    "Chip {m} | Chips {pl} :: chip | chips",
    "Bums {m} [vulg.] :: bang",
    "Hyäne {f} [zool.] :: hyena",
    "Gesindel {n} :: rabble",
    "Obstsalat {m} [cook.] :: fruit salad",
    "Aalsalat {m} [cook.] :: eel salad",
    "Nebensalat {m} [cook.] :: side salad",
    "Schi {m} :: ski",
    "Schiff {n} :: ship",
    "Schicht {f} :: layer",
    "Krapfen {m} [cook.] :: doughnut",
    "Suppenwürfel {m} [cook.] :: stock cube",
]
GENERAL_RANKS = {"aal": 3000, "suppe": 2000, "würfel": 1500, "schwanenhals": 900, "schwank": 8000,
                 "obst": 4000, "salat": 5000, "schiff": 60, "schicht": 70}
GENERAL_THESAURUS = [
    "pfütze|1",
    "-|Pfütze|Lache",
    "-|Rabe|Krähe (Oberbegriff)",
    "-|Schwan",
    "-|Kolkrabe (fachspr.)",
    "-|Bums (derb)|Knall",
    "-|Hyäne (ugs., abwertend)|Gesindel (derb, abwertend)",
    "-|Schi|Ski",
    "-|Krapfen|Berliner",
    "-|Krapfen|Kreppel",
    "-|Suppenwürfel|Brühwürfel",
]


class GeneralUseAndCoreWords(unittest.TestCase):
    """Words without a rank: the thesaurus and our core vocabulary."""

    @classmethod
    def setUpClass(cls):
        trans = builder.parse_trans(GENERAL_SOURCE)
        cls.thesaurus = builder.Thesaurus(GENERAL_THESAURUS)
        spelling = {"Pfütze", "Aalsuppe", "Aal", "Suppe", "Rabe", "Kolkrabe", "Schwan",
                    "Schwanenhals", "Schwank", "Stundenplan", "Stunde", "Plan", "Chip",
                    "Chips", "Bau", "Klotz", "Knall", "Hyäne", "Gesindel", "Obst", "Salat", "Schi",
                    "Schiff", "Schicht", "Krapfen", "Suppenwürfel", "Suppe", "Würfel"}
        cls.core = {"Bauklotz", "Stundenplan", "Chips", "Bums", "Baukloz", "Pfütze", "Obst", "Salat", "neben"}
        spelling |= builder.spelled_core_compounds(cls.core, spelling, trans.occurrences)
        cls.cands = builder.core_candidates(
            cls.core, builder.candidates(trans, spelling, GENERAL_RANKS, cls.thesaurus),
            trans, spelling, cls.thesaurus)
        cls.frequency = builder.Frequency(GENERAL_RANKS, set(GENERAL_RANKS), set(), [],
                                          {"fruit": 300, "salad": 900, "eel": 5000, "swan": 2000})
        cls.trans = trans
        cls.spelling = spelling
        cls.ranker = builder.Ranker(cls.cands, cls.frequency, trans, spelling, cls.thesaurus)

    def test_thesaurus_labels(self):
        self.assertTrue(self.thesaurus.in_general_use("Rabe"))   # a hypernym is general
        self.assertFalse(self.thesaurus.in_general_use("Kolkrabe"))
        self.assertFalse(self.thesaurus.in_general_use("pfütze"))  # index lines are no sets
        self.assertTrue(self.thesaurus.only_offensive("Bums"))
        self.assertFalse(self.thesaurus.only_offensive("Knall"))

    def test_a_word_in_general_use_goes_before_compounds_and_specialist_terms(self):
        score = self.ranker.score
        self.assertEqual(score("Pfütze")[0], builder.TIER_GENERAL)
        self.assertLess(score("Pfütze"), score("Aalsuppe"))  # ranked by its parts only
        # A field does not make a word in general use a specialist term.
        self.assertLess(score("Rabe"), score("Aalsuppe"))
        self.assertLess(score("Aalsuppe"), score("Kolkrabe"))

    def test_short_words_with_many_senses_lead_the_words_in_general_use(self):
        # No rank at all, but short, in two synonym sets and in ngerman:
        # before a long compound of ranked parts.
        ranker = builder.Ranker(self.cands, self.frequency, self.trans, self.spelling,
                                self.thesaurus, ngerman={"Krapfen"})
        self.assertLess(ranker.score("Krapfen"), ranker.score("Suppenwürfel"))
        self.assertLess(ranker.score("Krapfen"), self.ranker.score("Krapfen"))

    def test_a_childs_noun_does_not_end_play_too_early(self):
        ext = builder.extensions_of(self.cands)
        self.assertEqual(ext["Schwan"], ["Schwanenhals", "Schwank"])
        self.assertTrue(builder.rule_not_blocking_play("Schwan", self.ranker, ext["Schwan"]))
        # General use alone does not keep a rare spelling before common words.
        self.assertFalse(builder.rule_not_blocking_play("Schi", self.ranker, ext["Schi"]))

    def test_core_words_the_dictionary_misses_or_mislabels(self):
        # No entry, spelled as a compound; an everyday word under a jargon label.
        self.assertIn("Bauklotz", self.cands)
        self.assertIn("Stundenplan", self.cands)
        # Misspelled, a listed plural, a vulgar sense: the core list does not
        # override these.
        self.assertFalse({"Baukloz", "Chips", "Bums"} & set(self.cands))

    def test_core_words_are_beginner_words(self):
        pro, beginner = builder.select(self.cands, self.frequency, self.trans,
                                       thesaurus=self.thesaurus, core=self.core)
        self.assertLessEqual({"Bauklotz", "Stundenplan", "Pfütze"}, set(pro))
        self.assertLessEqual({"Bauklotz", "Stundenplan", "Pfütze"}, beginner)
        self.assertNotIn("Aalsuppe", beginner)
        # A compound of two core words is an everyday word, as common as
        # its rarer part, damped; one of other words is not.
        self.assertIn("Obstsalat", beginner)
        with_core = builder.Ranker(self.cands, self.frequency, self.trans,
                                   thesaurus=self.thesaurus, core=self.core)
        self.assertEqual(with_core.beginner_rank("Obstsalat"),
                         builder.CORE_COMPOUND_DAMPING * 5000)
        # Not spelled: not made of core words, or not of core nouns and verbs.
        self.assertNotIn("Aalsalat", self.cands)
        self.assertNotIn("Nebensalat", self.cands)
        # Only coarse uses in the thesaurus drop a word, but not the animal.
        self.assertNotIn("Gesindel", pro)
        self.assertIn("Hyäne", pro)


class FileRules(unittest.TestCase):
    def test_validate_text_reports_each_broken_rule(self):
        problems = builder.validate_text("Bären\n:Apfel\nAale\nAale\nx\n")
        text = "\n".join(problems)
        self.assertIn("bad word 'x'", text)
        self.assertIn("duplicate 'Aale'", text)
        self.assertIn("not sorted: 'Bären' before 'Apfel'", text)
        self.assertIn("expected 25000..32000", text)

    def test_coverage_counts_pro_and_beginner_words(self):
        report = builder.coverage(":Apfel\nBirne\n", ["Apfel", "Birne", "Zitrone", "Ei", "T-Shirt"])
        # Words no list can hold are named, not counted.
        self.assertIn("(and 2 the game cannot hold: Ei T-Shirt)", report)
        self.assertIn("pro: 2 (66.7 %), missing: Zitrone", report)
        self.assertIn("beginner: 1 (33.3 %), missing: Birne Zitrone", report)


if __name__ == "__main__":
    unittest.main()
