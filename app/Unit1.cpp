#include "app/Unit1.h"

#include <QCloseEvent>

#include "app/Unit2.h"
#include "app/pictures/pictures.h"
#include "app/toolkit/check_list_view.h"
#include "app/toolkit/fonts.h"
#include "app/toolkit/label.h"
#include "app/toolkit/picture.h"
#include "app/toolkit/scroll_box.h"
#include "app/toolkit/shape.h"
#include "app/toolkit/speed_button.h"
#include "app/toolkit/splitter.h"
#include "platform/qt/shell_list_view.h"

namespace app {

namespace {
// Window.
constexpr int kWidth = 522;
constexpr int kHeight = 456;

// Title bar: window coordinates, placed on the title bar box.
constexpr QRect kTitleBar(-15, -2, 553, 27);
constexpr QRect kGlossyPicture(-15, -2, 553, 27);
constexpr QRect kNavyPicture(0, -2, 527, 26);
constexpr char kCaption[] = "Quillomar 1.15";
constexpr QPoint kCaptionAt(6, 4);
constexpr int kCaptionPoints = 10;
constexpr QRect kMarksBox(469, 3, 51, 19);
// Marks, in the marks box.
constexpr char kHelpMark[] = "?";
constexpr QRect kHelpMarkBox(5, 0, 15, 24);
constexpr int kHelpMarkPoints = 12;
constexpr char kMinimiseMark[] = "--";
constexpr QRect kMinimiseMarkBox(20, -4, 12, 28);
constexpr int kMinimiseMarkPoints = 14;
constexpr char kCloseMark[] = "x";
constexpr QRect kCloseMarkBox(35, -4, 14, 28);
constexpr int kCloseMarkPoints = 14;

// Body frame and what lies on it (its own coordinates).
constexpr QRect kBodyFrame(0, 24, 522, 432);
constexpr QRect kMenuBarLine(5, 17, 512, 2);
constexpr QRect kSelectedPathLine(4, 414, 510, 16);

// Menu bar and its titles (titles and frames in menu-bar coordinates).
constexpr QRect kMenuBar(6, 25, 103, 23);
constexpr char kFileTitle[] = "File";
constexpr QRect kFileTitleBox(2, 8, 43, 13);
constexpr QRect kFileTitleFrame(0, 0, 47, 18);
constexpr char kOptionsTitle[] = "Options";
constexpr QRect kOptionsTitleBox(52, 8, 49, 13);
constexpr QRect kOptionsTitleFrame(49, 0, 54, 18);

// Toolbar panel; buttons and lines in its coordinates.
constexpr QRect kToolbar(5, 47, 511, 56);
constexpr QRect kToolbarHighlight(0, 0, 72, 52);
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
constexpr QRect kOptionsSeparator(149, 3, 2, 48);
constexpr QRect kHelpSeparator(380, 3, 2, 48);
constexpr char kHideFolderCaption[] = "Hide Folder";
constexpr char kComebackCaption[] = "Comeback";
constexpr char kOptionsCaption[] = "Options";
constexpr char kFindCaption[] = "Find";
constexpr char kSkinCaption[] = "Skin";
constexpr char kHelpCaption[] = "Help";

// Work area. Its children are placed inside its two-pixel edge.
constexpr QRect kWorkArea(5, 100, 511, 337);
constexpr QRect kWorkClient(2, 2, 507, 333);
constexpr int kBrowserHeight = 230;
constexpr int kListHeight = 95;
constexpr int kSplitterHeight = 8;
constexpr int kPaneMinimum = 30;
const QList<int> kListColumns{440, 47};
constexpr QRect kUpButtonBox(1, 1, 28, 25);
constexpr QRect kUpButton(2, 2, 26, 23);
constexpr int kUpPictureTop = 3;

// Button strip over the list's column header, and the filler right of it.
constexpr QRect kButtonStrip(-3, 236, 474, 13);
constexpr QRect kStripFiller(450, 236, 60, 2);
constexpr QRect kUncheckAllButton(5, 0, 73, 13);
constexpr QRect kStripComebackButton(78, 0, 55, 13);
constexpr QRect kGridButton(133, 0, 55, 13);
constexpr QRect kStatusLine(200, 1, 270, 12);
constexpr char kUncheckAllCaption[] = "Not Checked";
constexpr char kCheckAllCaption[] = "Checked All";
constexpr char kGridOnCaption[] = "Gridding";
constexpr char kGridOffCaption[] = "Gridlines";

// Drop-down menu panels; entries, bars and lines in panel coordinates.
constexpr QRect kFileMenu(6, 40, 133, 134);
constexpr QRect kOptionsMenu(55, 40, 131, 93);
constexpr int kFileStripWidth = 25;
constexpr int kOptionsStripWidth = 23;
constexpr int kEntryHeight = 18;
constexpr QRect kFileEntryBar(1, 1, 127, 21);
constexpr QRect kOptionsEntryBar(1, 0, 125, 21);
constexpr QRect kFileMenuLine1(26, 42, 100, 2);
constexpr QRect kFileMenuLine2(26, 105, 100, 2);
constexpr int kHideFolderEntryTop = 6;
constexpr int kComebackEntryTop = 24;
constexpr int kFindEntryTop = 48;
constexpr int kSkinEntryTop = 68;
constexpr int kOptionsEntryTop = 88;
constexpr int kExitEntryTop = 112;
constexpr int kHelpEntryTop = 5;
constexpr char kExitCaption[] = "Exit";

// The colour of button faces, the strip's colour.
BgrColor ButtonFace(const QWidget& widget) { return ToBgr(widget.palette().color(QPalette::Button)); }

QRect InTitleBar(const QRect& window_rect) {
  return window_rect.translated(-kTitleBar.topLeft());
}

Shape* MakeFeedbackShape(QWidget* parent, const QRect& geometry, BgrColor fill, BgrColor outline) {
  auto* shape = new Shape(Shape::Kind::kRectangle, parent);
  shape->setGeometry(geometry);
  shape->SetFill(fill);
  shape->SetOutline(outline);
  shape->hide();
  return shape;
}

SpeedButton* MakeToolButton(QWidget* parent, const char* caption, const Image& picture, int left) {
  auto* button = new SpeedButton(caption, parent);
  button->setGeometry(left, kToolButtonTop, kToolButtonWidth, kToolButtonHeight);
  button->SetPicture(picture, kToolPictureTop, kToolCaptionTop);
  return button;
}

SpeedButton* MakeStripButton(QWidget* parent, const char* caption, const QRect& geometry) {
  auto* button = new SpeedButton(caption, parent);
  button->setGeometry(geometry);
  button->SetFlat(false);
  return button;
}

Label* MakeMenuEntry(ScrollBox* panel, const char* caption, int top) {
  auto* entry = new Label(caption, panel);
  entry->setGeometry(0, top, panel->width(), kEntryHeight);
  entry->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  return entry;
}

ScrollBox* MakeMenuPanel(QWidget* parent, const QRect& geometry, int strip_width) {
  auto* panel = new ScrollBox(parent);
  panel->setGeometry(geometry);
  panel->SetColor(kWhite);
  panel->SetBevel(Bevel::kTiled);
  // The beige picture strip runs down the left edge, inside the bevel.
  const QRect strip(1, 1, strip_width, geometry.height() - 2);
  auto* picture = new Picture(MenuStripPicture(strip.width(), strip.height()), panel);
  picture->setGeometry(strip);
  picture->setAttribute(Qt::WA_TransparentForMouseEvents);
  panel->hide();
  return panel;
}

StaticText* MakeMark(QWidget* parent, const char* text, const QRect& geometry, int points, bool bold) {
  auto* mark = new StaticText(text, parent);
  mark->setGeometry(geometry);
  mark->setFont(SansFont(points, bold));
  // A mark is one short word: never broken over two lines.
  mark->setWordWrap(false);
  mark->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  return mark;
}
}  // namespace

TForm1::TForm1(Services& services, Forms& forms)
    : BorderlessWindow(kWidth, kHeight), services_(services), forms_(forms) {
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
  PlaceInScreenCentre();
}

TForm1::~TForm1() = default;

void TForm1::BuildBodyFrame() {
  ScrollBox9 = new ScrollBox(this);
  ScrollBox9->setGeometry(kBodyFrame);
  ScrollBox9->SetColor(kLightGrey);
  ScrollBox9->SetBevel(Bevel::kFlat);
  Bevel6 = new BevelLine(Qt::Horizontal, ScrollBox9);
  Bevel6->setGeometry(kMenuBarLine);
  Label1 = new Label(QString(), ScrollBox9);
  Label1->setGeometry(kSelectedPathLine);
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label1->SetFontColor(kBlack);
}

void TForm1::BuildMenuBar() {
  ScrollBox10 = new ScrollBox(this);
  ScrollBox10->setGeometry(kMenuBar);
  ScrollBox10->SetColor(kLightGrey);
  // The title frames lie behind the titles.
  Shape4 = MakeFeedbackShape(ScrollBox10, kFileTitleFrame, kWhite, kAzure);
  Shape5 = MakeFeedbackShape(ScrollBox10, kOptionsTitleFrame, kWhite, kAzure);
  Label10 = new Label(kFileTitle, ScrollBox10);
  Label10->setGeometry(kFileTitleBox);
  Label10->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  Label11 = new Label(kOptionsTitle, ScrollBox10);
  Label11->setGeometry(kOptionsTitleBox);
  Label11->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

void TForm1::BuildToolbar() {
  ScrollBox1 = new ScrollBox(this);
  ScrollBox1->setGeometry(kToolbar);
  ScrollBox1->SetColor(kLightGrey);
  ScrollBox1->SetBevel(Bevel::kNone);
  // The highlight lies behind the buttons' pictures and captions.
  Shape6 = MakeFeedbackShape(ScrollBox1, kToolbarHighlight, kLavender, kNavy);
  SpeedButton1 = MakeToolButton(ScrollBox1, kHideFolderCaption, HideFolderPicture(), kHideFolderLeft);
  SpeedButton2 = MakeToolButton(ScrollBox1, kComebackCaption, ComebackPicture(), kComebackLeft);
  Bevel2 = new BevelLine(Qt::Vertical, ScrollBox1);
  Bevel2->setGeometry(kOptionsSeparator);
  SpeedButton3 = MakeToolButton(ScrollBox1, kOptionsCaption, OptionsPicture(), kOptionsLeft);
  SpeedButton4 = MakeToolButton(ScrollBox1, kFindCaption, FindPicture(), kFindLeft);
  SpeedButton5 = MakeToolButton(ScrollBox1, kSkinCaption, SkinPicture(), kSkinLeft);
  Bevel1 = new BevelLine(Qt::Vertical, ScrollBox1);
  Bevel1->setGeometry(kHelpSeparator);
  SpeedButton10 = MakeToolButton(ScrollBox1, kHelpCaption, HelpPicture(), kHelpLeft);
}

void TForm1::BuildWorkArea() {
  ScrollBox4 = new ScrollBox(this);
  ScrollBox4->setGeometry(kWorkArea);
  ScrollBox4->SetColor(kPanelGrey);
  ScrollBox4->SetBevel(Bevel::kLowered);
  auto* client = new QWidget(ScrollBox4);
  client->setGeometry(kWorkClient);

  Splitter1 = new Splitter(Qt::Vertical, kSplitterHeight, kPaneMinimum, client);
  Splitter1->setGeometry(0, 0, kWorkClient.width(), kWorkClient.height());
  ShellListView1 = new platform::ShellListView(services_.fs, services_.shell);
  ListView1 = new CheckListView(kListColumns, nullptr);
  ListView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Splitter1->AddPane(ShellListView1);
  Splitter1->AddPane(ListView1);
  Splitter1->setSizes({kBrowserHeight, kListHeight});

  BuildButtonStrip(client);

  UpButtonBox = MakeFeedbackShape(client, kUpButtonBox, kLavender, kNavy);
  UpButtonBox->show();
  SpeedButton6 = new SpeedButton(QString(), client);
  SpeedButton6->setGeometry(kUpButton);
  SpeedButton6->SetPicture(UpFolderPicture(), kUpPictureTop, kUpButton.height());
}

void TForm1::BuildButtonStrip(QWidget* client) {
  ScrollBox12 = new ScrollBox(client);
  ScrollBox12->setGeometry(kStripFiller);
  ScrollBox12->SetColor(ButtonFace(*this));
  ScrollBox7 = new ScrollBox(client);
  ScrollBox7->setGeometry(kButtonStrip);
  ScrollBox7->SetColor(ButtonFace(*this));
  SpeedButton7 = MakeStripButton(ScrollBox7, kUncheckAllCaption, kUncheckAllButton);
  SpeedButton8 = MakeStripButton(ScrollBox7, kCheckAllCaption, kUncheckAllButton);
  SpeedButton8->hide();
  SpeedButton9 = MakeStripButton(ScrollBox7, kComebackCaption, kStripComebackButton);
  SpeedButton11 = MakeStripButton(ScrollBox7, kGridOnCaption, kGridButton);
  SpeedButton12 = MakeStripButton(ScrollBox7, kGridOffCaption, kGridButton);
  SpeedButton12->hide();
  Label15 = new Label(QString(), ScrollBox7);
  Label15->setGeometry(kStatusLine);
  Label15->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TForm1::BuildFileMenu() {
  ScrollBox5 = MakeMenuPanel(this, kFileMenu, kFileStripWidth);
  // The entry bar lies behind the entries' text.
  Shape7 = MakeFeedbackShape(ScrollBox5, kFileEntryBar, kPaleBlue, kAzure);
  Label13 = MakeMenuEntry(ScrollBox5, kHideFolderCaption, kHideFolderEntryTop);
  Label20 = MakeMenuEntry(ScrollBox5, kComebackCaption, kComebackEntryTop);
  auto* line1 = new BevelLine(Qt::Horizontal, ScrollBox5);
  line1->setGeometry(kFileMenuLine1);
  Label22 = MakeMenuEntry(ScrollBox5, kFindCaption, kFindEntryTop);
  Label14 = MakeMenuEntry(ScrollBox5, kSkinCaption, kSkinEntryTop);
  Label21 = MakeMenuEntry(ScrollBox5, kOptionsCaption, kOptionsEntryTop);
  auto* line2 = new BevelLine(Qt::Horizontal, ScrollBox5);
  line2->setGeometry(kFileMenuLine2);
  Label12 = MakeMenuEntry(ScrollBox5, kExitCaption, kExitEntryTop);
}

void TForm1::BuildOptionsMenu() {
  ScrollBox6 = MakeMenuPanel(this, kOptionsMenu, kOptionsStripWidth);
  Shape8 = MakeFeedbackShape(ScrollBox6, kOptionsEntryBar, kPaleBlue, kAzure);
  Label18 = MakeMenuEntry(ScrollBox6, kHelpCaption, kHelpEntryTop);
}

void TForm1::BuildTitleBar() {
  ScrollBox11 = new ScrollBox(this);
  ScrollBox11->setGeometry(kTitleBar);
  ScrollBox11->SetColor(kLightGrey);
  // Until a skin chooses, the navy picture lies in front of the glossy one.
  Image6 = new Picture(GlossyTitlePicture(), ScrollBox11);
  Image6->setGeometry(InTitleBar(kGlossyPicture));
  Image10 = new Picture(NavyTitlePicture(), ScrollBox11);
  Image10->setGeometry(InTitleBar(kNavyPicture));
  Label9 = new Label(kCaption, ScrollBox11);
  Label9->setFont(SansFont(kCaptionPoints));
  Label9->adjustSize();
  Label9->move(InTitleBar(QRect(kCaptionAt, Label9->size())).topLeft());
  Label9->SetFontColor(kNearWhite);

  ScrollBox8 = new ScrollBox(ScrollBox11);
  ScrollBox8->setGeometry(InTitleBar(kMarksBox));
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

std::string TForm1::CurrentAccount() const { return forms_.login->CurrentAccount(); }

void TForm1::closeEvent(QCloseEvent* event) {
  // Closing the main window, however it happens, closes the login window,
  // which ends the program.
  event->accept();
  forms_.login->close();
}

}  // namespace app
