#include "app/messages.h"

namespace app::messages {

const char* AccountMessage(engine::AccountOutcome outcome) {
  switch (outcome) {
    case engine::AccountOutcome::kNoUserChosen:
      return kChooseUser;
    case engine::AccountOutcome::kWrongNameOrPassword:
      return kWrongNameOrPassword;
    case engine::AccountOutcome::kMissingNameOrPassword:
      return kMissingNameOrPassword;
    case engine::AccountOutcome::kInvalidNameOrPassword:
      return kInvalidNameOrPassword;
    case engine::AccountOutcome::kNameTaken:
      return kNameTaken;
    case engine::AccountOutcome::kDone:
    case engine::AccountOutcome::kNothingEntered:
    case engine::AccountOutcome::kNotChanged:
      break;
  }
  return nullptr;
}

}  // namespace app::messages
