#pragma once

#include "engine/accounts.h"

// The program's fixed messages, shown in the message box exactly as they
// stand, blanks included.
namespace app::messages {

inline constexpr char kChooseUser[] = "    Please choose the user!      ";
inline constexpr char kWrongNameOrPassword[] = "User name or password mistake, please input again! ";
inline constexpr char kNotAdministrator[] =
    "You are not an administrator,authority is not looked over ! ";
inline constexpr char kMissingNameOrPassword[] =
    "Have not input the new user name or the password , please input again!";
inline constexpr char kNameTaken[] = "The user name has already existed,please input again!";
// A name or password that could not be stored and typed again as it is, or
// a stored name that no account file may be named after.
inline constexpr char kInvalidNameOrPassword[] =
    "The user name or the password is not valid, please input again!";

// The message that tells the user what an account routine came to; nullptr
// when it came to something that shows none.
const char* AccountMessage(engine::AccountOutcome outcome);

// An item that cannot be hidden because the records could not give its
// path back exactly: kCannotHide + path + kCannotHideMiddle + the reason
// + kCannotHideEnd.
inline constexpr char kCannotHide[] = "Can not hide \"";
inline constexpr char kCannotHideMiddle[] = "\": ";
inline constexpr char kCannotHideEnd[] = ", please rename or move it first!";
// An item handed from outside (a path at start, a drop) that none of the
// program's drives reaches.
inline constexpr char kNoDriveReaches[] = "no drive of the program reaches it";
inline constexpr char kBackslashInName[] = "its name holds a \"\\\"";
inline constexpr char kLineBreakInPath[] = "its path holds a line break";
inline constexpr char kBlankAtEnds[] = "its path begins or ends with a blank";
inline constexpr char kQuotedPath[] = "its path is enclosed in quotes";
inline constexpr char kPathTooLong[] = "its path is longer than 2047 characters";
inline constexpr char kNotInCodePage[] = "its path holds a character that the system's code page has no place for";
// A link that cannot be marked as itself: kCannotHide + path +
// kCannotHideMiddle + kUnmarkableLink + kCannotHideLinkEnd.
inline constexpr char kUnmarkableLink[] = "it is a link, which this system cannot mark on its own";
inline constexpr char kCannotHideLinkEnd[] = ", please hide what it leads to instead!";

// The guide that the desktop could not open: kCannotOpenGuide + its real
// path + kCannotOpenGuideEnd.
inline constexpr char kCannotOpenGuide[] = "Can not open the help file \"";
inline constexpr char kCannotOpenGuideEnd[] = "\", please open it with a web browser!";

}  // namespace app::messages
