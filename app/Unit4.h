#pragma once

#include <string>

#include "app/services.h"
#include "app/window_links.h"
#include "app/skin.h"
#include "toolkit/borderless_window.h"

namespace app {

class CheckListView;
class Label;
class Picture;
class ScrollBox;
class Shape;
class ShellTreeView;
class Splitter;

// The Find window: a folder tree whose selection shows again every entry
// directly inside the selected folder, without looking at any record.
// Created once at program start; its selection and list stay as they are
// from one opening to the next.
class TForm4 : public BorderlessWindow {
 public:
  // Builds the window and fills the folder tree, which selects the desktop.
  // That first selection only names the current folder: its listing waits
  // for the first opening, so that nothing on disk changes at start-up.
  TForm4(Services& services, WindowLinks& windows);

  // Applies a skin to this window's elements (both origins look the same).
  void ApplySkin(Skin skin, SkinOrigin origin);

  // Sets the close mark's colour back to black.
  void ResetCloseMark();

  // The tree's selection changed: the selected folder becomes the current
  // folder (a drive root in its short form "C:"), then the listing runs and
  // the shell is told. While the window is off screen the listing and the
  // notification wait until it is next opened.
  void ShellTreeView1Change();
  // The listing: clears the result list, then shows again and lists every
  // entry directly inside the current folder.
  void Button1Click();
  // The close mark: closes the window, which ends the modal run, then shows
  // the main window again.
  void Label1Click();

  // The current folder, exactly as the listing uses it.
  const std::string& CurrentFolder() const { return current_folder_; }

  // Controls, named as the handlers name them (for the windows' tests).
  ShellTreeView* FolderTree() const { return ShellTreeView1; }
  CheckListView* ResultList() const { return ListView1; }
  ScrollBox* BodyPanel() const { return ScrollBox1; }
  Label* CurrentFolderLabel() const { return Label12; }
  Label* CloseMark() const { return Label1; }
  Label* Caption() const { return Label2; }
  Shape* CloseMarkOutline() const { return Shape1; }
  Picture* GlossyPicture() const { return Image1; }
  Picture* NavyPicture() const { return Image2; }

 protected:
  // Shown modally (RunModal): a listing that waited while the window was off
  // screen runs first.
  void ModalRunStarting() override;
  // Closed by the window system rather than by the mark: the main window,
  // hidden while this one was open, comes back.
  void Closing() override;
  // Escape closes the window as the close mark does.
  bool KeyPressed(Key key) override;

 private:
  void BuildTitleBar();
  void BuildBody();
  void ConnectChrome();
  // Places the tree, splitter and list inside the body panel's bevel.
  void LayOutBody();
  // Runs the listing and tells the shell (steps that may have to wait).
  void ListAndNotify();
  void ResetMarks();
  void StartDrag();

  Services& services_;
  WindowLinks& windows_;

  std::string current_folder_;    // the bytes that Label12 shows
  bool listing_pending_ = false;  // a selection changed while off screen
  bool closing_by_mark_ = false;

  Picture* Image1 = nullptr;       // glossy title picture
  Picture* Image2 = nullptr;       // navy title picture
  Label* Label2 = nullptr;         // caption
  Shape* Shape1 = nullptr;         // outline of the close mark
  Label* Label1 = nullptr;         // close mark
  ScrollBox* ScrollBox1 = nullptr;  // body panel
  Splitter* Splitter1 = nullptr;
  ShellTreeView* ShellTreeView1 = nullptr;
  CheckListView* ListView1 = nullptr;  // result list
  Label* Label12 = nullptr;            // current folder (never shown)
};

}  // namespace app
