#include "HTMLHelp.h"

#include <htmlhelp.h>

#include <algorithm>
#include <vector>

#include "FileSystem.h"
#include "MsgBox.h"
#include "ObjectError.h"
#include "RegOp.h"
#include "Resources.h"
#include "TextCompare.h"
#include "Variant.h"
#include "VersionCompare.h"

namespace {

const char kTitle[] = "HTML Help Class";
const char kRegisteredFilesKey[] = "Software\\Microsoft\\Windows\\HTML Help";
const char kTypeLibraryKey[] = "SOFTWARE\\Classes\\TypeLib\\{ADB880A2-D8FF-11CF-9377-00AA003B7A11}";
const char kViewerClassKey[] = "CLSID\\{4662DAB0-D393-11D0-9A56-00C04FB68B66}\\InprocServer32";
const char kBrowserClassKey[] = "CLSID\\{0A89A860-D7B1-11CE-8350-444553540000}\\InProcServer32";
const char kUnknown[] = "unknown";

constexpr UINT kJumpURLMenuItem = 0xEFFF;
constexpr WPARAM kContextHelpCommand = 61824;
constexpr std::int32_t kFirstViewerCode = 16;
constexpr std::int32_t kFirstBrowserCode = 256;

struct Release {
    const char* version;
    const char* name;
};

// Viewer releases in order; code 16 asks for the first at least.
const Release kViewerReleases[] = {
    {"4.72.7290.00", "1.0"}, {"4.72.7323.00", "1.1"},  {"4.72.7325.00", "1.1a"},  {"4.72.8164.00", "1.1b"},
    {"4.73.8252.00", "1.2"}, {"4.73.8412.00", "1.21"}, {"4.73.8474.00", "1.21a"}, {"4.73.8561.00", "1.22"},
    {"4.74.8566.00", "1.3"}, {"4.74.8637.00", "1.3"},  {"4.74.8702.00", "1.3"},
};

// The lowest browser version that code 256 and the codes after it accept.
const char* const kBrowserMinimums[] = {
    "4.70.1155",      "4.70.1158",      "4.70.1215",      "4.70.1300",      "4.71.1008.3",    "4.71.1712.5",
    "4.72.2106.7",    "4.72.3110.03",   "4.72.3612.1707", "5.00.0518.5",    "5.00.0910.1308", "5.00.2014.0216",
    "5.00.2314.1003", "5.00.2614.3500", "5.00.2516.1900", "5.00.2919.0800", "5.00.2919.3800", "5.00.2919.6307",
    "5.00.2920.0000", "5.00.3103.1000", "5.00.3105.0106", "5.50.3825.1300",
};

const Release kBrowserReleases[] = {
    {"4.70.1155.0000", "3.0"},
    {"4.70.1158.0000", "3.0 OSR2"},
    {"4.70.1215.0000", "3.01"},
    {"4.70.1300.0000", "3.02"},
    {"4.71.1008.0003", "4.0 PP2"},
    {"4.71.1712.0006", "4.0"},
    {"4.72.2106.0008", "4.01"},
    {"4.72.3110.0008", "4.01 SP1"},
    {"4.72.3612.1713", "4.01 SP2"},
    {"5.00.0518.5000", "5.0 Developer Preview"},
    {"5.00.0910.1309", "5.0 Beta"},
    {"5.00.2014.0216", "5.0"},
    {"5.00.2314.1003", "5.0 (Office 2000)"},
    {"5.00.2614.3500", "5.0b (Windows 98 SE)"},
    {"5.00.2516.1900", "5.01 (Windows 2000 Beta 3)"},
    {"5.00.2919.0800", "5.01 (Windows 2000 RC1)"},
    {"5.00.2919.3800", "5.01 (Windows 2000 RC2)"},
    {"5.00.2919.6307", "5.01 (Office 2000 SR-1)"},
    {"5.00.2920.0000", "5.01 (Windows 2000)"},
    {"5.00.3103.1000", "5.01 SP1 (Windows 2000)"},
    {"5.00.3105.0106", "5.01 SP1"},
    {"5.50.3825.1300", "5.5 Developer Preview"},
};

HtmlHelpCall& ReplacedCall() {
    static HtmlHelpCall call;
    return call;
}

using HtmlHelpAFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

// Loaded once and kept: the viewer's windows live in the module.
HtmlHelpAFunction ViewerEntry() {
    static const HtmlHelpAFunction entry = [] {
        HMODULE viewer = LoadLibraryA("hhctrl.ocx");
        return viewer
                   ? reinterpret_cast<HtmlHelpAFunction>(reinterpret_cast<void*>(GetProcAddress(viewer, "HtmlHelpA")))
                   : nullptr;
    }();
    return entry;
}

HWND CallViewer(HWND owner, const char* target, UINT command, DWORD_PTR data) {
    if (ReplacedCall()) {
        return ReplacedCall()(owner, target, command, data);
    }
    const HtmlHelpAFunction entry = ViewerEntry();
    return entry ? entry(owner, target, command, data) : nullptr;
}

void Warn(const std::string& text) {
    MsgBox(text, MsgBoxStyle::OKOnly | MsgBoxStyle::Exclamation, kTitle);
}

void Inform(const std::string& text) {
    MsgBox(text, MsgBoxStyle::OKOnly | MsgBoxStyle::Information, kTitle);
}

void Stop(const std::string& text) {
    MsgBox(text, MsgBoxStyle::OKOnly | MsgBoxStyle::Critical, kTitle);
}

bool EndsWith(const std::string& text, const std::string& ending) {
    const std::string lowered = LowerCase(text);
    return lowered.size() >= ending.size() &&
           lowered.compare(lowered.size() - ending.size(), ending.size(), ending) == 0;
}

std::string FilePart(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Registered directories come with or without their closing "\".
std::string JoinPath(const std::string& directory, const std::string& file) {
    if (directory.empty() || directory.back() == '\\') {
        return directory + file;
    }
    return directory + "\\" + file;
}

const char* OrNull(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

std::string TextOf(const Variant& value) {
    return value.IsArray() || value.IsObject() ? "" : value.ToText();
}

bool HasSubKey(HKEY root, const std::string& parent, const std::string& child) {
    RegOp reg;
    reg.root(root);
    reg.key(parent);
    const Variant names = reg.AllKeys();
    return names.IsArray() && std::any_of(names.Elements().begin(), names.Elements().end(),
                                          [&](const Variant& name) { return TextCompare(TextOf(name), child) == 0; });
}

// A key that is not there reads as an empty one, so whether it is there is
// asked of its parent's subkeys.
bool KeyExists(HKEY root, const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash != std::string::npos && HasSubKey(root, path.substr(0, slash), path.substr(slash + 1));
}

// The file a COM class is registered to, "" when it is not registered.
std::string RegisteredLocation(const char* classKey) {
    RegOp reg;
    reg.root(HKEY_CLASSES_ROOT);
    reg.key(classKey);
    reg.Options(RegOp::kExpandReferences);
    return TextOf(reg.Value(""));
}

// A short (8.3) name becomes its long form, however long that is.
std::string LongPath(const std::string& path) {
    if (path.find('~') == std::string::npos) {
        return path;
    }
    const DWORD needed = GetLongPathNameA(path.c_str(), nullptr, 0);
    if (needed == 0) {
        return path;
    }
    std::string longPath(needed, '\0');
    const DWORD length = GetLongPathNameA(path.c_str(), longPath.data(), needed);
    return length == 0 || length >= needed ? path : longPath.substr(0, length);
}

// The file's version as plain dotted numbers; "" when it has none.
std::string FileVersionText(const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) {
        return "";
    }
    std::vector<char> block(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data()) ||
        !VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &infoSize) || info == nullptr ||
        infoSize < sizeof(VS_FIXEDFILEINFO)) {
        return "";
    }
    return std::to_string(HIWORD(info->dwFileVersionMS)) + "." + std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
           std::to_string(HIWORD(info->dwFileVersionLS)) + "." + std::to_string(LOWORD(info->dwFileVersionLS));
}

template <std::size_t N>
std::string FriendlyName(const Release (&releases)[N], const std::string& version) {
    for (const Release& release : releases) {
        if (VersionCompare(version, release.version) == 0) {
            return release.name;
        }
    }
    return kUnknown;
}

template <class Row, std::size_t N>
const Row* RowAt(const Row (&table)[N], std::int32_t index) {
    return index >= 0 && index < static_cast<std::int32_t>(N) ? &table[index] : nullptr;
}

// The minimum version a code names; "" for a code outside its table.
std::string MinimumVersion(std::int32_t code, bool viewer) {
    if (viewer) {
        const Release* release = RowAt(kViewerReleases, code - kFirstViewerCode);
        return release ? release->version : "";
    }
    const char* const* minimum = RowAt(kBrowserMinimums, code - kFirstBrowserCode);
    return minimum ? *minimum : "";
}

}  // namespace

void SetHtmlHelpCall(HtmlHelpCall call) {
    ReplacedCall() = std::move(call);
}

HTMLHelp::HTMLHelp()
    : hhVersion_(kUnknown), ieVersion_(kUnknown), hhFriendlyName_(kUnknown), ieFriendlyName_(kUnknown) {}

HWND HTMLHelp::HHWndHandle() {
    if (wndHandle_ == nullptr) {
        Inform("No HTML Help window handle to retrieve.");
        return nullptr;
    }
    if (!IsWindow(wndHandle_)) {
        Inform("The last HTML Help window opened has been closed.");
        wndHandle_ = nullptr;
        return nullptr;
    }
    return wndHandle_;
}

bool HTMLHelp::HHInstalled() const {
    return KeyExists(HKEY_LOCAL_MACHINE, kTypeLibraryKey);
}

void HTMLHelp::HHDisplayTopicURL(HWND window) {
    Display(window, "HHDisplayTopicURL", HH_DISPLAY_TOPIC, reinterpret_cast<DWORD_PTR>(OrNull(topicURL_)));
}

void HTMLHelp::HHDisplayTopicID(HWND window) {
    Display(window, "HHDisplayTopicID", HH_HELP_CONTEXT, static_cast<DWORD_PTR>(static_cast<DWORD>(topicID_)));
}

void HTMLHelp::HHDisplayContents(HWND window) {
    Display(window, "HHDisplayContents", HH_DISPLAY_TOC, 0);
}

void HTMLHelp::HHDisplayIndex(HWND window) {
    Display(window, "HHDisplayIndex", HH_DISPLAY_INDEX, 0);
}

void HTMLHelp::HHDisplaySearch(HWND window) {
    HH_FTS_QUERY query{};
    query.cbStruct = sizeof query;
    query.fUniCodeStrings = FALSE;
    query.pszSearchQuery = "";
    query.iProximity = 0;
    query.fStemmedSearch = FALSE;
    query.fTitleOnly = FALSE;
    query.fExecute = TRUE;
    query.pszWindow = "";
    Display(window, "HHDisplaySearch", HH_DISPLAY_SEARCH, reinterpret_cast<DWORD_PTR>(&query));
}

void HTMLHelp::HHDisplayKeyword(HWND window) {
    LookUp(window, "HHDisplayKeyword", HH_KEYWORD_LOOKUP, keyword_);
}

void HTMLHelp::HHDisplayALink(HWND window) {
    LookUp(window, "HHDisplayALink", HH_ALINK_LOOKUP, aLink_);
}

void HTMLHelp::HHDisplayPopup(HWND window) {
    if (!HelpFileReady() || !OwnerGiven(window, "HHDisplayPopup")) {
        return;
    }
    ShowPopup(Owner(window));
}

void HTMLHelp::HHClose() {
    CallViewer(nullptr, "", HH_CLOSE_ALL, 0);
}

void HTMLHelp::HHDeleteJumpURLSysMenu(HWND window) {
    DeleteMenu(GetSystemMenu(window, FALSE), kJumpURLMenuItem, MF_BYCOMMAND);
}

void HTMLHelp::HHInvokeWhatsThisHelp(HWND window) {
    DefWindowProcA(window, WM_SYSCOMMAND, kContextHelpCommand, 0);
}

void HTMLHelp::HHRegister(const std::string& path) {
    if (path.empty() || !ValidateHelpFile(path)) {
        return;
    }
    if (HHCheckRegistry(path)) {
        Inform("The file " + path + " is already registered.  " +
               "HHRegister will not be run as no action need be taken.");
        return;
    }
    // A file that is not there is not registered: the warning has said why.
    std::string completed = path;
    if (!EnsureFileExists(completed)) {
        return;
    }
    if (path.find('\\') == std::string::npos) {
        Warn("Cannot register " + path + " without having a supplied path." + "\"");
        return;
    }
    const std::size_t slash = path.rfind('\\');
    RegOp reg;
    reg.root(HKEY_LOCAL_MACHINE);
    reg.key(kRegisteredFilesKey);
    if (!reg.Value(path.substr(slash + 1), Variant(path.substr(0, slash + 1)))) {
        Warn("HTML Help Class: HHRegister Error");
    }
}

void HTMLHelp::HHUnRegister(const std::string& path) {
    if (path.empty() || !ValidateHelpFile(path)) {
        return;
    }
    if (!HHCheckRegistry(path)) {
        Inform("The file " + path + " is not registered.  " +
               "HHUnRegister will not be run as no action need be taken.");
        return;
    }
    RegOp reg;
    reg.root(HKEY_LOCAL_MACHINE);
    reg.key(kRegisteredFilesKey);
    reg.DeleteValue(regFileName_);
    HHCheckRegistry(path);
}

bool HTMLHelp::HHCheckRegistry(const std::string& path) {
    regFileName_.clear();
    regFilePath_.clear();
    regFileExists_ = false;
    const std::string file = FilePart(path);
    if (file.empty()) {
        return false;
    }
    RegOp reg;
    reg.root(HKEY_LOCAL_MACHINE);
    reg.key(kRegisteredFilesKey);
    const Variant rows = reg.AllValues();
    if (!rows.IsArray()) {
        return false;
    }
    for (const Variant& row : rows.Elements()) {
        const std::string name = TextOf(row.Elements()[0]);
        if (TextCompare(name, file) == 0) {
            regFileName_ = name;
            regFilePath_ = TextOf(row.Elements()[1]);
            regFileExists_ = FileSystem::FileExists(JoinPath(regFilePath_, regFileName_));
            return true;
        }
    }
    return false;
}

bool HTMLHelp::HHVerifyMinConfig(std::int32_t viewerCode, std::int32_t browserCode) {
    const bool viewerOK =
        VerifyComponent(kViewerClassKey, "Hhctrl.ocx is not registered.  Please install HTML Help.",
                        "Hhctrl.ocx is not in its registered location.  Please reinstall HTML Help.", viewerCode, true);
    const bool browserOK =
        VerifyComponent(kBrowserClassKey, "Shdocvw.dll is not registered.  Please install Internet Explorer.",
                        "Internet Explorer is not in its registered location.  Please reinstall Internet Explorer.",
                        browserCode, false);
    return viewerOK && browserOK;
}

bool HTMLHelp::EnsureFileExists(std::string& path) {
    if (path.find('\\') == std::string::npos) {
        HHCheckRegistry(path);
        path =
            regFileName_.empty() ? FileSystem::ProgramDirectory() + "\\" + path : JoinPath(regFilePath_, regFileName_);
    }
    if (FileSystem::FileExists(path)) {
        return true;
    }
    Warn("The file " + path + " does not exist." + "\n" +
         "Please make sure the correct path and file name have been specified.");
    return false;
}

std::string HTMLHelp::HHSetHelpFile(std::int16_t kind) const {
    switch (kind) {
        case 1:
            return FileSystem::ProgramDirectory() + "\\Library.chm";
        case 2:
            return "Library.txt";
        default:
            return "";
    }
}

bool HTMLHelp::ValidateHelpFile(const std::string& path) const {
    if (EndsWith(path, "chm")) {
        return true;
    }
    Warn(path + " is not a valid HTML Help file.");
    return false;
}

bool HTMLHelp::HelpFileReady() {
    return ValidateHelpFile(chmFile_) && EnsureFileExists(chmFile_);
}

// The viewer cannot be put on top of a window that was not given.
bool HTMLHelp::OwnerGiven(HWND window, const std::string& operation) const {
    if (!showOnTop_ || window != nullptr) {
        return true;
    }
    Warn("The " + operation + " method was called " + "without a form being specified, while HHShowOnTop " +
         "was set to True.");
    return false;
}

HWND HTMLHelp::Owner(HWND window) const {
    return showOnTop_ ? window : nullptr;
}

std::string HTMLHelp::Target() const {
    return TrimSpaces(window_).empty() ? chmFile_ : chmFile_ + ">" + window_;
}

void HTMLHelp::Display(HWND window, const std::string& operation, UINT command, DWORD_PTR data) {
    if (!HelpFileReady() || !OwnerGiven(window, operation)) {
        return;
    }
    wndHandle_ = CallViewer(Owner(window), Target().c_str(), command, data);
}

// Keyword and ALink lookups name the window in their record, not in the target.
void HTMLHelp::LookUp(HWND window, const std::string& operation, UINT command, const std::string& keywords) {
    if (!HelpFileReady() || !OwnerGiven(window, operation)) {
        return;
    }
    HH_AKLINK link{};
    link.cbStruct = sizeof link;
    link.fReserved = FALSE;
    link.pszKeywords = OrNull(keywords);
    link.pszUrl = OrNull(defaultURL_);
    link.pszMsgText = OrNull(msgText_);
    link.pszMsgTitle = OrNull(msgTitle_);
    link.pszWindow = TrimSpaces(window_).empty() ? nullptr : window_.c_str();
    link.fIndexOnFail = FALSE;
    if (command == HH_KEYWORD_LOOKUP) {
        // The keyword lookup needs the file open in the viewer first.
        wndHandle_ = CallViewer(Owner(window), chmFile_.c_str(), HH_DISPLAY_TOPIC, 0);
    }
    wndHandle_ = CallViewer(Owner(window), chmFile_.c_str(), command, reinterpret_cast<DWORD_PTR>(&link));
}

void HTMLHelp::ShowPopup(HWND owner) {
    HH_POPUP popup{};
    popup.cbStruct = sizeof popup;
    std::string target;
    std::string text;
    switch (popupType_) {
        case 1:
            if (!EndsWith(popupFile_, "txt")) {
                Warn("The file specified as the text popup source, '" + popupFile_ + "', is not a valid popup file.");
                return;
            }
            target = chmFile_ + "::/" + popupFile_;
            popup.idString = static_cast<UINT>(popupID_);
            break;
        case 2:
            try {
                text = LoadResText(popupID_);
            } catch (const ObjectError&) {
                return;  // a string the table lacks shows nothing
            }
            break;
        case 4:
            text = popupText_;
            break;
        default:
            return;
    }
    if (popupType_ != 1 && text.empty()) {
        return;
    }
    popup.pszText = OrNull(text);
    GetCursorPos(&popup.pt);
    popup.clrForeground = static_cast<COLORREF>(popupCustomColors_ ? popupCustomTextColor_ : popupTextColor_);
    popup.clrBackground = static_cast<COLORREF>(popupCustomColors_ ? popupCustomBackColor_ : popupBackColor_);
    popup.rcMargins = {-1, -1, -1, -1};
    const std::string font = PopupFontText();
    popup.pszFont = font.c_str();
    CallViewer(owner, OrNull(target), HH_DISPLAY_TEXT_POPUP, reinterpret_cast<DWORD_PTR>(&popup));
    ResetPopupFont();
}

std::string HTMLHelp::PopupFontText() const {
    return (popupFont_.empty() ? "Arial" : popupFont_) + ", " + (popupSize_.empty() ? "10" : popupSize_) + ", ascii, " +
           (popupBold_ ? "Bold " : "") + (popupItalic_ ? "Italic " : "") + (popupUnderline_ ? "Underline" : "");
}

void HTMLHelp::ResetPopupFont() {
    popupFont_ = "Arial";
    popupSize_ = "10";
    popupBold_ = popupItalic_ = popupUnderline_ = false;
}

bool HTMLHelp::VerifyComponent(const char* classKey, const char* notRegistered, const char* notInPlace,
                               std::int32_t code, bool viewer) {
    std::string& version = viewer ? hhVersion_ : ieVersion_;
    std::string& friendlyName = viewer ? hhFriendlyName_ : ieFriendlyName_;
    version = friendlyName = kUnknown;
    const std::string registered = RegisteredLocation(classKey);
    if (registered.empty()) {
        Stop(notRegistered);
        return false;
    }
    const std::string location = LongPath(registered);
    if (!FileSystem::FileExists(location)) {
        Stop(notInPlace);
        return false;
    }
    const std::string found = FileVersionText(location);
    version = found.empty() ? kUnknown : found;
    friendlyName = viewer ? FriendlyName(kViewerReleases, version) : FriendlyName(kBrowserReleases, version);
    const std::string minimum = MinimumVersion(code, viewer);
    if (minimum.empty()) {
        version = kUnknown;
        return false;
    }
    return !found.empty() && VersionCompare(found, minimum) >= 0;
}
