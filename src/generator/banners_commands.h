// The commands of the banner bank list: what the window's bank drop-down, its Add and Delete
// buttons, the bank text box and "Generate Code" do. The window keeps a BankList in step with
// its controls and calls these routines; every change is stored in the gallery's text-block
// file at once, as the commands go.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fw {

class GalleryValues;
class Host;

// What the bank list and the bank text box show.
struct BankList {
  std::vector<std::string> banks;  // sorted without regard to case
  int selected = -1;               // index into banks; -1: none
  std::string text;                // the bank text box, lines joined by CR LF
  bool textEnabled = false;

  const std::string* selectedBank() const;
};

// An input box: caption, prompt and the text it starts with; nullopt when cancelled.
using NamePrompt = std::function<std::optional<std::string>(
    const std::string& caption, const std::string& prompt, const std::string& answer)>;

inline constexpr const char* kNewBankCaption = "New Banner Bank";
inline constexpr const char* kNewBankPrompt = "Add Banner Bank";
inline constexpr const char* kEmptyBankNamePrompt = "Please enter a name for banner bank.";
inline constexpr const char* kDuplicateBankNamePrompt =
    "The name already exists. Please select a new one.";

// The list as a freshly loaded gallery shows it: its first bank selected with its text, or
// an empty, disabled text box when there is no bank.
BankList LoadBankList(const std::string& textBlockFile);
// Asks for a new name until it is neither empty nor in the list (any letter case), then adds
// and selects it and stores the list. False when cancelled (nothing added).
bool AddBank(BankList& list, const std::string& textBlockFile, const NamePrompt& prompt);
// Removes the selected bank's section and the bank, then selects the first bank. Does
// nothing when no bank is selected.
void DeleteBank(BankList& list, const std::string& textBlockFile);
// Selects bank `index` (-1: none) and shows its text.
void SelectBank(BankList& list, int index, const std::string& textBlockFile);
// Stores the text box as the selected bank's section, unless it holds only blanks and line
// breaks (then the earlier text stays).
void LeaveBankText(const BankList& list, const std::string& textBlockFile);
// "Generate Code": the selected bank's script file, then the beep; nothing without a bank.
void GenerateBankCode(const BankList& list, const GalleryValues& g, Host& host);

}  // namespace fw
