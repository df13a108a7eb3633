#pragma once
// The Office applications Dorvane starts on a template: which one a template belongs
// to, where startup found it and how its shortcut asks for a new file based on it.
#include <span>
#include <string>

namespace Module1 {

struct OfficeApp {
    const wchar_t* name;    // as messages say it, and its key below Office's settings
    const wchar_t* exeName; // the executable's file name
    // The switch for "a new file based on this template", and whether the template
    // follows it as a full path after a space (else by its name, straight after it).
    const wchar_t* newSwitch;
    bool bFullPath;
    std::wstring* exePath; // what startup found; "" for none
};

// Word first: it is the one every run needs.
std::span<const OfficeApp> OfficeApps();
// The application whose family the file's type belongs to; nullptr for a type of no
// Office family (a template of such a type opens in Word).
const OfficeApp* AppOfFamily(const std::wstring& sFile);
const OfficeApp& AppForTemplate(const std::wstring& sTemplateFile);

// What a configuration's shortcut starts: the template's application with the
// arguments that open a new file on the installed copy. Without Excel or PowerPoint the
// installed copy itself, with no arguments, when it is a template: its file type's New
// verb starts whatever program the machine has for it (another Office, the Store
// edition, a viewer). A document then gets target "", as Word's absence gives: Dorvane
// needs Word.
struct ShortcutStart {
    const OfficeApp& app;
    std::wstring target;
    std::wstring arguments;
    bool opensCopy = false; // the target is the installed copy
};
ShortcutStart ShortcutFor(const std::wstring& sTemplateFile);

} // namespace Module1
