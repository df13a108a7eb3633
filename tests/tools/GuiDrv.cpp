// guidrv: drives the windows of another process for the end-to-end tests, one command
// per run. Results are JSON objects, one per line, on standard output; exit code 0
// when the command did its work, 1 when what it waited for did not come, 2 on wrong
// arguments.
//
//   find     [--pid P] [--class C] [--title T] [--timeout MS] [--hidden]
//   winstate HWND
//   controls HWND
//   gettext  HWND [--id N] [--stored]   --stored: the caption the system keeps, asked
//                                       without a message (the window may be busy)
//   settext  HWND --id N (--text T | --texthex HEX)
//   click    HWND (--id N | --text CAPTION) [--sync]
//   setcheck HWND --id N --state 0|1
//   select   HWND --id N (--index I | --text T)... [--clear]
//   command  HWND --id N
//   msgbox   [--pid P] [--title T] [--timeout MS]
//   answer   HWND (--id N | --text CAPTION)
//   waitgone HWND [--timeout MS]
//   close    HWND
//   geometry HWND                  the window and every control below it, with rectangles
//   focus    HWND                  the control that has the keyboard focus
//   keys     HWND KEY...           real key presses (tab, shift+tab, alt+h, down, enter...)
//   mouse    HWND --id N [--index I] [--button left|right|none]   a real click on a control
//                                  (none: the pointer only moves there, as for a tooltip)
//   shot     HWND FILE.bmp         the window as it is on the screen
//
// Under Wine, WaitForInputIdle returns before a window exists and a dialog can be
// found before its controls are made, so find and msgbox poll until what they look
// for is complete. Clicks are posted: a click whose handler opens a modal box would
// otherwise hold this program until someone closes the box. keys and mouse are real
// input (SendInput): they bring the window to the front first, since input goes to
// the foreground window. Under Wine the menus and icons of another process cannot be
// read at all, so there are no commands for them.
#include "ToolIo.h"
#include "support/ScopedWin.h"

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

constexpr int kFound = 0, kNotFound = 1, kBadArgs = 2;
constexpr UINT kMsgTimeout = 5000;

struct Args {
    std::vector<std::wstring> positional;
    std::vector<std::pair<std::wstring, std::wstring>> options;
    std::vector<std::wstring> flags;

    const std::wstring* Get(const wchar_t* name) const {
        for (const auto& [k, v] : options)
            if (k == name) return &v;
        return nullptr;
    }
    std::vector<std::wstring> All(const wchar_t* name) const {
        std::vector<std::wstring> out;
        for (const auto& [k, v] : options)
            if (k == name) out.push_back(v);
        return out;
    }
    bool Flag(const wchar_t* name) const {
        for (const auto& f : flags)
            if (f == name) return true;
        return false;
    }
};

bool IsFlag(const std::wstring& a) {
    return a == L"--hidden" || a == L"--sync" || a == L"--clear" || a == L"--stored";
}

unsigned long Number(const std::wstring& text) {
    return wcstoul(text.c_str(), nullptr, 0);
}

HWND HandleArg(const Args& a, size_t index) {
    if (a.positional.size() <= index) return nullptr;
    return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(Number(a.positional[index])));
}

std::wstring ClassOf(HWND h) {
    wchar_t buf[256] = {};
    GetClassNameW(h, buf, 256);
    return buf;
}

// WM_GETTEXT rather than GetWindowText: for a window of another process the latter
// gives the caption stored at creation, not what an edit box holds now.
std::wstring TextOf(HWND h) {
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMsgTimeout, &len))
        return {};
    std::wstring buf(len + 1, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(h, WM_GETTEXT, len + 1, reinterpret_cast<LPARAM>(buf.data()),
                        SMTO_ABORTIFHUNG, kMsgTimeout, &got);
    buf.resize(got);
    return buf;
}

std::wstring WithoutMnemonics(const std::wstring& s) {
    std::wstring out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'&' && i + 1 < s.size()) ++i;
        out += s[i];
    }
    return out;
}

unsigned ControlId(HWND h) {
    return static_cast<unsigned>(GetWindowLongPtrW(h, GWLP_ID));
}

BOOL CALLBACK Collect(HWND h, LPARAM into) {
    reinterpret_cast<std::vector<HWND>*>(into)->push_back(h);
    return TRUE;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> out;
    EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&out));
    return out;
}

std::vector<HWND> TopLevel() {
    std::vector<HWND> out;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&out));
    return out;
}

DWORD PidOf(HWND h) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    return pid;
}

std::string Num(unsigned long long v) {
    return std::to_string(v);
}
std::string Bool(bool v) {
    return v ? "true" : "false";
}
std::string HandleText(HWND h) {
    return Num(reinterpret_cast<ULONG_PTR>(h));
}

bool IsListBox(HWND h) {
    return _wcsicmp(ClassOf(h).c_str(), L"ListBox") == 0;
}

// A list box's or a combo box's entries, and which are selected.
std::string ItemsJson(HWND h, bool combo) {
    std::string items = "[", selected = "[";
    const LRESULT count = SendMessageW(h, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    const LRESULT current = combo ? SendMessageW(h, CB_GETCURSEL, 0, 0) : -1;
    for (LRESULT i = 0; i < count; ++i) {
        const auto at = static_cast<WPARAM>(i);
        const LRESULT len = SendMessageW(h, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, at, 0);
        std::wstring text(static_cast<size_t>(len < 0 ? 0 : len) + 1, L'\0');
        const LRESULT got = SendMessageW(h, combo ? CB_GETLBTEXT : LB_GETTEXT, at,
                                         reinterpret_cast<LPARAM>(text.data()));
        text.resize(got < 0 ? 0 : static_cast<size_t>(got));
        if (i) items += ',';
        items += toolio::Json(text);
        if (combo ? i == current : SendMessageW(h, LB_GETSEL, at, 0) > 0) {
            if (selected.size() > 1) selected += ',';
            selected += Num(static_cast<unsigned long long>(i));
        }
    }
    return ",\"items\":" + items + "],\"selected\":" + selected + "]";
}

std::string ControlJson(HWND h) {
    const auto style = static_cast<unsigned long>(GetWindowLongPtrW(h, GWL_STYLE));
    std::string j =
        "{\"hwnd\":" + HandleText(h) + ",\"id\":" + Num(ControlId(h)) +
        ",\"class\":" + toolio::Json(ClassOf(h)) + ",\"text\":" + toolio::Json(TextOf(h)) +
        ",\"style\":" + Num(style) + ",\"visible\":" + Bool(IsWindowVisible(h)) +
        ",\"enabled\":" + Bool(IsWindowEnabled(h)) + ",\"parent\":" + HandleText(GetParent(h));
    if (_wcsicmp(ClassOf(h).c_str(), L"Button") == 0)
        j += ",\"checked\":" +
             Num(static_cast<unsigned long long>(SendMessageW(h, BM_GETCHECK, 0, 0)));
    if (IsListBox(h)) j += ItemsJson(h, false);
    if (_wcsicmp(ClassOf(h).c_str(), L"ComboBox") == 0) j += ItemsJson(h, true);
    return j + "}";
}

std::string WindowJson(HWND h) {
    return "{\"hwnd\":" + HandleText(h) + ",\"class\":" + toolio::Json(ClassOf(h)) +
           ",\"title\":" + toolio::Json(TextOf(h)) + ",\"pid\":" + Num(PidOf(h)) +
           ",\"visible\":" + Bool(IsWindowVisible(h)) + "}";
}

HWND ChildById(HWND parent, unsigned id) {
    for (HWND c : Children(parent))
        if (ControlId(c) == id) return c;
    return nullptr;
}

HWND ButtonByText(HWND parent, const std::wstring& caption) {
    for (HWND c : Children(parent)) {
        if (_wcsicmp(ClassOf(c).c_str(), L"Button") != 0) continue;
        const std::wstring t = TextOf(c);
        if (t == caption || WithoutMnemonics(t) == caption) return c;
    }
    return nullptr;
}

// The control that --id or --text names.
HWND Target(HWND parent, const Args& a) {
    if (const auto* id = a.Get(L"--id"))
        return ChildById(parent, static_cast<unsigned>(Number(*id)));
    if (const auto* text = a.Get(L"--text")) return ButtonByText(parent, *text);
    return nullptr;
}

template <class Pred> HWND Poll(DWORD timeoutMs, Pred&& found) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (HWND h = found()) return h;
        if (GetTickCount64() >= end) return nullptr;
        Sleep(100);
    }
}

DWORD TimeoutOf(const Args& a, DWORD fallback) {
    const auto* t = a.Get(L"--timeout");
    return t ? static_cast<DWORD>(Number(*t)) : fallback;
}

bool Matches(HWND h, const Args& a) {
    if (const auto* pid = a.Get(L"--pid"); pid && PidOf(h) != Number(*pid)) return false;
    if (const auto* cls = a.Get(L"--class"); cls && ClassOf(h) != *cls) return false;
    if (const auto* title = a.Get(L"--title"); title && TextOf(h) != *title) return false;
    return a.Flag(L"--hidden") || IsWindowVisible(h);
}

int CmdFind(const Args& a) {
    std::vector<HWND> hits;
    Poll(TimeoutOf(a, 0), [&]() -> HWND {
        hits.clear();
        for (HWND h : TopLevel())
            if (Matches(h, a)) hits.push_back(h);
        return hits.empty() ? nullptr : hits.front();
    });
    for (HWND h : hits)
        toolio::Out(WindowJson(h));
    return hits.empty() ? kNotFound : kFound;
}

// Whether a window takes input: a window that owns a modal dialog is disabled.
int CmdWinState(const Args& a) {
    HWND h = HandleArg(a, 1);
    if (!IsWindow(h)) return kNotFound;
    toolio::Out("{\"hwnd\":" + HandleText(h) + ",\"enabled\":" + Bool(IsWindowEnabled(h)) +
                ",\"visible\":" + Bool(IsWindowVisible(h)) + "}");
    return kFound;
}

int CmdControls(const Args& a) {
    HWND h = HandleArg(a, 1);
    if (!IsWindow(h)) return kNotFound;
    for (HWND c : Children(h))
        toolio::Out(ControlJson(c));
    return kFound;
}

int CmdGetText(const Args& a) {
    HWND h = HandleArg(a, 1);
    if (a.Get(L"--id")) h = Target(h, a);
    if (!IsWindow(h)) return kNotFound;
    std::wstring stored(512, L'\0');
    stored.resize(static_cast<size_t>(GetWindowTextW(h, stored.data(), 512)));
    toolio::Out("{\"text\":" + toolio::Json(a.Flag(L"--stored") ? stored : TextOf(h)) + "}");
    return kFound;
}

int CmdSetText(const Args& a) {
    const auto* id = a.Get(L"--id");
    HWND c = id ? ChildById(HandleArg(a, 1), static_cast<unsigned>(Number(*id))) : nullptr;
    if (!c) return kNotFound;
    std::wstring text;
    if (const auto* hex = a.Get(L"--texthex")) {
        std::string bytes;
        if (!toolio::FromHex(*hex, bytes)) return kBadArgs;
        text = toolio::FromUtf8(bytes);
    } else if (const auto* t = a.Get(L"--text")) {
        text = *t;
    } else {
        return kBadArgs;
    }
    DWORD_PTR r = 0;
    SendMessageTimeoutW(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                        kMsgTimeout, &r);
    toolio::Out(ControlJson(c));
    return kFound;
}

int CmdClick(const Args& a) {
    HWND c = Target(HandleArg(a, 1), a);
    if (!c) return kNotFound;
    if (a.Flag(L"--sync")) {
        DWORD_PTR r = 0;
        SendMessageTimeoutW(c, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kMsgTimeout, &r);
    } else {
        PostMessageW(c, BM_CLICK, 0, 0);
    }
    toolio::Out("{\"clicked\":" + HandleText(c) + "}");
    return kFound;
}

int CmdSetCheck(const Args& a) {
    HWND c = Target(HandleArg(a, 1), a);
    const auto* state = a.Get(L"--state");
    if (!c || !state) return c ? kBadArgs : kNotFound;
    SendMessageW(c, BM_SETCHECK, Number(*state) ? BST_CHECKED : BST_UNCHECKED, 0);
    toolio::Out(ControlJson(c));
    return kFound;
}

int CmdSelect(const Args& a) {
    const auto* id = a.Get(L"--id");
    HWND list = id ? ChildById(HandleArg(a, 1), static_cast<unsigned>(Number(*id))) : nullptr;
    if (!list || !IsListBox(list)) return kNotFound;
    const auto style = static_cast<unsigned long>(GetWindowLongPtrW(list, GWL_STYLE));
    const bool multi = (style & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL)) != 0;
    std::vector<long> wanted;
    for (const auto& i : a.All(L"--index"))
        wanted.push_back(static_cast<long>(Number(i)));
    for (const auto& t : a.All(L"--text")) {
        const LRESULT i = SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(t.c_str()));
        if (i == LB_ERR) return kNotFound;
        wanted.push_back(static_cast<long>(i));
    }
    if (multi) {
        if (a.Flag(L"--clear")) SendMessageW(list, LB_SETSEL, FALSE, -1);
        for (long i : wanted)
            SendMessageW(list, LB_SETSEL, TRUE, i);
    } else if (!wanted.empty()) {
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(wanted.back()), 0);
    }
    // Selecting by message sends no notification; the owner hears about it as if the
    // user had clicked.
    PostMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(ControlId(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    toolio::Out(ControlJson(list));
    return kFound;
}

int CmdCommand(const Args& a) {
    HWND h = HandleArg(a, 1);
    const auto* id = a.Get(L"--id");
    if (!IsWindow(h) || !id) return id ? kNotFound : kBadArgs;
    PostMessageW(h, WM_COMMAND, MAKEWPARAM(Number(*id), 0), 0);
    return kFound;
}

// The window's vertical scroll bar moved to its end, as dragging its thumb down does.
int CmdScroll(const Args& a) {
    HWND h = HandleArg(a, 1);
    if (!IsWindow(h)) return kNotFound;
    SendMessageW(h, WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
    return kFound;
}

// A message box is complete once its text and at least one button exist.
bool IsCompleteMessageBox(HWND h) {
    if (ClassOf(h) != L"#32770" || !IsWindowVisible(h)) return false;
    bool text = false, button = false;
    for (HWND c : Children(h)) {
        if (ControlId(c) == 0xFFFF && _wcsicmp(ClassOf(c).c_str(), L"Static") == 0) text = true;
        if (_wcsicmp(ClassOf(c).c_str(), L"Button") == 0) button = true;
    }
    return text && button;
}

int CmdMsgBox(const Args& a) {
    HWND box = Poll(TimeoutOf(a, 10000), [&]() -> HWND {
        for (HWND h : TopLevel())
            if (Matches(h, a) && IsCompleteMessageBox(h)) return h;
        return nullptr;
    });
    if (!box) return kNotFound;
    std::string text, buttons = "[";
    bool icon = false;
    for (HWND c : Children(box)) {
        const std::wstring cls = ClassOf(c);
        if (_wcsicmp(cls.c_str(), L"Static") == 0) {
            const auto style = static_cast<unsigned long>(GetWindowLongPtrW(c, GWL_STYLE));
            // Wine keeps the icon control of a box without icon, visible and empty.
            if ((style & SS_TYPEMASK) == SS_ICON && IsWindowVisible(c) &&
                SendMessageW(c, STM_GETICON, 0, 0) != 0)
                icon = true;
            if (ControlId(c) == 0xFFFF) text = toolio::Json(TextOf(c));
        } else if (_wcsicmp(cls.c_str(), L"Button") == 0 && IsWindowVisible(c)) {
            if (buttons.size() > 1) buttons += ',';
            buttons += "{\"id\":";
            buttons += Num(ControlId(c));
            buttons += ",\"text\":";
            buttons += toolio::Json(TextOf(c));
            buttons += '}';
        }
    }
    DWORD_PTR def = 0;
    SendMessageTimeoutW(box, DM_GETDEFID, 0, 0, SMTO_ABORTIFHUNG, kMsgTimeout, &def);
    HWND defButton = HIWORD(def) == DC_HASDEFID ? ChildById(box, LOWORD(def)) : nullptr;
    // Wine's message box marks its default button by style alone.
    for (HWND c : Children(box))
        if (!defButton && _wcsicmp(ClassOf(c).c_str(), L"Button") == 0 &&
            (GetWindowLongPtrW(c, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            defButton = c;
    toolio::Out("{\"hwnd\":" + HandleText(box) + ",\"pid\":" + Num(PidOf(box)) +
                ",\"title\":" + toolio::Json(TextOf(box)) + ",\"text\":" + text +
                ",\"buttons\":" + buttons + "],\"icon\":" + Bool(icon) +
                ",\"default\":" + toolio::Json(defButton ? TextOf(defButton) : L"") + "}");
    return kFound;
}

int CmdWaitGone(const Args& a) {
    HWND h = HandleArg(a, 1);
    const bool gone = Poll(TimeoutOf(a, 10000), [&]() -> HWND {
                          return IsWindow(h) ? nullptr : reinterpret_cast<HWND>(1);
                      }) != nullptr;
    return gone ? kFound : kNotFound;
}

int CmdClose(const Args& a) {
    HWND h = HandleArg(a, 1);
    if (!IsWindow(h)) return kNotFound;
    PostMessageW(h, WM_CLOSE, 0, 0);
    return kFound;
}

// --- real input, geometry and pictures -------------------------------------------

RECT RectInParent(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string RectJson(const RECT& r) {
    std::string out = "[";
    out += std::to_string(r.left);
    out += ',';
    out += std::to_string(r.top);
    out += ',';
    out += std::to_string(r.right - r.left);
    out += ',';
    out += std::to_string(r.bottom - r.top);
    return out + "]";
}

RECT ScreenRect(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r;
}

int CmdGeometry(const Args& a) {
    HWND h = HandleArg(a, 1);
    if (!IsWindow(h)) return kNotFound;
    RECT client{}, outer{};
    GetClientRect(h, &client);
    GetWindowRect(h, &outer);
    POINT origin{0, 0};
    ClientToScreen(h, &origin);
    toolio::Out(
        "{\"hwnd\":" + HandleText(h) + ",\"class\":" + toolio::Json(ClassOf(h)) +
        ",\"title\":" + toolio::Json(TextOf(h)) +
        ",\"origin\":" + RectJson(RECT{origin.x, origin.y, origin.x, origin.y}) +
        ",\"style\":" + Num(static_cast<unsigned long>(GetWindowLongPtrW(h, GWL_STYLE))) +
        ",\"exstyle\":" + Num(static_cast<unsigned long>(GetWindowLongPtrW(h, GWL_EXSTYLE))) +
        ",\"client\":" + RectJson(client) + ",\"outer\":" + RectJson(outer) +
        ",\"owner\":" + HandleText(GetWindow(h, GW_OWNER)) + "}");
    for (HWND c : Children(h)) {
        HWND parent = GetParent(c);
        toolio::Out(
            "{\"hwnd\":" + HandleText(c) + ",\"id\":" + Num(ControlId(c)) +
            ",\"class\":" + toolio::Json(ClassOf(c)) + ",\"text\":" + toolio::Json(TextOf(c)) +
            ",\"style\":" + Num(static_cast<unsigned long>(GetWindowLongPtrW(c, GWL_STYLE))) +
            ",\"exstyle\":" + Num(static_cast<unsigned long>(GetWindowLongPtrW(c, GWL_EXSTYLE))) +
            ",\"rect\":" + RectJson(RectInParent(c)) + ",\"screen\":" + RectJson(ScreenRect(c)) +
            ",\"parent_id\":" + Num(parent == h ? 0 : ControlId(parent)) + "}");
    }
    return kFound;
}

int CmdFocus(const Args& a) {
    HWND h = HandleArg(a, 1);
    if (!IsWindow(h)) return kNotFound;
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(h, nullptr), &info)) return kNotFound;
    HWND f = info.hwndFocus;
    toolio::Out("{\"hwnd\":" + HandleText(f) + ",\"id\":" + Num(f ? ControlId(f) : 0) +
                ",\"class\":" + toolio::Json(f ? ClassOf(f) : L"") +
                ",\"active\":" + HandleText(info.hwndActive) + "}");
    return kFound;
}

void KeyEvent(std::vector<INPUT>& in, WORD vk, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
}

// "shift+tab", "alt+h", "enter": modifiers, then one key.
bool KeyStroke(const std::wstring& spec, std::vector<INPUT>& in) {
    static const std::pair<const wchar_t*, WORD> named[] = {
        {L"tab", VK_TAB},   {L"enter", VK_RETURN}, {L"space", VK_SPACE}, {L"escape", VK_ESCAPE},
        {L"down", VK_DOWN}, {L"up", VK_UP},        {L"left", VK_LEFT},   {L"right", VK_RIGHT},
        {L"home", VK_HOME}, {L"end", VK_END},      {L"apps", VK_APPS},   {L"f10", VK_F10}};
    std::vector<std::wstring> parts(1);
    for (wchar_t ch : spec) {
        if (ch == L'+')
            parts.emplace_back();
        else
            parts.back() += ch;
    }
    std::vector<WORD> mods;
    for (size_t p = 0; p + 1 < parts.size(); ++p) {
        if (parts[p] == L"shift")
            mods.push_back(VK_SHIFT);
        else if (parts[p] == L"alt")
            mods.push_back(VK_MENU);
        else if (parts[p] == L"ctrl")
            mods.push_back(VK_CONTROL);
        else
            return false;
    }
    const std::wstring& last = parts.back();
    WORD key = 0;
    for (const auto& [name, vk] : named)
        if (last == name) key = vk;
    if (!key && last.size() == 1 && iswalnum(last[0])) key = static_cast<WORD>(towupper(last[0]));
    if (!key) return false;
    for (WORD m : mods)
        KeyEvent(in, m, false);
    KeyEvent(in, key, false);
    KeyEvent(in, key, true);
    for (auto m = mods.rbegin(); m != mods.rend(); ++m)
        KeyEvent(in, *m, true);
    return true;
}

// Real input reaches the foreground window; bring the target there first.
void Foreground(HWND h) {
    HWND top = GetAncestor(h, GA_ROOT);
    if (GetForegroundWindow() != top) SetForegroundWindow(top);
    Sleep(100);
}

// Lets the target's thread take what was sent before the next step.
void Settle(HWND h) {
    DWORD_PTR r = 0;
    SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kMsgTimeout, &r);
    Sleep(150);
}

int CmdKeys(const Args& a) {
    HWND h = HandleArg(a, 1);
    if (!IsWindow(h) || a.positional.size() < 3) return IsWindow(h) ? kBadArgs : kNotFound;
    Foreground(h);
    for (size_t k = 2; k < a.positional.size(); ++k) {
        std::vector<INPUT> in;
        if (!KeyStroke(a.positional[k], in)) return kBadArgs;
        SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
        if (IsWindow(h)) Settle(h);
    }
    return kFound;
}

int CmdMouse(const Args& a) {
    HWND h = HandleArg(a, 1);
    const auto* id = a.Get(L"--id");
    HWND c = id ? ChildById(h, static_cast<unsigned>(Number(*id))) : h;
    if (!c) return kNotFound;
    RECT r{};
    GetClientRect(c, &r);
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    if (const auto* index = a.Get(L"--index")) {
        const LRESULT top = SendMessageW(c, LB_GETTOPINDEX, 0, 0);
        const LRESULT height = SendMessageW(c, LB_GETITEMHEIGHT, 0, 0);
        p = POINT{8, static_cast<LONG>((static_cast<LRESULT>(Number(*index)) - top) * height +
                                       height / 2)};
    }
    ClientToScreen(c, &p);
    const auto* button = a.Get(L"--button");
    const bool right = button && *button == L"right";
    const bool press = !button || *button != L"none";
    Foreground(h);
    SetCursorPos(p.x, p.y);
    // Each event carries the point itself: Wine's cursor also follows what the display
    // reports of its own pointer, which lags behind (a warp not yet carried out, a
    // window mapped under where an earlier run left it), so a press that took the
    // cursor's position as it stood could land on another entry.
    const LONG cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    INPUT in[3] = {};
    const DWORD buttons[3] = {0, right ? DWORD{MOUSEEVENTF_RIGHTDOWN} : DWORD{MOUSEEVENTF_LEFTDOWN},
                              right ? DWORD{MOUSEEVENTF_RIGHTUP} : DWORD{MOUSEEVENTF_LEFTUP}};
    for (int i = 0; i < 3; ++i) {
        in[i].type = INPUT_MOUSE;
        in[i].mi.dx = (p.x * 65536 + cx - 1) / cx;
        in[i].mi.dy = (p.y * 65536 + cy - 1) / cy;
        in[i].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons[i];
    }
    SendInput(press ? 3 : 1, in, sizeof(INPUT));
    // A right release opens a menu whose loop then waits: no round trip to the window.
    if (right || !IsWindow(h))
        Sleep(200);
    else
        Settle(h);
    toolio::Out("{\"x\":" + std::to_string(p.x) + ",\"y\":" + std::to_string(p.y) + "}");
    return kFound;
}

// A 24-bit bottom-up BMP of what the screen shows of the window.
int CmdShot(const Args& a) {
    HWND h = HandleArg(a, 1);
    if (!IsWindow(h) || a.positional.size() < 3) return IsWindow(h) ? kBadArgs : kNotFound;
    Settle(h);
    RECT r{};
    GetWindowRect(h, &r);
    const int w = r.right - r.left, ht = r.bottom - r.top;
    const ScopedWin::WindowDC screen(nullptr);
    struct MemoryDC {
        HDC h;
        ~MemoryDC() {
            if (h) DeleteDC(h);
        }
    } mem{CreateCompatibleDC(screen.get())};
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = ht;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    const ScopedWin::Unique<ScopedWin::GdiObjectTraits<HBITMAP>> dib(
        CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!mem.h || !dib) return kNotFound;
    const HGDIOBJ old = SelectObject(mem.h, dib.get());
    const bool ok = BitBlt(mem.h, 0, 0, w, ht, screen.get(), r.left, r.top, SRCCOPY);
    GdiFlush();
    SelectObject(mem.h, old);
    const DWORD stride = static_cast<DWORD>((w * 3 + 3) & ~3);
    const DWORD size = stride * static_cast<DWORD>(ht);
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
    fh.bfSize = fh.bfOffBits + size;
    bool written = false;
    if (ok) {
        ScopedWin::UniqueFile f(CreateFileW(a.positional[2].c_str(), GENERIC_WRITE, 0, nullptr,
                                            CREATE_ALWAYS, 0, nullptr));
        DWORD n = 0;
        written = f && WriteFile(f.get(), &fh, sizeof(fh), &n, nullptr) &&
                  WriteFile(f.get(), &bi.bmiHeader, sizeof(bi.bmiHeader), &n, nullptr) &&
                  WriteFile(f.get(), bits, size, &n, nullptr);
    }
    toolio::Out("{\"width\":" + std::to_string(w) + ",\"height\":" + std::to_string(ht) + "}");
    return written ? kFound : kNotFound;
}

} // namespace

int wmain() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) return kBadArgs;
    Args a;
    for (int i = 1; i < argc; ++i) {
        const std::wstring s = argv[i];
        if (s.rfind(L"--", 0) == 0 && IsFlag(s)) {
            a.flags.push_back(s);
        } else if (s.rfind(L"--", 0) == 0 && i + 1 < argc) {
            a.options.emplace_back(s, argv[++i]);
        } else {
            a.positional.push_back(s);
        }
    }
    LocalFree(argv);
    if (a.positional.empty()) {
        toolio::Err("usage: guidrv COMMAND [ARGS] (see the source for the commands)");
        return kBadArgs;
    }
    const std::wstring& cmd = a.positional[0];
    if (cmd == L"find") return CmdFind(a);
    if (cmd == L"winstate") return CmdWinState(a);
    if (cmd == L"controls") return CmdControls(a);
    if (cmd == L"gettext") return CmdGetText(a);
    if (cmd == L"settext") return CmdSetText(a);
    if (cmd == L"click" || cmd == L"answer") return CmdClick(a);
    if (cmd == L"setcheck") return CmdSetCheck(a);
    if (cmd == L"select") return CmdSelect(a);
    if (cmd == L"command") return CmdCommand(a);
    if (cmd == L"scroll") return CmdScroll(a);
    if (cmd == L"msgbox") return CmdMsgBox(a);
    if (cmd == L"waitgone") return CmdWaitGone(a);
    if (cmd == L"close") return CmdClose(a);
    if (cmd == L"geometry") return CmdGeometry(a);
    if (cmd == L"focus") return CmdFocus(a);
    if (cmd == L"keys") return CmdKeys(a);
    if (cmd == L"mouse") return CmdMouse(a);
    if (cmd == L"shot") return CmdShot(a);
    toolio::Err("guidrv: unknown command");
    return kBadArgs;
}
