#include "app/program.h"

#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/Unit4.h"
#include "app/application_title.h"
#include "toolkit/backend.h"

namespace app {

Program::Program(Services& services, WindowCreation creation) : services_(services) {
  login_ = std::make_unique<TForm2>(services, forms_);
  forms_.login = login_.get();
  login_->SetTitle(kApplicationTitle);
  login_->on_closed = [this] {
    ended_ = true;
    if (on_finished) on_finished();
  };
  forms_.complete = [this] { CreateOtherWindows(); };
  if (creation == WindowCreation::kAllAtOnce) CreateOtherWindows();
}

void Program::CreateOtherWindows() {
  if (main_ != nullptr) return;
  main_ = std::make_unique<TForm1>(services_, forms_);
  forms_.main = main_.get();
  options_ = std::make_unique<TForm3>(services_, forms_);
  forms_.options = options_.get();
  find_ = std::make_unique<TForm4>(services_, forms_);
  forms_.find = find_.get();
  for (BorderlessWindow* window : {static_cast<BorderlessWindow*>(main_.get()),
                                   static_cast<BorderlessWindow*>(options_.get()),
                                   static_cast<BorderlessWindow*>(find_.get())}) {
    window->SetTitle(kApplicationTitle);
  }
}

// The windows go in the reverse order of their creation.
Program::~Program() {
  find_.reset();
  options_.reset();
  main_.reset();
  login_.reset();
}

void Program::Start() {
  login_->Show();
  if (main_ != nullptr) return;
  // A timer's tick comes once the window system has nothing else to do,
  // the login window's painting included.
  creation_timer_ = CurrentBackend().StartTimer(0, false, [this] { CreateOtherWindows(); });
}

}  // namespace app
