// The program's resources as data: dialog templates in dialog units, string
// resources, icons and the version record. The tables themselves live in
// res/; the framework looks them up by id, as Windows looks up a resource
// script compiled into the program.
#pragma once

#include <span>
#include <string_view>

#include "framework/Win32Types.h"

namespace framework {

// How an edit box treats characters that Windows-1252 cannot hold. A box the
// program reads names from refuses them; a box whose content is checked
// character by character takes them and hands each over as kForeignByte,
// which no check mistakes for a letter or punctuation.
enum class ForeignCharacters { Refuse, PassAsForeignByte };
inline constexpr char kForeignByte = '\x1A';  // ASCII SUB, a control character

// The Win32 control a template item or window plays, as the back ends and
// the automation that reads them tell controls apart.
enum class ControlKind {
    Dialog,
    PushButton,
    RadioButton,
    GroupBox,
    Edit,
    MultiLineEdit,
    Static,
    Icon,
    ListBox
};

struct DialogItemTemplate {
    const char* windowClass;  // "BUTTON", "EDIT", "STATIC" or "LISTBOX"
    const char* text;         // Windows-1252, '&' before a mnemonic
    int id;
    short x, y, cx, cy;  // dialog units
    DWORD style;
    DWORD exStyle = 0;
    UINT iconId = 0;  // the icon of an SS_ICON static
    ForeignCharacters foreign = ForeignCharacters::Refuse;
    // What assistive technology calls an edit box or list box that no label
    // names on screen; the template's own text stays empty.
    const char* accessibleName = nullptr;
};

struct DialogTemplate {
    UINT id;
    const char* caption;
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;  // dialog units
    const char* fontName;
    short pointSize;
    short weight;
    bool italic;
    std::span<const DialogItemTemplate> items;
};

struct StringResource {
    UINT id;
    const char* text;
};

// One image of an icon, as XPM text: readable, reviewable pixel art.
struct IconImage {
    int size;
    const char* const* xpm;
};

struct IconResource {
    UINT id;
    std::span<const IconImage> images;
};

struct VersionResource {
    WORD fileVersion[4];
    WORD productVersion[4];
};

// The symbolic name of a control id ("IDC_NEW"), for people driving the
// program from a script.
struct ControlName {
    const char* name;
    int id;
};

struct ResourceTable {
    std::span<const DialogTemplate> dialogs;
    std::span<const StringResource> strings;
    std::span<const IconResource> icons;
    VersionResource version;
    std::span<const ControlName> controlNames;
};

// Defined by the program's resource library (res/).
const ResourceTable& ProgramResources();

// Lookups in the resources in force; nullptr when the id is unknown.
const DialogTemplate* FindDialogTemplate(UINT id);
const char* FindString(UINT id);
const IconResource* FindIcon(UINT id);
const VersionResource& ProgramVersion();
// The id of a control name, or the name of an id; nullptr/false when unknown.
const char* ControlNameOf(int id);
bool ControlIdOf(const char* name, int& id);

// Puts another table in force (nullptr restores the program's own), so that a
// test can run the real dialogs with a changed resource.
void OverrideResources(const ResourceTable* table);

// The first default push button of a template, or 0 when it has none: the
// dialog's default id.
int DefaultButtonId(const DialogTemplate& dialog);

}  // namespace framework
