// Resource ids of the program: dialog templates, controls, strings, icons
// and system-menu commands.
#pragma once

// Icons.
constexpr unsigned IDR_MAINFRAME = 128;

// Dialog templates.
constexpr unsigned IDD_ABOUTBOX = 100;
constexpr unsigned IDD_MAIN = 102;
constexpr unsigned IDD_SCORES = 103;
constexpr unsigned IDD_NAME = 106;

// Strings.
constexpr unsigned IDS_ABOUTBOX = 101;

// System-menu commands.
constexpr unsigned IDM_ABOUTBOX = 0x0010;

// Controls.
constexpr int IDC_LETTER = 1000;
constexpr int IDC_ENTER = 1002;
constexpr int IDC_ABOUT = 1003;
constexpr int IDC_HELP_BUTTON = 1005;
constexpr int IDC_NEW = 1006;
constexpr int IDC_TRANSCRIPT = 1007;
constexpr int IDC_COMPUTER_STARTS = 1008;
constexpr int IDC_LEVEL_GROUP = 1009;
constexpr int IDC_BEGINNER = 1010;
constexpr int IDC_PRO = 1011;
constexpr int IDC_SCORE = 1012;
constexpr int IDC_SCORE_LABEL = 1013;
constexpr int IDC_HINT = 1014;
constexpr int IDC_SCORE_LIST = 1017;
constexpr int IDC_SHOW_SCORES = 1018;
constexpr int IDC_NAME = 1019;
constexpr int IDC_WORD_NUMBER = 1020;
