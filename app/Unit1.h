#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/services.h"
#include "app/window_links.h"
#include "app/skin.h"
#include "toolkit/borderless_window.h"
#include "engine/hidden_items.h"

namespace app {

class BevelLine;
class CheckListView;
class Label;
class Picture;
class ScrollBox;
class Shape;
class ShellListView;
class SpeedButton;
class Splitter;
class StaticText;

// The main window: a shell browser to pick an item, a toolbar and two label
// menus to start commands, and the current account's hidden-item list with
// its button strip and status line. Created hidden after the login window;
// the login shows it. Closing it closes the login window, which ends the
// program.
class TForm1 : public BorderlessWindow {
 public:
  TForm1(Services& services, WindowLinks& windows);
  ~TForm1() override;

  // Applies a skin to this window's elements. In skin 1 the caption is navy
  // when the skin comes from the settings file and black when it was chosen
  // with the Skin command.
  void ApplySkin(Skin skin, SkinOrigin origin);

  // Internal steps (the never-shown buttons).
  // Hide routine: hides and records the item named in the selected-path
  // line (the browser's entry itself), then always reloads the list,
  // refreshes the browser and clears the line. Throws store::Error after
  // those last steps when the hide failed or was refused
  // (engine::UnrecordableItem).
  void Button1Click();
  // Hides items handed from outside the browser (whole paths, as
  // FullHandedPath makes them), in the order given, each as the hide
  // command hides the browser's entry: its own sequence number, the same
  // refusals and messages, and a message for a path that no drive reaches.
  // The list, the browser and the status line then show the result once;
  // the selected-path line stays as it is.
  void HideHandedPaths(const std::vector<std::string>& paths);
  // List load: rebuilds the hidden-item list from the account file, every
  // row ticked.
  void Button2Click();
  // Global-record cleanup: removes the unticked rows' entries from the global
  // record. Throws store::WriteError.
  void Button4Click();
  // The default button "Enter": runs the hide command. Enter itself keeps
  // its meaning in the shell browser.
  void Button5Click();
  // User-list reload: refills the Options window's list of ordinary users.
  void Button7Click();

  // Commands. Each catches the program's errors and shows them.
  void SpeedButton1Click();   // "Hide Folder"
  void SpeedButton2Click();   // "Comeback"
  void SpeedButton3Click();   // "Options", through the administrator gate
  void SpeedButton4Click();   // "Find", through the administrator gate
  void SpeedButton5Click();   // "Skin"
  void SpeedButton10Click();  // "Help"
  void SpeedButton6Click();   // up one level
  void Label13Click();        // File "Hide Folder"
  void Label20Click();        // File "Comeback"
  void Label22Click();        // File "Find"
  void Label14Click();        // File "Skin"
  void Label21Click();        // File "Options"
  void Label12Click();        // File "Exit": mirror copy, then the program ends
  void Label18Click();        // Options "Help"
  void StaticText3Click();    // help mark "?": help, menus left as they are
  void StaticText1Click();    // minimise mark "--"
  void StaticText2Click();    // close mark "x": the same as Exit

  // The button strip of the list.
  void SpeedButton7Click();   // "Not Checked": untick every row
  void SpeedButton8Click();   // "Checked All": tick every row
  void SpeedButton9Click();   // "Comeback", then the status line once more
  void SpeedButton11Click();  // "Gridding": grid lines on
  void SpeedButton12Click();  // "Gridlines": grid lines off

  // Menus.
  void Label10Click();  // "File": opens the File menu
  void Label11Click();  // "Options": opens the Options menu
  // Hides both menu panels, both title frames and both entry bars.
  void CloseMenus();

  // Controls, named as the handlers name them (for the window's tests).
  Picture* GlossyPicture() const { return Image6; }
  Picture* NavyPicture() const { return Image10; }
  Label* Caption() const { return Label9; }
  ScrollBox* TitleBar() const { return ScrollBox11; }
  ScrollBox* MarksBox() const { return ScrollBox8; }
  StaticText* HelpMark() const { return StaticText3; }
  StaticText* MinimiseMark() const { return StaticText1; }
  StaticText* CloseMark() const { return StaticText2; }
  ScrollBox* BodyFrame() const { return ScrollBox9; }
  BevelLine* MenuBarLine() const { return Bevel6; }
  Label* SelectedPathLine() const { return Label1; }
  // The path in the selected-path line, byte for byte.
  const std::string& SelectedPath() const { return selected_path_; }
  ScrollBox* MenuBar() const { return ScrollBox10; }
  Label* FileTitle() const { return Label10; }
  Label* OptionsTitle() const { return Label11; }
  Shape* FileTitleFrame() const { return Shape4; }
  Shape* OptionsTitleFrame() const { return Shape5; }
  ScrollBox* Toolbar() const { return ScrollBox1; }
  Shape* ToolbarHighlight() const { return Shape6; }
  BevelLine* HelpSeparator() const { return Bevel1; }
  BevelLine* OptionsSeparator() const { return Bevel2; }
  // The six toolbar buttons, left to right: "Hide Folder", "Comeback",
  // "Options", "Find", "Skin", "Help".
  std::vector<SpeedButton*> ToolbarButtons() const;
  ShellListView* ShellBrowser() const { return ShellListView1; }
  Splitter* WorkSplitter() const { return Splitter1; }
  CheckListView* HiddenList() const { return ListView1; }
  ScrollBox* ButtonStrip() const { return ScrollBox7; }
  ScrollBox* StripFiller() const { return ScrollBox12; }
  SpeedButton* UncheckAllButton() const { return SpeedButton7; }
  SpeedButton* CheckAllButton() const { return SpeedButton8; }
  SpeedButton* StripComebackButton() const { return SpeedButton9; }
  SpeedButton* GridOnButton() const { return SpeedButton11; }
  SpeedButton* GridOffButton() const { return SpeedButton12; }
  Label* StatusLine() const { return Label15; }
  SpeedButton* UpButton() const { return SpeedButton6; }
  ScrollBox* FileMenu() const { return ScrollBox5; }
  ScrollBox* OptionsMenu() const { return ScrollBox6; }
  // The File menu's entries, top to bottom: "Hide Folder", "Comeback",
  // "Find", "Skin", "Options", "Exit".
  std::vector<Label*> FileMenuEntries() const;
  Label* HelpEntry() const { return Label18; }
  Shape* FileEntryBar() const { return Shape7; }
  Shape* OptionsEntryBar() const { return Shape8; }

 protected:
  // Closing the main window, however it happens, closes the login window,
  // which ends the program.
  void Closing() override;
  // Escape folds an open menu away; Left and Right go from one menu opened
  // by the keyboard to the other.
  bool KeyPressed(Key key) override;
  // Alt+F opens the File menu, Alt+O the Options menu, Alt alone the File
  // menu; the menu's first entry takes the focus.
  bool MnemonicPressed(char letter) override;

 private:
  // Layout (Unit1.cpp).
  void BuildBodyFrame();
  void BuildMenuBar();
  void BuildToolbar();
  void BuildWorkArea();
  void BuildButtonStrip();
  void BuildUpButton();
  void BuildFileMenu();
  void BuildOptionsMenu();
  void BuildTitleBar();

  // Wiring, one group per source file.
  void ConnectMenus();
  void ConnectCommands();
  void ConnectHover();
  void ConnectList();
  void ConnectKeyboard();

  // Keyboard (Unit1_keyboard.cpp).
  void OpenMenuByKeyboard(Label* title);
  // The control that had the focus before a menu took it gets it back.
  void GiveBackMenuFocus();

  // Menus (Unit1_menus.cpp).
  void Label10MouseMove();
  void Label11MouseMove();
  // Hides both panels and both title frames, leaving the entry bars.
  void CloseMenuPanels();
  bool MenuOpen() const;

  // Commands (Unit1_commands.cpp).
  void RunHideCommand();     // the hide command; throws store::Error
  // Shows why the hide routine refused an item.
  void ShowHideRefusal(const engine::UnrecordableItem& refused);
  // The restore command; its every step runs also when a record file could
  // not be rewritten, and then it throws that store::Error.
  void RunRestoreCommand();
  bool CurrentAccountIsAdministrator();
  void OpenHelpDocument();
  void ExitProgram();
  std::string CurrentAccount() const;

  // Hover feedback, marks and dragging (Unit1_hover.cpp).
  void StartDrag();
  void Image10MouseMove();
  void Image6MouseMove();
  void ScrollBox9MouseMove();
  void ToolbarButtonMouseMove(SpeedButton* button);
  void ScrollBox1MouseMove();
  void ShellListView1MouseMove();
  void HideEntryBars();
  void FileEntryMouseMove(Label* entry);
  void Label18MouseMove();
  void ScrollBox5MouseMove();
  void ScrollBox6MouseMove();
  void HighlightMark(StaticText* mark);
  void ResetMarks();
  // Hides the title frames unless a menu is open.
  void HideTitleFramesWhenNoMenu();

  // The list and its strip (Unit1_list.cpp).
  void FillList(const std::vector<std::string>& paths);
  // The list's rows: each row's path as recorded, and its tick.
  std::vector<engine::ListRow> ListRows() const;
  // Sets the selected-path line (the path is kept byte for byte beside the
  // text shown) and the entry it names (none for a drive or My Computer).
  void SetSelectedPath(const std::string& path,
                       std::optional<platform::FolderEntry> entry = std::nullopt);
  void WriteStatusLine();
  void ShellListView1Change();
  void Splitter1Moved();

  Services& services_;
  WindowLinks& windows_;
  std::string selected_path_;  // the selected-path line, as the browser reported it
  // The browser's entry that the line names: hiding acts on it, never on
  // the line's path split again at "\".
  std::optional<platform::FolderEntry> selected_entry_;
  // Where the focus goes back to when a menu opened by the keyboard closes.
  WinControl* menu_return_focus_ = nullptr;

  // Title bar.
  ScrollBox* ScrollBox11 = nullptr;  // title bar
  Picture* Image6 = nullptr;         // glossy title picture
  Picture* Image10 = nullptr;        // navy title picture
  Label* Label9 = nullptr;           // caption
  ScrollBox* ScrollBox8 = nullptr;   // marks box
  StaticText* StaticText3 = nullptr;  // "?"
  StaticText* StaticText1 = nullptr;  // "--"
  StaticText* StaticText2 = nullptr;  // "x"
  // Body frame.
  ScrollBox* ScrollBox9 = nullptr;
  BevelLine* Bevel6 = nullptr;  // line under the menu bar
  Label* Label1 = nullptr;      // selected-path line
  // Menu bar.
  ScrollBox* ScrollBox10 = nullptr;
  Shape* Shape4 = nullptr;  // title frame of "File"
  Shape* Shape5 = nullptr;  // title frame of "Options"
  Label* Label10 = nullptr;  // "File"
  Label* Label11 = nullptr;  // "Options"
  // Toolbar.
  ScrollBox* ScrollBox1 = nullptr;
  Shape* Shape6 = nullptr;  // toolbar highlight
  SpeedButton* SpeedButton1 = nullptr;
  SpeedButton* SpeedButton2 = nullptr;
  BevelLine* Bevel2 = nullptr;  // between "Comeback" and "Options"
  SpeedButton* SpeedButton3 = nullptr;
  SpeedButton* SpeedButton4 = nullptr;
  SpeedButton* SpeedButton5 = nullptr;
  BevelLine* Bevel1 = nullptr;  // between "Skin" and "Help"
  SpeedButton* SpeedButton10 = nullptr;
  // Work area.
  ScrollBox* ScrollBox4 = nullptr;
  ScrollBox* WorkClient = nullptr;  // the work area inside its edge
  Splitter* Splitter1 = nullptr;
  ShellListView* ShellListView1 = nullptr;
  CheckListView* ListView1 = nullptr;
  ScrollBox* ScrollBox12 = nullptr;  // filler right of the strip
  ScrollBox* ScrollBox7 = nullptr;   // button strip
  SpeedButton* SpeedButton7 = nullptr;   // "Not Checked"
  SpeedButton* SpeedButton8 = nullptr;   // "Checked All"
  SpeedButton* SpeedButton9 = nullptr;   // "Comeback"
  SpeedButton* SpeedButton11 = nullptr;  // "Gridding"
  SpeedButton* SpeedButton12 = nullptr;  // "Gridlines"
  Label* Label15 = nullptr;              // status line
  // The up button lies over the browser's column header, on a panel of its
  // own so that it stays in front of the browser.
  ScrollBox* ScrollBox13 = nullptr;
  Shape* UpButtonBox = nullptr;          // the lavender box of the up button
  SpeedButton* SpeedButton6 = nullptr;   // up one level
  // File menu.
  ScrollBox* ScrollBox5 = nullptr;
  Shape* Shape7 = nullptr;  // entry bar
  Label* Label13 = nullptr;  // "Hide Folder"
  Label* Label20 = nullptr;  // "Comeback"
  Label* Label22 = nullptr;  // "Find"
  Label* Label14 = nullptr;  // "Skin"
  Label* Label21 = nullptr;  // "Options"
  Label* Label12 = nullptr;  // "Exit"
  // Options menu.
  ScrollBox* ScrollBox6 = nullptr;
  Shape* Shape8 = nullptr;   // entry bar
  Label* Label18 = nullptr;  // "Help"
};

}  // namespace app
