#include "app/program.h"

#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/Unit4.h"
#include "app/application_title.h"
#include "toolkit/backend.h"

namespace app {

Program::Program(Services& services, WindowCreation creation) : services_(services) {
  login_ = std::make_unique<TForm2>(services, static_cast<WindowLinks&>(*this));
  forms_.login = login_.get();
  login_->SetTitle(kApplicationTitle);
  login_->on_closed = [this] {
    ended_ = true;
    if (on_finished) on_finished();
  };
  login_->on_logged_in = [this] { LoggedIn(); };
  if (creation == WindowCreation::kAllAtOnce) CreateOtherWindows();
}

void Program::CreateOtherWindows() {
  if (main_ != nullptr) return;
  main_ = std::make_unique<TForm1>(services_, static_cast<WindowLinks&>(*this));
  forms_.main = main_.get();
  options_ = std::make_unique<TForm3>(services_, static_cast<WindowLinks&>(*this));
  forms_.options = options_.get();
  find_ = std::make_unique<TForm4>(services_, static_cast<WindowLinks&>(*this));
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

void Program::CompleteWindows() { CreateOtherWindows(); }

std::string Program::CurrentAccount() const { return login_->CurrentAccount(); }

void Program::SetAccount(const std::string& name, const std::string& password) {
  login_->SetAccount(name, password);
}

void Program::ApplySkin(Skin skin, SkinOrigin origin) {
  main_->ApplySkin(skin, origin);
  options_->ApplySkin(skin, origin);
  find_->ApplySkin(skin, origin);
}

void Program::CloseLogin() { login_->Close(); }

void Program::ShowMain() { main_->Show(); }

void Program::CloseMain() { main_->Close(); }

void Program::ShowOptions() { options_->Show(); }

void Program::RunOptions() { options_->RunModal(); }

void Program::ReloadUserList() { options_->ReloadUserList(); }

void Program::RunFind() { find_->RunModal(); }

void Program::ResetFindCloseMark() { find_->ResetCloseMark(); }

void Program::Start() { login_->Show(); }

void Program::HandPaths(const std::vector<std::string>& paths) {
  waiting_paths_.insert(waiting_paths_.end(), paths.begin(), paths.end());
  if (logged_in_) HideWaitingPaths();
}

void Program::LoggedIn() {
  logged_in_ = true;
  HideWaitingPaths();
}

void Program::HideWaitingPaths() {
  // Paths that come while a box of an earlier hide is open wait for it, so
  // that every batch is hidden whole and in the order it came.
  if (hiding_) return;
  hiding_ = true;
  while (!waiting_paths_.empty()) {
    std::vector<std::string> paths;
    paths.swap(waiting_paths_);
    main_->HideHandedPaths(paths);
  }
  hiding_ = false;
}

void Program::BringToFront() {
  BorderlessWindow* window = logged_in_ ? static_cast<BorderlessWindow*>(main_.get()) : login_.get();
  // Restore brings a window back from the task bar and raises it.
  if (window != nullptr && window->Visible()) window->Restore();
}

}  // namespace app
