// The program's resource script: dialog templates in dialog units, the
// strings, the icon and the version record. Texts are Windows-1252.
#include "framework/Resources.h"
#include "res/resource.h"

namespace {

using framework::DialogItemTemplate;
using framework::DialogTemplate;
using framework::ForeignCharacters;

#include "res/icons/lexodrom-16.xpm"
#include "res/icons/lexodrom-32.xpm"

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr short kNormal = 400;  // FW_NORMAL

// The main game window.
const DialogItemTemplate kMainItems[] = {
    {"BUTTON", "&Beenden", IDOK, 230, 164, 40, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP},
    {"EDIT", "", IDC_LETTER, 201, 25, 24, 13, kChild | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0,
     0, ForeignCharacters::PassAsForeignByte},
    {"BUTTON", "&Enter", IDC_ENTER, 230, 65, 40, 14, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP},
    {"STATIC",
     "Schreibe einen Buchstaben, dann dr\xFC"
     "cke oder klicke <Enter>:",
     IDC_STATIC, 8, 27, 191, 10, kChild | SS_LEFT | WS_GROUP},
    {"BUTTON",
     "&\xDC"
     "ber",
     IDC_ABOUT, 230, 45, 40, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP},
    {"BUTTON", "&Hilfe", IDC_HELP_BUTTON, 230, 25, 40, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP},
    {"BUTTON", "&Neu", IDC_NEW, 230, 84, 40, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP},
    {"EDIT", "", IDC_TRANSCRIPT, 5, 45, 220, 133,
     kChild | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_BORDER, 0, 0,
     ForeignCharacters::Refuse, "Spielverlauf"},
    {"BUTTON", "&Lexodrom", IDC_COMPUTER_STARTS, 230, 104, 40, 14,
     kChild | BS_PUSHBUTTON | WS_TABSTOP},
    {"BUTTON", "", IDC_LEVEL_GROUP, 5, 0, 90, 25, kChild | BS_GROUPBOX},
    {"BUTTON", "Anf\xE4nger", IDC_BEGINNER, 10, 10, 45, 10, kChild | BS_AUTORADIOBUTTON},
    {"BUTTON", "Profi", IDC_PRO, 60, 10, 25, 10, kChild | BS_AUTORADIOBUTTON},
    {"EDIT", "", IDC_SCORE, 201, 7, 68, 12, kChild | ES_READONLY | WS_BORDER | ES_AUTOHSCROLL,
     WS_EX_STATICEDGE},
    {"STATIC", "Punkte", IDC_SCORE_LABEL, 175, 8, 24, 10, kChild | SS_LEFT | WS_GROUP, WS_EX_RIGHT},
    {"BUTTON", "T&ipp", IDC_HINT, 230, 144, 40, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP},
    {"BUTTON", "Punkte", IDC_SHOW_SCORES, 230, 124, 40, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP},
    {"EDIT", "", IDC_WORD_NUMBER, 140, 8, 22, 12, kChild | ES_READONLY | WS_BORDER | ES_AUTOHSCROLL,
     WS_EX_STATICEDGE},
    {"STATIC", "Wort", IDC_STATIC, 119, 9, 18, 9, kChild | SS_RIGHT | WS_GROUP},
};

// The About box.
const DialogItemTemplate kAboutItems[] = {
    {"STATIC", "", IDC_STATIC, 7, 7, 20, 20, kChild | SS_ICON, 0, IDR_MAINFRAME},
    {"STATIC", "Lexodrom Version 1.6", IDC_STATIC, 39, 14, 119, 8,
     kChild | SS_LEFT | SS_NOPREFIX | WS_GROUP},
    {"STATIC", "\xA9 2026 die Lexodrom-Entwickler", IDC_STATIC, 39, 24, 119, 8,
     kChild | SS_LEFT | SS_NOPREFIX},
    {"BUTTON", "OK", IDOK, 207, 7, 32, 14, kChild | BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP},
    {"STATIC", "Der Quelltext liegt dem Spiel bei.", IDC_STATIC, 39, 34, 119, 8,
     kChild | SS_LEFT | SS_NOPREFIX},
    {"STATIC", "W\xF6rter aus trans-de-en und wngerman (GPL-2+) sowie zxcvbn-ts (MIT).", IDC_STATIC,
     39, 55, 220, 9, kChild | SS_LEFT | SS_NOPREFIX},
    {"STATIC", "Freie Software: GNU GPL, Version 3 oder neuer.", IDC_STATIC, 40, 44, 165, 9,
     kChild | SS_LEFT | SS_NOPREFIX},
    {"STATIC", "Ohne jede Gew\xE4hrleistung.", IDC_STATIC, 39, 66, 176, 8,
     kChild | SS_LEFT | SS_NOPREFIX},
};

// The name dialog of a qualifying round.
const DialogItemTemplate kNameItems[] = {
    {"BUTTON", "OK", IDOK, 129, 40, 42, 14, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP},
    {"BUTTON", "Abbrechen", IDCANCEL, 129, 57, 42, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP},
    {"EDIT", "", IDC_NAME, 10, 16, 150, 12, kChild | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
    {"STATIC", "Gib deinen Namen f\xFCr die Bestenliste ein:", IDC_STATIC, 11, 5, 132, 8,
     kChild | SS_LEFT | WS_GROUP},
};

// The high-score table.
const DialogItemTemplate kScoreItems[] = {
    {"BUTTON", "OK", IDOK, 188, 175, 31, 14, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP},
    {"LISTBOX", "", IDC_SCORE_LIST, 5, 8, 214, 162, kChild | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 0,
     0, ForeignCharacters::Refuse, "Bestenliste"},
};

const DialogTemplate kDialogs[] = {
    {IDD_ABOUTBOX,
     "\xDC"
     "ber Lexodrom",
     WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, 0, 0, 260, 83,
     "MS Sans Serif", 10, kNormal, false, kAboutItems},
    {IDD_MAIN, "Lexodrom",
     WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_3DLOOK |
         DS_SETFONT,
     WS_EX_APPWINDOW, 0, 0, 276, 183, "Arial", 14, kNormal, false, kMainItems},
    {IDD_SCORES, "Lexodrom Punkte", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
     WS_EX_NOPARENTNOTIFY, 0, 0, 224, 195, "Courier", 15, kNormal, false, kScoreItems},
    {IDD_NAME, "Lexodrom", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, 0, 0,
     176, 76, "Arial", 14, kNormal, false, kNameItems},
};

const framework::StringResource kStrings[] = {
    {IDS_ABOUTBOX,
     "&\xDC"
     "ber Lexodrom..."},
};

const framework::IconImage kMainIconImages[] = {
    {32, lexodrom_32_xpm},
    {16, lexodrom_16_xpm},
};

const framework::IconResource kIcons[] = {
    {IDR_MAINFRAME, kMainIconImages},
};

#define CONTROL_NAME(id) \
    { #id, id }
const framework::ControlName kControlNames[] = {
    CONTROL_NAME(IDOK),
    CONTROL_NAME(IDCANCEL),
    CONTROL_NAME(IDC_LETTER),
    CONTROL_NAME(IDC_ENTER),
    CONTROL_NAME(IDC_ABOUT),
    CONTROL_NAME(IDC_HELP_BUTTON),
    CONTROL_NAME(IDC_NEW),
    CONTROL_NAME(IDC_TRANSCRIPT),
    CONTROL_NAME(IDC_COMPUTER_STARTS),
    CONTROL_NAME(IDC_LEVEL_GROUP),
    CONTROL_NAME(IDC_BEGINNER),
    CONTROL_NAME(IDC_PRO),
    CONTROL_NAME(IDC_SCORE),
    CONTROL_NAME(IDC_SCORE_LABEL),
    CONTROL_NAME(IDC_HINT),
    CONTROL_NAME(IDC_SCORE_LIST),
    CONTROL_NAME(IDC_SHOW_SCORES),
    CONTROL_NAME(IDC_NAME),
    CONTROL_NAME(IDC_WORD_NUMBER),
};
#undef CONTROL_NAME

const framework::ResourceTable kResources = {
    kDialogs,      kStrings, kIcons, {{LEXODROM_FILE_VERSION}, {LEXODROM_PRODUCT_VERSION}},
    kControlNames,
};

}  // namespace

const framework::ResourceTable& framework::ProgramResources() {
    return kResources;
}
