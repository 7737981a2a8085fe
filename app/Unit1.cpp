#include "app/Unit1.h"

#include <utility>

#include "app/pictures/pictures.h"
#include "toolkit/backend.h"
#include "toolkit/check_list_view.h"
#include "toolkit/label.h"
#include "toolkit/picture.h"
#include "toolkit/scroll_box.h"
#include "toolkit/shape.h"
#include "toolkit/shell_list_view.h"
#include "toolkit/speed_button.h"
#include "toolkit/splitter.h"

namespace app {

namespace {
// Window.
constexpr int kWidth = 522;
// What a screen reader calls the browser and the list of hidden items.
constexpr char kBrowserName[] = "Folders";
constexpr char kHiddenListName[] = "Hidden items";
constexpr int kHeight = 456;

// Title bar: window coordinates, placed on the title bar box.
constexpr Rect kTitleBar(-15, -2, 553, 27);
constexpr Rect kGlossyPicture(-15, -2, 553, 27);
constexpr Rect kNavyPicture(0, -2, 527, 26);
constexpr char kCaption[] = "Quillomar 1.15";
constexpr Point kCaptionAt{6, 4};
constexpr int kCaptionPoints = 10;
constexpr Rect kMarksBox(469, 3, 51, 19);
// Marks, in the marks box.
constexpr char kHelpMark[] = "?";
constexpr Rect kHelpMarkBox(5, 0, 15, 24);
constexpr int kHelpMarkPoints = 12;
constexpr char kMinimiseMark[] = "--";
constexpr Rect kMinimiseMarkBox(20, -4, 12, 28);
constexpr int kMinimiseMarkPoints = 14;
constexpr char kCloseMark[] = "x";
constexpr Rect kCloseMarkBox(35, -4, 14, 28);
constexpr int kCloseMarkPoints = 14;

// Body frame and what lies on it (its own coordinates).
constexpr Rect kBodyFrame(0, 24, 522, 432);
constexpr Rect kMenuBarLine(5, 17, 512, 2);
constexpr Rect kSelectedPathLine(4, 414, 510, 16);

// Menu bar and its titles (titles and frames in menu-bar coordinates).
constexpr Rect kMenuBar(6, 25, 103, 23);
constexpr char kFileTitle[] = "File";
// The titles' 13 px line stands inside their frames and above the
// drop-down panels, which start at the bar's y 15.
constexpr Rect kFileTitleBox(2, 2, 43, 13);
constexpr Rect kFileTitleFrame(0, 0, 47, 18);
constexpr char kOptionsTitle[] = "Options";
constexpr Rect kOptionsTitleBox(52, 2, 49, 13);
constexpr Rect kOptionsTitleFrame(49, 0, 54, 18);

// Toolbar panel; buttons and lines in its coordinates.
constexpr Rect kToolbar(5, 47, 511, 56);
constexpr Rect kToolbarHighlight(0, 0, 72, 52);
constexpr int kToolButtonTop = 1;
constexpr int kToolButtonWidth = 70;
constexpr int kToolButtonHeight = 50;
constexpr int kToolPictureTop = 2;
constexpr int kToolCaptionTop = 34;
constexpr int kHideFolderLeft = 1;
constexpr int kComebackLeft = 75;
constexpr int kOptionsLeft = 155;
constexpr int kFindLeft = 229;
constexpr int kSkinLeft = 305;
constexpr int kHelpLeft = 386;
constexpr Rect kOptionsSeparator(149, 3, 2, 48);
constexpr Rect kHelpSeparator(380, 3, 2, 48);
constexpr char kHideFolderCaption[] = "Hide Folder";
constexpr char kComebackCaption[] = "Comeback";
constexpr char kOptionsCaption[] = "Options";
constexpr char kFindCaption[] = "Find";
constexpr char kSkinCaption[] = "Skin";
constexpr char kHelpCaption[] = "Help";

// Work area. Its children are placed inside its two-pixel edge.
constexpr Rect kWorkArea(5, 100, 511, 337);
constexpr Rect kWorkClient(2, 2, 507, 333);
constexpr int kBrowserHeight = 230;
constexpr int kListHeight = 95;
constexpr int kSplitterHeight = 8;
constexpr int kPaneMinimum = 30;
const std::vector<int> kListColumns{440, 47};
constexpr Rect kUpButtonBox(1, 1, 28, 25);
// The up button, in its box.
constexpr Rect kUpButton(1, 1, 26, 23);
constexpr int kUpPictureTop = 3;

// Button strip over the list's column header, and the filler right of it.
constexpr Rect kButtonStrip(-3, 236, 474, 13);
// The list's column header ends where the strip does, so that the strip
// covers all of it.
constexpr int kListHeaderHeight = kButtonStrip.Bottom() - (kBrowserHeight + kSplitterHeight);
constexpr Rect kStripFiller(450, 236, 60, 2);
constexpr Rect kUncheckAllButton(5, 0, 73, 13);
constexpr Rect kStripComebackButton(78, 0, 55, 13);
constexpr Rect kGridButton(133, 0, 55, 13);
constexpr Rect kStatusLine(200, 1, 270, 12);
constexpr char kUncheckAllCaption[] = "Not Checked";
constexpr char kCheckAllCaption[] = "Checked All";
constexpr char kGridOnCaption[] = "Gridding";
constexpr char kGridOffCaption[] = "Gridlines";

// Drop-down menu panels; entries, bars and lines in panel coordinates.
constexpr Rect kFileMenu(6, 40, 133, 134);
constexpr Rect kOptionsMenu(55, 40, 131, 93);
// Each menu panel holds its picture strip inside a one-pixel bevel.
static_assert(kFileMenu.height == kFileMenuStrip.height + 2);
static_assert(kOptionsMenu.height == kOptionsMenuStrip.height + 2);
constexpr int kEntryHeight = 18;
constexpr Rect kFileEntryBar(1, 1, 127, 21);
constexpr Rect kOptionsEntryBar(1, 0, 125, 21);
constexpr Rect kFileMenuLine1(26, 42, 100, 2);
constexpr Rect kFileMenuLine2(26, 105, 100, 2);
constexpr int kHideFolderEntryTop = 6;
constexpr int kComebackEntryTop = 24;
constexpr int kFindEntryTop = 48;
constexpr int kSkinEntryTop = 68;
constexpr int kOptionsEntryTop = 88;
constexpr int kExitEntryTop = 112;
constexpr int kHelpEntryTop = 5;
constexpr char kExitCaption[] = "Exit";

// The colour of button faces, the strip's colour.
BgrColor ButtonFace() { return CurrentBackend().SystemColour(SystemColor::kButtonFace); }

Rect InTitleBar(const Rect& window_rect) { return window_rect.Translated(Point{0, 0} - kTitleBar.TopLeft()); }

Shape* MakeFeedbackShape(WinControl* parent, const Rect& bounds, BgrColor fill, BgrColor outline) {
  auto* shape = new Shape(Shape::Kind::kRectangle, parent);
  shape->SetBounds(bounds);
  shape->SetFill(fill);
  shape->SetOutline(outline);
  shape->Hide();
  return shape;
}

SpeedButton* MakeToolButton(WinControl* parent, const char* caption, const Image& picture, int left) {
  auto* button = new SpeedButton(caption, parent);
  button->SetBounds(Rect(left, kToolButtonTop, kToolButtonWidth, kToolButtonHeight));
  button->SetPicture(picture, kToolPictureTop, kToolCaptionTop);
  // The toolbar's colours are the window's own: so is its text colour.
  button->SetFontColor(kBlack);
  return button;
}

SpeedButton* MakeStripButton(WinControl* parent, const char* caption, const Rect& bounds) {
  auto* button = new SpeedButton(caption, parent);
  button->SetBounds(bounds);
  button->SetFlat(false);
  return button;
}

Label* MakeMenuEntry(ScrollBox* panel, const char* caption, int top) {
  auto* entry = new Label(caption, panel);
  entry->SetBounds(Rect(0, top, panel->Width(), kEntryHeight));
  entry->SetAlignment(HAlign::kCentre, VAlign::kTop);
  return entry;
}

ScrollBox* MakeMenuPanel(WinControl* parent, const Rect& bounds, Size strip_size) {
  auto* panel = new ScrollBox(parent);
  panel->SetBounds(bounds);
  panel->SetColor(kWhite);
  panel->SetBevel(Bevel::kTiled);
  // The beige picture strip runs down the left edge, inside the bevel.
  const Rect strip(1, 1, strip_size.width, strip_size.height);
  auto* picture = new Picture(MenuStripPicture(strip.width, strip.height), panel);
  picture->SetBounds(strip);
  picture->SetMouseTransparent(true);
  panel->Hide();
  return panel;
}

StaticText* MakeMark(WinControl* parent, const char* text, const Rect& bounds, int points, bool bold) {
  auto* mark = new StaticText(text, parent);
  mark->SetBounds(bounds);
  mark->SetFont(Font{points, bold});
  // A mark is one short word: never broken over two lines. Centred both
  // ways, the 13 px line sits in the middle of the marks box.
  mark->SetWordWrap(false);
  mark->SetAlignment(HAlign::kCentre, VAlign::kCentre);
  return mark;
}
}  // namespace

TForm1::TForm1(Services& services, WindowLinks& windows)
    : BorderlessWindow(kWidth, kHeight),
      services_(services),
      windows_(windows) {
  SetColor(kLightGrey);
  // Children are created bottom to top: the menu panels lie over everything
  // but the title bar.
  BuildBodyFrame();
  BuildMenuBar();
  BuildToolbar();
  BuildWorkArea();
  BuildFileMenu();
  BuildOptionsMenu();
  BuildTitleBar();
  ConnectMenus();
  ConnectCommands();
  ConnectHover();
  ConnectList();
  ConnectKeyboard();
  // Files and folders dropped from a file manager are hidden like the
  // paths given at start.
  AcceptFileDrops([this](const std::vector<std::string>& paths) { windows_.HandPaths(paths); });
  PlaceInScreenCentre();
}

TForm1::~TForm1() = default;

void TForm1::BuildBodyFrame() {
  ScrollBox9 = new ScrollBox(this);
  ScrollBox9->SetBounds(kBodyFrame);
  ScrollBox9->SetColor(kLightGrey);
  ScrollBox9->SetBevel(Bevel::kFlat);
  Bevel6 = new BevelLine(Orientation::kHorizontal, ScrollBox9);
  Bevel6->SetBounds(kMenuBarLine);
  Label1 = new Label("", ScrollBox9);
  Label1->SetBounds(kSelectedPathLine);
  Label1->SetAlignment(HAlign::kLeft, VAlign::kTop);
  Label1->SetFontColor(kBlack);
  Label1->SetElidedInTheMiddle(true);
}

void TForm1::BuildMenuBar() {
  ScrollBox10 = new ScrollBox(this);
  ScrollBox10->SetBounds(kMenuBar);
  ScrollBox10->SetColor(kLightGrey);
  // The title frames lie behind the titles.
  Shape4 = MakeFeedbackShape(ScrollBox10, kFileTitleFrame, kWhite, kAzure);
  Shape5 = MakeFeedbackShape(ScrollBox10, kOptionsTitleFrame, kWhite, kAzure);
  Label10 = new Label(kFileTitle, ScrollBox10);
  Label10->SetBounds(kFileTitleBox);
  Label10->SetAlignment(HAlign::kCentre, VAlign::kTop);
  Label11 = new Label(kOptionsTitle, ScrollBox10);
  Label11->SetBounds(kOptionsTitleBox);
  Label11->SetAlignment(HAlign::kCentre, VAlign::kTop);
}

void TForm1::BuildToolbar() {
  ScrollBox1 = new ScrollBox(this);
  ScrollBox1->SetBounds(kToolbar);
  ScrollBox1->SetColor(kLightGrey);
  ScrollBox1->SetBevel(Bevel::kNone);
  // The highlight lies behind the buttons' pictures and captions.
  Shape6 = MakeFeedbackShape(ScrollBox1, kToolbarHighlight, kLavender, kNavy);
  // The highlight's rim belongs to the toolbar: what happens there happens
  // on the toolbar too.
  Shape6->SetPassesMouseOn(true);
  SpeedButton1 = MakeToolButton(ScrollBox1, kHideFolderCaption, HideFolderPicture(), kHideFolderLeft);
  SpeedButton2 = MakeToolButton(ScrollBox1, kComebackCaption, ComebackPicture(), kComebackLeft);
  Bevel2 = new BevelLine(Orientation::kVertical, ScrollBox1);
  Bevel2->SetBounds(kOptionsSeparator);
  SpeedButton3 = MakeToolButton(ScrollBox1, kOptionsCaption, OptionsPicture(), kOptionsLeft);
  SpeedButton4 = MakeToolButton(ScrollBox1, kFindCaption, FindPicture(), kFindLeft);
  SpeedButton5 = MakeToolButton(ScrollBox1, kSkinCaption, SkinPicture(), kSkinLeft);
  Bevel1 = new BevelLine(Orientation::kVertical, ScrollBox1);
  Bevel1->SetBounds(kHelpSeparator);
  SpeedButton10 = MakeToolButton(ScrollBox1, kHelpCaption, HelpPicture(), kHelpLeft);
}

void TForm1::BuildWorkArea() {
  ScrollBox4 = new ScrollBox(this);
  ScrollBox4->SetBounds(kWorkArea);
  ScrollBox4->SetColor(kPanelGrey);
  ScrollBox4->SetBevel(Bevel::kLowered);
  WorkClient = new ScrollBox(ScrollBox4);
  WorkClient->SetBounds(kWorkClient);
  WorkClient->SetTransparent(true);

  Splitter1 = new Splitter(Orientation::kHorizontal, kSplitterHeight, kPaneMinimum, WorkClient);
  Splitter1->SetBounds(kWorkClient.Local());
  Splitter1->SetColor(kPanelGrey);
  ShellListView1 = new ShellListView(services_.fs, services_.shell, Splitter1);
  ShellListView1->SetAccessible(AccessibleRole::kList, kBrowserName);
  // Made right after the browser, the up button comes next to it in the
  // order Tab takes; it lies in front of the splitter all the same.
  BuildUpButton();
  ListView1 = new CheckListView(kListColumns, Splitter1);
  ListView1->SetAccessible(AccessibleRole::kList, kHiddenListName);
  ListView1->SetHeaderHeight(kListHeaderHeight);
  Splitter1->SetFirstPaneSize(kBrowserHeight);

  BuildButtonStrip();
}

void TForm1::BuildUpButton() {
  ScrollBox13 = new ScrollBox(WorkClient);
  ScrollBox13->SetBounds(kUpButtonBox);
  ScrollBox13->SetTransparent(true);
  UpButtonBox = MakeFeedbackShape(ScrollBox13, kUpButtonBox.Local(), kLavender, kNavy);
  UpButtonBox->Show();
  SpeedButton6 = new SpeedButton("", ScrollBox13);
  SpeedButton6->SetBounds(kUpButton);
  SpeedButton6->SetPicture(UpFolderPicture(), kUpPictureTop, kUpButton.height);
}

void TForm1::BuildButtonStrip() {
  ScrollBox12 = new ScrollBox(WorkClient);
  ScrollBox12->SetBounds(kStripFiller);
  ScrollBox12->SetColor(ButtonFace());
  ScrollBox7 = new ScrollBox(WorkClient);
  ScrollBox7->SetBounds(kButtonStrip);
  ScrollBox7->SetColor(ButtonFace());
  SpeedButton7 = MakeStripButton(ScrollBox7, kUncheckAllCaption, kUncheckAllButton);
  SpeedButton8 = MakeStripButton(ScrollBox7, kCheckAllCaption, kUncheckAllButton);
  SpeedButton8->Hide();
  SpeedButton9 = MakeStripButton(ScrollBox7, kComebackCaption, kStripComebackButton);
  SpeedButton11 = MakeStripButton(ScrollBox7, kGridOnCaption, kGridButton);
  SpeedButton12 = MakeStripButton(ScrollBox7, kGridOffCaption, kGridButton);
  SpeedButton12->Hide();
  Label15 = new Label("", ScrollBox7);
  Label15->SetBounds(kStatusLine);
  Label15->SetAlignment(HAlign::kLeft, VAlign::kTop);
  // The strip has the system's button face: its text the system's too.
  Label15->SetFontColor(CurrentBackend().SystemColour(SystemColor::kButtonText));
}

void TForm1::BuildFileMenu() {
  ScrollBox5 = MakeMenuPanel(this, kFileMenu, kFileMenuStrip);
  // The entry bar lies behind the entries' text.
  Shape7 = MakeFeedbackShape(ScrollBox5, kFileEntryBar, kPaleBlue, kAzure);
  Label13 = MakeMenuEntry(ScrollBox5, kHideFolderCaption, kHideFolderEntryTop);
  Label20 = MakeMenuEntry(ScrollBox5, kComebackCaption, kComebackEntryTop);
  auto* line1 = new BevelLine(Orientation::kHorizontal, ScrollBox5);
  line1->SetBounds(kFileMenuLine1);
  Label22 = MakeMenuEntry(ScrollBox5, kFindCaption, kFindEntryTop);
  Label14 = MakeMenuEntry(ScrollBox5, kSkinCaption, kSkinEntryTop);
  Label21 = MakeMenuEntry(ScrollBox5, kOptionsCaption, kOptionsEntryTop);
  auto* line2 = new BevelLine(Orientation::kHorizontal, ScrollBox5);
  line2->SetBounds(kFileMenuLine2);
  Label12 = MakeMenuEntry(ScrollBox5, kExitCaption, kExitEntryTop);
}

void TForm1::BuildOptionsMenu() {
  ScrollBox6 = MakeMenuPanel(this, kOptionsMenu, kOptionsMenuStrip);
  Shape8 = MakeFeedbackShape(ScrollBox6, kOptionsEntryBar, kPaleBlue, kAzure);
  Label18 = MakeMenuEntry(ScrollBox6, kHelpCaption, kHelpEntryTop);
}

void TForm1::BuildTitleBar() {
  ScrollBox11 = new ScrollBox(this);
  ScrollBox11->SetBounds(kTitleBar);
  ScrollBox11->SetColor(kLightGrey);
  // Until a skin chooses, the navy picture lies in front of the glossy one.
  Image6 = new Picture(GlossyTitlePicture(), ScrollBox11);
  Image6->SetBounds(InTitleBar(kGlossyPicture));
  Image10 = new Picture(NavyTitlePicture(), ScrollBox11);
  Image10->SetBounds(InTitleBar(kNavyPicture));
  Label9 = new Label(kCaption, ScrollBox11);
  Label9->SetFont(Font{kCaptionPoints, false});
  Label9->Move(InTitleBar(Rect(kCaptionAt, Size{})).TopLeft());
  Label9->AutoSize();
  Label9->SetFontColor(kNearWhite);

  ScrollBox8 = new ScrollBox(ScrollBox11);
  ScrollBox8->SetBounds(InTitleBar(kMarksBox));
  ScrollBox8->SetColor(kNavy);
  StaticText3 = MakeMark(ScrollBox8, kHelpMark, kHelpMarkBox, kHelpMarkPoints, true);
  StaticText1 = MakeMark(ScrollBox8, kMinimiseMark, kMinimiseMarkBox, kMinimiseMarkPoints, true);
  StaticText2 = MakeMark(ScrollBox8, kCloseMark, kCloseMarkBox, kCloseMarkPoints, false);
}

std::vector<SpeedButton*> TForm1::ToolbarButtons() const {
  return {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton10};
}

std::vector<Label*> TForm1::FileMenuEntries() const {
  return {Label13, Label20, Label22, Label14, Label21, Label12};
}

std::string TForm1::CurrentAccount() const { return windows_.CurrentAccount(); }

void TForm1::Closing() { windows_.CloseLogin(); }

}  // namespace app
