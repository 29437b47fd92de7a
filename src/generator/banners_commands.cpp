#include "generator/banners_commands.h"

#include <algorithm>

#include "common/gallery_values.h"
#include "common/host.h"
#include "common/text.h"
#include "generator/banners.h"
#include "settings/gallery_snapshot.h"
#include "settings/textblock.h"

namespace fw {
namespace {

bool Precedes(const std::string& a, const std::string& b) { return LowerAscii(a) < LowerAscii(b); }

void StoreBankList(const BankList& list, const std::string& file) {
  WriteSection(file, kBankListSection, list.banks);
}

bool Listed(const BankList& list, const std::string& name) {
  return std::any_of(list.banks.begin(), list.banks.end(),
                     [&](const std::string& b) { return EqualsNoCase(b, name); });
}

bool OnlyBlanks(const std::string& text) {
  return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

}  // namespace

const std::string* BankList::selectedBank() const {
  if (selected < 0 || selected >= static_cast<int>(banks.size())) return nullptr;
  return &banks[static_cast<std::size_t>(selected)];
}

BankList LoadBankList(const std::string& textBlockFile) {
  BankList list;
  list.banks = SplitLines(ReadSection(textBlockFile, kBankListSection));
  SortBankNames(list.banks);
  SelectBank(list, list.banks.empty() ? -1 : 0, textBlockFile);
  if (list.banks.empty()) list.text.clear();
  return list;
}

bool AddBank(BankList& list, const std::string& textBlockFile, const NamePrompt& prompt) {
  list.text.clear();
  std::string answer;
  const char* ask = kNewBankPrompt;
  for (;;) {
    std::optional<std::string> reply = prompt(kNewBankCaption, ask, answer);
    if (!reply) return false;
    answer = *reply;
    if (answer.empty()) {
      ask = kEmptyBankNamePrompt;
    } else if (Listed(list, answer)) {
      ask = kDuplicateBankNamePrompt;
    } else {
      break;
    }
  }
  const auto at = std::upper_bound(list.banks.begin(), list.banks.end(), answer, Precedes);
  list.selected = static_cast<int>(at - list.banks.begin());
  list.banks.insert(at, answer);
  list.textEnabled = true;
  StoreBankList(list, textBlockFile);
  return true;
}

void DeleteBank(BankList& list, const std::string& textBlockFile) {
  const std::string* bank = list.selectedBank();
  if (!bank) return;
  list.text.clear();
  DeleteSection(textBlockFile, *bank);
  list.banks.erase(list.banks.begin() + list.selected);
  SelectBank(list, list.banks.empty() ? -1 : 0, textBlockFile);
  StoreBankList(list, textBlockFile);
}

void SelectBank(BankList& list, int index, const std::string& textBlockFile) {
  list.selected = index >= 0 && index < static_cast<int>(list.banks.size()) ? index : -1;
  const std::string* bank = list.selectedBank();
  list.textEnabled = bank != nullptr;
  if (bank) list.text = ReadSection(textBlockFile, *bank);
}

void LeaveBankText(const BankList& list, const std::string& textBlockFile) {
  const std::string* bank = list.selectedBank();
  if (!bank || OnlyBlanks(list.text)) return;
  WriteSection(textBlockFile, *bank, SplitLines(list.text));
}

void GenerateBankCode(const BankList& list, const GalleryValues& g, Host& host) {
  const std::string* bank = list.selectedBank();
  if (!bank) return;
  WriteBankScriptFile(ReadSettings(g), {*bank, g.section(*bank)});
  host.beep();
}

}  // namespace fw
