"""The word list builder's rules on small hand-made excerpts of its sources.

Each case is a few lines in the format of trans-de-en and the outcome a
lexicographer expects from them.
"""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

import build_wordlist as builder  # noqa: E402


class EverythingSpelled:
    """A spelling list that knows every word, to test the other rules alone."""

    def __contains__(self, word):
        return True


def select_from(*lines, ranks=None, spelling=None, thesaurus=None):
    """The words the rules on the sources keep from these lines."""
    return set(builder.candidates(builder.parse_trans(lines), spelling or EverythingSpelled(),
                                  ranks or {}, thesaurus))


class LabelScope(unittest.TestCase):
    def test_trailing_vulgar_label_covers_the_whole_group(self):
        words = select_from(
            "Fick {m}; Ficken {n}; Vögeln {n} [vulg.] :: fuck; fucking; shag [vulg.]",
            "Vögeln {n} :: birds",
            "Nummer {f} :: number")
        self.assertEqual(words, {"Nummer"})

    def test_vulgar_aside_of_a_word_in_general_use_leaves_the_word(self):
        source = ("Schmutz {m}; Dreck {m} :: dirt",
                  "Abfall {m}; Dreck {m} :: rubbish",
                  "Scheiße {f}; Dreck {m} [vulg.] :: shit",
                  "Vögeln {n} :: birds",
                  "Vögeln {n} [vulg.] :: shagging",
                  "verdammt {adj} [vulg.] :: damned",
                  "verdammt {adj} :: condemned",
                  "verdammt {adj} :: doomed")
        thesaurus = builder.Thesaurus(["-|Schmutz|Dreck", "-|Vögeln", "-|verdammt|verflucht"])
        # Most senses plain and the first one too: "Vögeln" is vulgar as
        # often as not, "verdammt" first of all.
        words = select_from(*source, thesaurus=thesaurus)
        self.assertEqual(words & {"Dreck", "Vögeln", "verdammt"}, {"Dreck"})
        self.assertNotIn("Dreck", select_from(*source))

    def test_slang_label_drops_one_sense_not_the_word(self):
        words = select_from(
            "Kokain {n}; Koks {m} [ugs.]; Schnee {m} [slang] [pharm.] :: cocaine; coke; snow [slang]",
            "Schnee {m} [meteo.] | pappiger Schnee :: snow | cloggy snow")
        self.assertIn("Schnee", words)
        self.assertNotIn("Koks", words)

    def test_trailing_vulgar_label_of_a_plain_sense_stays_with_its_word(self):
        words = select_from(
            "Schnupfen {m}; Rhinitis {f}; Nasentripper {m} [vulg.] [med.] :: head cold; the sniffles [coll.]",
            "Ferkel {n}; Pottsau {f} [Westdt.] [ugs.] [derb] :: filthy animal; grubby guy")
        self.assertEqual(words, {"Schnupfen", "Rhinitis", "Ferkel"})

    def test_ironic_sense_is_unusable(self):
        words = select_from("Weltverbesserer {m}; Gutmensch {m} [iron.] :: do-gooder")
        self.assertEqual(words, {"Weltverbesserer"})

    def test_pejorative_label_stays_with_its_word(self):
        words = select_from("Fernseher {m}; Glotze {f} [pej.] :: television set; telly",
                            "Hundesohn {m}; fieser Hund {m} (Person) [pej.] :: cur (person) [pej.]")
        # Where the English is pejorative as well, the label covers the group.
        self.assertEqual(words, {"Fernseher"})

    def test_sense_translated_by_an_insult_is_unusable(self):
        words = select_from("Dorftrottel {m}; Dorfdepp {m} | Dorftrottel {pl} :: village idiot | village idiots",
                            "Trottellumme {f} [ornith.] :: common guillemot")
        self.assertEqual(words, {"Trottellumme"})

    def test_insults_mark_the_senses_they_share_and_the_words_built_on_them(self):
        words = select_from(
            "Idiot {m} :: idiot",
            "Idiot {m}; Schwachkopf {m} :: lamebrain",
            "Schwachkopf {m}; Tropf {m} :: sap",
            "Esel {m} [zool.] | Esel {pl} :: donkey | donkeys",
            "Esel {m}; Dummkopf {m} :: ass; fool",
            "Fachidiot {m} [ugs.] :: one-track specialist",
            "idiotisch {adj} :: stupid",
            "Fach {n} :: subject",
            "Zigeunerleben {n} :: gypsy life",
            "Leben {n} | Leben {pl} :: life | lives")
        self.assertEqual(words, {"Esel", "Fach", "Leben"})

    def test_geography_is_a_field_and_names_stay_out(self):
        words = select_from(
            "Dorf {n} [geogr.] [soc.] | Dörfer {pl} :: village | villages",
            "Duisburg {n} (Stadt in Deutschland) [geogr.] :: Duisburg (city in Germany)",
            "Duisburger {m}; Duisburgerin {f} [geogr.] :: Duisburger")
        self.assertEqual(words, {"Dorf"})

    def test_regional_labels(self):
        words = select_from(
            "Brötchen {n} [Norddt.] [Mitteldt.] :: bread roll",
            "Marmelade {f} [Dt.] [Ös.] :: jam",
            "Semmel {f} [Bayr.] [Ös.] :: bread roll",
            "Schrippe {f} [Berlin] :: bread roll")
        self.assertEqual(words, {"Brötchen", "Marmelade"})

    def test_days_and_feasts_are_not_names(self):
        words = select_from("Dienstag {m} /Di/ :: Tuesday /Tue/",
                            "Ostern {n} [relig.] :: Easter",
                            "Rhein {m} [geogr.] :: Rhine")
        self.assertEqual(words, {"Dienstag", "Ostern"})


class Headwords(unittest.TestCase):
    def test_abbreviation_marker_is_stripped_and_not_a_word(self):
        words = select_from(
            "Wohnung {f} /Whg./ | Wohnungen {pl} :: flat; apartment | flats; apartments",
            "Zeitung {f} /Ztg./; Blatt {n} | Zeitungen {pl}; Blätter {pl} :: newspaper; paper | newspapers; papers",
            "Kindertagesstätte {f} /Kita/ :: day nursery",
            "Kita {f} [ugs.] :: day nursery")
        self.assertEqual(words, {"Wohnung", "Zeitung", "Blatt", "Kindertagesstätte"})

    def test_preposition_before_an_object_goes_with_it(self):
        words = select_from(
            "sich an etw. erinnern {vr} | sich an etw. erinnernd | sich an etw. erinnert :: "
            "to remember sth. | remembering | remembered",
            "mit jdm. über etw. sprechen {vi} :: to talk to sb. about sth.",
            "zu Hause bleiben {vi} :: to stay at home")
        self.assertEqual(words, {"erinnern", "sprechen"})

    def test_genus_entry_names_the_animal_in_the_singular(self):
        words = select_from(
            "Hummeln {pl} (Bombus) (zoologische Gattung) [zool.] <Hummel> | Steinhummel {f} :: bumblebees (zoological genus) | red-tailed bumblebee",
            "Eichhörnchen {pl} (Sciurus) (zoologische Gattung) [zool.] :: tree squirrels (zoological genus)",
            "Zahlen {pl} <Zahl> :: figures",
            "Eschen {pl} (Fraxinus) (botanische Gattung) [bot.] :: ash trees (botanical genus)",
            "Esche {f} [bot.] :: ash",
            "Schleichen {pl} (Anguidae) (zoologische Familie) [zool.] :: anguid lizards; anguids (zoological family)")
        self.assertEqual(words, {"Hummel", "Steinhummel", "Eichhörnchen", "Esche"})
        trans = builder.parse_trans(["Hummeln {pl} (Bombus) [zool.] <Hummel> :: bumblebees"])
        self.assertEqual(trans.occurrences["Hummel"][0].english, ("bumblebee",))

    def test_genus_entry_without_keyword_is_named_by_the_spelled_singular(self):
        # "Eich" (a gauge) is spelled too; the thesaurus knows the tree.
        spelling = {"Kamel", "Eiche", "Eich", "Eichenbaum", "Nashorn", "Esche", "Eschen", "Ruder"}
        thesaurus = builder.Thesaurus(["-|Eiche|Eichenbaum"])
        words = select_from(
            "Kamele {pl} (Camelidae) (zoologische Familie) [zool.] :: camelids (zoological family)",
            "Eichenbäume {pl}; Eichen {pl} (Quercus) (botanische Gattung) [bot.] :: oaks (botanical genus)",
            "Nashörner {pl}; Rhinozerosse {pl} (Rhinocerotidae) (zoologische Familie) [zool.] :: rhinoceroses",
            "Ruderfüßer {pl} (Pelecaniformes) (zoologische Ordnung) [ornith.] :: pelecaniforms",
            spelling=spelling, thesaurus=thesaurus)
        # "Ruderfüßer" has no singular in the dictionaries; the plurals stay out.
        self.assertEqual(words, {"Kamel", "Eiche", "Eichenbaum", "Nashorn"})

    def test_written_abbreviation_spelled_like_a_word_of_its_own(self):
        words = select_from(
            "Oberst {m} /Obst./ (Dienstgrad) [mil.] :: colonel",
            "Obst {n} | Frischobst {n} :: fruit | fresh fruit",
            "Kindertagesstätte {f} /Kita/ :: day nursery",
            "Kita {f} [ugs.] :: day nursery")
        self.assertEqual(words, {"Oberst", "Obst", "Frischobst", "Kindertagesstätte"})

    def test_article_before_a_noun_is_stripped(self):
        self.assertEqual(select_from("die Polizei {f} | Flugpolizei {f} :: the police | air police"),
                         {"Polizei", "Flugpolizei"})


class BaseForms(unittest.TestCase):
    def test_declined_adjectives_pronouns_and_superlatives(self):
        words = select_from(
            "hoch; hoher; hohe; hohes {adj} | höher | am höchsten :: high | higher | highest",
            "groß {adj} | größer | am größten :: big | bigger | biggest",
            "jung {adj} | jünger | am jüngsten :: young | younger | youngest",
            "alt {adj} | älter | am ältesten :: old | older | oldest",
            "älter {adj} (Person) :: elderly",
            "spät {adj} | später | am spätesten :: late | later | latest",
            "später {adv} :: later",
            "zweitjüngster {adj} :: second youngest",
            "bedeutend; wichtig; groß; größte {adj} :: major",
            "dritte; dritter; drittes {num} :: third",
            "ihr {ppron} :: her",
            "ihres {pron} :: hers",
            "unser; unsere {pron} :: our",
            "unsere; unserer; unseres {pron} :: ours",
            "jede; jeder; jedes {pron} :: every; each",
            "jede; jeder; jedes {adv} (jeder beliebige) :: any",
            "alle; aller; alles {pron} :: all",
            "alles {pron} :: everything",
            "erst {adv} :: only",
            "erste; erster; erstes {num} :: first",
            "nahe; nah {adj} | näher | am nächsten :: near | nearer | nearest",
            "höher; hochrangig {adj} :: high-level")
        self.assertEqual(words, {"hoch", "groß", "jung", "spät", "später", "bedeutend", "wichtig",
                                 "dritte", "unser", "jede", "alle", "alles", "erst", "erste",
                                 "nahe", "hochrangig"})

    def test_verb_forms_stay_only_as_adjectives_of_their_own(self):
        words = select_from(
            "etw. einweihen {vt} | einweihend | eingeweiht :: to inaugurate sth. | inaugurating | inaugurated",
            "eingeweiht {adv} :: privily",
            "weinen {vi} | weinend | geweint :: to cry | crying | cried",
            "weinend {adv} :: sobbingly",
            "sich aufregen {vr} | sich aufregend | sich aufgeregt :: to get excited | getting excited | got excited",
            "aufgeregt {adj} | aufgeregter | am aufgeregtesten :: excited | more excited | most excited",
            "sich vereinigen {vr} :: to unite",
            "vereinigt; vereint {adj} :: united",
            "vereinigt {adj} :: associated",
            "spannen {vt} :: to tighten",
            "spannend {adj} :: exciting",
            "spannend; fesselnd {adj} :: compelling",
            "sollen {vi} :: shall",
            "wenn; falls; sollte {conj} :: if")
        self.assertEqual(words, {"einweihen", "weinen", "aufregen", "aufgeregt", "vereinigen", "vereint",
                                 "spannen", "spannend", "fesselnd", "sollen", "wenn", "falls"})

    def test_core_words_are_base_forms_by_our_own_judgement(self):
        lines = ("verbieten {vt} | verbietend | verboten :: to forbid | forbidding | forbidden",
                 "verboten {adj} :: forbidden",
                 "Chip {m} | Chips {pl} :: chip | chips")
        self.assertNotIn("verboten", select_from(*lines))
        words = set(builder.candidates(builder.parse_trans(lines), EverythingSpelled(), {},
                                       core={"verboten", "Chips"}))
        # A core word is no verb form, but a plural the entry lists stays one.
        self.assertEqual(words, {"verbieten", "verboten", "Chip"})

    def test_participles_tagged_as_verbs_and_adjectives_written_declined(self):
        words = select_from(
            "jdn. heiligsprechen {vt} [relig.] | heiligsprechend | heiliggesprochen :: to canonize sb. | canonizing | canonized",
            "helig gesprochen; heiliggesprochen {vt} :: sainted",
            "frühere(r/s); ehemalige(r/s) /ehem./ {adj} :: former; one-time",
            "früh {adj} | früher | am frühesten :: early | earlier | earliest")
        self.assertEqual(words, {"heiligsprechen", "früh"})

    def test_pronoun_case_forms_and_strong_forms_of_adjectives(self):
        words = select_from(
            "selbst; euch; sich; selber {pron} :: yourselves",
            "lieb {adj} | lieber | am liebsten :: dear | dearer | dearest",
            "jds. Liebster {m}; Liebste {f} :: sb.’s sweetheart",
            "gut {adj} | besser | am besten :: good | better | best",
            "Beste {m,f,n}; Bester | Besten {pl} :: best | bests",
            "jds. Bestes {n} :: sb.’s good",
            "viel {adj} :: much",
            "Meister {m} | Meister {pl} :: master | masters",
            "innerer; innere; inneres {adj}; inner… :: inner",
            "inner {adj} :: inner",
            "klein {adj} | kleiner | am kleinsten :: small | smaller | smallest",
            "winzig; kleinst {adj} :: minute",
            "lang {adj} :: long",
            "längst {adv} :: long ago",
            "innerer; innere; inwendig; intern {adj} :: interior",
            "Erster {m}; der/die Erste {m,f} :: first; the first")
        self.assertEqual(words, {"selbst", "selber", "lieb", "Liebste", "viel", "Meister",
                                 "inwendig", "intern", "inner", "klein", "winzig", "lang", "längst",
                                 "Erste"})

    def test_plurals_tagged_as_singular(self):
        words = select_from(
            "Ding {n}; Sache {f} | Dinge {pl}; Sachen {pl}; Krempel {m} :: thing | things",
            "Outfit {n}; Sachen {f}; Zeug {n} :: gear",
            "Fotomodell {n}; Modell {n} | Fotomodelle {pl}; Modelle {n} :: model | models",
            "Reif {m} | Reifen {pl} :: hoop | hoops",
            "Reifen {m} | Reifen {pl} :: tyre | tyres",
            "Feldzug {m} [mil.] | Feldzüge {m} | einen Feldzug führen :: "
            "military campaign | military campaigns | to wage a campaign")
        self.assertEqual(words, {"Ding", "Sache", "Krempel", "Outfit", "Zeug", "Fotomodell",
                                 "Modell", "Reif", "Reifen", "Feldzug"})

    def test_nouns_without_a_singular_are_base_forms(self):
        base_forms = {"Leute", "Ferien", "Sommerferien", "Elternteil", "Eltern", "Elternpaar",
                      "Geschwisterkind", "Geschwister", "Jeanshose", "Jeans", "Mensch", "Kost"}
        # Some plurals have a singular.  "Elter" is spelled, but the source
        # lists it for biologists only.
        spelling = base_forms | {"Elter", "Angehöriger", "Angehörige", "angehörig", "Backenzahn", "Backenzähne", "Seemann", "Seeleute",
                                 "Stockzähne", "Meier", "Meister", "Menschen", "Hausschuhe", "Pantoffeln", "Pantoffel", "Schuh", "Haus",
                                 "Kartoffelchips", "Kartoffel", "Chips", "Chip", "Kosten", "Jean"}
        words = select_from(
            "Leute {pl}; Menschen {pl} [soc.] | die einfachen Leute :: people | the common people",
            "Seemann {m} | Seeleute {pl} | Seemänner {pl} :: sailor | sailors | sailors",
            "Ferien {pl} [school] | Sommerferien {pl} :: holidays | summer holidays",
            "Elternteil {n} [soc.] | Eltern {pl}; Elternpaar {n} :: parent | parents; parental couple",
            "Elter {n,m} [biol.] :: parent",
            "Geschwisterkind {n} [soc.] | Geschwister {pl} :: sibling | siblings",
            "Jeanshose {f}; Jeans {pl}; Jean {f} [Ös.] [textil.] :: pair of jeans",
            "Mensch {m} | Menschen {pl} :: human being | human beings",
            "Hausschuhe {pl}; Pantoffeln {pl} :: slippers",
            "Kartoffelchips {pl}; Chips {pl} [cook.] :: potato crisps",
            "Kosten {pl} [fin.] :: costs",
            "Kost {f} :: food",
            "Angehöriger {m} | Angehörige {pl} :: relative | relatives",
            "Angehörige {pl} :: relatives",
            "Backenzahn {m} | Backenzähne {pl} | Stockzahn {m} [Schw.] | Stockzähne {pl} :: molar | molars | hindmost molar | hindmost molars",
            "Meier {pl}; Meister {pl} (Asperula) (botanische Gattung) [bot.] :: woodruffs (botanical genus)",
            spelling=spelling)
        # "Hausschuh" and "Kartoffelchip" are spelled as compounds of spelled words.
        self.assertEqual(words, base_forms | {"Elter", "Angehöriger", "Backenzahn", "Seemann"})

    def test_adjectives_used_as_nouns(self):
        words = select_from(
            "üblich {adj} :: usual",
            "das Übliche {n} :: the usual",
            "schwach {adj} | schwächer | am schwächsten :: weak | weaker | weakest",
            "der Schwächere {m} :: the weaker one",
            "betroffen {adj} :: affected",
            "Betroffene {m,f} :: person affected",
            "fremd {adj} :: foreign",
            "Fremder {m}; Fremde {f} :: stranger",
            "alt {adj} :: old",
            "Alter {n} :: age",
            "Delegierte {m,f}; Abgeordnete {m,f} | Delegierten {pl}; Abgeordneten {pl} :: delegate | delegates",
            "Abgeordneter {m} :: representative",
            "Landtag {m} :: state parliament",
            "Landtagsabgeordnete {m,f}; Landtagsabgeordneter {m} :: member of a state parliament",
            "Linke {m,f} [pol.] :: left-winger",
            "Blinker {m} :: indicator",
            "Weise {m,f} :: sage",
            "Wegweiser {m} | Wegweiser {pl} :: signpost | signposts")
        self.assertEqual(words, {"üblich", "schwach", "betroffen", "Betroffene", "fremd", "Fremde",
                                 "Alter", "Delegierte", "Abgeordnete", "Landtag", "Landtagsabgeordnete",
                                 "Linke", "Blinker", "Weise", "Wegweiser"})

    def test_nouns_made_from_infinitives(self):
        words = select_from(
            "spielen {vi} :: to play",
            "Spielen {n}; Spiel {n} (Herumspielen) :: play",
            "vertrauen {vi} :: to trust",
            "Vertrauen {n} (in; zu) :: trust",
            "bauen {vt} :: to build",
            "Bauen {n} :: construction",
            "leben {vi} :: to live",
            "Leben {n} | Leben {pl} :: life | lives",
            "regen {vt} :: to stir",
            "Regen {m} :: rain", ranks={"vertrauens": 4000})
        self.assertEqual(words, {"spielen", "Spiel", "vertrauen", "Vertrauen", "bauen", "leben",
                                 "Leben", "regen", "Regen"})


class Spelling(unittest.TestCase):
    AFF = ["SET UTF-8", "NEEDAFFIX h", "ONLYINCOMPOUND o",
           "SFX E Y 1", "SFX E   0  e  .",
           "SFX N Y 1", "SFX N   0  n  .",
           "SFX j Y 1", "SFX j   0  0/xoc  ."]
    DIC = ["4", "List/E", "Wohn/hij", "Sonne/N", "Morgen/hij"]

    def test_hunspell_stems_and_suffixed_forms(self):
        words = builder.hunspell_words(self.DIC, builder.hunspell_suffixes(self.AFF))
        # "Wohn" and "Morgen" (a noun only inside compounds) are no words here.
        self.assertEqual(words, {"List", "Liste", "Sonne", "Sonnen"})

    def test_capitalised_word_spelled_like_its_lower_case_form(self):
        self.assertTrue(builder.rule_current_spelling("Morgen", {"morgen"}))
        self.assertTrue(builder.rule_current_spelling("Essen", {"Essens"}))
        self.assertFalse(builder.rule_current_spelling("Schiffahrt", {"Schifffahrt"}))

    def test_compounds_of_spelled_parts(self):
        spelling = {"Pause", "Brot", "Spiegel", "Ei", "trinken", "Halm", "kuscheln", "Tier",
                    "Ufer", "fern", "Ion", "Fluss", "Farbe", "Kasten", "Ostern"}
        for word in ("Pausenbrot", "Spiegelei", "Trinkhalm", "Kuscheltier", "Farbkasten", "Osterei"):
            self.assertTrue(builder.is_spelled_compound(word, spelling), word)
        # An old spelling in a part, a part that is no word ("Fer", not "fern").
        for word in ("Flußufer", "Ferion", "Brot"):
            self.assertFalse(builder.is_spelled_compound(word, spelling), word)


if __name__ == "__main__":
    unittest.main()
