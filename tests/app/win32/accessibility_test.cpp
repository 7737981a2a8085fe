// The windows as a screen reader sees them through MSAA (WM_GETOBJECT,
// AccessibleChildren), and the walk of a user without a mouse: first run,
// login, Options and Find through default actions and key presses alone.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/Unit4.h"
#include "toolkit/edit_controls.h"
#include "toolkit/shell_list_view.h"
#include "tests/app/program_fixture.h"
#include "toolkit/backend.h"
#include "toolkit/win32/peers.h"

namespace testing_support {
namespace {

constexpr char kPassword[] = "31852";

std::string Utf8(BSTR text) {
  if (text == nullptr) return {};
  const int wide = static_cast<int>(::SysStringLen(text));
  std::string out(static_cast<std::size_t>(::WideCharToMultiByte(CP_UTF8, 0, text, wide, nullptr, 0, nullptr, nullptr)), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text, wide, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
  return out;
}

VARIANT Child(LONG id) {
  VARIANT v;
  ::VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

// Every element under a window's client area, read as a client does.
class Tree {
 public:
  struct Element {
    IAccessible* object;  // the element itself or its container
    LONG child;
    LONG role;
    std::string name;
  };

  explicit Tree(app::BorderlessWindow* window) {
    IAccessible* top = nullptr;
    const HWND hwnd = app::win32::HandleOf(window->TopNative());
    if (SUCCEEDED(::AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                               reinterpret_cast<void**>(&top)))) {
      Walk(top, CHILDID_SELF);
    }
  }
  ~Tree() {
    for (Element& e : elements_) e.object->Release();
  }

  bool Has(LONG role, const std::string& name) const { return Find(role, name) != nullptr; }

  // Gives the focus to the `nth` element of the role (from 0).
  bool TakeFocus(LONG role, int nth) const {
    for (const Element& e : elements_) {
      if (e.role == role && nth-- == 0) return SUCCEEDED(e.object->accSelect(SELFLAG_TAKEFOCUS, Child(e.child)));
    }
    return false;
  }

  bool Focused(LONG role, const std::string& name) const {
    const Element* e = Find(role, name);
    VARIANT state;
    ::VariantInit(&state);
    return e != nullptr && SUCCEEDED(e->object->get_accState(Child(e->child), &state)) && state.vt == VT_I4 &&
           (state.lVal & STATE_SYSTEM_FOCUSED) != 0;
  }

  // Runs the element's default action; false when there is no such element.
  bool Act(LONG role, const std::string& name) const {
    const Element* e = Find(role, name);
    return e != nullptr && SUCCEEDED(e->object->accDoDefaultAction(Child(e->child)));
  }

  std::string Dump() const {
    std::string out;
    for (const Element& e : elements_) out += std::to_string(e.role) + ":" + e.name + "\n";
    return out;
  }

 private:
  const Element* Find(LONG role, const std::string& name) const {
    for (const Element& e : elements_) {
      if (e.role == role && e.name == name) return &e;
    }
    return nullptr;
  }

  // Takes over one reference of `object`.
  void Walk(IAccessible* object, LONG id) {
    Element e{object, id, 0, {}};
    VARIANT role;
    ::VariantInit(&role);
    if (SUCCEEDED(object->get_accRole(Child(id), &role)) && role.vt == VT_I4) e.role = role.lVal;
    BSTR name = nullptr;
    if (object->get_accName(Child(id), &name) == S_OK) e.name = Utf8(name);
    ::SysFreeString(name);
    elements_.push_back(e);
    if (id != CHILDID_SELF) return;
    LONG count = 0;
    if (FAILED(object->get_accChildCount(&count)) || count <= 0) return;
    std::vector<VARIANT> children(static_cast<std::size_t>(count));
    LONG got = 0;
    if (FAILED(::AccessibleChildren(object, 0, count, children.data(), &got))) return;
    for (LONG i = 0; i < got; ++i) {
      VARIANT& c = children[static_cast<std::size_t>(i)];
      if (c.vt == VT_DISPATCH && c.pdispVal != nullptr) {
        IAccessible* inner = nullptr;
        if (SUCCEEDED(c.pdispVal->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&inner)))) {
          Walk(inner, CHILDID_SELF);
        }
      } else if (c.vt == VT_I4) {
        object->AddRef();
        Walk(object, c.lVal);
      }
      ::VariantClear(&c);
    }
  }

  std::vector<Element> elements_;
};

// A key pressed into the focused window, as the keyboard gives it.
void Press(WORD vk) {
  const HWND focus = ::GetFocus();
  ::PostMessageW(focus, WM_KEYDOWN, vk, 1);
  ::PostMessageW(focus, WM_KEYUP, vk, 0xC0000001);
  ProcessEvents();
}

void Type(const char* text) {
  for (const char* c = text; *c != '\0'; ++c) ::PostMessageW(::GetFocus(), WM_CHAR, static_cast<WPARAM>(*c), 1);
  ProcessEvents();
}

// The name of the element the last focus event named, as a screen reader
// hears of it.
std::string g_focus_event;

void CALLBACK OnFocusEvent(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
  IAccessible* source = nullptr;
  VARIANT which;
  ::VariantInit(&which);
  if (FAILED(::AccessibleObjectFromEvent(hwnd, static_cast<DWORD>(object), static_cast<DWORD>(child), &source,
                                         &which))) {
    return;
  }
  BSTR name = nullptr;
  g_focus_event = source->get_accName(which, &name) == S_OK ? Utf8(name) : std::string();
  ::SysFreeString(name);
  source->Release();
}

struct Expected {
  LONG role;
  const char* name;
};

void ExpectAll(app::BorderlessWindow* window, const std::vector<Expected>& table) {
  const Tree tree(window);
  for (const Expected& e : table) EXPECT_TRUE(tree.Has(e.role, e.name)) << e.role << " " << e.name << "\n" << tree.Dump();
}

class AccessibilityTest : public ProgramTest {};

TEST_F(AccessibilityTest, FirstRunLoginOptionsAndFindWithoutAMouse) {
  Start();
  app::TForm2* login = forms().login;
  ExpectAll(login, {{ROLE_SYSTEM_DIALOG, "Quillomar - Login"},
                    {ROLE_SYSTEM_PUSHBUTTON, "Close"},
                    {ROLE_SYSTEM_PUSHBUTTON, "YES"},
                    {ROLE_SYSTEM_PUSHBUTTON, "No"}});
  // YES has the focus; Tab goes to No and round to YES, which shows the
  // focus mark, says it is focused, and answers Return.
  const HWINEVENTHOOK focus_events = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr,
                                                       &OnFocusEvent, ::GetCurrentProcessId(), 0,
                                                       WINEVENT_OUTOFCONTEXT);
  const app::Image unfocused = GrabWindow(login, "first_run");
  EXPECT_TRUE(Tree(login).Focused(ROLE_SYSTEM_PUSHBUTTON, "YES"));
  Press(VK_TAB);
  Press(VK_TAB);
  EXPECT_NE(GrabWindow(login, "first_run_yes_focused"), unfocused);
  EXPECT_TRUE(Tree(login).Focused(ROLE_SYSTEM_PUSHBUTTON, "YES"));
  EXPECT_EQ(g_focus_event, "YES");
  ::UnhookWinEvent(focus_events);
  Press(VK_RETURN);
  ExpectAll(login, {{ROLE_SYSTEM_COMBOBOX, "Name:"}, {ROLE_SYSTEM_TEXT, "Password:"},
                    {ROLE_SYSTEM_PUSHBUTTON, "Login"}, {ROLE_SYSTEM_PUSHBUTTON, "Cancel"}});

  // The user box has the focus (Down: the first user); Tab to the password
  // box, then Enter.
  Press(VK_DOWN);
  Press(VK_TAB);
  Type(kPassword);
  Press(VK_RETURN);
  ASSERT_TRUE(forms().main->Showing());

  app::TForm1* main = forms().main;
  ExpectAll(main, {{ROLE_SYSTEM_WINDOW, "Quillomar - Main"}, {ROLE_SYSTEM_MENUITEM, "File"},
                   {ROLE_SYSTEM_MENUITEM, "Options"}, {ROLE_SYSTEM_PUSHBUTTON, "Hide Folder"},
                   {ROLE_SYSTEM_PUSHBUTTON, "Comeback"}, {ROLE_SYSTEM_PUSHBUTTON, "Find"},
                   {ROLE_SYSTEM_PUSHBUTTON, "Skin"}, {ROLE_SYSTEM_PUSHBUTTON, "Help"},
                   {ROLE_SYSTEM_PUSHBUTTON, "Up One Level"}, {ROLE_SYSTEM_PUSHBUTTON, "Minimise"},
                   {ROLE_SYSTEM_PUSHBUTTON, "Close"}});
  EXPECT_TRUE(Tree(main).Act(ROLE_SYSTEM_MENUITEM, "File"));
  ProcessEvents();
  ExpectAll(main, {{ROLE_SYSTEM_MENUPOPUP, "File"}, {ROLE_SYSTEM_MENUITEM, "Exit"}});
  // Hide two folders of the browser and bring one back: each row of the
  // browser, "Hide Folder"; one row of the hidden list unticked by its
  // action, "Comeback".
  std::filesystem::create_directories(prefix_.DriveC() + "/Data/Private");
  std::filesystem::create_directories(prefix_.DriveC() + "/Data/Second");
  ASSERT_TRUE(main->ShellBrowser()->ShowFolder("C:\\Data"));
  for (int row = 0; row < 2; ++row) {
    ASSERT_TRUE(Tree(main).TakeFocus(ROLE_SYSTEM_LIST, 0));
    Press(VK_DOWN);
    EXPECT_TRUE(Tree(main).Act(ROLE_SYSTEM_PUSHBUTTON, "Hide Folder"));
    ProcessEvents();
  }
  EXPECT_EQ(DosAttrib(Native("C:\\Data\\Private")), "0x6");
  EXPECT_EQ(DosAttrib(Native("C:\\Data\\Second")), "0x6");
  EXPECT_TRUE(Tree(main).Has(ROLE_SYSTEM_LIST, "Hidden items")) << Tree(main).Dump();
  EXPECT_TRUE(Tree(main).Act(ROLE_SYSTEM_LISTITEM, "C:\\Data\\Private")) << Tree(main).Dump();
  EXPECT_TRUE(Tree(main).Act(ROLE_SYSTEM_PUSHBUTTON, "Comeback"));
  ProcessEvents();
  EXPECT_EQ(DosAttrib(Native("C:\\Data\\Private")), "");
  EXPECT_EQ(DosAttrib(Native("C:\\Data\\Second")), "0x6");

  // Alt+O opens the Options menu at its first entry; Up and Down walk it,
  // and Escape gives the focus back to the browser.
  ASSERT_TRUE(Tree(main).TakeFocus(ROLE_SYSTEM_LIST, 0));
  ::PostMessageW(::GetFocus(), WM_SYSKEYDOWN, 'O', 1 << 29);
  ProcessEvents();
  EXPECT_TRUE(Tree(main).Focused(ROLE_SYSTEM_MENUITEM, "Help"));
  EXPECT_TRUE(main->KeyboardCues());  // the titles' letters are underlined from now on
  GrabWindow(main, "menu_keys");
  ::PostMessageW(::GetFocus(), WM_SYSKEYDOWN, 'F', 1 << 29);
  ProcessEvents();
  EXPECT_TRUE(Tree(main).Focused(ROLE_SYSTEM_MENUITEM, "Hide Folder"));
  Press(VK_DOWN);
  EXPECT_TRUE(Tree(main).Focused(ROLE_SYSTEM_MENUITEM, "Comeback"));
  Press(VK_ESCAPE);
  EXPECT_TRUE(main->ShellBrowser()->Focused()) << "the focus did not come back from the menu";

  EXPECT_TRUE(Tree(main).Act(ROLE_SYSTEM_PUSHBUTTON, "Options"));
  ProcessEvents();
  ASSERT_TRUE(forms().options->Showing());
  ExpectAll(forms().options, {{ROLE_SYSTEM_PUSHBUTTON, "OK"}, {ROLE_SYSTEM_PUSHBUTTON, "Cancel"},
                              {ROLE_SYSTEM_TEXT, "New name:"}});
  // Escape closes it as its close mark does.
  ::SetFocus(app::win32::HandleOf(forms().options->TopNative()));
  Press(VK_ESCAPE);
  EXPECT_FALSE(forms().options->Showing());
  EXPECT_TRUE(main->Showing());

  // Find runs modally: its close mark, read while it runs, ends the run.
  bool closed = false;
  EXPECT_TRUE(Tree(main).Act(ROLE_SYSTEM_PUSHBUTTON, "Find"));
  app::CurrentBackend().Post([&] {
    EXPECT_TRUE(forms().find->InModalRun());
    closed = Tree(forms().find).Act(ROLE_SYSTEM_PUSHBUTTON, "Close");
  });
  ProcessEvents();
  EXPECT_TRUE(closed);
  EXPECT_FALSE(forms().find->Showing());
}

}  // namespace
}  // namespace testing_support
