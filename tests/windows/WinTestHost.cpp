// qv-wintest: a small Windows VST 2.4 host that tests the Windows module
// through its exported entry, the way a host uses it (run under Wine).
//   qv-wintest checks   <dll>                 entry, record, dispatcher, chunks, audio, reload
//   qv-wintest scenario <dll> <transcript>    the cross-platform scenario (ModuleScenario)
//   qv-wintest editor   <dll> <screenshot>    the editor in host windows, frame resizing
// Prints one line per check and exits with 1 if any failed.
#include "plugin/VstAbi.h"
#include "tests/windows/CheckLog.h"
#include "tests/windows/ModuleScenario.h"

#ifndef NOMINMAX
 #define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

using namespace vst;

namespace
{
CheckLog checks;

bool expect (bool ok, const std::string& what) { return checks.expect (ok, what); }
bool expectText (const std::string& actual, const std::string& expected, const std::string& what) { return checks.expectText (actual, expected, what); }
template <typename T>
bool expectEq (const T& actual, const T& expected, const std::string& what) { return checks.expectEq (actual, expected, what); }
int finish() { return checks.finish(); }

//==============================================================================
/** What the host answers, and what it saw. */
struct HostState
{
    intptr_t versionAnswer = kVstVersion;
    bool acceptsSizeWindow = false;
    std::vector<std::pair<int, int>> sizeRequests;
    int automateCalls = 0;
    int idleCalls = 0;
};

HostState host;

intptr_t QV_VSTCALL hostCallback (AEffect*, int32_t opcode, int32_t index, intptr_t value, void* ptr, float)
{
    switch (opcode)
    {
        case audioMasterVersion:  return host.versionAnswer;
        case audioMasterAutomate: ++host.automateCalls; return 0;
        case audioMasterIdle:     ++host.idleCalls; return 0;
        case audioMasterCanDo:
            return ptr != nullptr && std::strcmp (static_cast<const char*> (ptr), "sizeWindow") == 0 && host.acceptsSizeWindow ? 1 : 0;
        case audioMasterSizeWindow:
            host.sizeRequests.emplace_back (index, (int) value);
            return host.acceptsSizeWindow ? 1 : 0;
        default: return 0;
    }
}

/** The loaded module, freed on destruction unless freed before. */
struct Module
{
    explicit Module (const char* path) : handle (LoadLibraryA (path))
    {
        if (handle != nullptr)
            entry = reinterpret_cast<EntryProc> (reinterpret_cast<void*> (GetProcAddress (handle, "VSTPluginMain")));
    }

    ~Module() { release(); }

    bool release()
    {
        const bool ok = handle == nullptr || FreeLibrary (handle) != 0;
        handle = nullptr;
        return ok;
    }

    AEffect* create() { return entry != nullptr ? entry (hostCallback) : nullptr; }

    HMODULE handle;
    EntryProc entry = nullptr;
};

intptr_t dispatch (AEffect* e, int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f)
{
    return e->dispatcher (e, opcode, index, value, ptr, opt);
}

std::string textOf (AEffect* e, int32_t opcode, int32_t index = 0, intptr_t* answer = nullptr)
{
    char buffer[256] = {};
    const auto a = dispatch (e, opcode, index, 0, buffer);
    if (answer != nullptr)
        *answer = a;
    return buffer;
}

std::string chunkOf (AEffect* e, int32_t onlyProgram)
{
    void* data = nullptr;
    const auto size = dispatch (e, effGetChunk, onlyProgram, 0, &data);
    return data != nullptr && size > 0 ? std::string (static_cast<const char*> (data), (size_t) size) : std::string();
}

/** Runs the thread's message loop (the host's GUI loop, which is also JUCE's)
    for a while, giving the editor idle time as hosts do. */
void pump (int milliseconds, AEffect* withIdle = nullptr)
{
    const DWORD end = GetTickCount() + (DWORD) milliseconds;

    do
    {
        MSG msg;
        while (PeekMessageA (&msg, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage (&msg);
            DispatchMessageA (&msg);
        }

        if (withIdle != nullptr)
            dispatch (withIdle, effEditIdle);

        Sleep (5);
    }
    while ((int) (end - GetTickCount()) > 0);
}

//==============================================================================
void checkRecord (AEffect* e)
{
    expectEq (e->magic, kEffectMagic, "record: magic 'VstP'");
    expectEq (e->numPrograms, 128, "record: 128 programs");
    expectEq (e->numParams, 36, "record: 36 parameters");
    expectEq (e->numInputs, 2, "record: 2 inputs");
    expectEq (e->numOutputs, 2, "record: 2 outputs");
    expectEq (e->flags, 0x31, "record: flags 0x31");
    expectEq (e->uniqueID, fourCC ('q', 'T', '0', '2'), "record: unique id 'qT02'");
    expectEq (e->version, 65792, "record: version 1.1.0");
    expectEq (e->initialDelay, 0, "record: no initial delay");
    expect (e->ioRatio == 1.0f, "record: ioRatio 1");
    expect (e->processReplacing != nullptr && e->setParameter != nullptr && e->getParameter != nullptr,
            "record: callbacks present");
}

void checkDispatcher (AEffect* e)
{
    struct TextCase { int32_t opcode; int32_t index; intptr_t answer; const char* text; const char* what; };
    const TextCase texts[] = {
        { effGetEffectName,    0, 1, "QV-Delay TX", "effGetEffectName" },
        { effGetVendorString,  0, 1, "Quarvel",     "effGetVendorString" },
        { effGetProductString, 0, 1, "QV-Delay TX", "effGetProductString" },
        { effGetParamName,     7, 0, "fPreDela",    "effGetParamName 7" },
        { effGetParamName,     8, 0, "fPreDela",    "effGetParamName 8 (cut to 8 characters)" },
        { effGetParamDisplay, 32, 0, "0.50",        "effGetParamDisplay 32 on a new instance" },
        { effGetParamLabel,    3, 0, "",            "effGetParamLabel is empty" },
    };
    for (auto& c : texts)
    {
        intptr_t answer = -99;
        expectText (textOf (e, c.opcode, c.index, &answer), c.text, c.what);
        expectEq ((long long) answer, (long long) c.answer, std::string (c.what) + " answer");
    }

    struct AnswerCase { int32_t opcode; int32_t index; intptr_t value; intptr_t answer; const char* what; };
    const AnswerCase answers[] = {
        { effGetVendorVersion, 0, 0, 1000, "effGetVendorVersion" },
        { effGetVstVersion, 0, 0, 2400, "effGetVstVersion" },
        { effGetPlugCategory, 0, 0, kPlugCategEffect, "effGetPlugCategory" },
        { effIdentify, 0, 0, fourCC ('N', 'v', 'E', 'f'), "effIdentify" },
        { effCanBeAutomated, 17, 0, 1, "effCanBeAutomated" },
        { effGetCurrentMidiProgram, 0, 0, -1, "effGetCurrentMidiProgram" },
        { effSetTotalSampleSizeToProcess, 0, 777, 777, "effSetTotalSampleSizeToProcess echoes the value" },
        { effGetTailSize, 0, 0, 0, "effGetTailSize declined" },
        { effSetBypass, 0, 1, 0, "effSetBypass declined" },
        { 200, 0, 0, 0, "an opcode outside the table" },
    };
    for (auto& c : answers)
        expectEq ((long long) dispatch (e, c.opcode, c.index, c.value), (long long) c.answer, c.what);

    const std::pair<const char*, intptr_t> canDo[] = {
        { "receiveVstTimeInfo", 1 }, { "conformsToWindowRules", 1 }, { "receiveVstEvents", -1 },
        { "sendVstMidiEvent", -1 }, { "ReceiveVstTimeInfo", 0 }, { "sizeWindow", 0 },
    };
    for (auto& c : canDo)
        expectEq ((long long) dispatch (e, effCanDo, 0, 0, const_cast<char*> (c.first)), (long long) c.second,
                  std::string ("effCanDo ") + c.first);

    dispatch (e, effSetProgram, 0, 127);
    expectEq ((long long) dispatch (e, effGetProgram), 127LL, "effSetProgram 127 selects it");
    dispatch (e, effSetProgram, 0, 128);
    expectEq ((long long) dispatch (e, effGetProgram), 127LL, "effSetProgram 128 is ignored");
    dispatch (e, effSetProgramName, 0, 0, const_cast<char*> ("Windows"));
    expectText (textOf (e, effGetProgramName), "Windows", "effSetProgramName / effGetProgramName");
    intptr_t answer = 0;
    expectText (textOf (e, effGetProgramNameIndexed, 127, &answer), "Windows", "effGetProgramNameIndexed 127");
    expectEq ((long long) dispatch (e, effGetProgramNameIndexed, 128, 0, nullptr), 0LL, "effGetProgramNameIndexed 128 declined");

    void* arrangements[2] = { &answer, &answer };
    dispatch (e, effGetSpeakerArrangement, 0, (intptr_t) &arrangements[0], &arrangements[1]);
    expect (arrangements[0] == nullptr && arrangements[1] == nullptr, "effGetSpeakerArrangement writes null pointers");
}

void checkChunks (AEffect* e)
{
    const std::string bank = chunkOf (e, 0);
    const std::string program = chunkOf (e, 1);
    expect (bank.size() > 8 && bank.find ("QV-DELAY_TX_BANK") != std::string::npos, "bank chunk holds the bank document");
    expect (program.size() > 8 && program.find ("QV-DELAY_TX_PRESET") != std::string::npos, "program chunk holds the preset document");

    e->setParameter (e, 14, 0.9f);
    dispatch (e, effSetProgram, 0, 5);
    expect (chunkOf (e, 0) != bank, "the bank chunk follows changes");

    dispatch (e, effSetChunk, 0, (intptr_t) bank.size(), const_cast<char*> (bank.data()));
    expect (chunkOf (e, 0) == bank, "setting the bank chunk restores the bank byte for byte");
    expectText (textOf (e, effGetProgramNameIndexed, 127), "Windows", "the restored bank brings the program name back");

    e->setParameter (e, 14, 0.1f);
    dispatch (e, effSetChunk, 1, (intptr_t) program.size(), const_cast<char*> (program.data()));
    expect (chunkOf (e, 1) == program, "setting the program chunk restores the program byte for byte");

    const std::string before = chunkOf (e, 0);
    const char garbage[] = "this is no chunk at all";
    dispatch (e, effSetChunk, 0, (intptr_t) sizeof (garbage), const_cast<char*> (garbage));
    dispatch (e, effSetChunk, 1, 0, const_cast<char*> (garbage));
    dispatch (e, effSetChunk, 0, 100, nullptr);
    expect (chunkOf (e, 0) == before, "unreadable, empty and null chunks leave the state unchanged");

    void* first = nullptr;
    void* second = nullptr;
    dispatch (e, effGetChunk, 0, 0, &first);
    dispatch (e, effGetChunk, 1, 0, &second);
    expect (first != nullptr && second != nullptr, "effGetChunk hands out its data address");
}

void checkAudio (AEffect* e)
{
    // One clean echo on the left: 0.1 s, no feedback, no filters, all wet;
    // the first block before any effMainsChanged resumes at the host's rate.
    const std::pair<int, float> settings[] = { { 12, 0.1f }, { 14, 0.0f }, { 18, 0.0f }, { 22, 0.0f }, { 30, 1.0f }, { 9, 0.0f }, { 6, 0.0f } };
    for (auto& s : settings)
        e->setParameter (e, s.first, s.second);

    dispatch (e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    std::vector<float> l (12000, 0.0f), r (12000, 0.0f), outL (12000, 7.0f), outR (12000, 7.0f);
    l[0] = 1.0f;
    float* in[2] = { l.data(), r.data() };
    float* out[2] = { outL.data(), outR.data() };
    e->processReplacing (e, in, out, (int32_t) l.size());

    int peak = 0;
    for (int i = 1; i < (int) outL.size(); ++i)
        if (std::abs (outL[(size_t) i]) > std::abs (outL[(size_t) peak]))
            peak = i;
    expectEq (peak, 4800, "processReplacing before resume: the echo lands at 0.1 s of 48 kHz");
}

int runChecks (const char* path)
{
    Module module (path);
    if (! expect (module.handle != nullptr, "LoadLibrary"))
        return finish();

    auto* mainEntry = GetProcAddress (module.handle, "main");
    expect (module.entry != nullptr && mainEntry != nullptr
                && reinterpret_cast<void*> (mainEntry) == reinterpret_cast<void*> (module.entry),
            "exports VSTPluginMain and main, the same function");

    expect (module.entry (nullptr) == nullptr, "entry without a host callback answers null");
    host.versionAnswer = 0;
    expect (module.create() == nullptr, "entry answers null when the host reports version 0");
    host.versionAnswer = kVstVersion;

    auto* a = module.create();
    auto* b = module.create();
    if (! expect (a != nullptr && b != nullptr && a != b, "entry creates independent instances"))
        return finish();

    dispatch (a, effOpen);
    dispatch (b, effOpen);
    checkRecord (a);
    checkDispatcher (a);
    checkChunks (a);
    checkAudio (a);

    expect (textOf (b, effGetProgramNameIndexed, 127) != "Windows", "the second instance keeps its own programs");
    const int automated = host.automateCalls;
    expectEq (automated, 0, "parameter calls from the host are not reported back as automation");

    expectEq ((long long) dispatch (a, effClose), 1LL, "effClose answers 1");
    expectEq ((long long) dispatch (b, effClose), 1LL, "effClose of the second instance answers 1");

    // Unloading shuts JUCE down; a new load starts from scratch.
    const DWORD started = GetTickCount();
    expect (module.release(), "FreeLibrary");
    std::printf ("     (FreeLibrary took %lu ms)\n", (unsigned long) (GetTickCount() - started));

    Module again (path);
    auto* c = again.create();
    if (expect (c != nullptr, "the module loads and creates an instance again after unloading"))
    {
        expectText (textOf (c, effGetEffectName), "QV-Delay TX", "the reloaded instance answers");
        expectEq ((long long) dispatch (c, effClose), 1LL, "effClose after reload");
    }
    expect (again.release(), "FreeLibrary after reload");
    return finish();
}

//==============================================================================
int runScenario (const char* path, const char* transcriptPath)
{
    Module module (path);
    auto* effect = module.entry != nullptr ? module.entry (ModuleScenario::hostCallback) : nullptr;
    if (! expect (effect != nullptr, "load and create"))
        return finish();

    ScenarioTranscript transcript;
    ModuleScenario::run (effect, transcript);
    expect (transcript.save (transcriptPath), "transcript written");
    expect (module.release(), "FreeLibrary");
    return finish();
}

//==============================================================================
// Editor hosting: host windows of several shapes, the editor opened inside,
// resized from the host's side, clicked with the real mouse.
HWND mdiClient = nullptr;

LRESULT CALLBACK frameProc (HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefFrameProcA (w, mdiClient, msg, wp, lp);
}

LRESULT CALLBACK mdiChildProc (HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefMDIChildProcA (w, msg, wp, lp);
}

void registerClasses()
{
    WNDCLASSA plain {};
    plain.lpfnWndProc = DefWindowProcA;
    plain.hInstance = GetModuleHandleA (nullptr);
    plain.hCursor = LoadCursor (nullptr, IDC_ARROW);
    plain.hbrBackground = (HBRUSH) (COLOR_BTNFACE + 1);
    plain.lpszClassName = "QvTestWindow";
    RegisterClassA (&plain);

    WNDCLASSA frame = plain;
    frame.lpfnWndProc = frameProc;
    frame.hbrBackground = (HBRUSH) (COLOR_APPWORKSPACE + 1);
    frame.lpszClassName = "QvTestMdiFrame";
    RegisterClassA (&frame);

    WNDCLASSA child = plain;
    child.lpfnWndProc = mdiChildProc;
    child.lpszClassName = "QvTestMdiChild";
    RegisterClassA (&child);
}

HWND makeWindow (HWND parent, int x, int y, int w, int h, const char* title = "")
{
    const DWORD style = parent != nullptr ? (WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS)
                                          : (WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN);
    return CreateWindowExA (0, "QvTestWindow", title, style, x, y, w, h, parent, nullptr, GetModuleHandleA (nullptr), nullptr);
}

SIZE sizeOf (HWND w)
{
    RECT r {};
    GetWindowRect (w, &r);
    return { r.right - r.left, r.bottom - r.top };
}

bool expectSize (HWND w, int width, int height, const std::string& what)
{
    const SIZE s = sizeOf (w);
    return expect (s.cx == width && s.cy == height,
                   what + " is " + std::to_string (width) + " x " + std::to_string (height)
                       + (s.cx == width && s.cy == height ? "" : " (got " + std::to_string (s.cx) + " x " + std::to_string (s.cy) + ")"));
}

/** An instance with its editor open in the given host window. */
struct OpenEditor
{
    OpenEditor (Module& module, HWND parent) : effect (module.create())
    {
        if (effect == nullptr)
            return;

        dispatch (effect, effOpen);
        opened = dispatch (effect, effEditOpen, 0, 0, parent);
        window = GetWindow (parent, GW_CHILD);
        pump (300, effect);
    }

    ~OpenEditor() { close(); }

    void close()
    {
        if (effect == nullptr)
            return;

        dispatch (effect, effEditClose);
        expect (window == nullptr || ! IsWindow (window), "effEditClose destroys the editor window");
        dispatch (effect, effClose);
        effect = nullptr;
        pump (50);
    }

    /** The host changes the size of the plug-in's window (the only way this
        editor's size changes in a host); the editor follows and resizes the
        windows that hold it. The borders of that walk are measured at that
        moment, against the plug-in window's new size, so the window right
        around it (which the host laid out itself) is given its own size
        again; from there on up each window grows or shrinks by the border it
        has around its child. */
    void resizeFromHost (int width, int height)
    {
        SetWindowPos (window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        pump (300, effect);
    }

    ERect rect()
    {
        ERect* r = nullptr;
        dispatch (effect, effEditGetRect, 0, 0, &r);
        return r != nullptr ? *r : ERect {};
    }

    AEffect* effect;
    intptr_t opened = 0;
    HWND window = nullptr;
};

bool saveScreenshot (HWND w, const std::string& path, const RECT* part = nullptr)
{
    RECT r {};
    GetWindowRect (w, &r);
    if (part != nullptr)
        r = *part;

    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = GetDC (nullptr);
    HDC memory = CreateCompatibleDC (screen);
    HBITMAP bitmap = CreateCompatibleBitmap (screen, width, height);
    auto* old = SelectObject (memory, bitmap);
    BitBlt (memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject (memory, old);

    BITMAPINFOHEADER info {};
    info.biSize = sizeof (info);
    info.biWidth = width;
    info.biHeight = height;   // bottom-up, as BMP files store it
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const int stride = ((width * 3) + 3) & ~3;
    std::vector<unsigned char> pixels ((size_t) stride * (size_t) height);
    GetDIBits (memory, bitmap, 0, (UINT) height, pixels.data(), reinterpret_cast<BITMAPINFO*> (&info), DIB_RGB_COLORS);

    DeleteObject (bitmap);
    DeleteDC (memory);
    ReleaseDC (nullptr, screen);

    BITMAPFILEHEADER file {};
    file.bfType = 0x4d42;
    file.bfOffBits = sizeof (file) + sizeof (info);
    file.bfSize = file.bfOffBits + (DWORD) pixels.size();

    FILE* f = std::fopen (path.c_str(), "wb");
    if (f == nullptr)
        return false;
    std::fwrite (&file, sizeof (file), 1, f);
    std::fwrite (&info, sizeof (info), 1, f);
    std::fwrite (pixels.data(), 1, pixels.size(), f);
    return std::fclose (f) == 0;
}

void clickAt (HWND w, int x, int y)
{
    POINT p { x, y };
    ClientToScreen (w, &p);
    SetCursorPos (p.x, p.y);
    pump (50);

    INPUT input[2] {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput (1, &input[0], sizeof (INPUT));
    pump (100);
    SendInput (1, &input[1], sizeof (INPUT));
}

/** MDI host: frame > MDI client > MDI child > panel > editor. The editor is
    embedded as a child of the panel; a size change from the host grows the
    panel and the MDI child, and stops at the MDI client. */
void editorInMdiHost (Module& module, const std::string& screenshot)
{
    HWND frame = CreateWindowExA (0, "QvTestMdiFrame", "QV test host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                                  20, 20, 1000, 720, nullptr, nullptr, GetModuleHandleA (nullptr), nullptr);
    CLIENTCREATESTRUCT ccs { nullptr, 1000 };
    RECT client {};
    GetClientRect (frame, &client);
    mdiClient = CreateWindowExA (WS_EX_CLIENTEDGE, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE,
                                 0, 0, client.right, client.bottom, frame, nullptr, GetModuleHandleA (nullptr), &ccs);

    const auto makeMdiChild = [] (const char* title, int x, int y, int clientW, int clientH)
    {
        RECT r { 0, 0, clientW, clientH };
        AdjustWindowRectEx (&r, WS_OVERLAPPEDWINDOW | WS_CHILD, FALSE, WS_EX_MDICHILD);
        MDICREATESTRUCTA mcs {};
        mcs.szClass = "QvTestMdiChild";
        mcs.szTitle = title;
        mcs.hOwner = GetModuleHandleA (nullptr);
        mcs.x = x;
        mcs.y = y;
        mcs.cx = r.right - r.left;
        mcs.cy = r.bottom - r.top;
        return (HWND) SendMessageA (mdiClient, WM_MDICREATE, 0, (LPARAM) &mcs);
    };

    HWND other = makeMdiChild ("Mixer", 560, 330, 360, 260);
    HWND pluginFrame = makeMdiChild ("QV-Delay TX", 10, 10, 525, 312);
    HWND panel = makeWindow (pluginFrame, 0, 0, 525, 312);
    pump (200);
    (void) other;

    OpenEditor editor (module, panel);
    expectEq ((long long) editor.opened, 1LL, "MDI host: effEditOpen answers 1");
    if (! expect (editor.window != nullptr, "MDI host: the editor window is a child of the host's window"))
        return;

    const auto style = (DWORD) GetWindowLongA (editor.window, GWL_STYLE);
    expect ((style & WS_CHILD) != 0 && (style & WS_POPUP) == 0, "MDI host: the editor has the child style, not the popup style");
    expect (GetParent (editor.window) == panel, "MDI host: GetParent of the editor is the host's window");
    expectSize (editor.window, 525, 312, "MDI host: the editor window");

    pump (700, editor.effect);
    RECT editorRect {};
    GetWindowRect (editor.window, &editorRect);
    expect (saveScreenshot (mdiClient, screenshot) && saveScreenshot (mdiClient, screenshot + ".editor.bmp", &editorRect),
            "MDI host: screenshot saved");

    const SIZE childBefore = sizeOf (pluginFrame), clientBefore = sizeOf (mdiClient), frameBefore = sizeOf (frame);
    editor.resizeFromHost (600, 350);

    expect (host.sizeRequests.empty(), "MDI host: a host that declines sizeWindow is not asked to size the window");
    expectSize (editor.window, 600, 350, "MDI host: the editor window");
    expectSize (panel, 525, 312, "MDI host: the panel around it (its border was measured against the new size)");
    expectSize (pluginFrame, 600 + childBefore.cx - 525, 350 + childBefore.cy - 312, "MDI host: the MDI child (grown by its border)");
    expectSize (mdiClient, clientBefore.cx, clientBefore.cy, "MDI host: the MDI client (unchanged)");
    expectSize (frame, frameBefore.cx, frameBefore.cy, "MDI host: the frame window (unchanged)");

    const ERect r = editor.rect();
    expect (r.right == 600 && r.bottom == 350 && r.left == 0 && r.top == 0, "MDI host: effEditGetRect reports the new size");
    POINT origin { 0, 0 };
    MapWindowPoints (editor.window, panel, &origin, 1);
    expect (origin.x == 0 && origin.y == 0, "MDI host: the editor stays at the panel's top left corner");

    editor.close();
    DestroyWindow (frame);
    mdiClient = nullptr;
}

/** Plain host: top window > frame (border of exactly two dialog frames)
    > panel > editor, with another frame on top of it. A click in the editor
    raises its frame; a size change grows the panel and that frame only. */
void editorInFramedHost (Module& module)
{
    const int f = GetSystemMetrics (SM_CYDLGFRAME);
    HWND top = makeWindow (nullptr, 40, 40, 900, 650, "QV framed host");
    HWND frameA = makeWindow (top, 10, 10, 525 + 2 * f, 312 + 2 * f);
    HWND panel = makeWindow (frameA, f, f, 525, 312);
    HWND frameB = makeWindow (top, 420, 200, 400, 300);
    pump (200);

    OpenEditor editor (module, panel);
    if (! expect (editor.window != nullptr, "framed host: editor open"))
        return;

    // Showing the editor raises its frame already; the host puts the other
    // frame back on top before the click.
    SetWindowPos (frameB, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    pump (100, editor.effect);
    expect (GetWindow (top, GW_CHILD) == frameB, "framed host: the other frame is on top before the click");
    clickAt (editor.window, 30, 30);
    pump (300, editor.effect);
    expect (GetWindow (top, GW_CHILD) == frameA, "framed host: a click in the editor brings its frame to the top");

    const SIZE topBefore = sizeOf (top);
    editor.resizeFromHost (450, 280);
    expectSize (editor.window, 450, 280, "framed host: the editor window");
    expectSize (frameA, 450 + 2 * f, 280 + 2 * f, "framed host: the frame with a two-dialog-frame border");
    expectSize (top, topBefore.cx, topBefore.cy, "framed host: the top window (the walk ended at the frame)");

    editor.close();
    DestroyWindow (top);
}

/** Wide host: top > outer (more than 100 pixels larger than its child)
    > frame > panel > editor: the outer window keeps its size. */
void editorInWideHost (Module& module)
{
    const int border = 2 * GetSystemMetrics (SM_CYDLGFRAME) + 6;   // not a dialog frame
    HWND top = makeWindow (nullptr, 60, 60, 900, 650, "QV wide host");
    HWND outer = makeWindow (top, 0, 0, 700, 460);
    HWND frame = makeWindow (outer, 10, 10, 525 + border, 312 + border);
    HWND panel = makeWindow (frame, border / 2, border / 2, 525, 312);
    pump (200);

    OpenEditor editor (module, panel);
    if (! expect (editor.window != nullptr, "wide host: editor open"))
        return;

    editor.resizeFromHost (600, 350);
    expectSize (frame, 600 + border, 350 + border, "wide host: the frame (grown by its border)");
    expectSize (outer, 700, 460, "wide host: the outer window more than 100 pixels larger (unchanged)");

    editor.close();
    DestroyWindow (top);
}

/** A host that offers sizeWindow resizes its windows itself. */
void editorInSizingHost (Module& module)
{
    host.acceptsSizeWindow = true;
    host.sizeRequests.clear();
    HWND top = makeWindow (nullptr, 80, 80, 700, 500, "QV sizing host");
    HWND panel = makeWindow (top, 0, 0, 525, 312);
    pump (200);

    {
        OpenEditor editor (module, panel);
        if (expect (editor.window != nullptr, "sizing host: editor open"))
        {
            editor.resizeFromHost (600, 350);
            expect (host.sizeRequests.size() == 1 && host.sizeRequests[0] == std::make_pair (600, 350),
                    "sizing host: audioMasterSizeWindow asked for 600 x 350");
            expectSize (panel, 525, 312, "sizing host: the host's window is left to the host");
        }
    }

    DestroyWindow (top);
    host.acceptsSizeWindow = false;
}

int runEditor (const char* path, const char* screenshot)
{
    registerClasses();
    Module module (path);
    if (! expect (module.entry != nullptr, "LoadLibrary"))
        return finish();

    editorInMdiHost (module, screenshot);
    editorInFramedHost (module);
    editorInWideHost (module);
    editorInSizingHost (module);

    expect (module.release(), "FreeLibrary");
    return finish();
}
}

int main (int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";

    if (command == "checks" && argc == 3)   return runChecks (argv[2]);
    if (command == "scenario" && argc == 4) return runScenario (argv[2], argv[3]);
    if (command == "editor" && argc == 4)   return runEditor (argv[2], argv[3]);

    std::fprintf (stderr, "usage: qv-wintest checks <dll> | scenario <dll> <transcript> | editor <dll> <screenshot.bmp>\n");
    return 2;
}
