#pragma once

#include <string>

// Every fixed path, section, key and value of the record files.
namespace store::records {

// Folders. The data folder holds every record file; the program keeps both hidden.
inline constexpr char kDataParentFolder[] = "C:\\WINDOWS\\zizodo";
inline constexpr char kDataFolder[] = "C:\\WINDOWS\\zizodo\\zizodo123";

// Files. The global record is opened as ".INI" and copied as ".ini": both
// spellings reach the one file.
inline constexpr char kSettingsFile[] = "C:\\WINDOWS\\zizodo\\zizodo123\\zizodo.INI";
inline constexpr char kGlobalRecordFile[] = "C:\\WINDOWS\\zizodo\\zizodo123\\biefei.INI";
inline constexpr char kGlobalRecordCopySource[] = "C:\\WINDOWS\\zizodo\\zizodo123\\biefei.ini";
inline constexpr char kMirrorFile[] = "D:\\biefei.ini";
// The folder that holds the mirror.
inline constexpr char kMirrorFolder[] = "D:\\";
inline constexpr char kHelpDocument[] = "C:\\WINDOWS\\Quillomar.htm";

// Settings file: first-run marker.
inline constexpr char kFirstRunSection[] = "jiance";
inline constexpr char kFirstRunKey[] = "1";
inline constexpr char kFirstRunDone[] = "2";
// Settings file: the hide counter, shared by all accounts.
inline constexpr char kCounterSection[] = "weijianhao";
inline constexpr char kCounterKey[] = "ycwj";
inline constexpr char kCounterStart[] = "0";
// Settings file: accounts (key = account name, value = password).
inline constexpr char kAdministratorsSection[] = "guanlishezhiname";
inline constexpr char kUsersSection[] = "chuangjianxiyonghu";
inline constexpr char kDefaultAdministratorName[] = "name";
inline constexpr char kDefaultAdministratorPassword[] = "31852";
// Settings file: the skin choice, "1" or "2".
inline constexpr char kSkinSection[] = "jiemianshezhi";
inline constexpr char kSkinKey[] = "jiemianshezhi";
inline constexpr char kSkinOne[] = "1";
inline constexpr char kSkinTwo[] = "2";

// Account files: the marker written when the file is made.
inline constexpr char kAccountMarkerSection[] = "guanlishezhi";
inline constexpr char kAccountMarkerKey[] = "1";
inline constexpr char kAccountMarkerValue[] = "1";
// Account files and the global record: key = sequence number, value = path.
inline constexpr char kHiddenItemsSection[] = "weijianyincang";

// The account file of an account: data folder + "\" + name + ".INI".
std::string AccountFile(const std::string& account);
// The same file as the existence test spells it (name + ".ini").
std::string AccountFileProbe(const std::string& account);

}  // namespace store::records
