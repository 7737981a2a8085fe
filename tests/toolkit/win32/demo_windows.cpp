#include "tests/toolkit/win32/demo_windows.h"

#include <utility>

namespace demo {

namespace {

constexpr app::BgrColor kTitleColor = app::kNavy;
constexpr app::BgrColor kFirstPageColor = app::kPaleBlue;
constexpr app::BgrColor kSecondPageColor = app::kLavender;
constexpr std::uint32_t kPictureInside = 0xFFFF0000;  // opaque red
constexpr std::uint32_t kPictureRim = 0x800000FF;     // half-transparent blue
constexpr int kPictureSide = 16;
constexpr int kRimWidth = 4;

}  // namespace

Panel::Panel(app::WinControl* parent, app::BgrColor panel_color) : Panel(parent, panel_color, true) {
  AttachNative(app::CurrentBackend().CreatePainted(parent->Native(), *this));
}

Panel::Panel(app::WinControl* parent, app::BgrColor panel_color, bool attach_later)
    : WinControl(parent), color(panel_color) {
  (void)attach_later;
}

void Panel::PaintBackground(app::Canvas& canvas) {
  canvas.FillRect(Bounds().Local(), color);
  if (framed) canvas.FrameRect(Bounds().Local(), app::kBlack);
}

Page::Page(Windowed<app::NativeTabs>* tabs, const std::string& caption, app::BgrColor page_color)
    : Panel(tabs, page_color, true) {
  AttachNative(tabs->peer->AddPage(caption, *this));
  SetBounds(tabs->peer->PageArea());
}

FlatButton::FlatButton(app::WinControl* parent, std::string text) : GraphicControl(parent), caption(std::move(text)) {
  on_click = [this] { ++clicks; };
}

void FlatButton::Paint(app::Canvas& canvas) {
  canvas.DrawButtonFace(Bounds().Local(), Pressed() ? app::FaceState::kSunken : app::FaceState::kRaised);
  app::TextStyle style;
  style.color = Hot() ? app::kHoverRed : app::kBlack;
  style.h_align = app::HAlign::kCentre;
  style.v_align = app::VAlign::kCentre;
  canvas.DrawText(Bounds().Local(), caption, style);
}

void FlatButton::MouseEntered() {
  ++enters;
  Invalidate();
}

void FlatButton::MouseLeft() {
  ++leaves;
  Invalidate();
}

PictureBox::PictureBox(app::WinControl* parent, app::Image picture)
    : GraphicControl(parent), image(std::move(picture)) {}

void PictureBox::Paint(app::Canvas& canvas) { canvas.DrawImage(image, Bounds().Local()); }

const app::Image& RowPicture() {
  static const app::Image picture = [] {
    app::Image image(kPictureSide, kPictureSide);
    for (int y = 0; y < kPictureSide; ++y) {
      for (int x = 0; x < kPictureSide; ++x) {
        const bool rim = x < kRimWidth || y < kRimWidth || x >= kPictureSide - kRimWidth ||
                         y >= kPictureSide - kRimWidth;
        image.SetPixel(x, y, rim ? kPictureRim : kPictureInside);
      }
    }
    return image;
  }();
  return picture;
}

DemoWindow::DemoWindow() : BorderlessWindow(kWidth, kHeight) {
  SetTitle("Demo");
  title = new Panel(this, kTitleColor);
  title->SetBounds(app::Rect(0, 0, kWidth, 24));
  close_mark = new FlatButton(title, "X");
  close_mark->SetBounds(app::Rect(kWidth - 22, 3, 18, 18));

  flat = new FlatButton(this, "Flat");
  flat->SetBounds(app::Rect(10, 30, 80, 22));
  picture = new PictureBox(this, RowPicture());
  picture->SetBounds(app::Rect(94, 33, 16, 16));

  edit = new Windowed<app::NativeEdit>(this, &app::Backend::CreateEdit);
  edit->SetBounds(app::Rect(115, 30, 110, 21));
  combo = new Windowed<app::NativeComboBox>(this, &app::Backend::CreateComboBox);
  combo->SetBounds(app::Rect(235, 30, 150, 21));
  for (const char* item : {"Ann", "Bob", "Cy"}) combo->peer->AddItem(item);
  combo->peer->SetCurrentIndex(0);

  push = new Windowed<app::NativePushButton>(this, &app::Backend::CreatePushButton);
  push->SetBounds(app::Rect(10, 60, 75, 25));
  push->peer->SetCaption("OK");

  list = new Windowed<app::NativeReportList>(this, &app::Backend::CreateReportList);
  list->SetBounds(app::Rect(10, 95, 230, 120));
  list->peer->SetColumns({120, 100});
  list->peer->SetCheckBoxes(true);
  list->peer->SetGridLines(true);
  list->peer->SetBorder(true);
  list->peer->SetColumnCaption(0, "Name");
  list->peer->SetColumnCaption(1, "Where");
  list->peer->AddRow({{"Letters", "C:\\Letters"}, &RowPicture(), true});
  list->peer->AddRow({{"Photos", "D:\\Photos"}, &RowPicture(), false});
  list->peer->AddRow({{"Caf\xE9", "C:\\Caf\xE9"}, nullptr, false});

  tree = new Windowed<app::NativeTree>(this, &app::Backend::CreateTree);
  tree->SetBounds(app::Rect(250, 95, 140, 120));
  tree->peer->on_expanding = [this](app::NativeTree::Node node) {
    expanded.push_back(node);
    const std::string& parent = *static_cast<const std::string*>(node);
    for (const char* child : {"One", "Two"}) {
      tree->peer->AddNode(node, NewNode(parent + " " + child), parent + " " + child, nullptr, false);
    }
  };
  for (const char* top : {"Desktop", "Drive C", "Drive D"}) {
    tree->peer->AddNode(nullptr, NewNode(top), top, &RowPicture(), true);
  }

  tabs = new Windowed<app::NativeTabs>(this, &app::Backend::CreateTabs);
  tabs->SetBounds(app::Rect(10, 222, 380, 70));
  first_page = new Page(tabs, "First", kFirstPageColor);
  second_page = new Page(tabs, "Second", kSecondPageColor);
  tabs->peer->SetCurrentIndex(0);
}

const void* DemoWindow::NewNode(const std::string& text) {
  node_texts.push_back(text);
  return &node_texts.back();
}

}  // namespace demo
