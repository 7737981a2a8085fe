// The Skin command and the main window's share of a skin.

#include "app/Unit1.h"
#include "toolkit/label.h"
#include "toolkit/picture.h"
#include "toolkit/scroll_box.h"
#include "engine/skin_setting.h"
#include "store/errors.h"

namespace app {

void TForm1::SpeedButton5Click() {
  // The body frame's bevel tells the current look: flat in skin 2 and in
  // the built-in look, none in skin 1.
  const Skin next = ScrollBox9->GetBevel() == Bevel::kFlat ? Skin::kOne : Skin::kTwo;
  bool stored = false;
  try {
    // Without a settings file nothing is stored and nothing recoloured.
    stored = engine::StoreSkin(services_.fs, next);
  } catch (const store::Error& error) {
    // Nothing is recoloured and the menus stay as they are.
    services_.dialogs.ShowError(error.what());
    return;
  }
  if (stored) {
    windows_.ApplySkin(next, SkinOrigin::kCommand);
  }
  CloseMenus();
}

void TForm1::Label14Click() {
  CloseMenus();
  SpeedButton5Click();
}

void TForm1::ApplySkin(Skin skin, SkinOrigin origin) {
  const bool one = skin == Skin::kOne;
  const BgrColor panels = one ? kLavender : kLightGrey;
  ScrollBox1->SetColor(panels);
  ScrollBox9->SetColor(panels);
  ScrollBox10->SetColor(panels);
  ScrollBox9->SetBevel(one ? Bevel::kNone : Bevel::kFlat);
  ScrollBox1->SetBevel(Bevel::kNone);
  Bevel6->SetVisible(!one);
  Bevel1->SetVisible(!one);
  Bevel2->SetVisible(!one);
  Image6->SetVisible(one);
  Image10->SetVisible(!one);
  if (one) {
    Label9->SetFontColor(origin == SkinOrigin::kLogin ? kNavy : kBlack);
  } else {
    Label9->SetFontColor(kNearWhite);
  }
}

}  // namespace app
